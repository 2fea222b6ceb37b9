// The large operations split across threads: the bands cover every row once, and every result is
// the one a single thread gives, for each operation and for the exports above a megapixel.
#include "rastkit/CByteValues.h"
#include "rastkit/CColorSpace.h"
#include "rastkit/CParallel.h"
#include "rastkit/CResampler.h"
#include "rastkit/CRotator.h"
#include "rastkit/tests/RastkitTestUtil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>

using namespace rastkit_test;

namespace {

TEST(Parallel, BandsCoverEveryRowOnceAndPassOnAFailure)
{
    {
        const CParallel::CScopedThreads threads(3, 0);
        std::vector<std::atomic<int>> seen(1000);
        CParallel::ForBands(1000, 1000, [&](int begin, int end) {
            for (int r = begin; r < end; ++r)
                seen[r].fetch_add(1);
        });
        for (const auto& s : seen)
            EXPECT_EQ(s.load(), 1);
        EXPECT_EQ(CParallel::Bands(1000, 1000), 12);
        EXPECT_EQ(CParallel::Bands(5, 1000), 5);
        EXPECT_THROW(CParallel::ForBands(100, 100, [](int begin, int) {
                         if (begin > 0)
                             throw std::runtime_error("band");
                     }),
                     std::runtime_error);
    }
    // Up to a megapixel, or on one thread, nothing is split.
    const CParallel::CScopedThreads two(2);
    EXPECT_EQ(CParallel::Bands(1000, CParallel::kMinPixels), 1);
    EXPECT_GT(CParallel::Bands(1000, CParallel::kMinPixels + 1), 1);
    const CParallel::CScopedThreads one(1);
    EXPECT_EQ(CParallel::Bands(1000, 100 * CParallel::kMinPixels), 1);
    CParallel::SetThreads(0);
    EXPECT_GE(CParallel::Threads(), 1);   // one per core
}

TEST(ByteValues, WidenAndNarrowKeepTheLowBitsAtEveryLength)
{
    for (std::size_t n = 0; n < 40; ++n) {
        const auto bytes = Pattern(n, unsigned(n));
        std::vector<std::int32_t> values(n + 2, -7);
        for (const bool stream : {false, true}) {
            // Streaming from an unaligned start too.
            std::int32_t* to = values.data() + (stream ? 1 : 0);
            CByteValues::Widen(bytes.data(), to, n, stream);
            for (std::size_t k = 0; k < n; ++k)
                ASSERT_EQ(to[k], bytes[k]);
            EXPECT_EQ(to[n], -7);   // nothing written past the end
        }
        for (std::size_t k = 0; k < n; ++k)
            values[k] = std::int32_t(k * 37) - 300 + (k % 3 == 0 ? 1 << 20 : 0);
        std::vector<std::uint8_t> back(n + 1, 9);
        CByteValues::Narrow(values.data(), back.data(), n);
        for (std::size_t k = 0; k < n; ++k)
            ASSERT_EQ(back[k], std::uint8_t(values[k] & 0xFF)) << k;
        EXPECT_EQ(back[n], 9);
    }
}

// Each operation once on one thread and once in bands of a few rows on several.
class SameOnAnyThreads : public testing::TestWithParam<int> {
protected:
    CVMemList store{1 << 24};

    void Source(CLayerValues& v, int W, int H, int cs, bool wide, unsigned seed)
    {
        v.Resize(W, H, cs);
        std::uint32_t s = seed;
        for (std::size_t i = 0; i < v.Count(); ++i) {
            s = s * 1664525u + 1013904223u;
            v.Data()[i] = wide ? std::int32_t(s) >> 6 : std::int32_t(s >> 24);
        }
    }

