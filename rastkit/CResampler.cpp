#include "rastkit/CResampler.h"

#include "rastkit/CAreaDown.h"
#include "rastkit/CParallel.h"

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

// True when every value of the row lies in 0-32767: then 16-bit multiplies with 32-bit sums are
// exact (the 16 combined weights of a pixel add up to at most 576 in magnitude, the two of a
// bilinear mix to 256).
bool RowIsNarrow(const Value* row, std::size_t count)
{
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < count; ++i)
        bits |= static_cast<std::uint32_t>(row[i]);
    return (bits & ~0x7FFFu) == 0;
}

// Which source rows are narrow, looked at when first needed; one per band of rows.
class CNarrowRows {
public:
    explicit CNarrowRows(const CLayerValues& src) : m_src(src), m_known(std::size_t(src.Height()), -1) {}
    bool operator()(int row)
    {
        if (m_known[row] < 0)
            m_known[row] = RowIsNarrow(m_src.Row(row), m_src.RowValues()) ? 1 : 0;
        return m_known[row] == 1;
    }

private:
    const CLayerValues& m_src;
    std::vector<std::int8_t> m_known;
};

// The larger of the two pictures decides whether an operation is split across the cores.
std::size_t PixelsOf(const CLayerValues& src, const CLayerValues& dst)
{
    return std::max(std::size_t(src.Width()) * std::size_t(src.Height()),
                    std::size_t(dst.Width()) * std::size_t(dst.Height()));
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
    CParallel::ForBands(h, PixelsOf(src, dst), [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            const Value* in = src.Row(std::min(static_cast<int>(y / sy), H - 1));
            Value* out = dst.Row(y);
            for (int x = 0; x < w; ++x, out += cs)
                std::copy_n(in + columns[x], cs, out);
        }
    });
}

#if defined(__SSE2__)
// a * (256 - f) >> 8 plus b * f >> 8 for four narrow values at once: each product is exact in the
// low 16 bits of its lane and non-negative, so the shifts are the same floor divisions.
inline __m128i MixLanes(__m128i a, __m128i b, __m128i fa, __m128i fb)
{
    return _mm_add_epi32(_mm_srai_epi32(_mm_madd_epi16(a, fa), 8), _mm_srai_epi32(_mm_madd_epi16(b, fb), 8));
}
#endif

// One destination row mixed across from one source row.
void MixAcross(const Value* in, Value* out, const std::vector<SLinearTap>& columns, std::size_t cs,
               int vectorColumns)
{
    const int w = int(columns.size());
    int x = 0;
#if defined(__SSE2__)
    // Four lanes per pixel: with three channels the fourth lands on the next pixel's first value,
    // which that pixel writes again.
    for (; x < vectorColumns; ++x) {
        const SLinearTap& t = columns[x];
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + t.first));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + t.second));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x * cs),
                         MixLanes(a, b, _mm_set1_epi32(256 - t.fraction), _mm_set1_epi32(t.fraction)));
    }
#else
    (void)vectorColumns;
#endif
    for (; x < w; ++x) {
        const SLinearTap& t = columns[x];
        for (std::size_t c = 0; c < cs; ++c)
            out[x * cs + c] = t.fraction == 0 ? in[t.first + c] : Mix(in[t.first + c], in[t.second + c], t.fraction);
    }
}

void MixDown(const Value* upper, const Value* lower, Value* out, std::size_t count, std::int32_t fraction, bool narrow)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    if (narrow) {
        const __m128i fa = _mm_set1_epi32(256 - fraction), fb = _mm_set1_epi32(fraction);
        for (; i + 4 <= count; i += 4) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), MixLanes(a, b, fa, fb));
        }
    }
#else
    (void)narrow;
#endif
    for (; i < count; ++i)
        out[i] = Mix(upper[i], lower[i], fraction);
}

