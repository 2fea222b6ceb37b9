#include "vmem/CVMemList.h"

#include "platform/VirtualMemory.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

constexpr std::size_t kMaxRequest = std::numeric_limits<std::size_t>::max() - 2 * CVMemStack::kAlignment;

std::size_t RoundUp(std::size_t n)
{
    return (n + CVMemStack::kAlignment - 1) & ~(CVMemStack::kAlignment - 1);
}

std::uint8_t* RoundUp(std::uint8_t* p)
{
    const auto v = reinterpret_cast<std::uintptr_t>(p);
    return reinterpret_cast<std::uint8_t*>((v + CVMemStack::kAlignment - 1) & ~std::uintptr_t(CVMemStack::kAlignment - 1));
}

} // namespace

std::unique_ptr<CVMemStack> CVMemStack::Make(std::size_t capacity)
{
    if (capacity == 0 || capacity > kMaxRequest)
        return nullptr;
    if (void* vm = vel::platform::CommitVirtualMemory(capacity))
        return std::unique_ptr<CVMemStack>(new (std::nothrow) CVMemStack(static_cast<std::uint8_t*>(vm), capacity, false, nullptr));
    // Pieces must stay 64-byte aligned, so the heap block carries room to align its start.
    void* raw = std::malloc(capacity + kAlignment);
    if (!raw)
        return nullptr;
    auto* base = RoundUp(static_cast<std::uint8_t*>(raw));
    return std::unique_ptr<CVMemStack>(new (std::nothrow) CVMemStack(base, capacity, true, raw));
}

CVMemStack::CVMemStack(std::uint8_t* base, std::size_t capacity, bool fromHeap, void* heapBlock)
    : m_base(base), m_capacity(capacity), m_fromHeap(fromHeap), m_heapBlock(heapBlock),
      m_nextFree(base), m_wornEnd(fromHeap ? base + capacity : base), m_freeSize(capacity)
{
}

CVMemStack::~CVMemStack()
{
    if (m_fromHeap)
        std::free(m_heapBlock);
    else
        vel::platform::ReleaseVirtualMemory(m_base, m_capacity);
}

void* CVMemStack::Take(std::size_t size, std::size_t* worn)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const std::size_t needed = RoundUp(size == 0 ? 1 : size);
    if (m_freeSize < needed)
        return nullptr;
    std::uint8_t* address = m_nextFree;
    m_items.emplace_back(size, address);
    ResetNextFree();
    // Heap blocks count as worn from the start (m_wornEnd is their end).
    if (worn)
        *worn = m_wornEnd <= address ? 0 : std::min(size, std::size_t(m_wornEnd - address));
    if (m_wornEnd < address + size)
        m_wornEnd = address + size;
    return address;
}

bool CVMemStack::Give(const void* address)
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (it->Address() == address) {
            m_items.erase(it);
            ResetNextFree();
            return true;
        }
    }
    return false;
}

bool CVMemStack::Empty() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_items.empty();
}

// Space below the last piece is only reused once every later piece is gone.
void CVMemStack::ResetNextFree()
{
    if (m_items.empty()) {
        m_nextFree = m_base;
    } else {
        const CVMemItem& last = m_items.back();
        m_nextFree = RoundUp(last.Address() + (last.Size() == 0 ? 1 : last.Size()));
    }
    m_freeSize = m_capacity - static_cast<std::size_t>(m_nextFree - m_base);
}

CVMemList::CVMemList(std::size_t blockSize) : m_blockSize(blockSize == 0 ? CVMemStack::kAlignment : blockSize)
{
}

CVMemList::~CVMemList() = default;

std::size_t CVMemList::BlockCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_blocks.size();
}

void* CVMemList::Allocate(std::size_t size, std::size_t* worn) noexcept
{
    if (size > kMaxRequest)
        return nullptr;
    std::lock_guard<std::mutex> guard(m_lock);
    try {
        if (size <= m_blockSize) {
            for (auto& block : m_blocks) {
                if (void* p = block->Take(size, worn))
                    return p;
            }
        }
        // An oversized request gets a block of its own, released again when the piece is freed.
        auto block = CVMemStack::Make(size <= m_blockSize ? m_blockSize : RoundUp(size));
        if (!block)
            return nullptr;
        void* p = block->Take(size, worn);
        m_blocks.insert(m_blocks.begin(), std::move(block));
        return p;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CVMemList::Free(const void* address) noexcept
{
    if (!address)
        return;
    std::lock_guard<std::mutex> guard(m_lock);
    for (auto it = m_blocks.begin(); it != m_blocks.end(); ++it) {
        if ((*it)->Give(address)) {
            if ((*it)->Empty())
                m_blocks.erase(it);
            return;
        }
    }
}
