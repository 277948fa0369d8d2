#pragma once
// The album file's stream: our stand-in for the framework's archive. It
// writes and reads the primitive encodings (little-endian 16- and 32-bit
// values, length-prefixed strings) and the object references with their
// class announcements. Every error while reading raises ArchiveError, which
// the document turns into its "unexpected file format" message.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/formats/byte_source.h"

namespace lumora {

class ArchiveError : public std::runtime_error {
public:
    enum class Cause {
        EndOfFile,       // the file ends inside a record
        UnknownClass,    // a class name the program does not have
        WrongSchema,     // a known class with another schema number
        BadIndex,        // an object tag naming no class, or too many indices
        BadCount,        // a count or length the rest of the file cannot hold
        UnexpectedObject,// no object, or one of another class, where one was due
        WriteFailed,     // the destination refused bytes (errno in SystemError())
    };
    ArchiveError(Cause cause, const std::string& what, int systemError = 0)
        : std::runtime_error(what), cause_(cause), systemError_(systemError)
    {
    }
    Cause GetCause() const { return cause_; }
    int SystemError() const { return systemError_; }

private:
    Cause cause_;
    int systemError_;
};

// Where a storing archive sends its bytes.
class ArchiveSink {
public:
    virtual ~ArchiveSink() = default;
    // True when every byte was taken; otherwise errno tells why.
    virtual bool Write(const uint8_t* bytes, size_t count) = 0;
};

class MemorySink final : public ArchiveSink {
public:
    bool Write(const uint8_t* bytes, size_t count) override
    {
        bytes_.insert(bytes_.end(), bytes, bytes + count);
        return true;
    }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// What the archive knows of a stored class: its name and schema number.
struct ArchiveClass {
    const char* name;
    uint16_t schema;
};

class Archive {
public:
    // Largest object index a file may use; tags 0x8000 + index name classes.
    static constexpr uint32_t kMaxIndex = 0x7FFE;
    // Bytes moved per read or write call of the underlying stream.
    static constexpr size_t kPieceSize = 32768;

    explicit Archive(ArchiveSink& sink);      // storing
    explicit Archive(ByteSource& source);     // loading
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool IsStoring() const { return sink_ != nullptr; }
    bool IsLoading() const { return source_ != nullptr; }

    // Storing. Bytes are buffered; Flush() hands them to the sink.
    void Write16(uint16_t value);
    void Write32(uint32_t value);
    void WriteBytes(const uint8_t* bytes, size_t count);
    // A UTF-8 string: as Windows-1252 bytes when every character fits,
    // otherwise in the Unicode form (0xFF, 0xFFFE, length in UTF-16 units,
    // UTF-16LE units).
    void WriteString(const std::string& utf8);
    // A string of raw units exactly as given (for encodings the caller made).
    void WriteAnsiString(const std::string& bytes);
    void WriteUnicodeString(const std::u16string& units);
    void Flush();

    // Loading. Every shortfall raises ArchiveError(EndOfFile).
    uint16_t Read16();
    uint32_t Read32();
    void ReadBytes(uint8_t* bytes, size_t count);
    // Reads as many as there are, up to `count`; the number read.
    size_t ReadAvailable(uint8_t* bytes, size_t count);
    std::string ReadString();  // either form, to UTF-8
    // The raw string: its bytes, or its UTF-16 units when `unicode` is set.
    struct RawString {
        bool unicode = false;
        std::string bytes;
        std::u16string units;
    };
    RawString ReadRawString();
    // Bytes left in the file after what has been consumed.
    uint64_t Remaining() const;
    // Refuses a count whose elements, each at least `bytesEach` long, cannot
    // all fit in what is left of the file.
    void CheckCount(uint64_t count, uint64_t bytesEach) const;

    // Object references. Storing: writes the class announcement (first
    // object of a class in this file) or the class tag, then numbers the
    // object; the caller writes the record after.
    void WriteObjectTag(const ArchiveClass& cls);
    // Loading: reads a tag and its announcement, checks the class against
    // the `known` ones and its schema, numbers the object and returns the
    // class (one of `known`). The caller reads the record after.
    const ArchiveClass& ReadObjectTag(const std::vector<const ArchiveClass*>& known);

private:
    void FlushBuffer();
    bool Refill();
    [[noreturn]] static void ThrowEnd();
    uint32_t TakeIndex();

    ArchiveSink* sink_ = nullptr;
    ByteSource* source_ = nullptr;
    std::unique_ptr<uint8_t[]> buffer_;
    size_t bufferUsed_ = 0;   // storing: bytes waiting; loading: bytes filled
    size_t bufferPos_ = 0;    // loading: next byte to hand out

    // Numbering of classes and objects, one counter per file from 1.
    uint32_t nextIndex_ = 1;
    std::vector<std::pair<const ArchiveClass*, uint32_t>> storedClasses_;
    std::vector<const ArchiveClass*> loadedByIndex_;  // null for objects
};

}  // namespace lumora