void Bilinear(const CLayerValues& src, CLayerValues& dst)
{
    const int W = src.Width(), H = src.Height(), w = dst.Width(), h = dst.Height();
    const std::size_t cs = std::size_t(dst.Colors());
    if (!src.HasData() || !dst.HasData())
        return;
    const auto columns = LinearTaps(W, w, cs);
    const auto rows = LinearTaps(H, h, 1);
    // Leading columns whose four-lane reads stay inside the source row, and whose four-lane writes
    // stay inside the destination row (the last pixel of three channels would reach past it).
    int vectorColumns = 0;
    if (cs == 3 || cs == 4) {
        const std::size_t rowValues = src.RowValues();
        while (vectorColumns < w && columns[vectorColumns].second + 4 <= rowValues)
            ++vectorColumns;
        if (cs == 3)
            vectorColumns = std::min(vectorColumns, w - 1);
    }
    CParallel::ForBands(h, PixelsOf(src, dst), [&](int y0, int y1) {
        CNarrowRows narrow(src);
        std::vector<Value> upper(std::size_t(w) * cs), lower(std::size_t(w) * cs);
        for (int y = y0; y < y1; ++y) {
            const SLinearTap& r = rows[y];
            const int top = int(r.first), bottom = int(r.second);
            Value* out = dst.Row(y);
            const bool narrowTop = narrow(top);
            if (r.fraction == 0) {
                MixAcross(src.Row(top), out, columns, cs, narrowTop ? vectorColumns : 0);
                continue;
            }
            const bool narrowBottom = narrow(bottom);
            MixAcross(src.Row(top), upper.data(), columns, cs, narrowTop ? vectorColumns : 0);
            MixAcross(src.Row(bottom), lower.data(), columns, cs, narrowBottom ? vectorColumns : 0);
            // Mixes of narrow values are narrow again.
            MixDown(upper.data(), lower.data(), out, upper.size(), r.fraction, narrowTop && narrowBottom);
        }
    });
}

#if defined(__SSE2__)
// Four lanes of a weight table. Kept as plain values and read unaligned: the 32-bit runtime's heap
// gives only 8-byte alignment, whatever the type asks for.
struct SSpread {
    std::uint32_t v[4];
    __m128i Get() const { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(v)); }
    void Set(__m128i lanes) { _mm_storeu_si128(reinterpret_cast<__m128i*>(v), lanes); }
};
#endif