    std::vector<std::int32_t> Run(int threads, const CLayerValues& src, int w, int h,
                                  const std::function<void(const CLayerValues&, CLayerValues&)>& op)
    {
        const CParallel::CScopedThreads scope(threads, 0);
        CLayerValues dst(store);
        dst.Resize(w, h, src.Colors());
        op(src, dst);
        return All(dst);
    }
};

TEST_P(SameOnAnyThreads, ResamplingAndRotation)
{
    const int n = GetParam();
    for (const int cs : {1, 3, 4}) {
        for (const bool wide : {false, true}) {
            CLayerValues src(store);
            Source(src, 37, 29, cs, wide, unsigned(cs * 10 + wide));
            const auto box = CRotator::RotatedSize(37, 29, 23);
            const struct {
                int w, h;
                std::function<void(const CLayerValues&, CLayerValues&)> op;
            } cases[] = {
                {61, 45, [](const CLayerValues& s, CLayerValues& d) { CResampler::Nearest(s, d); }},
                {61, 45, [](const CLayerValues& s, CLayerValues& d) { CResampler::Bilinear(s, d); }},
                {20, 13, [](const CLayerValues& s, CLayerValues& d) { CResampler::Bilinear(s, d); }},
                {61, 45, [](const CLayerValues& s, CLayerValues& d) { CResampler::Bicubic(s, d); }},
                {11, 17, [](const CLayerValues& s, CLayerValues& d) { CResampler::PixelAverage(s, d); }},
                {box.width, box.height, [](const CLayerValues& s, CLayerValues& d) { CRotator::Rotate(s, d, 23); }},
                {29, 37, [](const CLayerValues& s, CLayerValues& d) { CRotator::Rotate90(s, d); }},
                {29, 37, [](const CLayerValues& s, CLayerValues& d) { CRotator::Rotate270(s, d); }},
            };
            int k = 0;
            for (const auto& c : cases)
                EXPECT_EQ(Run(1, src, c.w, c.h, c.op), Run(n, src, c.w, c.h, c.op)) << "case " << k++ << " cs " << cs;
        }
    }
}

TEST_P(SameOnAnyThreads, ColourConversionCarriesTheHueAcrossBands)
{
    // Long grey and black runs, so that whole bands start without a hue of their own.
    std::vector<std::int32_t> pixels;
    for (int i = 0; i < 900; ++i) {
        const bool coloured = i == 3 || i == 5 || i == 610 || (i > 800 && i % 7 == 0);
        const int grey = (i / 40) % 2 ? 90 : 0;
        pixels.insert(pixels.end(), {coloured ? 200 : grey, coloured ? i % 150 : grey, coloured ? 40 : grey, 17});
    }
    for (const auto& [from, to] : {std::pair{kColorRgb, kColorHsv}, std::pair{kColorYCbCr, kColorHsv},
                                   std::pair{kColorRgb, kColorYCbCr}, std::pair{kColorHsv, kColorYCbCr}}) {
        auto one = pixels, many = pixels;
        {
            const CParallel::CScopedThreads scope(1, 0);
            ASSERT_TRUE(CColorSpace::Convert(one.data(), 900, 4, from, to));
        }
        {
            const CParallel::CScopedThreads scope(GetParam(), 0);
            ASSERT_TRUE(CColorSpace::Convert(many.data(), 900, 4, from, to));
        }
        EXPECT_EQ(one, many) << from << " to " << to;
    }
}

INSTANTIATE_TEST_SUITE_P(Threads, SameOnAnyThreads, testing::Values(2, 3, 7));

// The worker's requests through the library on a picture above a megapixel, at the default
// threshold: one thread and two give the same bytes.
std::vector<std::vector<std::uint8_t>> ProgramRequests(int threads)
{
    const CParallel::CScopedThreads scope(threads);
    const int W = 1100, H = 1000;
    const auto bytes = Pattern(std::size_t(W) * H * 3, 5);
    std::vector<std::vector<std::uint8_t>> results;
    CrastkitApp app;
    auto request = [&](int w, int h, const std::function<int(int dst, int sel)>& fill) {
        const int sel = LoadPicture(app, 1, W, H, 3, bytes);
        const int dst = app.AllocateLayer(1, 0, 0, 0, h, w);
        EXPECT_EQ(fill(dst, sel), 0);
        app.DestroyLayer(sel);
        EXPECT_EQ(app.ResizeCompositeLayer(1, h, w), 0);
        results.push_back(Stored(app, 1));
        app.DestroyBasePicture(1);
    };
    request(700, 520, [&](int d, int s) { return app.CopyBicubic(1, d, s); });
    request(700, 520, [&](int d, int s) { return app.CopyByLinear(1, d, s); });
    request(1700, 1300, [&](int d, int s) { return app.CopyNearest(1, d, s); });
    request(550, 500, [&](int d, int s) { return app.CopyPixcelAverage(1, d, s); });
    request(H, W, [&](int d, int s) { return app.CopyRotate90(1, d, s); });
    const auto box = CRotator::RotatedSize(W, H, 7);
    request(box.width, box.height, [&](int d, int s) { return app.CopyRotate(1, d, s, 7); });
    // Sharpening goes through YCbCr; HSV and back is taken too.
    const int sel = LoadPicture(app, 1, W, H, 3, bytes);
    const std::int32_t sharpen[9] = {0, -1, 0, -1, 5, -1, 0, -1, 0};
    app.ChangeColor(sel, 1);
    app.FilterImage(sel, 0, 3, 3, sharpen);
    app.CompositeLayer(sel);
    results.push_back(Stored(app, 1));
    app.ChangeColor(sel, 2);
    app.ChangeColor(sel, 0);
    app.CompositeLayer(sel);
    results.push_back(Stored(app, 1));
    return results;
}

TEST(ParallelExports, AboveAMegapixelOneThreadAndTwoGiveTheSameBytes)
{
    const auto one = ProgramRequests(1);
    const auto two = ProgramRequests(2);
    ASSERT_EQ(one.size(), two.size());
    for (std::size_t k = 0; k < one.size(); ++k) {
        EXPECT_FALSE(one[k].empty());
        EXPECT_TRUE(one[k] == two[k]) << "request " << k;
    }
}

TEST(ParallelExports, RowsThatShareBytesAreWrittenInOrder)
{
    // A line stride shorter than a row: later rows overwrite the end of earlier ones.
    auto composite = [](int threads, int lineStride) {
        const CParallel::CScopedThreads scope(threads, 0);
        CrastkitApp app;
        app.CreateBasePicture(1);
        app.SetPixcelOffset(1, 0, 3, lineStride, 6, 5);
        for (int c = 0; c < 3; ++c)
            app.SetColorOffset(1, c, c);
        app.LoadPicImage(1, 90, Pattern(90, 1).data());
        const int layer = app.CreateLayer(1, 0, 0, 0, 6, 5);
        const int other = app.AllocateLayer(1, 0, 0, 0, 6, 5);
        app.CopyRotate(1, other, layer, 180);
        app.CompositeLayer(other);
        return Stored(app, 1);
    };
    for (const int stride : {7, 15, -15})
        EXPECT_EQ(composite(1, stride), composite(4, stride)) << stride;
}

} // namespace
