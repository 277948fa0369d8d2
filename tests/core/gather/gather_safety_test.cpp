// A received album drives the gather: what it names as photos and sounds,
// and where it is gathered, must never cost the user a file, ship a file
// that is no picture or sound, or hang.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "core/album/album_document.h"
#include "core/album/find_album_file.h"
#include "core/formats/bmp_writer.h"
#include "core/formats/jpeg_writer.h"
#include "core/gather/gather.h"
#include "core/gather/web_viewer.h"
#include "core/picture_document/dib_object.h"
#include "core/platform/services.h"
#include "core/res/strings.h"
#include "support/sound_files.h"
#include "support/test_support.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Gives the same answer to every question and keeps them.
class SameAnswer final : public Prompter {
public:
    explicit SameAnswer(AbortRetryIgnore answer) : answer_(answer) {}
    AbortRetryIgnore AskAbortRetryIgnore(const std::string& text, const std::string&) override
    {
        asked.push_back(text);
        return answers.empty() ? answer_ : Next();
    }
    std::vector<std::string> asked;
    std::vector<AbortRetryIgnore> answers;  // taken first, then `answer_`

private:
    AbortRetryIgnore Next()
    {
        const AbortRetryIgnore next = answers.front();
        answers.erase(answers.begin());
        return next;
    }
    AbortRetryIgnore answer_;
    ScopedServices installed_{[this](Services& s) { s.prompter = this; }};
};

class FlatRenderer final : public SpreadRenderer {
public:
    Picture RenderSpread(const AlbumDocument&, int, int scale) override
    {
        return test::MakeRgbPicture(58 * scale, 39 * scale, [](uint32_t, uint32_t) { return ColorTriple{9, 9, 9}; });
    }
};

Picture Picture(uint8_t shade, int32_t width = 64, int32_t height = 48)
{
    return test::MakeRgbPicture(width, height, [shade](uint32_t x, uint32_t y) {
        return ColorTriple{static_cast<uint8_t>(x * 3), static_cast<uint8_t>(y * 5), shade};
    });
}

void WriteBmp(const std::string& path, uint8_t shade)
{
    fs::create_directories(fs::path(path).parent_path());
    ASSERT_TRUE(WriteBMPFile(path, Picture(shade)));
}

void WriteJpeg(const std::string& path, uint8_t shade)
{
    fs::create_directories(fs::path(path).parent_path());
    const auto bytes = EncodeJPEG(Picture(shade), 90);
    ASSERT_TRUE(bytes);
    test::WriteBytes(path, *bytes);
}

std::vector<std::string> FilesUnder(const std::string& directory)
{
    std::vector<std::string> names;
    if (!fs::exists(directory))
        return names;
    for (const auto& entry : fs::recursive_directory_iterator(directory))
        if (!entry.is_directory())
            names.push_back(fs::relative(entry.path(), directory).string());
    std::sort(names.begin(), names.end());
    return names;
}

// An album of real pictures saved as `albumPath`, then each photo's path
// and sound replaced by the ones given (as a stranger's album may hold).
void MakeAlbum(const std::string& albumPath, const std::vector<std::string>& photos,
               const std::vector<std::string>& sounds = {})
{
    AlbumDocument doc;
    doc.Clear();
    const std::string stand = albumPath + ".stand.bmp";
    WriteBmp(stand, 1);
    for (size_t i = 0; i < photos.size(); ++i)
        ASSERT_TRUE(doc.InsertImage(stand, i));
    for (size_t i = 0; i < photos.size(); ++i) {
        test::ChangePhotoFile(doc, i, photos[i]);
        if (i < sounds.size())
            test::ChangeContent(doc, i, [&](ItemContent& c) { c.soundPath = sounds[i]; });
    }
    ASSERT_TRUE(doc.Save(albumPath));
    fs::remove(stand);
}

GatherResult Gather(const std::string& albumPath, const std::string& destination, GatherOptions options,
                    SpreadRenderer* renderer = nullptr)
{
    fs::create_directories(destination);
    AlbumDocument doc;
    EXPECT_TRUE(doc.Open(albumPath));
    GatherHooks hooks;
    hooks.renderer = renderer;
    return RunGather(doc, albumPath, destination, options, hooks);
}

