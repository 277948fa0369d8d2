#include "core/album/album_history.h"

namespace lumora {

void AlbumHistory::Push(std::unique_ptr<AlbumEdit> edit)
{
    if (!edit)
        return;
    if (open_ && !CanRedo() && CanUndo() && steps_.back()->Absorb(*edit)) {
        // The step grew: the album is no longer what was saved at its end.
        if (savePoint_ == done_)
            savePoint_ = kNoPoint;
        return;
    }
    if (savePoint_ != kNoPoint && savePoint_ > done_)
        savePoint_ = kNoPoint;  // the saved album was among the undone steps
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    steps_.push_back(std::move(edit));
    ++done_;
    open_ = true;
    while (steps_.size() > limit_) {
        steps_.pop_front();
        --done_;
        savePoint_ = (savePoint_ == kNoPoint || savePoint_ == 0) ? kNoPoint : savePoint_ - 1;
    }
}

void AlbumHistory::Undone()
{
    open_ = false;
    if (done_ > 0)
        --done_;
}

void AlbumHistory::Redone()
{
    open_ = false;
    if (done_ < steps_.size())
        ++done_;
}

void AlbumHistory::MarkSaved()
{
    open_ = false;
    savePoint_ = done_;
}

void AlbumHistory::Clear()
{
    steps_.clear();
    done_ = 0;
    savePoint_ = 0;
    open_ = false;
}

size_t AlbumHistory::OverheadBytes() const
{
    size_t bytes = 0;
    for (const auto& step : steps_)
        bytes += step->OverheadBytes();
    return bytes;
}

size_t AlbumHistory::HeldItems() const
{
    size_t items = 0;
    for (const auto& step : steps_)
        items += step->HeldItems();
    return items;
}

std::string UndoMenuLabel(const AlbumHistory& history)
{
    const AlbumEdit* step = history.StepToUndo();
    return step ? "&Annuler " + step->Label() : "&Annuler";
}

std::string RedoMenuLabel(const AlbumHistory& history)
{
    const AlbumEdit* step = history.StepToRedo();
    return step ? "&Rétablir " + step->Label() : "&Rétablir";
}

}  // namespace lumora
