#include "platform/VirtualMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace vel::platform {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

// A picture-sized block is written once from end to end soon after it is made; in 4 KiB pages
// that costs one fault per page, more than the work done on the pixels. Regions of at least one
// huge page are therefore placed on a 2 MiB boundary and offered to the kernel for huge pages
// (the advice is only a hint; smaller regions would gain nothing and could waste memory).
void* CommitLarge(std::size_t bytes) noexcept
{
    const std::size_t span = bytes + kHugePage;
    if (span < bytes)
        return nullptr;
    void* p = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    const auto aligned = (start + kHugePage - 1) & ~std::uintptr_t(kHugePage - 1);
    // Both ends beyond the aligned region go back at once (page-granular: mmap's length and the
    // alignment are whole pages).
    const std::size_t head = aligned - start;
    const std::uintptr_t end = start + span;
    const std::uintptr_t usedEnd = aligned + bytes;
    const std::size_t pageMask = std::size_t(sysconf(_SC_PAGESIZE)) - 1;
    const std::uintptr_t tailStart = (usedEnd + pageMask) & ~std::uintptr_t(pageMask);
    if (head != 0)
        munmap(p, head);
    if (tailStart < end)
        munmap(reinterpret_cast<void*>(tailStart), end - tailStart);
    void* region = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(region, bytes, MADV_HUGEPAGE);
#endif
    return region;
}

} // namespace

void* CommitVirtualMemory(std::size_t bytes) noexcept
{
    if (bytes == 0)
        return nullptr;
    if (bytes >= kHugePage)
        return CommitLarge(bytes);
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    return p == MAP_FAILED ? nullptr : p;
}

void ReleaseVirtualMemory(void* address, std::size_t bytes) noexcept
{
    if (address)
        munmap(address, bytes);
}

} // namespace vel::platform
