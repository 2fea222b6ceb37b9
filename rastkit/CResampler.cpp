#include "rastkit/CResampler.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace CResampler {

namespace {

using Value = std::int32_t;

// Weight tables live on the general heap for the length of one call.
struct SLinearTap {
    std::size_t first;   // value index of the tap at the whole position
    std::size_t second;  // the next pixel, held at the edge
    std::int32_t fraction;
};

std::vector<SLinearTap> LinearTaps(int from, int to, std::size_t stride)
{
    std::vector<SLinearTap> taps(std::size_t(std::max(to, 0)));
    for (int d = 0; d < to; ++d) {
        const std::int64_t p = std::int64_t(d) * from * 256 / to;
        const int whole = static_cast<int>(p >> 8);
        taps[d] = {std::size_t(whole) * stride, std::size_t(std::min(whole + 1, from - 1)) * stride,
                   static_cast<std::int32_t>(p & 255)};
    }
    return taps;
}

// a * (256 - f) >> 8 plus b * f >> 8, each product shifted on its own, wrapping like 32-bit values.
inline Value Mix(Value a, Value b, std::int32_t f)
{
    const std::int64_t left = (std::int64_t(a) * (256 - f)) >> 8;
    const std::int64_t right = (std::int64_t(b) * f) >> 8;
    return static_cast<Value>(static_cast<std::uint32_t>(left + right));
}

struct SCubicTaps {
    std::int32_t whole;        // source index of the second tap
    std::int32_t fraction;     // 0-255
    std::int32_t weight[4];
};

std::vector<SCubicTaps> CubicTaps(int from, int to)
{
    std::vector<SCubicTaps> taps(std::size_t(std::max(to, 0)));
    for (int d = 0; d < to; ++d) {
        const std::int64_t p = 256 + std::int64_t(d) * (from - 3) * 256 / to;
        const int f = static_cast<int>(p % 256);
        taps[d].whole = static_cast<std::int32_t>(p / 256);
        taps[d].fraction = f;
        for (int k = -1; k <= 2; ++k)
            taps[d].weight[k + 1] = CubicWeight(std::abs(k * 256 - f));
    }
    return taps;
}

// One axis of the area average: which source pixels a destination pixel covers, with how many
// units of overlap each.
struct SAreaSpan {
    int first = 0;
    std::vector<std::int64_t> units;
};

std::vector<SAreaSpan> AreaSpans(int from, int to, std::int64_t& unitsPerTarget)
{
    const std::int64_t lcm = std::lcm(std::int64_t(from), std::int64_t(to));
    const std::int64_t perSource = lcm / from;
    unitsPerTarget = lcm / to;
    std::vector<SAreaSpan> spans(static_cast<std::size_t>(to));
    for (int d = 0; d < to; ++d) {
        const std::int64_t begin = d * unitsPerTarget, end = begin + unitsPerTarget;
        const int first = static_cast<int>(begin / perSource);
        spans[d].first = first;
        for (std::int64_t s = first; s < from && s * perSource < end; ++s) {
            const std::int64_t lo = std::max(begin, s * perSource), hi = std::min(end, (s + 1) * perSource);
            spans[d].units.push_back(hi - lo);
        }
    }
    return spans;
}

} // namespace

int CubicWeight(int d)
{
    if (d <= 256)
        return ((d * d / 256 - d - 256) * (d - 256)) / 256;
    if (d <= 512)
        return (((256 - d) * (d - 512)) / 256 * (d - 512)) / 256;
    return 0;
}

void Nearest(const CLayerValues& src, CLayerValues& dst)
{
    const int W = src.Width(), H = src.Height(), w = dst.Width(), h = dst.Height();
    const std::size_t cs = std::size_t(dst.Colors());
    if (!src.HasData() || !dst.HasData())
        return;
    std::vector<std::size_t> columns(static_cast<std::size_t>(w));
    const double sx = double(w) / double(W), sy = double(h) / double(H);
    for (int x = 0; x < w; ++x)
        columns[x] = std::size_t(std::min(static_cast<int>(x / sx), W - 1)) * cs;
    for (int y = 0; y < h; ++y) {
        const Value* in = src.Row(std::min(static_cast<int>(y / sy), H - 1));
        Value* out = dst.Row(y);
        for (int x = 0; x < w; ++x, out += cs)
            std::copy_n(in + columns[x], cs, out);
    }
}

