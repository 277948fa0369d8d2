#include "gui/platform/program_art.h"

#include <QHash>

#include "gui/platform/commands.h"

namespace lumora {

QCursor LoadProgramCursor(ProgramCursor which)
{
    switch (which) {
    case ProgramCursor::Select: return QCursor(QPixmap(":/artwork/cursors/select.png"), 12, 1);
    case ProgramCursor::NextPage: return QCursor(QPixmap(":/artwork/cursors/next_page.png"), 16, 16);
    case ProgramCursor::PreviousPage: break;
    }
    return QCursor(QPixmap(":/artwork/cursors/previous_page.png"), 15, 16);
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {48, 128})
        icon.addFile(QString(":/icons/lumora-%1.png").arg(size), QSize(size, size));
    return icon;
}

QIcon CommandIcon(int commandId)
{
    static const QHash<int, QString> kNames = {
        {kCmdFileNew, "new"},
        {kCmdFileOpen, "open"},
        {kCmdFileSave, "save"},
        {kCmdFilePrint, "print"},
        {kCmdEditUndo, "undo"},
        {kCmdEditRedo, "redo"},
        {kCmdEditCut, "cut"},
        {kCmdEditCopy, "copy"},
        {kCmdEditPaste, "paste"},
        {kCmdInsertImages, "insert_images"},
        {kCmdInsertText, "insert_text"},
        {kCmdDeleteItem, "delete"},
        {kCmdItemProperties, "item_properties"},
        {kCmdViewItem, "view"},
        {kCmdFirstPage, "first_page"},
        {kCmdPrevPage, "previous_page"},
        {kCmdNextPage, "next_page"},
        {kCmdLastPage, "last_page"},
        {kCmdSlideshow, "slideshow"},
        {kCmdGather, "gather"},
        {kCmdPropertiesWindow, "properties_window"},
        {kCmdAppAbout, "help"},
        {kCmdAlbumProperties, "album_properties"},
        {kCmdTitleFonts, "title_fonts"},
        {kCmdPlaySound, "play_sound"},
        {kCmdZoomIn, "zoom_in"},
        {kCmdZoomOut, "zoom_out"},
        {kCmdZoomFit, "zoom_fit"},
        {kCmdFullScreen, "full_screen"},
        {kCmdPrintPoster, "poster"},
    };
    const QString name = kNames.value(commandId);
    if (name.isEmpty())
        return {};
    QIcon icon;
    icon.addFile(":/artwork/toolbar/16/" + name + ".png", QSize(16, 16));
    icon.addFile(":/artwork/toolbar/32/" + name + ".png", QSize(32, 32));
    return icon;
}

QPixmap GaugeCells()
{
    return QPixmap(":/artwork/gauge.png");
}

}  // namespace lumora
