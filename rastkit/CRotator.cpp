#include "rastkit/CRotator.h"

#include "rastkit/CCubicSum.h"
#include "rastkit/CParallel.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

namespace CRotator {

namespace {

using Value = std::int32_t;
constexpr double kPi = 3.141592653589793;
constexpr int kTile = 64;

bool QuarterTurnFits(const CLayerValues& src, const CLayerValues& dst)
{
    return dst.Width() == src.Height() && dst.Height() == src.Width() && dst.Colors() == src.Colors();
}

int Normalised(int degrees)
{
    int a = degrees % 360;
    return a < 0 ? a + 360 : a;
}

// One run of n destination pixels from source pixels step values apart, cs channels each; the
// channel count is fixed at compile time where it is the usual three or four.
template <std::size_t CS>
void CopyRun(const Value* from, std::ptrdiff_t step, Value* out, int n, std::size_t cs)
{
    const std::size_t count = CS == 0 ? cs : CS;
    for (int i = 0; i < n; ++i)
        std::memcpy(out + std::size_t(i) * count, from + i * step, count * sizeof(Value));
}

// A quarter turn: destination row y, from column x on, comes from the source pixel first(x, y)
// onward, step values apart. Done in square tiles so that the source rows a tile reads stay in
// cache; bands of tile rows run side by side.
template <class First>
void TurnTiled(const CLayerValues& src, CLayerValues& dst, std::ptrdiff_t step, First first)
{
    const int w = dst.Width(), h = dst.Height();
    const std::size_t cs = std::size_t(dst.Colors());
    const int tileRows = (h + kTile - 1) / kTile;
    auto run = cs == 3 ? &CopyRun<3> : cs == 4 ? &CopyRun<4> : &CopyRun<0>;
    CParallel::ForBands(tileRows, std::size_t(w) * std::size_t(h), [&](int firstTile, int endTile) {
        for (int ty = firstTile * kTile; ty < std::min(h, endTile * kTile); ty += kTile) {
            for (int tx = 0; tx < w; tx += kTile) {
                const int n = std::min(w, tx + kTile) - tx;
                for (int y = ty; y < std::min(h, ty + kTile); ++y)
                    run(src.Data() + first(tx, y), step, dst.Row(y) + std::size_t(tx) * cs, n, cs);
            }
        }
    });
}

// True when every value of the row is a byte (0-255), the range the single-precision path is
// proven for.
bool RowIsBytes(const Value* row, std::size_t count)
{
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < count; ++i)
        bits |= static_cast<std::uint32_t>(row[i]);
    return (bits & ~0xFFu) == 0;
}

// One free rotation. The source coordinates, taps and weights of every destination pixel are
// computed in double precision exactly as the rotation defines them; the 16-tap sum is taken in
// single precision where the values are bytes and that sum is certain to round the same, and in
// double precision otherwise, so that every result is the double formula's bit for bit.
class CRotation {
public:
    CRotation(const CLayerValues& src, CLayerValues& dst, int degrees)
        : m_src(src), m_dst(dst), m_W(src.Width()), m_H(src.Height()), m_w(dst.Width()), m_h(dst.Height()),
          m_cs(std::size_t(dst.Colors())), m_uk(std::size_t(m_w)), m_us(std::size_t(m_w)),
          m_byteRows(std::size_t(std::max(m_H, 0)))
    {
        const double theta = Normalised(degrees);
        m_s = std::sin((theta / 180) * kPi);
        m_k = std::cos((theta * kPi) / 180);
        // u * k and u * s are the same products for every row: kept per column.
        for (int x = 0; x < m_w; ++x) {
            const double u = x - m_w / 2;
            m_uk[x] = u * m_k;
            m_us[x] = u * m_s;
        }
        for (auto& r : m_byteRows)
            r.store(0, std::memory_order_relaxed);
    }

