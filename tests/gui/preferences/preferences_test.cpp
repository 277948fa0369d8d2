#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>
#include <limits>

#include "gui/platform/ini_preferences.h"
#include "gui/platform/profile.h"
#include "support/file_size_limit.h"
#include "support/test_support.h"

namespace lumora {
namespace {

// The file lives in $XDG_CONFIG_HOME/lumora; the old place one folder
// deeper is read once, when the new file is missing, and never again.
TEST(PreferencesFile, LivesInTheLumoraConfigFolderAndTakesOverTheOldPlaceOnce)
{
    test::TempDir dir;
    const QByteArray savedHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.Path()));
    const QString config = QString::fromStdString(dir.Path());
    const QString oldPath = config + "/lumora/lumora/lumora.ini";
    std::filesystem::create_directories(dir.Path() + "/lumora/lumora");
    {
        Profile old(oldPath);
        old.WriteProfileInt("prefs", "Compression", 33);
        ASSERT_TRUE(old.Sync());
    }
    const QString path = Profile::DefaultPath();
    EXPECT_EQ(path, config + "/lumora/lumora.ini");
    EXPECT_EQ(Profile(path).GetProfileInt("prefs", "Compression", 0), 33);
    {
        Profile current(path);
        current.WriteProfileInt("prefs", "Compression", 44);
        ASSERT_TRUE(current.Sync());
    }
    // The new file exists now: the old one no longer counts.
    EXPECT_EQ(Profile(Profile::DefaultPath()).GetProfileInt("prefs", "Compression", 0), 44);
    if (savedHome.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", savedHome);
}

// Writing through a symbolic link replaces the file it names; the link
// stays a link.
TEST(PreferencesFile, WritingThroughALinkKeepsTheLink)
{
    test::TempDir dir;
    const std::string real = dir.File("real.ini");
    const std::string link = dir.File("lumora.ini");
    {
        Profile profile(QString::fromStdString(real));
        profile.WriteProfileInt("prefs", "Compression", 40);
        ASSERT_TRUE(profile.Sync());
    }
    std::filesystem::create_symlink("real.ini", link);
    {
        Profile profile(QString::fromStdString(link));
        profile.WriteProfileInt("prefs", "Compression", 60);
        ASSERT_TRUE(profile.Sync());
    }
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Profile(QString::fromStdString(real)).GetProfileInt("prefs", "Compression", 0), 60);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              2);
}

// A full disk while the file is written: Sync says so, the previous file
// stays byte for byte and no temporary remains beside it.
TEST(PreferencesFile, FailedWriteKeepsThePreviousFile)
{
    test::TempDir dir;
    const std::string path = dir.File("lumora.ini");
    {
        Profile profile(QString::fromStdString(path));
        profile.WriteProfileInt("prefs", "Compression", 40);
        ASSERT_TRUE(profile.Sync());
    }
    const std::vector<uint8_t> before = test::ReadBytes(path);
    {
        const test::FileSizeLimit limit(1024);  // also while the profile syncs on going away
        Profile profile(QString::fromStdString(path));
        profile.WriteProfileString("prefs", "Long", QString(4096, 'x'));
        EXPECT_FALSE(profile.Sync());
    }
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(PreferencesFile, JpegColoursFollowTheScreenUnlessTheFileSays)
{
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.File("lumora.ini"));
    const struct {
        int depth;
        bool jpeg256;
    } screens[] = {{1, true}, {4, true}, {8, true}, {15, false}, {16, false}, {24, false}, {32, false}};
    for (const auto& screen : screens) {
        Preferences p;
        p.jpeg256 = !screen.jpeg256;
        LoadPreferences(p, Profile(path), screen.depth);
        EXPECT_EQ(p.jpeg256, screen.jpeg256) << screen.depth << " bits";
    }
    // The key keeps its name and, when present, wins on any screen.
    {
        Profile profile(path);
        profile.WriteProfileInt("prefs", "Jpeg256", 1);
        profile.Sync();
    }
    for (int depth : {8, 24}) {
        Preferences p;
        LoadPreferences(p, Profile(path), depth);
        EXPECT_TRUE(p.jpeg256) << depth;
    }
}

TEST(PreferencesFile, DefaultsWhenAbsent)
{
    test::TempDir dir;
    Profile profile(QString::fromStdString(dir.File("lumora.ini")));
    Preferences p;
    p.compression = 7;
    LoadPreferences(p, profile);
    EXPECT_EQ(p.compression, 50);
    EXPECT_FALSE(p.jpeg256);  // a true-colour screen
    EXPECT_FALSE(p.convertJpeg);
    EXPECT_TRUE(p.webSizes);
    EXPECT_EQ(p.slideshowPause, 10);
    EXPECT_EQ(p.photoCDSize, 2);
    EXPECT_EQ(p.propertiesX, -1);
    EXPECT_EQ(p.DeskColor(), 0x808000u);
    EXPECT_EQ(p.ViewerColor(), 0x404040u);
    EXPECT_EQ(p.customColors[15], 0u);
}

