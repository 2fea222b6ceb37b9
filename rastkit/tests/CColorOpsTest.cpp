#include "rastkit/CChannelOps.h"
#include "rastkit/CColorSpace.h"
#include "rastkit/tests/RastkitTestUtil.h"

#include <gtest/gtest.h>

using namespace rastkit_test;
using CColorSpace::STriple;

namespace {

void ExpectTriple(STriple t, int a, int b, int c, int tolerance = 0)
{
    EXPECT_NEAR(t.a, a, tolerance);
    EXPECT_NEAR(t.b, b, tolerance);
    EXPECT_NEAR(t.c, c, tolerance);
}

TEST(ColorSpace, YCbCrOfWhiteAndRoundTrips)
{
    ExpectTriple(CColorSpace::RgbToYCbCr({255, 255, 255}), 255, 128, 128, 1);
    ExpectTriple(CColorSpace::YCbCrToRgb(CColorSpace::RgbToYCbCr({255, 255, 255})), 255, 255, 255, 1);
    ExpectTriple(CColorSpace::YCbCrToRgb({300, 128, 128}), 255, 255, 255);   // clamped
    for (int r = 0; r < 256; r += 51)
        for (int g = 0; g < 256; g += 51)
            for (int b = 0; b < 256; b += 51)
                ExpectTriple(CColorSpace::YCbCrToRgb(CColorSpace::RgbToYCbCr({r, g, b})), r, g, b, 3);
}

TEST(ColorSpace, HsvInIntegersAndBack)
{
    ExpectTriple(CColorSpace::RgbToHsv({255, 0, 0}, 0), 0, 255, 255);
    ExpectTriple(CColorSpace::HsvToRgb({0, 255, 255}), 255, 0, 0);
    ExpectTriple(CColorSpace::RgbToHsv({0, 0, 255}, 0), 240, 255, 255);
    ExpectTriple(CColorSpace::RgbToHsv({255, 255, 0}, 0), 60, 255, 255);    // ties go to red
    ExpectTriple(CColorSpace::RgbToHsv({255, 0, 255}, 0), 300, 255, 255);   // -60 + 360
    ExpectTriple(CColorSpace::RgbToHsv({255, 128, 0}, 0), 0, 255, 255);     // whole sectors only
    ExpectTriple(CColorSpace::RgbToHsv({100, 100, 100}, 120), 120, 0, 100);  // grey keeps the hue
    ExpectTriple(CColorSpace::RgbToHsv({0, 0, 0}, 60), 60, 0, 0);
    ExpectTriple(CColorSpace::HsvToRgb({77, 0, 90}), 90, 90, 90);
    for (STriple rgb : {STriple{0, 255, 0}, STriple{0, 0, 255}, STriple{255, 255, 0}, STriple{0, 255, 255},
                        STriple{255, 0, 255}, STriple{40, 40, 40}}) {
        ExpectTriple(CColorSpace::HsvToRgb(CColorSpace::RgbToHsv(rgb, 0)), rgb.a, rgb.b, rgb.c, 1);
    }
    std::int32_t px[6] = {0, 0, 0, 255, 0, 0};
    EXPECT_TRUE(CColorSpace::Convert(px, 2, 3, kColorRgb, kColorHsv));
    EXPECT_FALSE(CColorSpace::Convert(px, 2, 1, kColorRgb, kColorHsv));
    EXPECT_FALSE(CColorSpace::Convert(px, 2, 3, kColorRgb, 5));
}

class ColorOps : public testing::Test {
protected:
    CrastkitApp app;
    int layer = 0;
    void Load(int w, int h, std::vector<std::uint8_t> bytes)
    {
        layer = LoadPicture(app, 1, w, h, 3, bytes);
        ASSERT_GT(layer, 0);
    }
    std::vector<std::uint8_t> Composited()
    {
        app.CompositeLayer(layer);
        return Stored(app, 1);
    }
};

TEST_F(ColorOps, ChangeColorSameOrUnknownKindChangesNothing)
{
    const auto bytes = Pattern(4 * 4 * 3, 9);
    Load(4, 4, bytes);
    EXPECT_EQ(app.ChangeColor(layer, 0), 0);
    EXPECT_EQ(app.ChangeColor(layer, 9), 0);
    EXPECT_EQ(Composited(), bytes);
    EXPECT_EQ(app.ChangeColor(layer, 2), 0);
    EXPECT_EQ(app.ChangeColor(layer, 1), 0);   // through RGB
    EXPECT_EQ(app.ChangeColor(0x900001, 1), 0);
    EXPECT_EQ(app.ChangeColor(0x900007, 1), -1);
}

TEST_F(ColorOps, SharpenFlatAreaAndUnwrittenFrame)
{
    Load(5, 4, std::vector<std::uint8_t>(5 * 4 * 3, 80));
    app.ChangeColor(layer, 1);
    const int sharpen[9] = {0, -1, 0, -1, 5, -1, 0, -1, 0};
    EXPECT_EQ(app.FilterImage(layer, 0, 3, 3, sharpen), 0);
    EXPECT_EQ(Composited(), std::vector<std::uint8_t>(5 * 4 * 3, 80));
    // A kernel summing to 0 blackens everything; only the inner part is written back over a
    // picture of 200s.
    const int zero[9] = {};
    EXPECT_EQ(app.FilterImage(layer, 0, 3, 3, zero), 0);
    app.ChangeColor(layer, 0);
    std::vector<std::uint8_t> grey(5 * 4 * 3, 200);
    app.LoadPicImage(1, int(grey.size()), grey.data());
    const auto back = Composited();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool inner = x >= 1 && x <= 3 && y >= 1 && y <= 2;
            EXPECT_EQ(back[(y * 5 + x) * 3 + 1], inner ? 0 : 200) << x << "," << y;
        }
}

