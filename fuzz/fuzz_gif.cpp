// GIF files from anywhere: the reader must refuse or decode them, never read
// or write out of bounds; what it returns must survive every conversion the
// program applies to pictures.
#include <cstddef>
#include <cstdint>

#include "fuzz_picture.h"
#include "core/formats/gif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    // The logical screen is allocated whole before any image is read; keep
    // each run small (the size limit itself is covered by the tests).
    if (size >= 10 && uint64_t(data[6] | data[7] << 8) * uint64_t(data[8] | data[9] << 8) > (1u << 22))
        return 0;
    MemorySource source({data, size});
    fuzz::ExercisePicture(DecodeGIF(source).result);
    return 0;
}