// One pixel in 64-bit sums, for any values.
inline void BicubicPixel(const Value* const taps[4], std::size_t base, std::size_t cs, const std::int32_t* wt, Value* out)
{
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

// Bicubic weights depend only on the two fractions, so for one destination row the combined
// weights (row weight x column weight / 256, truncated per tap) are kept for every column
// fraction. The channel count is a template argument for the usual 1, 3 and 4 so the tap loops
// unroll; 0 takes it from the buffer.
template <int Channels>
void BicubicRows(const CLayerValues& src, CLayerValues& dst, const std::vector<SCubicTaps>& columns,
                 const std::vector<SCubicTaps>& rows, int y0, int y1)
{
    const int w = dst.Width();
    const std::size_t cs = Channels ? std::size_t(Channels) : std::size_t(dst.Colors());
    std::vector<std::int32_t> combined(256 * 16);
    CNarrowRows isNarrow(src);
#if defined(__SSE2__)
    // Per column fraction and tap row, the four combined weights side by side, each in the low 16
    // bits of its lane so that _mm_madd_epi16 multiplies exactly. One channel reads four taps at
    // once; three or four channels are the lanes, and each weight is spread over them.
    constexpr bool kVector = Channels == 1;
    constexpr bool kChannelLanes = Channels == 3 || Channels == 4;
    std::vector<SSpread> quad(kVector || kChannelLanes ? 256 * 4 : 0);
    const Value* const end = src.Data() + src.Count();
    // Column weights per fraction, (weight, 0) in each lane.
    std::vector<SSpread> columnWeights(256);
    for (int f = 0; f < 256; ++f) {
        columnWeights[f].Set(_mm_setr_epi32(CubicWeight(256 + f) & 0xFFFF, CubicWeight(f) & 0xFFFF,
                                            CubicWeight(256 - f) & 0xFFFF, CubicWeight(512 - f) & 0xFFFF));
    }
#endif
    int currentFraction = -1;
    for (int y = y0; y < y1; ++y) {
        const SCubicTaps& r = rows[y];
        if (r.fraction != currentFraction) {
            currentFraction = r.fraction;
#if defined(__SSE2__)
            // row weight x column weight / 256, truncating toward zero like the integer division.
            const __m128i low16 = _mm_set1_epi32(0xFFFF), bias = _mm_set1_epi32(255);
            __m128i rowWeight[4];
            for (int a = 0; a < 4; ++a)
                rowWeight[a] = _mm_set1_epi32(r.weight[a] & 0xFFFF);
            for (int f = 0; f < 256; ++f) {
                for (int a = 0; a < 4; ++a) {
                    const __m128i product = _mm_madd_epi16(columnWeights[f].Get(), rowWeight[a]);
                    const __m128i rounding = _mm_and_si128(_mm_srai_epi32(product, 31), bias);
                    const __m128i weight = _mm_srai_epi32(_mm_add_epi32(product, rounding), 8);
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(&combined[f * 16 + a * 4]), weight);
                    if constexpr (kVector || kChannelLanes)
                        quad[f * 4 + a].Set(_mm_and_si128(weight, low16));
                }
            }
#else
            for (int f = 0; f < 256; ++f) {
                std::int32_t cw[4];
                for (int b = 0; b < 4; ++b)
                    cw[b] = CubicWeight(std::abs((b - 1) * 256 - f));
                for (int a = 0; a < 4; ++a)
                    for (int b = 0; b < 4; ++b)
                        combined[f * 16 + a * 4 + b] = r.weight[a] * cw[b] / 256;
            }
#endif
        }
        const Value* taps[4];
        for (int a = 0; a < 4; ++a)
            taps[a] = src.Row(r.whole - 1 + a);
        Value* out = dst.Row(y);
#if defined(__SSE2__)
        if constexpr (kChannelLanes) {
            if (isNarrow(r.whole - 1) && isNarrow(r.whole) && isNarrow(r.whole + 1) && isNarrow(r.whole + 2)) {
                for (int x = 0; x < w; ++x, out += cs) {
                    const SCubicTaps& col = columns[x];
                    const std::size_t base = std::size_t(col.whole - 1) * cs;
                    // Each tap reads a fourth lane past three channels: not past the buffer.
                    if (Channels == 3 && taps[3] + base + 3 * cs + 4 > end) {
                        BicubicPixel(taps, base, cs, &combined[std::size_t(col.fraction) * 16], out);
                        continue;
                    }
                    const SSpread* wt = &quad[std::size_t(col.fraction) * 4];
                    __m128i even = _mm_setzero_si128(), odd = _mm_setzero_si128();
                    for (int a = 0; a < 4; ++a) {
                        const Value* in = taps[a] + base;
                        auto tap = [&](int b) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + b * Channels)); };
                        const __m128i q = wt[a].Get();
                        even = _mm_add_epi32(even, _mm_madd_epi16(tap(0), _mm_shuffle_epi32(q, 0x00)));
                        odd = _mm_add_epi32(odd, _mm_madd_epi16(tap(1), _mm_shuffle_epi32(q, 0x55)));
                        even = _mm_add_epi32(even, _mm_madd_epi16(tap(2), _mm_shuffle_epi32(q, 0xAA)));
                        odd = _mm_add_epi32(odd, _mm_madd_epi16(tap(3), _mm_shuffle_epi32(q, 0xFF)));
                    }
                    // clamp(sum / 256) is clamp(sum >> 8): they differ only below 0. The saturating
                    // packs clamp to 0-255.
                    const __m128i shifted = _mm_srai_epi32(_mm_add_epi32(even, odd), 8);
                    const __m128i zero = _mm_setzero_si128();
                    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(shifted, shifted), zero);
                    const __m128i values = _mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero);
                    if constexpr (Channels == 4) {
                        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), values);
                    } else {
                        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), values);
                        out[2] = _mm_cvtsi128_si32(_mm_unpackhi_epi64(values, values));
                    }
                }
                continue;
            }
        }
        if constexpr (kVector) {
            if (isNarrow(r.whole - 1) && isNarrow(r.whole) && isNarrow(r.whole + 1) && isNarrow(r.whole + 2)) {
                for (int x = 0; x < w; ++x, ++out) {
                    const SCubicTaps& col = columns[x];
                    const std::size_t base = std::size_t(col.whole - 1);
                    const SSpread* wp = &quad[std::size_t(col.fraction) * 4];
                    __m128i acc = _mm_setzero_si128();
                    for (int a = 0; a < 4; ++a) {
                        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(taps[a] + base));
                        acc = _mm_add_epi32(acc, _mm_madd_epi16(v, wp[a].Get()));
                    }
                    acc = _mm_add_epi32(acc, _mm_shuffle_epi32(acc, 0x4E));
                    acc = _mm_add_epi32(acc, _mm_shuffle_epi32(acc, 0xB1));
                    *out = std::clamp(_mm_cvtsi128_si32(acc) / 256, 0, 255);
                }
                continue;
            }
        }
#endif
        for (int x = 0; x < w; ++x, out += cs) {
            const SCubicTaps& col = columns[x];
            BicubicPixel(taps, std::size_t(col.whole - 1) * cs, cs, &combined[std::size_t(col.fraction) * 16], out);
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
    CParallel::ForBands(h, PixelsOf(src, dst), [&](int y0, int y1) {
        switch (dst.Colors()) {
        case 1: BicubicRows<1>(src, dst, columns, rows, y0, y1); break;
        case 3: BicubicRows<3>(src, dst, columns, rows, y0, y1); break;
        case 4: BicubicRows<4>(src, dst, columns, rows, y0, y1); break;
        default: BicubicRows<0>(src, dst, columns, rows, y0, y1); break;
        }
    });
    return true;
}

