#include "core/album/album_document.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "core/platform/services.h"
#include "core/album/album_file_result.h"
#include "core/album/album_heading.h"
#include "core/album/album_layout.h"
#include "core/album/album_messages.h"
#include "core/album/load_progress.h"
#include "core/layout/pagination.h"
#include "core/album/password_codec.h"
#include "core/platform/atomic_file.h"
#include "core/platform/file.h"

namespace lumora {
namespace {

AlbumDocument::Paginator& DefaultPaginator()
{
    static AlbumDocument::Paginator paginator;
    return paginator;
}

// What a failure to open a file for reading was.
AlbumFileOutcome OpenFailure(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case EISDIR:
        return AlbumFileOutcome::PathNotFound;
    case EACCES:
    case EPERM:
        return AlbumFileOutcome::AccessDenied;
    case ENODEV:
        return AlbumFileOutcome::NotRegularFile;
    default:
        return AlbumFileOutcome::CannotOpen;
    }
}

// The album file's bytes go to the temporary file that replaces it.
class AtomicSink final : public ArchiveSink {
public:
    explicit AtomicSink(AtomicFile& file) : file_(file) {}
    bool Write(const uint8_t* bytes, size_t count) override { return file_.Write(bytes, count); }

private:
    AtomicFile& file_;
};

// Shows `text` in the status bar for as long as it lives, then puts back
// what was there, however the work ends.
class StatusTextScope {
public:
    explicit StatusTextScope(const std::string& text)
        : status_(CurrentStatusDisplay()), kept_(status_.StatusText())
    {
        status_.SetStatusText(text);
    }
    ~StatusTextScope() { status_.SetStatusText(kept_); }
    StatusTextScope(const StatusTextScope&) = delete;
    StatusTextScope& operator=(const StatusTextScope&) = delete;

private:
    StatusDisplay& status_;
    std::string kept_;
};

// Begins the progress gauge and the wait cursor; ends both when it goes.
class LoadingScope {
public:
    LoadingScope()
    {
        CurrentStatusDisplay().BeginWaitCursor();
        CurrentProgressSink().Begin();
    }
    ~LoadingScope()
    {
        CurrentProgressSink().End();
        CurrentStatusDisplay().EndWaitCursor();
    }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;
};

template <typename T>
void WriteArray(Archive& ar, const std::vector<std::unique_ptr<T>>& objects)
{
    ar.Write16(static_cast<uint16_t>(objects.size()));
    for (const auto& object : objects) {
        ar.WriteObjectTag(T::kClass);
        object->Serialize(ar);
    }
}

template <typename T>
void ReadArray(Archive& ar, std::vector<std::unique_ptr<T>>& objects)
{
    const uint16_t count = ar.Read16();
    ar.CheckCount(count, 2);  // every element takes at least its tag
    objects.clear();
    objects.reserve(count);
    for (uint16_t i = 0; i < count; ++i) {
        ar.ReadObjectTag({&T::kClass});
        auto object = std::make_unique<T>();
        object->Serialize(ar);
        objects.push_back(std::move(object));
    }
}

}  // namespace

void AlbumDocument::SetDefaultPaginator(Paginator paginator)
{
    DefaultPaginator() = std::move(paginator);
}

AlbumDocument::AlbumDocument() : paginator_(DefaultPaginator()) {}

AlbumDocument::~AlbumDocument() = default;

const PageLayout& AlbumDocument::Layout() const { return LayoutOf(state_.settings.layout); }

AlbumSettings NewAlbumSettings()
{
    AlbumSettings settings;
    settings.deskColor = CurrentPreferences().DeskColor();
    settings.title = album_text::AlbumTitle();
    settings.description = album_text::AlbumDescription();
    settings.fonts = {DefaultAlbumFont(22), DefaultAlbumFont(12), DefaultAlbumFont(10),
                      DefaultAlbumFont(10), DefaultAlbumFont(5)};
    return settings;
}

void AlbumDocument::Clear() { Clear(NewAlbumSettings()); }

