#pragma once
// The edits of an album, each one step of its history. The makers take the
// album as it is just before the edit is applied (AlbumDocument::Perform
// applies it at once) and note what the step must give back.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/album/album_edit.h"
#include "core/album/album_item.h"
#include "core/album/album_settings.h"
#include "core/album/text_font.h"
#include "core/album/section_tab.h"
#include "core/platform/ordered_parallel.h"

namespace lumora {

class AlbumDocument;

// What an item shows besides its picture: the parts the editing commands
// change.
struct ItemContent {
    std::string text;
    std::optional<TextFont> font;
    Rgb textColor = 0;
    std::string soundPath;
    std::string description;
    friend bool operator==(const ItemContent&, const ItemContent&) = default;
};
ItemContent ContentOf(const AlbumItem& item);

// The album's settings as they are (the value a settings edit starts from).
AlbumSettings SettingsOf(const AlbumDocument& album);

// What an insertion is, for its label.
enum class InsertionKind { Photos, Text, Paste };

// Items placed before `index` (appended past the end), each keeping the
// section it was given. Photos of one insertion (`grouped`) that follow one
// another make one step.
std::unique_ptr<AlbumEdit> MakeInsertion(const AlbumDocument& doc, size_t index,
                                         std::vector<std::unique_ptr<AlbumItem>> items,
                                         InsertionKind kind, bool grouped = false);

// The item at `index` leaves the album (delete, cut); `tab`, when given, is
// deleted first, its later sections renumbered.
enum class RemovalKind { Delete, Cut };
std::unique_ptr<AlbumEdit> MakeRemoval(const AlbumDocument& doc, size_t index,
                                       std::optional<size_t> tab, RemovalKind kind);

// The item at `from` goes to place `to` (its index afterwards), joining
// `section`, or when none is given the section of the item it lands before
// (of the last item, at the end).
std::unique_ptr<AlbumEdit> MakeMove(const AlbumDocument& doc, size_t from, size_t to,
                                    std::optional<int16_t> section = std::nullopt);

// An item's text, font, colour, sound or description. Successive changes of
// one description (`typing`) make one step until the history closes it.
enum class ContentKind { Text, Description, SoundAttached, SoundRemoved };
std::unique_ptr<AlbumEdit> MakeContentChange(const AlbumDocument& doc, size_t index,
                                             ItemContent after, ContentKind kind,
                                             bool typing = false);

// A photo's file is at another path (the album moved with its photos).
std::unique_ptr<AlbumEdit> MakePhotoFileChange(const AlbumDocument& doc, size_t index, std::string imagePath);

// A tab inserted at `position`; the items from `firstItem` on move to the
// section after theirs.
std::unique_ptr<AlbumEdit> MakeTabInsertion(const AlbumDocument& doc, size_t position,
                                            std::unique_ptr<SectionTab> tab, size_t firstItem);
std::unique_ptr<AlbumEdit> MakeTabRemoval(const AlbumDocument& doc, size_t position);
std::unique_ptr<AlbumEdit> MakeTabChange(const AlbumDocument& doc, size_t position,
                                         std::string name, Rgb tabColor, Rgb nameColor);

enum class SettingsKind { Properties, TitleAndFonts, TabsOn, TabsOff };
std::unique_ptr<AlbumEdit> MakeSettingsChange(const AlbumDocument& doc, AlbumSettings after,
                                              SettingsKind kind);
// New settings whose layout has picture boxes of another size: applied the
// first time, every preview is made again (`hooks` may stop the rest); the
// step keeps the items as they were, so that undo puts the old previews
// back without remaking them, and redo the new ones.
std::unique_ptr<AlbumEdit> MakeLayoutChange(const AlbumDocument& doc, AlbumSettings after,
                                            ParallelHooks hooks = {});

}  // namespace lumora
