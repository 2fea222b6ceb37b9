#pragma once
// The large pixel operations split their rows into bands that run on the machine's cores. A band
// computes exactly what one thread computes for those rows, so results never depend on the number
// of threads; only pictures above a megapixel are split, smaller ones are not worth the start-up.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace CParallel {

constexpr std::size_t kMinPixels = 1000000;

// 0 means one thread per core (the default). For the benchmarks and tests; no export sets it.
void SetThreads(int count);
int Threads();
// Operations on at most this many pixels stay on the calling thread.
void SetMinPixels(std::size_t pixels);
std::size_t MinPixels();

// How many bands an operation over count rows, pixels pixels in all, is split into (1: no split).
int Bands(int count, std::size_t pixels);
inline int BandBegin(int count, int bands, int band)
{
    return static_cast<int>(std::int64_t(count) * band / bands);
}

// Runs work(band) for every band 0 ... bands - 1 on up to Threads() threads, the calling one among
// them, and returns when all are done. The first exception a band throws is rethrown here.
void Run(int bands, const std::function<void(int)>& work);

// work(begin, end) over the bands of the rows 0 ... count - 1.
void ForBands(int count, std::size_t pixels, const std::function<void(int, int)>& work);

// The thread settings for one scope (tests and benchmarks), restored when it ends.
class CScopedThreads {
public:
    CScopedThreads(int threads, std::size_t minPixels = kMinPixels);
    ~CScopedThreads();
    CScopedThreads(const CScopedThreads&) = delete;
    CScopedThreads& operator=(const CScopedThreads&) = delete;

private:
    int m_threads;
    std::size_t m_minPixels;
};

} // namespace CParallel
