// Colour conversion and plane doubling, checked against the formulas and a
// plain reference doubling.
#include <gtest/gtest.h>

#include <random>

#include "core/formats/pcd/pcd_layout.h"
#include "core/formats/pcd/pcd_plane.h"
#include "core/formats/pcd/ycc_rgb.h"
#include "pcd_reference.h"

namespace lumora::pcd {
namespace {

using test::pcd::ReferenceRgb;
using test::pcd::ReferenceUpsample;
using test::pcd::SamplePlane;

ColorTriple AsRgb(RgbSample s)
{
    return {s.red, s.green, s.blue};
}

TEST(YccToRgb, ZeroSamplesGiveTheGreenOffset)
{
    EXPECT_EQ(AsRgb(YccToRgb(0, 0, 0)), (ColorTriple{0, 194, 0}));
}

TEST(YccToRgb, NeutralFillIsMidGrey)
{
    EXPECT_EQ(AsRgb(YccToRgb(kNeutralLuma, kNeutralChroma1, kNeutralChroma2)), (ColorTriple{128, 128, 128}));
}

TEST(YccToRgb, FollowsTheFixedPointFormulasEverywhere)
{
    // Every third value of each component, plus both ends.
    for (int y = 0; y <= 255; y += (y == 255 ? 1 : 3))
        for (int c1 = 0; c1 <= 255; c1 += 5)
            for (int c2 = 0; c2 <= 255; c2 += 5) {
                const ColorTriple expected = ReferenceRgb(y, c1, c2);
                const ColorTriple got = AsRgb(YccToRgb(static_cast<uint8_t>(y), static_cast<uint8_t>(c1),
                                               static_cast<uint8_t>(c2)));
                ASSERT_EQ(got, expected) << y << ' ' << c1 << ' ' << c2;
            }
    // Highlights above reference white saturate; deep chroma clamps at 0.
    EXPECT_EQ(AsRgb(YccToRgb(255, 255, 255)), ReferenceRgb(255, 255, 255));
    EXPECT_EQ(YccToRgb(255, 156, 137).red, 255);
    EXPECT_EQ(YccToRgb(0, 255, 255).green, 0);
    EXPECT_EQ(YccToRgb(0, 255, 0).green, 84);  // 199313 - 441 x 255 = 86858
}

PcdPlane PlaneOf(uint32_t w, uint32_t h, uint8_t fill)
{
    PcdErrorLog errors;
    return AllocatePlane(w, h, w, h, fill, errors);
}

TEST(ConvertPlanesToRgb, ConvertsInPlaceIntoRedGreenBlue)
{
    PcdPlane y = PlaneOf(3, 2, 0), c1 = PlaneOf(3, 2, 0), c2 = PlaneOf(3, 2, 0);
    y.Row(1)[2] = 200, c1.Row(1)[2] = 30, c2.Row(1)[2] = 220;
    PcdErrorLog errors;
    ASSERT_TRUE(ConvertPlanesToRgb(y, c1, c2, errors));
    EXPECT_TRUE(errors.Codes().empty());
    const ColorTriple expected = ReferenceRgb(200, 30, 220);
    EXPECT_EQ((ColorTriple{y.Row(1)[2], c1.Row(1)[2], c2.Row(1)[2]}), expected);
    EXPECT_EQ((ColorTriple{y.Row(0)[0], c1.Row(0)[0], c2.Row(0)[0]}), (ColorTriple{0, 194, 0}));
}

TEST(ConvertPlanesToRgb, RefusesPlanesOfDifferentSizes)
{
    PcdPlane y = PlaneOf(4, 4, 7), c1 = PlaneOf(4, 4, 7), c2 = PlaneOf(4, 4, 7);
    c2.height = 2;
    PcdErrorLog errors;
    EXPECT_FALSE(ConvertPlanesToRgb(y, c1, c2, errors));
    EXPECT_EQ(errors.Codes(), std::vector<int>{kPcdErrConsistency});
    EXPECT_EQ(y.Row(3)[3], 7);  // untouched
    PcdPlane missing;
    EXPECT_FALSE(ConvertPlanesToRgb(y, c1, missing, errors));
}

// A plane with room for `doublings` doublings, holding `in` top-left.
PcdPlane PlaneHolding(const SamplePlane& in, unsigned doublings)
{
    PcdErrorLog errors;
    PcdPlane plane = AllocatePlane(in.width << doublings, in.height << doublings, in.width,
                                   in.height, 0xEE, errors);
    for (uint32_t y = 0; y < in.height; ++y)
        for (uint32_t x = 0; x < in.width; ++x)
            plane.Row(y)[x] = in.At(x, y);
    return plane;
}

void ExpectSamePlane(const PcdPlane& got, const SamplePlane& expected)
{
    ASSERT_EQ(got.width, expected.width);
    ASSERT_EQ(got.height, expected.height);
    for (uint32_t y = 0; y < expected.height; ++y)
        for (uint32_t x = 0; x < expected.width; ++x)
            ASSERT_EQ(got.Row(y)[x], expected.At(x, y)) << x << ',' << y;
}

SamplePlane RandomPlane(uint32_t w, uint32_t h, unsigned seed)
{
    std::mt19937 random(seed);
    SamplePlane p{w, h, std::vector<uint8_t>(size_t{w} * h)};
    for (auto& s : p.samples)
        s = static_cast<uint8_t>(random());
    return p;
}

TEST(UpsamplePlane, MatchesReferenceOnSmallPlanes)
{
    for (auto [w, h] : {std::pair{7u, 5u}, {1u, 1u}, {2u, 3u}, {16u, 2u}, {3u, 1u}}) {
        const SamplePlane in = RandomPlane(w, h, w * 31 + h);
        PcdPlane plane = PlaneHolding(in, 1);
        PcdErrorLog errors;
        ASSERT_TRUE(UpsamplePlane(plane, errors));
        ExpectSamePlane(plane, ReferenceUpsample(in));
        EXPECT_TRUE(errors.Codes().empty());
    }
}

TEST(UpsamplePlane, TwiceInPlaceMatchesReferenceTwice)
{
    const SamplePlane in = RandomPlane(9, 6, 5);
    PcdPlane plane = PlaneHolding(in, 2);
    PcdErrorLog errors;
    ASSERT_TRUE(UpsamplePlane(plane, errors));
    ASSERT_TRUE(UpsamplePlane(plane, errors));
    ExpectSamePlane(plane, ReferenceUpsample(ReferenceUpsample(in)));
}

TEST(UpsamplePlane, RefusesPlaneWithoutRoom)
{
    const SamplePlane in = RandomPlane(4, 4, 9);
    PcdPlane plane = PlaneHolding(in, 0);
    PcdErrorLog errors;
    EXPECT_FALSE(UpsamplePlane(plane, errors));
    EXPECT_EQ(errors.Codes(), std::vector<int>{kPcdErrConsistency});
    ExpectSamePlane(plane, in);
    PcdPlane missing;
    EXPECT_FALSE(UpsamplePlane(missing, errors));
}

TEST(AllocatePlane, FillsTheCurrentPartAndRefusesOneThatDoesNotFit)
{
    PcdErrorLog errors;
    const PcdPlane plane = AllocatePlane(6, 4, 3, 2, 94, errors);
    ASSERT_TRUE(plane);
    EXPECT_EQ(plane.stride, 6u);
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 3; ++x)
            ASSERT_EQ(plane.Row(y)[x], 94);
    EXPECT_TRUE(errors.Codes().empty());
    EXPECT_FALSE(AllocatePlane(6, 4, 7, 2, 94, errors));
    EXPECT_EQ(errors.Codes(), std::vector<int>{kPcdErrConsistency});
}

}  // namespace
}  // namespace lumora::pcd
