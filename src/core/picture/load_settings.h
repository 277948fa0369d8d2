#pragma once
// Program-wide settings that the image readers consult: whether they drive
// the progress gauge themselves, the JPEG colour mode and the Photo CD size.
// The application loads the last two from its preferences. They are atomic:
// a gather or a print reads pictures on worker threads while the user
// interface thread lives on.
#include <atomic>

namespace lumora {

struct ImageLoadSettings {
    // Off while an operation loads many pictures in a row and reports
    // progress itself (opening an album, remaking previews...).
    std::atomic<bool> loadProgressOn = true;
    // JPEG files read as 8-bit pictures of at most 236 colours (else 24-bit,
    // as the command line reads them unless told otherwise).
    std::atomic<bool> jpeg256 = false;
    // Photo CD resolution: 0..3 = 192x128, 384x256, 768x512, 1536x1024.
    std::atomic<int> photoCDSize = 2;
};

ImageLoadSettings& LoadSettings();

// Turns the readers' own progress off for a scope and restores it after.
class ScopedLoadProgressOff {
public:
    ScopedLoadProgressOff() : saved_(LoadSettings().loadProgressOn)
    {
        LoadSettings().loadProgressOn = false;
    }
    ~ScopedLoadProgressOff() { LoadSettings().loadProgressOn = saved_; }
    ScopedLoadProgressOff(const ScopedLoadProgressOff&) = delete;
    ScopedLoadProgressOff& operator=(const ScopedLoadProgressOff&) = delete;

private:
    bool saved_;
};

// Reads JPEG files in full colour for a scope, whatever the preference says
// (pictures converted to JPEG again would band in 236 colours).
class ScopedFullColourJpeg {
public:
    ScopedFullColourJpeg() : saved_(LoadSettings().jpeg256) { LoadSettings().jpeg256 = false; }
    ~ScopedFullColourJpeg() { LoadSettings().jpeg256 = saved_; }
    ScopedFullColourJpeg(const ScopedFullColourJpeg&) = delete;
    ScopedFullColourJpeg& operator=(const ScopedFullColourJpeg&) = delete;

private:
    bool saved_;
};

}  // namespace lumora
