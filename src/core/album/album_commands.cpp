#include "core/album/album_commands.h"

#include <algorithm>

#include "core/album/album_preview.h"
#include "core/album/tab_numbering.h"
#include "core/layout/layout_table.h"
#include "core/platform/ordered_parallel.h"
#include "core/platform/services.h"
#include "core/res/strings.h"

namespace lumora {
namespace {

bool IsItem(const AlbumDocument& doc, int index)
{
    return index >= 0 && static_cast<size_t>(index) < doc.ItemCount();
}

// A selection that names an item, or 0 in an empty album.
int ClampSelection(const AlbumDocument& doc, int selection)
{
    if (doc.Items().empty())
        return 0;
    return std::clamp(selection, 0, static_cast<int>(doc.ItemCount()) - 1);
}

bool SameSection(const AlbumDocument& doc, size_t a, size_t b)
{
    return doc.Items()[a]->tabIndex == doc.Items()[b]->tabIndex;
}

// Where the item at `s` stands in its section, noted before it goes.
struct SectionFacts {
    bool alone = false;        // no other item shares its section
    bool nextDiffers = false;  // the item after it starts another section
};

SectionFacts NoteSectionFacts(const AlbumDocument& doc, size_t s)
{
    const size_t count = doc.ItemCount();
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
    const bool tabs = doc.Settings().useTabs;
    const SectionFacts facts = tabs ? NoteSectionFacts(doc, s) : SectionFacts{};

    // The section would be left without items: its tab goes first. The
    // album's last item keeps its tab, so that an album always has one.
    std::optional<size_t> tab;
    if (tabs && facts.alone && doc.ItemCount() > 1) {
        const auto position = static_cast<size_t>(std::max<int16_t>(doc.Items()[s]->tabIndex, 0));
        if (position < doc.TabCount())
            tab = position;
    }
    outcome.tabRemoved = tab.has_value();
    doc.Perform(MakeRemoval(doc, s, tab, RemovalKind::Delete));
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
    if (selection < 0 || static_cast<size_t>(selection) >= doc.ItemCount())
        return std::max(selection, 0);
    doc.Perform(MakeRemoval(doc, static_cast<size_t>(selection), std::nullopt, RemovalKind::Cut));
    const int last = static_cast<int>(doc.ItemCount()) - 1;
    return std::clamp(selection, 0, std::max(last, 0));
}

int PasteAlbumItem(AlbumDocument& doc, int selection, std::unique_ptr<AlbumItem> item)
{
    const size_t index = doc.Items().empty() ? 0 : static_cast<size_t>(std::max(selection, 0));
    const size_t at = std::min(index, doc.ItemCount());
    if (item && item->IsPhoto())
        item->MakeFastBitmap();  // its screen copy, when the program keeps them
    return doc.InsertItem(std::move(item), at, InsertionKind::Paste) ? static_cast<int>(at) : -1;
}

namespace {

// A photo whose preview was made on a worker: finished here (the load-error
// question asked when its file could not be read) and placed before `index`
// in `section`, the step joined to the photos placed before it in the run.
bool PlaceMadePhoto(AlbumDocument& doc, const std::string& path, PreviewPicture made, size_t index,
                    std::optional<int16_t> section)
{
    auto item = std::make_unique<AlbumItem>(path);
    const PageLayout& layout = doc.Layout();
    if (!item->FinishPreview(std::move(made), layout.boxWidth, layout.boxHeight, AppPalette()))
        return false;
    index = std::min(index, doc.ItemCount());
    item->tabIndex = section.value_or(SectionForInsertion(doc.Items(), index));
    std::vector<std::unique_ptr<AlbumItem>> placed;
    placed.push_back(std::move(item));
    doc.Perform(MakeInsertion(doc, index, std::move(placed), InsertionKind::Photos, true));
    return true;
}

}  // namespace

size_t InsertImagesBefore(AlbumDocument& doc, const std::vector<std::string>& paths, size_t index,
                          std::optional<int16_t> section, InsertProgress* progress)
{
    // The loop reports progress per file; previews are read quietly.
    const int total = static_cast<int>(paths.size());
    index = std::min(index, doc.ItemCount());
    size_t inserted = 0;
    // The pictures are decoded on the workers; the items are made and
    // placed here, in the order given.
    const PageLayout& layout = doc.Layout();
    const uint16_t boxWidth = layout.boxWidth, boxHeight = layout.boxHeight;
    const Palette& palette = AppPalette();
    const PreviewColors colors = PreferredPreviewColors();
    // The photos of this run make one step, not joined to a step before.
    doc.CloseStep();
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
            if (PlaceMadePhoto(doc, paths[i], std::move(made), index + inserted, section))
                ++inserted;
            if (progress)
                progress->Step(static_cast<int>(i) + 1, total);
        },
        hooks);
    doc.CloseStep();
    return inserted;
}

