#pragma once
// Decoding a photo for the screen rather than for the file: a camera JPEG
// many times the screen's size is decoded reduced by libjpeg's DCT scaling,
// which costs a fraction of a full decode, and always in 24 bits.
#include <cstdint>
#include <string>
#include <vector>

namespace lumora {

// Top-down rows of 8-bit red, green, blue, packed without padding.
struct ScreenPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    bool IsEmpty() const { return width <= 0 || height <= 0; }
};

// The size a w x h picture takes when brought within a W x H screen
// (aspect kept); a picture that fits keeps its size.
void FitWithin(int screenWidth, int screenHeight, int& width, int& height);

// The largest DCT reduction (1, 2, 4 or 8) that keeps a w x h picture at
// least as large as it will be drawn within a W x H screen.
int JpegReduction(int width, int height, int screenWidth, int screenHeight);

// True for a name ending in .jpg, .jpeg or .jpe (any case).
bool IsJpegName(const std::string& path);

// Reads the JPEG at `path` for a W x H screen (reduced per JpegReduction; a
// screen of 0 x 0 reads it whole). False, with `out` empty, when the file
// cannot be read as a JPEG.
bool DecodeJpegForScreen(const std::string& path, int screenWidth, int screenHeight, ScreenPicture& out);

}  // namespace lumora