void AlbumDocument::Clear(AlbumSettings initial)
{
    state_ = AlbumFields{};
    state_.settings = std::move(initial);
    state_.passwordCheckPending = false;
    state_.tabs.push_back(std::make_unique<SectionTab>(album_text::UnnamedTab(), 0));
    pathName_.clear();
    history_.Clear();
    SetModified(false);
    AfterLoad();
}

void AlbumDocument::AfterLoad()
{
    if (CurrentFastBitmapMaker())
        MakeFastBitmaps();
    Paginate();
}

void AlbumDocument::Paginate()
{
    AlbumLayout layout(*this, state_);
    if (paginator_)
        paginator_(layout);
    else
        lumora::Paginate(layout);
}

void AlbumDocument::ClearHistory()
{
    history_.Clear();
    if (modified_)
        history_.ForgetSavePoint();
    const std::vector<AlbumObserver*> observers = observers_;
    for (AlbumObserver* observer : observers)
        observer->HistoryChanged();
}

void AlbumDocument::MarkModified()
{
    history_.ForgetSavePoint();
    SetModified(true);
}

void AlbumDocument::MarkSaved()
{
    history_.MarkSaved();
    SetModified(false);
}

void AlbumDocument::SetModified(bool modified)
{
    if (modified == modified_)
        return;
    modified_ = modified;
    const std::vector<AlbumObserver*> observers = observers_;
    for (AlbumObserver* observer : observers)
        observer->ModifiedChanged(modified);
}

AlbumChange AlbumDocument::Perform(std::unique_ptr<AlbumEdit> edit)
{
    if (!edit)
        return {};
    const AlbumChange change = edit->Apply(*this);
    history_.Push(std::move(edit));
    FinishStep(change);
    return change;
}

AlbumChange AlbumDocument::Undo()
{
    AlbumEdit* step = history_.StepToUndo();
    if (!step)
        return {};
    const AlbumChange change = step->Revert(*this);
    history_.Undone();
    FinishStep(change);
    return change;
}

AlbumChange AlbumDocument::Redo()
{
    AlbumEdit* step = history_.StepToRedo();
    if (!step)
        return {};
    const AlbumChange change = step->Apply(*this);
    history_.Redone();
    FinishStep(change);
    return change;
}

void AlbumDocument::GoToStep(size_t done)
{
    while (history_.DoneCount() > done && history_.CanUndo())
        Undo();
    while (history_.DoneCount() < done && history_.CanRedo())
        Redo();
}

void AlbumDocument::FinishStep(const AlbumChange& change)
{
    if (change.relayout)
        Paginate();
    SetModified(!history_.AtSavePoint());
    // Copied: an observer may go while the others are told.
    const std::vector<AlbumObserver*> observers = observers_;
    for (AlbumObserver* observer : observers) {
        if (change.TouchesItems())
            observer->ItemsChanged(change.firstItem, change.itemCount);
        if (change.tabs)
            observer->TabsChanged();
        if (change.settings)
            observer->SettingsChanged();
        observer->HistoryChanged();
    }
}

void AlbumDocument::WriteTo(Archive& ar) const
{
    ar.WriteBytes(reinterpret_cast<const uint8_t*>(kAlbumMagic), sizeof kAlbumMagic);
    ar.WriteAnsiString({});  // reserved header text
    const AlbumSettings& s = state_.settings;
    ar.Write16(FlagWord(s.headerTitle, state_.storedFlags.headerTitle));
    ar.Write16(FlagWord(s.pageNumbers, state_.storedFlags.pageNumbers));
    ar.Write16(static_cast<uint16_t>(s.frameStyle));
    ar.Write16(FlagWord(s.useTabs, state_.storedFlags.useTabs));
    ar.Write16(static_cast<uint16_t>(s.layout));
    ar.Write16(FlagWord(s.flyleaf, state_.storedFlags.flyleaf));
    ar.Write32(s.deskColor);
    ar.WriteString(s.title);
    ar.Write32(s.titleColor);
    ar.Write16(static_cast<uint16_t>(s.titleEffect));
    ar.WriteString(s.description);
    ar.Write16(static_cast<uint16_t>(state_.items.size()));
    WritePassword(ar, s.password);
    for (const TextFont& font : s.fonts) {
        LogFont record = RecordOf(font);
        SerializeFont(ar, record);
    }
    WriteArray(ar, state_.tabs);
    WriteArray(ar, state_.items);
}

