// Whole operations as the picture worker runs them, timed from the caller's 8-bit bytes in
// (_LoadPicImage@12) to 8-bit bytes out (_StorePicImage@12), beside libvips doing the same class of
// operation on the same picture in memory (from the bytes to the bytes written to memory), at one
// and at two threads. Tearing down afterwards is not timed on either side. libvips is linked into
// this benchmark only.
#include "rastkit/CrastkitApp.h"
#if __has_include("rastkit/CParallel.h")
#include "rastkit/CParallel.h"
#define RASTKIT_HAS_THREADS 1
#endif

#include <benchmark/benchmark.h>
#include <vips/vips.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 4000, kHeight = 3000, kColours = 3;
constexpr double kPi = 3.141592653589793;

enum class EOp { Bicubic, Bilinear, Average, Rotate7, Rotate90 };

// A photograph-like picture: smooth gradients with a little noise.
const std::vector<std::uint8_t>& Picture()
{
    static const std::vector<std::uint8_t> bytes = [] {
        std::vector<std::uint8_t> b(std::size_t(kWidth) * kHeight * kColours);
        std::uint32_t s = 12345;
        for (std::size_t i = 0; i < b.size(); ++i) {
            s = s * 1664525u + 1013904223u;
            const std::size_t px = i / kColours;
            const int x = int(px % kWidth), y = int(px / kWidth);
            b[i] = std::uint8_t(((x / 8 + y / 8 + int(i % kColours) * 40) & 255) ^ int((s >> 28) & 7));
        }
        return b;
    }();
    return bytes;
}

void SetThreads(int n)
{
#ifdef RASTKIT_HAS_THREADS
    CParallel::SetThreads(n);
#else
    (void)n;
#endif
}

// The worker's resize and rotate requests: hand the bytes over, fill a new layer from the full-size
// one, composite at the new size and take the bytes back into a buffer of the caller's.
void RastkitOnce(benchmark::State& state, CrastkitApp& app, EOp op)
{
    const auto& in = Picture();
    const int id = 1;
    app.CreateBasePicture(id);
    app.SetPixcelOffset(id, 0, kColours, kColours * kWidth, kHeight, kWidth);
    for (int c = 0; c < kColours; ++c)
        app.SetColorOffset(id, c, c);
    app.LoadPicImage(id, int(in.size()), in.data());
    app.CreateLayer(id, 0, 0, 0, kHeight, kWidth);
    const int sel = app.GetSelectLayer(id);
    app.ChangeColor(sel, 0);
    int w = 1920, h = 1440;
    if (op == EOp::Average) {
        w = 1000;
        h = 750;
    } else if (op == EOp::Rotate90) {
        w = kHeight;
        h = kWidth;
    } else if (op == EOp::Rotate7) {
        const std::int64_t size = app.GetRotateSize(id, sel, 7);
        w = int(size & 0xFFFFFFFF);
        h = int(size >> 32);
    }
    const int dst = app.AllocateLayer(id, 0, 0, 0, h, w);
    switch (op) {
    case EOp::Bicubic: app.CopyBicubic(id, dst, sel); break;
    case EOp::Bilinear: app.CopyByLinear(id, dst, sel); break;
    case EOp::Average: app.CopyPixcelAverage(id, dst, sel); break;
    case EOp::Rotate7: app.CopyRotate(id, dst, sel, 7); break;
    case EOp::Rotate90: app.CopyRotate90(id, dst, sel); break;
    }
    app.DestroyLayer(sel);
    app.ResizeCompositeLayer(id, h, w);
    const std::size_t bytes = std::size_t(w) * h * kColours;
    const std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[bytes]);
    app.StorePicImage(id, int(bytes), out.get());
    state.PauseTiming();
    benchmark::DoNotOptimize(out[bytes / 2]);
    app.DestroyBasePicture(id);
    state.ResumeTiming();
}

void BM_rastkit(benchmark::State& state, EOp op)
{
    CrastkitApp app;
    SetThreads(int(state.range(0)));
    for (auto _ : state)
        RastkitOnce(state, app, op);
    SetThreads(0);
}