TEST_F(ColorOps, FilterShiftsReadsAndStaysInside)
{
    CVMemList store(1 << 20);
    CLayerPict l(store, 0x100001, 1, nullptr);
    Fill(l.Values(), 4, 3, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const std::int32_t right[3] = {0, 0, 1};   // takes the right neighbour
    ASSERT_TRUE(CChannelOps::Filter(l, 0, 1, 3, right));
    EXPECT_EQ(All(l.Values()), (std::vector<std::int32_t>{1, 3, 4, 4, 5, 7, 8, 8, 9, 11, 12, 12}));
    EXPECT_EQ(l.margins.left, 1);
    EXPECT_EQ(l.margins.right, 1);
    // Even kernels: the first inner column would read one left of the layer; it is held at the edge.
    Fill(l.Values(), 4, 3, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const std::int32_t pair[4] = {1, 1, 1, 1};
    ASSERT_TRUE(CChannelOps::Filter(l, 0, 2, 2, pair));
    EXPECT_EQ(l.margins.top, 0);
    EXPECT_EQ(l.margins.bottom, 1);
    EXPECT_EQ(l.Values().At(0, 0, 0), 4);
    EXPECT_EQ(l.Values().At(1, 1, 0), 1 + 2 + 5 + 6);
    EXPECT_FALSE(CChannelOps::Filter(l, 0, 3, 3, nullptr));
    EXPECT_FALSE(CChannelOps::Filter(l, 1, 3, 3, right));
}

TEST_F(ColorOps, DivideLevelsAndShift)
{
    Load(2, 1, {250, 7, 100, 5, 200, 255});
    EXPECT_EQ(app.DivImage(layer, 1, 0), -1);
    EXPECT_EQ(app.ShiftColor(layer, 0, 10), 0);
    EXPECT_EQ(app.DivImage(layer, 1, 2), 0);
    EXPECT_EQ(app.HilightShadow(layer, 2, 200, 100, 255, 0), 0);
    EXPECT_EQ(app.HilightShadow(layer, 2, 200, 200, 255, 0), -1);
    EXPECT_EQ(app.HilightShadow(layer, 2, 200, 100, 9, 9), -1);
    const auto out = Composited();
    EXPECT_EQ(out[0], 5);
    EXPECT_EQ(out[3], 15);
    EXPECT_EQ(out[1], 3);
    EXPECT_EQ(out[4], 100);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[5], 255);
    EXPECT_EQ(app.ShiftColor(layer, 0, -10), 0);
    EXPECT_EQ(Composited()[0], 250);
    EXPECT_EQ(app.ShiftColor(layer, 0, 255 * 1000 + 1), 0);
    EXPECT_EQ(Composited()[0], 251);
}

TEST_F(ColorOps, Histograms)
{
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 256; ++i)
        bytes.insert(bytes.end(), {std::uint8_t(i), std::uint8_t(255 - i), 0});
    Load(16, 16, bytes);
    std::vector<int> bins(256, -1);
    EXPECT_EQ(app.GetColorProFile(layer, 0, 255, 0, 256, bins.data()), 0);
    EXPECT_EQ(bins, std::vector<int>(256, 1));
    std::vector<int> four(4, 9);
    EXPECT_EQ(app.GetColorProFile(layer, 0, 255, 0, 1, four.data()), -1);
    EXPECT_EQ(app.GetColorProFile(layer, 0, 2, 0, 4, four.data()), -1);
    EXPECT_EQ(four, std::vector<int>(4, 9));
    EXPECT_EQ(app.GetColorProFile(layer, 0, 255, 0, 4, nullptr), 0);
    // Joint: first channel 2 bins (width 128), second channel 2 bins; bin = s + 2 * t.
    EXPECT_EQ(app.GetColorsProFile(layer, 0, 256, 0, 1, 256, 0, 2, 2, four.data()), 0);
    EXPECT_EQ(four, (std::vector<int>{0, 128, 128, 0}));
    EXPECT_EQ(app.GetColorsProFile(layer, 0, 1, 0, 1, 256, 0, 2, 2, four.data()), -1);
}

TEST_F(ColorOps, CutKeepsInsideTheSource)
{
    const auto bytes = Pattern(6 * 5 * 3, 10);
    Load(6, 5, bytes);
    const int part = app.AllocateLayer(1, 0, 0, 0, 2, 3);
    EXPECT_EQ(app.CutImage(1, part, layer, 4, 0), -1);
    EXPECT_EQ(app.CutImage(1, part, layer, 0, -1), -1);
    EXPECT_EQ(app.CutImage(1, part, 0x900001, 0, 0), -1);
    EXPECT_EQ(app.CutImage(1, part, layer, 3, 3), 0);
    EXPECT_EQ(app.GetSelectLayer(1), part);
    std::vector<std::uint8_t> blank(bytes.size(), 0);
    app.LoadPicImage(1, int(blank.size()), blank.data());
    app.CompositeLayer(part);
    const auto out = Stored(app, 1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(out[(y * 6 + x) * 3 + c], bytes[((y + 3) * 6 + x + 3) * 3 + c]);
}

} // namespace
