#pragma once
// Every command of the menus, toolbars and accelerators: its number, its
// French menu label and its keys. The menus and toolbars that show them are
// the program's (app/menus.h).
#include <QKeySequence>
#include <QList>
#include <QString>

namespace lumora {

enum CommandId : int {
    // file (framework numbers)
    kCmdFileNew = 57600,
    kCmdFileOpen = 57601,
    kCmdFileClose = 57602,
    kCmdFileSave = 57603,
    kCmdFileSaveAs = 57604,
    kCmdFilePrintSetup = 57606,
    kCmdFilePrint = 57607,
    kCmdFilePrintPreview = 57608,
    kCmdFileMru = 57616,
    kCmdAppExit = 57665,
    kCmdAppAbout = 57664,
    kCmdHelpIndex = 57666,
    kCmdHelpUsing = 57667,
    kCmdContextHelp = 57668,
    kCmdHelp = 57669,
    kCmdEditUndo = 57643,
    kCmdEditRedo = 57644,
    kCmdEditCopy = 57634,
    kCmdEditCut = 57635,
    kCmdEditPaste = 57637,
    kCmdWindowNew = 57648,
    kCmdWindowArrange = 57649,
    kCmdWindowCascade = 57650,
    kCmdWindowTile = 57651,
    kCmdNextPane = 57680,
    kCmdPrevPane = 57681,
    kCmdViewToolBar = 59392,
    kCmdViewStatusBar = 59393,
    // album navigation
    kCmdNextPage = 32771,
    kCmdPrevPage = 32772,
    kCmdCover = 32777,
    kCmdNextTab = 32778,
    kCmdPrevTab = 32779,
    kCmdGoToPage = 32780,
    kCmdGoToTab = 32781,
    kCmdFirstPage = 32782,
    kCmdLastPage = 32783,
    kCmdAlbumProperties = 32784,
    kCmdTitleFonts = 32785,
    kCmdFlyleaf = 32786,
    // editing
    kCmdInsertImages = 32788,
    kCmdPreferences = 32789,
    kCmdDeleteItem = 32791,
    kCmdItemProperties = 32792,
    kCmdViewItem = 32793,
    kCmdAddTab = 32794,
    kCmdDeleteTab = 32795,
    kCmdTabProperties = 32796,
    kCmdGather = 32798,
    kCmdSlideshow = 32799,
    kCmdPropertiesWindow = 32801,
    kCmdPrintPoster = 32802,
    kCmdPosterPreview = 32803,
    kCmdPlaySound = 32805,
    kCmdAttachSound = 32806,
    kCmdRemoveSound = 32807,
    kCmdFullScreen = 32810,
    kCmdZoomOut = 32811,
    kCmdZoomIn = 32812,
    kCmdUseTabs = 32813,
    kCmdInsertText = 32850,
    // beyond the original menus
    kCmdExportPdf = 32860,
    kCmdTabbedWindows = 32861,
    kCmdZoomFit = 32862,
    kCmdZoomClassic = 32863,
    kCmdNewAlbumFromFolder = 32864,
    kCmdHistoryPanel = 32865,
    kCmdMoveItemBack = 32866,
    kCmdMoveItemForward = 32867,
};

struct CommandInfo {
    int id;
    QString label;               // menu text with its & accelerator mark
    QList<QKeySequence> keys;    // accelerator table entries
    // The menu names every key, not only the first (a key the desktop may
    // take has a second one the user must be able to find).
    bool menuShowsEveryKey = false;
};

// The command `id`; an empty label for an unknown number.
const CommandInfo& Command(int id);
const QList<CommandInfo>& AllCommands();

// The key names the menus show, those of a French keyboard ("Pg Suiv",
// "Ctrl+Orig", "Suppr", "Alt+Entrée", "Maj+Inser", "Num +"), not Qt's.
QString MenuKeyText(const QKeySequence& keys);
// The menu text of a command: its label, then a tab and the name of its
// first key when it has one, or of all its keys joined by "ou" (menus show
// what follows the tab instead of the shortcut's own text).
QString MenuLabel(const CommandInfo& command);

}  // namespace lumora
