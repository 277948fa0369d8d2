#pragma once
// Making a photo's preview from its image file: the picture is decoded for
// the picture box rather than for the file (JPEG files reduced while they
// are decoded, Photo CD packs at the smallest size that covers the box),
// then fitted to the box as a 24-bit picture averaged smoothly, or, for
// smaller album files, halftoned onto the application palette. Reads the
// file once and touches nothing shared, so several may run at once.
#include <cstdint>
#include <string>
#include <vector>

#include "core/picture/picture.h"
#include "core/colour/palette.h"
#include "core/formats/jpeg_reader.h"
#include "core/picture/read_result.h"
#include "core/platform/services.h"

namespace lumora {

enum class PreviewColors { TrueColor, AppPalette256 };

struct PreviewPicture {
    bool fileRead = false;  // the file was read as a picture
    Picture preview;           // empty when the file was not read or not reduced
    int16_t imageWidth = 0, imageHeight = 0, bitsPerPixel = 0;
    uint32_t imageFileSize = 0;
    std::vector<HeldMessage> messages;  // what the read has to tell, shown by the taker
    ReadError readError = ReadError::None;
};

// `eighth`: how a JPEG reduced to 1/8 is decoded. Previews that albums
// store keep libjpeg's picture; pictures only shown (the sharp photos) may
// take the faster one made from the blocks' DC coefficients.
PreviewPicture MakePreviewPicture(const std::string& path, uint16_t boxWidth, uint16_t boxHeight,
                                  const Palette& palette, PreviewColors colors,
                                  EighthDecoding eighth = EighthDecoding::Libjpeg);

// The same on a worker thread: what the read has to tell is in the
// result's messages, to be shown on the calling thread.
PreviewPicture MakePreviewOnWorker(const std::string& path, uint16_t boxWidth, uint16_t boxHeight,
                                   const Palette& palette, PreviewColors colors,
                                   EighthDecoding eighth = EighthDecoding::Libjpeg);

// The colours the preferences ask for ("Aperçus en 256 couleurs").
PreviewColors PreferredPreviewColors();

// The Photo CD size code (0..3) whose picture covers what a box of this
// size shows of a 3:2 picture, turned either way.
int PhotoCDSizeForBox(uint16_t boxWidth, uint16_t boxHeight);

}  // namespace lumora
