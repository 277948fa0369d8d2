#include "core/gather/gather.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <optional>

#include "core/album/album_document.h"
#include "core/picture_document/dib_object.h"
#include "core/formats/jpeg_writer.h"
#include "core/picture/load_settings.h"
#include "core/platform/ordered_parallel.h"
#include "core/platform/services.h"
#include "core/album/find_album_file.h"
#include "core/sound/sounds.h"
#include "core/gather/web_sizes.h"
#include "core/gather/web_viewer.h"
#include "core/res/strings.h"

namespace lumora {
namespace {

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "PHOTO.BMP" -> "PHOTO.JPG"; a name without extension loses its last three
// characters all the same, which is where the lookup of a gathered album
// expects the JPEG.
std::string JpegName(const std::string& name)
{
    return (name.size() >= 3 ? name.substr(0, name.size() - 3) : std::string()) + "JPG";
}

// The picture converted on a worker thread, before its turn comes.
struct Converted {
    bool loaded = false;
    std::optional<std::vector<uint8_t>> jpeg;
};

Converted Convert(const std::string& source, int quality, const std::function<bool()>& cancelled)
{
    Converted result;
    if (cancelled && cancelled())
        return result;
    // The readers' own messages are dropped: a picture that cannot be read
    // is reported by the gather's question.
    ScopedHeldMessages quiet;
    Dib picture;
    picture.Load(source);
    result.loaded = !picture.IsEmpty();
    if (result.loaded)
        result.jpeg = EncodeJPEG(picture.Picture(), quality, cancelled);
    return result;
}

enum class Answer { Retry, Skip, Abort };

Answer AskSourceFailure(const std::string& source)
{
    switch (CurrentPrompter().AskAbortRetryIgnore(LoadString(kStrSourceOpenFailed) + "\n" + source, {})) {
    case AbortRetryIgnore::Retry: return Answer::Retry;
    case AbortRetryIgnore::Ignore: return Answer::Skip;
    case AbortRetryIgnore::Abort: break;
    }
    return Answer::Abort;
}

class GatherRun {
public:
    GatherRun(const AlbumDocument& doc, const std::string& albumPath, const std::string& destination,
              const GatherOptions& options, const GatherHooks& hooks)
        : doc_(doc),
          albumPath_(albumPath),
          destination_(destination),
          options_(options),
          hooks_(hooks),
          files_(PlanGather(doc, albumPath, destination, options)),
          quality_(JpegQualityForCompression(options.compression))
    {
    }

    GatherResult Run()
    {
        ScopedLoadProgressOff readersQuiet;
        ScopedFullColourJpeg fullColour;
        if (options_.writeViewer && hooks_.renderer) {
            Operation(LoadString(kStrCopyingRuntime));
            std::vector<ViewerPhoto> photos = ViewerPhotos();
            // Web sizes hook: the photos' copies for the screen, before the
            // viewer's data that names them.
            if (options_.webSizes && !Continue(AddWebSizes(photos)))
                return result_;
            if (!Continue(WriteWebViewer(doc_, destination_, photos, *hooks_.renderer, hooks_.cancelled, {})))
                return result_;
        }
        const auto cancelled = [this] { return stopped_ || Cancelled(); };
        const size_t taken = RunInOrder<Converted>(
            files_.size(),
            [&](size_t i) {
                return files_[i].convert ? Convert(files_[i].source, quality_, cancelled) : Converted{};
            },
            [&](size_t i, Converted&& converted) {
                if (!stopped_)
                    Continue(Write(files_[i], std::move(converted)));
            },
            ParallelHooks{cancelled, {}, hooks_.threads});
        if (!stopped_ && taken < files_.size())
            result_.outcome = GatherOutcome::Interrupted;
        return result_;
    }

private:
    bool Cancelled() const { return hooks_.cancelled && hooks_.cancelled(); }

    void Operation(const std::string& text)
    {
        if (hooks_.operation)
            hooks_.operation(text);
    }

    // False (and the outcome set) when the gather must stop.
    bool Continue(GatherFileResult result)
    {
        if (result == GatherFileResult::Aborted)
            result_.outcome = GatherOutcome::Aborted;
        else if (result == GatherFileResult::Interrupted)
            result_.outcome = GatherOutcome::Interrupted;
        else
            return true;
        stopped_ = true;
        return false;
    }

    GatherFileResult Write(const GatherFile& file, Converted&& converted)
    {
        const std::string name = BaseName(file.target);
        switch (file.kind) {
        case GatherFile::Kind::AlbumFile: Operation(LoadString(kStrCopyingAlbumFile)); break;
        case GatherFile::Kind::Sound: Operation(LoadString(kStrCopyingSoundLabel) + name); break;
        case GatherFile::Kind::Picture:
            Operation(LoadString(file.convert ? kStrLoadingPictureLabel : kStrCopyingPictureLabel) +
                      (file.convert ? BaseName(file.source) : name));
            break;
        }
        if (AlreadyWritten(file))
            return GatherFileResult::Written;
        const GatherFileResult result = file.convert ? WriteConverted(file, std::move(converted))
                                                     : CopyGatherFile(file.source, file.target, hooks_.cancelled);
        if (result == GatherFileResult::Written) {
            NoteWritten(file);
            if (hooks_.written)
                hooks_.written(file);
        }
        return result;
    }

