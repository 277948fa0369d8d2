#include "test_picture_writers.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace lumora::test {
namespace {

void PutLE16(Bytes& out, unsigned value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

bool SamePixel(const Bytes& pixels, size_t a, size_t b, size_t size)
{
    return std::equal(pixels.begin() + a * size, pixels.begin() + (a + 1) * size, pixels.begin() + b * size);
}

void AppendTgaPackets(Bytes& out, const Bytes& pixels, size_t pixelBytes)
{
    const size_t count = pixels.size() / pixelBytes;
    size_t i = 0;
    while (i < count) {
        size_t run = 1;
        while (i + run < count && run < 128 && SamePixel(pixels, i, i + run, pixelBytes))
            ++run;
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
            out.insert(out.end(), pixels.begin() + i * pixelBytes, pixels.begin() + (i + 1) * pixelBytes);
            i += run;
            continue;
        }
        size_t literal = 1;
        while (i + literal < count && literal < 128 &&
               !(i + literal + 1 < count && SamePixel(pixels, i + literal, i + literal + 1, pixelBytes)))
            ++literal;
        out.push_back(static_cast<uint8_t>(literal - 1));
        out.insert(out.end(), pixels.begin() + i * pixelBytes, pixels.begin() + (i + literal) * pixelBytes);
        i += literal;
    }
}

}  // namespace

Bytes WriteTga(const TgaPicture& p)
{
    Bytes out;
    out.push_back(static_cast<uint8_t>(p.id.size()));
    out.push_back(p.mapType);
    out.push_back(p.imageType);
    const size_t entryBytes = (p.mapEntryBits + 7u) / 8u;
    PutLE16(out, 0);
    PutLE16(out, entryBytes ? static_cast<unsigned>(p.colorMap.size() / entryBytes) : 0);
    out.push_back(p.mapEntryBits);
    PutLE16(out, 0);
    PutLE16(out, 0);
    PutLE16(out, p.width);
    PutLE16(out, p.height);
    out.push_back(p.pixelDepth);
    out.push_back(p.descriptor);
    out.insert(out.end(), p.id.begin(), p.id.end());
    out.insert(out.end(), p.colorMap.begin(), p.colorMap.end());
    if (p.imageType >= 9)
        AppendTgaPackets(out, p.pixels, (p.pixelDepth + 7u) / 8u);
    else
        out.insert(out.end(), p.pixels.begin(), p.pixels.end());
    return out;
}

Bytes WritePcx(const PcxPicture& p)
{
    Bytes out(128, 0);
    out[0] = 0x0A;
    out[1] = p.version;
    out[2] = 1;
    out[3] = p.bitsPerPlane;
    const auto put16 = [&](size_t at, unsigned v) {
        out[at] = static_cast<uint8_t>(v & 0xFF);
        out[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    put16(4, 0);
    put16(6, 0);
    put16(8, p.width - 1u);
    put16(10, p.height - 1u);
    std::memcpy(out.data() + 16, p.headerPalette, 48);
    out[65] = p.planes;
    put16(66, p.bytesPerLine);
    for (const Bytes& line : p.lines) {
        size_t i = 0;
        while (i < line.size()) {
            size_t run = 1;
            while (i + run < line.size() && run < 63 && line[i + run] == line[i])
                ++run;
            if (run > 1 || line[i] >= 0xC0)
                out.push_back(static_cast<uint8_t>(0xC0 | run));
            out.push_back(line[i]);
            i += run;
        }
    }
    if (!p.vgaPalette.empty()) {
        out.push_back(0x0C);
        out.insert(out.end(), p.vgaPalette.begin(), p.vgaPalette.end());
    }
    return out;
}

namespace {

int AppendToBytes(GifFileType* gif, const GifByteType* data, int count)
{
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

bool PutFrame(GifFileType* gif, const GifFrame& frame)
{
    if (EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced, nullptr) ==
        GIF_ERROR)
        return false;
    auto putRow = [&](int row) {
        auto* line = const_cast<GifPixelType*>(frame.pixels.data() + size_t(row) * frame.width);
        return EGifPutLine(gif, line, frame.width) != GIF_ERROR;
    };
    if (frame.interlaced) {
        const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int row = start[pass]; row < frame.height; row += step[pass])
                if (!putRow(row))
                    return false;
        return true;
    }
    for (int row = 0; row < frame.height; ++row)
        if (!putRow(row))
            return false;
    return true;
}

}  // namespace

Bytes WriteGif(const GifPicture& p)
{
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendToBytes, &error);
    if (!gif)
        return {};
    ColorMapObject* map = nullptr;
    if (p.globalTable) {
        const int count = 1 << p.colorBits;
        std::vector<GifColorType> colors(size_t(count), GifColorType{0, 0, 0});
        for (int i = 0; i < count && size_t(i) * 3 + 2 < p.palette.size(); ++i)
            colors[size_t(i)] = {p.palette[size_t(i) * 3], p.palette[size_t(i) * 3 + 1], p.palette[size_t(i) * 3 + 2]};
        map = GifMakeMapObject(count, colors.data());
    }
    bool ok = EGifPutScreenDesc(gif, p.screenWidth, p.screenHeight, p.colorBits, p.background, map) != GIF_ERROR;
    if (ok && p.commentFirst)
        ok = EGifPutComment(gif, "made for a test") != GIF_ERROR;
    for (const GifFrame& frame : p.frames)
        ok = ok && PutFrame(gif, frame);
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        ok = false;
    GifFreeMapObject(map);
    return ok ? out : Bytes{};
}

}  // namespace lumora::test