std::vector<std::string> PhotosFoundBy(const std::string& albumPath)
{
    AlbumDocument doc;
    EXPECT_TRUE(doc.Open(albumPath));
    std::vector<std::string> found;
    for (const auto& item : doc.Items())
        if (item->IsPhoto())
            found.push_back(FindAlbumImage(item->imagePath, albumPath));
    return found;
}

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// A hostile source and the question it must bring.
struct Hostile {
    const char* what;
    std::function<std::string(test::TempDir&)> make;  // the path the album names
    bool asSound;
    int textId;  // the question's first line
};

TEST(GatherSafety, HostileSourcesAreRefusedBeforeAnythingIsWritten)
{
    test::TempDir dir;
    const auto fifo = [](const std::string& path) {
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    };
    const Hostile cases[] = {
        {"clé secrète", [](test::TempDir& d) {
             fs::create_directories(d.File("maison/.ssh"));
             test::WriteBytes(d.File("maison/.ssh/id_rsa"), {'-', '-', '-', '-', '-', 'B', 'E', 'G', 'I', 'N'});
             return d.File("maison/.ssh/id_rsa");
         }, false, kStrNotPictureOrSound},
        {"clé nommée .jpg", [](test::TempDir& d) {
             test::WriteBytes(d.File("id_rsa.jpg"), std::vector<uint8_t>(4000, 'k'));
             return d.File("id_rsa.jpg");
         }, false, kStrNotPictureOrSound},
        {"/etc/passwd comme son", [](test::TempDir&) { return std::string("/etc/passwd"); }, true,
         kStrNotPictureOrSound},
        {"/proc/self/environ", [](test::TempDir&) { return std::string("/proc/self/environ"); }, false,
         kStrNotPictureOrSound},
        {"FIFO comme photo", [&](test::TempDir& d) { return fifo(d.File("tube.jpg")); }, false, kStrNotPictureOrSound},
        {"FIFO comme son", [&](test::TempDir& d) { return fifo(d.File("tube.wav")); }, true, kStrNotPictureOrSound},
        {"dossier", [](test::TempDir& d) {
             fs::create_directories(d.File("dossier.jpg"));
             return d.File("dossier.jpg");
         }, false, kStrNotPictureOrSound},
        {"/dev/zero", [](test::TempDir&) { return std::string("/dev/zero"); }, false, kStrNotPictureOrSound},
        {"BMP creux de 4 Go", [](test::TempDir& d) {
             WriteBmp(d.File("creux.bmp"), 3);
             fs::resize_file(d.File("creux.bmp"), uint64_t{4} << 30);
             return d.File("creux.bmp");
         }, false, kStrSourceTooLarge},
    };
    ::alarm(120);  // a hang ends the run instead of blocking it
    int n = 0;
    for (const Hostile& hostile : cases) {
        SCOPED_TRACE(hostile.what);
        const std::string album = dir.File("a" + std::to_string(n) + "/album.qza");
        const std::string path = hostile.make(dir);
        WriteBmp(dir.File("a" + std::to_string(n) + "/bonne.bmp"), 7);
        if (hostile.asSound)
            MakeAlbum(album, {dir.File("a" + std::to_string(n) + "/bonne.bmp")}, {path});
        else
            MakeAlbum(album, {dir.File("a" + std::to_string(n) + "/bonne.bmp"), path});
        const std::string question = LoadString(hostile.textId) + "\n" + path;
        const auto started = Clock::now();
        {  // Abort: the destination stays empty.
            SameAnswer abort(AbortRetryIgnore::Abort);
            const std::string dest = dir.File("abort" + std::to_string(n));
            EXPECT_EQ(Gather(album, dest, {false, true, false, 50}).outcome, GatherOutcome::Aborted);
            EXPECT_EQ(abort.asked, std::vector<std::string>{question});
            EXPECT_TRUE(FilesUnder(dest).empty());
        }
        {  // Ignore: everything else is gathered, that file is not.
            SameAnswer ignore(AbortRetryIgnore::Ignore);
            const std::string dest = dir.File("ignore" + std::to_string(n));
            EXPECT_EQ(Gather(album, dest, {n % 2 == 0, true, false, 50}).outcome, GatherOutcome::Done);
            EXPECT_EQ(ignore.asked, std::vector<std::string>{question});
            const auto files = FilesUnder(dest);
            EXPECT_EQ(files.size(), 2u);
            EXPECT_TRUE(fs::exists(dest + "/album.qza"));
            EXPECT_FALSE(fs::exists(dest + "/" + fs::path(path).filename().string()));
        }
        EXPECT_LT(Clock::now() - started, std::chrono::seconds(10));
        ++n;
    }
    ::alarm(0);
}

