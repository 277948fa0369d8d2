#include "cli/album_render.h"
#include "cli/album_file.h"

#include "core/album/album_layout.h"


#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "core/platform/atomic_file.h"
#include "core/platform/services.h"
#include "gui/album/book_pictures.h"
#include "gui/platform/ini_preferences.h"
#include "cli/album_commands.h"
#include "cli/album_print.h"
#include "cli/offscreen_gui.h"
#include "gui/platform/profile.h"
#include "core/platform/screen.h"
#include "core/layout/book_geometry.h"
#include "gui/album/album_picture.h"
#include "gui/album/fast_bitmap.h"
#include "gui/album/sharp_photos.h"
#include "core/layout/spread.h"
#include "core/layout/view_transform.h"

namespace lumora::cli {
namespace {

constexpr const char* kRenderUsage =
    "album render FICHIER SORTIE.png [--position P] [--selection I] [--size LxH] [--zoom Z] [--dpr R]";

// The picture's sides in device pixels.
constexpr int kLargestDeviceSide = 16384;
constexpr double kLargestRatio = 4.0;

std::optional<int> ParseInt(const std::string& text)
{
    try {
        size_t used = 0;
        const long value = std::stol(text, &used, 10);
        if (used != text.size() || value < -100000 || value > 100000)
            return std::nullopt;
        return static_cast<int>(value);
    } catch (...) {
        return std::nullopt;
    }
}

// --size WxH: no side beyond 8192 pixels.
std::optional<QSize> ParseRenderSize(const std::string& text)
{
    constexpr int kLargestSide = 8192;
    const auto size = ParseSize(text);
    if (!size || size->width > kLargestSide || size->height > kLargestSide)
        return std::nullopt;
    return QSize(size->width, size->height);
}

// A decimal number between `low` and `high` ("2.5", "1,5" as French
// writes it).
std::optional<double> ParseDecimal(std::string text, double low, double high)
{
    std::replace(text.begin(), text.end(), ',', '.');
    try {
        size_t used = 0;
        const double value = std::stod(text, &used);
        if (used != text.size() || !std::isfinite(value) || value < low || value > high)
            return std::nullopt;
        return value;
    } catch (...) {
        return std::nullopt;
    }
}

// A decimal option: absent (fallback kept) or valid.
bool TakeDecimal(Arguments& args, const std::string& name, double low, double high, std::optional<double>& value)
{
    bool missing = false;
    const auto text = args.TakeOption(name, missing);
    if (missing)
        return false;
    if (!text)
        return true;
    value = ParseDecimal(*text, low, high);
    return value.has_value();
}

// An option that is either absent (fallback) or a valid whole number.
bool TakeInt(Arguments& args, const std::string& name, int& value)
{
    bool missing = false;
    const auto text = args.TakeOption(name, missing);
    if (missing)
        return false;
    if (!text)
        return true;
    const auto parsed = ParseInt(*text);
    if (!parsed)
        return false;
    value = *parsed;
    return true;
}

// The spreads a view can stand on: the cover, the flyleaf when the album
// has one, and the even positions up to the page count.
bool IsReachablePosition(const AlbumDocument& doc, int position)
{
    if (position == kCoverPosition)
        return true;
    if (position == kFlyleafPosition)
        return doc.Settings().flyleaf;
    return position >= 0 && position <= doc.PageCount() && position % 2 == 0;
}

}  // namespace

int RunAlbumRender(Arguments args)
{
    int position = kCoverPosition;
    int selection = 0;
    if (!TakeInt(args, "--position", position) || !TakeInt(args, "--selection", selection))
        return Fail(kExitUsage, kRenderUsage);
    bool missing = false;
    const auto sizeText = args.TakeOption("--size", missing);
    std::optional<QSize> size;
    if (missing || (sizeText && !(size = ParseRenderSize(*sizeText))))
        return Fail(kExitUsage, std::string("taille invalide (") + kRenderUsage + ")");
    std::optional<double> zoom, ratio;
    if (!TakeDecimal(args, "--zoom", kSmallestZoom, kLargestZoom, zoom))
        return Fail(kExitUsage, std::string("zoom invalide, de 0.5 à 4 (") + kRenderUsage + ")");
    if (!TakeDecimal(args, "--dpr", 1.0, kLargestRatio, ratio))
        return Fail(kExitUsage, std::string("rapport de pixels invalide, de 1 à 4 (") + kRenderUsage + ")");
    // A window's client area with the book fitted as the window fits it;
    // a fixed zoom instead with --zoom, in a picture of the zoomed book's
    // size when no size is given. Nothing given: the classic book.
    AlbumWindowPicture window;
    window.zoom = zoom ? ZoomChoice{false, *zoom} : ZoomChoice{true, 1.0};
    if (!size) {
        const Size book = ZoomedBookSize(zoom.value_or(1.0));
        size = QSize(book.width, book.height);
    }
    window.client = *size;
    window.devicePixelRatio = ratio.value_or(1.0);
    if (window.client.width() * window.devicePixelRatio > kLargestDeviceSide ||
        window.client.height() * window.devicePixelRatio > kLargestDeviceSide)
        return Fail(kExitUsage, "image trop grande : " + std::to_string(kLargestDeviceSide) +
                                    " pixels de côté au plus");
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    const auto& words = args.Positionals();
    if (words.size() != 2)
        return Fail(kExitUsage, kRenderUsage);

    OffscreenGui gui;
    Preferences prefs;
    LoadPreferences(prefs, Profile());
    // Photos are drawn from screen copies when the preference asks for them,
    // as in the album window; the copies are made while the album loads.
    if (prefs.fastBitmaps)
        EnableFastBitmaps();

    AlbumDocument doc;
    if (!OpenAlbumFile(doc, words[0]))
        return kExitFailed;
    if (!IsReachablePosition(doc, position))
        return Fail(kExitUsage, "position impossible dans cet album : " + std::to_string(position));
    const int lastItem = static_cast<int>(doc.ItemCount()) - 1;
    if (selection < 0 || selection > std::max(lastItem, 0))
        return Fail(kExitUsage, "élément inexistant : " + std::to_string(selection));

    const auto book = LoadBookPictures(QCoreApplication::applicationDirPath() + '/', ScreenDepth(), [](int, int) {});
    if (!book)
        return Fail(kExitFailed, "images du livre illisibles");

    // Photos larger than their previews read from their files, as the
    // window shows them.
    SharpPhotos sharp;
    QImage image =
        DrawAlbumWindow(doc, *book, {prefs.deskShadow, prefs.fastBitmaps}, window, {position, selection}, &sharp);
    // The ratio goes with the picture: as a text of the PNG, and as its
    // resolution (96 dots per inch times the ratio).
    image.setText("DevicePixelRatio", QString::number(window.devicePixelRatio));
    const int dotsPerMetre = static_cast<int>(std::lround(96 / 0.0254 * window.devicePixelRatio));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    // Encoded in memory, then written whole: a failure leaves no half PNG
    // and the previous file untouched.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return Fail(kExitFailed, "écriture impossible : " + words[1]);
    if (const WriteFailure failure = WriteFileAtomically(words[1], png.constData(),
                                                         static_cast<size_t>(png.size())))
        return Fail(kExitFailed, DescribeWriteFailure(failure, words[1]));
    return kExitOk;
}

int RunAlbumWithRender(Arguments args)
{
    const auto& words = args.Positionals();
    if (!words.empty() && words[0] == "render")
        return RunAlbumRender(Arguments(std::vector<std::string>(words.begin() + 1, words.end())));
    if (!words.empty() && words[0] == "print")
        return RunAlbumPrint(Arguments(std::vector<std::string>(words.begin() + 1, words.end())));
    return RunAlbum(std::move(args));
}

}  // namespace lumora::cli
