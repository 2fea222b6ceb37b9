#include "platform/VirtualMemory.h"

#include <windows.h>

namespace vel::platform {

void* CommitVirtualMemory(std::size_t bytes) noexcept
{
    if (bytes == 0)
        return nullptr;
    return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void ReleaseVirtualMemory(void* address, std::size_t /*bytes*/) noexcept
{
    if (address)
        VirtualFree(address, 0, MEM_RELEASE);
}

} // namespace vel::platform
