#include "core/album/album_document.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "core/platform/services.h"
#include "core/album/album_heading.h"
#include "core/album/album_layout.h"
#include "core/album/album_messages.h"
#include "core/album/load_progress.h"
#include "core/album/password_codec.h"
#include "core/picture/picture_limits.h"
#include "core/platform/atomic_file.h"
#include "core/platform/file.h"

namespace lumora {
namespace {

AlbumDocument::Paginator& DefaultPaginator()
{
    static AlbumDocument::Paginator paginator;
    return paginator;
}

std::string WithPath(std::string message, const std::string& path)
{
    const auto mark = message.find("%1");
    if (mark != std::string::npos)
        message.replace(mark, 2, path);
    return message;
}

// The framework's message for a file that could not be opened for reading.
std::string OpenFailureMessage(int error, const std::string& path)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case EISDIR:
        return WithPath(album_text::InvalidPath(), path);
    case EACCES:
    case EPERM:
        return WithPath(album_text::AccessRead(), path);
    case ENODEV:
        return path + " n'est pas un fichier ordinaire (périphérique, tube ou répertoire) : "
               "il n'a pas été ouvert.";
    default:
        return album_text::FailedToOpen();
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

std::string ChangedOnDiskQuestion(const std::string& path)
{
    return "Le fichier " + path + " a été modifié par un autre programme depuis son ouverture.\n"
           "Voulez-vous le remplacer par la version de cette fenêtre ?\n"
           "(Non : rien n'est enregistré, vos modifications restent dans la fenêtre.)";
}

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

const PageLayout& AlbumDocument::Layout() const { return LayoutAt(layoutIndex); }

void AlbumDocument::DeleteContents()
{
    items.clear();
    tabs.clear();
}

bool AlbumDocument::OnNewDocument()
{
    DeleteContents();
    static_cast<AlbumFields&>(*this) = AlbumFields{};
    deskColor = CurrentPreferences().DeskColor();
    title = album_text::AlbumTitle();
    description = album_text::AlbumDescription();
    fonts = {DefaultAlbumFont(22), DefaultAlbumFont(12), DefaultAlbumFont(10),
             DefaultAlbumFont(10), DefaultAlbumFont(5)};
    passwordCheckPending = false;
    tabs.push_back(std::make_unique<SectionTab>(album_text::UnnamedTab(), 0));
    pathName_.clear();
    history_.Clear();
    SetModified(false);
    AfterLoad();
    return true;
}

void AlbumDocument::AfterLoad()
{
    if (CurrentFastBitmapMaker())
        MakeFastBitmaps();
    Paginate();
}

void AlbumDocument::Paginate()
{
    if (paginator_)
        paginator_(*this);
    else
        PaginateAlbum(*this);
}

void AlbumDocument::UpdateAfterChange()
{
    Paginate();
    SetModifiedFlag();
}

void AlbumDocument::SetModifiedFlag(bool modified)
{
    if (modified)
        history_.ForgetSavePoint();
    else
        history_.MarkSaved();
    SetModified(modified);
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

void AlbumDocument::Serialize(Archive& ar)
{
    if (ar.IsStoring())
        WriteAlbum(ar);
    else
        ReadAlbum(ar);
}

void AlbumDocument::WriteAlbum(Archive& ar)
{
    ar.WriteBytes(reinterpret_cast<const uint8_t*>(kAlbumMagic), sizeof kAlbumMagic);
    ar.WriteAnsiString({});  // reserved header text
    ar.Write16(static_cast<uint16_t>(headerTitle));
    ar.Write16(static_cast<uint16_t>(pageNumbers));
    ar.Write16(static_cast<uint16_t>(frameStyle));
    ar.Write16(static_cast<uint16_t>(useTabs));
    ar.Write16(static_cast<uint16_t>(layoutIndex));
    ar.Write16(static_cast<uint16_t>(flyleaf));
    ar.Write32(deskColor);
    ar.WriteString(title);
    ar.Write32(titleColor);
    ar.Write16(static_cast<uint16_t>(titleEffect));
    ar.WriteString(description);
    ar.Write16(static_cast<uint16_t>(items.size()));
    WritePassword(ar, password);
    for (LogFont& font : fonts)
        SerializeFont(ar, font);
    WriteArray(ar, tabs);
    WriteArray(ar, items);
}

void AlbumDocument::ReadAlbum(Archive& ar)
{
    uint16_t itemTotal = 0;
    if (!ReadAlbumHeading(ar, *this, itemTotal))
        return;  // wrong format: nothing else read
    LoadProgress().total = itemTotal;
    LoadProgress().counter = 0;
    ReadArray(ar, tabs);
    ReadArray(ar, items);
    wrongFormat = 0;
}

bool AlbumDocument::OnOpenDocument(const std::string& path)
{
    if (path.empty())
        return true;
    StatusDisplay& status = CurrentStatusDisplay();
    const std::string keptStatus = status.StatusText();
    {
        std::string loading = album_text::Loading();
        loading.replace(loading.find("%s"), 2, path);
        status.SetStatusText(loading);
    }
    AlbumDocument staged;
    // Taken before the read: a change in between makes the next save ask,
    // which is the safe side.
    const auto identity = IdentifyFile(ResolveLinks(path));
    {
        LoadingScope loading;
        File file;
        errno = 0;
        if (!file.Open(path, File::Mode::Read)) {
            const int error = errno;
            status.SetStatusText(keptStatus);
            ReportStop(OpenFailureMessage(error, path));
            return false;
        }
        FileSource source(file);
        try {
            Archive ar(source);
            staged.Serialize(ar);
        } catch (const ArchiveError& error) {
            // What was wrong goes under the message, for the user and for
            // whoever they send it to.
            status.SetStatusText(keptStatus);
            ReportStop(album_text::InvalidFormat() + "\n" + album_text::ArchiveCause(error.GetCause()));
            return false;
        } catch (const std::bad_alloc&) {
            // A damaged or hostile file may ask for more than there is: the
            // open album, if any, stays as it was.
            status.SetStatusText(keptStatus);
            ShowHeldMessages(ReadMessages(PictureOutOfMemory(path)));
            return false;
        }
    }
    if (staged.wrongFormat) {
        wrongFormat = 1;
        status.SetStatusText(keptStatus);
        ReportStop(album_text::NotAnAlbum());
        return false;
    }
    DeleteContents();
    static_cast<AlbumFields&>(*this) = std::move(static_cast<AlbumFields&>(staged));
    pathName_ = path;
    diskIdentity_ = identity;
    history_.Clear();
    SetModified(false);
    CurrentStatusDisplay().BeginWaitCursor();
    AfterLoad();
    CurrentStatusDisplay().EndWaitCursor();
    status.SetStatusText(keptStatus);
    return true;
}

bool AlbumDocument::OnSaveDocument(const std::string& path)
{
    lastSave_ = SaveOutcome::Failed;
    AlbumLock lock;
    if (!lock.Acquire(path)) {
        lastSave_ = SaveOutcome::Locked;
        ReportStop(lock.Message());
        return false;
    }
    // The file this window read was changed by someone else since: ask
    // before overwriting their version.
    const std::string target = ResolveLinks(path);
    if (diskIdentity_ && !pathName_.empty() && ResolveLinks(pathName_) == target) {
        const auto now = IdentifyFile(target);
        if (now && *now != *diskIdentity_ &&
            !CurrentPrompter().AskYesNo(ChangedOnDiskQuestion(path), {})) {
            lastSave_ = SaveOutcome::KeptOtherVersion;
            return false;
        }
    }
    AtomicFile file;
    bool saved = file.Open(path);
    if (saved) {
        try {
            AtomicSink sink(file);
            Archive ar(sink);
            Serialize(ar);
            ar.Flush();
            saved = file.Commit();
        } catch (const ArchiveError&) {
            saved = false;  // the sink's failure is recorded in the file
        }
    }
    if (!saved) {
        WriteFailure failure = file.Failure();
        if (!failure)
            failure = {WriteProblem::System, EIO};
        if (failure.problem == WriteProblem::ReadOnly)
            lastSave_ = SaveOutcome::ReadOnly;
        file.Discard();
        ReportStop(DescribeWriteFailure(failure, path));
        return false;
    }
    lastSave_ = SaveOutcome::Saved;
    pathName_ = path;
    diskIdentity_ = IdentifyFile(file.Target());
    SetModifiedFlag(false);
    return true;
}

}  // namespace lumora
