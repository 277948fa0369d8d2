// The album made from a folder: the order of its photos, its day sections
// and their French names, and the run over real files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>

#include "core/album/album_document.h"
#include "core/import/day_names.h"
#include "core/import/folder_import.h"
#include "core/import/import_plan.h"
#include "import/exif_bytes.h"
#include "support/test_support.h"

namespace lumora {
namespace {

CaptureTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int us = 0)
{
    return *MakeCaptureTime(y, mo, d, h, mi, s, us);
}

bool Anything(const std::string&) { return true; }

std::vector<std::string> Paths(const ImportPlan& plan)
{
    std::vector<std::string> out;
    for (const auto& p : plan.pictures)
        out.push_back(p.path);
    return out;
}

TEST(ImportPlan, OrderTakesExifThenNameThenFileTimeAndBreaksTiesByName)
{
    const std::vector<ImportCandidate> candidates = {
        // EXIF wins over a misleading name and file time.
        {"/f/IMG_20990101_000000.jpg", "IMG_20990101_000000.jpg", At(2025, 6, 14, 10), std::nullopt, At(2000, 1, 1)},
        // No EXIF: the name's time, not the later file time.
        {"/f/IMG_20250614_090000.jpg", "IMG_20250614_090000.jpg", std::nullopt, At(2025, 6, 14, 9), At(2025, 7, 1)},
        // Neither: the file time.
        {"/f/scan.png", "scan.png", std::nullopt, std::nullopt, At(2025, 6, 14, 9, 30)},
        // Equal times: by name, whatever the input order.
        {"/f/b.jpg", "b.jpg", At(2025, 6, 14, 11), std::nullopt, 0},
        {"/f/a.jpg", "a.jpg", At(2025, 6, 14, 11), std::nullopt, 0},
        // Sub-seconds count.
        {"/f/burst2.jpg", "burst2.jpg", At(2025, 6, 14, 12, 0, 0, 100), std::nullopt, 0},
        {"/f/burst1.jpg", "burst1.jpg", At(2025, 6, 14, 12, 0, 0, 900), std::nullopt, 0},
    };
    const ImportPlan plan = PlanImport("f", candidates, false, Anything);
    EXPECT_EQ(Paths(plan), (std::vector<std::string>{"/f/IMG_20250614_090000.jpg", "/f/scan.png",
                                                     "/f/IMG_20990101_000000.jpg", "/f/a.jpg", "/f/b.jpg",
                                                     "/f/burst2.jpg", "/f/burst1.jpg"}));
    EXPECT_EQ(plan.pictures[0].source, TimeSource::FileName);
    EXPECT_EQ(plan.pictures[1].source, TimeSource::FileTime);
    EXPECT_EQ(plan.pictures[2].source, TimeSource::Embedded);
    EXPECT_TRUE(plan.sections.empty());
}

TEST(ImportPlan, ADayStartsASectionNamedInFrench)
{
    const std::vector<ImportCandidate> candidates = {
        {"/f/3.jpg", "3.jpg", At(2025, 6, 15, 0, 0, 0), std::nullopt, 0},
        {"/f/1.jpg", "1.jpg", At(2025, 6, 14, 8), std::nullopt, 0},
        {"/f/2.jpg", "2.jpg", At(2025, 6, 14, 23, 59, 59), std::nullopt, 0},
        {"/f/4.jpg", "4.jpg", At(2025, 9, 24, 12), std::nullopt, 0},
    };
    const ImportPlan plan = PlanImport("Vacances", candidates, true, Anything);
    ASSERT_EQ(plan.sections.size(), 3u);
    EXPECT_EQ(plan.sections[0].first, 0u);
    EXPECT_EQ(plan.sections[0].tabName, "sam. 14 juin 2025");
    EXPECT_EQ(plan.sections[1].first, 2u);
    EXPECT_EQ(plan.sections[1].tabName, "dim. 15 juin 2025");
    EXPECT_EQ(plan.sections[2].first, 3u);
    EXPECT_EQ(plan.sections[2].tabName, "mer. 24 septembre 2025");
    EXPECT_EQ(plan.title, "Vacances");
    // Measured on the tabs, every name loses its weekday and long month.
    const ImportPlan fitted = PlanImport("Vacances", candidates, true, FitsTabByWidth);
    EXPECT_EQ(fitted.sections[0].tabName, "14 juin 2025");
    EXPECT_EQ(fitted.sections[2].tabName, "24 sept. 2025");
}

TEST(DayNames, FormsShortenUntilTheyFitATab)
{
    EXPECT_EQ(DayNameForms(At(2025, 9, 24)),
              (std::vector<std::string>{"mer. 24 septembre 2025", "mer. 24 sept. 2025", "24 sept. 2025",
                                        "24 sept.", "24/09"}));
    EXPECT_EQ(DayNameForms(At(2026, 2, 1))[0], "dim. 1 février 2026");
    EXPECT_EQ(DayNameForms(At(2025, 8, 15))[1], "ven. 15 août 2025");  // août has no shorter form
    // Measured in the tabs' font: the weekday does not fit 80 pixels.
    EXPECT_GT(TabTextWidth("sam. 14 juin 2025"), kTabTextLength);
    EXPECT_EQ(DayTabName(At(2025, 6, 14), FitsTabByWidth), "14 juin 2025");
    EXPECT_EQ(DayTabName(At(2025, 9, 24), FitsTabByWidth), "24 sept. 2025");
    EXPECT_EQ(TabTextWidth("14 juin 2025"), 6 * 2 + 3 + 2 + 6 + 2 + 6 + 3 + 6 * 4);
    // Nothing fits: the shortest form.
    EXPECT_EQ(DayTabName(At(2025, 12, 3), [](const std::string&) { return false; }), "03/12");
    EXPECT_EQ(DayTabName(At(2025, 12, 3), [](const std::string& s) { return s.size() <= 8; }), "3 déc.");
    // An album's tabs read alike: one long name shortens them all.
    EXPECT_EQ(CommonDayNameForm({At(2025, 6, 16), At(2025, 6, 17)}, FitsTabByWidth), 2u);
    EXPECT_LE(TabTextWidth("lun. 16 juin 2025"), kTabTextLength);  // alone it would fit
    EXPECT_EQ(CommonDayNameForm({}, FitsTabByWidth), 0u);
}

class FolderImportTest : public ::testing::Test {
protected:
    void Add(const std::string& name, const std::string& exifDate)
    {
        const auto jpeg = test::ReadBytes(test::TestDataPath("jpeg/imagers-progressive-cat.jpg"));
        test::WriteBytes(dir.File(name), exifDate.empty() ? jpeg : test::JpegWithExif(jpeg, test::TiffWithDate(exifDate)));
    }
    test::TempDir dir;
};

TEST_F(FolderImportTest, MakesOneSectionPerDayInCaptureOrderAndListsUnreadableFiles)
{
    Add("z.jpg", "2025:06:14 09:00:00");
    Add("a.jpg", "2025:06:15 10:00:00");
    Add("m.jpg", "2025:06:14 12:00:00");
    Add("IMG_20250616_080000.jpg", "");
    test::WriteBytes(dir.File("broken.jpg"), {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'J', 'F'});
    test::WriteBytes(dir.File("notes.txt"), {'x'});
    test::WriteBytes(dir.File(".hidden.jpg"), {'x'});
    // The broken file's time puts it first; it is skipped.
    const timeval times[2] = {{0, 0}, {0, 0}};
    ::utimes(dir.File("broken.jpg").c_str(), times);

    AlbumDocument doc;
    doc.Clear();
    const FolderImportOutcome outcome = ImportFolder(doc, dir.Path(), {}, nullptr, Anything);
    ASSERT_TRUE(outcome.folderRead);
    EXPECT_EQ(outcome.found, 5u);
    EXPECT_EQ(outcome.inserted, 4u);
    ASSERT_EQ(outcome.unreadable.size(), 1u);
    EXPECT_EQ(outcome.unreadable[0].path, dir.File("broken.jpg"));
    EXPECT_EQ(outcome.unreadable[0].error, ReadError::Damaged);
    ASSERT_EQ(doc.ItemCount(), 4u);
    const char* names[] = {"z.jpg", "m.jpg", "a.jpg", "IMG_20250616_080000.jpg"};
    const int16_t sections[] = {0, 0, 1, 2};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(doc.Items()[i]->imagePath, dir.File(names[i]));
        EXPECT_EQ(doc.Items()[i]->tabIndex, sections[i]) << i;
    }
    ASSERT_EQ(doc.TabCount(), 3u);
    EXPECT_EQ(doc.Tabs()[0]->name, "sam. 14 juin 2025");
    EXPECT_EQ(doc.Tabs()[2]->name, "lun. 16 juin 2025");
    EXPECT_TRUE(doc.Settings().useTabs);
    EXPECT_TRUE(doc.Settings().flyleaf);
    EXPECT_EQ(doc.Settings().title, dir.Path().substr(dir.Path().rfind('/') + 1));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(FolderImportTest, TheWholeImportIsUndoneAndRedoneByteForByte)
{
    Add("z.jpg", "2025:06:14 09:00:00");
    Add("a.jpg", "2025:06:15 10:00:00");
    Add("m.jpg", "2025:06:14 12:00:00");
    const auto bytes = [](const AlbumDocument& album) {
        MemorySink sink;
        Archive ar(sink);
        album.WriteTo(ar);
        ar.Flush();
        return sink.Bytes();
    };
    AlbumDocument doc;
    doc.Clear();
    const auto before = bytes(doc);
    ASSERT_EQ(ImportFolder(doc, dir.Path(), {}, nullptr, Anything).inserted, 3u);
    const auto after = bytes(doc);
    // The settings, the photos in one step, the two days' tabs.
    EXPECT_EQ(doc.History().DoneCount(), 4u);
    doc.GoToStep(0);
    EXPECT_EQ(bytes(doc), before);
    EXPECT_FALSE(doc.IsModified());
    doc.GoToStep(doc.History().StepCount());
    EXPECT_EQ(bytes(doc), after);
}

TEST_F(FolderImportTest, WithoutDaysOneSectionAndRecursionReachesSubfolders)
{
    Add("b.jpg", "2025:06:15 10:00:00");
    ::mkdir(dir.File("sub").c_str(), 0755);
    Add("sub/a.jpg", "2025:06:14 10:00:00");
    AlbumDocument flat;
    flat.Clear();
    EXPECT_EQ(ImportFolder(flat, dir.Path(), {false, false}, nullptr, Anything).inserted, 1u);
    EXPECT_FALSE(flat.Settings().useTabs);
    EXPECT_EQ(flat.TabCount(), 1u);

    AlbumDocument deep;
    deep.Clear();
    EXPECT_EQ(ImportFolder(deep, dir.Path(), {false, true}, nullptr, Anything).inserted, 2u);
    EXPECT_EQ(deep.Items()[0]->imagePath, dir.File("sub/a.jpg"));
}

// Stops after the second photo, as Échap does in the window.
class StopAfterTwo final : public InsertProgress {
public:
    void Step(int done, int) override { steps = done; }
    bool Cancelled() override { return steps >= 2; }
    int steps = 0;
};

TEST_F(FolderImportTest, StoppingKeepsWhatIsInWithItsSections)
{
    Add("1.jpg", "2025:06:14 09:00:00");
    Add("2.jpg", "2025:06:15 09:00:00");
    Add("3.jpg", "2025:06:16 09:00:00");
    Add("4.jpg", "2025:06:17 09:00:00");
    AlbumDocument doc;
    doc.Clear();
    StopAfterTwo stop;
    const auto outcome = ImportFolder(doc, dir.Path(), {}, &stop, Anything);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_LT(doc.ItemCount(), 4u);
    EXPECT_GE(doc.ItemCount(), 2u);
    EXPECT_EQ(doc.TabCount(), doc.ItemCount());  // one day each
}

TEST(FolderImport, AFolderThatCannotBeReadIsSaidSo)
{
    AlbumDocument doc;
    doc.Clear();
    const auto outcome = ImportFolder(doc, "/nonexistent/folder", {}, nullptr, Anything);
    EXPECT_FALSE(outcome.folderRead);
    EXPECT_NE(outcome.folderError.find("/nonexistent/folder"), std::string::npos);
    EXPECT_TRUE(doc.Items().empty());
    EXPECT_EQ(FolderTitle("/home/anne/Photos/Provence 2025/"), "Provence 2025");
}

}  // namespace
}  // namespace lumora
