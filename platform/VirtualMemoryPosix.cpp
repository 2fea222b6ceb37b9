#include "platform/VirtualMemory.h"

#include <sys/mman.h>

namespace vel::platform {

void* CommitVirtualMemory(std::size_t bytes) noexcept
{
    if (bytes == 0)
        return nullptr;
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    return p == MAP_FAILED ? nullptr : p;
}

void ReleaseVirtualMemory(void* address, std::size_t bytes) noexcept
{
    if (address)
        munmap(address, bytes);
}

} // namespace vel::platform
