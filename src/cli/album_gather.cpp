#include "cli/album_gather.h"
#include "cli/album_file.h"

#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>
#include <signal.h>

#include "cli/album_options.h"
#include "core/album/album_document.h"
#include "core/platform/services.h"
#include "core/gather/gather.h"
#include "core/gather/gather_directory.h"
#include "core/gather/web_viewer.h"
#ifdef LUMORA_HAVE_GUI
#include <QCoreApplication>

#include "cli/offscreen_gui.h"
#include "core/platform/screen.h"
#include "gui/album/book_pictures.h"
#include "gui/gather/spread_renderer.h"
#endif

namespace lumora::cli {
namespace {

constexpr const char* kGatherUsage =
    "usage : lumora-cli album gather FICHIER DESTINATION [--jpeg on|off] [--compression N] [--sounds on|off] "
    "[--viewer on|off] [--web-sizes on|off]";

// Nobody to ask on the command line: the question's text goes to stderr and
// the gather stops.
class StoppingPrompter final : public Prompter {
public:
    AbortRetryIgnore AskAbortRetryIgnore(const std::string& text, const std::string&) override
    {
        std::cerr << "lumora-cli: " << text << '\n';
        return AbortRetryIgnore::Abort;
    }
};

// The album file is copied, or written anew when it must name renamed
// files: "album" says what it is without claiming either.
std::string LineFor(const GatherFile& file)
{
    const char* what = file.kind == GatherFile::Kind::AlbumFile ? "album : "
                       : file.convert                           ? "converti : "
                                                                : "copié : ";
    return what + file.source + " -> " + file.target;
}

// The exit status of a command stopped by Ctrl+C or a termination request.
constexpr int kExitInterrupted = 130;

// SIGINT and SIGTERM, while one lives, ask the gather to stop between two
// chunks instead of ending the process: the file being written is dropped
// (its temporary removed) and the command exits 130. A signal handler can
// only reach a flag of the process; this one is set by the handler alone
// and read through Requested().
class StopOnSignals {
public:
    StopOnSignals()
    {
        requested_ = 0;
        struct sigaction action {};
        action.sa_handler = [](int) { requested_ = 1; };
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &savedInterrupt_);
        ::sigaction(SIGTERM, &action, &savedTerminate_);
    }
    ~StopOnSignals()
    {
        ::sigaction(SIGINT, &savedInterrupt_, nullptr);
        ::sigaction(SIGTERM, &savedTerminate_, nullptr);
    }
    StopOnSignals(const StopOnSignals&) = delete;
    StopOnSignals& operator=(const StopOnSignals&) = delete;

    static bool Requested() { return requested_ != 0; }

private:
    static inline volatile std::sig_atomic_t requested_ = 0;
    struct sigaction savedInterrupt_ {};
    struct sigaction savedTerminate_ {};
};

}  // namespace

int RunAlbumGather(Arguments args)
{
    GatherOptions options = GatherOptionsFrom(Preferences{});
    OptionReader reader(std::move(args));
    options.convertJpeg = reader.Flag("--jpeg").value_or(options.convertJpeg);
    options.copySounds = reader.Flag("--sounds").value_or(options.copySounds);
    options.writeViewer = reader.Flag("--viewer").value_or(options.writeViewer);
    options.webSizes = reader.Flag("--web-sizes").value_or(options.webSizes);
    options.compression = reader.Number("--compression", 1, 99).value_or(options.compression);
    if (!reader.Finish(2, 2, kGatherUsage))
        return kExitUsage;
    const auto& words = reader.Words();

    const std::string albumPath = std::filesystem::absolute(words[0]).lexically_normal().string();
    AlbumDocument doc;
    if (!OpenAlbumFile(doc, albumPath))
        return kExitFailed;  // reported on stderr
    // A relative destination means the current directory's, as in any
    // command; the windowed program asks for an absolute one.
    std::string typed = words[1];
    if (!typed.empty() && typed[0] != '/' && typed[0] != '~')
        typed = std::filesystem::absolute(typed).string();
    const GatherDirectory destination = ValidateGatherDirectory(typed);
    if (!destination)
        return Fail(kExitFailed, GatherDirectoryProblemText(destination.problem));

    StoppingPrompter prompter;
    ScopedServices questions([&prompter](Services& s) { s.prompter = &prompter; });
    StopOnSignals stopOnSignals;
    GatherHooks hooks;
    hooks.written = [](const GatherFile& file) { std::cout << LineFor(file) << '\n'; };
    hooks.cancelled = [] { return StopOnSignals::Requested(); };
#ifdef LUMORA_HAVE_GUI
    std::optional<OffscreenGui> gui;
    std::optional<BookPictures> book;
    std::unique_ptr<PainterSpreadRenderer> renderer;
    if (options.writeViewer) {
        gui.emplace();
        book = LoadBookPictures(QCoreApplication::applicationDirPath() + '/', ScreenDepth(), {});
        if (!book)
            return Fail(kExitFailed, "images du livre illisibles");
        renderer = std::make_unique<PainterSpreadRenderer>(*book, AlbumDrawOptions{true, false});
        hooks.renderer = renderer.get();
    }
#else
    options.writeViewer = false;
#endif
    // Named before the gather writes it: after, "index.html" is always ours.
    const std::string viewerPage = ViewerPagePath(destination.path);
    const GatherResult result = RunGather(doc, albumPath, destination.path, options, hooks);
    if (StopOnSignals::Requested())
        return Fail(kExitInterrupted, "rassemblement interrompu : le fichier en cours n'a pas été écrit");
    if (result.outcome != GatherOutcome::Done)
        return kExitFailed;
    if (options.writeViewer)
        std::cout << "visionneuse : " << viewerPage << '\n';
    std::cout << GatherCompletionText(result) << '\n';
    return kExitOk;
}

}  // namespace lumora::cli
