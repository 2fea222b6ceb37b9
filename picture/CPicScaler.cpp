#include "picture/CPicScaler.h"

#include <cstdint>
#include <vector>

namespace {

// The source span [first, end) of each target position along one axis.
void Spans(int sourceStart, int sourceSize, int targetSize, std::vector<int>& first, std::vector<int>& end)
{
    first.resize(static_cast<std::size_t>(targetSize));
    end.resize(static_cast<std::size_t>(targetSize));
    for (int t = 0; t < targetSize; ++t) {
        int a = static_cast<int>(std::int64_t(t) * sourceSize / targetSize);
        int b = static_cast<int>(std::int64_t(t + 1) * sourceSize / targetSize);
        if (b <= a)
            b = a + 1;
        if (b > sourceSize)
            b = sourceSize;
        if (a >= b)
            a = b - 1;
        first[static_cast<std::size_t>(t)] = sourceStart + a;
        end[static_cast<std::size_t>(t)] = sourceStart + b;
    }
}

}  // namespace

bool CPicScaler::Scale(const CPicScaleSource& source, const CPicScaleTarget& target)
{
    const int bpp = source.bytesPerPixel;
    if (!source.bytes || !target.bytes || bpp <= 0 || bpp > 4 || source.width <= 0 || source.height <= 0 ||
        target.width <= 0 || target.height <= 0)
        return false;
    std::vector<int> colFirst, colEnd, rowFirst, rowEnd;
    Spans(source.x, source.width, target.width, colFirst, colEnd);
    Spans(source.y, source.height, target.height, rowFirst, rowEnd);
    std::vector<std::uint64_t> sums(static_cast<std::size_t>(target.width) * bpp);
    for (int ty = 0; ty < target.height; ++ty) {
        const int y0 = rowFirst[static_cast<std::size_t>(ty)];
        const int y1 = rowEnd[static_cast<std::size_t>(ty)];
        std::fill(sums.begin(), sums.end(), 0);
        for (int sy = y0; sy < y1; ++sy) {
            const unsigned char* row = source.bytes + sy * source.stride;
            for (int tx = 0; tx < target.width; ++tx) {
                std::uint64_t* sum = &sums[static_cast<std::size_t>(tx) * bpp];
                const unsigned char* p = row + std::ptrdiff_t(colFirst[static_cast<std::size_t>(tx)]) * bpp;
                const unsigned char* stop = row + std::ptrdiff_t(colEnd[static_cast<std::size_t>(tx)]) * bpp;
                for (; p < stop; p += bpp)
                    for (int c = 0; c < bpp; ++c)
                        sum[c] += p[c];
            }
        }
        unsigned char* out = target.bytes + ty * target.stride;
        for (int tx = 0; tx < target.width; ++tx) {
            const std::uint64_t count = std::uint64_t(y1 - y0) *
                                        std::uint64_t(colEnd[static_cast<std::size_t>(tx)] - colFirst[static_cast<std::size_t>(tx)]);
            const std::uint64_t* sum = &sums[static_cast<std::size_t>(tx) * bpp];
            for (int c = 0; c < bpp; ++c)
                out[tx * bpp + c] = static_cast<unsigned char>((sum[c] + count / 2) / count);
        }
    }
    return true;
}
