#include "core/gather/gather.h"

#include <algorithm>
#include <atomic>
#include <optional>

#include "core/album/album_document.h"
#include "core/album/find_album_file.h"
#include "core/formats/jpeg_writer.h"
#include "core/gather/gathered_album.h"
#include "core/gather/web_viewer.h"
#include "core/picture_document/dib_object.h"
#include "core/platform/ordered_parallel.h"
#include "core/platform/services.h"
#include "core/gather/web_sizes.h"
#include "core/res/strings.h"

namespace lumora {
namespace {

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
    // Full colour whatever the user reads JPEGs in (a conversion from 236
    // colours would band), and quiet: this runs on the workers.
    Dib picture;
    picture.Load(source, ReadOptions{});
    result.loaded = !picture.IsEmpty();
    if (result.loaded)
        result.jpeg = EncodeJPEG(picture.Image(), quality, cancelled);
    return result;
}

enum class Answer { Retry, Skip, Abort };

Answer AskAbortRetryIgnore(const std::string& question)
{
    switch (CurrentPrompter().AskAbortRetryIgnore(question, {})) {
    case AbortRetryIgnore::Retry: return Answer::Retry;
    case AbortRetryIgnore::Ignore: return Answer::Skip;
    case AbortRetryIgnore::Abort: break;
    }
    return Answer::Abort;
}

GatherFileResult ResultOf(Answer answer)
{
    return answer == Answer::Skip ? GatherFileResult::Skipped : GatherFileResult::Aborted;
}

std::optional<GatherSourceKind> SourceKindOf(const GatherFile& file)
{
    switch (file.kind) {
    case GatherFile::Kind::Picture: return GatherSourceKind::Picture;
    case GatherFile::Kind::Sound: return GatherSourceKind::Sound;
    case GatherFile::Kind::AlbumFile: break;
    }
    return std::nullopt;
}

class GatherRun {
public:
    GatherRun(const AlbumDocument& doc, const std::string& albumPath, const std::string& destination,
              const GatherOptions& options, const GatherHooks& hooks)
        : doc_(doc),
          destination_(destination),
          options_(options),
          hooks_(hooks),
          plan_(PlanGather(doc, albumPath, destination, options)),
          files_(plan_.files),
          skipped_(files_.size(), false),
          quality_(JpegQualityForCompression(options.compression))
    {
    }

    GatherResult Run()
    {
        if (!CheckSources())
            return result_;
        if (options_.writeViewer && hooks_.renderer) {
            Operation(LoadString(kStrCopyingRuntime));
            std::vector<ViewerPhoto> photos = ViewerPhotos();
            // The photos' copies for the screen, before the viewer's data
            // that names them.
            if (options_.webSizes && !Continue(AddWebSizes(photos)))
                return result_;
            if (!Continue(WriteWebViewer(doc_, destination_, photos, *hooks_.renderer, hooks_.cancelled, {},
                                         &plan_.own)))
                return result_;
        }
        const auto cancelled = [this] { return stopped_ || Cancelled(); };
        const size_t taken = RunInOrder<Converted>(
            files_.size(),
            [&](size_t i) { return NeedsWriting(i) && files_[i].convert ? Convert(files_[i].source, quality_, cancelled)
                                                                        : Converted{}; },
            [&](size_t i, Converted&& converted) {
                if (!stopped_)
                    Continue(Write(i, std::move(converted)));
            },
            ParallelHooks{cancelled, {}, hooks_.threads});
        if (!stopped_ && taken < files_.size())
            result_.outcome = GatherOutcome::Interrupted;
        return result_;
    }

private:
    bool Cancelled() const { return hooks_.cancelled && hooks_.cancelled(); }

    bool NeedsWriting(size_t i) const { return !skipped_[i] && !files_[i].inPlace && !files_[i].repeat; }

    void Operation(const std::string& text)
    {
        if (hooks_.operation)
            hooks_.operation(text);
    }

