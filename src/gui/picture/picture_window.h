#pragma once
// Picture windows in the main window: opening a picture file into an MDI
// window, and the image commands (copy, zoom, full screen, printing).
#include <QMdiSubWindow>

#include "gui/platform/document_window.h"
#include <QString>

namespace lumora {

class CommandHost;
class PictureView;

// Loads `path` (asking for another path while it fails to load) and shows it
// in a new window; null when the user gives up. For a photo of an album,
// `albumPath` is the album's file: the picture is then looked for beside the
// album first, and `description` is the photo's description.
QMdiSubWindow* OpenPictureWindow(CommandHost& frame, const QString& path,
                                 const QString& description = {}, const QString& albumPath = {});

// The picture view of the active window, if it is a picture window.
PictureView* ActiveDibView(CommandHost& frame);

// F9: the view's picture on the whole screen, at the scale FullScreenScale
// gives for the screen of the main window.
void ShowFullScreen(CommandHost& frame, const PictureView& view);

// Registers the image commands with the main window (once, at start-up).
void InstallPictureCommands(CommandHost& frame);

// The picture's size, colours and zoom in the status bar, unless a long
// operation's gauge holds it.
void ShowPictureStatus(CommandHost& frame, const PictureView& view);

}  // namespace lumora
