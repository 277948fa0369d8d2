#include "core/album/album_commands.h"

#include <algorithm>

#include "core/album/album_preview.h"
#include "core/layout/layout_table.h"
#include "core/platform/ordered_parallel.h"
#include "core/platform/services.h"
#include "core/res/strings.h"

namespace lumora {
namespace {

bool IsItem(const AlbumDocument& doc, int index)
{
    return index >= 0 && static_cast<size_t>(index) < doc.items.size();
}

// A selection that names an item, or 0 in an empty album.
int ClampSelection(const AlbumDocument& doc, int selection)
{
    if (doc.items.empty())
        return 0;
    return std::clamp(selection, 0, static_cast<int>(doc.items.size()) - 1);
}

bool SameSection(const AlbumDocument& doc, size_t a, size_t b)
{
    return doc.items[a]->tabIndex == doc.items[b]->tabIndex;
}

// Where the item at `s` stands in its section, noted before it goes.
struct SectionFacts {
    bool alone = false;        // no other item shares its section
    bool nextDiffers = false;  // the item after it starts another section
};

SectionFacts NoteSectionFacts(const AlbumDocument& doc, size_t s)
{
    const size_t count = doc.items.size();
    const bool hasNext = s + 1 < count;
    const bool nextOther = hasNext && !SameSection(doc, s, s + 1);
    SectionFacts facts;
    if (s == 0) {
        facts.alone = nextOther;
        facts.nextDiffers = facts.alone;
    } else if (!hasNext) {
        facts.alone = !SameSection(doc, s - 1, s);
    } else {
        facts.alone = !SameSection(doc, s - 1, s) && nextOther;
        facts.nextDiffers = nextOther;
    }
    return facts;
}

}  // namespace

DeleteOutcome DeleteAlbumItem(AlbumDocument& doc, int selection)
{
    DeleteOutcome outcome;
    if (!IsItem(doc, selection)) {
        outcome.selection = ClampSelection(doc, selection);
        return outcome;
    }
    const auto s = static_cast<size_t>(selection);
    const bool tabs = doc.useTabs != 0;
    const SectionFacts facts = tabs ? NoteSectionFacts(doc, s) : SectionFacts{};

    // The section would be left without items: its tab goes first. The
    // album's last item keeps its tab, so that an album always has one.
    if (tabs && facts.alone && doc.items.size() > 1) {
        const auto tab = static_cast<size_t>(std::max<int16_t>(doc.items[s]->tabIndex, 0));
        outcome.tabRemoved = doc.DeleteTab(tab);
    }
    doc.items.erase(doc.items.begin() + static_cast<ptrdiff_t>(s));
    doc.UpdateAfterChange();
    outcome.deleted = true;

    // The last item of a section hands the selection to the one before it,
    // which is still in that section.
    if (tabs && facts.nextDiffers && !facts.alone && selection > 0)
        --selection;
    outcome.selection = ClampSelection(doc, selection);
    return outcome;
}

int CutAlbumItem(AlbumDocument& doc, int selection)
{
    if (selection < 0 || static_cast<size_t>(selection) >= doc.items.size())
        return std::max(selection, 0);
    doc.items.erase(doc.items.begin() + selection);
    doc.UpdateAfterChange();
    const int last = static_cast<int>(doc.items.size()) - 1;
    return std::clamp(selection, 0, std::max(last, 0));
}

int PasteAlbumItem(AlbumDocument& doc, int selection, std::unique_ptr<AlbumItem> item)
{
    const size_t index = doc.items.empty() ? 0 : static_cast<size_t>(std::max(selection, 0));
    const size_t at = std::min(index, doc.items.size());
    if (item && item->IsPhoto())
        item->MakeFastBitmap();  // its screen copy, when the program keeps them
    return doc.InsertItem(std::move(item), at) ? static_cast<int>(at) : -1;
}

int InsertImages(AlbumDocument& doc, const std::vector<std::string>& paths, int selection,
                 bool insertAfter, InsertProgress* progress)
{
    // The loop reports progress per file; previews are read quietly.
    const int total = static_cast<int>(paths.size());
    size_t index = std::min(static_cast<size_t>(std::max(selection, 0)) + (insertAfter ? 1 : 0),
                            doc.items.size());
    int inserted = 0;
    // The pictures are decoded on the workers; the items are made and
    // placed here, in the order chosen.
    const PageLayout& layout = doc.Layout();
    const uint16_t boxWidth = layout.boxWidth, boxHeight = layout.boxHeight;
    const Palette& palette = AppPalette();
    const PreviewColors colors = PreferredPreviewColors();
    ParallelHooks hooks;
    if (progress) {
        hooks.cancelled = [progress] { return progress->Cancelled(); };
        hooks.idle = [progress] { progress->Idle(); };
    }
    RunInOrder<PreviewPicture>(
        paths.size(),
        [&](size_t i) {
            return MakePreviewOnWorker(paths[i], boxWidth, boxHeight, palette, colors);
        },
        [&](size_t i, PreviewPicture&& made) {
            if (doc.InsertMadeImage(paths[i], std::move(made), index)) {
                ++index;
                ++inserted;
            }
            if (progress)
                progress->Step(static_cast<int>(i) + 1, total);
        },
        hooks);
    if (insertAfter && inserted > 0)
        return ClampSelection(doc, selection + 1);
    return selection;
}

LogFont DefaultTextFont()
{
    LogFont font;
    font.height = -16;
    font.weight = 400;
    font.faceName = "Times New Roman";
    return font;
}

int InsertTextItem(AlbumDocument& doc, int selection, std::string text, const LogFont& font,
                   Rgb color)
{
    const int index = ClampSelection(doc, selection);
    doc.InsertItem(std::make_unique<AlbumItem>(std::move(text), font, color),
                   static_cast<size_t>(index));
    return index;
}

void SetTextItem(AlbumDocument& doc, int index, std::string text, const LogFont& font,
                 Rgb color)
{
    if (!IsItem(doc, index) || doc.items[static_cast<size_t>(index)]->IsPhoto())
        return;
    AlbumItem& item = *doc.items[static_cast<size_t>(index)];
    item.text = std::move(text);
    item.font = font;
    item.textColor = color;
    doc.UpdateAfterChange();
}

bool SetItemDescription(AlbumDocument& doc, int index, const std::string& description)
{
    if (!IsItem(doc, index))
        return false;
    std::string& current = doc.items[static_cast<size_t>(index)]->description;
    if (current == description)
        return false;
    current = description;
    doc.SetModifiedFlag();
    return true;
}

int SelectedTab(const AlbumDocument& doc, int selection)
{
    if (doc.items.empty() || doc.tabs.empty())
        return 0;
    const int tab = doc.items[static_cast<size_t>(ClampSelection(doc, selection))]->tabIndex;
    return std::clamp(tab, 0, static_cast<int>(doc.tabs.size()) - 1);
}

void SetTabProperties(AlbumDocument& doc, int tab, std::string name, Rgb tabColor,
                      Rgb nameColor)
{
    if (tab < 0 || static_cast<size_t>(tab) >= doc.tabs.size())
        return;
    SectionTab& edited = *doc.tabs[static_cast<size_t>(tab)];
    edited.name = std::move(name);
    edited.tabColor = tabColor;
    edited.nameColor = nameColor;
    doc.UpdateAfterChange();
}

void ToggleTabs(AlbumDocument& doc)
{
    doc.useTabs = doc.useTabs ? 0 : 1;
    doc.UpdateAfterChange();
}

bool RemakePreviewsForLayoutChange(AlbumDocument& doc, int previousLayout, const ParallelHooks& hooks)
{
    if (LayoutsShareBoxSize(previousLayout, doc.layoutIndex))
        return false;
    StatusDisplay& status = CurrentStatusDisplay();
    status.BeginWaitCursor();
    const std::string kept = status.StatusText();
    status.SetStatusText(LoadString(kStrRemakingPreviews));
    doc.RemakePreviews(hooks);
    status.SetStatusText(kept);
    doc.Paginate();
    status.EndWaitCursor();
    return true;
}

bool ChangeLayout(AlbumDocument& doc, int16_t layout)
{
    const int previous = doc.layoutIndex;
    doc.layoutIndex = layout;
    return RemakePreviewsForLayoutChange(doc, previous);
}

}  // namespace lumora
