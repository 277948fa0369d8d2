#pragma once
// Commands that act on the active album window: each installer registers
// its handlers once per frame, and a handler finds the view when it runs.
#include <QVariant>
#include <functional>
#include <type_traits>

#include "app/main_frame.h"
#include "view/qt/album_navigation.h"
#include "view/qt/album_view.h"

namespace lumora {

// True the first time `installer` asks it of `frame`.
inline bool FirstInstall(CMainFrame& frame, const char* installer)
{
    if (frame.property(installer).toBool())
        return false;
    frame.setProperty(installer, true);
    return true;
}

// A handler running `action` on the active album view; the action takes the
// view, or the frame and the view.
template <class Action>
std::function<void()> OnActiveAlbum(CMainFrame& frame, Action action)
{
    return [&frame, action] {
        CLumoraView* view = ActiveAlbumView(frame);
        if (!view)
            return;
        if constexpr (std::is_invocable_v<Action, CMainFrame&, CLumoraView&>)
            action(frame, *view);
        else
            action(*view);
    };
}

// A state function: an album view is active and `test` holds for it.
template <class Test>
std::function<bool()> WhenActiveAlbum(CMainFrame& frame, Test test)
{
    return [&frame, test] {
        const CLumoraView* view = ActiveAlbumView(frame);
        return view && test(*view);
    };
}

inline bool AnyAlbum(const CLumoraView&) { return true; }

}  // namespace lumora
