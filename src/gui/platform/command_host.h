#pragma once
// What the windows and dialogs ask of the program's main window: the MDI
// area their document windows live in, the commands of the menus and
// toolbar, the status bar and its progress gauge, the preferences. The main
// window implements it; the windows find it from any of their widgets.
#include <QString>
#include <QStringList>
#include <functional>

#include "core/platform/preferences.h"

class QAction;
class QMdiArea;
class QObject;
class QWidget;

namespace lumora {

class CommandHost {
public:
    virtual ~CommandHost() = default;

    // The main window itself, as a parent for dialogs.
    virtual QWidget* HostWidget() = 0;
    virtual QMdiArea* MdiArea() const = 0;
    // The program's preferences, for the dialogs that read or change them.
    virtual Preferences& Prefs() const = 0;

    // Message maps: a command runs `run`; `enabled` and `checked` are its
    // update handlers. Several windows may handle one command (copy, print
    // for albums and pictures): the first handler that is enabled, in the
    // order they were set, gets it. A command nobody handles stays disabled.
    virtual void SetCommandHandler(int commandId, std::function<void()> run,
                                   std::function<bool()> enabled = {},
                                   std::function<bool()> checked = {}) = 0;
    virtual void RefreshCommandStates() = 0;
    virtual QAction* Action(int commandId) const = 0;

    // Progress and status text for long operations.
    virtual void BeginProgress() = 0;
    virtual void SetProgress(unsigned current, unsigned total) = 0;
    virtual void EndProgress() = 0;
    virtual bool ProgressRunning() const = 0;
    virtual QString StatusText() const = 0;
    virtual void SetStatusText(const QString& text) = 0;
    virtual void SaveStatusText() = 0;
    virtual void RestoreStatusText() = 0;
    // The album view's location, shown in the gauge's pane while no long
    // operation runs.
    virtual void SetLocationText(const QString& text) = 0;

    // Files given to the program from outside and taken by no window (an
    // album dropped on a page, anything dropped on the desk): each opens in
    // a window of its own, as when dropped on the main window.
    virtual void OpenFiles(const QStringList& paths) = 0;

    // Runs `slot` in `context` whenever the preferences change through the
    // preferences dialog.
    virtual void OnPreferencesChanged(QObject* context, std::function<void()> slot) = 0;
};

// The host of the window `widget` stands in; null outside the main window.
CommandHost* HostOf(const QWidget* widget);

}  // namespace lumora