    GatherFileResult WriteConverted(const GatherFile& file, Converted&& converted)
    {
        while (!converted.loaded) {
            const Answer answer = AskSourceFailure(file.source);
            if (answer != Answer::Retry)
                return answer == Answer::Skip ? GatherFileResult::Skipped : GatherFileResult::Aborted;
            converted = Convert(file.source, quality_, hooks_.cancelled);
        }
        if (Cancelled())
            return GatherFileResult::Interrupted;
        Operation(LoadString(kStrConvertingToJpegLabel) + BaseName(file.target));
        if (!converted.jpeg)
            return GatherFileResult::Skipped;  // a picture libjpeg refused: nothing to write
        return WriteGatherFile(std::string_view(reinterpret_cast<const char*>(converted.jpeg->data()),
                                                converted.jpeg->size()),
                               file.target, kStrJpegCreateFailed,
                               LoadString(kStrConvertingToJpegOfLabel) + file.target, hooks_.cancelled);
    }

    // The same file already written to the same name earlier in this
    // gather (a photo placed twice): nothing to do again.
    bool AlreadyWritten(const GatherFile& file) const
    {
        const auto found = writtenFrom_.find(file.target);
        return found != writtenFrom_.end() && found->second == file.source;
    }

    void NoteWritten(const GatherFile& file)
    {
        auto [at, inserted] = writtenFrom_.try_emplace(file.target, file.source);
        if (!inserted && !IsSameFile(at->second, file.source)) {
            const std::string name = BaseName(file.target);
            if (std::find(result_.overwritten.begin(), result_.overwritten.end(), name) == result_.overwritten.end())
                result_.overwritten.push_back(name);
        }
        at->second = file.source;
    }

    GatherFileResult AddWebSizes(std::vector<ViewerPhoto>& photos) const
    {
        std::vector<WebSizesSource> sources;
        for (const GatherFile& file : files_)
            if (file.kind == GatherFile::Kind::Picture)
                sources.push_back({file.item, file.source});
        GatherFileResult result = GatherFileResult::Written;
        auto sizes = WriteWebSizes(sources, destination_, hooks_.cancelled, hooks_.threads, result);
        for (size_t i = 0; i < photos.size() && i < sizes.size(); ++i)
            photos[i].sizes = std::move(sizes[i]);
        return result;
    }

    // The names the viewer finds each photo's files under.
    std::vector<ViewerPhoto> ViewerPhotos() const
    {
        std::vector<ViewerPhoto> photos;
        for (const GatherFile& file : files_) {
            if (file.kind == GatherFile::Kind::Picture)
                photos.push_back({file.item, BaseName(file.target), {}});
            else if (file.kind == GatherFile::Kind::Sound && !photos.empty() && photos.back().item == file.item)
                photos.back().sound = BaseName(file.target);
        }
        return photos;
    }

    const AlbumDocument& doc_;
    std::string albumPath_;
    std::string destination_;
    GatherOptions options_;
    const GatherHooks& hooks_;
    std::vector<GatherFile> files_;
    int quality_;
    std::atomic<bool> stopped_ = false;  // read by the converting threads
    std::map<std::string, std::string> writtenFrom_;  // target -> source
    GatherResult result_;
};

}  // namespace

GatherOptions GatherOptionsFrom(const Preferences& prefs)
{
    return {prefs.convertJpeg, prefs.copySounds, prefs.copyRuntime, prefs.compression};
}

std::vector<GatherFile> PlanGather(const AlbumDocument& doc, const std::string& albumPath,
                                   const std::string& destination, const GatherOptions& options)
{
    const std::string into = destination == "/" ? "" : destination;
    std::vector<GatherFile> files;
    files.push_back({GatherFile::Kind::AlbumFile, -1, albumPath, into + "/" + BaseName(albumPath), false});
    for (size_t i = 0; i < doc.items.size(); ++i) {
        const AlbumItem& item = *doc.items[i];
        if (!item.IsPhoto())
            continue;
        const int index = static_cast<int>(i);
        std::string source = FindAlbumImage(item.imagePath, albumPath);
        if (source.empty())
            source = item.imagePath;  // not found: its copy fails and asks
        const std::string name = options.convertJpeg ? JpegName(StoredFileName(item.imagePath)) : BaseName(source);
        files.push_back({GatherFile::Kind::Picture, index, source, into + "/" + name, options.convertJpeg});
        if (options.copySounds && !item.soundPath.empty()) {
            const std::string sound = FindAlbumSound(item.soundPath, albumPath);
            files.push_back({GatherFile::Kind::Sound, index, sound, into + "/" + StoredFileName(sound), false});
        }
    }
    return files;
}

std::string GatherOptionsSummary(const std::string& destination, const GatherOptions& options)
{
    return LoadString(kStrDirectoryLabel) + destination + "\n" +
           LoadString(options.writeViewer ? kStrRuntimeCopied : kStrRuntimeNotCopied) + "\n" +
           LoadString(options.copySounds ? kStrSoundsCopied : kStrSoundsNotCopied) + "\n" +
           LoadString(options.convertJpeg ? kStrPicturesConverted : kStrPicturesNotConverted);
}

GatherResult RunGather(const AlbumDocument& doc, const std::string& albumPath, const std::string& destination,
                       const GatherOptions& options, const GatherHooks& hooks)
{
    return GatherRun(doc, albumPath, destination, options, hooks).Run();
}

std::string GatherCompletionText(const GatherResult& result)
{
    std::string text = LoadString(kStrGatherDone);
    for (const std::string& name : result.overwritten)
        text += "\n" + FormatString(kStrGatherOverwritten, name.c_str());
    return text;
}

}  // namespace lumora