TEST(PreferencesFile, RoundTripWritesTheNamedSectionsAndKeys)
{
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.File("lumora.ini"));
    {
        Profile profile(path);
        Preferences p;
        LoadPreferences(p, profile);
        p.jpeg256 = false;
        EXPECT_FALSE(p.previews256);  // true-colour previews unless asked
        p.previews256 = true;
        p.compression = 75;
        p.webSizes = false;
        p.photoCDSize = 0;
        p.standardDeskColor = std::to_string(0x123456);
        p.customColors[0] = 0xFF;
        p.propertiesX = 300;
        SavePreferences(p, profile);
        SaveWindowPlacement(profile, {QRect(10, 20, 790, 580), true, false, true});
        profile.Sync();
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString ini = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(ini.contains("[prefs]"));
    EXPECT_TRUE(ini.contains("Jpeg256=0"));
    EXPECT_TRUE(ini.contains("Apercus256=1"));
    EXPECT_TRUE(ini.contains("Compression=75"));
    EXPECT_TRUE(ini.contains("WebSizes=0"));
    EXPECT_TRUE(ini.contains("[colors]"));
    EXPECT_TRUE(ini.contains("CustColor01=255"));
    EXPECT_TRUE(ini.contains("CustColor16=0"));
    EXPECT_TRUE(ini.contains("[mainwin]"));
    EXPECT_TRUE(ini.contains("Pos=0010 0020 0800 0600"));

    Profile profile(path);
    Preferences back;
    LoadPreferences(back, profile);
    EXPECT_FALSE(back.jpeg256);
    EXPECT_TRUE(back.previews256);
    EXPECT_EQ(back.compression, 75);
    EXPECT_FALSE(back.webSizes);
    EXPECT_EQ(back.photoCDSize, 0);
    EXPECT_EQ(back.DeskColor(), 0x123456u);
    EXPECT_EQ(back.customColors[0], 0xFFu);
    EXPECT_EQ(back.propertiesX, 300);
    const WindowPlacement placement = LoadWindowPlacement(profile);
    ASSERT_TRUE(placement.normal.has_value());
    EXPECT_EQ(*placement.normal, QRect(10, 20, 790, 580));
    EXPECT_TRUE(placement.maximized);
    EXPECT_FALSE(placement.toolBar);
    EXPECT_TRUE(placement.statusBar);
}

TEST(WindowPosition, NumbersAreReadAtFixedOffsets)
{
    EXPECT_EQ(FormatPos(QRect(QPoint(5, 6), QPoint(799, 599))), "0005 0006 0800 0600");
    EXPECT_EQ(ParsePos("0005 0006 0800 0600"), QRect(QPoint(5, 6), QPoint(799, 599)));
    // Negative values take four characters with their sign...
    EXPECT_EQ(FormatPos(QRect(QPoint(-8, -8), QPoint(1031, 775))), "-008 -008 1032 0776");
    EXPECT_EQ(ParsePos("-008 -008 1032 0776").topLeft(), QPoint(-8, -8));
    // ...but below -999 they take five: one such number still reads back
    // (the next offset falls on the space), two shift what follows.
    EXPECT_EQ(ParsePos(FormatPos(QRect(QPoint(-1000, 20), QPoint(99, 399)))),
              QRect(QPoint(-1000, 20), QPoint(99, 399)));
    const QRect shifted = ParsePos(FormatPos(QRect(QPoint(-1000, -1000), QPoint(99, 399))));
    EXPECT_EQ(FormatPos(QRect(QPoint(-1000, -1000), QPoint(99, 399))), "-1000 -1000 0100 0400");
    EXPECT_EQ(shifted.left(), -1000);
    EXPECT_EQ(shifted.top(), -1000);
    EXPECT_EQ(shifted.left() + shifted.width(), 0);   // atoi("0 0100 0400")
    EXPECT_EQ(shifted.top() + shifted.height(), 0);   // atoi("0 0400")
}

TEST(WindowPosition, NumbersBeyondAnyScreenAreCut)
{
    // Written by hand: read at the fixed offsets, left is -2147483648 and
    // bottom 47483647, whose difference would not fit an int.
    const QRect far = ParsePos("-2147483648 2147483647");
    EXPECT_EQ(far.left(), -1'000'000);
    EXPECT_EQ(far.top(), 483648);
    EXPECT_EQ(far.left() + far.width(), 8);
    EXPECT_EQ(far.top() + far.height(), 1'000'000);
}

TEST(PreferencesFile, NumbersBeyondAnIntStopAtItsLimits)
{
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.File("lumora.ini"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[prefs]\nCompression=99999999999\nDiapoPause=-99999999999\nPhotoCDSize=3 pixels\n");
    }
    Preferences prefs;
    LoadPreferences(prefs, Profile(path));
    EXPECT_EQ(prefs.compression, std::numeric_limits<int>::max());
    EXPECT_EQ(prefs.slideshowPause, std::numeric_limits<int>::min());
    EXPECT_EQ(prefs.photoCDSize, 3);  // leading digits count
}

TEST(PropertiesWindowPosition, ClampedOntoTheScreen)
{
    Preferences p;
    p.propertiesX = 5000;
    p.propertiesY = -40;
    p.ClampPropertiesPosition(1024, 768);
    EXPECT_EQ(p.propertiesX, 1004);
    EXPECT_EQ(p.propertiesY, 0);

    Preferences defaults;
    defaults.ClampPropertiesPosition(1024, 768);
    EXPECT_EQ(defaults.propertiesX, 1024 - 150);
    EXPECT_EQ(defaults.propertiesY, 768 / 3);
}

}  // namespace
}  // namespace lumora
