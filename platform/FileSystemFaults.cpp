#include "platform/FileSystemFaults.h"

#include <algorithm>
#include <atomic>

namespace vel::platform {

namespace {

std::atomic<bool> g_limited{false};
std::atomic<std::size_t> g_left{0};

} // namespace

void testing::FailWritesAfter(std::size_t bytes)
{
    g_left.store(bytes);
    g_limited.store(true);
}

void testing::ClearWriteFailures()
{
    g_limited.store(false);
}

std::size_t WritableBytes(std::size_t wanted) noexcept
{
    if (!g_limited.load(std::memory_order_relaxed))
        return wanted;
    std::size_t left = g_left.load();
    std::size_t granted = 0;
    do
        granted = std::min(left, wanted);
    while (!g_left.compare_exchange_weak(left, left - granted));
    return granted;
}

} // namespace vel::platform
