#pragma once
// The album document: one album's settings, fonts, tabs and items, the album
// file (".qza") both ways, and the operations that change the album. Its
// state is private: everyone reads it through the accessors, and it changes
// only through edits (steps of the history), pagination and the document's
// own operations (reading a file, Clear). Only the document writes files.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/album/album_edit.h"
#include "core/album/album_edits.h"
#include "core/album/album_fields.h"
#include "core/album/album_file_result.h"
#include "core/album/album_history.h"
#include "core/album/album_item.h"
#include "core/album/album_settings.h"
#include "core/album/album_heading.h"
#include "core/album/archive.h"
#include "core/album/log_font.h"
#include "core/album/pointer_view.h"
#include "core/album/section_tab.h"
#include "core/layout/layout_document.h"
#include "core/layout/layout_table.h"
#include "core/platform/atomic_file.h"
#include "core/platform/ordered_parallel.h"

namespace lumora {

class PasswordPrompt;

class AlbumDocument {
public:
    // Pagination runs at every change, after a new album and after a load.
    // It places items with the album's page layout unless a paginator is
    // installed in its place (tests do); a paginator places the items
    // through the layout it is given.
    using Paginator = std::function<void(LayoutDocument&)>;
    static void SetDefaultPaginator(Paginator paginator);
    void SetPaginator(Paginator paginator) { paginator_ = std::move(paginator); }

    AlbumDocument();
    ~AlbumDocument();
    AlbumDocument(const AlbumDocument&) = delete;
    AlbumDocument& operator=(const AlbumDocument&) = delete;

    // Becomes a new album: default settings and fonts (or `settings`), one
    // tab "Sans Nom", no file, no history.
    void Clear();
    void Clear(AlbumSettings settings);
    // Reads the album at `path`. On any failure the document keeps what it
    // held and the result says why; the caller tells the user.
    AlbumFileResult Open(const std::string& path);
    // Writes the album to a temporary file beside `path` and renames it over
    // `path` once everything is written (AtomicFile), under the album's lock;
    // a failed save leaves the old file untouched. When the file was changed
    // by another program since this document read or wrote it,
    // `replaceChangedFile` is asked (no answer, or false: nothing saved).
    AlbumFileResult Save(const std::string& path, const std::function<bool()>& replaceChangedFile = {});
    // Writes the album file's bytes.
    void WriteTo(Archive& ar) const;
    // Reads an album file into this document (used on a fresh document: a
    // failed read leaves it half filled; throws ArchiveError).
    void ReadFrom(Archive& ar);
    // Reads the heading of the album at `path` alone (settings, fonts,
    // title: what the closed cover shows); the document has no items nor
    // tabs afterwards, whatever the result.
    HeadingResult OpenHeading(const std::string& path);

    const std::string& Path() const { return pathName_; }
    // The items in album order; changed by item edits.
    PointerView<AlbumItem> Items() const { return state_.items; }
    const AlbumItem& Item(size_t index) const { return *state_.items[index]; }
    size_t ItemCount() const { return state_.items.size(); }
    // The section tabs in order; changed by tab edits.
    PointerView<SectionTab> Tabs() const { return state_.tabs; }
    const SectionTab& Tab(size_t position) const { return *state_.tabs[position]; }
    size_t TabCount() const { return state_.tabs.size(); }
    // Even and at least 2: the pages the last pagination made.
    int32_t PageCount() const { return state_.pageCount; }
    // The settings, fonts, title and password; changed by settings edits.
    const AlbumSettings& Settings() const { return state_.settings; }
    // The file's words for the on/off settings, written back while they
    // still mean what the settings say.
    const StoredFlagWords& StoredFlags() const { return state_.storedFlags; }
    // The last file read did not start as an album does.
    bool WrongFormat() const { return state_.wrongFormat; }
    // The password of a protected album was not asked for yet: its edits
    // wait for it.
    bool PasswordCheckPending() const { return state_.passwordCheckPending; }
    // Whether the album differs from its file: the history stands elsewhere
    // than at the point it was saved, or something changed outside it.
    bool IsModified() const { return modified_; }
    // A change outside the history: no point of it is the saved album any
    // more.
    void MarkModified();
    // The album as it is counts as saved.
    void MarkSaved();

    // Applies an edit and makes it a step of the history: pagination, the
    // modified mark, the observers told. The change it made comes back.
    AlbumChange Perform(std::unique_ptr<AlbumEdit> edit);
    // Undoes the last step (redoes the next one); nothing when there is none.
    AlbumChange Undo();
    AlbumChange Redo();
    // Undoes or redoes steps until `done` steps are done.
    void GoToStep(size_t done);
    const AlbumHistory& History() const { return history_; }
    // The last step takes no more typing into itself.
    void CloseStep() { history_.CloseStep(); }

