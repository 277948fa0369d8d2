#pragma once
// How a picture is to be read, chosen by whoever reads it and handed to the
// reader. Nothing about reading is program-wide: two threads reading at the
// same time each get what they asked for (a gather converting in full colour
// on its workers while a picture window opens a JPEG in 256 colours).
#include <atomic>
#include <cstdint>

#include "core/picture/picture_limits.h"
#include "core/picture/read_result.h"

namespace lumora {

struct Preferences;

struct ReadOptions {
    // JPEG files read as 8-bit pictures of at most 236 colours (else 24-bit).
    bool jpeg256 = false;
    // Photo CD resolution: 0..3 = 192x128, 384x256, 768x512, 1536x1024.
    int photoCDSize = 2;
    // The reader drives the progress gauge itself. Off on worker threads and
    // while an operation that reads many pictures reports its own progress.
    bool progress = false;
    // The largest picture accepted, in pixels, checked from the declared
    // size before any pixel memory is taken.
    uint64_t maxPixels = MaxPicturePixels();
    // Raised by another thread to stop the read: the reader looks between
    // rows (or strips, or images) and gives ReadError::Stopped.
    const std::atomic<bool>* stop = nullptr;

    bool StopRequested() const { return stop && stop->load(std::memory_order_relaxed); }
    bool SizeAllowed(uint64_t width, uint64_t height) const
    {
        return PictureSizeAllowed(width, height, maxPixels);
    }
    ReadResult TooLarge(uint64_t width, uint64_t height) const
    {
        return PictureTooLarge(width, height, maxPixels);
    }
};

// What the user's preferences choose, the reader reporting its progress.
ReadOptions ReadOptionsFromPreferences(const Preferences& preferences);

}  // namespace lumora
