// WebP files from anywhere: the reader must refuse or decode them, never read
// or write out of bounds; what it returns must survive every conversion the
// program applies to pictures.
#include <cstddef>
#include <cstdint>

#include "fuzz_picture.h"
#include "core/formats/webp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    lumora::fuzz::ExercisePicture(lumora::ReadWebPFromMemory({data, size}));
    return 0;
}
