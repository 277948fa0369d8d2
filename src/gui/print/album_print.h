#pragma once
// The printed album: one sheet per album page (page title, the items in
// their slots, the photos' descriptions, page number) or the three cover
// sheets (front cover with the title, flyleaf, back cover). The same
// drawing serves the printer, the print preview and PDF files.
#include <QImage>
#include <QSize>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/print/print_page_geometry.h"

class QPainter;
class QPagedPaintDevice;

namespace lumora {

class AlbumDocument;
class AlbumLayout;
struct BookPictures;

struct AlbumPrintOptions {
    bool covers = false;        // the three cover sheets instead of the pages
    bool descriptions = true;   // each photo's description under it
    bool preview = false;       // photos from their previews, not their files
};

// A photo of a sheet to be read from its file: the item and the box it is
// read for: the printed box in device pixels, or at 300 pixels per inch on
// finer devices.
struct PrintedPhoto {
    int item = 0;
    std::string path;  // found beside the album first; empty when missing
    QSize box;
};

// Item index -> its picture read for print. An item without one is drawn
// from its preview.
using PrintPictures = std::map<int, QImage>;

class AlbumSheets {
public:
    // `book` supplies the cover artwork; without it the covers are drawn
    // without their leather.
    AlbumSheets(const AlbumDocument& doc, const BookPictures* book, AlbumPrintOptions options);
    ~AlbumSheets();

    int Count() const;
    const AlbumPrintOptions& Options() const { return options_; }

    // The photos sheet `n` (from 1) prints from their files (none in a
    // preview or on the cover sheets).
    std::vector<PrintedPhoto> PhotosOf(int n, const PrintSheet& sheet) const;

    // Draws sheet `n` on a painter whose origin is the printable area's
    // top-left corner and whose unit is the device pixel.
    void Draw(QPainter& painter, const PrintSheet& sheet, int n, const PrintPictures& pictures = {}) const;

private:
    void DrawPage(QPainter& painter, const PrintSheet& sheet, int page, const PrintPictures& pictures) const;
    void DrawItem(QPainter& painter, int item, const Rect& box, double scale, const PrintPictures& pictures) const;
    void DrawCover(QPainter& painter, const PrintSheet& sheet, int which) const;

    const AlbumDocument& doc_;
    std::unique_ptr<AlbumLayout> layout_;
    const BookPictures* book_;
    AlbumPrintOptions options_;
};

// The printable area of `device` in device pixels and its resolution.
PrintSheet SheetOf(const QPagedPaintDevice& device);

// Prints sheets `first` to `last` (from 1, clamped to the album) on
// `device`: the photos of the coming sheets are read on worker threads
// while a sheet is drawn. `progress(done, total)` is called after each
// sheet and may stop the rest by answering false. False when the device
// could not be painted on or printing was stopped.
bool PrintAlbumSheets(QPagedPaintDevice& device, const AlbumSheets& sheets, int first, int last,
                      const std::function<bool(int done, int total)>& progress = {});

}  // namespace lumora
