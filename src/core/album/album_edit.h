#pragma once
// A reversible change to an album: the unit of its history. An edit holds
// only what it changed (a deleted item with its preview, a text as it was),
// never a copy of the album. Apply makes the change (again, for redo),
// Revert takes it back; both leave the album's bytes exactly as they were
// at that point of its history.
#include <cstddef>
#include <memory>
#include <string>

namespace lumora {

class AlbumDocument;
struct AlbumFields;
struct ParallelHooks;

// What one step touched, for the album's observers and views.
struct AlbumChange {
    static constexpr size_t kToEnd = static_cast<size_t>(-1);
    size_t firstItem = 0;
    size_t itemCount = 0;  // kToEnd: every item from firstItem on
    bool tabs = false;
    bool settings = false;
    int select = -1;       // the item to select afterwards, -1: keep the selection
    bool relayout = true;  // false: nothing moved on the pages (a description)

    static AlbumChange Items(size_t first, size_t count, int select = -1)
    {
        return {first, count, false, false, select, true};
    }
    bool TouchesItems() const { return itemCount != 0; }
};

// Told of every change step, after the pages were laid out again.
class AlbumObserver {
public:
    virtual ~AlbumObserver() = default;
    // Items [first, first + count) changed, were inserted, or follow a
    // removal or a move; count may be AlbumChange::kToEnd.
    virtual void ItemsChanged(size_t /*first*/, size_t /*count*/) {}
    virtual void TabsChanged() {}
    virtual void SettingsChanged() {}
    virtual void ModifiedChanged(bool /*modified*/) {}
    // A step was done, undone or redone, or the history was cleared.
    virtual void HistoryChanged() {}
};

class AlbumEdit {
public:
    virtual ~AlbumEdit() = default;
    // What the step does, as the Edit menu names it after "Annuler" and
    // "Rétablir": "la suppression", "l'insertion de 12 photos".
    virtual std::string Label() const = 0;
    virtual AlbumChange Apply(AlbumDocument& doc) = 0;
    virtual AlbumChange Revert(AlbumDocument& doc) = 0;
    // The step just done takes `next` into itself (successive keystrokes of
    // one description, the photos of one insertion); `next` was applied.
    virtual bool Absorb(AlbumEdit& /*next*/) { return false; }
    // Bytes the step keeps besides whole items and their previews.
    virtual size_t OverheadBytes() const = 0;
    // Whole items the step keeps (deleted, or undone insertions).
    virtual size_t HeldItems() const { return 0; }

protected:
    // The album's state, which only its edits change (the document lets
    // this class, and no other, reach it).
    static AlbumFields& StateOf(AlbumDocument& doc);
    // Every photo's preview made again for the album's layout, photos that
    // cannot be read any more removed (a layout change's first apply).
    static void RemakePreviews(AlbumDocument& doc, const ParallelHooks& hooks);
};

}  // namespace lumora
