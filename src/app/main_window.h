#pragma once
// The main window: the document windows in an MDI area, the menus and
// toolbar of the active window type, the status bar with its progress gauge.
#include <QAction>
#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <functional>

#include "app/menus.h"
#include "gui/platform/command_host.h"
#include "gui/platform/commands.h"
#include "gui/platform/ini_preferences.h"
#include "gui/widgets/progress_gauge.h"
#include "core/platform/services.h"

namespace lumora {

class Profile;
class PropertiesWindow;

class MainWindow : public QMainWindow, public CommandHost {
    Q_OBJECT
public:
    MainWindow(Preferences& preferences, Profile& profile, QWidget* parent = nullptr);
    ~MainWindow() override;

    // CommandHost
    QWidget* HostWidget() override { return this; }
    QMdiArea* MdiArea() const override { return mdiArea_; }
    Preferences& Prefs() const override { return preferences_; }
    void OpenFiles(const QStringList& paths) override;
    void SetCommandHandler(int commandId, std::function<void()> run, std::function<bool()> enabled = {},
                           std::function<bool()> checked = {}) override;
    void RefreshCommandStates() override;
    QAction* Action(int commandId) const override { return actions_.value(commandId); }
    void BeginProgress() override;
    void SetProgress(unsigned current, unsigned total) override;
    void EndProgress() override;
    bool ProgressRunning() const override { return gauge_->IsRunning(); }
    QString StatusText() const override { return statusText_->text(); }
    void SetStatusText(const QString& text) override;
    void SaveStatusText() override;
    void RestoreStatusText() override;
    void SetLocationText(const QString& text) override { gauge_->SetText(text); }
    void OnPreferencesChanged(QObject* context, std::function<void()> slot) override;

    // Forgets every handler of the command (a test then puts its own).
    void RemoveCommandHandlers(int commandId) { handlers_.remove(commandId); }

    ProgressGauge* Gauge() const { return gauge_; }
    QLabel* StatusLabel() const { return statusText_; }
    void SetStatusText(int stringId);

    void UseMenu(const QList<MenuPopup>& menu);
    void UseToolBar(const QList<int>& buttons);
    // The recent-file entries that stand in the File menu (newest first).
    void SetRecentFiles(const QStringList& paths);

    // The placement is fitted onto the screen it opens on.
    void RestorePlacement(const WindowPlacement& placement);
    WindowPlacement CurrentPlacement() const;
    // Writes the placement into "mainwin" at once.
    void SavePlacement();

    void ShowPreferencesDialog();

    // "Fenêtres en onglets": the document windows as tabs of the area
    // instead of free windows inside it.
    void SetTabbedWindows(bool tabbed);
    bool TabbedWindows() const { return tabbedWindows_; }

    // The properties window: shown where it last stood, filled from the
    // active window; hidden with its position kept in the preferences.
    void ShowPropertiesWindow();
    void HidePropertiesWindow();
    PropertiesWindow* Properties() const { return properties_; }

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
    // Numeric-pad accelerators (zoom + and -): X11 never matches a shortcut
    // that carries the keypad modifier, so the key reaches the window that
    // has the focus and, unused there, comes up to the frame.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    void InstallFrameCommands();
    // The menus and toolbar of the active window's kind; the bare main
    // window's when no window is left.
    void ShowWindowKind(QMdiSubWindow* active);
    void DescribeActiveWindow();
    void KeepPropertiesPosition();
    void TogglePropertiesWindow();
    void AddRecentFileEntries(QMenu* menu);
    // The document windows after the Window menu's own items.
    void ListWindowsIn(QMenu* menu);
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
    PropertiesWindow* properties_ = nullptr;
    bool tabbedWindows_ = false;

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
    explicit FrameProgressSink(MainWindow& frame) : frame_(frame) {}
    void Begin() override { frame_.BeginProgress(); }
    void SetProgress(long done, long total) override;
    void End() override { frame_.EndProgress(); }

private:
    MainWindow& frame_;
};

// The amount of memory the About box reports, in kilobytes.
long AvailableMemoryKb();

}  // namespace lumora
