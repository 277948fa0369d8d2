#pragma once
// A single picture opened from a file: the picture as read, a copy made for
// 16- and 256-colour screens, and the facts the status bar and the
// properties pane show about it.
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "core/picture_document/dib_object.h"

namespace lumora {

class PictureDocument {
public:
    PictureDocument() = default;
    PictureDocument(const PictureDocument&) = delete;
    PictureDocument& operator=(const PictureDocument&) = delete;

    // Reads the picture at `path`; false (and an empty document) when no
    // picture results. On success the facts are recorded and, for a screen
    // of `screenDepth` bits, the display copy is made. Without options the
    // picture is read as the user's preferences say; without a depth, for
    // the current screen.
    bool OnOpenDocument(const std::string& path, int screenDepth, const ReadOptions& options);
    bool OnOpenDocument(const std::string& path, int screenDepth);
    bool OnOpenDocument(const std::string& path);
    // What the last open says to the user (a picture too large, libtiff's
    // error, a Photo CD's faults...), to be shown by whoever opened it; and
    // why it gave no picture.
    const std::vector<HeldMessage>& OpenMessages() const { return openMessages_; }
    ReadError OpenError() const { return openError_; }

    // Stores the path; the title becomes the file name, its case kept
    // (names that differ only in case are different files).
    void SetPathName(const std::string& path);
    const std::string& PathName() const { return path_; }
    const std::string& Title() const { return title_; }

    const Dib& Image() const { return picture_; }
    bool HasPicture() const { return !picture_.IsEmpty(); }
    // Null when the picture itself is drawn.
    const Picture& DisplayCopy() const { return displayCopy_; }
    bool HasDisplayCopy() const { return static_cast<bool>(displayCopy_); }

    int64_t FileSize() const { return fileSize_; }
    std::time_t FileDate() const { return fileDate_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int BitCount() const { return bitCount_; }

    const std::string& Description() const { return description_; }
    void SetDescription(std::string description) { description_ = std::move(description); }

    // "W x H - N couleurs - Z %" for the status bar.
    std::string StatusText(int zoomPercent) const;
    // "name\nWxH, N couleurs, S octets" for the properties pane.
    std::string PropertiesText() const;

private:
    void Clear();

    Dib picture_;
    Picture displayCopy_;
    std::vector<HeldMessage> openMessages_;
    ReadError openError_ = ReadError::None;
    std::string path_;
    std::string title_;
    std::string description_;
    int64_t fileSize_ = 0;
    std::time_t fileDate_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int bitCount_ = 0;
};

// The converted copy a picture of `bitCount` bits needs on a screen of
// `screenDepth` bits; empty when the picture can be drawn as it is.
Picture MakeDisplayCopy(const Picture& picture, int screenDepth);

// The number of colours of a depth as the texts write it: "2" (or "mono"
// in the properties pane) for 1 bit, "16", "256", "64K", "16,8M".
std::string ColorDepthWord(int bitCount, bool forProperties);

// The part of a path after its last slash or backslash.
std::string FileNameOf(const std::string& path);

}  // namespace lumora
