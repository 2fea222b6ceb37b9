#include "rastkit/CAreaDown.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace CResampler {

namespace {

constexpr std::int64_t kNarrow = 32767;

#if defined(__SSE2__)
// Low 32 bits of each lane's product with u, for products below 2^31.
inline __m128i Times(__m128i v, __m128i u)
{
    const __m128i even = _mm_mul_epu32(v, u);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(v, 32), u);
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, 0x08), _mm_shuffle_epi32(odd, 0x08));
}

// Four sums below 2^31 divided by d, truncating: the double quotient is exact enough (see
// AreaQuotient).
inline __m128i Quotients(__m128i sums, __m128d d)
{
    const __m128i low = _mm_cvttpd_epi32(_mm_div_pd(_mm_cvtepi32_pd(sums), d));
    const __m128i high = _mm_cvttpd_epi32(_mm_div_pd(_mm_cvtepi32_pd(_mm_shuffle_epi32(sums, 0xEE)), d));
    return _mm_unpacklo_epi64(low, high);
}
#endif

} // namespace

CAreaDown::CAreaDown(const std::vector<SAreaSpan>& columns, const std::vector<SAreaSpan>& rows, std::int64_t divisor,
                     std::size_t colours)
    : m_columns(columns), m_divisor(divisor), m_cs(colours)
{
    // A destination value adds up divisor units of values below 32768.
    m_usable = divisor > 0 && divisor <= 65536;
    for (const auto& span : rows)
        for (const std::int64_t u : span.units)
            m_usable = m_usable && u <= kNarrow;   // the rows are weighted in 16 bits
    for (const auto& span : columns)
        for (const std::int64_t u : span.units)
            m_unitColumns = m_unitColumns && u == 1;
}

bool CAreaDown::Row(const CLayerValues& src, const SAreaSpan& rows, std::int32_t* out, std::uint32_t* scratch) const
{
    const std::size_t n = src.RowValues();
    std::uint32_t* const down = scratch;
    std::uint32_t seen = 0;
    for (std::size_t k = 0; k < rows.units.size(); ++k) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(src.Row(rows.first + int(k)));
        const auto u = static_cast<std::uint32_t>(rows.units[k]);
        std::size_t i = 0;
#if defined(__SSE2__)
        // (u, 0) in each lane: the 16-bit multiply-add gives value x u for values below 2^15.
        const __m128i units = _mm_set1_epi32(std::int32_t(u));
        __m128i seenLanes = _mm_setzero_si128();
        for (; i + 4 <= n; i += 4) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            seenLanes = _mm_or_si128(seenLanes, v);
            const __m128i t = u == 1 ? v : _mm_madd_epi16(v, units);
            __m128i* to = reinterpret_cast<__m128i*>(down + i);
            _mm_storeu_si128(to, k == 0 ? t : _mm_add_epi32(_mm_loadu_si128(to), t));
        }
        seenLanes = _mm_or_si128(seenLanes, _mm_shuffle_epi32(seenLanes, 0x4E));
        seenLanes = _mm_or_si128(seenLanes, _mm_shuffle_epi32(seenLanes, 0xB1));
        seen |= static_cast<std::uint32_t>(_mm_cvtsi128_si32(seenLanes));
#endif
        // Unsigned, so that values that turn out not to be narrow wrap instead of overflowing.
        for (; i < n; ++i) {
            seen |= in[i];
            down[i] = (k == 0 ? 0u : down[i]) + u * in[i];
        }
    }
    if ((seen & ~std::uint32_t(kNarrow)) != 0)
        return false;
    const std::size_t cs = m_cs;
    const double divisor = double(m_divisor);
    const int w = int(m_columns.size());
    for (int x = 0; x < w; ++x, out += cs) {
        const SAreaSpan& span = m_columns[x];
        const std::uint32_t* from = down + std::size_t(span.first) * cs;
#if defined(__SSE2__)
        if (cs == 3 || cs == 4) {
            // Four lanes a tap; with three channels the fourth reads into the next pixel or the
            // scratch's spare room and is dropped.
            __m128i sum = _mm_setzero_si128();
            for (std::size_t m = 0; m < span.units.size(); ++m, from += cs) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
                sum = _mm_add_epi32(sum, m_unitColumns ? v : Times(v, _mm_set1_epi32(std::int32_t(span.units[m]))));
            }
            const __m128i q = Quotients(sum, _mm_set1_pd(divisor));
            if (cs == 4) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out), q);
            } else {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(out), q);
                out[2] = _mm_cvtsi128_si32(_mm_unpackhi_epi64(q, q));
            }
            continue;
        }
#endif
        for (std::size_t c = 0; c < cs; ++c) {
            std::uint32_t sum = 0;
            for (std::size_t m = 0; m < span.units.size(); ++m)
                sum += static_cast<std::uint32_t>(span.units[m]) * from[m * cs + c];
            out[c] = static_cast<std::int32_t>(double(sum) / divisor);
        }
    }
    return true;
}

} // namespace CResampler
