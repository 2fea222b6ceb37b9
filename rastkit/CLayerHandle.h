#pragma once
// Handle arithmetic: the low 20 bits name a base picture, every further 4 bits one step down the
// layer tree (index 1-15 among the parent's children).
#include <cstdint>

namespace CLayerHandle {

constexpr std::uint32_t kIdMask = 0xFFFFF;
constexpr int kIdBits = 20;
constexpr int kLevelBits = 4;
constexpr int kMaxLevel = 3;          // 20 + 3 * 4 = 32 bits
constexpr int kMaxChildren = 15;

constexpr std::uint32_t IdOf(std::uint32_t handle) { return handle & kIdMask; }

// Bits that name a layer of this level and all its ancestors.
constexpr std::uint32_t FamilyMask(int level)
{
    const int bits = kIdBits + kLevelBits * level;
    return bits >= 32 ? 0xFFFFFFFFu : (std::uint32_t(1) << bits) - 1;
}

constexpr bool InSubtree(std::uint32_t handle, std::uint32_t ancestor, int ancestorLevel)
{
    return (handle & FamilyMask(ancestorLevel)) == ancestor;
}

// The step between sibling handles of a layer of this level (1 for level 1 gives 0x100000).
constexpr std::uint32_t ChildStep(int level)
{
    return std::uint32_t(1) << (kIdBits + kLevelBits * (level - 1));
}

} // namespace CLayerHandle
