#pragma once
// Small writers of GIF, PCX and Targa files for the reader tests. They
// write the formats as their published descriptions lay them out, so that
// a picture built in a test can be read back and compared pixel for pixel.
#include <cstdint>
#include <string>
#include <vector>

namespace lumora::test {

using Bytes = std::vector<uint8_t>;

// --- Targa -----------------------------------------------------------------

struct TgaPicture {
    uint8_t imageType = 2;      // 1, 2, 3 plain; 9, 10, 11 run-length
    uint8_t pixelDepth = 24;    // bits
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t descriptor = 0;     // 0x20: first row is the top one
    std::string id;             // image ID field
    uint8_t mapType = 0;
    uint8_t mapEntryBits = 0;
    Bytes colorMap;             // entries as stored in the file
    Bytes pixels;               // file order: first row first, pixels as stored
};

// Plain types store `pixels` as they are; run-length types are coded with
// packets that run on across rows (repeats of two or more become runs).
Bytes WriteTga(const TgaPicture& picture);

// --- PCX -------------------------------------------------------------------

struct PcxPicture {
    uint8_t version = 5;
    uint8_t bitsPerPlane = 8;
    uint8_t planes = 1;
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t bytesPerLine = 0;
    uint8_t headerPalette[48] = {};   // red, green, blue x 16
    std::vector<Bytes> lines;          // planes x bytesPerLine bytes each, top first
    Bytes vgaPalette;                  // 768 bytes appended after a 0x0C marker, or empty
};

// Codes every line with runs of at most 63 and never lets a run cross a
// line; values of 0xC0 and above always go out as counted runs.
Bytes WritePcx(const PcxPicture& picture);

// --- GIF (through giflib's encoder) -----------------------------------------

struct GifFrame {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    Bytes pixels;   // width x height indices, top row first
};

struct GifPicture {
    int screenWidth = 0;
    int screenHeight = 0;
    int colorBits = 8;           // global colour table of 1 << colorBits entries
    bool globalTable = true;
    Bytes palette;               // red, green, blue per entry
    int background = 0;
    std::vector<GifFrame> frames;
    bool commentFirst = false;   // an extension before the first image
};

// Empty when giflib refuses the picture.
Bytes WriteGif(const GifPicture& picture);

}  // namespace lumora::test
