#pragma once
// The program's string table: every user-visible text by its number, in
// UTF-8. 55000-55093 are the program's own texts, 57344 and above the
// document framework's prompts and messages.
#include <cstdio>
#include <string>

namespace lumora {

// The text of string `id`; empty when the table has no such string.
std::string LoadString(int id);

// printf with a text of the table as its format.
template <typename... Args>
std::string FormatString(int id, Args... args)
{
    const std::string format = LoadString(id);
    const int length = std::snprintf(nullptr, 0, format.c_str(), args...);
    if (length < 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format.c_str(), args...);
    text.resize(static_cast<size_t>(length));
    return text;
}

// True when the table holds `id`.
bool HasString(int id);

// The table's texts by name, in ascending number. Callers pass these, never
// bare numbers. Formats keep the placeholders noted beside them.

// The album document type: newline-separated window title (empty),
// document name, filter name, extension, registry type and name.
inline constexpr int kStrAlbumDocumentType = 3;

// Status-bar prompts of the commands that have one (the command's number);
// a second line, when there is one, is the tooltip.
inline constexpr int kStrPromptGather = 32798;
inline constexpr int kStrPromptPropertiesWindow = 32801;

// Album pages and locations.
inline constexpr int kStrAlbumTitle = 55000;
inline constexpr int kStrAlbumDescription = 55001;
inline constexpr int kStrCover = 55002;
inline constexpr int kStrFlyleaf = 55003;
inline constexpr int kStrPagesRange = 55004;  // %d-%d
inline constexpr int kStrPage = 55005;        // %d

// Status texts, file dialogs and picture descriptions.
inline constexpr int kStrInitialising = 55006;
inline constexpr int kStrPictureFilter = 55007;  // first half of the filter
inline constexpr int kStrAddPicturesTitle = 55008;
inline constexpr int kStrRemakingPreviews = 55009;
inline constexpr int kStrLoadingFile = 55010;  // %s: the path
inline constexpr int kStrConvertingPictures = 55011;
inline constexpr int kStrUntitled = 55012;
inline constexpr int kStrAddingPictures = 55013;
inline constexpr int kStrUndefined = 55014;
inline constexpr int kStrFreeMemory = 55015;  // %ld: kilobytes
inline constexpr int kStrBrowseTitle = 55017;
inline constexpr int kStrTypeBmp = 55018;
inline constexpr int kStrTypeDib = 55019;
inline constexpr int kStrTypeGif = 55020;
inline constexpr int kStrTypeJpeg = 55021;
inline constexpr int kStrTypePhotoCd = 55022;
inline constexpr int kStrTypePcx = 55023;
inline constexpr int kStrTypeRle = 55024;
inline constexpr int kStrTypeAvi = 55025;
inline constexpr int kStrTypeFli = 55026;
inline constexpr int kStrTypeFlc = 55027;
inline constexpr int kStrTypeMmm = 55028;
inline constexpr int kStrMono = 55029;
inline constexpr int kStrPasteFailed = 55030;
inline constexpr int kStrPictureStatus = 55031;  // %d x %d, %s colours, %d zoom
inline constexpr int kStrProductName = 55032;

// Font descriptions and the properties window.
inline constexpr int kStrFontNameLabel = 55033;
inline constexpr int kStrFontSizeLabel = 55034;
inline constexpr int kStrFontBoldLabel = 55035;
inline constexpr int kStrFontItalicLabel = 55036;
inline constexpr int kStrYes = 55037;
inline constexpr int kStrNo = 55038;
inline constexpr int kStrProperties = 55039;
inline constexpr int kStrRollUp = 55040;
inline constexpr int kStrRollDown = 55041;
inline constexpr int kStrClose = 55042;
inline constexpr int kStrPictureProperties = 55043;  // %s, %dx%d, %s colours, %s bytes

// Editing refusals, passwords and sounds.
inline constexpr int kStrFirstTabStays = 55046;
inline constexpr int kStrTabAlreadyThere = 55047;
inline constexpr int kStrOldPasswordWrong = 55048;
inline constexpr int kStrPasswordMismatch = 55049;
inline constexpr int kStrWrongPassword = 55050;
inline constexpr int kStrConfirmRemoveSound = 55051;
inline constexpr int kStrSoundFilter = 55052;
inline constexpr int kStrNotAnAlbum = 55054;

// Gathering the album into one directory.
inline constexpr int kStrGatherBadPath = 55057;
inline constexpr int kStrGatherNoDrive = 55058;
inline constexpr int kStrGatherDriveNotReady = 55060;
inline constexpr int kStrGatherDone = 55062;
inline constexpr int kStrDirectoryLabel = 55063;
inline constexpr int kStrRuntimeCopied = 55064;
inline constexpr int kStrRuntimeNotCopied = 55065;
inline constexpr int kStrSoundsCopied = 55066;
inline constexpr int kStrSoundsNotCopied = 55067;
inline constexpr int kStrPicturesConverted = 55068;
inline constexpr int kStrPicturesNotConverted = 55069;
inline constexpr int kStrCopyingRuntime = 55070;
inline constexpr int kStrCopyingAlbumFile = 55071;
inline constexpr int kStrGatherOutOfMemory = 55072;
inline constexpr int kStrSourceOpenFailed = 55073;
inline constexpr int kStrTargetCreateFailed = 55074;
inline constexpr int kStrSourceReadFailed = 55075;
inline constexpr int kStrTargetWriteFailed = 55076;
inline constexpr int kStrCopyingLabel = 55077;
inline constexpr int kStrCopyingPictureLabel = 55078;
inline constexpr int kStrCopyingSoundLabel = 55079;
inline constexpr int kStrLoadingPictureLabel = 55080;
inline constexpr int kStrConvertingToJpegLabel = 55081;
inline constexpr int kStrJpegCreateFailed = 55082;
inline constexpr int kStrConvertingToJpegOfLabel = 55083;
// A line of the completion message per file gathered under another name
// than its own (%s: its name, %s: the name it was given).
inline constexpr int kStrGatherRenamed = 55140;
// Sources the gather refuses to take along.
inline constexpr int kStrNotPictureOrSound = 55141;
inline constexpr int kStrSourceTooLarge = 55142;

// More picture types, the filter's second half, the rest.
inline constexpr int kStrTypeTarga = 55084;
inline constexpr int kStrTypeTiff = 55085;
inline constexpr int kStrPictureFilterMore = 55086;  // follows kStrPictureFilter
inline constexpr int kStrSlideshow = 55092;
inline constexpr int kStrConfirmDeleteText = 55093;
// Picture types read beyond the original nine, and the readers' refusals.
inline constexpr int kStrTypePng = 55120;
inline constexpr int kStrTypeWebp = 55121;
inline constexpr int kStrTypeHeif = 55122;
inline constexpr int kStrPictureTooLarge = 55123;   // %llu x %llu, %llu: the limit in megapixels
inline constexpr int kStrPictureOutOfMemory = 55124;  // %s: the file
// A file given to open whose kind the program does not read (%1: its path).
inline constexpr int kStrUnknownFileFormat = 55200;
// An album made from a folder: the dialog's caption, a folder without a
// picture (%1: the folder), the files left out (%1: their paths, one a line).
inline constexpr int kStrAlbumFromFolder = 55260;
inline constexpr int kStrFolderHasNoPicture = 55261;
inline constexpr int kStrFilesLeftOut = 55262;
inline constexpr int kStrReadingCaptureDates = 55263;

// The framework's idle status text and the new-album command's prompt.
inline constexpr int kStrReady = 57345;
inline constexpr int kStrPromptNewAlbum = 57600;

// Status-bar indicator labels.
inline constexpr int kStrIndicatorCaps = 59137;
inline constexpr int kStrIndicatorNum = 59138;

// The framework's messages: file errors take the path as %1.
inline constexpr int kStrFailedToOpen = 61697;
inline constexpr int kStrFailedToSave = 61698;
inline constexpr int kStrEnterInteger = 61712;
inline constexpr int kStrEnterIntegerInRange = 61714;  // %1, %2: the bounds
inline constexpr int kStrEnterAtMostChars = 61716;     // %1: the limit
inline constexpr int kStrInvalidFormat = 61728;
inline constexpr int kStrPathNotFound = 61729;
inline constexpr int kStrDiskFull = 61730;
inline constexpr int kStrAccessDeniedRead = 61731;
inline constexpr int kStrAccessDeniedWrite = 61732;
inline constexpr int kStrIoErrorRead = 61733;
inline constexpr int kStrIoErrorWrite = 61734;

}  // namespace lumora
