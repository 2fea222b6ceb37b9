// The table-driven scalers against the formulas evaluated pixel by pixel, on odd sizes and on
// values far outside 0-255 (the layers hold 32-bit values), so that faster loops stay bit-exact.
#include "rastkit/CCubicSum.h"
#include "rastkit/CResampler.h"
#include "rastkit/CRotator.h"
#include "rastkit/tests/RastkitTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

using rastkit_test::All;

std::int32_t BilinearAt(const CLayerValues& s, int W, int H, int w, int h, int x, int y, int c)
{
    const std::int64_t px = std::int64_t(x) * W * 256 / w, py = std::int64_t(y) * H * 256 / h;
    const int ix = int(px >> 8), fx = int(px & 255), iy = int(py >> 8), fy = int(py & 255);
    auto row = [&](int r) -> std::int64_t {
        const std::int64_t a = s.At(ix, r, c);
        if (fx == 0)
            return a;
        const std::int64_t b = s.At(std::min(ix + 1, W - 1), r, c);
        return std::int32_t(std::uint32_t(((a * (256 - fx)) >> 8) + ((b * fx) >> 8)));
    };
    const std::int64_t top = row(iy);
    if (fy == 0)
        return std::int32_t(top);
    const std::int64_t bottom = row(std::min(iy + 1, H - 1));
    return std::int32_t(std::uint32_t(((top * (256 - fy)) >> 8) + ((bottom * fy) >> 8)));
}

std::int32_t BicubicAt(const CLayerValues& s, int W, int H, int w, int h, int x, int y, int c)
{
    const std::int64_t px = 256 + std::int64_t(x) * (W - 3) * 256 / w, py = 256 + std::int64_t(y) * (H - 3) * 256 / h;
    std::int64_t sum = 0;
    for (int a = -1; a <= 2; ++a)
        for (int b = -1; b <= 2; ++b) {
            const int rw = CResampler::CubicWeight(std::abs(a * 256 - int(py % 256)));
            const int cw = CResampler::CubicWeight(std::abs(b * 256 - int(px % 256)));
            sum += std::int64_t(rw * cw / 256) * s.At(int(px / 256) + b, int(py / 256) + a, c);
        }
    return std::int32_t(std::clamp<std::int64_t>(sum / 256, 0, 255));
}

std::int32_t AverageAt(const CLayerValues& s, int W, int H, int w, int h, int x, int y, int c)
{
    const std::int64_t lx = std::lcm(W, w), ly = std::lcm(H, h);
    std::int64_t sum = 0;
    for (int j = 0; j < H; ++j)
        for (int i = 0; i < W; ++i) {
            const std::int64_t ox = std::max<std::int64_t>(0, std::min((i + 1) * lx / W, (x + 1) * lx / w) - std::max(i * lx / W, x * lx / w));
            const std::int64_t oy = std::max<std::int64_t>(0, std::min((j + 1) * ly / H, (y + 1) * ly / h) - std::max(j * ly / H, y * ly / h));
            sum += ox * oy * s.At(i, j, c);
        }
    return std::int32_t(sum / ((lx / w) * (ly / h)));
}

double Kernel(double d)
{
    return d <= 1 ? (d - 2) * d * d + 1 : d <= 2 ? ((-d + 5) * d - 8) * d + 4 : 0;
}

std::int32_t RotatedAt(const CLayerValues& s, int W, int H, int w, int h, int x, int y, int c, int deg)
{
    const double t = ((deg % 360) + 360) % 360;
    const double sn = std::sin((t / 180) * 3.141592653589793), cs = std::cos((t * 3.141592653589793) / 180);
    const double u = x - w / 2, v = y - h / 2;
    const double sx = u * cs - v * sn + W / 2, sy = u * sn + v * cs + H / 2;
    if (!(sx > -1 && sx < W && sy > -1 && sy < H))
        return 0;
    const int i = int(sx), j = int(sy);
    if (i < 1 || i + 2 >= W || j < 1 || j + 2 >= H)
        return 0;
    const double fx = sx - i, fy = sy - j;
    double sum = 0;
    for (int a = 0; a < 4; ++a) {
        double across = 0;
        for (int b = 0; b < 4; ++b)
            across += Kernel(std::abs(b - 1 - fx)) * s.At(i - 1 + b, j - 1 + a, c);
        sum += Kernel(std::abs(a - 1 - fy)) * across;
    }
    return std::int32_t(std::clamp(sum + 0.5, 0.0, 255.0));
}