int InsertImages(AlbumDocument& doc, const std::vector<std::string>& paths, int selection,
                 bool insertAfter, InsertProgress* progress)
{
    const size_t index = static_cast<size_t>(std::max(selection, 0)) + (insertAfter ? 1 : 0);
    const size_t inserted = InsertImagesBefore(doc, paths, index, std::nullopt, progress);
    if (insertAfter && inserted > 0)
        return ClampSelection(doc, selection + 1);
    return selection;
}

TextFont DefaultTextFont()
{
    TextFont font;
    font.height = -16;
    font.weight = 400;
    font.faceName = "Times New Roman";
    return font;
}

int InsertTextItem(AlbumDocument& doc, int selection, std::string text, const TextFont& font,
                   Rgb color)
{
    const int index = ClampSelection(doc, selection);
    doc.InsertItem(std::make_unique<AlbumItem>(std::move(text), font, color),
                   static_cast<size_t>(index), InsertionKind::Text);
    return index;
}

void SetTextItem(AlbumDocument& doc, int index, std::string text, const TextFont& font,
                 Rgb color)
{
    if (!IsItem(doc, index) || doc.Items()[static_cast<size_t>(index)]->IsPhoto())
        return;
    ItemContent content = ContentOf(*doc.Items()[static_cast<size_t>(index)]);
    content.text = std::move(text);
    content.font = font;
    content.textColor = color;
    doc.Perform(MakeContentChange(doc, static_cast<size_t>(index), std::move(content), ContentKind::Text));
}

bool SetItemDescription(AlbumDocument& doc, int index, const std::string& description, bool typing)
{
    if (!IsItem(doc, index))
        return false;
    const auto at = static_cast<size_t>(index);
    ItemContent content = ContentOf(*doc.Items()[at]);
    if (content.description == description)
        return false;
    content.description = description;
    doc.Perform(MakeContentChange(doc, at, std::move(content), ContentKind::Description, typing));
    return true;
}

int SelectedTab(const AlbumDocument& doc, int selection)
{
    if (doc.Items().empty() || doc.Tabs().empty())
        return 0;
    const int tab = doc.Items()[static_cast<size_t>(ClampSelection(doc, selection))]->tabIndex;
    return std::clamp(tab, 0, static_cast<int>(doc.TabCount()) - 1);
}

void SetTabProperties(AlbumDocument& doc, int tab, std::string name, Rgb tabColor,
                      Rgb nameColor)
{
    if (tab < 0 || static_cast<size_t>(tab) >= doc.TabCount())
        return;
    doc.Perform(MakeTabChange(doc, static_cast<size_t>(tab), std::move(name), tabColor, nameColor));
}

void ToggleTabs(AlbumDocument& doc)
{
    AlbumSettings settings = SettingsOf(doc);
    settings.useTabs = !doc.Settings().useTabs;
    doc.Perform(MakeSettingsChange(doc, settings, settings.useTabs ? SettingsKind::TabsOn : SettingsKind::TabsOff));
}

bool ChangeAlbumSettings(AlbumDocument& doc, const AlbumSettings& settings, SettingsKind kind,
                         const ParallelHooks& hooks)
{
    if (BoxSize(doc.Layout()) == BoxSize(LayoutOf(settings.layout))) {
        doc.Perform(MakeSettingsChange(doc, settings, kind));
        return false;
    }
    StatusDisplay& status = CurrentStatusDisplay();
    status.BeginWaitCursor();
    const std::string kept = status.StatusText();
    status.SetStatusText(LoadString(kStrRemakingPreviews));
    doc.Perform(MakeLayoutChange(doc, settings, hooks));
    status.SetStatusText(kept);
    status.EndWaitCursor();
    return true;
}

bool ChangeLayout(AlbumDocument& doc, BookLayout layout)
{
    AlbumSettings settings = SettingsOf(doc);
    settings.layout = layout;
    return ChangeAlbumSettings(doc, settings, SettingsKind::Properties);
}

bool MoveAlbumItem(AlbumDocument& doc, int from, int to, std::optional<int16_t> section)
{
    if (!IsItem(doc, from) || !IsItem(doc, to))
        return false;
    if (from == to && (!section || *section == doc.Items()[static_cast<size_t>(from)]->tabIndex))
        return false;
    doc.Perform(MakeMove(doc, static_cast<size_t>(from), static_cast<size_t>(to), section));
    return true;
}

}  // namespace lumora
