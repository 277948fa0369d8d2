#include "core/present/screen_picture.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/imaging/jpeg_error_trap.h"

namespace lumora {
namespace {

struct FileCloser {
    std::FILE* file = nullptr;
    ~FileCloser()
    {
        if (file)
            std::fclose(file);
    }
};

// libjpeg runs here between setjmp and longjmp: nothing with a destructor
// lives in this frame (the output buffer is resized through a pointer).
bool Decode(std::FILE* file, int reduction, ScreenPicture* out)
{
    jpeg_decompress_struct info;
    JpegErrorTrap trap;
    info.err = SetUpJpegErrorTrap(trap);
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(reduction);
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || info.output_width == 0 || info.output_height == 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const size_t stride = static_cast<size_t>(info.output_width) * 3;
    out->width = static_cast<int>(info.output_width);
    out->height = static_cast<int>(info.output_height);
    out->rgb.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->rgb.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// The picture's size from its header, without decoding.
bool ReadSize(std::FILE* file, int* width, int* height)
{
    jpeg_decompress_struct info;
    JpegErrorTrap trap;
    info.err = SetUpJpegErrorTrap(trap);
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    *width = static_cast<int>(info.image_width);
    *height = static_cast<int>(info.image_height);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

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
    if (screenWidth <= 0 || screenHeight <= 0)
        return 1;
    int fittedWidth = width, fittedHeight = height;
    FitWithin(screenWidth, screenHeight, fittedWidth, fittedHeight);
    for (int reduction : {8, 4, 2})
        // libjpeg rounds the reduced size up.
        if ((width + reduction - 1) / reduction >= fittedWidth && (height + reduction - 1) / reduction >= fittedHeight)
            return reduction;
    return 1;
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

bool DecodeJpegForScreen(const std::string& path, int screenWidth, int screenHeight, ScreenPicture& out)
{
    out = {};
    FileCloser file{std::fopen(path.c_str(), "rb")};
    if (!file.file)
        return false;
    int width = 0, height = 0;
    if (!ReadSize(file.file, &width, &height) || width <= 0 || height <= 0)
        return false;
    std::rewind(file.file);
    if (!Decode(file.file, JpegReduction(width, height, screenWidth, screenHeight), &out)) {
        out = {};
        return false;
    }
    return true;
}

}  // namespace lumora