    void AddObserver(AlbumObserver* observer) { observers_.push_back(observer); }
    void RemoveObserver(AlbumObserver* observer) { std::erase(observers_, observer); }

    // The album as it stands becomes the start of its history: every step
    // goes, the modified mark stays as it is.
    void ClearHistory();
    void Paginate();

    // The first call asks `prompt` for the password of a protected album;
    // the album must be closed unless the answer is Passed (the caller tells
    // the user of a wrong password).
    enum class PasswordCheck { Passed, Cancelled, Wrong };
    PasswordCheck CheckPassword(PasswordPrompt* prompt);
    // Sets the album password; false (nothing changed) for a password the
    // album file cannot hold.
    bool SetPassword(const std::string& password);

    // Screen copies of the previews (a cache the painter draws from, not
    // part of the album: no step, no modified mark), with the gauge; the
    // second makes only the missing ones, quietly.
    void MakeFastBitmaps();
    void MakeMissingFastBitmaps();

    // Inserts a photo of `path` before `index` (appends at or past the end).
    bool InsertImage(const std::string& path, size_t index);
    // The same with the preview already made from `path` for the current
    // picture box (see album_preview.h); asks for another path only when
    // the file could not be read.
    bool InsertMadeImage(const std::string& path, PreviewPicture made, size_t index);
    // Inserts an existing item (pasting); a photo's preview is remade unless
    // it has exactly the current picture box's size. One step of the
    // history each; the photos of one InsertMadeImage run after another
    // make one step until the history closes it.
    bool InsertItem(std::unique_ptr<AlbumItem> item, size_t index,
                    InsertionKind kind = InsertionKind::Paste);
    bool InsertTab(std::unique_ptr<SectionTab> tab, size_t position, size_t firstItem);
    bool DeleteTab(size_t position);

    // The tab commands' rules. A new tab before `selected`: nothing in an
    // empty album or before item 0, refused when `selected` already begins
    // a section (the caller says album_text::TabAlreadyThere). Deleting the
    // first tab is refused (album_text::FirstTabStays).
    enum class TabEdit { Done, NothingToDo, Refused };
    TabEdit AddTabBefore(size_t selected, std::unique_ptr<SectionTab> tab);
    TabEdit RemoveTab(size_t position);

    const PageLayout& Layout() const;

    // The album views, told to bring their state within the layout after
    // every pagination. Views register themselves and remove themselves
    // before they go.
    void AddView(LayoutViewObserver* view) { views_.push_back(view); }
    void RemoveView(LayoutViewObserver* view) { std::erase(views_, view); }
    const std::vector<LayoutViewObserver*>& Views() const { return views_; }

private:
    // Besides the document's own operations, the edits change the state
    // (AlbumEdit::StateOf) and pagination places the items through the
    // AlbumLayout that Paginate makes on it; nothing else writes it.
    friend class AlbumEdit;
    // Remakes every photo's preview for the current layout; items whose
    // picture cannot be read any more are removed. `hooks` keep the caller's
    // windows alive and may stop the rest: the photos not reached keep
    // their previews (drawn fitted to the new box all the same). Run by a
    // layout change, which keeps the items as they were.
    void RemakePreviews(const ParallelHooks& hooks = {});
    // (Re)makes a photo's preview for the current layout's picture box.
    bool LoadPreviewForLayout(AlbumItem& item) const;
    // Inserts the item before `index` (appends past the end) in the section
    // it lands in, then runs the change step.
    void PlaceItem(std::unique_ptr<AlbumItem> item, size_t index, InsertionKind kind, bool grouped);
    void AfterLoad();
    // Pagination (unless nothing moved), the modified mark from the
    // history, the observers told.
    void FinishStep(const AlbumChange& change);
    void SetModified(bool modified);

    AlbumFields state_;
    Paginator paginator_;
    std::vector<LayoutViewObserver*> views_;
    std::vector<AlbumObserver*> observers_;
    AlbumHistory history_;
    std::string pathName_;
    std::optional<FileIdentity> diskIdentity_;  // the file as last read or written
    bool modified_ = false;
};


// The settings of a new album: the preferred desk colour, the default
// title, description and fonts.
AlbumSettings NewAlbumSettings();

// One settings step: `change` alters a copy of the album's settings, which
// a settings edit then applies.
template <typename Change>
AlbumChange EditSettings(AlbumDocument& doc, Change&& change, SettingsKind kind = SettingsKind::Properties)
{
    AlbumSettings settings = doc.Settings();
    change(settings);
    return doc.Perform(MakeSettingsChange(doc, std::move(settings), kind));
}

}  // namespace lumora