void Bilinear(const CLayerValues& src, CLayerValues& dst)
{
    const int W = src.Width(), H = src.Height(), w = dst.Width(), h = dst.Height();
    const std::size_t cs = std::size_t(dst.Colors());
    if (!src.HasData() || !dst.HasData())
        return;
    const auto columns = LinearTaps(W, w, cs);
    const auto rows = LinearTaps(H, h, 1);
    std::vector<Value> upper(std::size_t(w) * cs), lower(std::size_t(w) * cs);
    auto mixRow = [&](const Value* in, Value* out) {
        for (int x = 0; x < w; ++x) {
            const SLinearTap& t = columns[x];
            for (std::size_t c = 0; c < cs; ++c)
                out[x * cs + c] = t.fraction == 0 ? in[t.first + c] : Mix(in[t.first + c], in[t.second + c], t.fraction);
        }
    };
    for (int y = 0; y < h; ++y) {
        const SLinearTap& r = rows[y];
        Value* out = dst.Row(y);
        if (r.fraction == 0) {
            mixRow(src.Row(int(r.first)), out);
            continue;
        }
        mixRow(src.Row(int(r.first)), upper.data());
        mixRow(src.Row(int(r.second)), lower.data());
        for (std::size_t i = 0; i < upper.size(); ++i)
            out[i] = Mix(upper[i], lower[i], r.fraction);
    }
}

// True when every value of the row lies in 0-32767: then 16-bit multiplies with 32-bit sums are
// exact (the 16 combined weights of a pixel add up to at most 576 in magnitude).
bool RowIsNarrow(const Value* row, std::size_t count)
{
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < count; ++i)
        bits |= static_cast<std::uint32_t>(row[i]);
    return (bits & ~0x7FFFu) == 0;
}

// Bicubic weights depend only on the two fractions, so for one destination row the combined
// weights (row weight x column weight / 256, truncated per tap) are kept for every column
// fraction. The channel count is a template argument for the usual 1, 3 and 4 so the tap loops
// unroll; 0 takes it from the buffer.
template <int Channels>
void BicubicRows(const CLayerValues& src, CLayerValues& dst, const std::vector<SCubicTaps>& columns,
                 const std::vector<SCubicTaps>& rows)
{
    const int w = dst.Width(), h = dst.Height();
    const std::size_t cs = Channels ? std::size_t(Channels) : std::size_t(dst.Colors());
    std::vector<std::int32_t> combined(256 * 16);
    std::vector<std::int8_t> narrow(std::size_t(src.Height()), -1);   // -1: not looked at yet
    auto isNarrow = [&](int row) {
        if (narrow[row] < 0)
            narrow[row] = RowIsNarrow(src.Row(row), src.RowValues()) ? 1 : 0;
        return narrow[row] == 1;
    };
#if defined(__SSE2__)
    // Per column fraction and tap row, the weights spread over the 4 x channels values read at once,
    // each in the low 16 bits of its lane so that _mm_madd_epi16 multiplies exactly.
    constexpr int kLanes = Channels ? 4 * Channels : 4;
    constexpr bool kVector = Channels == 1 || Channels == 3 || Channels == 4;
    std::vector<std::uint32_t> pattern(kVector ? 256 * 4 * kLanes : 0);
#endif
    int currentFraction = -1;
    for (int y = 0; y < h; ++y) {
        const SCubicTaps& r = rows[y];
        if (r.fraction != currentFraction) {
            currentFraction = r.fraction;
            for (int f = 0; f < 256; ++f) {
                std::int32_t cw[4];
                for (int b = 0; b < 4; ++b)
                    cw[b] = CubicWeight(std::abs((b - 1) * 256 - f));
                for (int a = 0; a < 4; ++a)
                    for (int b = 0; b < 4; ++b)
                        combined[f * 16 + a * 4 + b] = r.weight[a] * cw[b] / 256;
#if defined(__SSE2__)
                if constexpr (kVector) {
                    for (int a = 0; a < 4; ++a)
                        for (int l = 0; l < kLanes; ++l)
                            pattern[(f * 4 + a) * kLanes + l] =
                                static_cast<std::uint16_t>(combined[f * 16 + a * 4 + l / int(cs)]);
                }
#endif
            }
        }
        const Value* taps[4];
        for (int a = 0; a < 4; ++a)
            taps[a] = src.Row(r.whole - 1 + a);
        Value* out = dst.Row(y);
#if defined(__SSE2__)
        if constexpr (kVector) {
            if (isNarrow(r.whole - 1) && isNarrow(r.whole) && isNarrow(r.whole + 1) && isNarrow(r.whole + 2)) {
                constexpr int kRegs = kLanes / 4;
                for (int x = 0; x < w; ++x, out += cs) {
                    const SCubicTaps& col = columns[x];
                    const std::size_t base = std::size_t(col.whole - 1) * cs;
                    const std::uint32_t* wp = &pattern[std::size_t(col.fraction) * 4 * kLanes];
                    __m128i acc[kRegs];
                    for (int k = 0; k < kRegs; ++k)
                        acc[k] = _mm_setzero_si128();
                    for (int a = 0; a < 4; ++a) {
                        const Value* in = taps[a] + base;
                        for (int k = 0; k < kRegs; ++k) {
                            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 4 * k));
                            const __m128i wt = _mm_loadu_si128(reinterpret_cast<const __m128i*>(wp + a * kLanes + 4 * k));
                            acc[k] = _mm_add_epi32(acc[k], _mm_madd_epi16(v, wt));
                        }
                    }
                    alignas(16) std::int32_t lanes[kLanes];
                    for (int k = 0; k < kRegs; ++k)
                        _mm_store_si128(reinterpret_cast<__m128i*>(lanes + 4 * k), acc[k]);
                    for (std::size_t c = 0; c < cs; ++c) {
                        std::int32_t sum = 0;
                        for (int b = 0; b < 4; ++b)
                            sum += lanes[b * int(cs) + int(c)];
                        out[c] = std::clamp(sum / 256, 0, 255);
                    }
                }
                continue;
            }
        }
