// The first bytes of a file a received album names as a photo or a sound,
// read as the gather reads them before letting the file leave: the picture
// header of each format the first byte picks, and the sound kind. Neither
// may read out of bounds or loop, whatever the sizes and offsets say.
#include <cstddef>
#include <cstdint>

#include "core/formats/image_format.h"
#include "core/formats/picture_header.h"
#include "core/sound/sound_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    if (size == 0)
        return 0;
    const int format = data[0] % (kFormatHEIF + 1);
    MemorySource source({data + 1, size - 1});
    if (const auto header = ReadPictureHeader(format, source)) {
        if (header->width == 0 || header->height == 0)
            __builtin_trap();
        (void)PlausiblePictureFileSize(format, *header);
    }
    MemorySource sound({data + 1, size - 1});
    (void)ReadSoundFileKind(sound);
    return 0;
}