    // Every picture and sound to leave is looked at before anything is
    // written: a file that is neither is asked about, and Abort leaves the
    // destination as it was. Sources that cannot be opened are asked about
    // when their turn comes, as they may appear in between.
    bool CheckSources()
    {
        for (size_t i = 0; i < files_.size(); ++i) {
            const auto kind = SourceKindOf(files_[i]);
            if (!kind || !NeedsWriting(i))
                continue;
            for (;;) {
                const SourceVerdict verdict = CheckGatherSource(files_[i].source, *kind);
                if (verdict == SourceVerdict::Accepted || verdict == SourceVerdict::Unreadable)
                    break;
                const Answer answer = AskAbortRetryIgnore(RefusalText(verdict, files_[i].source));
                if (answer == Answer::Retry)
                    continue;
                if (answer == Answer::Abort) {
                    result_.outcome = GatherOutcome::Aborted;
                    return false;
                }
                skipped_[i] = true;
                break;
            }
        }
        return true;
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

    void Announce(const GatherFile& file)
    {
        const std::string name = StoredFileName(file.target);
        switch (file.kind) {
        case GatherFile::Kind::AlbumFile: Operation(LoadString(kStrCopyingAlbumFile)); break;
        case GatherFile::Kind::Sound: Operation(LoadString(kStrCopyingSoundLabel) + name); break;
        case GatherFile::Kind::Picture:
            Operation(LoadString(file.convert ? kStrLoadingPictureLabel : kStrCopyingPictureLabel) +
                      (file.convert ? StoredFileName(file.source) : name));
            break;
        }
    }

    GatherFileResult Write(size_t i, Converted&& converted)
    {
        const GatherFile& file = files_[i];
        Announce(file);
        if (!NeedsWriting(i))
            return GatherFileResult::Written;
        GatherFileResult result = GatherFileResult::Written;
        if (file.kind == GatherFile::Kind::AlbumFile && plan_.RenamesAlbum())
            result = WriteRenamedAlbum(file);
        else if (file.convert)
            result = WriteConverted(file, std::move(converted));
        else
            result = CopyGatherFile(file.source, file.target, hooks_.cancelled, {SourceKindOf(file), &plan_.own});
        if (result == GatherFileResult::Written) {
            if (!file.wantedName.empty())
                result_.renamed.push_back({file.wantedName, StoredFileName(file.target)});
            if (hooks_.written)
                hooks_.written(file);
        }
        return result;
    }

    GatherFileResult WriteRenamedAlbum(const GatherFile& file)
    {
        std::optional<std::string> bytes;
        while (!(bytes = GatheredAlbumBytes(file.source, files_))) {
            const Answer answer = AskAbortRetryIgnore(LoadString(kStrSourceReadFailed) + "\n" + file.source);
            if (answer != Answer::Retry)
                return ResultOf(answer);
        }
        return WriteGatherFile(*bytes, file.target, kStrTargetWriteFailed, LoadString(kStrCopyingLabel) + file.source,
                               hooks_.cancelled, &plan_.own);
    }

    GatherFileResult WriteConverted(const GatherFile& file, Converted&& converted)
    {
        for (;;) {
            if (Cancelled())
                return GatherFileResult::Interrupted;
            if (!converted.loaded) {
                const Answer answer = AskAbortRetryIgnore(LoadString(kStrSourceOpenFailed) + "\n" + file.source);
                if (answer != Answer::Retry)
                    return ResultOf(answer);
                converted = Convert(file.source, quality_, hooks_.cancelled);
                continue;
            }
            Operation(LoadString(kStrConvertingToJpegLabel) + StoredFileName(file.target));
            if (converted.jpeg)
                break;
            // Read, but libjpeg would not encode it (a side beyond 65500
            // pixels, memory): the JPEG writer's question, as on disk.
            const Answer answer = AskAbortRetryIgnore(LoadString(kStrJpegCreateFailed) + "\n" + file.target);
            if (answer != Answer::Retry)
                return ResultOf(answer);
            converted = Convert(file.source, quality_, hooks_.cancelled);
        }
        return WriteGatherFile(std::string_view(reinterpret_cast<const char*>(converted.jpeg->data()),
                                                converted.jpeg->size()),
                               file.target, kStrJpegCreateFailed,
                               LoadString(kStrConvertingToJpegOfLabel) + file.target, hooks_.cancelled, &plan_.own);
    }

    // Each photo's copies for the screen, in the order of ViewerPhotos (one
    // a picture file); a file refused before the start has none.
    GatherFileResult AddWebSizes(std::vector<ViewerPhoto>& photos) const
    {
        std::vector<WebSizesSource> sources;
        for (size_t i = 0; i < files_.size(); ++i)
            if (files_[i].kind == GatherFile::Kind::Picture)
                sources.push_back({files_[i].item, skipped_[i] ? std::string() : files_[i].source});
        GatherFileResult result = GatherFileResult::Written;
        auto sizes = WriteWebSizes(sources, destination_, hooks_.cancelled, hooks_.threads, result, &plan_.own);
        for (size_t i = 0; i < photos.size() && i < sizes.size(); ++i)
            photos[i].sizes = std::move(sizes[i]);
        return result;
    }

    // The names the viewer finds each photo's files under; nothing for a
    // file refused before the start.
    std::vector<ViewerPhoto> ViewerPhotos() const
    {
        std::vector<ViewerPhoto> photos;
        for (size_t i = 0; i < files_.size(); ++i) {
            const GatherFile& file = files_[i];
            const std::string name = skipped_[i] ? std::string() : StoredFileName(file.target);
            if (file.kind == GatherFile::Kind::Picture)
                photos.push_back({file.item, name, {}, {}});
            else if (file.kind == GatherFile::Kind::Sound && !photos.empty() && photos.back().item == file.item)
                photos.back().sound = name;
        }
        return photos;
    }

    const AlbumDocument& doc_;
    std::string destination_;
    GatherOptions options_;
    const GatherHooks& hooks_;
    GatherPlan plan_;
    const std::vector<GatherFile>& files_;
    std::vector<bool> skipped_;  // refused before the start, answered Ignore
    int quality_;
    std::atomic<bool> stopped_ = false;  // read by the converting threads
    GatherResult result_;
};

}  // namespace

GatherOptions GatherOptionsFrom(const Preferences& prefs)
{
    return {prefs.convertJpeg, prefs.copySounds, prefs.copyRuntime, prefs.compression, prefs.webSizes};
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
    for (const GatherRename& rename : result.renamed)
        text += "\n" + FormatString(kStrGatherRenamed, rename.wanted.c_str(), rename.given.c_str());
    return text;
}

}  // namespace lumora
