#include "rastkit/CRotator.h"

#include <algorithm>
#include <cmath>
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

// Cubic convolution kernel, a = -1, for a distance in pixels.
inline double Kernel(double d)
{
    if (d <= 1.0)
        return (d - 2.0) * d * d + 1.0;
    if (d <= 2.0)
        return ((-d + 5.0) * d - 8.0) * d + 4.0;
    return 0.0;
}

// Copies dst(x, y) = src(column(x, y), row(x, y)) in square tiles so that reads down a source
// column stay in cache.
template <class Map>
void TurnTiled(const CLayerValues& src, CLayerValues& dst, Map map)
{
    const int w = dst.Width(), h = dst.Height();
    const std::size_t cs = std::size_t(dst.Colors());
    for (int ty = 0; ty < h; ty += kTile) {
        for (int tx = 0; tx < w; tx += kTile) {
            for (int y = ty; y < std::min(h, ty + kTile); ++y) {
                Value* out = dst.Row(y) + std::size_t(tx) * cs;
                for (int x = tx; x < std::min(w, tx + kTile); ++x, out += cs) {
                    int sx, sy;
                    map(x, y, sx, sy);
                    std::copy_n(src.Row(sy) + std::size_t(sx) * cs, cs, out);
                }
            }
        }
    }
}

} // namespace

bool Rotate90(const CLayerValues& src, CLayerValues& dst)
{
    if (!QuarterTurnFits(src, dst))
        return false;
    if (src.HasData() && dst.HasData()) {
        const int H = src.Height();
        TurnTiled(src, dst, [H](int x, int y, int& sx, int& sy) { sx = y; sy = H - 1 - x; });
    }
    return true;
}

bool Rotate270(const CLayerValues& src, CLayerValues& dst)
{
    if (!QuarterTurnFits(src, dst))
        return false;
    if (src.HasData() && dst.HasData()) {
        const int W = src.Width();
        TurnTiled(src, dst, [W](int x, int y, int& sx, int& sy) { sx = W - 1 - y; sy = x; });
    }
    return true;
}

void Rotate(const CLayerValues& src, CLayerValues& dst, int degrees)
{
    if (!dst.HasData())
        return;
    const int W = src.Width(), H = src.Height(), w = dst.Width(), h = dst.Height();
    const std::size_t cs = std::size_t(dst.Colors());
    const double theta = Normalised(degrees);
    const double s = std::sin((theta / 180) * kPi);
    const double k = std::cos((theta * kPi) / 180);
    // u * k and v * s are exact products either way; keeping them per column and row leaves the
    // per-pixel sums identical to evaluating the whole expression each time.
    std::vector<double> uk(static_cast<std::size_t>(w)), us(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x) {
        const double u = x - w / 2;
        uk[x] = u * k;
        us[x] = u * s;
    }
    const double halfW = W / 2, halfH = H / 2;
    for (int y = 0; y < h; ++y) {
        const double v = y - h / 2;
        const double vs = v * s, vk = v * k;
        Value* out = dst.Row(y);
        for (int x = 0; x < w; ++x, out += cs) {
            const double sx = uk[x] - vs + halfW;
            const double sy = us[x] + vk + halfH;
            // Out-of-range doubles cannot be cast; they are outside the source anyway.
            if (!(sx > -1.0 && sx < W && sy > -1.0 && sy < H)) {
                std::fill_n(out, cs, 0);
                continue;
            }
            const int i = static_cast<int>(sx), j = static_cast<int>(sy);
            if (i - 1 < 0 || i + 2 >= W || j - 1 < 0 || j + 2 >= H) {
                std::fill_n(out, cs, 0);
                continue;
            }
            const double fx = sx - i, fy = sy - j;
            const double wx[4] = {Kernel(1.0 + fx), Kernel(fx), Kernel(1.0 - fx), Kernel(2.0 - fx)};
            const double wy[4] = {Kernel(1.0 + fy), Kernel(fy), Kernel(1.0 - fy), Kernel(2.0 - fy)};
            for (std::size_t c = 0; c < cs; ++c) {
                double sum = 0.0;
                for (int a = 0; a < 4; ++a) {
                    const Value* in = src.Row(j - 1 + a) + std::size_t(i - 1) * cs + c;
                    const double across = wx[0] * in[0] + wx[1] * in[cs] + wx[2] * in[2 * cs] + wx[3] * in[3 * cs];
                    sum += wy[a] * across;
                }
                const double rounded = sum + 0.5;
                out[c] = rounded <= 0.0 ? 0 : rounded >= 255.0 ? 255 : static_cast<Value>(rounded);
            }
        }
    }
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
