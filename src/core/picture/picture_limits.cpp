#include "core/picture/picture_limits.h"

#include <cstdlib>


namespace lumora {
namespace {

constexpr uint64_t kDefaultMegapixels = 200;

uint64_t MegapixelsFromEnvironment()
{
    const char* text = std::getenv("LUMORA_MAX_MEGAPIXELS");
    if (!text || !*text)
        return kDefaultMegapixels;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    // Anything unreadable keeps the default; a huge value is capped so that
    // the product below cannot overflow.
    if (*end != '\0' || value == 0)
        return kDefaultMegapixels;
    return value > 1'000'000 ? 1'000'000 : value;
}

}  // namespace

uint64_t MaxPicturePixels()
{
    return MegapixelsFromEnvironment() * 1'000'000;
}

bool PictureSizeAllowed(uint64_t width, uint64_t height, uint64_t limitPixels)
{
    if (width == 0 || height == 0)
        return true;  // the readers refuse empty pictures themselves
    if (width > UINT32_MAX || height > UINT32_MAX)
        return false;
    return width * height <= limitPixels;
}

bool PictureSizeAllowed(uint64_t width, uint64_t height)
{
    return PictureSizeAllowed(width, height, MaxPicturePixels());
}

}  // namespace lumora
