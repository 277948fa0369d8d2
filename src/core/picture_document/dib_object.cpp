#include "core/picture_document/dib_object.h"

#include "core/formats/image_format.h"
#include "core/platform/file.h"

namespace lumora {

Dib::Dib(const Dib& other) : picture_(other.picture_.Clone())
{
    if (picture_.ColorCount() > 0)
        palette_ = MakeDIBPalette(picture_);
}

Dib& Dib::operator=(const Dib& other)
{
    if (this != &other) {
        Dib copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ReadResult Dib::Load(const std::string& path, const ReadOptions& options)
{
    return Load(PictureFile::Open(path), options);
}

ReadResult Dib::Load(const PictureFile& file, const ReadOptions& options)
{
    picture_.Reset();
    ReadResult read = ReadImageFile(file, options);
    Attach(std::move(read.picture));
    return read;
}

void Dib::Attach(Picture picture)
{
    picture_ = std::move(picture);
    if (picture_.ColorCount() > 0)
        palette_ = MakeDIBPalette(picture_);
}

int32_t Dib::Width() const
{
    return picture_ ? static_cast<int32_t>(picture_.Width()) : 0;
}

int32_t Dib::Height() const
{
    return picture_ ? static_cast<int32_t>(picture_.Height()) : 0;
}

}  // namespace lumora
