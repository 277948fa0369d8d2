#include "core/import/exif_capture_time.h"

#include <libheif/heif.h>

#include <cstring>
#include <string_view>
#include <vector>

#include "core/formats/heif_canvas.h"
#include "core/picture/picture_file.h"
#include "core/picture/picture_limits.h"
#include "core/platform/file.h"

namespace lumora {
namespace {

constexpr uint16_t kExifIfdPointer = 0x8769;
constexpr uint16_t kDateTimeOriginal = 0x9003;
constexpr uint16_t kSubSecTimeOriginal = 0x9291;
constexpr uint16_t kAsciiType = 2;
constexpr uint16_t kLongType = 4;

// Bounds-checked reads of a TIFF structure in its own byte order.
class TiffBytes {
public:
    explicit TiffBytes(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool ReadOrder()
    {
        if (bytes_.size() < 8)
            return false;
        if (bytes_[0] == 'I' && bytes_[1] == 'I')
            little_ = true;
        else if (bytes_[0] == 'M' && bytes_[1] == 'M')
            little_ = false;
        else
            return false;
        return U16(2) == 42;
    }
    bool Has(uint64_t offset, uint64_t count) const { return offset <= bytes_.size() && count <= bytes_.size() - offset; }
    uint16_t U16(size_t at) const
    {
        return little_ ? static_cast<uint16_t>(bytes_[at] | bytes_[at + 1] << 8)
                       : static_cast<uint16_t>(bytes_[at] << 8 | bytes_[at + 1]);
    }
    uint32_t U32(size_t at) const
    {
        const uint32_t a = bytes_[at], b = bytes_[at + 1], c = bytes_[at + 2], d = bytes_[at + 3];
        return little_ ? a | b << 8 | c << 16 | d << 24 : a << 24 | b << 16 | c << 8 | d;
    }
    std::span<const uint8_t> Span(size_t at, size_t count) const { return bytes_.subspan(at, count); }

private:
    std::span<const uint8_t> bytes_;
    bool little_ = true;
};

struct IfdEntry {
    uint16_t type = 0;
    uint32_t count = 0;
    size_t valueAt = 0;  // where the value lies (inline or at its offset)
};

// The entry `tag` of the directory at `ifd`, when it is whole.
std::optional<IfdEntry> FindEntry(const TiffBytes& tiff, uint32_t ifd, uint16_t tag)
{
    if (!tiff.Has(ifd, 2))
        return std::nullopt;
    const uint16_t entries = tiff.U16(ifd);
    if (!tiff.Has(ifd + 2ULL, entries * 12ULL))
        return std::nullopt;
    for (uint16_t i = 0; i < entries; ++i) {
        const size_t at = ifd + 2 + i * 12;
        if (tiff.U16(at) != tag)
            continue;
        IfdEntry entry{tiff.U16(at + 2), tiff.U32(at + 4), at + 8};
        const uint64_t size = entry.type == kAsciiType ? entry.count : entry.type == kLongType ? 4ULL * entry.count : 0;
        if (size > 4)
            entry.valueAt = tiff.U32(at + 8);
        if (!tiff.Has(entry.valueAt, size))
            return std::nullopt;
        return entry;
    }
    return std::nullopt;
}

std::string_view AsciiValue(const TiffBytes& tiff, const IfdEntry& entry)
{
    const auto bytes = tiff.Span(entry.valueAt, entry.count);
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const auto end = text.find('\0');
    if (end != std::string_view::npos)
        text = text.substr(0, end);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::optional<int> Digits(std::string_view text, size_t at, size_t count)
{
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "YYYY:MM:DD HH:MM:SS" (some writers put '-' in the date); blanks for an
// unknown time ("    :  :     :  :  ") give nothing.
std::optional<CaptureTime> ParseExifDateTime(std::string_view text, std::string_view subSeconds)
{
    if (text.size() < 19 || text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    for (size_t at : {4u, 7u})
        if (text[at] != ':' && text[at] != '-')
            return std::nullopt;
    const auto year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    const auto hour = Digits(text, 11, 2), minute = Digits(text, 14, 2), second = Digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    const int micros = FractionToMicros(subSeconds).value_or(0);
    return MakeCaptureTime(*year, *month, *day, *hour, *minute, *second, micros);
}

std::span<const uint8_t> AfterExifMark(std::span<const uint8_t> payload)
{
    static constexpr uint8_t kMark[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (payload.size() >= 6 && std::memcmp(payload.data(), kMark, 6) == 0)
        return payload.subspan(6);
    return payload;
}

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
uint32_t LittleEndian32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

std::optional<CaptureTime> JpegCaptureTime(std::span<const uint8_t> bytes)
{
    size_t at = 2;  // after SOI
    while (at + 4 <= bytes.size()) {
        if (bytes[at] != 0xFF)
            return std::nullopt;
        const uint8_t marker = bytes[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)  // the pixels start: no EXIF came
            return std::nullopt;
        const size_t length = static_cast<size_t>(bytes[at + 2] << 8 | bytes[at + 3]);
        if (length < 2 || at + 2 + length > bytes.size())
            return std::nullopt;
        if (marker == 0xE1) {
            const auto payload = bytes.subspan(at + 4, length - 2);
            if (payload.size() >= 6 && std::memcmp(payload.data(), "Exif\0\0", 6) == 0)
                if (const auto time = TiffCaptureTime(payload.subspan(6)))
                    return time;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

std::optional<CaptureTime> PngCaptureTime(std::span<const uint8_t> bytes)
{
    size_t at = 8;
    while (at + 12 <= bytes.size()) {
        const uint32_t length = BigEndian32(&bytes[at]);
        if (length > bytes.size() - at - 12)
            return std::nullopt;
        const auto type = bytes.subspan(at + 4, 4);
        if (std::memcmp(type.data(), "eXIf", 4) == 0)
            return TiffCaptureTime(AfterExifMark(bytes.subspan(at + 8, length)));
        if (std::memcmp(type.data(), "IEND", 4) == 0)
            return std::nullopt;
        at += 12 + length;
    }
    return std::nullopt;
}

std::optional<CaptureTime> WebpCaptureTime(std::span<const uint8_t> bytes)
{
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint32_t length = LittleEndian32(&bytes[at + 4]);
        if (length > bytes.size() - at - 8)
            return std::nullopt;
        if (std::memcmp(&bytes[at], "EXIF", 4) == 0)
            return TiffCaptureTime(AfterExifMark(bytes.subspan(at + 8, length)));
        at += 8 + length + (length & 1);
    }
    return std::nullopt;
}

bool StartsWith(std::span<const uint8_t> bytes, size_t at, std::string_view text)
{
    return bytes.size() >= at + text.size() && std::memcmp(bytes.data() + at, text.data(), text.size()) == 0;
}

bool IsIsoMediaFile(std::span<const uint8_t> bytes) { return StartsWith(bytes, 4, "ftyp"); }

std::optional<CaptureTime> HeifCaptureTime(const std::string& path)
{
    std::vector<uint8_t> file;
    if (PictureFile::Open(path).ReadAll(file) != ReadError::None)
        return std::nullopt;
    // libheif may take a grid's whole canvas as soon as it reads the file:
    // a canvas no picture may have is not read for its date.
    if (const std::optional<HeifCanvas> canvas = PrimaryHeifCanvas(file);
        canvas && (!canvas->known || !PictureSizeAllowed(canvas->width, canvas->height)))
        return std::nullopt;
    heif_context* context = heif_context_alloc();
    if (!context)
        return std::nullopt;
    std::optional<CaptureTime> time;
    heif_image_handle* handle = nullptr;
    if (heif_context_read_from_memory_without_copy(context, file.data(), file.size(), nullptr).code == heif_error_Ok &&
        heif_context_get_primary_image_handle(context, &handle).code == heif_error_Ok) {
        heif_item_id ids[4];
        const int count = heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", ids, 4);
        for (int i = 0; i < count && !time; ++i) {
            std::vector<uint8_t> exif(heif_image_handle_get_metadata_size(handle, ids[i]));
            if (exif.size() < 4 || heif_image_handle_get_metadata(handle, ids[i], exif.data()).code != heif_error_Ok)
                continue;
            // The block starts with the offset of the TIFF header after it.
            const uint32_t skip = BigEndian32(exif.data());
            if (skip <= exif.size() - 4)
                time = TiffCaptureTime(AfterExifMark(std::span(exif).subspan(4 + skip)));
        }
        heif_image_handle_release(handle);
    }
    heif_context_free(context);
    return time;
}

}  // namespace

std::optional<CaptureTime> TiffCaptureTime(std::span<const uint8_t> bytes)
{
    TiffBytes tiff(bytes);
    if (!tiff.ReadOrder())
        return std::nullopt;
    const auto pointer = FindEntry(tiff, tiff.U32(4), kExifIfdPointer);
    if (!pointer || pointer->type != kLongType || pointer->count != 1)
        return std::nullopt;
    const uint32_t exifIfd = tiff.U32(pointer->valueAt);
    const auto original = FindEntry(tiff, exifIfd, kDateTimeOriginal);
    if (!original || original->type != kAsciiType)
        return std::nullopt;
    std::string_view subSeconds;
    if (const auto sub = FindEntry(tiff, exifIfd, kSubSecTimeOriginal); sub && sub->type == kAsciiType)
        subSeconds = AsciiValue(tiff, *sub);
    return ParseExifDateTime(AsciiValue(tiff, *original), subSeconds);
}

std::optional<CaptureTime> CaptureTimeInBytes(std::span<const uint8_t> bytes)
{
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8)
        return JpegCaptureTime(bytes);
    if (StartsWith(bytes, 0, "\x89PNG\r\n\x1a\n"))
        return PngCaptureTime(bytes);
    if (StartsWith(bytes, 0, "RIFF") && StartsWith(bytes, 8, "WEBP"))
        return WebpCaptureTime(bytes);
    return std::nullopt;
}

std::optional<CaptureTime> EmbeddedCaptureTime(const std::string& path)
{
    // A JPEG's APP1 segment is at most 64 KB and comes first; a WebP's or
    // PNG's EXIF may follow small images' pixels, hence the larger window.
    constexpr size_t kWindow = 256 * 1024;
    File file;
    if (!file.Open(path, File::Mode::Read))
        return std::nullopt;
    std::vector<uint8_t> bytes(kWindow);
    size_t filled = 0;
    while (filled < bytes.size()) {
        const size_t n = file.Read(bytes.data() + filled, bytes.size() - filled);
        if (n == 0)
            break;
        filled += n;
    }
    bytes.resize(filled);
    if (IsIsoMediaFile(bytes))
        return HeifCaptureTime(path);
    return CaptureTimeInBytes(bytes);
}

}  // namespace lumora
