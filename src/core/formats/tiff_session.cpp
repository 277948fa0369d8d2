#include "core/formats/tiff_session.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "core/picture/picture.h"

namespace lumora {
namespace {

// No single buffer libtiff makes for one file may exceed the largest
// picture the program accepts.
constexpr tmsize_t kMaxLibraryAllocation = static_cast<tmsize_t>(kMaxPixelBytes);

std::string Format(const char* format, va_list args)
{
    char text[1024];
    std::vsnprintf(text, sizeof text, format, args);
    return text;
}

TiffMemory& MemoryOf(thandle_t handle) { return *static_cast<TiffMemory*>(handle); }

tmsize_t ReadMemory(thandle_t handle, void* buffer, tmsize_t size)
{
    TiffMemory& memory = MemoryOf(handle);
    if (size <= 0 || memory.position >= memory.bytes.size())
        return 0;
    const uint64_t count = std::min<uint64_t>(static_cast<uint64_t>(size),
                                              memory.bytes.size() - memory.position);
    std::memcpy(buffer, memory.bytes.data() + memory.position, count);
    memory.position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t WriteNothing(thandle_t, void*, tmsize_t) { return -1; }

toff_t SeekMemory(thandle_t handle, toff_t offset, int whence)
{
    TiffMemory& memory = MemoryOf(handle);
    uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = memory.position;
    else if (whence == SEEK_END)
        base = memory.bytes.size();
    // libtiff passes negative moves as wrapped unsigned values.
    memory.position = base + offset;
    return memory.position;
}

int CloseNothing(thandle_t) { return 0; }

toff_t MemorySize(thandle_t handle) { return MemoryOf(handle).bytes.size(); }

// The block is already in memory: libtiff reads strips from it in place.
int MapMemory(thandle_t handle, void** base, toff_t* size)
{
    TiffMemory& memory = MemoryOf(handle);
    *base = const_cast<uint8_t*>(memory.bytes.data());  // opened read-only
    *size = memory.bytes.size();
    return 1;
}

void UnmapNothing(thandle_t, void*, toff_t) {}

}  // namespace

TiffMessages::TiffMessages() : options_(TIFFOpenOptionsAlloc())
{
    if (!options_)
        return;
    TIFFOpenOptionsSetErrorHandlerExtR(options_, OnError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options_, OnWarning, this);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options_, kMaxLibraryAllocation);
}

TiffMessages::~TiffMessages()
{
    TIFFOpenOptionsFree(options_);
}

int TiffMessages::OnError(TIFF*, void* self, const char* module, const char* format, va_list args)
{
    auto* messages = static_cast<TiffMessages*>(self);
    if (messages->firstError_.empty()) {
        messages->firstError_ = Format(format, args);
        messages->firstModule_ = module ? module : "";
        if (messages->firstError_.empty())
            messages->firstError_ = "TIFF";
    }
    return 1;  // handled: the library's own handler stays silent
}

int TiffMessages::OnWarning(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

TiffHandle OpenTiffFile(const PictureFile& file, const TiffMessages& messages)
{
    if (!messages.Options())
        return {};
    // libtiff closes the descriptor it is given: it gets one of its own.
    const int copy = ::fcntl(file.Descriptor(), F_DUPFD_CLOEXEC, 0);
    if (copy < 0)
        return {};
    if (::lseek(copy, 0, SEEK_SET) != 0) {
        ::close(copy);
        return {};
    }
    TIFF* tiff = TIFFFdOpenExt(copy, file.Path().c_str(), "r", messages.Options());
    if (!tiff)
        ::close(copy);
    return TiffHandle(tiff);
}

TiffHandle OpenTiffMemory(TiffMemory& memory, const TiffMessages& messages)
{
    if (!messages.Options())
        return {};
    memory.position = 0;
    return TiffHandle(TIFFClientOpenExt("memory", "r", &memory, ReadMemory, WriteNothing,
                                        SeekMemory, CloseNothing, MemorySize, MapMemory,
                                        UnmapNothing, messages.Options()));
}

}  // namespace lumora
