#pragma once
// One picture together with its palette.
#include <string>

#include "core/picture/picture.h"
#include "core/picture/picture_file.h"
#include "core/picture/read_options.h"
#include "core/colour/palette.h"

namespace lumora {

class Archive;

class Dib {
public:
    Dib() = default;
    Dib(const Dib& other);
    Dib& operator=(const Dib& other);
    Dib(Dib&&) noexcept = default;
    Dib& operator=(Dib&&) noexcept = default;
    ~Dib() = default;

    // Frees the current picture, then reads `path` through the format
    // dispatch. An empty path or one that names no regular file loads
    // nothing. A picture with a colour table gets a new palette; one without
    // leaves the palette as it was. Returns what the read said (its error,
    // detail and Photo CD faults, for the caller to show); the picture
    // itself is kept here.
    ReadResult Load(const std::string& path, const ReadOptions& options);
    // The same from a file already opened by its name.
    ReadResult Load(const PictureFile& file, const ReadOptions& options);

    // Takes over a picture already in memory (and makes its palette).
    void Attach(Picture picture);

    bool IsEmpty() const { return !picture_; }
    int32_t Width() const;
    int32_t Height() const;
    uint16_t ColorCount() const { return picture_.ColorCount(); }
    Palette MakePalette() const { return MakeDIBPalette(picture_); }

    const Picture& Image() const { return picture_; }
    Picture& Image() { return picture_; }
    const Palette& GetPalette() const { return palette_; }

    // Writes the 32-bit length and the block's bytes, or reads them back
    // into this picture (album files keep previews this way).
    void Serialize(Archive& ar);

private:
    Picture picture_;
    Palette palette_;
};

}  // namespace lumora
