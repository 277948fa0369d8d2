#pragma once
// The progress gauge as the JPEG and TIFF readers and the JPEG writer drive
// it: begun only when its caller asks for it, stepped once per
// row, and always ended, whichever way the operation leaves.
#include "core/platform/services.h"

namespace lumora {

class RowProgress {
public:
    explicit RowProgress(bool on) : sink_(on ? &CurrentProgressSink() : nullptr)
    {
        if (sink_)
            sink_->Begin();
    }
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
