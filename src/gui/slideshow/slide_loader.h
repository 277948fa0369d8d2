#pragma once
// Reading slides for the screen, and reading the next one ahead on a worker
// thread while the current one is shown.
#include <QImage>
#include <QSize>
#include <future>
#include <string>
#include <vector>

#include "core/picture/read_options.h"
#include "core/platform/services.h"

namespace lumora {

// The photo at `path` as it will be drawn on a screen of `screen` pixels:
// a large JPEG decoded reduced, and a picture larger than the screen
// brought within it (smoothly, aspect kept) unless `realSize`; in 24 bits
// (RGB32). On a 4- or 8-bit screen (ScreenDepth) the display copy: a true-
// colour picture dithered to 16 colours or mapped onto the application
// palette, a 256-colour one dithered to 16 colours on a 4-bit screen.
// A null image when the file cannot be read. Formats other than JPEG are
// read as `options` say. The reader's messages come with the picture, to
// be shown by the thread that takes it.
struct SlideImage {
    QImage image;
    std::vector<HeldMessage> messages;
};
SlideImage LoadSlideImage(const std::string& path, QSize screen, bool realSize, const ReadOptions& options);

// One slide read ahead.
class SlidePrefetcher {
public:
    SlidePrefetcher(QSize screen, bool realSize, const ReadOptions& options)
        : screen_(screen), realSize_(realSize), options_(options)
    {
    }
    ~SlidePrefetcher();

    // Starts reading `path` on a worker thread (replacing any earlier
    // request; an unfinished one is left to finish and dropped).
    void Request(const std::string& path);
    // The picture of `path`: the one read ahead when it was requested
    // (waiting for it to finish if need be), else read now.
    SlideImage Take(const std::string& path);
    // True when `path` was requested and its reading has finished.
    bool Ready(const std::string& path) const;

private:
    QSize screen_;
    bool realSize_;
    ReadOptions options_;
    std::string path_;
    std::future<SlideImage> pending_;
};

}  // namespace lumora
