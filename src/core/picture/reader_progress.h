#pragma once
// The progress gauge as a picture reader drives it: begun when the reader
// starts (only if its caller lets it report its own progress),
// stepped once per row, ended however the reader leaves.
#include "core/platform/services.h"

namespace lumora {

class ReaderProgress {
public:
    explicit ReaderProgress(bool on) : on_(on)
    {
        if (on_)
            CurrentProgressSink().Begin();
    }
    ~ReaderProgress()
    {
        if (on_)
            CurrentProgressSink().End();
    }
    ReaderProgress(const ReaderProgress&) = delete;
    ReaderProgress& operator=(const ReaderProgress&) = delete;

    void Step(long done, long total)
    {
        if (on_)
            CurrentProgressSink().SetProgress(done, total);
    }

private:
    bool on_;
};

}  // namespace lumora
