#pragma once
// The main window's menus and toolbars: which commands each kind of active
// window shows, in which order.
#include <QList>
#include <QString>

namespace lumora {

// In a popup's items: the list of open document windows, numbered, the
// active one checked (filled each time the menu opens).
inline constexpr int kMenuWindowList = -1;

// A menu layout: popup titles and their items (0 = separator).
struct MenuPopup {
    QString title;
    QList<int> items;
};
QList<MenuPopup> FrameMenu();   // no document open
QList<MenuPopup> AlbumMenu();   // an album window is active
QList<MenuPopup> ImageMenu();   // a picture window is active

// Toolbar buttons (0 = gap) of the album windows (also shown when no
// document is open) and of the picture windows.
QList<int> AlbumToolBar();
QList<int> ImageToolBar();

}  // namespace lumora
