#include "rastkit/CByteValues.h"

#include "rastkit/CParallel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace CByteValues {

namespace {

constexpr std::size_t kPiece = 1 << 16;   // whole pages

template <class F>
void ForPieces(std::size_t bytes, std::size_t pixels, F f)
{
    const std::size_t pieces = (bytes + kPiece - 1) / kPiece;
    if (pieces > 0x7FFFFFFF) {
        f(std::size_t(0), bytes);
        return;
    }
    CParallel::ForBands(int(pieces), pixels, [&](int begin, int end) {
        const std::size_t from = std::size_t(begin) * kPiece;
        const std::size_t to = std::min(bytes, std::size_t(end) * kPiece);
        f(from, to - from);
    });
}

} // namespace

void Widen(const std::uint8_t* in, std::int32_t* out, std::size_t count, bool stream)
{
    std::size_t k = 0;
#if defined(__SSE2__)
    // Streaming stores need 16-byte aligned targets: the first values up to there go one by one.
    if (stream) {
        for (; k < count && (reinterpret_cast<std::uintptr_t>(out + k) & 15) != 0; ++k)
            out[k] = in[k];
    }
    const __m128i zero = _mm_setzero_si128();
    for (; k + 16 <= count; k += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
        const __m128i low = _mm_unpacklo_epi8(bytes, zero), high = _mm_unpackhi_epi8(bytes, zero);
        const __m128i values[4] = {_mm_unpacklo_epi16(low, zero), _mm_unpackhi_epi16(low, zero),
                                   _mm_unpacklo_epi16(high, zero), _mm_unpackhi_epi16(high, zero)};
        __m128i* to = reinterpret_cast<__m128i*>(out + k);
        for (int q = 0; q < 4; ++q) {
            if (stream)
                _mm_stream_si128(to + q, values[q]);
            else
                _mm_storeu_si128(to + q, values[q]);
        }
    }
    if (stream)
        _mm_sfence();   // the streamed values are seen before anything this thread does next
#else
    (void)stream;
#endif
    for (; k < count; ++k)
        out[k] = in[k];
}

void Narrow(const std::int32_t* in, std::uint8_t* out, std::size_t count)
{
    std::size_t k = 0;
#if defined(__SSE2__)
    // Masked to the low 8 bits first, the saturating packs change nothing.
    const __m128i mask = _mm_set1_epi32(0xFF);
    for (; k + 16 <= count; k += 16) {
        const __m128i* from = reinterpret_cast<const __m128i*>(in + k);
        const __m128i a = _mm_and_si128(_mm_loadu_si128(from), mask);
        const __m128i b = _mm_and_si128(_mm_loadu_si128(from + 1), mask);
        const __m128i c = _mm_and_si128(_mm_loadu_si128(from + 2), mask);
        const __m128i d = _mm_and_si128(_mm_loadu_si128(from + 3), mask);
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), bytes);
    }
#endif
    for (; k < count; ++k)
        out[k] = static_cast<std::uint8_t>(in[k]);
}

void Copy(void* to, const void* from, std::size_t bytes, std::size_t pixels) noexcept
{
    ForPieces(bytes, pixels, [&](std::size_t offset, std::size_t n) {
        std::memcpy(static_cast<std::uint8_t*>(to) + offset, static_cast<const std::uint8_t*>(from) + offset, n);
    });
}

void Zero(void* to, std::size_t bytes, std::size_t pixels) noexcept
{
    ForPieces(bytes, pixels, [&](std::size_t offset, std::size_t n) { std::memset(static_cast<std::uint8_t*>(to) + offset, 0, n); });
}

} // namespace CByteValues
