#include <gtest/gtest.h>

#include "core/platform/ini_file.h"
#include "support/file_size_limit.h"
#include "support/test_support.h"

namespace lumora {
namespace {

// Files as users and older versions wrote them read as they mean.
TEST(IniFile, ReadsWhatUsersAndEarlierWritersWrote)
{
    const IniFile file = IniFile::Parse(
        "; written by hand\r\n"
        "[prefs]\r\n"
        "  Compression = 75  \r\n"
        "# a note\n"
        "Empty=\n"
        "NoEquals\n"
        "[Recent%20File%20List]\n"
        "File1=/home/anne/Été/vacances.qza\n"
        "File2=\"  spaced, with \\\"quotes\\\" \"\n"
        "File3=C:\\\\albums\n"
        "[prefs]\n"
        "Compression=80\n");
    EXPECT_EQ(file.Get("prefs", "Compression"), "80");  // the later value wins
    EXPECT_EQ(file.Get("prefs", "Empty"), "");
    EXPECT_EQ(file.Get("prefs", "NoEquals"), std::nullopt);
    EXPECT_EQ(file.Get("Recent File List", "File1"), "/home/anne/Été/vacances.qza");
    EXPECT_EQ(file.Get("Recent File List", "File2"), "  spaced, with \"quotes\" ");
    EXPECT_EQ(file.Get("Recent File List", "File3"), "C:\\albums");
    EXPECT_EQ(file.Get("prefs", "compression"), std::nullopt);  // names keep their case
}

TEST(IniFile, OddValuesComeBackAsTheyWere)
{
    IniFile file;
    const std::vector<std::string> values = {"", " lead", "trail ", "a\\b", "\"q\"", "two\nlines", "tab\there",
                                             "=;#[x]", "%20"};
    for (size_t i = 0; i < values.size(); ++i)
        file.Set("Recent File List", "File" + std::to_string(i), values[i]);
    file.Set("prefs", "Pos", "0010 0020 0800 0600");
    const std::string text = file.Serialize();
    EXPECT_NE(text.find("[Recent File List]\nFile0=\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Pos=0010 0020 0800 0600\n"), std::string::npos) << text;
    const IniFile back = IniFile::Parse(text);
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.Get("Recent File List", "File" + std::to_string(i)), values[i]) << i;
}

// A save writes only what changed: another program's values stay; a full
// disk leaves the file as it was.
TEST(IniFile, SavingMergesAndNeverLeavesAHalfFile)
{
    test::TempDir dir;
    const std::string path = dir.File("lumora.ini");
    test::WriteBytes(path, {'[', 'a', ']', '\n', 'k', '=', '1', '\n'});
    IniFile changes;
    changes.Set("prefs", "Compression", "60");
    ASSERT_FALSE(SaveIniChanges(path, changes));
    const IniFile saved = LoadIniFile(path);
    EXPECT_EQ(saved.Get("a", "k"), "1");
    EXPECT_EQ(saved.Get("prefs", "Compression"), "60");

    const std::vector<uint8_t> before = test::ReadBytes(path);
    changes.Set("prefs", "Long", std::string(4096, 'x'));
    {
        const test::FileSizeLimit limit(1024);
        EXPECT_TRUE(SaveIniChanges(path, changes));
    }
    EXPECT_EQ(test::ReadBytes(path), before);
}

}  // namespace
}  // namespace lumora
