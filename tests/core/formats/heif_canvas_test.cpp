#include "core/formats/heif_canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


namespace lumora {
namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& out, uint64_t value, unsigned size)
{
    for (unsigned i = size; i-- > 0;)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

Bytes BoxOf(const char* type, const Bytes& payload)
{
    Bytes box;
    Put(box, 8 + payload.size(), 4);
    box.insert(box.end(), type, type + 4);
    box.insert(box.end(), payload.begin(), payload.end());
    return box;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A file whose primary item 2, of `type`, has `data` in the item data box
// (construction method 1), as phones write grids.
Bytes FileWithPrimary(const char* type, const Bytes& data)
{
    Bytes pitm = {0, 0, 0, 0};
    Put(pitm, 2, 2);
    Bytes infe1 = {2, 0, 0, 0}, infe2 = {2, 0, 0, 0};
    Put(infe1, 1, 2), Put(infe1, 0, 2), infe1.insert(infe1.end(), {'h', 'v', 'c', '1', 0});
    Put(infe2, 2, 2), Put(infe2, 0, 2), infe2.insert(infe2.end(), type, type + 4), infe2.push_back(0);
    Bytes iinf = {0, 0, 0, 0};
    Put(iinf, 2, 2);
    iinf = iinf + BoxOf("infe", infe1) + BoxOf("infe", infe2);
    Bytes iloc = {1, 0, 0, 0, 0x44, 0x00};  // version 1, 4-byte offsets and lengths
    Put(iloc, 1, 2);                          // one item
    Put(iloc, 2, 2);                          // item 2
    Put(iloc, 1, 2);                          // in the item data box
    Put(iloc, 0, 2);                          // data reference
    Put(iloc, 1, 2);                          // one extent
    Put(iloc, 0, 4), Put(iloc, data.size(), 4);
    Bytes meta = {0, 0, 0, 0};
    meta = meta + BoxOf("hdlr", Bytes(25, 0)) + BoxOf("pitm", pitm) + BoxOf("iinf", iinf) +
           BoxOf("iloc", iloc) + BoxOf("idat", data);
    return BoxOf("ftyp", {'h', 'e', 'i', 'c', 0, 0, 0, 0}) + BoxOf("meta", meta);
}

TEST(HeifCanvas, GridsAndOverlaysGiveTheSizeTheyArePutTogetherAt)
{
    struct Case {
        std::string name;
        Bytes file;
        bool found;
        uint32_t width, height;
    };
    const Bytes grid16 = {0, 0, 1, 2, 0x40, 0x10, 0x8F, 0x1C};  // 2 x 3 tiles, 16-bit sizes
    const Bytes grid32 = {0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0x0B, 0xD0};
    const Bytes overlay = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x00, 0x00, 0xC0};
    const Bytes file16 = FileWithPrimary("grid", grid16);
    const Case cases[] = {
        {"16-bit grid", file16, true, 16400, 36636},
        {"32-bit grid", FileWithPrimary("grid", grid32), true, 65536, 3024},
        {"overlay", FileWithPrimary("iovl", overlay), true, 256, 192},
        {"coded picture", FileWithPrimary("hvc1", grid16), false, 0, 0},
        {"grid data cut short: a size not known", FileWithPrimary("grid", Bytes(grid16.begin(), grid16.begin() + 6)), true, 0, 0},
        {"file cut in its boxes", Bytes(file16.begin(), file16.end() - 20), false, 0, 0},
        {"no boxes", Bytes{1, 2, 3}, false, 0, 0},
    };
    for (const Case& c : cases) {
        const std::optional<HeifCanvas> canvas = PrimaryHeifCanvas(c.file);
        ASSERT_EQ(canvas.has_value(), c.found) << c.name;
        if (canvas) {
            EXPECT_EQ(canvas->width, c.width) << c.name;
            EXPECT_EQ(canvas->height, c.height) << c.name;
            EXPECT_EQ(canvas->known, c.width != 0) << c.name;
        }
    }
}

}  // namespace
}  // namespace lumora
