#include "rastkit/CResampler.h"
#include "rastkit/CRotator.h"
#include "rastkit/tests/RastkitTestUtil.h"

#include <gtest/gtest.h>

using namespace rastkit_test;

namespace {

class Resample : public testing::Test {
protected:
    CVMemList store{1 << 22};
    CLayerValues src{store};
    CLayerValues dst{store};
};

TEST_F(Resample, NearestRepeatsPixelsInBlocks)
{
    Fill(src, 2, 2, 1, {1, 2, 3, 4});
    dst.Resize(4, 4, 1);
    CResampler::Nearest(src, dst);
    EXPECT_EQ(All(dst), (std::vector<std::int32_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));
    // Downscaling picks by the same double formula, (int)(x / (w / W)).
    const auto bytes = Pattern(7 * 5 * 3, 5);
    src.Resize(7, 5, 3);
    std::copy(bytes.begin(), bytes.end(), src.Data());
    dst.Resize(3, 4, 3);
    CResampler::Nearest(src, dst);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(dst.At(x, y, c), src.At(int(x / (3.0 / 7.0)), int(y / (4.0 / 5.0)), c));
}

TEST_F(Resample, BilinearMixesWithEightBitFractions)
{
    Fill(src, 2, 1, 1, {0, 200});
    dst.Resize(4, 1, 1);
    CResampler::Bilinear(src, dst);
    EXPECT_EQ(All(dst), (std::vector<std::int32_t>{0, 100, 200, 200}));
    // Rows mix the same way; each product is shifted on its own (floor for negatives).
    Fill(src, 1, 2, 1, {-1, 3});
    dst.Resize(1, 4, 1);
    CResampler::Bilinear(src, dst);
    EXPECT_EQ(All(dst), (std::vector<std::int32_t>{-1, (-128 >> 8) + (384 >> 8), 3, (384 >> 8) * 2}));
}

TEST_F(Resample, BicubicWeightsAndFlatPictures)
{
    EXPECT_EQ(CResampler::CubicWeight(0), 256);
    EXPECT_EQ(CResampler::CubicWeight(256), 0);
    EXPECT_EQ(CResampler::CubicWeight(512), 0);
    EXPECT_EQ(CResampler::CubicWeight(128), 160);
    EXPECT_EQ(CResampler::CubicWeight(384), -32);
    Fill(src, 8, 6, 3, std::vector<std::int32_t>(8 * 6 * 3, 77));
    for (auto [w, h] : {std::pair{13, 5}, std::pair{3, 3}, std::pair{20, 17}}) {
        dst.Resize(w, h, 3);
        ASSERT_TRUE(CResampler::Bicubic(src, dst));
        for (auto v : All(dst))
            EXPECT_NEAR(v, 77, 1);   // combined weights add up to 256 up to truncation
    }
    // Values are clamped to 0-255 after summing.
    Fill(src, 4, 4, 1, {0, 0, 0, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 0, 0, 0});
    dst.Resize(9, 9, 1);
    ASSERT_TRUE(CResampler::Bicubic(src, dst));
    for (auto v : All(dst)) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 255);
    }
    Fill(src, 3, 8, 1, {});
    EXPECT_FALSE(CResampler::Bicubic(src, dst));
}

TEST_F(Resample, AreaAverageCountsUnitsOfOverlap)
{
    std::vector<std::int32_t> stripes;
    for (int i = 0; i < 16; ++i)
        stripes.push_back(i % 2 ? 100 : 0);
    Fill(src, 4, 4, 1, stripes);
    dst.Resize(2, 2, 1);
    ASSERT_TRUE(CResampler::PixelAverage(src, dst));
    EXPECT_EQ(All(dst), (std::vector<std::int32_t>{50, 50, 50, 50}));
    Fill(src, 3, 1, 1, {30, 60, 90});
    dst.Resize(2, 1, 1);
    ASSERT_TRUE(CResampler::PixelAverage(src, dst));
    EXPECT_EQ(All(dst), (std::vector<std::int32_t>{(30 * 2 + 60) / 3, (60 + 90 * 2) / 3}));
    dst.Resize(4, 1, 1);
    EXPECT_FALSE(CResampler::PixelAverage(src, dst));
}

TEST_F(Resample, QuarterTurns)
{
    Fill(src, 3, 2, 1, {1, 2, 3, 4, 5, 6});
    dst.Resize(2, 3, 1);
    ASSERT_TRUE(CRotator::Rotate90(src, dst));
    EXPECT_EQ(All(dst), (std::vector<std::int32_t>{4, 1, 5, 2, 6, 3}));
    ASSERT_TRUE(CRotator::Rotate270(src, dst));
    EXPECT_EQ(All(dst), (std::vector<std::int32_t>{3, 6, 2, 5, 1, 4}));
    dst.Resize(3, 3, 1);
    EXPECT_FALSE(CRotator::Rotate90(src, dst));
    EXPECT_FALSE(CRotator::Rotate270(src, dst));
}

