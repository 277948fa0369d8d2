#include "app/menus.h"

#include "gui/platform/commands.h"

namespace lumora {
namespace {

const QList<MenuPopup> kSharedTail = {
    {"&Options", {kCmdPropertiesWindow, kCmdHistoryPanel, kCmdViewToolBar, kCmdViewStatusBar, 0, kCmdPreferences}},
    {"Fe&nêtre",
     {kCmdWindowNew, 0, kCmdWindowCascade, kCmdWindowTile, kCmdWindowArrange, 0, kCmdTabbedWindows,
      kMenuWindowList}},
};

}  // namespace

QList<MenuPopup> FrameMenu()
{
    return {
        {"&Fichier", {kCmdFileNew, kCmdNewAlbumFromFolder, kCmdFileOpen, 0, kCmdFilePrintSetup, 0, kCmdFileMru, 0, kCmdAppExit}},
        kSharedTail[0],
        {"&?", {kCmdHelpIndex, kCmdHelpUsing, 0, kCmdAppAbout}},
    };
}

QList<MenuPopup> AlbumMenu()
{
    return {
        {"&Fichier",
         {kCmdFileNew, kCmdNewAlbumFromFolder, kCmdFileOpen, kCmdFileClose, 0, kCmdFileSave, kCmdFileSaveAs, 0, kCmdFilePrint,
          kCmdFilePrintPreview, kCmdExportPdf, kCmdFilePrintSetup, 0, kCmdFileMru, 0, kCmdAppExit}},
        {"&Edition",
         {kCmdEditUndo, kCmdEditRedo, 0, kCmdInsertImages, kCmdInsertText, 0, kCmdEditCut, kCmdEditCopy,
          kCmdEditPaste, kCmdDeleteItem, 0, kCmdMoveItemBack, kCmdMoveItemForward, 0, kCmdViewItem,
          kCmdItemProperties}},
        {"Effets &sonores", {kCmdAttachSound, kCmdRemoveSound, kCmdPlaySound}},
        {"Al&bum",
         {kCmdAlbumProperties, kCmdTitleFonts, 0, kCmdGather, kCmdSlideshow, 0, kCmdFirstPage, kCmdPrevPage,
          kCmdNextPage, kCmdLastPage, kCmdGoToPage, 0, kCmdCover, kCmdFlyleaf, 0, kCmdZoomFit, kCmdZoomClassic, kCmdZoomIn,
          kCmdZoomOut}},
        {"On&glets",
         {kCmdUseTabs, 0, kCmdTabProperties, 0, kCmdAddTab, kCmdDeleteTab, 0, kCmdNextTab, kCmdPrevTab,
          kCmdGoToTab}},
        kSharedTail[0],
        kSharedTail[1],
        {"&?", {kCmdHelpIndex, kCmdHelpUsing, 0, kCmdAppAbout}},
    };
}

QList<MenuPopup> ImageMenu()
{
    return {
        {"&Fichier",
         {kCmdFileOpen, kCmdFileClose, 0, kCmdFilePrint, kCmdFilePrintPreview, kCmdExportPdf, 0, kCmdPrintPoster,
          kCmdPosterPreview, 0, kCmdFilePrintSetup, 0, kCmdFileMru, 0, kCmdAppExit}},
        {"&Image", {kCmdEditCopy, 0, kCmdFullScreen, 0, kCmdZoomFit, kCmdZoomIn, kCmdZoomOut}},
        kSharedTail[0],
        kSharedTail[1],
        {"&?", {kCmdHelpIndex, kCmdHelpUsing, 0, kCmdAppAbout}},
    };
}

QList<int> AlbumToolBar()
{
    return {kCmdFileNew, kCmdFileOpen, kCmdFileSave, 0, kCmdEditUndo, kCmdEditRedo, 0, kCmdEditCut, kCmdEditCopy,
            kCmdEditPaste, 0,
            kCmdInsertImages, kCmdInsertText, kCmdDeleteItem, kCmdItemProperties, kCmdViewItem, 0,
            kCmdFirstPage, kCmdPrevPage, kCmdNextPage, kCmdLastPage, 0, kCmdGather, kCmdSlideshow, kCmdPlaySound, 0,
            kCmdFilePrint, kCmdPropertiesWindow, kCmdAppAbout};
}

QList<int> ImageToolBar()
{
    return {kCmdFileNew, kCmdFileOpen, 0, kCmdEditCopy, 0, kCmdZoomFit, kCmdZoomIn, kCmdZoomOut, kCmdFullScreen, 0,
            kCmdFilePrint, kCmdPrintPoster, 0, kCmdPropertiesWindow, kCmdAppAbout};
}

}  // namespace lumora
