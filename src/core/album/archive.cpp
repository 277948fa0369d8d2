#include "core/album/archive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/album/text_codec.h"
#include "core/picture/byte_order.h"

namespace lumora {
namespace {

constexpr uint16_t kNullTag = 0x0000;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint16_t kUnicodeMarker = 0xFFFE;
// Class names longer than this are refused before being read.
constexpr uint16_t kMaxClassName = 64;
// Reads at least this long bypass the buffer.
constexpr size_t kDirectReadSize = 4096;

}  // namespace

Archive::Archive(ArchiveSink& sink) : sink_(&sink), buffer_(new uint8_t[kPieceSize]) {}

Archive::Archive(ByteSource& source) : source_(&source), buffer_(new uint8_t[kPieceSize]) {}

Archive::~Archive() = default;

// ---- storing ---------------------------------------------------------------

void Archive::FlushBuffer()
{
    if (bufferUsed_ == 0)
        return;
    errno = 0;
    const bool written = sink_->Write(buffer_.get(), bufferUsed_);
    bufferUsed_ = 0;
    if (!written)
        throw ArchiveError(ArchiveError::Cause::WriteFailed, "write failed", errno ? errno : EIO);
}

void Archive::Flush() { FlushBuffer(); }

void Archive::WriteBytes(const uint8_t* bytes, size_t count)
{
    while (count > 0) {
        if (bufferUsed_ == kPieceSize)
            FlushBuffer();
        const size_t n = std::min(count, kPieceSize - bufferUsed_);
        std::memcpy(buffer_.get() + bufferUsed_, bytes, n);
        bufferUsed_ += n;
        bytes += n;
        count -= n;
    }
}

void Archive::Write16(uint16_t value)
{
    uint8_t bytes[2];
    WriteLE16(bytes, value);
    WriteBytes(bytes, 2);
}

void Archive::Write32(uint32_t value)
{
    uint8_t bytes[4];
    WriteLE32(bytes, value);
    WriteBytes(bytes, 4);
}

namespace {

// The length prefix: one byte below 255, then 0xFF + 16 bits below 0xFFFE,
// then 0xFF 0xFFFF + 32 bits.
void WriteLengthPrefix(Archive& ar, size_t length)
{
    if (length < 0xFF) {
        const uint8_t byte = static_cast<uint8_t>(length);
        ar.WriteBytes(&byte, 1);
        return;
    }
    const uint8_t escape = 0xFF;
    ar.WriteBytes(&escape, 1);
    if (length < 0xFFFE) {
        ar.Write16(static_cast<uint16_t>(length));
    } else {
        ar.Write16(0xFFFF);
        ar.Write32(static_cast<uint32_t>(length));
    }
}

}  // namespace

void Archive::WriteAnsiString(const std::string& bytes)
{
    WriteLengthPrefix(*this, bytes.size());
    WriteBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void Archive::WriteUnicodeString(const std::u16string& units)
{
    const uint8_t escape = 0xFF;
    WriteBytes(&escape, 1);
    Write16(kUnicodeMarker);
    WriteLengthPrefix(*this, units.size());
    for (const char16_t unit : units)
        Write16(unit);
}

void Archive::WriteString(const std::string& utf8)
{
    if (const auto ansi = Utf8ToWindows1252(utf8))
        WriteAnsiString(*ansi);
    else
        WriteUnicodeString(Utf8ToUtf16(utf8));
}

uint32_t Archive::TakeIndex()
{
    if (nextIndex_ > kMaxIndex)
        throw ArchiveError(ArchiveError::Cause::BadIndex, "too many objects in one file");
    return nextIndex_++;
}

void Archive::WriteObjectTag(const ArchiveClass& cls)
{
    const auto known = std::find_if(storedClasses_.begin(), storedClasses_.end(),
                                    [&](const auto& entry) { return entry.first == &cls; });
    if (known != storedClasses_.end()) {
        TakeIndex();
        Write16(static_cast<uint16_t>(kClassTag | known->second));
        return;
    }
    const uint32_t classIndex = TakeIndex();
    TakeIndex();
    storedClasses_.emplace_back(&cls, classIndex);
    const uint16_t nameLength = static_cast<uint16_t>(std::strlen(cls.name));
    Write16(kNewClassTag);
    Write16(cls.schema);
    Write16(nameLength);
    WriteBytes(reinterpret_cast<const uint8_t*>(cls.name), nameLength);
}

// ---- loading ---------------------------------------------------------------

void Archive::ThrowEnd()
{
    throw ArchiveError(ArchiveError::Cause::EndOfFile, "unexpected end of file");
}

bool Archive::Refill()
{
    bufferUsed_ = source_->Read(buffer_.get(), kPieceSize);
    bufferPos_ = 0;
    return bufferUsed_ > 0;
}

size_t Archive::ReadAvailable(uint8_t* bytes, size_t count)
{
    size_t done = 0;
    while (done < count) {
        if (bufferPos_ < bufferUsed_) {
            const size_t n = std::min(count - done, bufferUsed_ - bufferPos_);
            std::memcpy(bytes + done, buffer_.get() + bufferPos_, n);
            bufferPos_ += n;
            done += n;
        } else if (count - done >= kDirectReadSize) {
            // Large blocks (pictures) go straight to their destination.
            const size_t piece = std::min(count - done, kPieceSize);
            const size_t n = source_->Read(bytes + done, piece);
            done += n;
            if (n < piece)
                break;
        } else if (!Refill()) {
            break;
        }
    }
    return done;
}

void Archive::ReadBytes(uint8_t* bytes, size_t count)
{
    if (ReadAvailable(bytes, count) != count)
        ThrowEnd();
}

uint16_t Archive::Read16()
{
    uint8_t bytes[2];
    ReadBytes(bytes, 2);
    return ReadLE16(bytes);
}

uint32_t Archive::Read32()
{
    uint8_t bytes[4];
    ReadBytes(bytes, 4);
    return ReadLE32(bytes);
}

uint64_t Archive::Remaining() const
{
    return source_->Remaining() + (bufferUsed_ - bufferPos_);
}

void Archive::CheckCount(uint64_t count, uint64_t bytesEach) const
{
    if (count * bytesEach > Remaining())
        throw ArchiveError(ArchiveError::Cause::BadCount, "count beyond the end of the file");
}

Archive::RawString Archive::ReadRawString()
{
    RawString result;
    uint8_t first = 0;
    ReadBytes(&first, 1);
    uint32_t length = first;
    if (first == 0xFF) {
        length = Read16();
        if (length == kUnicodeMarker) {
            result.unicode = true;
            ReadBytes(&first, 1);
            length = first;
            if (first == 0xFF)
                length = Read16();
        }
        if (length == 0xFFFF)
            length = Read32();
    }
    if (result.unicode) {
        CheckCount(length, 2);
        result.units.resize(length);
        for (char16_t& unit : result.units)
            unit = Read16();
    } else {
        CheckCount(length, 1);
        result.bytes.resize(length);
        ReadBytes(reinterpret_cast<uint8_t*>(result.bytes.data()), length);
    }
    return result;
}

std::string Archive::ReadString()
{
    const RawString raw = ReadRawString();
    std::string text = raw.unicode ? Utf16ToUtf8(raw.units) : Windows1252ToUtf8(raw.bytes);
    // Every string of an album is shown, compared and stored as a C string:
    // what follows a NUL character was never part of it.
    if (const auto end = text.find('\0'); end != std::string::npos)
        text.resize(end);
    return text;
}

const ArchiveClass& Archive::ReadObjectTag(const std::vector<const ArchiveClass*>& known)
{
    const uint16_t tag = Read16();
    if (tag == kNullTag || (tag & kClassTag) == 0 || tag == kNewClassTag) {
        if (tag != kNewClassTag)
            // An album holds each object once and never an empty slot.
            throw ArchiveError(ArchiveError::Cause::UnexpectedObject, "missing object");
        const uint16_t schema = Read16();
        const uint16_t nameLength = Read16();
        if (nameLength > kMaxClassName)
            throw ArchiveError(ArchiveError::Cause::UnknownClass, "class name too long");
        std::string name(nameLength, '\0');
        ReadBytes(reinterpret_cast<uint8_t*>(name.data()), nameLength);
        const auto cls = std::find_if(known.begin(), known.end(),
                                      [&](const ArchiveClass* c) { return name == c->name; });
        if (cls == known.end())
            throw ArchiveError(ArchiveError::Cause::UnknownClass, "unknown class " + name);
        if ((*cls)->schema != schema)
            throw ArchiveError(ArchiveError::Cause::WrongSchema, "wrong schema for " + name);
        const uint32_t classIndex = TakeIndex();
        if (loadedByIndex_.size() <= classIndex)
            loadedByIndex_.resize(classIndex + 1, nullptr);
        loadedByIndex_[classIndex] = *cls;
        TakeIndex();
        return **cls;
    }
    const uint32_t classIndex = tag & ~kClassTag;
    if (classIndex >= loadedByIndex_.size() || loadedByIndex_[classIndex] == nullptr)
        throw ArchiveError(ArchiveError::Cause::BadIndex, "object tag names no class");
    const ArchiveClass* cls = loadedByIndex_[classIndex];
    if (std::find(known.begin(), known.end(), cls) == known.end())
        throw ArchiveError(ArchiveError::Cause::UnexpectedObject, "object of another class");
    TakeIndex();
    return *cls;
}

}  // namespace lumora