TEST_F(Resample, RotationByZeroLeavesAFrame)
{
    const auto bytes = Pattern(9 * 7 * 2, 6);
    src.Resize(9, 7, 2);
    std::copy(bytes.begin(), bytes.end(), src.Data());
    dst.Resize(9, 7, 2);
    CRotator::Rotate(src, dst, 360);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
            const bool inner = x >= 1 && x <= 9 - 3 && y >= 1 && y <= 7 - 3;
            for (int c = 0; c < 2; ++c)
                EXPECT_EQ(dst.At(x, y, c), inner ? src.At(x, y, c) : 0) << x << "," << y;
        }
    }
    // A source too small for the taps gives only zeros.
    Fill(src, 3, 3, 1, std::vector<std::int32_t>(9, 50));
    dst.Resize(5, 5, 1);
    CRotator::Rotate(src, dst, -45);
    EXPECT_EQ(All(dst), std::vector<std::int32_t>(25, 0));
}

TEST(RotatedSize, BoxOfTheTurnedCorners)
{
    auto size = CRotator::RotatedSize(400, 200, 90);
    EXPECT_EQ(size.width, 200);
    EXPECT_EQ(size.height, 400);
    size = CRotator::RotatedSize(400, 200, 45);
    EXPECT_EQ(size.width, 424);
    EXPECT_EQ(size.height, 424);
    size = CRotator::RotatedSize(401, 201, -360);
    EXPECT_EQ(size.width, 401);
    EXPECT_EQ(size.height, 201);
}

class ResampleExports : public testing::Test {
protected:
    CrastkitApp app;
};

TEST_F(ResampleExports, QuarterTurnsThereAndBackAndTheAngle)
{
    const auto bytes = Pattern(5 * 3 * 3, 7);
    const int a = LoadPicture(app, 2, 5, 3, 3, bytes);
    const int b = app.AllocateLayer(2, 0, 0, 0, 5, 3);
    const int c = app.AllocateLayer(2, 0, 0, 0, 3, 5);
    EXPECT_EQ(app.CopyRotate90(2, c, a), -1);   // wrong size
    EXPECT_EQ(app.CopyRotate90(2, b, a), 0);
    EXPECT_EQ(app.GetSelectLayer(2), b);
    EXPECT_EQ(app.GetRotateSize(2, b, 0), (std::int64_t(5) << 32) | 3);
    EXPECT_EQ(app.CopyRotate270(2, c, b), 0);
    EXPECT_EQ(app.GetRotateSize(2, c, 0), (std::int64_t(3) << 32) | 5);
    std::vector<std::uint8_t> blank(bytes.size(), 0);
    app.LoadPicImage(2, int(blank.size()), blank.data());
    EXPECT_EQ(app.CompositeLayer(c), 0);
    EXPECT_EQ(Stored(app, 2), bytes);
    EXPECT_EQ(app.GetRotateSize(2, 2, 0), 0);            // the picture itself is not a layer
    EXPECT_EQ(app.CopyRotate(2, c, 0x900002, 10), -1);
}

TEST_F(ResampleExports, RotateSizeAddsToTheKeptAngle)
{
    LoadPicture(app, 1, 400, 200, 1, std::vector<std::uint8_t>(400 * 200, 3));
    EXPECT_EQ(app.GetRotateSize(1, 0x100001, 90), (std::int64_t(400) << 32) | 200);
    EXPECT_EQ(app.GetRotateSize(1, 0x100001, 45), (std::int64_t(424) << 32) | 424);
    const int turned = app.AllocateLayer(1, 0, 0, 0, 200, 400);
    EXPECT_EQ(app.CopyRotate(1, turned, 0x100001, -315), 0);   // the angle is kept as 45
    EXPECT_EQ(app.GetRotateSize(1, turned, 0), (std::int64_t(424) << 32) | 424);
    EXPECT_EQ(app.GetRotateSize(1, turned, -45), (std::int64_t(200) << 32) | 400);
}

TEST_F(ResampleExports, MethodsThroughTheLibrary)
{
    const auto bytes = Pattern(6 * 6 * 3, 8);
    const int a = LoadPicture(app, 1, 6, 6, 3, bytes);
    const int big = app.AllocateLayer(1, 0, 0, 0, 9, 11);
    const int small = app.AllocateLayer(1, 0, 0, 0, 4, 5);
    EXPECT_EQ(app.CopyNearest(1, big, a), 0);
    EXPECT_EQ(app.CopyByLinear(1, big, a), 0);
    EXPECT_EQ(app.CopyBicubic(1, big, a), 0);
    EXPECT_EQ(app.CopyPixcelAverage(1, big, a), -1);
    EXPECT_EQ(app.CopyPixcelAverage(1, small, a), 0);
    EXPECT_EQ(app.GetSelectLayer(1), small);
    // One layer as source and destination works from a copy of its values.
    EXPECT_EQ(app.CopyNearest(1, a, a), 0);
    EXPECT_EQ(app.CompositeLayer(a), 0);
    EXPECT_EQ(Stored(app, 1), bytes);
    const int tiny = app.AllocateLayer(1, 0, 0, 0, 3, 3);
    EXPECT_EQ(app.CopyBicubic(1, big, tiny), -1);
    EXPECT_EQ(app.CopyRotate(1, big, tiny, 30), 0);
}

} // namespace
