#include "artwork/writers.h"

#include <gif_lib.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <fstream>
#include <vector>

#include "artwork/quantize.h"
#include "core/formats/jpeg_writer.h"

namespace lumora::art {

bool WriteGif87a(const std::string& path, const IndexedImage& image, int bitsPerPixel)
{
    const int tableSize = 1 << bitsPerPixel;
    std::vector<GifColorType> table(tableSize, GifColorType{0, 0, 0});
    for (int i = 0; i < tableSize && i < static_cast<int>(image.colors.size()); ++i)
        table[i] = {image.colors[i].red, image.colors[i].green, image.colors[i].blue};
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(GifMakeMapObject(tableSize, table.data()),
                                                                  GifFreeMapObject);
    if (!map)
        return false;

    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif)
        return false;
    // No extension blocks are written, so the oldest version is enough and
    // is what every reader accepts.
    EGifSetGifVersion(gif, false);
    bool ok = EGifPutScreenDesc(gif, image.width, image.height, bitsPerPixel, 0, map.get()) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> row(image.width);
    for (int y = 0; ok && y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x)
            row[x] = image.indices[static_cast<size_t>(y) * image.width + x];
        ok = EGifPutLine(gif, row.data(), image.width) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    // giflib creates the file readable by its owner only; these files are
    // shipped, so they get the usual permissions.
    std::error_code ignored;
    using std::filesystem::perms;
    std::filesystem::permissions(path, perms::owner_read | perms::owner_write | perms::group_read | perms::others_read,
                                 ignored);
    return ok;
}

namespace {

void PutBigEndian(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char type[5], const std::vector<uint8_t>& data)
{
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
    PutBigEndian(out, static_cast<uint32_t>(crc));
}

}  // namespace

bool WritePng(const std::string& path, const Image& image)
{
    const int w = image.Width(), h = image.Height();
    // Each row: filter type 0, then the RGBA bytes.
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(h) * (1 + 4 * w));
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < w; ++x) {
            const Color& c = image.At(x, y);
            raw.push_back(ToByte(c.r));
            raw.push_back(ToByte(c.g));
            raw.push_back(ToByte(c.b));
            raw.push_back(ToByte(c.a));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(w));
    PutBigEndian(header, static_cast<uint32_t>(h));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, deflate, no interlace
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});

    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb"), std::fclose);
    return out && std::fwrite(file.data(), 1, file.size(), out.get()) == file.size();
}

bool WriteJpeg(const std::string& path, const Image& image, int quality)
{
    Picture dib = Picture::Make(image.Width(), image.Height(), 24);
    if (!dib)
        return false;
    uint8_t* pixels = dib.Pixels();
    const uint64_t stride = PictureRowBytes(static_cast<uint64_t>(image.Width()), 24);
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = pixels + static_cast<uint64_t>(image.Height() - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < image.Width(); ++x) {
            const Color& c = image.At(x, y);
            row[3 * x] = ToByte(c.b);
            row[3 * x + 1] = ToByte(c.g);
            row[3 * x + 2] = ToByte(c.r);
        }
    }
    const auto bytes = EncodeJPEG(dib, quality);
    if (!bytes)
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    return static_cast<bool>(out.flush());
}

}  // namespace lumora::art
