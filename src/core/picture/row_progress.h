#pragma once
// The progress gauge as the JPEG and TIFF readers and the JPEG writer drive
// it: begun only while the program-wide switch allows it, stepped once per
// row, and always ended, whichever way the operation leaves.
#include "core/picture/load_settings.h"
#include "core/platform/services.h"

namespace lumora {

class RowProgress {
public:
    RowProgress() : sink_(LoadSettings().loadProgressOn ? &CurrentProgressSink() : nullptr)
    {
        if (sink_)
            sink_->Begin();
    }
    // A reading that never drives the gauge (worker threads).
    enum Silent { kSilent };
    explicit RowProgress(Silent) : sink_(nullptr) {}
    ~RowProgress()
    {
        if (sink_)
            sink_->End();
    }
    RowProgress(const RowProgress&) = delete;
    RowProgress& operator=(const RowProgress&) = delete;

    void Step(long done, long total) const
    {
        if (sink_)
            sink_->SetProgress(done, total);
    }

private:
    ProgressSink* sink_;
};

}  // namespace lumora
