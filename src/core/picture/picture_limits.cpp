#include "core/picture/picture_limits.h"

#include <cstdio>
#include <cstdlib>

#include "core/platform/services.h"
#include "core/res/strings.h"

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

std::string Format(int id, unsigned long long a, unsigned long long b, unsigned long long c)
{
    char text[512];
    std::snprintf(text, sizeof text, LoadString(id).c_str(), a, b, c);
    return text;
}

}  // namespace

uint64_t MaxPicturePixels()
{
    return MegapixelsFromEnvironment() * 1'000'000;
}

bool PictureSizeAllowed(uint64_t width, uint64_t height)
{
    if (width == 0 || height == 0)
        return true;  // the readers refuse empty pictures themselves
    if (width > UINT32_MAX || height > UINT32_MAX)
        return false;
    return width * height <= MaxPicturePixels();
}

bool CheckPictureSize(uint64_t width, uint64_t height)
{
    if (PictureSizeAllowed(width, height))
        return true;
    ReportStop(Format(kStrPictureTooLarge, width, height, MaxPicturePixels() / 1'000'000));
    return false;
}

void ReportPictureOutOfMemory(const std::string& path)
{
    std::string text = LoadString(kStrPictureOutOfMemory);
    const size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    ReportStop(text);
}

}  // namespace lumora
