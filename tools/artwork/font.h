#pragma once
// A small built-in stroke font: each glyph is a few round-capped polylines,
// so text can be drawn at any size with the same anti-aliased shapes as the
// rest of the artwork. It holds only the characters the artwork writes.
#include <string>
#include <vector>

#include "artwork/raster.h"

namespace lumora::art {

struct TextStyle {
    float size = 32;      // em height in pixels
    float weight = 0.06f; // stroke radius in em
    float slant = 0;      // horizontal shift per unit of height
    float tracking = 0.05f;
};

// Width in pixels of `text` set in `style`.
float TextWidth(const std::string& text, const TextStyle& style);

// The text as one shape, its baseline starting at (x, baseline).
Shape TextShape(const std::string& text, float x, float baseline, const TextStyle& style);

}  // namespace lumora::art
