#pragma once
// Committed virtual memory for the picture memory store. The Win32 build uses VirtualAlloc,
// the native build mmap; both return null instead of throwing when the system refuses.
#include <cstddef>

namespace vel::platform {

void* CommitVirtualMemory(std::size_t bytes) noexcept;
void ReleaseVirtualMemory(void* address, std::size_t bytes) noexcept;

} // namespace vel::platform
