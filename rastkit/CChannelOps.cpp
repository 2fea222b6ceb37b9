#include "rastkit/CChannelOps.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace CChannelOps {

namespace {

using Value = std::int32_t;
constexpr int kMaxKernelSide = 1024;

bool HasChannel(const CLayerPict& layer, int channel)
{
    return channel >= 0 && channel < layer.Colors() && layer.Values().HasData();
}

template <class F>
void ForChannel(CLayerPict& layer, int channel, F f)
{
    auto& v = layer.Values();
    const std::size_t cs = std::size_t(v.Colors());
    Value* p = v.Data() + channel;
    for (std::size_t n = std::size_t(v.Width()) * v.Height(); n > 0; --n, p += cs)
        *p = f(*p);
}

Value Wrap(std::int64_t v) { return static_cast<Value>(static_cast<std::uint32_t>(v)); }

} // namespace

bool Filter(CLayerPict& layer, int channel, int rows, int columns, const std::int32_t* kernel)
{
    if (!kernel || rows <= 0 || columns <= 0 || rows > kMaxKernelSide || columns > kMaxKernelSide)
        return false;
    if (!HasChannel(layer, channel))
        return false;
    auto& m = layer.margins;
    m = {(rows - 1) / 2, (columns - 1) / 2, columns / 2, rows / 2};
    auto& v = layer.Values();
    const int w = v.Width(), h = v.Height();
    const std::size_t cs = std::size_t(v.Colors());
    std::vector<Value> old(std::size_t(w) * h);
    for (std::size_t i = 0; i < old.size(); ++i)
        old[i] = v.Data()[i * cs + channel];
    std::vector<std::int64_t> sum(old.size(), 0);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            const std::int64_t k = kernel[std::size_t(i) * columns + j];
            if (k == 0)
                continue;
            const int dy = i - rows / 2, dx = j - columns / 2;
            for (int y = 0; y < h; ++y) {
                const bool innerRow = y >= m.top && y < h - m.bottom;
                // With an even kernel the shift can reach one past the edge; reads are held inside.
                const int sy = std::clamp(y + dy, 0, h - 1);
                for (int x = 0; x < w; ++x) {
                    const bool inner = innerRow && x >= m.left && x < w - m.right;
                    const std::size_t at = std::size_t(y) * w + x;
                    const std::size_t from = inner ? std::size_t(sy) * w + std::clamp(x + dx, 0, w - 1) : at;
                    sum[at] += k * old[from];
                }
            }
        }
    }
    for (std::size_t i = 0; i < sum.size(); ++i)
        v.Data()[i * cs + channel] = Wrap(sum[i]);
    return true;
}

bool Divide(CLayerPict& layer, int channel, int divisor)
{
    if (divisor == 0 || !HasChannel(layer, channel))
        return false;
    ForChannel(layer, channel, [divisor](Value x) { return Wrap(std::int64_t(x) / divisor); });
    return true;
}

bool Levels(CLayerPict& layer, int channel, int inHigh, int inLow, int outHigh, int outLow)
{
    if (!HasChannel(layer, channel) || outHigh == outLow || inHigh == inLow)
        return false;
    const double scale = double(std::int64_t(inHigh) - inLow) / double(std::int64_t(outHigh) - outLow);
    ForChannel(layer, channel, [=](Value x) {
        const double moved = std::clamp((double(x) - inLow) / scale, -4294967296.0, 4294967296.0);
        std::int64_t r = outLow + static_cast<std::int64_t>(moved);
        if (r >= outHigh)
            r = outHigh;
        if (r <= outLow)
            r = outLow;
        return Wrap(r);
    });
    return true;
}

bool Shift(CLayerPict& layer, int channel, int amount)
{
    if (!HasChannel(layer, channel) || channel > 3)
        return false;
    const std::int64_t lower = layer.Lower(channel), upper = layer.Upper(channel), cycle = upper - lower;
    if (cycle <= 0)
        return false;
    // The same as subtracting or adding the cycle while outside [lower, upper), in one step.
    ForChannel(layer, channel, [=](Value x) {
        std::int64_t r = std::int64_t(x) + amount;
        if (r >= upper)
            r = upper - cycle + (r - upper) % cycle;
        else if (r < lower)
            r = upper - 1 - (lower - 1 - r) % cycle;
        return Wrap(r);
    });
    return true;
}

bool Histogram(const CLayerPict& layer, int channel, int high, int low, int bins, std::int32_t* out)
{
    if (!out || bins <= 1 || !HasChannel(layer, channel))
        return false;
    const std::int64_t width = (std::int64_t(high) - low) / (bins - 1);
    if (width == 0)
        return false;
    std::fill_n(out, bins, 0);
    const auto& v = layer.Values();
    const std::size_t cs = std::size_t(v.Colors());
    const Value* p = v.Data() + channel;
    for (std::size_t n = std::size_t(v.Width()) * v.Height(); n > 0; --n, p += cs)
        ++out[std::clamp<std::int64_t>((*p - std::int64_t(low)) / width, 0, bins - 1)];
    return true;
}

bool JointHistogram(const CLayerPict& layer, int channel1, int high1, int low1, int channel2, int high2, int low2,
                    int bins1, int bins2, std::int32_t* out)
{
    if (!out || bins1 <= 0 || bins2 <= 0 || std::int64_t(bins1) * bins2 > 0x10000000)
        return false;
    if (!HasChannel(layer, channel1) || !HasChannel(layer, channel2))
        return false;
    const std::int64_t width1 = (std::int64_t(high1) - low1) / bins1;
    const std::int64_t width2 = (std::int64_t(high2) - low2) / bins2;
    if (width1 == 0 || width2 == 0)
        return false;
    std::fill_n(out, std::size_t(bins1) * bins2, 0);
    const auto& v = layer.Values();
    const std::size_t cs = std::size_t(v.Colors());
    const Value* p = v.Data();
    for (std::size_t n = std::size_t(v.Width()) * v.Height(); n > 0; --n, p += cs) {
        const std::int64_t t = std::clamp<std::int64_t>((p[channel1] - std::int64_t(low1)) / width1, 0, bins1 - 1);
        const std::int64_t s = std::clamp<std::int64_t>((p[channel2] - std::int64_t(low2)) / width2, 0, bins2 - 1);
        ++out[s + bins2 * t];
    }
    return true;
}

bool Cut(const CLayerValues& src, CLayerValues& dst, int top, int left)
{
    if (src.Colors() != dst.Colors() || top < 0 || left < 0 ||
        std::int64_t(top) + dst.Height() > src.Height() || std::int64_t(left) + dst.Width() > src.Width())
        return false;
    if (!dst.HasData())
        return true;
    const std::size_t cs = std::size_t(dst.Colors());
    for (int i = 0; i < dst.Height(); ++i)
        std::memcpy(dst.Row(i), src.Row(top + i) + std::size_t(left) * cs, dst.RowValues() * sizeof(Value));
    return true;
}

} // namespace CChannelOps
