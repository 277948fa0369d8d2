#pragma once
// Decoding a photo for the screen rather than for the file: a camera JPEG
// many times the screen's size is decoded reduced by libjpeg's DCT scaling,
// which costs a fraction of a full decode, and always in 24 bits.
#include <string>

#include "core/picture/picture.h"

namespace lumora {

// The size a w x h picture takes when brought within a W x H screen
// (aspect kept); a picture that fits keeps its size.
void FitWithin(int screenWidth, int screenHeight, int& width, int& height);

// The largest DCT reduction (1, 2, 4 or 8) that keeps a w x h picture at
// least as large as it will be drawn within a W x H screen.
int JpegReduction(int width, int height, int screenWidth, int screenHeight);

// True for a name ending in .jpg, .jpeg or .jpe (any case).
bool IsJpegName(const std::string& path);

// Reads the JPEG at `path` for a W x H screen (reduced per JpegReduction; a
// screen of 0 x 0 reads it whole): a 24-bit picture, turned upright. Empty
// when the file cannot be read as a JPEG.
Picture ReadJpegForScreen(const std::string& path, int screenWidth, int screenHeight);

}  // namespace lumora
