#include "core/formats/jpeg_writer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <memory>
#include <new>
#include <unistd.h>
#include <vector>

#include "core/formats/jpeg_error_trap.h"
#include "core/picture/row_progress.h"
#include "core/platform/atomic_file.h"
#include "core/platform/services.h"
#include "core/res/strings.h"

#include <jerror.h>  // after jpeglib.h, which the error trap brings

namespace lumora {
namespace {

// Extra room at the end of the RGB row buffer.
constexpr size_t kRowSlack = 10;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The picture's colours by pixel value; values beyond its colour table are
// black, so a stray index never reads past the table.
std::array<ColorTriple, 256> ColorLookup(PictureSpan dib)
{
    std::array<ColorTriple, 256> lookup{};
    const unsigned count = std::min<unsigned>(dib.ColorCount(), 256);
    for (unsigned i = 0; i < count; ++i)
        lookup[i] = dib.Color(i);
    return lookup;
}

// One row of 1-, 4- or 8-bit pixels as red, green, blue triples.
void IndexedRowToRgb(const uint8_t* row, int bits, uint32_t width,
                     const std::array<ColorTriple, 256>& colors, uint8_t* rgb)
{
    for (uint32_t x = 0; x < width; ++x, rgb += 3) {
        unsigned index;
        if (bits == 1)
            index = (row[x >> 3] >> (7 - (x & 7))) & 1;
        else if (bits == 4)
            index = (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
        else
            index = row[x];
        rgb[0] = colors[index].red;
        rgb[1] = colors[index].green;
        rgb[2] = colors[index].blue;
    }
}

// The rows of a picture in the order and form libjpeg takes them.
class RowFeeder {
public:
    explicit RowFeeder(const Picture& dib)
        : dib_(dib),
          width_(dib_.Width()),
          height_(dib_.Height()),
          bits_(dib_.BitCount()),
          stride_(PictureRowBytes(width_, bits_))
    {
        if (bits_ != 24) {
            colors_ = ColorLookup(dib_);
            rgb_.resize(size_t{width_} * 3 + kRowSlack);
        }
    }

    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    // 24-bit rows go to libjpeg as they are, in their blue, green, red order.
    J_COLOR_SPACE ColorSpace() const { return bits_ == 24 ? JCS_EXT_BGR : JCS_RGB; }

    // Row `r` counted from the top of the picture.
    JSAMPROW Row(uint32_t r)
    {
        const uint8_t* row = dib_.Pixels() + (height_ - 1 - r) * stride_;
        if (bits_ == 24)
            return const_cast<JSAMPROW>(row);  // libjpeg only reads input rows
        IndexedRowToRgb(row, bits_, width_, colors_, rgb_.data());
        return rgb_.data();
    }

private:
    PictureSpan dib_;
    uint32_t width_, height_;
    int bits_;
    uint64_t stride_;
    std::array<ColorTriple, 256> colors_{};
    std::vector<uint8_t> rgb_;
};

// A libjpeg destination that grows a vector we own. (libjpeg's own memory
// destination tells where its block is only when the compression finishes,
// so a stopped or failed one leaves the caller a pointer it already freed.)
struct VectorDestination {
    jpeg_destination_mgr manager;  // first: libjpeg sees only this part
    std::vector<uint8_t>* bytes;

    static VectorDestination& Of(j_compress_ptr cinfo) { return *reinterpret_cast<VectorDestination*>(cinfo->dest); }

    static void Start(j_compress_ptr cinfo)
    {
        VectorDestination& d = Of(cinfo);
        d.bytes->resize(64 * 1024);
        d.manager.next_output_byte = d.bytes->data();
        d.manager.free_in_buffer = d.bytes->size();
    }
    static boolean Grow(j_compress_ptr cinfo)
    {
        VectorDestination& d = Of(cinfo);
        const size_t used = d.bytes->size();
        bool grown = false;
        try {
            d.bytes->resize(used * 2);
            grown = true;
        } catch (const std::bad_alloc&) {
        }
        if (!grown)
            ERREXIT(cinfo, JERR_OUT_OF_MEMORY);  // leaves through the error trap
        d.manager.next_output_byte = d.bytes->data() + used;
        d.manager.free_in_buffer = d.bytes->size() - used;
        return TRUE;
    }
    static void Finish(j_compress_ptr cinfo)
    {
        VectorDestination& d = Of(cinfo);
        d.bytes->resize(d.bytes->size() - d.manager.free_in_buffer);
    }
};

// One compression into an open file or memory. Each Encode calls setjmp and then owns
// nothing with a destructor while libjpeg runs.
class JpegEncoder {
public:
    JpegEncoder() { cinfo_.err = SetUpJpegErrorTrap(trap_); }
    ~JpegEncoder() { jpeg_destroy_compress(&cinfo_); }
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    // Into an open file.
    bool Encode(std::FILE* file, RowFeeder& rows, int quality, const RowProgress& progress)
    {
        if (setjmp(trap_.jump))
            return false;
        jpeg_create_compress(&cinfo_);
        jpeg_stdio_dest(&cinfo_, file);
        return EncodeRows(rows, quality, progress, nullptr);
    }

    // Into `bytes`, which hold the whole file once it returns true. False
    // on a failure or when stopped by `cancelled`.
    bool EncodeToMemory(std::vector<uint8_t>& bytes, RowFeeder& rows, int quality,
                        const std::function<bool()>* cancelled)
    {
        memory_.manager.init_destination = VectorDestination::Start;
        memory_.manager.empty_output_buffer = VectorDestination::Grow;
        memory_.manager.term_destination = VectorDestination::Finish;
        memory_.bytes = &bytes;
        if (setjmp(trap_.jump))
            return false;
        jpeg_create_compress(&cinfo_);
        cinfo_.dest = &memory_.manager;
        return EncodeRows(rows, quality, silent_, cancelled);
    }

private:
    bool EncodeRows(RowFeeder& rows, int quality, const RowProgress& progress,
                    const std::function<bool()>* cancelled)
    {
        cinfo_.image_width = rows.Width();
        cinfo_.image_height = rows.Height();
        cinfo_.input_components = 3;
        cinfo_.in_color_space = rows.ColorSpace();
        jpeg_set_defaults(&cinfo_);
        jpeg_set_quality(&cinfo_, quality, TRUE);
        jpeg_start_compress(&cinfo_, TRUE);
        const long total = static_cast<long>(rows.Height());
        for (uint32_t r = 0; r < rows.Height(); ++r) {
            // Asked every 64 rows: a stop is seen within milliseconds.
            if (cancelled && *cancelled && r % 64 == 0 && (*cancelled)()) {
                jpeg_abort_compress(&cinfo_);
                return false;
            }
            JSAMPROW row = rows.Row(r);
            jpeg_write_scanlines(&cinfo_, &row, 1);
            progress.Step(static_cast<long>(r) + 1, total);
        }
        jpeg_finish_compress(&cinfo_);
        return true;
    }

    JpegErrorTrap trap_;
    jpeg_compress_struct cinfo_{};
    VectorDestination memory_{};
    const RowProgress silent_{false};
};

bool IsWritablePicture(const Picture& dib)
{
    if (!dib || !IsValidPicture(dib.Bytes()))
        return false;
    const int bits = dib.BitCount();
    return bits == 1 || bits == 4 || bits == 8 || bits == 24;
}

// libjpeg refuses sides above 65 500 pixels; checked before the row buffer
// (three bytes a pixel of one row) is taken for such a picture.
bool FitsJpeg(const Picture& dib)
{
    return dib.Width() <= JPEG_MAX_DIMENSION &&
           dib.Height() <= JPEG_MAX_DIMENSION;
}

// Writes the whole file through a temporary one; false (with `failure`
// set) when it could not be made or completed. The target is replaced only
// by a complete picture.
bool WriteFile(const Picture& dib, const std::string& path, int quality, WriteFailure& failure)
{
    AtomicFile target;
    if (!target.Open(path)) {
        failure = target.Failure();
        return false;
    }
    const int fd = ::dup(target.Descriptor());
    FileHandle file(fd >= 0 ? ::fdopen(fd, "wb") : nullptr);
    if (!file) {
        if (fd >= 0)
            ::close(fd);
        failure = {WriteProblem::System, errno};
        return false;
    }
    CurrentStatusDisplay().SetStatusText(LoadString(kStrConvertingToJpegOfLabel) + path);
    const RowProgress progress(true);
    RowFeeder rows(dib);
    bool written;
    {
        JpegEncoder encoder;
        written = encoder.Encode(file.get(), rows, quality, progress);
    }
    errno = 0;
    written = std::fflush(file.get()) == 0 && !std::ferror(file.get()) && written;
    const int error = errno ? errno : EIO;
    written = std::fclose(file.release()) == 0 && written;
    if (!written) {
        failure = {WriteProblem::System, errno ? errno : error};
        return false;
    }
    if (!target.Commit()) {
        failure = target.Failure();
        return false;
    }
    return true;
}

}  // namespace

bool CanWriteJPEG(const Picture& dib) { return IsWritablePicture(dib); }

JpegWriteResult WriteJPEGFile(const Picture& dib, const std::string& path, int quality)
{
    JpegWriteResult result;
    if (!IsWritablePicture(dib)) {
        result.outcome = JpegWriteOutcome::Refused;
        return result;
    }
    if (!FitsJpeg(dib)) {
        result.outcome = JpegWriteOutcome::Failed;
        result.failure = {WriteProblem::System, EFBIG};
        return result;
    }
    if (!WriteFile(dib, path, std::clamp(quality, 1, 100), result.failure))
        result.outcome = JpegWriteOutcome::Failed;
    return result;
}

std::string JpegWriteFailedText(const std::string& path)
{
    return LoadString(kStrJpegCreateFailed) + "\n" + path;
}

std::optional<std::vector<uint8_t>> EncodeJPEG(const Picture& dib, int quality,
                                               const std::function<bool()>& cancelled)
{
    if (!IsWritablePicture(dib))
        return std::nullopt;
    RowFeeder rows(dib);
    std::vector<uint8_t> bytes;
    bool encoded;
    {
        JpegEncoder encoder;
        encoded = encoder.EncodeToMemory(bytes, rows, std::clamp(quality, 1, 100), &cancelled);
    }
    if (!encoded)
        return std::nullopt;
    return bytes;
}

int JpegQualityForCompression(int rate)
{
    return 100 - std::clamp(rate, 1, 99);
}

}  // namespace lumora
