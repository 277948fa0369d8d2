#pragma once
// One album item on the clipboard. The program's own format is a block of a
// fixed 2537-byte header (magic "QZA", the kind, the photo's facts, the
// text and its font, single-byte strings zero-padded) followed, for a photo,
// by its preview as a packed DIB, so that the block is the same on every
// machine. A second block carries the item's strings in UTF-8, for the
// characters the single-byte fields cannot hold; our own paste prefers it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace lumora {

class AlbumItem;

inline constexpr const char* kClipboardMimeType = "application/x-lumora-data";
inline constexpr const char* kClipboardUtf8MimeType = "application/x-lumora-data+utf8";

inline constexpr size_t kClipboardHeaderSize = 2537;

// Field sizes of the header: a path and a description fill their field
// without a terminator of their own, so they hold one byte less.
inline constexpr size_t kClipboardPathBytes = 128;
inline constexpr size_t kClipboardDescriptionBytes = 256;
inline constexpr size_t kClipboardTextBytes = 2000;
inline constexpr size_t kClipboardFaceNameBytes = 32;

// The item's block. Strings are written in Windows-1252, a character it
// cannot hold as "?", and cut to their field (always between characters).
std::vector<uint8_t> ToClipboardBlock(const AlbumItem& item);

// The item's path, description, text and font face name in UTF-8.
std::vector<uint8_t> ToClipboardStrings(const AlbumItem& item);

// A new item from a block, or null when the block is not ours or is damaged
// (wrong magic, shorter than the header, a photo whose preview is not a
// valid picture). `strings`, when it is a valid UTF-8 strings block, gives
// the item's strings in place of the single-byte fields.
std::unique_ptr<AlbumItem> FromClipboardBlock(std::span<const uint8_t> block,
                                              std::span<const uint8_t> strings = {});

}  // namespace lumora