// sum / divisor, truncating toward zero. Double division is exact for these magnitudes (the
// quotient's distance to the next integer, at least 1 / divisor, exceeds the rounding) and much
// cheaper than a 64-bit integer division.
inline Value AreaQuotient(std::int64_t sum, std::int64_t divisor)
{
    constexpr std::int64_t kExact = std::int64_t(1) << 52;
    if (sum > -kExact && sum < kExact && divisor < kExact)
        return static_cast<Value>(static_cast<std::int64_t>(double(sum) / double(divisor)));
    return static_cast<Value>(sum / divisor);
}

#if defined(__SSE2__)
// The columns of the area average as the vector sums read them: per destination column where its
// taps start and how many there are, and per tap its units spread over four lanes. Built only when
// every sum of a narrow row fits in 32 bits.
struct SAreaLanes {
    std::vector<std::size_t> start;     // value index of the first tap
    std::vector<int> count;
    std::vector<std::size_t> firstTap;  // index into units
    std::vector<SSpread> units;
    int columns = 0;                    // leading destination columns whose reads stay in the row
};

bool AreaLanesOf(const std::vector<SAreaSpan>& spans, std::int64_t unitsPerTarget, std::size_t cs,
                 std::size_t rowValues, SAreaLanes& lanes)
{
    // A destination column's units add up to unitsPerTarget: its sum is below 32767 times that.
    if ((cs != 3 && cs != 4) || unitsPerTarget > 65535)
        return false;
    for (const auto& span : spans) {
        lanes.start.push_back(std::size_t(span.first) * cs);
        lanes.count.push_back(int(span.units.size()));
        lanes.firstTap.push_back(lanes.units.size());
        for (const std::int64_t u : span.units) {
            if (u > 32767)
                return false;
            SSpread spread;
            spread.Set(_mm_set1_epi32(std::int32_t(u)));
            lanes.units.push_back(spread);
        }
    }
    // Three channels read a fourth value past the last tap.
    while (lanes.columns < int(spans.size()) &&
           lanes.start[lanes.columns] + std::size_t(lanes.count[lanes.columns] - 1) * cs + 4 <= rowValues)
        ++lanes.columns;
    return true;
}
#endif

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
#if defined(__SSE2__)
    SAreaLanes lanes;
    const bool vector = AreaLanesOf(columns, unitsX, cs, src.RowValues(), lanes);
#endif
    const CAreaDown narrow(columns, rows, divisor, cs);
    CParallel::ForBands(h, PixelsOf(src, dst), [&](int y0, int y1) {
        std::vector<std::int64_t> sum(std::size_t(w) * cs);
        std::vector<std::int32_t> across(std::size_t(w) * cs + 1);   // room for a fourth lane
        std::vector<std::uint32_t> down(narrow.Usable() ? CAreaDown::ScratchValues(src) : 0);
        for (int y = y0; y < y1; ++y) {
            if (narrow.Usable() && narrow.Row(src, rows[y], dst.Row(y), down.data()))
                continue;
            std::fill(sum.begin(), sum.end(), 0);
            const SAreaSpan& r = rows[y];
            for (std::size_t k = 0; k < r.units.size(); ++k) {
                const Value* in = src.Row(r.first + int(k));
                int x = 0;
#if defined(__SSE2__)
                if (vector) {
                    // Sums across in 32 bits, four channels at a time, then down in 64 bits. The
                    // values read are collected too: when one is not narrow the row is summed
                    // again below in 64 bits.
                    std::int32_t* const to = across.data();
                    __m128i seen = _mm_setzero_si128();
                    for (; x < lanes.columns; ++x) {
                        const Value* tap = in + lanes.start[x];
                        const SSpread* units = &lanes.units[lanes.firstTap[x]];
                        __m128i s = _mm_setzero_si128();
                        for (int m = 0, n = lanes.count[x]; m < n; ++m, tap += cs) {
                            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tap));
                            seen = _mm_or_si128(seen, v);
                            s = _mm_add_epi32(s, _mm_madd_epi16(v, units[m].Get()));
                        }
                        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + std::size_t(x) * cs), s);
                    }
                    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(seen, 15), _mm_setzero_si128())) == 0xFFFF) {
                        const std::int64_t down = r.units[k];
                        std::int64_t* const sums = sum.data();
                        for (std::size_t i = 0, n = std::size_t(x) * cs; i < n; ++i)
                            sums[i] += to[i] * down;
                    } else {
                        x = 0;
                    }
                }
#endif
                for (; x < w; ++x) {
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
                out[i] = AreaQuotient(sum[i], divisor);
        }
    });
    return true;
}

} // namespace CResampler
