// HEIF and AVIF files from anywhere: the reader must refuse or decode them, never read
// or write out of bounds; what it returns must survive every conversion the
// program applies to pictures.
#include <cstddef>
#include <cstdint>

#include "fuzz_picture.h"
#include "core/formats/heif_reader.h"

// The AV1 decoder under libheif keeps a small allocation of its own for the
// life of the process; that is not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdav1d.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    lumora::fuzz::ExercisePicture(lumora::ReadHEIFFromMemory({data, size}));
    return 0;
}
