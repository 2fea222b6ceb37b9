// Resampling and rotation speed on camera-sized pictures, beside a plain copy of the same bytes
// (the memory-bandwidth limit) measured in the same run; the operations at 1 and 2 threads.
#include "rastkit/CParallel.h"
#include "rastkit/CResampler.h"
#include "rastkit/CRotator.h"
#include "rastkit/CTypeBasePict.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

CVMemList& Store()
{
    static CVMemList store(0x8000000);
    return store;
}

// One source picture per size, kept for the whole run.
const CLayerValues& Source(int width, int height)
{
    static std::unique_ptr<CLayerValues> big, mid;
    auto& slot = width == 4000 ? big : mid;
    if (!slot) {
        slot = std::make_unique<CLayerValues>(Store());
        slot->Resize(width, height, 3);
        std::uint32_t s = 12345;
        for (std::size_t i = 0; i < slot->Count(); ++i) {
            s = s * 1664525u + 1013904223u;
            // Smooth content with some noise, like a photograph.
            const std::size_t px = i / 3;
            const int x = int(px % std::size_t(width)), y = int(px / std::size_t(width));
            slot->Data()[i] = ((x / 8 + y / 8 + int(i % 3) * 40) & 255) ^ int((s >> 28) & 7);
        }
    }
    return *slot;
}

void SetRate(benchmark::State& state, const CLayerValues& src, const CLayerValues& dst)
{
    state.counters["src_MPix/s"] = benchmark::Counter(double(src.Width()) * src.Height() * 1e-6 * double(state.iterations()),
                                                      benchmark::Counter::kIsRate);
    state.counters["dst_MPix/s"] = benchmark::Counter(double(dst.Width()) * dst.Height() * 1e-6 * double(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}

template <class Op>
void RunResize(benchmark::State& state, int sw, int sh, int dw, int dh, Op op)
{
    const auto& src = Source(sw, sh);
    CLayerValues dst(Store());
    dst.Resize(dw, dh, 3);
    const CParallel::CScopedThreads threads(int(state.range(0)));
    for (auto _ : state) {
        op(src, dst);
        benchmark::DoNotOptimize(dst.Data());
        benchmark::ClobberMemory();
    }
    SetRate(state, src, dst);
}

void BM_CopyLayerBytes(benchmark::State& state)
{
    // 32-bit values: the bytes every layer operation has to touch at least once.
    const auto& src = Source(4000, 3000);
    CLayerValues dst(Store());
    dst.Resize(4000, 3000, 3);
    for (auto _ : state) {
        std::memcpy(dst.Data(), src.Data(), src.Bytes());
        benchmark::ClobberMemory();
    }
    SetRate(state, src, dst);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(src.Bytes()));
}
BENCHMARK(BM_CopyLayerBytes)->Unit(benchmark::kMillisecond);

void BM_CopyPictureBytes(benchmark::State& state)
{
    // The same picture as 8-bit RGB, the size of the caller's buffer.
    std::vector<std::uint8_t> in(4000u * 3000u * 3u, 7), out(in.size());
    for (auto _ : state) {
        std::memcpy(out.data(), in.data(), in.size());
        benchmark::ClobberMemory();
    }
    state.counters["src_MPix/s"] = benchmark::Counter(12.0 * double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(in.size()));
}
BENCHMARK(BM_CopyPictureBytes)->Unit(benchmark::kMillisecond);

void BM_WidenAndWriteBack_4000x3000(benchmark::State& state)
{
    // What the 32-bit layer format costs around every operation: loading the caller's bytes into a
    // full-size layer and writing the layer back (the program's load, create-layer and composite).
    std::vector<std::uint8_t> bytes(4000u * 3000u * 3u);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i * 7);
    CBasePict pict(Store(), 1);
    pict.SetPixelOffset(0, 3, 12000, 3000, 4000);
    pict.SetColorOffset(2, 2);
    pict.SetColorOffset(1, 1);
    pict.LoadImage(int(bytes.size()), bytes.data());
    const CParallel::CScopedThreads threads(int(state.range(0)));
    for (auto _ : state) {
        pict.CreateLayer(1, 0, 0, 0, 3000, 4000);
        pict.CompositeLayer(1);
        state.PauseTiming();
        pict.DestroyLayer(1);
        state.ResumeTiming();
    }
    state.counters["src_MPix/s"] = benchmark::Counter(12.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WidenAndWriteBack_4000x3000)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Bicubic_4000x3000_to_1920x1440(benchmark::State& state)
{
    RunResize(state, 4000, 3000, 1920, 1440, [](const CLayerValues& s, CLayerValues& d) { CResampler::Bicubic(s, d); });
}
BENCHMARK(BM_Bicubic_4000x3000_to_1920x1440)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Bilinear_4000x3000_to_1920x1440(benchmark::State& state)
{
    RunResize(state, 4000, 3000, 1920, 1440, [](const CLayerValues& s, CLayerValues& d) { CResampler::Bilinear(s, d); });
}
BENCHMARK(BM_Bilinear_4000x3000_to_1920x1440)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Nearest_4000x3000_to_1920x1440(benchmark::State& state)
{
    RunResize(state, 4000, 3000, 1920, 1440, [](const CLayerValues& s, CLayerValues& d) { CResampler::Nearest(s, d); });
}
BENCHMARK(BM_Nearest_4000x3000_to_1920x1440)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PixelAverage_4000x3000_to_1000x750(benchmark::State& state)
{
    RunResize(state, 4000, 3000, 1000, 750, [](const CLayerValues& s, CLayerValues& d) { CResampler::PixelAverage(s, d); });
}
BENCHMARK(BM_PixelAverage_4000x3000_to_1000x750)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Rotate7_2000x1500(benchmark::State& state)
{
    const auto box = CRotator::RotatedSize(2000, 1500, 7);
    RunResize(state, 2000, 1500, box.width, box.height,
              [](const CLayerValues& s, CLayerValues& d) { CRotator::Rotate(s, d, 7); });
}
BENCHMARK(BM_Rotate7_2000x1500)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Rotate90_4000x3000(benchmark::State& state)
{
    RunResize(state, 4000, 3000, 3000, 4000, [](const CLayerValues& s, CLayerValues& d) { CRotator::Rotate90(s, d); });
}
BENCHMARK(BM_Rotate90_4000x3000)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
