#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/album/album_document.h"
#include "core/formats/bmp_writer.h"
#include "core/picture_document/dib_object.h"
#include "core/platform/atomic_file.h"
#include "core/platform/services.h"
#include "core/album/find_album_file.h"
#include "core/gather/gather.h"
#include "core/gather/gather_directory.h"
#include "core/sound/sounds.h"
#include "core/gather/web_viewer.h"
#include "core/res/strings.h"
#include "support/sound_files.h"
#include "support/test_support.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

// Answers the gather's questions from a list and keeps them.
class ScriptedPrompter final : public Prompter {
public:
    explicit ScriptedPrompter(std::vector<AbortRetryIgnore> answers) : answers_(std::move(answers)) {}
    AbortRetryIgnore AskAbortRetryIgnore(const std::string& text, const std::string&) override
    {
        asked.push_back(text);
        if (onQuestion)
            onQuestion();
        if (answers_.empty())
            return AbortRetryIgnore::Abort;
        const AbortRetryIgnore answer = answers_.front();
        answers_.erase(answers_.begin());
        return answer;
    }
    std::vector<std::string> asked;
    std::function<void()> onQuestion;

private:
    std::vector<AbortRetryIgnore> answers_;
    ScopedServices installed_{[this](Services& s) { s.prompter = this; }};
};

// A plain grey picture for each spread, as the album painter would give.
class FlatRenderer final : public SpreadRenderer {
public:
    Picture RenderSpread(const AlbumDocument&, int position, int scale) override
    {
        if (scale == kViewerScale)  // pages alone are drawn at another scale too
            positions.push_back(position);
        return test::MakeRgbPicture(58 * scale, 39 * scale, [](uint32_t, uint32_t) { return ColorTriple{90, 90, 90}; });
    }
    std::vector<int> positions;
};

void WritePicture(const std::string& path, uint8_t shade)
{
    fs::create_directories(fs::path(path).parent_path());
    const Picture dib = test::MakeRgbPicture(64, 48, [shade](uint32_t x, uint32_t y) {
        return ColorTriple{static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 5), shade};
    });
    ASSERT_TRUE(WriteBMPFile(path, dib));
}

std::vector<std::string> FilesUnder(const std::string& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(directory))
        if (entry.is_regular_file())
            names.push_back(fs::relative(entry.path(), directory).string());
    std::sort(names.begin(), names.end());
    return names;
}

bool AnyTemporaryLeft(const std::string& directory)
{
    for (const std::string& name : FilesUnder(directory))
        if (name.find(".lumora-gather-") != std::string::npos)
            return true;
    return false;
}

// Where the album at `albumPath` finds each of its photos.
std::vector<std::string> GatheredPhotos(const std::string& albumPath)
{
    AlbumDocument doc;
    EXPECT_TRUE(doc.Open(albumPath));
    std::vector<std::string> found;
    for (const auto& item : doc.Items())
        if (item->IsPhoto())
            found.push_back(FindAlbumImage(item->imagePath, albumPath));
    return found;
}

// An album of photos (paths as given) saved as `albumPath`.
void MakeAlbum(const std::string& albumPath, const std::vector<std::string>& photos)
{
    AlbumDocument doc;
    doc.Clear();
    for (size_t i = 0; i < photos.size(); ++i)
        ASSERT_TRUE(doc.InsertImage(photos[i], i));
    ASSERT_TRUE(doc.Save(albumPath));
}

GatherResult Gather(const std::string& albumPath, const std::string& destination, GatherOptions options,
                    SpreadRenderer* renderer = nullptr, std::function<bool()> cancelled = {})
{
    fs::create_directories(destination);
    AlbumDocument doc;
    EXPECT_TRUE(doc.Open(albumPath));
    GatherHooks hooks;
    hooks.renderer = renderer;
    hooks.cancelled = std::move(cancelled);
    return RunGather(doc, albumPath, destination, options, hooks);
}

// A system directory mounted read-only (containers often mount /sys or
// /proc/sys so); empty when there is none.
std::string ReadOnlyMount()
{
    std::ifstream mounts("/proc/self/mounts");
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device, point, type, options;
        fields >> device >> point >> type >> options;
        const bool system = point == "/sys" || point == "/proc/sys" || point == "/usr" || point == "/";
        if (system && ("," + options + ",").find(",ro,") != std::string::npos)
            return point == "/" ? "" : point;
    }
    return {};
}

