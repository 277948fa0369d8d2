#include "core/picture_document/image_document.h"

#include <cstdio>
#include <new>

#include "core/colour/dither16.h"
#include "core/colour/halftone.h"
#include "core/colour/palette.h"
#include "core/platform/screen.h"
#include "core/platform/services.h"
#include "core/res/strings.h"

namespace lumora {

void PictureDocument::Clear()
{
    picture_ = Dib();
    displayCopy_.Reset();
    fileSize_ = 0;
    fileDate_ = 0;
    width_ = height_ = 0;
    bitCount_ = 0;
    openMessages_.clear();
    openError_ = ReadError::None;
}

bool PictureDocument::OnOpenDocument(const std::string& path) { return OnOpenDocument(path, ScreenDepth()); }

bool PictureDocument::OnOpenDocument(const std::string& path, int screenDepth)
{
    return OnOpenDocument(path, screenDepth, ReadOptionsFromPreferences(CurrentPreferences()));
}

bool PictureDocument::OnOpenDocument(const std::string& path, int screenDepth, const ReadOptions& options)
{
    Clear();
    // The size and date shown are those of the file read, from its one
    // open.
    const PictureFile file = PictureFile::Open(path);
    const ReadResult read = picture_.Load(file, options);
    openMessages_ = ReadMessages(read);
    openError_ = read.error;
    if (picture_.IsEmpty())
        return false;
    fileSize_ = file.Size();
    fileDate_ = file.Modified();
    width_ = picture_.Width();
    height_ = picture_.Height();
    bitCount_ = picture_.Image().BitCount();
    try {
        displayCopy_ = MakeDisplayCopy(picture_.Image(), screenDepth);
    } catch (const std::bad_alloc&) {
        Clear();
        const ReadResult refused = PictureOutOfMemory(path);
        openMessages_ = ReadMessages(refused);
        openError_ = refused.error;
        return false;
    }
    return true;
}

Picture MakeDisplayCopy(const Picture& picture, int screenDepth)
{
    if (!picture)
        return {};
    const int bits = picture.BitCount();
    if (bits == 24 && screenDepth == 4)
        return DitherTo16(picture);
    if (bits == 24 && screenDepth == 8)
        return ConvertToAppPalette(picture, AppPalette());
    if (bits == 8 && screenDepth == 4)
        return DitherPalettedTo16(picture);
    return {};
}

void PictureDocument::SetPathName(const std::string& path)
{
    path_ = path;
    title_ = FileNameOf(path);
}

std::string PictureDocument::StatusText(int zoomPercent) const
{
    const std::string colours = ColorDepthWord(bitCount_, false);
    return FormatString(kStrPictureStatus, width_, height_, colours.c_str(), zoomPercent);
}

std::string PictureDocument::PropertiesText() const
{
    const std::string name = FileNameOf(path_);
    const std::string colours = ColorDepthWord(bitCount_, true);
    const std::string size = std::to_string(fileSize_);
    return FormatString(kStrPictureProperties, name.c_str(), width_, height_, colours.c_str(), size.c_str());
}

std::string ColorDepthWord(int bitCount, bool forProperties)
{
    switch (bitCount) {
    case 1: return forProperties ? LoadString(kStrMono) : "2";
    case 4: return "16";
    case 8: return "256";
    case 16: return "64K";
    case 24: return "16,8M";
    default: return std::to_string(bitCount);
    }
}

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace lumora
