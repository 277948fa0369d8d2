#pragma once
// The progress of long work on many photos (insertion, previews remade for
// another layout) on the frame's gauge. While the pictures are decoded the
// windows keep repainting; the user's other input is held back (nothing may
// change the album under the work) except Échap, which stops the rest of it.
#include <QObject>

#include "core/album/album_commands.h"
#include "core/platform/ordered_parallel.h"

namespace lumora {

class CommandHost;

class GaugeInsertProgress final : public QObject, public InsertProgress {
public:
    explicit GaugeInsertProgress(CommandHost& frame);
    ~GaugeInsertProgress() override;

    void Step(int done, int total) override;
    bool Cancelled() override { return cancelled_; }
    void Idle() override;
    // The same for work that drives the gauge itself: Idle and Cancelled.
    ParallelHooks Hooks();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CommandHost& frame_;
    bool cancelled_ = false;
    bool pumping_ = false;
};

}  // namespace lumora
