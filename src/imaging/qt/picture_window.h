#pragma once
// Picture windows in the main window: opening a picture file into an MDI
// window, the image menu and toolbar while one is active, and the image
// commands (copy, zoom, full screen, printing).
#include <QMdiSubWindow>

#include "app/corvant_mdi.h"
#include <QString>

namespace lumora {

class CMainFrame;
class CLumoraApp;
class CDibView;

// Loads `path` (asking for another path while it fails to load) and shows it
// in a new window; null when the user gives up. For a photo of an album,
// `albumPath` is the album's file: the picture is then looked for beside the
// album first, and `description` is the photo's description.
QMdiSubWindow* OpenPictureWindow(CMainFrame& frame, CLumoraApp& app, const QString& path,
                                 const QString& description = {}, const QString& albumPath = {});

// The picture view of the active window, if it is a picture window.
CDibView* ActiveDibView(CMainFrame& frame);

// Registers the image commands with the frame (done once per frame by
// OpenPictureWindow; harmless to call again).
void InstallPictureCommands(CMainFrame& frame);

}  // namespace lumora
