#pragma once
// The steps of an album's editing, for undo and redo, and the point at
// which the album was last saved. The document runs the steps; the history
// only keeps them in order.
#include <cstddef>
#include <deque>
#include <memory>
#include <string>

#include "core/album/album_edit.h"

namespace lumora {

class AlbumHistory {
public:
    static constexpr size_t kDefaultLimit = 1000;
    explicit AlbumHistory(size_t limit = kDefaultLimit) : limit_(limit) {}

    // A step just applied. It drops the steps that were undone; it is taken
    // into the last step when that one is still open and absorbs it. The
    // oldest step goes beyond the limit.
    void Push(std::unique_ptr<AlbumEdit> edit);
    // The last step takes no more into itself (a field lost the focus).
    void CloseStep() { open_ = false; }

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The step an undo or a redo would run; null when there is none.
    AlbumEdit* StepToUndo() const { return CanUndo() ? steps_[done_ - 1].get() : nullptr; }
    AlbumEdit* StepToRedo() const { return CanRedo() ? steps_[done_].get() : nullptr; }
    // After the step to undo (redo) was reverted (applied).
    void Undone();
    void Redone();

    size_t StepCount() const { return steps_.size(); }
    // How many steps are done: the point the album stands at.
    size_t DoneCount() const { return done_; }
    const AlbumEdit& Step(size_t i) const { return *steps_[i]; }

    // The save point: the album as saved is the album at this point.
    void MarkSaved();
    bool AtSavePoint() const { return savePoint_ == done_; }
    // A change made outside the history: no point of it is the saved album.
    void ForgetSavePoint() { savePoint_ = kNoPoint; }

    void Clear();

    // What the steps keep besides whole items and previews, and the items.
    size_t OverheadBytes() const;
    size_t HeldItems() const;

private:
    static constexpr size_t kNoPoint = static_cast<size_t>(-1);

    std::deque<std::unique_ptr<AlbumEdit>> steps_;
    size_t done_ = 0;
    size_t savePoint_ = 0;
    size_t limit_;
    bool open_ = false;
};

// The Edit menu's labels: "&Annuler la suppression", "&Rétablir l'insertion
// de 12 photos", or "&Annuler" / "&Rétablir" alone when there is nothing.
std::string UndoMenuLabel(const AlbumHistory& history);
std::string RedoMenuLabel(const AlbumHistory& history);

}  // namespace lumora
