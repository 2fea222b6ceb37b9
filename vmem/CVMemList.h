#pragma once
// The picture memory store: pixel buffers are cut from large blocks of committed virtual memory,
// handed out from a block's low end upwards and taken back from its top. A block is released to
// the system as soon as its last piece is freed.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class CVMemItem {
public:
    CVMemItem(std::size_t size, std::uint8_t* address) : m_size(size), m_address(address) {}
    virtual ~CVMemItem() = default;

    std::size_t Size() const { return m_size; }
    std::uint8_t* Address() const { return m_address; }

private:
    std::size_t m_size;
    std::uint8_t* m_address;
};

// One block. Pieces are kept oldest first; the next free address always follows the last piece.
class CVMemStack {
public:
    static constexpr std::size_t kAlignment = 64;

    // Returns null when neither virtual memory nor the heap can supply the block.
    static std::unique_ptr<CVMemStack> Make(std::size_t capacity);
    virtual ~CVMemStack();
    CVMemStack(const CVMemStack&) = delete;
    CVMemStack& operator=(const CVMemStack&) = delete;

    // Null when the free size is too small. worn: how many leading bytes of the piece may hold
    // values of earlier pieces; the rest is still as the system gave it, zero.
    void* Take(std::size_t size, std::size_t* worn = nullptr);
    bool Give(const void* address);      // false when no piece starts there
    bool Empty() const;

    std::uint8_t* Base() const { return m_base; }
    std::size_t Capacity() const { return m_capacity; }
    std::size_t FreeSize() const { return m_freeSize; }
    bool FromHeap() const { return m_fromHeap; }

private:
    CVMemStack(std::uint8_t* base, std::size_t capacity, bool fromHeap, void* heapBlock);
    void ResetNextFree();

    std::uint8_t* m_base;
    std::size_t m_capacity;
    bool m_fromHeap;
    void* m_heapBlock;             // what the heap gave, before alignment
    std::uint8_t* m_nextFree;
    std::uint8_t* m_wornEnd;       // end of the highest piece ever handed out
    std::size_t m_freeSize;
    std::vector<CVMemItem> m_items;
    mutable std::mutex m_lock;
};

class CVMemList {
public:
    explicit CVMemList(std::size_t blockSize);
    virtual ~CVMemList();
    CVMemList(const CVMemList&) = delete;
    CVMemList& operator=(const CVMemList&) = delete;

    // Null when the memory cannot be had; never throws. worn: as for CVMemStack::Take, so that a
    // caller who wants zeros clears only what earlier pieces may have written.
    void* Allocate(std::size_t size, std::size_t* worn = nullptr) noexcept;
    // An address that no block holds is ignored.
    void Free(const void* address) noexcept;

    std::size_t BlockSize() const { return m_blockSize; }
    std::size_t BlockCount() const;

private:
    std::size_t m_blockSize;
    std::vector<std::unique_ptr<CVMemStack>> m_blocks;  // most recently made first
    mutable std::mutex m_lock;
};
