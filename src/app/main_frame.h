#pragma once
// The main window: the document windows in an MDI area, the menus and
// toolbar of the active window type, the status bar with its progress gauge.
#include <QAction>
#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <functional>

#include "app/commands.h"
#include "app/preferences.h"
#include "app/progress_gauge.h"
#include "platform/user_interface.h"

namespace lumora {

class Profile;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(Preferences& preferences, Profile& profile, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return mdiArea_; }
    QAction* Action(int commandId) const { return actions_.value(commandId); }
    ProgressGauge* Gauge() const { return gauge_; }
    QLabel* StatusLabel() const { return statusText_; }
    // The program's preferences, for the dialogs that read or change them.
    Preferences& Prefs() const { return preferences_; }

    // Message maps: a command runs `run`; `enabled` and `checked` are its
    // update handlers. Several windows may handle one command (copy, print
    // for albums and pictures): the first handler that is enabled, in the
    // order they were set, gets it. A command nobody handles stays disabled.
    void SetCommandHandler(int commandId, std::function<void()> run,
                           std::function<bool()> enabled = {}, std::function<bool()> checked = {});
    void RefreshCommandStates();

    void UseMenu(const QList<MenuPopup>& menu);
    void UseToolBar(const QList<int>& buttons);
    // The recent-file entries that stand in the File menu (newest first).
    void SetRecentFiles(const QStringList& paths);

    // Progress and status text for long operations.
    void BeginProgress();
    void SetProgress(unsigned current, unsigned total);
    void EndProgress();
    void SetStatusText(const QString& text);
    void SetStatusText(int stringId);
    // The album view's location, shown in the gauge's pane while no long
    // operation runs.
    void SetLocationText(const QString& text) { gauge_->SetText(text); }
    void SaveStatusText();
    void RestoreStatusText();

    void RestorePlacement(const WindowPlacement& placement);
    WindowPlacement CurrentPlacement() const;

    void ShowPreferencesDialog();

signals:
    // Preferences changed through the dialog: windows should repaint.
    void PreferencesChanged();
    // Files dropped on the main window, and a recent file chosen.
    void FilesDropped(const QStringList& paths);
    void RecentFileChosen(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    void InstallFrameCommands();
    void TogglePropertiesWindow();
    void AddRecentFileEntries(QMenu* menu);
    void ShowAbout();

    Preferences& preferences_;
    Profile& profile_;
    QMdiArea* mdiArea_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* statusText_ = nullptr;
    ProgressGauge* gauge_ = nullptr;
    QString savedStatusText_;
    QList<MenuPopup> currentMenu_;
    QStringList recentFiles_;

    struct Handler {
        std::function<void()> run;
        std::function<bool()> enabled;
        std::function<bool()> checked;
    };
    QHash<int, QAction*> actions_;
    const Handler* ActiveHandler(int commandId) const;
    QHash<int, QList<Handler>> handlers_;
};

// Sends the core's progress reports to the frame's gauge.
class FrameProgressSink final : public ProgressSink {
public:
    explicit FrameProgressSink(CMainFrame& frame) : frame_(frame) {}
    void Begin() override { frame_.BeginProgress(); }
    void SetProgress(long done, long total) override;
    void End() override { frame_.EndProgress(); }

private:
    CMainFrame& frame_;
};

// The amount of memory the About box reports, in kilobytes.
long AvailableMemoryKb();

}  // namespace lumora
