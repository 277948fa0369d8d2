#include "gui/print/album_print.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "core/album/album_document.h"
#include "core/album/album_layout.h"
#include "core/layout/page_queries.h"
#include "core/platform/ordered_parallel.h"
#include "core/platform/services.h"
#include "core/album/find_album_file.h"
#include "core/res/strings.h"
#include "gui/album/book_pictures.h"
#include "gui/album/text_drawing.h"
#include "gui/platform/dib_painter.h"
#include "gui/print/print_picture.h"

namespace lumora {
namespace {

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// One album font on the sheet: its height scaled (the width is the face's
// own).
QFont PrintedFont(const TextFont& font, int height)
{
    TextFont scaled = font;
    scaled.height = height;
    QFont printed = QFontFromTextFont(scaled);
    // Album text is whole pixels on screen; on paper it is smooth.
    printed.setStyleStrategy(QFont::PreferDefault);
    return printed;
}

// Centred on one line, not wrapped: the page title and number bands.
constexpr unsigned kBandText = kTextCenter | kTextVCenter | kTextSingleLine | kTextNoPrefix;

void DrawBandText(QPainter& painter, const Rect& band, const QString& text, const QFont& font)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    DrawTextFormatted(painter, ToQRect(band), text, kBandText);
    painter.restore();
}

// The back cover: the leather between the two edges of the open book,
// without the title plate.
QPixmap BackCoverPicture(const BookPictures& book)
{
    constexpr int kLeatherEnd = 253;  // the book's outer edge and its leather
    constexpr int kEdgeWidth = 3;
    QPixmap back(kLeatherEnd + kEdgeWidth, book.cover.height());
    back.fill(Qt::white);
    QPainter painter(&back);
    painter.drawPixmap(QPoint(0, 0), book.openBook, QRect(0, 0, kLeatherEnd, book.openBook.height()));
    painter.drawPixmap(QPoint(kLeatherEnd, 0), book.cover,
                       QRect(book.cover.width() - kEdgeWidth, 0, kEdgeWidth, book.cover.height()));
    return back;
}

}  // namespace

AlbumSheets::AlbumSheets(const AlbumDocument& doc, const BookPictures* book, AlbumPrintOptions options)
    // The layout queries only read the album through this adapter.
    : doc_(doc), layout_(std::make_unique<AlbumLayout>(doc)), book_(book),
      options_(options)
{
}

AlbumSheets::~AlbumSheets() = default;

int AlbumSheets::Count() const { return PrintedSheetCount(doc_.PageCount(), options_.covers); }

std::vector<PrintedPhoto> AlbumSheets::PhotosOf(int n, const PrintSheet& sheet) const
{
    std::vector<PrintedPhoto> photos;
    if (options_.preview || options_.covers || n < 1 || n > Count())
        return photos;
    const int page = n - 1;
    const FittedPage fitted = FitPageModel(sheet);
    const std::vector<int> items = ItemsOnPage(*layout_, page);
    for (size_t slot = 0; slot < items.size(); ++slot) {
        const AlbumItem& item = *doc_.Items()[static_cast<size_t>(items[slot])];
        if (!item.IsPhoto())
            continue;
        const Rect box = PrintSlotRect(doc_.Layout(), page, static_cast<int>(slot), fitted);
        const Size reading = PhotoReadingBox({box.Width(), box.Height()}, std::max(sheet.dpiX, sheet.dpiY));
        photos.push_back({items[slot], FindAlbumImage(item.imagePath, doc_.Path()),
                          QSize(reading.width, reading.height)});
    }
    return photos;
}

