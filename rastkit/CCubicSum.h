#pragma once
// The 4 x 4 tap sum of one rotated pixel: the bicubic weights (a = -1) in double precision, the
// sum in double precision as the rotation defines it, and a single-precision shortcut for byte
// values that gives the same rounded result or declines.
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace CCubicSum {

// Weights of the taps at -1, 0, 1 and 2 for the column fraction fx and the row fraction fy,
// both in [0, 1). With SSE2 tap t's column and row weights share one register, so that they reach
// the single-precision sum without a trip through memory.
struct SWeights {
#if defined(__SSE2__)
    __m128d tap[4];
    double X(int t) const { return _mm_cvtsd_f64(tap[t]); }
    double Y(int t) const { return _mm_cvtsd_f64(_mm_unpackhi_pd(tap[t], tap[t])); }
#else
    double x[4];
    double y[4];
    double X(int t) const { return x[t]; }
    double Y(int t) const { return y[t]; }
#endif
};

// The kernel's two pieces: distances up to 1 pixel, and from 1 to 2. The distances 1 + f, f,
// 1 - f and 2 - f fall in a fixed piece each; where one lands on 1 or 2, both pieces give 0.
inline double Near(double d) { return (d - 2.0) * d * d + 1.0; }
inline double Far(double d) { return ((-d + 5.0) * d - 8.0) * d + 4.0; }

inline SWeights WeightsOf(double fx, double fy)
{
    SWeights w;
#if defined(__SSE2__)
    // Both axes at once; every lane takes the same operations as the scalar expressions.
    const __m128d f = _mm_set_pd(fy, fx);
    const __m128d one = _mm_set1_pd(1.0), two = _mm_set1_pd(2.0);
    const __m128d four = _mm_set1_pd(4.0), five = _mm_set1_pd(5.0), eight = _mm_set1_pd(8.0);
    auto near = [&](__m128d d) { return _mm_add_pd(_mm_mul_pd(_mm_mul_pd(_mm_sub_pd(d, two), d), d), one); };
    auto far = [&](__m128d d) {
        return _mm_add_pd(_mm_mul_pd(_mm_sub_pd(_mm_mul_pd(_mm_sub_pd(five, d), d), eight), d), four);
    };
    w.tap[0] = far(_mm_add_pd(one, f));
    w.tap[1] = near(f);
    w.tap[2] = near(_mm_sub_pd(one, f));
    w.tap[3] = far(_mm_sub_pd(two, f));
#else
    const double f[2] = {fx, fy};
    double* out[2] = {w.x, w.y};
    for (int axis = 0; axis < 2; ++axis) {
        out[axis][0] = Far(1.0 + f[axis]);
        out[axis][1] = Near(f[axis]);
        out[axis][2] = Near(1.0 - f[axis]);
        out[axis][3] = Far(2.0 - f[axis]);
    }
#endif
    return w;
}

// rows[a] points at the first tap of tap row a (column i - 1, channel 0); a pixel's channels are
// consecutive, pixels cs values apart. Each row is summed across, the rows then down, rounded
// (+0.5, truncated) and clamped to 0-255.
inline void Double(const std::int32_t* const rows[4], std::size_t cs, const SWeights& w, std::int32_t* out)
{
    const double x[4] = {w.X(0), w.X(1), w.X(2), w.X(3)};
    for (std::size_t c = 0; c < cs; ++c) {
        double sum = 0.0;
        for (int a = 0; a < 4; ++a) {
            const std::int32_t* in = rows[a] + c;
            const double across = x[0] * in[0] + x[1] * in[cs] + x[2] * in[2 * cs] + x[3] * in[3 * cs];
            sum += w.Y(a) * across;
        }
        const double rounded = sum + 0.5;
        out[c] = rounded <= 0.0 ? 0 : rounded >= 255.0 ? 255 : static_cast<std::int32_t>(rounded);
    }
}

#if defined(__SSE2__)
// Bound on |single-precision sum - exact sum| for byte values: each of the 16 terms takes at most
// 10 roundings of 2^-24 (weight, product and 3 additions across, weight, product and 3 additions
// down) and the absolute weights add up to at most 1.5 per axis, so the error is below
// 10 * 2^-24 * 1.5 * 1.5 * 255 < 3.5e-4. The margin also covers the roundings of + 0.5 and of the
// margin itself (at most 2^-15 each, the sums staying below 1024) and the double sum's own error
// (about 1e-13).
constexpr float kMargin = 1.0f / 1024;

// The same result as Double for cs = 3 or 4 channels of values 0-255, four channels at a time;
// false (nothing written) when the rounding could go either way within the bound. With three
// channels each tap reads a fourth value, which must lie inside the buffer.
inline bool Single(const std::int32_t* const rows[4], std::size_t cs, const SWeights& w, std::int32_t* out)
{
    // Per tap (column weight, row weight, 0, 0) in single precision, spread over four lanes.
    __m128 x4[4], y4[4];
    for (int t = 0; t < 4; ++t) {
        const __m128 both = _mm_cvtpd_ps(w.tap[t]);
        x4[t] = _mm_shuffle_ps(both, both, 0x00);
        y4[t] = _mm_shuffle_ps(both, both, 0x55);
    }
    auto tap = [](const std::int32_t* p) {
        return _mm_cvtepi32_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
    };
    __m128 sum = _mm_setzero_ps();
    for (int a = 0; a < 4; ++a) {
        const std::int32_t* p = rows[a];
        __m128 across = _mm_mul_ps(tap(p), x4[0]);
        across = _mm_add_ps(across, _mm_mul_ps(tap(p + cs), x4[1]));
        across = _mm_add_ps(across, _mm_mul_ps(tap(p + 2 * cs), x4[2]));
        across = _mm_add_ps(across, _mm_mul_ps(tap(p + 3 * cs), x4[3]));
        sum = _mm_add_ps(sum, _mm_mul_ps(across, y4[a]));
    }
    // The result is clamp(trunc(sum + 0.5)), which never decreases as the sum grows: when both
    // ends of the error interval give the same value, so does the exact sum.
    const __m128 rounded = _mm_add_ps(sum, _mm_set1_ps(0.5f));
    const __m128 zero = _mm_setzero_ps(), top = _mm_set1_ps(255.0f), margin = _mm_set1_ps(kMargin);
    const __m128i low = _mm_cvttps_epi32(_mm_min_ps(_mm_max_ps(_mm_sub_ps(rounded, margin), zero), top));
    const __m128i high = _mm_cvttps_epi32(_mm_min_ps(_mm_max_ps(_mm_add_ps(rounded, margin), zero), top));
    const int lanes = cs == 4 ? 0xFFFF : 0x0FFF;
    if ((_mm_movemask_epi8(_mm_cmpeq_epi32(low, high)) & lanes) != lanes)
        return false;
    if (cs == 4) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), low);
    } else {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), low);
        out[2] = _mm_cvtsi128_si32(_mm_unpackhi_epi64(low, low));
    }
    return true;
}
#endif

} // namespace CCubicSum