// A read-only file system of the test's own, where it may mount one (root
// with the right to mount); `Mounted` says whether it could.
class ReadOnlyTmpfs {
public:
    explicit ReadOnlyTmpfs(std::string point) : point_(std::move(point))
    {
        fs::create_directories(point_);
        mounted_ = ::mount("tmpfs", point_.c_str(), "tmpfs", MS_RDONLY, "size=64k") == 0;
    }
    ~ReadOnlyTmpfs()
    {
        if (mounted_)
            ::umount(point_.c_str());
    }
    bool Mounted() const { return mounted_; }

private:
    std::string point_;
    bool mounted_ = false;
};

// Whether a user without rights on `path`'s folders is refused with 55060:
// asked in a child turned into "nobody", as permissions do not stop root.
bool RefusedToNobody(const std::string& path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        const bool refused = ValidateGatherDirectory(path).problem == GatherDirectoryProblem::NotReady;
        ::_exit(dropped && refused ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(GatherDirectoryTest, RefusesWhatCannotReceiveAGatherAndCreatesTheRest)
{
    test::TempDir dir;
    test::CapturingReporter reporter;  // the caller tells the user, not the check
    const auto refusedWith = [&](const std::string& typed, GatherDirectoryProblem problem) {
        const GatherDirectory checked = ValidateGatherDirectory(typed);
        EXPECT_FALSE(checked) << typed;
        EXPECT_EQ(checked.problem, problem) << typed;
    };
    refusedWith("", GatherDirectoryProblem::BadPath);
    refusedWith("photos/rassemblement", GatherDirectoryProblem::BadPath);
    refusedWith("C:\\PHOTOS", GatherDirectoryProblem::BadPath);
    // A file in the way of the chain.
    test::WriteBytes(dir.File("fichier"), {1});
    refusedWith(dir.File("fichier/dessous"), GatherDirectoryProblem::NotReady);
    refusedWith(dir.File("fichier"), GatherDirectoryProblem::NotReady);
    if (const ReadOnlyTmpfs own(dir.File("lecture-seule")); own.Mounted())
        refusedWith(dir.File("lecture-seule/album"), GatherDirectoryProblem::UnwritableMedium);
    else if (const std::string mount = ReadOnlyMount(); !mount.empty())
        refusedWith(mount + "/lumora-rassemblement", GatherDirectoryProblem::UnwritableMedium);
    fs::create_directories(dir.File("protege"));
    fs::permissions(dir.File("protege"), fs::perms::owner_read | fs::perms::owner_exec |
                                             fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(dir.Path(), fs::perms::others_exec, fs::perm_options::add);
    if (::geteuid() != 0) {
        refusedWith(dir.File("protege/album"), GatherDirectoryProblem::NotReady);
        refusedWith(dir.File("protege"), GatherDirectoryProblem::NotReady);
    } else {  // permissions do not stop root: asked as nobody
        EXPECT_TRUE(RefusedToNobody(dir.File("protege/album")));
        EXPECT_TRUE(RefusedToNobody(dir.File("protege")));
    }
    fs::permissions(dir.File("protege"), fs::perms::owner_all);

    // Created with its parents, case kept, slashes tidied; "~" is home.
    EXPECT_EQ(ValidateGatherDirectory(dir.File("Vacances//Été/")).path, dir.File("Vacances/Été"));
    EXPECT_TRUE(fs::is_directory(dir.File("Vacances/Été")));
    EXPECT_EQ(ValidateGatherDirectory("/").path, "/");
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::setenv("HOME", dir.File("maison").c_str(), 1);
    EXPECT_EQ(ValidateGatherDirectory("~/Albums").path, dir.File("maison/Albums"));
    EXPECT_TRUE(fs::is_directory(dir.File("maison/Albums")));
    ::setenv("HOME", savedHome.c_str(), 1);
    EXPECT_TRUE(reporter.messages.empty());
    // The words the program shows for each refusal.
    EXPECT_EQ(GatherDirectoryProblemText(GatherDirectoryProblem::BadPath), LoadString(kStrGatherBadPath));
    EXPECT_EQ(GatherDirectoryProblemText(GatherDirectoryProblem::UnwritableMedium), LoadString(kStrGatherNoDrive));
    EXPECT_EQ(GatherDirectoryProblemText(GatherDirectoryProblem::NotReady), LoadString(kStrGatherDriveNotReady));
}

TEST(GatherTest, GatheredAlbumWorksOnceMovedAndItsOriginalsDeleted)
{
    test::TempDir dir;
    WritePicture(dir.File("originaux/ete/Plage.bmp"), 10);
    WritePicture(dir.File("originaux/hiver/neige.bmp"), 200);
    fs::create_directories(dir.File("originaux/sons"));
    test::WriteToneWav(dir.File("originaux/sons/vagues.wav"), 0.1);
    const std::string album = dir.File("originaux/Voyage.qza");
    MakeAlbum(album, {dir.File("originaux/ete/Plage.bmp"), dir.File("originaux/hiver/neige.bmp")});
    {
        AlbumDocument doc;
        ASSERT_TRUE(doc.Open(album));
        test::ChangeContent(doc, 0, [&](ItemContent& c) {
            c.soundPath = dir.File("originaux/sons/vagues.wav");
            c.description = "Au bord de l'eau";
        });
        ASSERT_TRUE(doc.Save(album));
    }
    FlatRenderer renderer;
    ScriptedPrompter prompter({});  // any question fails the test
    const auto destination = ValidateGatherDirectory(dir.File("rassemble"));
    ASSERT_TRUE(destination);
    const GatherResult result = Gather(album, destination.path, {true, true, true, 30}, &renderer);
    ASSERT_EQ(result.outcome, GatherOutcome::Done) << (prompter.asked.empty() ? "" : prompter.asked[0]);
    EXPECT_TRUE(result.renamed.empty());
    EXPECT_EQ(GatherCompletionText(result), LoadString(kStrGatherDone));

    // The names: the last three characters become JPG, case kept.
    const auto files = FilesUnder(dir.File("rassemble"));
    for (const char* name : {"Plage.JPG", "neige.JPG", "vagues.wav", "Voyage.qza", "index.html", "lumora-web/album.js",
                             "lumora-web/viewer.js", "lumora-web/viewer.css", "lumora-web/pages/000.jpg",
                             "lumora-web/previews/0000.jpg", "lumora-web/previews/0001.jpg"})
        EXPECT_NE(std::find(files.begin(), files.end(), name), files.end()) << name;
    // One picture per spread, from the closed cover on.
    ASSERT_FALSE(renderer.positions.empty());
    EXPECT_EQ(renderer.positions.front(), -2);
    EXPECT_EQ(std::count_if(files.begin(), files.end(),
                            [](const std::string& f) {
                                return f.rfind("lumora-web/pages/", 0) == 0 && f.size() == 24;  // pages/000.jpg
                            }),
              static_cast<long>(renderer.positions.size()));
    EXPECT_FALSE(AnyTemporaryLeft(dir.File("rassemble")));
    // The album file is copied byte for byte.
    fs::rename(dir.File("rassemble"), dir.File("ailleurs"));
    EXPECT_EQ(test::ReadBytes(dir.File("ailleurs/Voyage.qza")), test::ReadBytes(album));
    fs::remove_all(dir.File("originaux"));

    AlbumDocument moved;
    ASSERT_TRUE(moved.Open(dir.File("ailleurs/Voyage.qza")));
    const std::string movedPath = dir.File("ailleurs/Voyage.qza");
    const std::string plage = FindAlbumImage(moved.Items()[0]->imagePath, movedPath);
    EXPECT_EQ(plage, dir.File("ailleurs/Plage.JPG"));
    EXPECT_EQ(FindAlbumImage(moved.Items()[1]->imagePath, movedPath), dir.File("ailleurs/neige.JPG"));
    EXPECT_EQ(FindAlbumSound(moved.Items()[0]->soundPath, movedPath), dir.File("ailleurs/vagues.wav"));
    // Converted in full colour at the chosen quality: a 24-bit JPEG.
    Dib converted;
    converted.Load(plage, ReadOptions{});
    ASSERT_FALSE(converted.IsEmpty());
    EXPECT_EQ(converted.Width(), 64);
    // The viewer knows each photo's gathered file and description.
    std::ifstream data(dir.File("ailleurs/lumora-web/album.js"));
    const std::string script((std::istreambuf_iterator<char>(data)), {});
    EXPECT_NE(script.find("\"picture\":\"Plage.JPG\""), std::string::npos);
    EXPECT_NE(script.find("\"sound\":\"vagues.wav\""), std::string::npos);
    EXPECT_NE(script.find("\"description\":\"Au bord de l'eau\""), std::string::npos);
    // With the viewer, each photo's copy for the screen (a 64 x 48 picture:
    // its own size only), named in the data.
    EXPECT_TRUE(fs::is_regular_file(dir.File("ailleurs/lumora-web/photos/0000-64.jpg")));
    EXPECT_NE(script.find("\"sizes\":[[\"lumora-web/photos/0000-64.jpg\",64,48]]"), std::string::npos);
}

TEST(GatherTest, PlanNamesConvertedPicturesByTheirLastThreeCharacters)
{
    AlbumDocument doc;
    test::AppendItem(doc, std::make_unique<AlbumItem>("D:\\IMG\\PHOTO.BMP"));
    test::AppendItem(doc, std::make_unique<AlbumItem>("texte", TextFont{}, 0));
    test::AppendItem(doc, std::make_unique<AlbumItem>("/photos/neige"));
    test::AppendItem(doc, std::make_unique<AlbumItem>("/photos/été.tiff"));
    test::ChangeContent(doc, 0, [](ItemContent& c) { c.soundPath = "C:\\SONS\\Mer.WAV"; });
    const auto plan = PlanGather(doc, "/albums/a.qza", "/dest", {true, true, true, 50}).files;
    std::vector<std::string> targets;
    for (const GatherFile& file : plan)
        targets.push_back(file.target);
    EXPECT_EQ(targets, (std::vector<std::string>{"/dest/a.qza", "/dest/PHOTO.JPG", "/dest/Mer.WAV", "/dest/neJPG",
                                                 "/dest/été.tJPG"}));
    EXPECT_TRUE(plan[1].convert);
    EXPECT_FALSE(plan[2].convert);
    EXPECT_EQ(plan[3].item, 2);
    // Without conversion, without sounds: the names as they are.
    const auto copies = PlanGather(doc, "/albums/a.qza", "/", {false, false, true, 50}).files;
    ASSERT_EQ(copies.size(), 4u);
    EXPECT_EQ(copies[1].target, "/PHOTO.BMP");  // a stored Windows path's file name
    EXPECT_EQ(copies[3].target, "/été.tiff");
}

TEST(GatherTest, IntoTheAlbumsOwnFolderNothingIsCopiedTwiceAndNothingOfTheUsersReplaced)
{
    test::TempDir dir;
    WritePicture(dir.File("album/photo.bmp"), 50);
    const std::string album = dir.File("album/a.qza");
    MakeAlbum(album, {dir.File("album/photo.bmp")});
    // The same files (same inodes): nothing is copied or replaced.
    const auto albumBefore = IdentifyFile(album);
    const auto photoBefore = IdentifyFile(dir.File("album/photo.bmp"));
    ASSERT_EQ(Gather(album, dir.File("album"), {false, true, false, 50}).outcome, GatherOutcome::Done);
    EXPECT_EQ(IdentifyFile(album), albumBefore);
    EXPECT_EQ(IdentifyFile(dir.File("album/photo.bmp")), photoBefore);
    ASSERT_EQ(Gather(album, dir.File("album"), {true, true, false, 50}).outcome, GatherOutcome::Done);
    EXPECT_TRUE(fs::exists(dir.File("album/photo.JPG")));
    EXPECT_EQ(FilesUnder(dir.File("album")), (std::vector<std::string>{"a.qza", "photo.JPG", "photo.bmp"}));

    // A page of the user's own called index.html stays; the viewer takes
    // another name.
    test::WriteBytes(dir.File("album/index.html"), {'<', 'p', '>'});
    FlatRenderer renderer;
    ASSERT_EQ(Gather(album, dir.File("album"), {false, true, true, 50}, &renderer).outcome, GatherOutcome::Done);
    EXPECT_EQ(test::ReadBytes(dir.File("album/index.html")), (std::vector<uint8_t>{'<', 'p', '>'}));
    EXPECT_TRUE(fs::exists(dir.File("album/lumora-album.html")));
    // A viewer's own page is replaced by the next gather.
    fs::remove(dir.File("album/index.html"));
    ASSERT_EQ(Gather(album, dir.File("album"), {false, true, true, 50}, &renderer).outcome, GatherOutcome::Done);
    EXPECT_EQ(ViewerPagePath(dir.File("album")), dir.File("album/index.html"));
}

TEST(GatherTest, FileErrorsAskAbortRetryIgnoreAndRetryRepeatsTheFailedStep)
{
    test::TempDir dir;
    WritePicture(dir.File("a/un.bmp"), 1);
    WritePicture(dir.File("a/deux.bmp"), 2);
    test::WriteToneWav(dir.File("a/deux.wav"), 0.1);
    const std::string album = dir.File("a/album.qza");
    MakeAlbum(album, {dir.File("a/un.bmp"), dir.File("a/deux.bmp")});
    {
        AlbumDocument doc;
        ASSERT_TRUE(doc.Open(album));
        test::ChangeContent(doc, 1, [&](ItemContent& c) { c.soundPath = dir.File("a/deux.wav"); });
        ASSERT_TRUE(doc.Save(album));
    }
    const std::vector<uint8_t> deux = test::ReadBytes(dir.File("a/deux.bmp"));
    fs::remove(dir.File("a/deux.bmp"));
    const std::string missing = LoadString(kStrSourceOpenFailed) + "\n" + dir.File("a/deux.bmp");

    {  // Ignore: the picture is skipped, its sound still copied.
        ScriptedPrompter prompter({AbortRetryIgnore::Ignore});
        const GatherResult result = Gather(album, dir.File("ignore"), {false, true, false, 50});
        EXPECT_EQ(result.outcome, GatherOutcome::Done);
        EXPECT_EQ(prompter.asked, std::vector<std::string>{missing});
        EXPECT_EQ(FilesUnder(dir.File("ignore")), (std::vector<std::string>{"album.qza", "deux.wav", "un.bmp"}));
    }
    {  // Ignore with conversion: the same question, the sound still copied.
        ScriptedPrompter prompter({AbortRetryIgnore::Ignore});
        EXPECT_EQ(Gather(album, dir.File("ignore-jpeg"), {true, true, false, 50}).outcome, GatherOutcome::Done);
        EXPECT_EQ(prompter.asked, std::vector<std::string>{missing});
        EXPECT_EQ(FilesUnder(dir.File("ignore-jpeg")), (std::vector<std::string>{"album.qza", "deux.wav", "un.JPG"}));
    }
    {  // Retry after the file came back: copied.
        ScriptedPrompter prompter({AbortRetryIgnore::Retry});
        prompter.onQuestion = [&] { test::WriteBytes(dir.File("a/deux.bmp"), deux); };
        EXPECT_EQ(Gather(album, dir.File("retry"), {true, false, false, 50}).outcome, GatherOutcome::Done);
        EXPECT_EQ(prompter.asked.size(), 1u);
        EXPECT_TRUE(fs::exists(dir.File("retry/deux.JPG")));
        fs::remove(dir.File("a/deux.bmp"));
    }
    {  // Abort: nothing after the failed file, no completion.
        ScriptedPrompter prompter({AbortRetryIgnore::Abort});
        EXPECT_EQ(Gather(album, dir.File("abort"), {false, true, false, 50}).outcome, GatherOutcome::Aborted);
        EXPECT_EQ(FilesUnder(dir.File("abort")), (std::vector<std::string>{"album.qza", "un.bmp"}));
    }
}

TEST(GatherTest, AFailedWriteLeavesNoHalfFileUnderAFinalName)
{
    test::TempDir dir;
    const std::string big = dir.File("src/grand.bin");
    fs::create_directories(dir.File("src"));
    test::WriteBytes(big, std::vector<uint8_t>(300000, 7));
    fs::create_directories(dir.File("dst"));
    test::WriteBytes(dir.File("dst/grand.bin"), {1, 2, 3});  // an earlier copy stays whole
    // A file-size limit stands for a full disk: writes past it fail.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    int questions = 0;
    GatherFileResult result;
    {
        ScriptedPrompter prompter({AbortRetryIgnore::Retry, AbortRetryIgnore::Abort});
        result = CopyGatherFile(big, dir.File("dst/grand.bin"));
        questions = static_cast<int>(prompter.asked.size());
        if (!prompter.asked.empty()) {
            EXPECT_EQ(prompter.asked[0], LoadString(kStrTargetWriteFailed) + "\n" + dir.File("dst/grand.bin"));
        }
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(result, GatherFileResult::Aborted);
    EXPECT_EQ(questions, 2);  // Retry wrote again and failed again
    EXPECT_EQ(test::ReadBytes(dir.File("dst/grand.bin")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(AnyTemporaryLeft(dir.File("dst")));

    // Without the limit the copy replaces the old one whole.
    EXPECT_EQ(CopyGatherFile(big, dir.File("dst/grand.bin")), GatherFileResult::Written);
    EXPECT_EQ(test::ReadBytes(dir.File("dst/grand.bin")), test::ReadBytes(big));
}

TEST(GatherTest, EmptyFilesSameFilesAndInterruptions)
{
    test::TempDir dir;
    test::WriteBytes(dir.File("vide.wav"), {});
    test::RecordingProgress progress;
    EXPECT_EQ(CopyGatherFile(dir.File("vide.wav"), dir.File("copie.wav")), GatherFileResult::Written);
    EXPECT_TRUE(fs::exists(dir.File("copie.wav")));
    EXPECT_EQ(fs::file_size(dir.File("copie.wav")), 0u);
    EXPECT_TRUE(progress.steps.empty());  // no gauge for an empty file
    // A hard link is the same file: nothing is copied onto itself.
    test::WriteBytes(dir.File("a.bin"), {5, 6});
    fs::create_hard_link(dir.File("a.bin"), dir.File("lien.bin"));
    EXPECT_TRUE(IsSameFile(dir.File("a.bin"), dir.File("lien.bin")));
    EXPECT_EQ(CopyGatherFile(dir.File("a.bin"), dir.File("lien.bin")), GatherFileResult::Written);
    EXPECT_EQ(test::ReadBytes(dir.File("lien.bin")), (std::vector<uint8_t>{5, 6}));
    // Stopped in the middle of a file: no file and no temporary one.
    test::WriteBytes(dir.File("gros.bin"), std::vector<uint8_t>(size_t{8} << 20, 1));
    fs::create_directories(dir.File("out"));
    int asked = 0;
    EXPECT_EQ(CopyGatherFile(dir.File("gros.bin"), dir.File("out/gros.bin"), [&] { return ++asked > 2; }),
              GatherFileResult::Interrupted);
    EXPECT_TRUE(FilesUnder(dir.File("out")).empty());
}

TEST(GatherTest, SameNamesFromDifferentFoldersGetNamesOfTheirOwn)
{
    test::TempDir dir;
    WritePicture(dir.File("un/photo.bmp"), 1);
    WritePicture(dir.File("deux/photo.bmp"), 2);
    const std::string album = dir.File("album.qza");
    MakeAlbum(album, {dir.File("un/photo.bmp"), dir.File("deux/photo.bmp"), dir.File("un/photo.bmp")});
    const GatherResult result = Gather(album, dir.File("dest"), {false, false, false, 50});
    ASSERT_EQ(result.outcome, GatherOutcome::Done);
    ASSERT_EQ(result.renamed.size(), 1u);
    EXPECT_EQ(GatherCompletionText(result),
              LoadString(kStrGatherDone) + "\n" + FormatString(kStrGatherRenamed, "photo.bmp", "photo-2.bmp"));
    EXPECT_EQ(FilesUnder(dir.File("dest")), (std::vector<std::string>{"album.qza", "photo-2.bmp", "photo.bmp"}));
    // Each photo is its own in the gathered album; the first one placed
    // twice is gathered once.
    EXPECT_EQ(GatheredPhotos(dir.File("dest/album.qza")),
              (std::vector<std::string>{dir.File("dest/photo.bmp"), dir.File("dest/photo-2.bmp"),
                                        dir.File("dest/photo.bmp")}));
    EXPECT_EQ(test::ReadBytes(dir.File("dest/photo.bmp")), test::ReadBytes(dir.File("un/photo.bmp")));
    EXPECT_EQ(test::ReadBytes(dir.File("dest/photo-2.bmp")), test::ReadBytes(dir.File("deux/photo.bmp")));
    // Interrupted before anything: no completion, nothing half written.
    const GatherResult stopped = Gather(album, dir.File("stop"), {true, false, false, 50}, nullptr, [] { return true; });
    EXPECT_EQ(stopped.outcome, GatherOutcome::Interrupted);
    EXPECT_TRUE(FilesUnder(dir.File("stop")).empty());
}

}  // namespace
}  // namespace lumora