bool StartVips()
{
    static const bool started = [] {
        if (VIPS_INIT("rastkit_vips_bench"))
            return false;
        // No operation cache: every iteration computes afresh, as rastkit does.
        vips_cache_set_max(0);
        vips_cache_set_max_mem(0);
        return true;
    }();
    return started;
}

// Same class of operation in libvips: affine resize with its bicubic and bilinear interpolators,
// block shrink for the area average, bicubic affine rotation, and rot90; written to memory.
bool VipsOnce(benchmark::State& state, EOp op)
{
    const auto& in = Picture();
    VipsImage* image = vips_image_new_from_memory(in.data(), in.size(), kWidth, kHeight, kColours, VIPS_FORMAT_UCHAR);
    if (!image)
        return false;
    VipsImage* out = nullptr;
    int failed = 0;
    auto affine = [&](double a, double b, double c, double d, const char* method, VipsArrayInt* area) {
        VipsInterpolate* interpolate = vips_interpolate_new(method);
        failed = area ? vips_affine(image, &out, a, b, c, d, "interpolate", interpolate, "oarea", area, nullptr)
                      : vips_affine(image, &out, a, b, c, d, "interpolate", interpolate, nullptr);
        g_object_unref(interpolate);
    };
    switch (op) {
    case EOp::Bicubic:
    case EOp::Bilinear: {
        VipsArrayInt* area = vips_array_int_newv(4, 0, 0, 1920, 1440);
        affine(1920.0 / kWidth, 0, 0, 1440.0 / kHeight, op == EOp::Bicubic ? "bicubic" : "bilinear", area);
        vips_area_unref(VIPS_AREA(area));
        break;
    }
    case EOp::Average: failed = vips_shrink(image, &out, 4.0, 4.0, nullptr); break;
    case EOp::Rotate7: {
        const double s = std::sin(7 * kPi / 180), k = std::cos(7 * kPi / 180);
        affine(k, -s, s, k, "bicubic", nullptr);
        break;
    }
    case EOp::Rotate90: failed = vips_rot(image, &out, VIPS_ANGLE_D90, nullptr); break;
    }
    bool ok = failed == 0;
    void* bytes = nullptr;
    if (ok) {
        std::size_t size = 0;
        bytes = vips_image_write_to_memory(out, &size);
        ok = bytes != nullptr;
    }
    state.PauseTiming();
    benchmark::DoNotOptimize(bytes);
    g_free(bytes);
    if (out)
        g_object_unref(out);
    g_object_unref(image);
    state.ResumeTiming();
    return ok;
}

void BM_vips(benchmark::State& state, EOp op)
{
    if (!StartVips()) {
        state.SkipWithError("libvips did not start");
        return;
    }
    vips_concurrency_set(int(state.range(0)));
    for (auto _ : state) {
        if (!VipsOnce(state, op)) {
            state.SkipWithError(vips_error_buffer());
            break;
        }
    }
}

// The quarter turn is bound by memory: a plain copy of the picture's bytes, and of as many bytes
// as its 32-bit layer holds.
void BM_copy(benchmark::State& state)
{
    const std::size_t bytes = Picture().size() * std::size_t(state.range(0));
    std::vector<std::uint8_t> from(bytes, 7), to(bytes, 1);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}

void Register()
{
    struct SCase {
        const char* name;
        EOp op;
    };
    const SCase cases[] = {{"bicubic_4000x3000_to_1920x1440", EOp::Bicubic},
                           {"bilinear_4000x3000_to_1920x1440", EOp::Bilinear},
                           {"average_4000x3000_to_1000x750", EOp::Average},
                           {"rotate7_4000x3000", EOp::Rotate7},
                           {"rotate90_4000x3000", EOp::Rotate90}};
    for (const auto& c : cases) {
        for (const char* impl : {"rastkit", "vips"}) {
            const std::string name = std::string(c.name) + "/" + impl;
            auto* b = impl[0] == 'r' ? benchmark::RegisterBenchmark(name.c_str(), BM_rastkit, c.op)
                                     : benchmark::RegisterBenchmark(name.c_str(), BM_vips, c.op);
            b->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
        }
    }
    benchmark::RegisterBenchmark("copy_bytes/times", BM_copy)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
}

const bool g_registered = (Register(), true);

} // namespace