TEST(GatherSafety, ASourceThatCannotBeOpenedIsAskedWhenItsTurnComes)
{
    test::TempDir dir;
    ::symlink(dir.File("boucle.jpg").c_str(), dir.File("boucle.jpg").c_str());
    WriteBmp(dir.File("a/bonne.bmp"), 7);
    MakeAlbum(dir.File("a/album.qza"), {dir.File("a/bonne.bmp"), dir.File("boucle.jpg")});
    SameAnswer abort(AbortRetryIgnore::Abort);
    EXPECT_EQ(Gather(dir.File("a/album.qza"), dir.File("d"), {false, true, false, 50}).outcome,
              GatherOutcome::Aborted);
    EXPECT_EQ(abort.asked, std::vector<std::string>{LoadString(kStrSourceOpenFailed) + "\n" + dir.File("boucle.jpg")});
    EXPECT_EQ(FilesUnder(dir.File("d")), (std::vector<std::string>{"album.qza", "bonne.bmp"}));
}

// A destination and what must hold after gathering into it.
struct Destination {
    const char* what;
    bool convert;
    // The photos' paths, the destination, the album's path.
    std::function<void(test::TempDir&, std::vector<std::string>&, std::string&, std::string&)> make;
    // The gathered album file, relative to the destination.
    const char* gatheredAlbum;
    std::vector<std::string> renamedTo;  // names given in place of others
};

