#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "core/res/strings.h"

namespace lumora {
namespace {

// The conversions of a printf-style or framework-style format, in order:
// "Page %d" -> {"d"}, "%ld Ko" -> {"ld"}, "entre %1 et %2" -> {"1", "2"}.
// "%%" is a literal percent sign and yields nothing.
std::vector<std::string> Placeholders(const std::string& format)
{
    std::vector<std::string> found;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t end = i + 1;
        if (end < format.size() && std::isdigit(static_cast<unsigned char>(format[end])) != 0) {
            ++end;  // framework placeholders are a single digit
        } else {
            while (end < format.size() && (format[end] == 'l' || format[end] == 'h'))
                ++end;
            if (end < format.size() && std::isalpha(static_cast<unsigned char>(format[end])) != 0)
                ++end;
        }
        found.push_back(format.substr(i + 1, end - i - 1));
        i = end - 1;
    }
    return found;
}

// UTF-8 well-formedness: no stray continuation bytes, no truncated
// sequences, no lead bytes that Latin-1 text would leave behind.
bool IsValidUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                      : lead >= 0xF0 && lead < 0xF5                 ? 4
                                                                     : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// Every id the table holds, found by asking for each possible number.
std::vector<int> AllIds()
{
    std::vector<int> ids;
    for (int id = 0; id <= 0xFFFF; ++id)
        if (HasString(id))
            ids.push_back(id);
    return ids;
}

TEST(StringTableLookup, UnknownIdsGiveEmptyText)
{
    for (int id : {INT_MIN, -1, 0, 1, 2, 4, 54999, 55016, 55044, 55094, 57344, 61695, 61735, 65535, INT_MAX}) {
        EXPECT_FALSE(HasString(id)) << id;
        EXPECT_EQ(LoadString(id), "") << id;
    }
}

TEST(StringTableLookup, FindsEveryIdTheProgramUses)
{
    const std::vector<int> ids = AllIds();
    // The program's own texts the callers ask for, and the framework's.
    for (int id : {55000, 55002, 55003, 55004, 55005, 55007, 55012, 55014, 55018, 55028, 55029, 55043, 55054,
                   55073, 55084, 55085, 55086, 55093, 57600, 61712, 61714, 61716, 61728})
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
    // Binary search edges: the smallest and largest ids.
    EXPECT_EQ(ids.front(), 3);
    EXPECT_EQ(ids.back(), 61734);
    // The album type's fields: window title (empty), document name, filter
    // name, extension, registry type and name.
    EXPECT_EQ(Split(LoadString(3), '\n').size(), 7u);
    EXPECT_EQ(LoadString(61728), "Format de fichier inattendu.");
}

TEST(StringTableTexts, AccentedTextsAreUtf8ByteForByte)
{
    EXPECT_EQ(LoadString(55014), "(ind\xC3\xA9" "fini)");
    EXPECT_EQ(LoadString(55039), "Propri\xC3\xA9t\xC3\xA9s");
    EXPECT_EQ(LoadString(55041), "&D\xC3\xA9rouler");
    EXPECT_EQ(LoadString(55008), "Ajouter des photos \xC3\xA0 l'album");
    EXPECT_EQ(LoadString(55050), "Mot de passe incorrect. Acc\xC3\xA8s \xC3\xA0 l'album refus\xC3\xA9.");
    EXPECT_EQ(LoadString(61716), "Tapez %1 caract\xC3\xA8res au maximum.");
    EXPECT_EQ(LoadString(32801), "Affiche ou cache la fen\xC3\xAAtre de propri\xC3\xA9t\xC3\xA9s.\n"
                                 "Fen\xC3\xAAtre de propri\xC3\xA9t\xC3\xA9s");
    EXPECT_EQ(LoadString(55025), "Vid\xC3\xA9o AVI Microsoft");
}

TEST(StringTableTexts, KeepSpacingEscapesAndMarks)
{
    EXPECT_EQ(LoadString(55033), "Nom de police : ");  // the face name follows directly
    EXPECT_EQ(LoadString(55083), "Conversion au format JPEG de ");
    EXPECT_NE(LoadString(55052).find("|S\xC3\xA9quences  WAVE (*.wav)|"), std::string::npos);
    EXPECT_EQ(LoadString(55043), "%s\n%dx%d, %s couleurs, %s octets");
    EXPECT_EQ(LoadString(55031), "%d x %d - %s couleurs - %d %%");
    EXPECT_EQ(LoadString(55040), "&Enrouler");
    EXPECT_NE(LoadString(55076).find(". Verifiez que"), std::string::npos);
}

TEST(StringTableTexts, EveryTextIsNonEmptyValidUtf8WithoutStrayControls)
{
    const std::vector<int> ids = AllIds();
    EXPECT_GE(ids.size(), 90u);
    for (int id : ids) {
        const std::string text = LoadString(id);
        EXPECT_FALSE(text.empty()) << id;
        EXPECT_TRUE(IsValidUtf8(text)) << id;
        for (char c : text)
            EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n') << id;
    }
}

TEST(StringTableTexts, PlaceholdersMatchWhatCallersPass)
{
    using P = std::vector<std::string>;
    const std::pair<int, P> formats[] = {
        {55004, {"d", "d"}},
        {55005, {"d"}},
        {55010, {"s"}},
        {55015, {"ld"}},
        {55031, {"d", "d", "s", "d"}},
        {55043, {"s", "d", "d", "s", "s"}},
        {55123, {"llu", "llu", "llu"}},
        {55124, {"s"}},
        {55140, {"s", "s"}},
        {55200, {"1"}},
        {55261, {"1"}},
        {55262, {"1"}},
        {61714, {"1", "2"}},
        {61716, {"1"}},
        {61729, {"1"}},
        {61731, {"1"}},
        {61732, {"1"}},
        {61733, {"1"}},
        {61734, {"1"}},
    };
    for (const auto& [id, expected] : formats)
        EXPECT_EQ(Placeholders(LoadString(id)), expected) << id;
    // Any other text is shown or concatenated as it is: a "%" there would
    // be read as a conversion by a caller that formats it.
    for (int id : AllIds()) {
        const bool isFormat = std::any_of(std::begin(formats), std::end(formats),
                                          [id](const auto& f) { return f.first == id; });
        if (!isFormat) {
            EXPECT_EQ(LoadString(id).find('%'), std::string::npos) << id;
        }
    }
}

TEST(StringTableTexts, FileDialogFiltersArePairsEndingWithEmptyField)
{
    struct Filter {
        std::string text;
        size_t pairs;
    };
    const Filter filters[] = {{LoadString(55007) + LoadString(55086), 13}, {LoadString(55052), 3}};
    for (const Filter& filter : filters) {
        std::vector<std::string> parts = Split(filter.text, '|');
        // "...|last pattern||" leaves two empty fields at the end.
        ASSERT_GE(parts.size(), 2u);
        EXPECT_EQ(parts[parts.size() - 1], "");
        EXPECT_EQ(parts[parts.size() - 2], "");
        parts.resize(parts.size() - 2);
        ASSERT_EQ(parts.size(), 2 * filter.pairs) << filter.text;
        for (size_t i = 0; i < parts.size(); i += 2) {
            EXPECT_FALSE(parts[i].empty()) << filter.text;
            for (const std::string& pattern : Split(parts[i + 1], ';'))
                EXPECT_EQ(pattern.substr(0, 2), "*.") << parts[i + 1];
        }
    }
}


// Every name in strings.h, in the header's order. A name whose number has
// no text fails the comparison with the table, a table text left without a
// name too, and two names on one number the ordering check.
constexpr int kNamedIds[] = {
    kStrAlbumDocumentType, kStrPromptGather, kStrPromptPropertiesWindow, kStrAlbumTitle,
    kStrAlbumDescription, kStrCover, kStrFlyleaf, kStrPagesRange, kStrPage, kStrInitialising,
    kStrPictureFilter, kStrAddPicturesTitle, kStrRemakingPreviews, kStrLoadingFile, kStrConvertingPictures,
    kStrUntitled, kStrAddingPictures, kStrUndefined, kStrFreeMemory, kStrBrowseTitle, kStrTypeBmp,
    kStrTypeDib, kStrTypeGif, kStrTypeJpeg, kStrTypePhotoCd, kStrTypePcx, kStrTypeRle, kStrTypeAvi,
    kStrTypeFli, kStrTypeFlc, kStrTypeMmm, kStrMono, kStrPasteFailed, kStrPictureStatus, kStrProductName,
    kStrFontNameLabel, kStrFontSizeLabel, kStrFontBoldLabel, kStrFontItalicLabel, kStrYes, kStrNo,
    kStrProperties, kStrRollUp, kStrRollDown, kStrClose, kStrPictureProperties, kStrFirstTabStays,
    kStrTabAlreadyThere, kStrOldPasswordWrong, kStrPasswordMismatch, kStrWrongPassword,
    kStrConfirmRemoveSound, kStrSoundFilter, kStrNotAnAlbum, kStrGatherBadPath, kStrGatherNoDrive,
    kStrGatherDriveNotReady, kStrGatherDone, kStrDirectoryLabel, kStrRuntimeCopied, kStrRuntimeNotCopied,
    kStrSoundsCopied, kStrSoundsNotCopied, kStrPicturesConverted, kStrPicturesNotConverted,
    kStrCopyingRuntime, kStrCopyingAlbumFile, kStrGatherOutOfMemory, kStrSourceOpenFailed,
    kStrTargetCreateFailed, kStrSourceReadFailed, kStrTargetWriteFailed, kStrCopyingLabel,
    kStrCopyingPictureLabel, kStrCopyingSoundLabel, kStrLoadingPictureLabel, kStrConvertingToJpegLabel,
    kStrJpegCreateFailed, kStrConvertingToJpegOfLabel, kStrTypeTarga, kStrTypeTiff, kStrPictureFilterMore,
    kStrSlideshow, kStrConfirmDeleteText, kStrTypePng, kStrTypeWebp, kStrTypeHeif, kStrPictureTooLarge,
    kStrPictureOutOfMemory, kStrGatherRenamed, kStrNotPictureOrSound, kStrSourceTooLarge, kStrUnknownFileFormat,
    kStrAlbumFromFolder, kStrFolderHasNoPicture, kStrFilesLeftOut, kStrReadingCaptureDates, kStrReady, kStrPromptNewAlbum, kStrIndicatorCaps,
    kStrIndicatorNum, kStrFailedToOpen, kStrFailedToSave, kStrEnterInteger, kStrEnterIntegerInRange,
    kStrEnterAtMostChars, kStrInvalidFormat, kStrPathNotFound, kStrDiskFull, kStrAccessDeniedRead,
    kStrAccessDeniedWrite, kStrIoErrorRead, kStrIoErrorWrite,
};

static_assert(std::adjacent_find(std::begin(kNamedIds), std::end(kNamedIds), std::greater_equal<>()) ==
                  std::end(kNamedIds),
              "named ids must be listed in ascending order, each once");

TEST(StringTableNames, EveryNameHasATextAndEveryTextAName)
{
    EXPECT_EQ(std::vector<int>(std::begin(kNamedIds), std::end(kNamedIds)), AllIds());
}

TEST(StringTableNames, NeighbouringNamesAreNotSwapped)
{
    EXPECT_EQ(LoadString(kStrCover), "Couverture");
    EXPECT_EQ(LoadString(kStrFlyleaf), "Page de garde");
    EXPECT_EQ(LoadString(kStrPagesRange), "Pages %d-%d");
    EXPECT_EQ(LoadString(kStrPage), "Page %d");
    EXPECT_EQ(LoadString(kStrYes), "oui");
    EXPECT_EQ(LoadString(kStrNo), "non");
    EXPECT_EQ(LoadString(kStrRollUp), "&Enrouler");
    EXPECT_EQ(LoadString(kStrRollDown), "&D\xC3\xA9rouler");
    EXPECT_EQ(LoadString(kStrReady), "Pr\xC3\xAAt");
    EXPECT_EQ(LoadString(kStrIndicatorCaps), "MAJ");
    EXPECT_EQ(LoadString(kStrIndicatorNum), "NUM");
    EXPECT_EQ(LoadString(kStrFailedToOpen), "Impossible d'ouvrir le document.");
    EXPECT_EQ(LoadString(kStrFailedToSave), "Impossible d'enregistrer le document.");
    EXPECT_EQ(LoadString(kStrTypeTarga), "Image Targa");
    EXPECT_EQ(LoadString(kStrTypeTiff), "Image TIFF");
    EXPECT_EQ(LoadString(kStrConvertingToJpegLabel), "Conversion au format JPEG ");
    EXPECT_EQ(LoadString(kStrConvertingToJpegOfLabel), "Conversion au format JPEG de ");
}

}  // namespace
}  // namespace lumora
