#include "core/formats/screen_picture.h"

#include <algorithm>
#include <cctype>

#include "core/formats/jpeg_reader.h"

namespace lumora {

void FitWithin(int screenWidth, int screenHeight, int& width, int& height)
{
    if (width <= screenWidth && height <= screenHeight)
        return;
    if (static_cast<long long>(width) * screenHeight >= static_cast<long long>(height) * screenWidth) {
        height = std::max(1, static_cast<int>(static_cast<long long>(height) * screenWidth / width));
        width = screenWidth;
    } else {
        width = std::max(1, static_cast<int>(static_cast<long long>(width) * screenHeight / height));
        height = screenHeight;
    }
}

int JpegReduction(int width, int height, int screenWidth, int screenHeight)
{
    if (screenWidth <= 0 || screenHeight <= 0 || width <= 0 || height <= 0)
        return 1;
    int fittedWidth = width, fittedHeight = height;
    FitWithin(screenWidth, screenHeight, fittedWidth, fittedHeight);
    return JpegScaleForSize(static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                            static_cast<uint32_t>(fittedWidth), static_cast<uint32_t>(fittedHeight));
}

bool IsJpegName(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "jpg" || extension == "jpeg" || extension == "jpe";
}

Picture ReadJpegForScreen(const std::string& path, int screenWidth, int screenHeight)
{
    return ReadJPEGForBox(path, [&](uint32_t width, uint32_t height) {
               int fittedWidth = static_cast<int>(width), fittedHeight = static_cast<int>(height);
               if (screenWidth > 0 && screenHeight > 0)
                   FitWithin(screenWidth, screenHeight, fittedWidth, fittedHeight);
               return NeededSize{static_cast<uint32_t>(fittedWidth), static_cast<uint32_t>(fittedHeight)};
           })
        .picture;
}

}  // namespace lumora
