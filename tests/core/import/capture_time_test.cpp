// Where a photo's capture time is found: EXIF in each container, the file
// name's patterns, and the calendar arithmetic under them.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/import/capture_time.h"
#include "core/import/exif_capture_time.h"
#include "core/import/file_name_time.h"
#include "import/exif_bytes.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::Bytes;

CaptureTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int us = 0)
{
    return *MakeCaptureTime(y, mo, d, h, mi, s, us);
}

TEST(CaptureTime, CalendarRoundTripsAndRefusesImpossibleDates)
{
    EXPECT_EQ(DateOf(At(2025, 6, 14, 18, 30, 12)), (CivilDate{2025, 6, 14}));
    EXPECT_EQ(DateOf(At(1969, 12, 31, 23, 59, 59)), (CivilDate{1969, 12, 31}));
    EXPECT_EQ(DateOf(At(2024, 2, 29)), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(WeekdayOf(At(2025, 6, 14)), 6);  // a Saturday
    EXPECT_EQ(WeekdayOf(At(1969, 12, 28)), 0);  // a Sunday before the epoch
    EXPECT_EQ(DayNumber(At(2025, 6, 14, 0, 0, 0)), DayNumber(At(2025, 6, 14, 23, 59, 59, 999999)));
    EXPECT_NE(DayNumber(At(2025, 6, 14, 23, 59, 59)), DayNumber(At(2025, 6, 15)));
    EXPECT_FALSE(MakeCaptureTime(2023, 2, 29, 0, 0, 0));
    EXPECT_FALSE(MakeCaptureTime(2025, 4, 31, 0, 0, 0));
    EXPECT_FALSE(MakeCaptureTime(2025, 6, 14, 24, 0, 0));
    EXPECT_FALSE(MakeCaptureTime(2025, 13, 1, 0, 0, 0));
    EXPECT_EQ(MakeCaptureTime(2016, 12, 31, 23, 59, 60), At(2016, 12, 31, 23, 59, 59));
}

TEST(CaptureTime, ExifDateInEveryContainerAndByteOrder)
{
    const CaptureTime expected = At(2025, 6, 14, 18, 30, 12, 450000);
    const Bytes little = test::TiffWithDate("2025:06:14 18:30:12", "45");
    const Bytes big = test::TiffWithDate("2025:06:14 18:30:12", "45", false);
    EXPECT_EQ(TiffCaptureTime(little), expected);
    EXPECT_EQ(TiffCaptureTime(big), expected);
    EXPECT_EQ(TiffCaptureTime(test::TiffWithDate("2025:06:14 18:30:12")), At(2025, 6, 14, 18, 30, 12));

    const Bytes jpeg = test::ReadBytes(test::TestDataPath("jpeg/imagers-progressive-cat.jpg"));
    EXPECT_EQ(CaptureTimeInBytes(test::JpegWithExif(jpeg, little)), expected);
    EXPECT_EQ(CaptureTimeInBytes(test::PngWithExif(little)), expected);
    EXPECT_EQ(CaptureTimeInBytes(test::PngWithExif(test::ExifPayload(big))), expected);
    EXPECT_EQ(CaptureTimeInBytes(test::WebpWithExif(test::ExifPayload(little))), expected);
    EXPECT_FALSE(CaptureTimeInBytes(jpeg));  // no EXIF at all
}

TEST(CaptureTime, DamagedOrBlankExifGivesNoTime)
{
    const Bytes good = test::TiffWithDate("2025:06:14 18:30:12");
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(TiffCaptureTime(std::span(good).first(cut))) << "cut at " << cut;
    Bytes farOffset = good;
    farOffset[18] = 0xFF;  // the Exif directory's offset beyond the end
    EXPECT_FALSE(TiffCaptureTime(farOffset));
    EXPECT_FALSE(TiffCaptureTime(test::TiffWithDate("    :  :     :  :  ")));
    EXPECT_FALSE(TiffCaptureTime(test::TiffWithDate("2025:02:30 10:00:00")));
    EXPECT_FALSE(TiffCaptureTime(test::TiffWithDate("2025:06:14")));
    Bytes hugeChunk = test::PngWithExif(good);
    hugeChunk[8 + 25 + 0] = 0x7F;  // the eXIf chunk claims 2 GB
    EXPECT_FALSE(CaptureTimeInBytes(hugeChunk));
}

TEST(CaptureTime, EmbeddedTimeIsReadFromTheFile)
{
    test::TempDir dir;
    const Bytes jpeg = test::ReadBytes(test::TestDataPath("jpeg/imagers-progressive-cat.jpg"));
    test::WriteBytes(dir.File("a.jpg"), test::JpegWithExif(jpeg, test::TiffWithDate("2024:12:31 23:59:58", "9")));
    EXPECT_EQ(EmbeddedCaptureTime(dir.File("a.jpg")), At(2024, 12, 31, 23, 59, 58, 900000));
    EXPECT_FALSE(EmbeddedCaptureTime(dir.File("missing.jpg")));
    test::WriteBytes(dir.File("fake.heic"), Bytes{0, 0, 0, 24, 'f', 't', 'y', 'p', 'h', 'e', 'i', 'c'});
    EXPECT_FALSE(EmbeddedCaptureTime(dir.File("fake.heic")));  // libheif refuses it, no time
}

struct NameCase {
    const char* name;
    std::optional<CaptureTime> expected;
};

TEST(CaptureTime, FileNamePatterns)
{
    const NameCase cases[] = {
        {"IMG_20250614_183012.jpg", At(2025, 6, 14, 18, 30, 12)},
        {"2025-06-14 18.30.12.heic", At(2025, 6, 14, 18, 30, 12)},
        {"PXL_20250614_183012345.jpg", At(2025, 6, 14, 18, 30, 12, 345000)},
        {"PXL_20250614_183012345.MP.jpg", At(2025, 6, 14, 18, 30, 12, 345000)},
        {"Screenshot_2025-06-14-18-30-12.png", At(2025, 6, 14, 18, 30, 12)},
        {"20250614183012.jpg", At(2025, 6, 14, 18, 30, 12)},
        {"IMG-20250614-WA0001.jpg", At(2025, 6, 14)},  // a date alone: midnight
        {"photo 2025_06_14.webp", At(2025, 6, 14)},
        {"DSC_0042.JPG", std::nullopt},
        {"IMG_12345678.jpg", std::nullopt},            // not a year
        {"IMG_20251314_101010.jpg", std::nullopt},     // month 13
        {"120250614.jpg", std::nullopt},               // digits run on before
        {"202506141.jpg", std::nullopt},               // and after
        {"vacances 1999 puis 2001-07-08.jpg", At(2001, 7, 8)},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(CaptureTimeFromFileName(c.name), c.expected) << c.name;
}

}  // namespace
}  // namespace lumora
