// TIFF bytes from anywhere: the reader must refuse or decode them through
// libtiff, never read or write out of bounds; what it returns must be a
// well-formed picture that survives the program's conversions.
#include <cstddef>
#include <cstdint>

#include "fuzz_picture.h"
#include "core/formats/tiff_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    fuzz::ExercisePicture(ReadTIFFFromMemory({data, size}));
    return 0;
}