void AlbumSheets::Draw(QPainter& painter, const PrintSheet& sheet, int n, const PrintPictures& pictures) const
{
    if (n < 1 || n > Count() || sheet.width <= 0 || sheet.height <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (options_.covers)
        DrawCover(painter, sheet, n - 1);
    else
        DrawPage(painter, sheet, n - 1, pictures);
    painter.restore();
}

void AlbumSheets::DrawPage(QPainter& painter, const PrintSheet& sheet, int page, const PrintPictures& pictures) const
{
    const FittedPage fitted = FitPageModel(sheet);
    auto font = [&](int which) {
        const TextFont& f = doc_.Settings().fonts[static_cast<size_t>(which)];
        return PrintedFont(f, PrintedFontHeight(f.height, fitted.sy));
    };
    if (doc_.Settings().headerTitle)
        DrawBandText(painter, PageTitleBand(sheet), AlbumText(PageTitle(*layout_, page)), font(kPageTitleFont));
    if (doc_.Settings().pageNumbers)
        DrawBandText(painter, PageNumberBand(sheet), QString::fromStdString(FormatString(kStrPage, page + 1)),
                     font(kPageNumberFont));
    const QFont descriptionFont = font(kPhotosFont);
    const std::vector<int> items = ItemsOnPage(*layout_, page);
    for (size_t slot = 0; slot < items.size(); ++slot) {
        const Rect box = PrintSlotRect(doc_.Layout(), page, static_cast<int>(slot), fitted);
        DrawItem(painter, items[slot], box, fitted.sy, pictures);
        const AlbumItem& item = *doc_.Items()[static_cast<size_t>(items[slot])];
        if (options_.descriptions && !item.description.empty())
            DrawPlainText(painter, ToQRect(DescriptionBand(box, sheet.dpiY)), AlbumText(item.description),
                          descriptionFont, Qt::black, kCentredWrapped);
    }
}

void AlbumSheets::DrawItem(QPainter& painter, int index, const Rect& box, double scale,
                           const PrintPictures& pictures) const
{
    const AlbumItem& item = *doc_.Items()[static_cast<size_t>(index)];
    if (!item.IsPhoto()) {
        const TextFont& own = item.font ? *item.font : doc_.Settings().fonts[kPhotosFont];
        DrawPlainText(painter, ToQRect(box), AlbumText(item.text),
                      PrintedFont(own, PrintedTextItemHeight(own.height, scale)), ColorFromRef(item.textColor),
                      kLeftWrapped);
        return;
    }
    // The full picture read for the printer, else the preview.
    QImage picture;
    if (const auto found = pictures.find(index); found != pictures.end())
        picture = found->second;
    if (picture.isNull() && item.preview.Image() && IsValidPicture(item.preview.Image().Bytes()))
        picture = DIBToQImage(item.preview.Image());
    if (picture.isNull())
        return;
    painter.drawImage(ToQRect(FitPictureInBox(box, picture.width(), picture.height())), picture);
}

void AlbumSheets::DrawCover(QPainter& painter, const PrintSheet& sheet, int which) const
{
    const FittedPage fitted = FitPageModel(sheet);
    const QRect area = ToQRect(fitted.area);
    auto font = [&](int f) {
        const TextFont& logFont = doc_.Settings().fonts[static_cast<size_t>(f)];
        return PrintedFont(logFont, PrintedFontHeight(logFont.height, fitted.sy));
    };
    const QString title = AlbumText(doc_.Settings().title);
    switch (which) {
    case kFrontCoverSheet:
        if (book_)
            painter.drawPixmap(area, book_->cover);
        DrawPlainText(painter, ToQRect(FrontCoverTitleBox(fitted)), title, font(kTitleFont),
                      ColorFromRef(doc_.Settings().titleColor), kCentredWrapped);
        break;
    case kFlyleafSheet:
        DrawPlainText(painter, ToQRect(FlyleafTitleBox(fitted)), title, font(kTitleFont), Qt::black,
                      kCentredWrapped);
        DrawPlainText(painter, ToQRect(FlyleafDescriptionBox(fitted)), AlbumText(doc_.Settings().description),
                      font(kDescriptionFont), Qt::black, kCentredWrapped);
        break;
    case kBackCoverSheet:
        if (book_)
            painter.drawPixmap(area, BackCoverPicture(*book_));
        break;
    default:
        break;
    }
}

PrintSheet SheetOf(const QPagedPaintDevice& device)
{
    return {device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY()};
}

bool PrintAlbumSheets(QPagedPaintDevice& device, const AlbumSheets& sheets, int first, int last,
                      const std::function<bool(int, int)>& progress)
{
    first = std::max(first, 1);
    last = std::min(last, sheets.Count());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const PrintSheet sheet = SheetOf(device);
    const int total = std::max(last - first + 1, 0);
    bool stopped = false;
    ParallelHooks hooks;
    hooks.cancelled = [&stopped] { return stopped; };
    // Workers read the photos of the coming sheets; this thread draws.
    const std::function<PrintPictures(size_t)> read = [&](size_t i) {
        // A photo that cannot be read prints from its preview, without a
        // word (and no message box may open on a worker thread).
        ScopedHeldMessages silent;
        PrintPictures pictures;
        for (const PrintedPhoto& photo : sheets.PhotosOf(first + static_cast<int>(i), sheet))
            if (!photo.path.empty())
                pictures[photo.item] = LoadPictureForPrint(photo.path, photo.box);
        return pictures;
    };
    const std::function<void(size_t, PrintPictures&&)> draw = [&](size_t i, PrintPictures&& pictures) {
        if (i > 0 && !device.newPage()) {
            stopped = true;
            return;
        }
        sheets.Draw(painter, sheet, first + static_cast<int>(i), pictures);
        if (progress && !progress(static_cast<int>(i) + 1, total))
            stopped = true;
    };
    RunInOrder<PrintPictures>(static_cast<size_t>(total), read, draw, hooks);
    painter.end();
    return !stopped;
}

}  // namespace lumora