    void Rows(int y0, int y1)
    {
        // Locals throughout: the stores into the destination could otherwise alias the members.
        const int W = m_W, H = m_H, w = m_w;
        const double limitW = W, limitH = H, halfW = W / 2, halfH = H / 2;
        const std::size_t cs = m_cs;
        const double* const uk = m_uk.data();
        const double* const us = m_us.data();
        // With three channels the single-precision sum reads one value past each tap: not from
        // the last pixel of the buffer.
        const bool single = cs == 4 || cs == 3;
        for (int y = y0; y < y1; ++y) {
            const double v = y - m_h / 2;
            const double vs = v * m_s, vk = v * m_k;
            std::int32_t* const row = m_dst.Row(y);
            int zeros = 0;          // pixels before x not yet cleared, outside the source
            int bytesFrom = -1;     // the tap rows last looked at, and whether they are all bytes
            bool bytes = false;
            for (int x = 0; x < w; ++x) {
                const double sx = uk[x] - vs + halfW;
                const double sy = us[x] + vk + halfH;
                // Out-of-range doubles cannot be cast; they are outside the source anyway.
                if (!(sx > -1.0 && sx < limitW && sy > -1.0 && sy < limitH)) {
                    ++zeros;
                    continue;
                }
                const int i = static_cast<int>(sx), j = static_cast<int>(sy);
                if (i - 1 < 0 || i + 2 >= W || j - 1 < 0 || j + 2 >= H) {
                    ++zeros;
                    continue;
                }
                std::int32_t* const out = row + std::size_t(x) * cs;
                if (zeros > 0) {
                    std::fill(out - std::size_t(zeros) * cs, out, 0);
                    zeros = 0;
                }
                const CCubicSum::SWeights weights = CCubicSum::WeightsOf(sx - i, sy - j);
                const std::int32_t* taps[4];
                for (int a = 0; a < 4; ++a)
                    taps[a] = m_src.Row(j - 1 + a) + std::size_t(i - 1) * cs;
                if (j != bytesFrom) {
                    bytesFrom = j;
                    bytes = single && ByteRow(j - 1) && ByteRow(j) && ByteRow(j + 1) && ByteRow(j + 2);
                }
#if defined(__SSE2__)
                if (bytes && (cs == 4 || i + 2 < W - 1 || j + 2 < H - 1) && CCubicSum::Single(taps, cs, weights, out))
                    continue;
#endif
                CCubicSum::Double(taps, cs, weights, out);
            }
            std::fill(row + std::size_t(w - zeros) * cs, row + std::size_t(w) * cs, 0);
        }
    }

private:
    bool ByteRow(int row)
    {
        std::uint8_t kind = m_byteRows[row].load(std::memory_order_relaxed);
        if (kind == 0) {
            kind = RowIsBytes(m_src.Row(row), m_src.RowValues()) ? 1 : 2;
            m_byteRows[row].store(kind, std::memory_order_relaxed);
        }
        return kind == 1;
    }

    const CLayerValues& m_src;
    CLayerValues& m_dst;
    const int m_W, m_H, m_w, m_h;
    const std::size_t m_cs;
    double m_s = 0, m_k = 0;
    std::vector<double> m_uk, m_us;
    // Per source row: 0 not looked at yet, 1 only bytes, 2 other values. Shared by the bands;
    // two bands that look at one row at once store the same answer.
    std::vector<std::atomic<std::uint8_t>> m_byteRows;
};

} // namespace

bool Rotate90(const CLayerValues& src, CLayerValues& dst)
{
    if (!QuarterTurnFits(src, dst))
        return false;
    if (src.HasData() && dst.HasData()) {
        // dst(x, y) = src(y, H - 1 - x): down the destination row, up a source column.
        const std::size_t H = std::size_t(src.Height()), rowValues = src.RowValues(), cs = std::size_t(src.Colors());
        TurnTiled(src, dst, -std::ptrdiff_t(rowValues),
                  [=](int x, int y) { return (H - 1 - std::size_t(x)) * rowValues + std::size_t(y) * cs; });
    }
    return true;
}

bool Rotate270(const CLayerValues& src, CLayerValues& dst)
{
    if (!QuarterTurnFits(src, dst))
        return false;
    if (src.HasData() && dst.HasData()) {
        // dst(x, y) = src(W - 1 - y, x): down the destination row, down a source column.
        const std::size_t W = std::size_t(src.Width()), rowValues = src.RowValues(), cs = std::size_t(src.Colors());
        TurnTiled(src, dst, std::ptrdiff_t(rowValues),
                  [=](int x, int y) { return std::size_t(x) * rowValues + (W - 1 - std::size_t(y)) * cs; });
    }
    return true;
}

void Rotate(const CLayerValues& src, CLayerValues& dst, int degrees)
{
    if (!dst.HasData())
        return;
    CRotation rotation(src, dst, degrees);
    const std::size_t pixels = std::max(std::size_t(src.Width()) * std::size_t(src.Height()),
                                        std::size_t(dst.Width()) * std::size_t(dst.Height()));
    CParallel::ForBands(dst.Height(), pixels, [&](int y0, int y1) { rotation.Rows(y0, y1); });
}

SSize RotatedSize(int width, int height, int degrees)
{
    const double theta = Normalised(degrees);
    const double s = std::sin((theta / 180) * kPi);
    const double k = std::cos((theta * kPi) / 180);
    const double xs[2] = {double(-(width / 2)), double(width - width / 2)};
    const double ys[2] = {double(-(height / 2)), double(height - height / 2)};
    std::int64_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const double x : xs) {
        for (const double y : ys) {
            const auto tx = static_cast<std::int64_t>(x * k - y * s);
            const auto ty = static_cast<std::int64_t>(x * s + y * k);
            minX = std::min(minX, tx);
            maxX = std::max(maxX, tx);
            minY = std::min(minY, ty);
            maxY = std::max(maxY, ty);
        }
    }
    return {static_cast<std::int32_t>(maxX - minX), static_cast<std::int32_t>(maxY - minY)};
}

} // namespace CRotator
