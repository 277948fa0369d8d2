#include <gtest/gtest.h>

#include <algorithm>

#include "core/layout/book_geometry.h"
#include "core/layout/layout_table.h"
#include "core/layout/preview_fit.h"

namespace lumora {
namespace {

TEST(BookOrigin, CentresTheBookButNeverLeavesTheClientArea)
{
    EXPECT_EQ(BookOrigin({580, 392}), (Point{0, 0}));
    EXPECT_EQ(BookOrigin({800, 600}), (Point{110, 104}));
    EXPECT_EQ(BookOrigin({801, 393}), (Point{110, 0}));
    EXPECT_EQ(BookOrigin({300, 200}), (Point{0, 0}));
    EXPECT_EQ(BookOrigin({579, 1000}), (Point{0, 304}));
    EXPECT_EQ(PageAreaOrigin({110, 104}), (Point{136, 122}));
}

TEST(SlotBox, EveryUsedSlotLiesOnItsPage)
{
    // Left-hand pages span x 0..257 of the page area, right-hand ones 271..528.
    for (int index = 0; index < kLayoutCount; ++index) {
        const PageLayout& layout = LayoutAt(index);
        for (int slot = 0; slot < layout.slotCount; ++slot) {
            const Rect left = SlotBox(layout, 1, slot);
            const Rect right = SlotBox(layout, 0, slot);
            EXPECT_GE(left.left, 0) << index << "/" << slot;
            EXPECT_LE(left.right, 257) << index << "/" << slot;
            EXPECT_GE(right.left, 271) << index << "/" << slot;
            EXPECT_LE(right.right, 528) << index << "/" << slot;
            EXPECT_LE(std::max(left.bottom, right.bottom), 356) << index << "/" << slot;
        }
    }
}

TEST(LayoutsShareBoxSize, OnlyTheThreeSlotLayoutsKeepPreviews)
{
    EXPECT_TRUE(LayoutsShareBoxSize(2, 5));
    EXPECT_TRUE(LayoutsShareBoxSize(6, 2));
    EXPECT_TRUE(LayoutsShareBoxSize(1, 1));
    EXPECT_FALSE(LayoutsShareBoxSize(0, 1));
    EXPECT_FALSE(LayoutsShareBoxSize(3, 4));
}

TEST(FitPreviewSize, ScalesToTouchTheBoxKeepingProportions)
{
    struct Case {
        Size box, image, preview;
    };
    const Case cases[] = {
        {{185, 297}, {200, 100}, {185, 92}},     // 92.5 truncated
        {{185, 297}, {100, 400}, {74, 297}},
        {{185, 140}, {1000, 1000}, {140, 140}},
        {{185, 140}, {10, 5}, {185, 92}},        // small pictures grow
        {{124, 93}, {124, 93}, {124, 93}},
        {{68, 51}, {60000, 40000}, {68, 45}},
        {{185, 297}, {1, 60000}, {1, 297}},      // never thinner than a pixel
        {{185, 297}, {60000, 1}, {185, 1}},
        {{185, 297}, {0, 100}, {0, 0}},
        {{185, 297}, {100, -4}, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitPreviewSize(c.box, c.image), c.preview)
            << c.image.width << "x" << c.image.height << " in " << c.box.width << "x" << c.box.height;
    }
}

}  // namespace
}  // namespace lumora
