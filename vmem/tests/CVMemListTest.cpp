#include "vmem/CVMemList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

namespace {

std::uintptr_t Addr(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

TEST(CVMemList, PiecesAreAlignedAndPackedFromTheLowEnd)
{
    CVMemList store(1 << 20);
    void* a = store.Allocate(100);
    void* b = store.Allocate(100);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Addr(a) % 64, 0u);
    EXPECT_EQ(Addr(b) - Addr(a), 128u);
    void* c = store.Allocate(64);
    EXPECT_EQ(Addr(c) - Addr(b), 128u);
    EXPECT_EQ(store.BlockCount(), 1u);
}

TEST(CVMemList, SpaceComesBackOnlyFromTheTop)
{
    CVMemList store(1 << 20);
    void* a = store.Allocate(100);
    void* b = store.Allocate(100);
    store.Free(b);
    EXPECT_EQ(store.Allocate(100), b) << "freeing the last piece makes its address reusable";

    store.Free(a);
    void* d = store.Allocate(100);
    EXPECT_NE(d, a) << "a hole below a live piece is not reused";
    EXPECT_EQ(Addr(d) - Addr(b), 128u);
}

TEST(CVMemList, EmptyBlocksAreReleasedAndFullOnesOverflowIntoNewBlocks)
{
    CVMemList store(4096);
    void* a = store.Allocate(4000);
    void* b = store.Allocate(200);  // does not fit in the remaining 64 bytes
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(store.BlockCount(), 2u);
    store.Free(a);
    EXPECT_EQ(store.BlockCount(), 1u);
    store.Free(b);
    EXPECT_EQ(store.BlockCount(), 0u);
}

TEST(CVMemList, OversizedRequestGetsABlockOfItsOwn)
{
    CVMemList store(4096);
    void* small = store.Allocate(10);
    void* big = store.Allocate(100000);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(store.BlockCount(), 2u);
    std::memset(big, 0xAB, 100000);  // the whole piece is usable
    store.Free(big);
    EXPECT_EQ(store.BlockCount(), 1u);
    store.Free(small);
}

TEST(CVMemList, UnknownAddressesAndNullAreIgnored)
{
    CVMemList store(4096);
    void* a = store.Allocate(10);
    int local = 0;
    store.Free(&local);
    store.Free(nullptr);
    store.Free(static_cast<char*>(a) + 64);  // inside the block but not a piece's start
    EXPECT_EQ(store.BlockCount(), 1u);
    EXPECT_EQ(store.Allocate(10), static_cast<char*>(a) + 64);
}

TEST(CVMemList, ImpossibleRequestsReturnNoneWithoutThrowing)
{
    CVMemList store(4096);
    EXPECT_EQ(store.Allocate(std::numeric_limits<std::size_t>::max()), nullptr);
    EXPECT_EQ(store.Allocate(std::numeric_limits<std::size_t>::max() / 2 + 12345), nullptr);
    EXPECT_EQ(store.BlockCount(), 0u);
    EXPECT_NE(store.Allocate(1), nullptr) << "the store still works afterwards";
}

TEST(CVMemList, ZeroByteRequestsGetDistinctAddresses)
{
    CVMemList store(4096);
    void* a = store.Allocate(0);
    void* b = store.Allocate(0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
}

TEST(CVMemList, TellsHowMuchOfAPieceEarlierPiecesMayHaveWritten)
{
    for (const std::size_t blockSize : {std::size_t(1) << 16, std::size_t(4) << 20}) {
        CVMemList store(blockSize);
        std::size_t worn = 99;
        auto* a = static_cast<unsigned char*>(store.Allocate(1000, &worn));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(worn, 0u) << "a new block is as the system gave it";
        for (std::size_t i = 0; i < 1000; ++i)
            ASSERT_EQ(a[i], 0) << i;
        auto* b = static_cast<unsigned char*>(store.Allocate(500, &worn));
        EXPECT_EQ(worn, 0u);
        std::memset(b, 0xAB, 500);
        store.Free(b);
        EXPECT_EQ(store.Allocate(800, &worn), b);
        EXPECT_EQ(worn, 500u) << "only the part the freed piece had";
        EXPECT_NE(store.Allocate(64, &worn), nullptr);
        EXPECT_EQ(worn, 0u);
        store.Free(a);
    }
}

TEST(CVMemList, ThreadsAllocatingAndFreeingTogetherKeepPiecesDisjoint)
{
    CVMemList store(1 << 16);
    auto worker = [&store](unsigned char mark) {
        std::vector<unsigned char*> mine;
        for (int round = 0; round < 2000; ++round) {
            const std::size_t size = 1 + (round * 37) % 3000;
            auto* p = static_cast<unsigned char*>(store.Allocate(size));
            ASSERT_NE(p, nullptr);
            std::memset(p, mark, size);
            mine.push_back(p);
            if (round % 3 == 2) {
                for (auto* q : mine) {
                    ASSERT_EQ(*q, mark) << "another thread wrote into this piece";
                    store.Free(q);
                }
                mine.clear();
            }
        }
        for (auto* q : mine)
            store.Free(q);
    };
    std::thread t1(worker, 0x11);
    std::thread t2(worker, 0x22);
    t1.join();
    t2.join();
    EXPECT_EQ(store.BlockCount(), 0u);
}

} // namespace