class ResampleExact : public testing::TestWithParam<int> {
protected:
    CVMemList store{1 << 22};
    CLayerValues src{store};
    CLayerValues dst{store};

    void Source(int W, int H, int cs, bool wide)
    {
        src.Resize(W, H, cs);
        std::uint32_t s = 99u + unsigned(GetParam());
        for (std::size_t i = 0; i < src.Count(); ++i) {
            s = s * 1664525u + 1013904223u;
            src.Data()[i] = wide ? std::int32_t(s) >> 4 : std::int32_t(s >> 24);
        }
    }

    template <class Ref>
    void Expect(Ref ref)
    {
        for (int y = 0; y < dst.Height(); ++y)
            for (int x = 0; x < dst.Width(); ++x)
                for (int c = 0; c < dst.Colors(); ++c)
                    ASSERT_EQ(dst.At(x, y, c), ref(x, y, c)) << x << "," << y << "," << c;
    }
};

TEST_P(ResampleExact, ScalersMatchTheFormulas)
{
    const int n = GetParam();
    const int W = 5 + n * 7 % 23, H = 4 + n * 5 % 17, w = 3 + n * 11 % 29, h = 2 + n * 3 % 19, cs = 1 + n % 4;
    for (const bool wide : {false, true}) {
        Source(W, H, cs, wide);
        dst.Resize(w, h, cs);
        CResampler::Bilinear(src, dst);
        Expect([&](int x, int y, int c) { return BilinearAt(src, W, H, w, h, x, y, c); });
        ASSERT_TRUE(CResampler::Bicubic(src, dst));
        Expect([&](int x, int y, int c) { return BicubicAt(src, W, H, w, h, x, y, c); });
        const int aw = std::min(w, W), ah = std::min(h, H);
        dst.Resize(aw, ah, cs);
        ASSERT_TRUE(CResampler::PixelAverage(src, dst));
        Expect([&](int x, int y, int c) { return AverageAt(src, W, H, aw, ah, x, y, c); });
        const auto box = CRotator::RotatedSize(W, H, n * 37);
        dst.Resize(box.width + 1, box.height, cs);
        CRotator::Rotate(src, dst, n * 37);
        Expect([&](int x, int y, int c) { return RotatedAt(src, W, H, box.width + 1, box.height, x, y, c, n * 37); });
    }
}

// Whole-number size ratios (every tap counts once), ratios with uneven overlaps, and pictures where
// only some rows hold values beyond 16 bits, so that rows summed down in 32 bits and rows summed in
// 64 bits meet in one result; also the quarter turns against their formulas.
TEST_P(ResampleExact, AreaAverageOnWholeRatiosAndMixedRowsAndQuarterTurns)
{
    const int n = GetParam();
    const int cs = 1 + n % 4;
    const struct {
        int W, H, w, h;
    } sizes[] = {{12 + n, 8, 4, 2}, {40, 30, 10, 10}, {37, 23, 5, 7}, {30, 9, 20, 9}};
    for (const auto& z : sizes) {
        for (const int wideRow : {-1, n % z.H, z.H - 1}) {
            Source(z.W, z.H, cs, false);
            if (wideRow >= 0)
                src.At(z.W - 1 - n % z.W, wideRow, cs - 1) = 40000 + n;
            dst.Resize(z.w, z.h, cs);
            ASSERT_TRUE(CResampler::PixelAverage(src, dst));
            Expect([&](int x, int y, int c) { return AverageAt(src, z.W, z.H, z.w, z.h, x, y, c); });
        }
    }
    Source(5 + n, 3 + 2 * n, cs, n % 2 == 1);
    const int W = src.Width(), H = src.Height();
    dst.Resize(H, W, cs);
    ASSERT_TRUE(CRotator::Rotate90(src, dst));
    Expect([&](int x, int y, int c) { return src.At(y, H - 1 - x, c); });
    ASSERT_TRUE(CRotator::Rotate270(src, dst));
    Expect([&](int x, int y, int c) { return src.At(W - 1 - y, x, c); });
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResampleExact, testing::Range(0, 12));

