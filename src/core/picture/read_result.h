#pragma once
// What a picture reader gives back: the picture, or why there is none. A
// reader never speaks to the user; whoever asked for the picture shows the
// messages ReadMessages makes of the result, on its own thread, or tells
// the failure its own way (the command line's one line).
#include <cstdint>
#include <string>
#include <vector>

#include "core/picture/picture.h"
#include "core/platform/services.h"

namespace lumora {

enum class ReadError {
    None,
    NotFound,     // no file by that name, or it could not be opened
    NotThisType,  // not a picture of the kind its name announces (a FIFO, a device, other bytes)
    Unsupported,  // a variant of the format this program does not read
    Damaged,      // damaged or truncated
    TooLarge,     // more pixels than the limit allows
    OutOfMemory,  // the picture's memory could not be found
    Stopped,      // the caller's stop flag was raised while reading
};

// What a message needs beyond the error itself.
struct ReadDetail {
    std::string text;     // the library's own words (libtiff), shown as they are
    std::string caption;  // the caption of that message (libtiff's module)
    std::string name;     // the file or the kind of picture a lack of memory names
    uint64_t width = 0, height = 0, limitPixels = 0;  // a picture too large
};

struct ReadResult {
    Picture picture;
    ReadError error = ReadError::None;
    ReadDetail detail;
    // The Photo CD decoder's numbered faults: it goes on after each, so a
    // damaged pack may still give a picture.
    std::vector<int> photoCDErrors;

    ReadResult() = default;
    ReadResult(Picture read) : picture(std::move(read))  // NOLINT: a picture is a result
    {
        if (!picture)
            error = ReadError::Damaged;
    }
    explicit operator bool() const { return static_cast<bool>(picture); }
};

// A result without a picture.
ReadResult ReadFailed(ReadError error, ReadDetail detail = {});
ReadResult PictureTooLarge(uint64_t width, uint64_t height, uint64_t limitPixels);
ReadResult PictureOutOfMemory(std::string name);
// A failure with words of its own to show (a library's, the picture
// library's "File Not Found!").
ReadResult ReadFailedSaying(ReadError error, std::string text, std::string caption = {});

// The stop boxes the program shows for a read, in order (an empty caption:
// the program's own): none for most failures (the caller says in its own
// words that nothing could be read), the size limit's and the memory's
// texts, libtiff's first error, each Photo CD fault. The thread that took
// the result shows them (ShowHeldMessages) or prints them.
std::vector<HeldMessage> ReadMessages(const ReadResult& result);

// A few words for the command line: "fichier introuvable", "fichier
// endommagé"...
std::string ReadErrorWords(ReadError error);

}  // namespace lumora
