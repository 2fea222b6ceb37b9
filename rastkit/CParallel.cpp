#include "rastkit/CParallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace CParallel {

namespace {

std::atomic<int> g_threads{0};
std::atomic<std::size_t> g_minPixels{kMinPixels};

} // namespace

void SetThreads(int count) { g_threads.store(std::clamp(count, 0, kMaxThreads)); }

int Threads()
{
    const int set = g_threads.load();
    if (set > 0)
        return set;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min(cores, unsigned(kMaxThreads)));
}

void SetMinPixels(std::size_t pixels) { g_minPixels.store(pixels); }
std::size_t MinPixels() { return g_minPixels.load(); }

int Bands(int count, std::size_t pixels)
{
    if (count <= 1 || pixels <= MinPixels())
        return 1;
    // Several bands per thread, taken in turn, even out rows of unequal cost (the empty corners
    // of a rotation).
    const int threads = Threads();
    return threads <= 1 ? 1 : std::min(count, threads * kBandsPerThread);
}

void Run(int bands, CWork work)
{
    if (bands <= 0)
        return;
    const int threads = std::min(Threads(), bands);
    if (threads <= 1) {
        for (int b = 0; b < bands; ++b)
            work(b, 0);
        return;
    }
    std::atomic<int> next{0};
    std::mutex errorLock;
    std::exception_ptr error;
    auto take = [&]() noexcept {
        for (int b = next.fetch_add(1); b < bands; b = next.fetch_add(1)) {
            try {
                work(b, 0);
            } catch (...) {
                const std::lock_guard<std::mutex> guard(errorLock);
                if (!error)
                    error = std::current_exception();
            }
        }
    };
    std::vector<std::thread> helpers;
    try {
        helpers.reserve(std::size_t(threads - 1));
        for (int t = 1; t < threads; ++t)
            helpers.emplace_back(take);
    } catch (...) {
        // Fewer threads than asked for: the bands are shared among those that did start.
    }
    take();
    for (auto& helper : helpers)
        helper.join();
    if (error)
        std::rethrow_exception(error);
}

void ForBands(int count, std::size_t pixels, CWork work)
{
    if (count <= 0)
        return;
    const int bands = Bands(count, pixels);
    if (bands == 1) {
        work(0, count);
        return;
    }
    auto band = [&](int b, int) { work(BandBegin(count, bands, b), BandBegin(count, bands, b + 1)); };
    Run(bands, CWork(band));
}

CScopedThreads::CScopedThreads(int threads, std::size_t minPixels)
    : m_threads(g_threads.load()), m_minPixels(g_minPixels.load())
{
    SetThreads(threads);
    SetMinPixels(minPixels);
}

CScopedThreads::~CScopedThreads()
{
    SetThreads(m_threads);
    SetMinPixels(m_minPixels);
}

} // namespace CParallel
