#include "imaging/cdib.h"

#include "imaging/image_format.h"
#include "platform/file.h"

namespace lumora {

CDIB::CDIB(const CDIB& other) : picture_(other.picture_.Clone())
{
    if (DIBColorCountOf(picture_) > 0)
        palette_ = MakeDIBPalette(picture_);
}

CDIB& CDIB::operator=(const CDIB& other)
{
    if (this != &other) {
        CDIB copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void CDIB::Load(const std::string& path)
{
    picture_.Reset();
    if (!IsRegularFile(path))
        return;
    Attach(ReadImageFile(path));
}

void CDIB::Attach(HDIB picture)
{
    picture_ = std::move(picture);
    if (DIBColorCountOf(picture_) > 0)
        palette_ = MakeDIBPalette(picture_);
}

int32_t CDIB::Width() const
{
    return picture_ ? static_cast<int32_t>(DIBPixelWidth(picture_.Data())) : 0;
}

int32_t CDIB::Height() const
{
    return picture_ ? static_cast<int32_t>(DIBPixelHeight(picture_.Data())) : 0;
}

}  // namespace lumora
