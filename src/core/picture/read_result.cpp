#include "core/picture/read_result.h"

#include <cstdio>

#include "core/res/strings.h"

namespace lumora {
namespace {

std::string TooLargeText(const ReadDetail& detail)
{
    char text[512];
    std::snprintf(text, sizeof text, LoadString(kStrPictureTooLarge).c_str(),
                  static_cast<unsigned long long>(detail.width), static_cast<unsigned long long>(detail.height),
                  static_cast<unsigned long long>(detail.limitPixels / 1'000'000));
    return text;
}

std::string OutOfMemoryText(const std::string& name)
{
    std::string text = LoadString(kStrPictureOutOfMemory);
    const size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, name);
    return text;
}

// The decoder's fault as it has always been worded, without the line of
// the check that found it (which tells the user nothing).
std::string PhotoCDErrorText(int code)
{
    char text[64];
    std::snprintf(text, sizeof text, "CORVANT-Error #%04d in PCD routine\n", code);
    return text;
}

}  // namespace

ReadResult ReadFailed(ReadError error, ReadDetail detail)
{
    ReadResult result;
    result.error = error;
    result.detail = std::move(detail);
    return result;
}

ReadResult PictureTooLarge(uint64_t width, uint64_t height, uint64_t limitPixels)
{
    ReadDetail detail;
    detail.width = width;
    detail.height = height;
    detail.limitPixels = limitPixels;
    return ReadFailed(ReadError::TooLarge, std::move(detail));
}

ReadResult PictureOutOfMemory(std::string name)
{
    ReadDetail detail;
    detail.name = std::move(name);
    return ReadFailed(ReadError::OutOfMemory, std::move(detail));
}

ReadResult ReadFailedSaying(ReadError error, std::string text, std::string caption)
{
    ReadDetail detail;
    detail.text = std::move(text);
    detail.caption = std::move(caption);
    return ReadFailed(error, std::move(detail));
}

std::vector<HeldMessage> ReadMessages(const ReadResult& result)
{
    std::vector<HeldMessage> messages;
    for (const int code : result.photoCDErrors)
        messages.push_back({PhotoCDErrorText(code), "Error", MessageIcon::Stop});
    switch (result.error) {
    case ReadError::TooLarge:
        // Only a size that was read can be named.
        if (result.detail.width && result.detail.height)
            messages.push_back({TooLargeText(result.detail), {}, MessageIcon::Stop});
        break;
    case ReadError::OutOfMemory: messages.push_back({OutOfMemoryText(result.detail.name), {}, MessageIcon::Stop}); break;
    default:
        if (!result.detail.text.empty())
            messages.push_back({result.detail.text, result.detail.caption, MessageIcon::Stop});
        break;
    }
    return messages;
}

std::string ReadErrorWords(ReadError error)
{
    switch (error) {
    case ReadError::None: return "image lue";
    case ReadError::NotFound: return "fichier introuvable";
    case ReadError::NotThisType: return "ce fichier n'est pas une image de ce type";
    case ReadError::Unsupported: return "variante de format non prise en charge";
    case ReadError::Damaged: return "fichier endommagé";
    case ReadError::TooLarge: return "image trop grande";
    case ReadError::OutOfMemory: return "mémoire insuffisante";
    case ReadError::Stopped: return "lecture interrompue";
    }
    return "image illisible";
}

}  // namespace lumora
