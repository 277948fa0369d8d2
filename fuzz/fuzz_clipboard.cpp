// Clipboard blocks from any program: a paste must refuse what is not ours
// or is damaged, never read out of bounds; what it accepts must give the
// same item again once copied back.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/album/album_item.h"
#include "core/album/clipboard_block.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    // The first byte says where the main block ends and the UTF-8 strings
    // block begins, so that both are exercised together.
    if (size == 0)
        return 0;
    const std::span<const uint8_t> input(data + 1, size - 1);
    const size_t split = input.size() * data[0] / 255;
    const auto item = FromClipboardBlock(input.first(split), input.subspan(split));
    if (!item)
        return 0;
    const auto again = FromClipboardBlock(ToClipboardBlock(*item), ToClipboardStrings(*item));
    if (!again || again->kind != item->kind || again->imagePath != item->imagePath ||
        again->description != item->description || again->text != item->text ||
        again->imageFileSize != item->imageFileSize)
        __builtin_trap();
    return 0;
}
