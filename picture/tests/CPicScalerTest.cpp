// Display scaling: averages where the picture shrinks, the covering pixel where it grows, and
// rules about sizes; the size dialog's ratio arithmetic and the rotate dialog's angle.
#include "picture/CPicScaler.h"
#include "picture/CPicSizeRule.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CPicScaler, ShrinkingAveragesTheCoveredPixels)
{
    // 4 × 2 grey picture, 1 byte per pixel: 0 100 0 100 / 200 100 200 100.
    const std::vector<unsigned char> src{0, 100, 0, 100, 200, 100, 200, 100};
    std::vector<unsigned char> dst(2, 0);
    ASSERT_TRUE(CPicScaler::Scale({src.data(), 4, 1, 0, 0, 4, 2}, {dst.data(), 2, 2, 1}));
    EXPECT_EQ(dst[0], 100);
    EXPECT_EQ(dst[1], 100);
}

TEST(CPicScaler, GrowingRepeatsPixelsAndKeepsChannels)
{
    const std::vector<unsigned char> src{10, 20, 30, 40, 50, 60};  // 2 × 1, 3 bytes per pixel
    std::vector<unsigned char> dst(4 * 2 * 3, 0);
    ASSERT_TRUE(CPicScaler::Scale({src.data(), 6, 3, 0, 0, 2, 1}, {dst.data(), 12, 4, 2}));
    const std::vector<unsigned char> row{10, 20, 30, 10, 20, 30, 40, 50, 60, 40, 50, 60};
    EXPECT_EQ(std::vector<unsigned char>(dst.begin(), dst.begin() + 12), row);
    EXPECT_EQ(std::vector<unsigned char>(dst.begin() + 12, dst.end()), row);
}

TEST(CPicScaler, ShowsOnlyThePartAsked)
{
    std::vector<unsigned char> src(10 * 10);
    for (int i = 0; i < 100; ++i)
        src[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
    std::vector<unsigned char> dst(4);
    ASSERT_TRUE(CPicScaler::Scale({src.data(), 10, 1, 3, 5, 2, 2}, {dst.data(), 2, 2, 2}));
    EXPECT_EQ(dst, (std::vector<unsigned char>{53, 54, 63, 64}));
    EXPECT_FALSE(CPicScaler::Scale({src.data(), 10, 1, 0, 0, 0, 2}, {dst.data(), 2, 2, 2}));
}

TEST(CPicSizeRule, KeepsTheRatioAndTheLargestWidth)
{
    const CPicSizeRule rule(400, 200, 1000);
    EXPECT_EQ(rule.HeightForWidth(300), 150);
    EXPECT_EQ(rule.WidthForHeight(50), 100);
    EXPECT_TRUE(rule.StartsChecked(400, 200));
    EXPECT_FALSE(rule.StartsChecked(400, 300));
    EXPECT_EQ(rule.ClampWidth(1500), 1000);
    EXPECT_EQ(rule.ClampWidth(999), 999);
    const CPicSizeRule odd(3, 7, 0);
    EXPECT_EQ(odd.HeightForWidth(100), 233);
    EXPECT_EQ(odd.ClampWidth(100000), 100000);
}

TEST(RotationRequestAngle, ClockwiseIsCountedBackFrom360)
{
    EXPECT_EQ(RotationRequestAngle(true, 0), 0);
    EXPECT_EQ(RotationRequestAngle(true, 30), 330);
    EXPECT_EQ(RotationRequestAngle(false, 30), 30);
    // Quarter turns go the way chosen: 90 is the clockwise quarter turn request.
    EXPECT_EQ(RotationRequestAngle(true, 90), 90);
    EXPECT_EQ(RotationRequestAngle(false, 90), 270);
    EXPECT_EQ(RotationRequestAngle(true, 270), 270);
    EXPECT_EQ(RotationRequestAngle(false, 270), 90);
    EXPECT_EQ(RotationRequestAngle(false, 0), 0);
    EXPECT_EQ(RotationRequestAngle(false, 359), 359);
}
