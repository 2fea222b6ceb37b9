#pragma once
// The large pixel operations split their rows into bands that run on the machine's cores. A band
// computes exactly what one thread computes for those rows, so results never depend on the number
// of threads; only pictures above a megapixel are split, smaller ones are not worth the start-up.
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace CParallel {

constexpr std::size_t kMinPixels = 1000000;
constexpr int kMaxThreads = 64;
constexpr int kBandsPerThread = 4;
constexpr int kMaxBands = kMaxThreads * kBandsPerThread;

// 0 means one thread per core (the default). For the benchmarks and tests; no export sets it.
void SetThreads(int count);
int Threads();
// Operations on at most this many pixels stay on the calling thread.
void SetMinPixels(std::size_t pixels);
std::size_t MinPixels();

// How many bands an operation over count rows, pixels pixels in all, is split into (1: no split,
// at most kMaxBands).
int Bands(int count, std::size_t pixels);
inline int BandBegin(int count, int bands, int band)
{
    return static_cast<int>(std::int64_t(count) * band / bands);
}

// A borrowed callable taking two ints, so that handing work over allocates nothing.
class CWork {
public:
    template <class F, class = std::enable_if_t<!std::is_same_v<std::remove_const_t<F>, CWork>>>
    CWork(F& f) : m_object(&f), m_call([](void* o, int a, int b) { (*static_cast<F*>(o))(a, b); })
    {
    }
    void operator()(int a, int b) const { m_call(m_object, a, b); }

private:
    void* m_object;
    void (*m_call)(void*, int, int);
};

// Runs work(band, 0) for every band 0 ... bands - 1 on up to Threads() threads, the calling one
// among them, and returns when all are done. Threads that cannot be started leave their bands to
// the others; the first exception a band throws is rethrown here once all are done.
void Run(int bands, CWork work);

// work(begin, end) over the bands of the rows 0 ... count - 1.
void ForBands(int count, std::size_t pixels, CWork work);

template <class F>
void Run(int bands, const F& work)
{
    auto call = [&](int band, int) { work(band); };
    Run(bands, CWork(call));
}

template <class F>
void ForBands(int count, std::size_t pixels, const F& work)
{
    auto call = [&](int begin, int end) { work(begin, end); };
    ForBands(count, pixels, CWork(call));
}

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
