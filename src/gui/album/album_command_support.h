#pragma once
// Commands that act on the active album window: each installer registers
// its handlers once, at start-up, and a handler finds the view when it runs.
#include <functional>
#include <type_traits>

#include "gui/platform/command_host.h"
#include "gui/album/album_navigation.h"
#include "gui/album/album_view.h"

namespace lumora {

// A handler running `action` on the active album view; the action takes the
// view, or the frame and the view.
template <class Action>
std::function<void()> OnActiveAlbum(CommandHost& frame, Action action)
{
    return [&frame, action] {
        AlbumView* view = ActiveAlbumView(frame);
        if (!view)
            return;
        if constexpr (std::is_invocable_v<Action, CommandHost&, AlbumView&>)
            action(frame, *view);
        else
            action(*view);
    };
}

// A state function: an album view is active and `test` holds for it.
template <class Test>
std::function<bool()> WhenActiveAlbum(CommandHost& frame, Test test)
{
    return [&frame, test] {
        const AlbumView* view = ActiveAlbumView(frame);
        return view && test(*view);
    };
}

inline bool AnyAlbum(const AlbumView&) { return true; }

}  // namespace lumora
