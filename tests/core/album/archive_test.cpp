// The album file's encodings, checked byte by byte against the format
// rather than against the writer.
#include <gtest/gtest.h>

#include "core/album/archive.h"
#include "core/album/password_codec.h"
#include "core/album/text_codec.h"
#include "album_test_support.h"

namespace lumora {
namespace {

using test::Bytes;

std::vector<uint8_t> StoredString(const std::string& utf8)
{
    MemorySink sink;
    Archive ar(sink);
    ar.WriteString(utf8);
    ar.Flush();
    return sink.Bytes();
}

std::string LoadedString(const std::vector<uint8_t>& bytes)
{
    MemorySource source({bytes.data(), bytes.size()});
    Archive ar(source);
    return ar.ReadString();
}

std::vector<uint8_t> Head(const std::vector<uint8_t>& bytes, size_t count)
{
    return {bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(std::min(count, bytes.size()))};
}

TEST(ArchiveStrings, LengthPrefixesChangeAt255And0xFFFE)
{
    struct Case {
        size_t length;
        std::vector<uint8_t> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        const std::string text(c.length, 'x');
        const auto bytes = StoredString(text);
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(Head(bytes, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(LoadedString(bytes), text) << c.length;
    }
}

TEST(ArchiveStrings, Windows1252CharactersStayOneByte)
{
    // é = E9, € = 80, œ = 9C, Ÿ = 9F
    EXPECT_EQ(StoredString("é€œŸ"), (std::vector<uint8_t>{4, 0xE9, 0x80, 0x9C, 0x9F}));
    EXPECT_EQ(LoadedString({3, 0xE9, 0x80, 0x81}), "é€\xC2\x81");
}

TEST(ArchiveStrings, OtherCharactersUseTheUnicodeForm)
{
    // Greek alpha and an emoji (a surrogate pair): three UTF-16 units.
    const std::string text = "\xCE\xB1\xF0\x9F\x98\x80";
    const std::vector<uint8_t> expected = {0xFF, 0xFE, 0xFF, 3,    0xB1, 0x03,
                                           0x3D, 0xD8, 0x00, 0xDE};
    EXPECT_EQ(StoredString(text), expected);
    EXPECT_EQ(LoadedString(expected), text);

    // A long Unicode string takes the 16-bit length after the marker.
    std::string longText;
    for (int i = 0; i < 300; ++i)
        longText += "\xCE\xB1";
    const auto bytes = StoredString(longText);
    EXPECT_EQ(Head(bytes, 6), (std::vector<uint8_t>{0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}));
    EXPECT_EQ(bytes.size(), 6u + 600u);
    EXPECT_EQ(LoadedString(bytes), longText);
}

TEST(ArchiveStrings, FileNamesThatAreNotUtf8SurviveARoundTrip)
{
    const std::string latin1Name = "/photos/\xE9t\xE9/\xFF.bmp";  // raw bytes, not UTF-8
    EXPECT_EQ(LoadedString(StoredString(latin1Name)), latin1Name);
}

TEST(ArchiveStrings, TextEndsAtTheFirstNulCharacter)
{
    // In either form: what follows a NUL is not part of the string, so a
    // string read and written again stays the same.
    EXPECT_EQ(LoadedString({3, 'a', 0, 'b'}), "a");
    EXPECT_EQ(LoadedString({0xFF, 0xFE, 0xFF, 2, 0, 0, 0xB1, 0x03}), "");
    EXPECT_EQ(StoredString(LoadedString({0xFF, 0xFE, 0xFF, 1, 0, 0})), (std::vector<uint8_t>{0}));
}

TEST(ArchiveStrings, LengthsBeyondTheFileAreRefused)
{
    const std::vector<uint8_t> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'};
    try {
        LoadedString(bytes);
        FAIL() << "no error";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.GetCause(), ArchiveError::Cause::BadCount);
    }
    EXPECT_THROW(LoadedString({5, 'a', 'b'}), ArchiveError);
    EXPECT_THROW(LoadedString({0xFF, 0x00}), ArchiveError);
}

TEST(ArchivePassword, BytesAreShiftedByTheOffset)
{
    MemorySink sink;
    {
        Archive ar(sink);
        WritePassword(ar, "abc");
        ar.Flush();
    }
    const std::vector<uint8_t> expected = {3, uint8_t('a' + kPasswordOffset),
                                           uint8_t('b' + kPasswordOffset),
                                           uint8_t('c' + kPasswordOffset)};
    EXPECT_EQ(sink.Bytes(), expected);
    MemorySource source({expected.data(), expected.size()});
    Archive in(source);
    EXPECT_EQ(ReadPassword(in), "abc");
}

TEST(ArchivePassword, StoredByteEqualToTheOffsetEndsThePassword)
{
    const std::vector<uint8_t> bytes = {3, uint8_t('a' + kPasswordOffset), kPasswordOffset,
                                        uint8_t('c' + kPasswordOffset)};
    MemorySource source({bytes.data(), bytes.size()});
    Archive in(source);
    EXPECT_EQ(ReadPassword(in), "a");
}

TEST(ArchivePassword, StoredZeroEndsThePasswordInBothForms)
{
    // A stored 0 could only come from the one character the offset carries
    // to 0, which the writer never stores: reading stops there, so the
    // password writes back as it was read.
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{2, uint8_t('a' + kPasswordOffset), 0},
          std::vector<uint8_t>{0xFF, 0xFE, 0xFF, 2, uint8_t('a' + kPasswordOffset), 0, 0, 0}}) {
        MemorySource source({bytes.data(), bytes.size()});
        Archive in(source);
        const std::string password = ReadPassword(in);
        EXPECT_EQ(password, "a");
        EXPECT_TRUE(PasswordCanBeStored(password));
    }
}

TEST(ArchivePassword, OnlyTheCharacterCarriedToZeroIsRefused)
{
    EXPECT_TRUE(PasswordCanBeStored("secret"));
    EXPECT_TRUE(PasswordCanBeStored("\xC3\xBF\xE2\x82\xAC"));  // ÿ€
    EXPECT_TRUE(PasswordCanBeStored("\xCE\xB1\xCE\xB2"));      // Greek
    EXPECT_FALSE(PasswordCanBeStored("ab\xC2\x81"));           // U+0081
    EXPECT_FALSE(PasswordCanBeStored(std::string("a\0b", 3)));
}

TEST(ArchivePassword, UnicodePasswordsRoundTrip)
{
    for (const std::string password : {"\xCE\xB1\xCE\xB2\xCE\xB3", "\xE4\xB8\xAD\xF0\x9F\x98\x80x"}) {
        MemorySink sink;
        Archive ar(sink);
        WritePassword(ar, password);
        ar.Flush();
        const auto& bytes = sink.Bytes();
        ASSERT_GE(bytes.size(), 3u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xFE);  // Unicode marker
        EXPECT_EQ(bytes[2], 0xFF);
        MemorySource source({bytes.data(), bytes.size()});
        Archive in(source);
        EXPECT_EQ(ReadPassword(in), password);
    }
}

const ArchiveClass kAlpha = {"CAlpha", 1};
const ArchiveClass kBeta = {"CBeta", 7};

TEST(ArchiveObjects, ClassesAreAnnouncedOnceThenTaggedByIndex)
{
    MemorySink sink;
    Archive ar(sink);
    ar.WriteObjectTag(kAlpha);  // class 1, object 2
    ar.WriteObjectTag(kAlpha);  // object 3
    ar.WriteObjectTag(kBeta);   // class 4, object 5
    ar.WriteObjectTag(kBeta);
    ar.WriteObjectTag(kAlpha);
    ar.Flush();
    const auto expected = Bytes()
                              .U16(0xFFFF).U16(1).U16(6).Raw("CAlpha")
                              .U16(0x8001)
                              .U16(0xFFFF).U16(7).U16(5).Raw("CBeta")
                              .U16(0x8004)
                              .U16(0x8001)
                              .data;
    EXPECT_EQ(sink.Bytes(), expected);

    MemorySource source({expected.data(), expected.size()});
    Archive in(source);
    const std::vector<const ArchiveClass*> known = {&kAlpha, &kBeta};
    for (const ArchiveClass* cls : {&kAlpha, &kAlpha, &kBeta, &kBeta, &kAlpha})
        EXPECT_EQ(&in.ReadObjectTag(known), cls);
}

ArchiveError::Cause LoadTagsCause(const std::vector<uint8_t>& bytes,
                                  std::vector<const ArchiveClass*> known = {&kAlpha})
{
    MemorySource source({bytes.data(), bytes.size()});
    Archive in(source);
    try {
        for (;;)
            in.ReadObjectTag(known);
    } catch (const ArchiveError& e) {
        return e.GetCause();
    }
}

TEST(ArchiveObjects, BadTagsAreLoadErrors)
{
    using Cause = ArchiveError::Cause;
    const auto alpha = Bytes().U16(0xFFFF).U16(1).U16(6).Raw("CAlpha");
    EXPECT_EQ(LoadTagsCause(Bytes(alpha).U16(0x8002).data), Cause::BadIndex);
    EXPECT_EQ(LoadTagsCause(Bytes(alpha).U16(0x8005).data), Cause::BadIndex);
    EXPECT_EQ(LoadTagsCause(Bytes(alpha).U16(0x0002).data), Cause::UnexpectedObject);
    EXPECT_EQ(LoadTagsCause(Bytes().U16(0x0000).data), Cause::UnexpectedObject);
    EXPECT_EQ(LoadTagsCause(Bytes().U16(0xFFFF).U16(2).U16(6).Raw("CAlpha").data),
              Cause::WrongSchema);
    EXPECT_EQ(LoadTagsCause(Bytes().U16(0xFFFF).U16(1).U16(6).Raw("CGamma").data),
              Cause::UnknownClass);
    EXPECT_EQ(LoadTagsCause(Bytes().U16(0xFFFF).U16(1).U16(6).Raw("CAl").data), Cause::EndOfFile);
    // A known class where another one is due.
    EXPECT_EQ(LoadTagsCause(Bytes().U16(0xFFFF).U16(7).U16(5).Raw("CBeta").data),
              Cause::UnknownClass);
    EXPECT_EQ(LoadTagsCause(Bytes(alpha).U16(0x8001).data, {&kAlpha, &kBeta}), Cause::EndOfFile);
}

TEST(ArchiveObjects, MoreThan0x7FFEIndicesIsAnError)
{
    MemorySink sink;
    Archive ar(sink);
    ar.WriteObjectTag(kAlpha);  // indices 1 and 2
    for (uint32_t index = 3; index <= Archive::kMaxIndex; ++index)
        ar.WriteObjectTag(kAlpha);
    EXPECT_THROW(ar.WriteObjectTag(kAlpha), ArchiveError);

    Bytes many;
    many.U16(0xFFFF).U16(1).U16(6).Raw("CAlpha");
    for (uint32_t index = 3; index <= Archive::kMaxIndex + 1; ++index)
        many.U16(0x8001);
    MemorySource source({many.data.data(), many.data.size()});
    Archive in(source);
    for (uint32_t index = 2; index <= Archive::kMaxIndex; ++index)
        in.ReadObjectTag({&kAlpha});
    try {
        in.ReadObjectTag({&kAlpha});
        FAIL() << "index 0x7FFF accepted";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.GetCause(), ArchiveError::Cause::BadIndex);
    }
}

