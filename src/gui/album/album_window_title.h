#pragma once
// An album window's title: the album's file name and Qt's modified mark
// ("vacances.qza[*]"), the mark shown while the album differs from its
// file and gone when its history is back at the saved point.
#include <QString>
#include <memory>

class QMdiArea;
class QWidget;

namespace lumora {

class AlbumDocument;

// The title of the album's windows, with the [*] placeholder.
QString AlbumWindowTitle(const AlbumDocument& doc);

// Titles `window` for the album and keeps its modified mark in step with
// the album for as long as the window lives.
void FollowAlbumInTitle(QWidget& window, const std::shared_ptr<AlbumDocument>& doc);

// After a save under another name: every window of the album titled anew.
void RetitleAlbumWindows(QMdiArea& area, const AlbumDocument& doc);

}  // namespace lumora
