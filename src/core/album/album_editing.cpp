// The album document's operations on its items, tabs, previews and
// password.
#include <algorithm>

#include "core/album/album_document.h"
#include "core/album/album_edits.h"
#include "core/album/tab_numbering.h"
#include "core/platform/services.h"
#include "core/album/album_messages.h"
#include "core/album/password_codec.h"
#include "core/platform/ordered_parallel.h"
#include "core/platform/services.h"

namespace lumora {

AlbumDocument::PasswordCheck AlbumDocument::CheckPassword(PasswordPrompt* prompt)
{
    if (!state_.passwordCheckPending)
        return PasswordCheck::Passed;
    state_.passwordCheckPending = false;
    if (state_.settings.password.empty())
        return PasswordCheck::Passed;
    const auto typed = prompt ? prompt->AskPassword() : std::nullopt;
    if (!typed)
        return PasswordCheck::Cancelled;
    return *typed == state_.settings.password ? PasswordCheck::Passed : PasswordCheck::Wrong;
}

bool AlbumDocument::SetPassword(const std::string& newPassword)
{
    if (!PasswordCanBeStored(newPassword))
        return false;
    AlbumSettings changed = state_.settings;
    changed.password = newPassword;
    Perform(MakeSettingsChange(*this, std::move(changed), SettingsKind::Properties));
    return true;
}

void AlbumDocument::RemakePreviews(const ParallelHooks& hooks)
{
    StatusDisplay& status = CurrentStatusDisplay();
    status.BeginWaitCursor();
    {
        ProgressSink& progress = CurrentProgressSink();
        progress.Begin();
        // The photos as they are now; the workers read only their paths.
        std::vector<AlbumItem*> photos;
        std::vector<std::string> paths;
        for (const auto& item : state_.items)
            if (item->IsPhoto()) {
                photos.push_back(item.get());
                paths.push_back(item->imagePath);
            }
        const PageLayout& layout = Layout();
        const uint16_t boxWidth = layout.boxWidth, boxHeight = layout.boxHeight;
        const Palette& palette = AppPalette();
        const PreviewColors colors = PreferredPreviewColors();
        RunInOrder<PreviewPicture>(
            photos.size(),
            [&](size_t i) {
                return MakePreviewOnWorker(paths[i], boxWidth, boxHeight, palette, colors);
            },
            [&](size_t i, PreviewPicture&& made) {
                AlbumItem* photo = photos[i];
                const auto at = std::find_if(state_.items.begin(), state_.items.end(),
                                             [&](const auto& item) { return item.get() == photo; });
                if (!photo->FinishPreview(std::move(made), boxWidth, boxHeight, palette))
                    state_.items.erase(at);
                // The gauge counts the photo just done: its place + 1 among
                // the items there are now.
                const auto done = static_cast<size_t>(at - state_.items.begin()) + 1;
                const size_t total = std::max<size_t>(state_.items.size(), 1);
                progress.SetProgress(static_cast<long>(std::min(done, total)), static_cast<long>(total));
            },
            hooks);
        progress.End();
    }
    Paginate();
    status.EndWaitCursor();
}

void AlbumDocument::MakeFastBitmaps()
{
    CurrentStatusDisplay().SetStatusText(album_text::Converting());
    ProgressSink& progress = CurrentProgressSink();
    progress.Begin();
    for (size_t i = 0; i < state_.items.size(); ++i) {
        if (state_.items[i]->IsPhoto())
            state_.items[i]->MakeFastBitmap();
        progress.SetProgress(static_cast<long>(i + 1), static_cast<long>(state_.items.size()));
    }
    progress.End();
}

void AlbumDocument::MakeMissingFastBitmaps()
{
    for (const auto& item : state_.items)
        if (item->IsPhoto() && !item->fastBitmap)
            item->MakeFastBitmap();
}

AlbumFields& AlbumEdit::StateOf(AlbumDocument& doc) { return doc.state_; }

void AlbumEdit::RemakePreviews(AlbumDocument& doc, const ParallelHooks& hooks) { doc.RemakePreviews(hooks); }

bool AlbumDocument::LoadPreviewForLayout(AlbumItem& item) const
{
    const PageLayout& layout = Layout();
    return item.LoadPreview(layout.boxWidth, layout.boxHeight, AppPalette());
}

bool AlbumDocument::InsertMadeImage(const std::string& path, PreviewPicture made, size_t index)
{
    auto item = std::make_unique<AlbumItem>(path);
    const PageLayout& layout = Layout();
    if (!item->FinishPreview(std::move(made), layout.boxWidth, layout.boxHeight, AppPalette()))
        return false;
    PlaceItem(std::move(item), index, InsertionKind::Photos, true);
    return true;
}

bool AlbumDocument::InsertImage(const std::string& path, size_t index)
{
    auto item = std::make_unique<AlbumItem>(path);
    if (!LoadPreviewForLayout(*item))
        return false;
    PlaceItem(std::move(item), index, InsertionKind::Photos, false);
    return true;
}

void AlbumDocument::PlaceItem(std::unique_ptr<AlbumItem> item, size_t index, InsertionKind kind,
                              bool grouped)
{
    index = std::min(index, state_.items.size());
    item->tabIndex = SectionForInsertion(state_.items, index);
    std::vector<std::unique_ptr<AlbumItem>> placed;
    placed.push_back(std::move(item));
    Perform(MakeInsertion(*this, index, std::move(placed), kind, grouped));
}

bool AlbumDocument::InsertItem(std::unique_ptr<AlbumItem> item, size_t index, InsertionKind kind)
{
    if (!item)
        return false;
    const PageLayout& layout = Layout();
    const bool previewFitsBox = item->preview.Width() == layout.boxWidth &&
                                item->preview.Height() == layout.boxHeight;
    if (item->IsPhoto() && !previewFitsBox && !LoadPreviewForLayout(*item))
        return false;
    PlaceItem(std::move(item), index, kind, false);
    return true;
}

bool AlbumDocument::InsertTab(std::unique_ptr<SectionTab> tab, size_t position, size_t firstItem)
{
    if (!tab || position > state_.tabs.size())
        return false;
    Perform(MakeTabInsertion(*this, position, std::move(tab), firstItem));
    return true;
}

bool AlbumDocument::DeleteTab(size_t position)
{
    if (position >= state_.tabs.size())
        return false;
    Perform(MakeTabRemoval(*this, position));
    return true;
}

AlbumDocument::TabEdit AlbumDocument::AddTabBefore(size_t selected, std::unique_ptr<SectionTab> tab)
{
    if (selected == 0 || selected >= state_.items.size())
        return TabEdit::NothingToDo;
    if (state_.items[selected - 1]->tabIndex != state_.items[selected]->tabIndex)
        return TabEdit::Refused;
    const size_t position =
        std::min(static_cast<size_t>(std::max<int16_t>(state_.items[selected]->tabIndex, 0)) + 1,
                 state_.tabs.size());
    return InsertTab(std::move(tab), position, selected) ? TabEdit::Done : TabEdit::NothingToDo;
}

AlbumDocument::TabEdit AlbumDocument::RemoveTab(size_t position)
{
    if (position == 0)
        return TabEdit::Refused;
    return DeleteTab(position) ? TabEdit::Done : TabEdit::NothingToDo;
}

}  // namespace lumora