TEST(PictureRecord, HoldsTheLengthThenExactlyThatManyBytes)
{
    Dib picture;
    picture.Attach(test::SmallPreview(5, 3, 9));
    const size_t length = 40 + 1024 + 8 * 3;
    MemorySink sink;
    Archive ar(sink);
    picture.Serialize(ar);
    ar.Flush();
    const auto& bytes = sink.Bytes();
    ASSERT_EQ(bytes.size(), 4 + length);
    EXPECT_EQ(Head(bytes, 4), Bytes().U32(length).data);
    EXPECT_TRUE(std::equal(bytes.begin() + 4, bytes.end(), picture.Image().Data()));

    MemorySource source({bytes.data(), bytes.size()});
    Archive in(source);
    Dib read;
    read.Serialize(in);
    EXPECT_TRUE(std::ranges::equal(read.Image().Bytes(), picture.Image().Bytes()));
    EXPECT_EQ(read.GetPalette().size(), 256u);
}

TEST(PictureRecord, DamagedPicturesAreDroppedAndOversizeLengthsRefused)
{
    // 44 bytes that are no picture: read past, picture left empty.
    auto bytes = Bytes().U32(44).data;
    bytes.resize(bytes.size() + 44, 0x7);
    bytes.push_back(0x42);
    MemorySource source({bytes.data(), bytes.size()});
    Archive in(source);
    Dib read;
    read.Attach(test::SmallPreview(2, 2, 1));
    read.Serialize(in);
    EXPECT_TRUE(read.IsEmpty());
    uint8_t next = 0;
    in.ReadBytes(&next, 1);
    EXPECT_EQ(next, 0x42);

    const auto huge = Bytes().U32(0xFFFFFFF0).U32(0).data;
    MemorySource hugeSource({huge.data(), huge.size()});
    Archive hugeIn(hugeSource);
    EXPECT_THROW(read.Serialize(hugeIn), ArchiveError);
}

TEST(TextCodec, FileNamePartTakesEitherSeparator)
{
    EXPECT_EQ(FileNamePart("C:\\PHOTOS\\A.BMP"), "A.BMP");
    EXPECT_EQ(FileNamePart("/home/anne/photos/b.jpg"), "b.jpg");
    EXPECT_EQ(FileNamePart("D:\\mixed/dir\\c.gif"), "c.gif");
    EXPECT_EQ(FileNamePart("plain.tga"), "plain.tga");
}

}  // namespace
}  // namespace lumora
