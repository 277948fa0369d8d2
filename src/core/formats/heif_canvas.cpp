#include "core/formats/heif_canvas.h"

#include <array>
#include <cstring>

namespace lumora {
namespace {

// A bounds-checked reader of big-endian fields over one box's payload.
class Fields {
public:
    explicit Fields(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool Ok() const { return ok_; }
    size_t Left() const { return ok_ ? bytes_.size() - at_ : 0; }
    uint64_t Read(unsigned size)  // 0, 1, 2, 4 or 8 bytes
    {
        if (!ok_ || size > 8 || Left() < size) {
            ok_ = false;
            return 0;
        }
        uint64_t value = 0;
        for (unsigned i = 0; i < size; ++i)
            value = (value << 8) | bytes_[at_ + i];
        at_ += size;
        return value;
    }
    void Skip(size_t size)
    {
        if (Left() < size)
            ok_ = false;
        else
            at_ += size;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
    bool ok_ = true;
};

struct Box {
    std::array<char, 4> type{};
    std::span<const uint8_t> payload;
};

// The boxes directly inside `bytes`, stopping at the first one that does
// not fit.
template <typename Visit>
void ForEachBox(std::span<const uint8_t> bytes, Visit visit)
{
    size_t at = 0;
    while (bytes.size() - at >= 8) {
        Fields head(bytes.subspan(at));
        uint64_t size = head.Read(4);
        Box box;
        std::memcpy(box.type.data(), bytes.data() + at + 4, 4);
        size_t header = 8;
        if (size == 1) {
            size = head.Read(8);
            header = 16;
        } else if (size == 0) {
            size = bytes.size() - at;
        }
        if (!head.Ok() || size < header || size > bytes.size() - at)
            return;
        box.payload = bytes.subspan(at + header, size - header);
        if (!visit(box))
            return;
        at += size;
    }
}

bool Is(const Box& box, const char* type) { return std::memcmp(box.type.data(), type, 4) == 0; }

struct MetaBoxes {
    std::span<const uint8_t> pitm, iinf, iloc, idat;
};

std::optional<uint32_t> PrimaryItem(std::span<const uint8_t> pitm)
{
    Fields f(pitm);
    const uint64_t version = f.Read(1);
    f.Skip(3);
    const uint64_t id = f.Read(version == 0 ? 2 : 4);
    return f.Ok() ? std::optional<uint32_t>(static_cast<uint32_t>(id)) : std::nullopt;
}

// The four-letter type of item `id` from the item information box.
std::optional<std::array<char, 4>> ItemType(std::span<const uint8_t> iinf, uint32_t id)
{
    Fields f(iinf);
    const uint64_t version = f.Read(1);
    f.Skip(3);
    f.Skip(version == 0 ? 2 : 4);  // the entry count: the boxes say it too
    if (!f.Ok())
        return std::nullopt;
    std::optional<std::array<char, 4>> found;
    ForEachBox(iinf.subspan(iinf.size() - f.Left()), [&](const Box& box) {
        if (!Is(box, "infe"))
            return true;
        Fields e(box.payload);
        const uint64_t entryVersion = e.Read(1);
        e.Skip(3);
        if (entryVersion < 2)
            return true;
        const uint64_t itemId = e.Read(entryVersion == 2 ? 2 : 4);
        e.Skip(2);  // protection index
        if (!e.Ok() || itemId != id || e.Left() < 4)
            return true;
        std::array<char, 4> type{};
        std::memcpy(type.data(), box.payload.data() + (box.payload.size() - e.Left()), 4);
        found = type;
        return false;
    });
    return found;
}

// The first extent of item `id`: where its bytes are, in the file or in
// the item data box.
struct Extent {
    bool inItemData = false;
    uint64_t offset = 0;
    uint64_t length = 0;
};

std::optional<Extent> FirstExtent(std::span<const uint8_t> iloc, uint32_t id)
{
    Fields f(iloc);
    const uint64_t version = f.Read(1);
    f.Skip(3);
    const uint64_t sizes = f.Read(2);
    const unsigned offsetSize = (sizes >> 12) & 15, lengthSize = (sizes >> 8) & 15;
    const unsigned baseOffsetSize = (sizes >> 4) & 15;
    const unsigned indexSize = version >= 1 ? sizes & 15 : 0;
    for (const unsigned size : {offsetSize, lengthSize, baseOffsetSize, indexSize})
        if (size != 0 && size != 4 && size != 8)
            return std::nullopt;  // no such field size
    const uint64_t count = f.Read(version < 2 ? 2 : 4);
    for (uint64_t i = 0; i < count && f.Ok(); ++i) {
        const uint64_t itemId = f.Read(version < 2 ? 2 : 4);
        const uint64_t method = version >= 1 ? f.Read(2) & 15 : 0;
        f.Skip(2);  // data reference index
        const uint64_t base = f.Read(baseOffsetSize);
        const uint64_t extents = f.Read(2);
        std::optional<Extent> first;
        for (uint64_t e = 0; e < extents && f.Ok(); ++e) {
            f.Read(indexSize);
            const uint64_t offset = f.Read(offsetSize);
            const uint64_t length = f.Read(lengthSize);
            if (e == 0)
                first = Extent{method == 1, base + offset, length};
        }
        if (f.Ok() && itemId == id)
            return method <= 1 ? first : std::nullopt;
    }
    return std::nullopt;
}

// The output size written at the start of a grid's or an overlay's data.
std::optional<HeifCanvas> CanvasOf(std::span<const uint8_t> data, bool overlay)
{
    Fields f(data);
    f.Skip(1);  // version
    const uint64_t flags = f.Read(1);
    if (overlay)
        f.Skip(4 * 2);  // the canvas fill colour
    else
        f.Skip(2);  // rows and columns, less one
    const unsigned fieldSize = (flags & 1) ? 4 : 2;
    HeifCanvas canvas;
    canvas.width = static_cast<uint32_t>(f.Read(fieldSize));
    canvas.height = static_cast<uint32_t>(f.Read(fieldSize));
    return f.Ok() ? std::optional<HeifCanvas>(canvas) : std::nullopt;
}

}  // namespace

std::optional<HeifCanvas> PrimaryHeifCanvas(std::span<const uint8_t> file)
{
    MetaBoxes meta;
    bool haveMeta = false;
    ForEachBox(file, [&](const Box& top) {
        if (!Is(top, "meta"))
            return true;
        haveMeta = top.payload.size() >= 4;
        if (haveMeta)
            ForEachBox(top.payload.subspan(4), [&](const Box& box) {
                if (Is(box, "pitm"))
                    meta.pitm = box.payload;
                else if (Is(box, "iinf"))
                    meta.iinf = box.payload;
                else if (Is(box, "iloc"))
                    meta.iloc = box.payload;
                else if (Is(box, "idat"))
                    meta.idat = box.payload;
                return true;
            });
        return false;
    });
    if (!haveMeta)
        return std::nullopt;
    const std::optional<uint32_t> primary = PrimaryItem(meta.pitm);
    if (!primary)
        return std::nullopt;
    const auto type = ItemType(meta.iinf, *primary);
    if (!type)
        return std::nullopt;
    const bool grid = std::memcmp(type->data(), "grid", 4) == 0;
    const bool overlay = std::memcmp(type->data(), "iovl", 4) == 0;
    if (!grid && !overlay)
        return std::nullopt;
    const HeifCanvas unknown{0, 0, false};
    const std::optional<Extent> extent = FirstExtent(meta.iloc, *primary);
    if (!extent)
        return unknown;
    const std::span<const uint8_t> source = extent->inItemData ? meta.idat : file;
    if (extent->offset >= source.size())
        return unknown;
    std::span<const uint8_t> data = source.subspan(static_cast<size_t>(extent->offset));
    if (extent->length != 0 && extent->length < data.size())
        data = data.first(static_cast<size_t>(extent->length));
    const std::optional<HeifCanvas> canvas = CanvasOf(data, overlay);
    return canvas ? *canvas : unknown;
}

}  // namespace lumora