#if defined(__SSE2__)
// The single-precision sum either rounds as the double sum does or declines, also for sums a
// hair's breadth from a rounding boundary and beyond the clamps.
TEST(RotationOnBytes, SinglePrecisionRoundsLikeDoubleOrDeclines)
{
    for (const std::size_t cs : {std::size_t(3), std::size_t(4)}) {
        std::vector<std::int32_t> taps(4 * 4 * cs + 1, 0);
        const std::int32_t* rows[4];
        for (int a = 0; a < 4; ++a)
            rows[a] = taps.data() + std::size_t(a) * 4 * cs;
        // Column weights (0, x, 0, 0), row weights (0, 1, 0, 0).
        auto weights = [](double x) {
            CCubicSum::SWeights w;
            w.tap[0] = _mm_setzero_pd();
            w.tap[1] = _mm_set_pd(1.0, x);
            w.tap[2] = w.tap[3] = _mm_setzero_pd();
            return w;
        };
        CCubicSum::SWeights w;
        int declined = 0;
        for (const double target : {0.5, 1.5, 254.5, 7.5, 255.2, -0.7})
            for (const double off : {0.0, 1e-15, -1e-15, 1e-12, -1e-9, 1e-7, -1e-6, 3e-4, -5e-4, 2e-3, -0.01}) {
                // One tap of 255 (or 1) carries the whole sum: its weight sets it.
                const int p = std::abs(target) > 2 ? 255 : 1;
                taps[1 * 4 * cs + 1 * cs + 0] = p;
                taps[1 * 4 * cs + 1 * cs + cs - 1] = 0;
                w = weights((target + off) / p);
                std::int32_t exact[4] = {-1, -1, -1, -1}, single[4] = {-1, -1, -1, -1};
                CCubicSum::Double(rows, cs, w, exact);
                if (CCubicSum::Single(rows, cs, w, single)) {
                    for (std::size_t c = 0; c < cs; ++c)
                        EXPECT_EQ(single[c], exact[c]) << target << " + " << off;
                } else {
                    ++declined;
                    EXPECT_LT(std::abs(off), 2e-3) << "declined far from a boundary";
                }
            }
        EXPECT_GT(declined, 0);
        // Real weights on random bytes: the shortcut is taken nearly always and agrees.
        std::uint32_t s = 3;
        int taken = 0;
        for (int n = 0; n < 20000; ++n) {
            for (auto& t : taps)
                t = std::int32_t((s = s * 1664525u + 1013904223u) >> 24);
            w = CCubicSum::WeightsOf((s >> 8) % 4096 / 4096.0, (s >> 3) % 1000 / 1000.0);
            std::int32_t exact[4], single[4];
            CCubicSum::Double(rows, cs, w, exact);
            if (CCubicSum::Single(rows, cs, w, single)) {
                ++taken;
                for (std::size_t c = 0; c < cs; ++c)
                    ASSERT_EQ(single[c], exact[c]);
            }
        }
        EXPECT_GT(taken, 19500);
    }
}
#endif

// Rotation sums byte pictures in single precision and falls back to the double sum where the
// rounding is in doubt: every pixel must still be the double formula's. Two-level pictures put
// many sums next to a rounding boundary; the last taps reach the end of the buffer.
TEST(RotationOnBytes, EveryPixelIsTheDoubleFormulas)
{
    CVMemList store{1 << 22};
    CLayerValues src{store}, dst{store};
    std::uint32_t s = 7;
    for (const int cs : {3, 4}) {
        for (const int levels : {256, 2, 3}) {
            const int W = 29 + cs, H = 21 + levels % 5;
            src.Resize(W, H, cs);
            for (std::size_t i = 0; i < src.Count(); ++i) {
                s = s * 1664525u + 1013904223u;
                src.Data()[i] = std::int32_t((s >> 16) % unsigned(levels)) * (levels == 2 ? 1 : 255 / (levels - 1));
            }
            for (const int deg : {0, 7, 33, 90, 135, 200, 271, 359, -7}) {
                const auto box = CRotator::RotatedSize(W, H, deg);
                dst.Resize(box.width, box.height, cs);
                CRotator::Rotate(src, dst, deg);
                for (int y = 0; y < dst.Height(); ++y)
                    for (int x = 0; x < dst.Width(); ++x)
                        for (int c = 0; c < cs; ++c)
                            ASSERT_EQ(dst.At(x, y, c), RotatedAt(src, W, H, box.width, box.height, x, y, c, deg))
                                << x << "," << y << "," << c << " at " << deg << " degrees";
            }
        }
    }
}

} // namespace