TEST(GatherSafety, EveryOriginalStaysWholeAndTheGatheredAlbumShowsEveryPhoto)
{
    const auto ownFolder = [](test::TempDir& d, std::vector<std::string>& photos, std::string& dest,
                              std::string& album) {
        WriteJpeg(d.File("f4/DSC0001.JPG"), 20);
        WriteBmp(d.File("f4/IMG.BMP"), 100);
        WriteJpeg(d.File("f4/IMG.JPG"), 180);
        photos = {d.File("f4/DSC0001.JPG"), d.File("f4/IMG.BMP"), d.File("f4/IMG.JPG")};
        dest = d.File("f4");
        album = d.File("f4/a.qza");
    };
    const Destination cases[] = {
        {"le dossier des photos", false, ownFolder, "a.qza", {}},
        {"le dossier des photos, en JPEG", true, ownFolder, "a-2.qza", {"a-2.qza", "IMG-2.JPG"}},
        {"le dossier d'une photo, une autre du même nom ailleurs", false,
         [](test::TempDir& d, std::vector<std::string>& photos, std::string& dest, std::string& album) {
             WriteBmp(d.File("ailleurs/p.bmp"), 40);
             WriteBmp(d.File("ici/p.bmp"), 200);
             photos = {d.File("ailleurs/p.bmp"), d.File("ici/p.bmp")};
             dest = d.File("ici");
             album = d.File("albums/a.qza");
         },
         "a.qza", {"p-2.bmp"}},
        {"le chemin d'une photo dans la destination, son fichier à côté de l'album", false,
         [](test::TempDir& d, std::vector<std::string>& photos, std::string& dest, std::string& album) {
             WriteBmp(d.File("albums/p.bmp"), 30);  // what the album shows
             WriteBmp(d.File("d/p.bmp"), 230);      // the path it holds
             photos = {d.File("d/p.bmp")};
             dest = d.File("d");
             album = d.File("albums/a.qza");
         },
         "a.qza", {"p-2.bmp"}},
        {"deux photos du même nom, en JPEG", true,
         [](test::TempDir& d, std::vector<std::string>& photos, std::string& dest, std::string& album) {
             WriteBmp(d.File("un/p.bmp"), 60);
             WriteBmp(d.File("deux/P.BMP"), 220);
             photos = {d.File("un/p.bmp"), d.File("deux/P.BMP")};
             dest = d.File("vide");
             album = d.File("albums/a.qza");
         },
         "a.qza", {"P-2.JPG"}},
    };
    for (const Destination& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        std::vector<std::string> photos;
        std::string dest, album;
        c.make(dir, photos, dest, album);
        fs::create_directories(fs::path(album).parent_path());
        MakeAlbum(album, photos);
        std::vector<std::vector<uint8_t>> originals;
        std::vector<std::string> shownBefore;  // the files the album shows
        for (const std::string& photo : photos) {
            originals.push_back(test::ReadBytes(photo));
            shownBefore.push_back(FindAlbumImage(photo, album));
        }
        const std::vector<uint8_t> albumBytes = test::ReadBytes(album);

        SameAnswer none(AbortRetryIgnore::Abort);
        const GatherResult result = Gather(album, dest, {c.convert, true, false, 50});
        ASSERT_EQ(result.outcome, GatherOutcome::Done) << (none.asked.empty() ? "" : none.asked[0]);
        for (size_t i = 0; i < photos.size(); ++i)
            EXPECT_EQ(test::ReadBytes(photos[i]), originals[i]) << photos[i];
        EXPECT_EQ(test::ReadBytes(album), albumBytes);
        std::vector<std::string> given;
        for (const GatherRename& rename : result.renamed)
            given.push_back(rename.given);
        EXPECT_EQ(given, c.renamedTo);

        // Every photo shown from a file of its own, each the right picture.
        const std::vector<std::string> found = PhotosFoundBy(dest + "/" + c.gatheredAlbum);
        ASSERT_EQ(found.size(), photos.size());
        for (size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(fs::path(found[i]).parent_path(), fs::path(dest)) << found[i];
            for (size_t k = 0; k < i; ++k)
                EXPECT_NE(found[i], found[k]);
            Dib shown, original;
            shown.Load(found[i], ReadOptions{});
            original.Load(shownBefore[i], ReadOptions{});
            ASSERT_FALSE(shown.IsEmpty()) << found[i];
            EXPECT_NEAR(test::ColorAt(shown.Image(), 10, 10).blue, test::ColorAt(original.Image(), 10, 10).blue, 25)
                << found[i];
        }
    }
}

