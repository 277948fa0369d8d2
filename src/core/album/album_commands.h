#pragma once
// The rules of the commands that change an album from its window: deleting
// an item, inserting photos and texts, editing a text, a description or a
// tab, switching the tabs on and off. The window asks its questions first
// (confirmations, dialogs) and then calls these; the command line calls them
// directly. Every one of them marks the album modified when it changes it.
#include <optional>
#include <string>
#include <vector>

#include "core/album/album_document.h"

namespace lumora {

// Outcome of the delete command's rules (without the confirmation).
struct DeleteOutcome {
    bool deleted = false;
    bool tabRemoved = false;
    int selection = 0;
};
// Deletes the item at `selection`. With tabs on, an item alone in its
// section takes its tab with it unless it is the album's only item, and
// deleting the last item of a section selects the one before it. The
// selection comes back within the items that remain.
DeleteOutcome DeleteAlbumItem(AlbumDocument& doc, int selection);

// Cut: the item at `selection` leaves the album without a question; unlike
// delete, the tab of a section it empties stays. Returns the new selection,
// within the items that remain.
int CutAlbumItem(AlbumDocument& doc, int selection);

// Paste: the item goes before the selected item, in that item's section (a
// photo's preview remade unless it already fits the picture box), or at the
// end of an empty album, in section 0. The index it took, or -1 when a
// photo's picture could not be read again and it was dropped.
int PasteAlbumItem(AlbumDocument& doc, int selection, std::unique_ptr<AlbumItem> item);

// Insert images: paths in the order chosen, inserted at the selection (plus
// one with insertAfter), each at the running index that advances after
// every success; an abandoned/unreadable file is skipped. The pictures are
// decoded on one worker thread per core; the items are placed on the
// calling thread in the order chosen. `progress` (may be null) gets (i, n)
// after each file, keeps the caller's windows alive while it waits (Idle)
// and can stop the rest (Cancelled): the photos already in stay in. Returns the new selection (moved one
// forward when insertAfter and at least one succeeded, kept on an item).
// Photos join the section of the item they are inserted before; appended
// after the last item they join its section (section 0 in an empty album).
struct InsertProgress {
    virtual ~InsertProgress() = default;
    virtual void Step(int done, int total) = 0;
    // Asked between photos: true leaves the rest out.
    virtual bool Cancelled() { return false; }
    // Called on the calling thread while it waits for the next picture.
    virtual void Idle() {}
};
int InsertImages(AlbumDocument& doc, const std::vector<std::string>& paths, int selection,
                 bool insertAfter, InsertProgress* progress);
// The same run placed before `index` (appended past the end): every photo
// joins `section` when given (files dropped after the last item of a page),
// otherwise the section of the item it lands before. One step of the
// history. How many photos went in.
size_t InsertImagesBefore(AlbumDocument& doc, const std::vector<std::string>& paths, size_t index,
                          std::optional<int16_t> section, InsertProgress* progress);

// The font a text starts with until the user picks another: Times New
// Roman, 12 points on a 96-dpi screen, normal weight, upright.
TextFont DefaultTextFont();

// Insert text: before the selected item in its section, or appended in
// section 0 of an empty album. Returns its index.
int InsertTextItem(AlbumDocument& doc, int selection, std::string text, const TextFont& font,
                   Rgb color);
// A text item's text, font and colour (an index that is not a text item
// changes nothing).
void SetTextItem(AlbumDocument& doc, int index, std::string text, const TextFont& font,
                 Rgb color);

// The roll-up window's and the photo properties dialog's description
// change: true when it changed. Nothing is paginated: a description does
// not move anything on the pages. `typing`: successive changes make one
// step of the history until it is closed (the field lost the focus).
bool SetItemDescription(AlbumDocument& doc, int index, const std::string& description,
                        bool typing = false);

// The selected item's tab, or the first tab in an empty album. Always an
// index into the tab array, even for a damaged album whose items name a tab
// it lacks.
int SelectedTab(const AlbumDocument& doc, int selection);
void SetTabProperties(AlbumDocument& doc, int tab, std::string name, Rgb tabColor,
                      Rgb nameColor);
// Items keep their tab indices while the tabs are off, so switching them
// back on restores the sections.
void ToggleTabs(AlbumDocument& doc);

// New settings for the album, one step of its history. When the layout's
// picture box changes size every preview is made again from its picture (a
// photo that can no longer be read leaves the album) under the status text
// that says so, the gauge following the photos; `hooks` keep the caller's
// windows alive and may stop the rest. Undo puts the previews that were
// there back as they were. True when the previews were remade: the album's
// views then move to their selected items.
bool ChangeAlbumSettings(AlbumDocument& doc, const AlbumSettings& settings, SettingsKind kind,
                         const ParallelHooks& hooks = {});
// Sets the album's layout, remaking the previews as above.
bool ChangeLayout(AlbumDocument& doc, BookLayout layout);

// Moves the item at `from` to place `to` (its index afterwards); it joins
// `section` when given (a drop after the last item of a page), otherwise the
// section of the item it lands before. False (nothing done) when either
// names no item or they are the same.
bool MoveAlbumItem(AlbumDocument& doc, int from, int to, std::optional<int16_t> section = std::nullopt);

}  // namespace lumora