void AlbumDocument::ReadFrom(Archive& ar)
{
    uint16_t itemTotal = 0;
    if (!ReadAlbumHeading(ar, state_, itemTotal))
        return;  // wrong format: nothing else read
    LoadProgress().total = itemTotal;
    LoadProgress().counter = 0;
    ReadArray(ar, state_.tabs);
    ReadArray(ar, state_.items);
    state_.wrongFormat = false;
}

AlbumFileResult AlbumDocument::Open(const std::string& path)
{
    AlbumFileResult result;
    result.path = path;
    if (path.empty())
        return result;
    std::string loading = album_text::Loading();
    loading.replace(loading.find("%s"), 2, path);
    const StatusTextScope status(loading);
    AlbumDocument staged;
    // Taken before the read: a change in between makes the next save ask,
    // which is the safe side.
    const auto identity = IdentifyFile(ResolveLinks(path));
    {
        LoadingScope loadingScope;
        File file;
        errno = 0;
        if (!file.Open(path, File::Mode::Read)) {
            result.outcome = OpenFailure(errno);
            return result;
        }
        FileSource source(file);
        try {
            Archive ar(source);
            staged.ReadFrom(ar);
        } catch (const ArchiveError& error) {
            result.outcome = AlbumFileOutcome::Damaged;
            result.cause = error.GetCause();
            return result;
        } catch (const std::bad_alloc&) {
            // The open album, if any, stays as it was.
            result.outcome = AlbumFileOutcome::OutOfMemory;
            return result;
        }
    }
    if (staged.state_.wrongFormat) {
        state_.wrongFormat = true;
        result.outcome = AlbumFileOutcome::NotAnAlbum;
        return result;
    }
    state_ = std::move(staged.state_);
    pathName_ = path;
    diskIdentity_ = identity;
    history_.Clear();
    SetModified(false);
    CurrentStatusDisplay().BeginWaitCursor();
    AfterLoad();
    CurrentStatusDisplay().EndWaitCursor();
    return result;
}

HeadingResult AlbumDocument::OpenHeading(const std::string& path)
{
    state_ = AlbumFields{};
    return ReadAlbumHeadingFile(path, state_);
}

AlbumFileResult AlbumDocument::Save(const std::string& path, const std::function<bool()>& replaceChangedFile)
{
    AlbumFileResult result;
    result.path = path;
    AlbumLock lock;
    if (!lock.Acquire(path)) {
        result.outcome = AlbumFileOutcome::Locked;
        result.lockText = lock.Message();
        return result;
    }
    // The file this window read was changed by someone else since: their
    // version stays unless the caller's answer is to replace it.
    const std::string target = ResolveLinks(path);
    if (diskIdentity_ && !pathName_.empty() && ResolveLinks(pathName_) == target) {
        const auto now = IdentifyFile(target);
        if (now && *now != *diskIdentity_ && !(replaceChangedFile && replaceChangedFile())) {
            result.outcome = AlbumFileOutcome::KeptOtherVersion;
            return result;
        }
    }
    AtomicFile file;
    bool saved = file.Open(path);
    if (saved) {
        try {
            AtomicSink sink(file);
            Archive ar(sink);
            WriteTo(ar);
            ar.Flush();
            saved = file.Commit();
        } catch (const ArchiveError&) {
            saved = false;  // the sink's failure is recorded in the file
        }
    }
    if (!saved) {
        result.failure = file.Failure();
        if (!result.failure)
            result.failure = {WriteProblem::System, EIO};
        result.outcome = result.failure.problem == WriteProblem::ReadOnly ? AlbumFileOutcome::ReadOnly
                                                                           : AlbumFileOutcome::CannotWrite;
        file.Discard();
        return result;
    }
    pathName_ = path;
    diskIdentity_ = IdentifyFile(file.Target());
    MarkSaved();
    return result;
}

}  // namespace lumora