TEST(GatherSafety, TheViewersNamesAndAFifoInTheDestination)
{
    test::TempDir dir;
    WriteBmp(dir.File("a/bonne.bmp"), 7);
    WriteJpeg(dir.File("x/index.html"), 8);  // a JPEG by its bytes, a page by its name
    WriteJpeg(dir.File("x/lumora-web"), 9);
    MakeAlbum(dir.File("a/album.qza"), {dir.File("a/bonne.bmp"), dir.File("x/index.html"), dir.File("x/lumora-web")});
    fs::create_directories(dir.File("d"));
    ASSERT_EQ(::mkfifo(dir.File("d/index.html").c_str(), 0600), 0);
    FlatRenderer renderer;
    SameAnswer ignore(AbortRetryIgnore::Ignore);
    ::alarm(60);
    const GatherResult result = Gather(dir.File("a/album.qza"), dir.File("d"), {false, true, true, 50}, &renderer);
    ::alarm(0);
    EXPECT_EQ(result.outcome, GatherOutcome::Done);
    EXPECT_EQ(ignore.asked, (std::vector<std::string>{LoadString(kStrNotPictureOrSound) + "\n" + dir.File("x/index.html"),
                                                      LoadString(kStrNotPictureOrSound) + "\n" + dir.File("x/lumora-web")}));
    struct stat facts {};
    ASSERT_EQ(::lstat(dir.File("d/index.html").c_str(), &facts), 0);
    EXPECT_TRUE(S_ISFIFO(facts.st_mode));  // the user's, untouched
    EXPECT_NE(Slurp(dir.File("d/lumora-album.html")).find("lumora-web/viewer.js"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(dir.File("d/lumora-web")));
    EXPECT_TRUE(fs::exists(dir.File("d/bonne.bmp")));
}

TEST(GatherSafety, TheViewerNeverWritesOverAPhotoOfTheAlbum)
{
    test::TempDir dir;
    // A photo where the viewer keeps its previews.
    WriteJpeg(dir.File("d/lumora-web/previews/0000.jpg"), 11);
    const std::vector<uint8_t> original = test::ReadBytes(dir.File("d/lumora-web/previews/0000.jpg"));
    MakeAlbum(dir.File("a/album.qza"), {dir.File("d/lumora-web/previews/0000.jpg")});
    FlatRenderer renderer;
    SameAnswer ignore(AbortRetryIgnore::Ignore);
    EXPECT_EQ(Gather(dir.File("a/album.qza"), dir.File("d"), {false, true, true, 50}, &renderer).outcome,
              GatherOutcome::Done);
    EXPECT_EQ(ignore.asked, std::vector<std::string>{LoadString(kStrTargetCreateFailed) + "\n" +
                                                     dir.File("d/lumora-web/previews/0000.jpg")});
    EXPECT_EQ(test::ReadBytes(dir.File("d/lumora-web/previews/0000.jpg")), original);
    EXPECT_EQ(test::ReadBytes(dir.File("d/0000.jpg")), original);
}

TEST(GatherSafety, FileNamesReachTheViewerAsTheirBytes)
{
    test::TempDir dir;
    const std::string odd = dir.File("a/bad\xff d#.bmp");
    WriteBmp(odd, 5);
    MakeAlbum(dir.File("a/album.qza"), {odd});
    FlatRenderer renderer;
    SameAnswer none(AbortRetryIgnore::Abort);
    ASSERT_EQ(Gather(dir.File("a/album.qza"), dir.File("d"), {false, true, true, 50}, &renderer).outcome,
              GatherOutcome::Done);
    EXPECT_TRUE(fs::exists(dir.File("d/bad\xff d#.bmp")));
    const std::string script = Slurp(dir.File("d/lumora-web/album.js"));
    EXPECT_NE(script.find("\"picture\":\"bad%FF%20d%23.bmp\""), std::string::npos) << script;
    EXPECT_NE(script.find("\"pictureName\":\"bad\\ufffd d#.bmp\""), std::string::npos) << script;
}

TEST(GatherSafety, APictureTheJpegEncoderRefusesAsksAbortRetryIgnore)
{
    test::TempDir dir;
    // Wider than libjpeg's 65500 pixels: read, but no JPEG can hold it.
    fs::create_directories(dir.File("a"));
    ASSERT_TRUE(WriteBMPFile(dir.File("a/large.bmp"), Picture(3, 65501, 1)));
    WriteBmp(dir.File("a/petite.bmp"), 4);
    MakeAlbum(dir.File("a/album.qza"), {dir.File("a/large.bmp"), dir.File("a/petite.bmp")});
    const std::string question = LoadString(kStrJpegCreateFailed) + "\n" + dir.File("d/large.JPG");
    {
        SameAnswer ignore(AbortRetryIgnore::Ignore);
        ignore.answers = {AbortRetryIgnore::Retry};
        EXPECT_EQ(Gather(dir.File("a/album.qza"), dir.File("d"), {true, true, false, 50}).outcome,
                  GatherOutcome::Done);
        EXPECT_EQ(ignore.asked, (std::vector<std::string>{question, question}));  // Retry encoded again
        EXPECT_EQ(FilesUnder(dir.File("d")), (std::vector<std::string>{"album.qza", "petite.JPG"}));
    }
    SameAnswer abort(AbortRetryIgnore::Abort);
    EXPECT_EQ(Gather(dir.File("a/album.qza"), dir.File("e"), {true, true, false, 50}).outcome,
              GatherOutcome::Aborted);
    EXPECT_EQ(FilesUnder(dir.File("e")), std::vector<std::string>{"album.qza"});
}

}  // namespace
}  // namespace lumora