#endif
        for (int x = 0; x < w; ++x, out += cs) {
            const SCubicTaps& col = columns[x];
            const std::int32_t* wt = &combined[std::size_t(col.fraction) * 16];
            const std::size_t base = std::size_t(col.whole - 1) * cs;
            for (std::size_t c = 0; c < cs; ++c) {
                std::int64_t sum = 0;
                for (int a = 0; a < 4; ++a) {
                    const Value* in = taps[a] + base + c;
                    for (int b = 0; b < 4; ++b)
                        sum += std::int64_t(wt[a * 4 + b]) * in[b * cs];
                }
                out[c] = static_cast<Value>(std::clamp<std::int64_t>(sum / 256, 0, 255));
            }
        }
    }
}

bool Bicubic(const CLayerValues& src, CLayerValues& dst)
{
    const int W = src.Width(), H = src.Height(), w = dst.Width(), h = dst.Height();
    if (W < 4 || H < 4)
        return false;
    if (!src.HasData() || !dst.HasData())
        return true;
    const auto columns = CubicTaps(W, w);
    const auto rows = CubicTaps(H, h);
    switch (dst.Colors()) {
    case 1: BicubicRows<1>(src, dst, columns, rows); break;
    case 3: BicubicRows<3>(src, dst, columns, rows); break;
    case 4: BicubicRows<4>(src, dst, columns, rows); break;
    default: BicubicRows<0>(src, dst, columns, rows); break;
    }
    return true;
}

bool PixelAverage(const CLayerValues& src, CLayerValues& dst)
{
    const int W = src.Width(), H = src.Height(), w = dst.Width(), h = dst.Height();
    const std::size_t cs = std::size_t(dst.Colors());
    if (W < w || H < h)
        return false;
    if (!src.HasData() || !dst.HasData())
        return true;
    std::int64_t unitsX = 0, unitsY = 0;
    const auto columns = AreaSpans(W, w, unitsX);
    const auto rows = AreaSpans(H, h, unitsY);
    const std::int64_t divisor = unitsX * unitsY;
    std::vector<std::int64_t> across(std::size_t(w) * cs), sum(std::size_t(w) * cs);
    for (int y = 0; y < h; ++y) {
        std::fill(sum.begin(), sum.end(), 0);
        const SAreaSpan& r = rows[y];
        for (std::size_t k = 0; k < r.units.size(); ++k) {
            const Value* in = src.Row(r.first + int(k));
            for (int x = 0; x < w; ++x) {
                const SAreaSpan& col = columns[x];
                for (std::size_t c = 0; c < cs; ++c) {
                    std::int64_t s = 0;
                    for (std::size_t m = 0; m < col.units.size(); ++m)
                        s += col.units[m] * in[(col.first + m) * cs + c];
                    sum[x * cs + c] += s * r.units[k];
                }
            }
        }
        Value* out = dst.Row(y);
        for (std::size_t i = 0; i < sum.size(); ++i)
            out[i] = static_cast<Value>(sum[i] / divisor);
    }
    return true;
}

} // namespace CResampler
