#include "doc/CDataList.h"
#include "doc/CTypeDataList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <list>
#include <random>
#include <thread>
#include <vector>

namespace {

void* Tok(std::intptr_t v) { return reinterpret_cast<void*>(v); }
std::intptr_t Val(const void* p) { return reinterpret_cast<std::intptr_t>(p); }

// Every node's position, both directions of the links, and the count agree with the list's order.
void ExpectConsistent(const CDataList& list, const std::list<std::intptr_t>* model = nullptr)
{
    int pos = 0;
    const CListNode* prev = nullptr;
    auto it = model ? model->begin() : std::list<std::intptr_t>::const_iterator();
    for (CListNode* n = list.Head(); n; n = list.Next(n), ++pos) {
        ASSERT_EQ(list.NodeAt(pos), n) << "position " << pos;
        ASSERT_EQ(list.PositionOf(n), pos);
        ASSERT_EQ(list.Prev(n), prev);
        if (model) {
            ASSERT_EQ(Val(list.Item(n)), *it);
            ++it;
        }
        prev = n;
    }
    EXPECT_EQ(pos, list.Count());
    EXPECT_EQ(list.Tail(), prev);
    EXPECT_EQ(list.NodeAt(list.Count()), nullptr);
}

TEST(CDataList, InsertsAtTheEndsAndInTheMiddle)
{
    CDataList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Head(), nullptr);
    CListNode* b = list.InsertTail(Tok(2));
    CListNode* a = list.InsertBefore(b, Tok(1));
    EXPECT_EQ(list.Head(), a);
    CListNode* d = list.InsertAfter(b, Tok(4));
    EXPECT_EQ(list.Tail(), d);
    list.InsertAfter(b, Tok(3));
    list.InsertHead(Tok(0));
    std::list<std::intptr_t> model{0, 1, 2, 3, 4};
    ExpectConsistent(list, &model);
}

TEST(CDataList, RemovingTheHeadShiftsEveryPosition)
{
    CDataList list;
    std::vector<CListNode*> nodes;
    for (int i = 0; i < 3000; ++i)
        nodes.push_back(list.InsertTail(Tok(i)));
    EXPECT_EQ(Val(list.Remove(list.NodeAt(0))), 0);
    for (int i = 1; i < 3000; i += 97)
        EXPECT_EQ(list.PositionOf(nodes[i]), i - 1);
    ExpectConsistent(list);
}

TEST(CDataList, TheFullChunkSplitsInto512And513)
{
    CDataList list;
    std::vector<CListNode*> nodes;
    for (int i = 0; i < CDataList::kChunkSize; ++i)
        nodes.push_back(list.InsertTail(Tok(i)));
    EXPECT_EQ(list.ChunkCount(), 1);
    CListNode* extra = list.InsertTail(Tok(1024));
    EXPECT_EQ(list.ChunkCount(), 2);
    EXPECT_NE(nodes[0]->tag, extra->tag);
    EXPECT_EQ(nodes[511]->tag, nodes[0]->tag);
    EXPECT_EQ(nodes[512]->tag, extra->tag);
    EXPECT_EQ(list.PositionOf(extra), 1024);
    ExpectConsistent(list);

    // Inserting into the lower half of a full chunk also lands in the right place.
    CDataList middle;
    for (int i = 0; i < CDataList::kChunkSize; ++i)
        middle.InsertTail(Tok(i));
    CListNode* n = middle.InsertAt(100, Tok(-1));
    EXPECT_EQ(middle.PositionOf(n), 100);
    EXPECT_EQ(middle.ChunkCount(), 2);
    ExpectConsistent(middle);
}

TEST(CDataList, TagCounterWrapsAndSkipsTagsInUse)
{
    CDataList list;
    list.SetNextTag(CDataList::kMaxTag);
    CListNode* first = list.InsertTail(Tok(0));
    EXPECT_EQ(first->tag, CDataList::kMaxTag);
    for (int i = 1; i <= CDataList::kChunkSize; ++i)
        list.InsertTail(Tok(i));
    EXPECT_EQ(list.Tail()->tag, 1) << "30000 is in use, so the split takes 1";

    // Tags 30000 and 1 are in use; with the counter back at 30000 the next chunk takes 2.
    list.SetNextTag(CDataList::kMaxTag);
    for (int i = 0; i < 600; ++i)
        list.InsertTail(Tok(i));
    EXPECT_EQ(list.Tail()->tag, 2);
    ExpectConsistent(list);
}

TEST(CDataList, BadNodesAndPositionsGiveNone)
{
    CDataList list;
    CDataList other;
    CListNode* mine = list.InsertTail(Tok(1));
    CListNode* foreign = other.InsertTail(Tok(2));
    EXPECT_EQ(list.NodeAt(-1), nullptr);
    EXPECT_EQ(list.NodeAt(1), nullptr);
    EXPECT_EQ(list.PositionOf(nullptr), -1);
    EXPECT_EQ(list.PositionOf(foreign), -1) << "same tag, but not listed here";
    EXPECT_EQ(list.InsertAfter(nullptr, Tok(3)), nullptr);
    EXPECT_EQ(list.InsertBefore(foreign, Tok(3)), nullptr);
    EXPECT_EQ(list.InsertAt(5, Tok(3)), nullptr);
    EXPECT_EQ(list.InsertAt(-1, Tok(3)), nullptr);
    EXPECT_EQ(list.Remove(foreign), nullptr);
    EXPECT_EQ(list.Remove(nullptr), nullptr);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(other.Count(), 1);
    EXPECT_EQ(list.Item(mine), Tok(1));
}

TEST(CDataList, ClearHandsBackEveryItemInOrder)
{
    CDataList list;
    for (int i = 0; i < 2500; ++i)
        list.InsertTail(Tok(i));
    std::vector<std::intptr_t> seen;
    list.Clear([&](void* item) { seen.push_back(Val(item)); });
    ASSERT_EQ(seen.size(), 2500u);
    for (int i = 0; i < 2500; ++i)
        ASSERT_EQ(seen[i], i);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ChunkCount(), 0);
    list.InsertTail(Tok(7));
    ExpectConsistent(list);
}

// Positions stay right under any mix of operations, compared with std::list.
TEST(CDataList, RandomOperationsMatchStdList)
{
    std::mt19937 rng(20261208);
    CDataList list;
    std::list<std::intptr_t> model;
    std::intptr_t next = 1;
    for (int step = 0; step < 20000; ++step) {
        const int count = list.Count();
        ASSERT_EQ(count, static_cast<int>(model.size()));
        const int op = static_cast<int>(rng() % 10);
        const int pos = count ? static_cast<int>(rng() % count) : 0;
        auto at = std::next(model.begin(), pos);
        if (op < 6 || count == 0) {
            const std::intptr_t v = next++;
            switch (rng() % 4) {
            case 0:
                list.InsertHead(Tok(v));
                model.push_front(v);
                break;
            case 1:
                list.InsertTail(Tok(v));
                model.push_back(v);
                break;
            case 2:
                if (count == 0) { list.InsertHead(Tok(v)); model.push_front(v); break; }
                list.InsertAfter(list.NodeAt(pos), Tok(v));
                model.insert(std::next(at), v);
                break;
            default:
                if (count == 0) { list.InsertHead(Tok(v)); model.push_front(v); break; }
                list.InsertBefore(list.NodeAt(pos), Tok(v));
                model.insert(at, v);
                break;
            }
        } else {
            ASSERT_EQ(Val(list.Remove(list.NodeAt(pos))), *at);
            model.erase(at);
        }
        if (step % 2500 == 0)
            ExpectConsistent(list, &model);
    }
    ExpectConsistent(list, &model);
    while (list.Count() > 0) {
        list.Remove(list.NodeAt(list.Count() / 2));
        model.erase(std::next(model.begin(), static_cast<long>(model.size() / 2)));
    }
    ExpectConsistent(list, &model);
    EXPECT_EQ(list.ChunkCount(), 0);
}

// The chunks as a walk over a chain of chunks would keep them: full chunks split into 512 and 513
// entries, the upper half under a new tag from the counter (wrapping at 30000, skipping tags in
// use), empty chunks released.
class CChunkModel {
public:
    void Insert(int pos, CListNode* node)
    {
        if (m_chunks.empty())
            m_chunks.push_back({NewTag(), {}});
        std::size_t c = Holding(pos);
        int first = FirstOf(c);
        if (m_chunks[c].nodes.size() == CDataList::kChunkSize) {
            Chunk upper{NewTag(), {m_chunks[c].nodes.begin() + 512, m_chunks[c].nodes.end()}};
            m_chunks[c].nodes.resize(512);
            m_chunks.insert(m_chunks.begin() + static_cast<long>(c) + 1, upper);
            if (pos >= first + 512) {
                ++c;
                first += 512;
            }
        }
        auto& nodes = m_chunks[c].nodes;
        nodes.insert(nodes.begin() + (pos - first), node);
    }
    void Remove(int pos)
    {
        const std::size_t c = Holding(pos);
        auto& nodes = m_chunks[c].nodes;
        nodes.erase(nodes.begin() + (pos - FirstOf(c)));
        if (nodes.empty())
            m_chunks.erase(m_chunks.begin() + static_cast<long>(c));
    }
    void SetNextTag(int tag) { m_nextTag = tag; }
    int Count() const { return FirstOf(m_chunks.size()); }
    // Every node carries its chunk's tag and the chunk count agrees.
    void ExpectMatches(const CDataList& list) const
    {
        ASSERT_EQ(list.ChunkCount(), static_cast<int>(m_chunks.size()));
        int pos = 0;
        for (const Chunk& chunk : m_chunks) {
            for (const CListNode* node : chunk.nodes) {
                ASSERT_EQ(node->tag, chunk.tag) << "position " << pos;
                ASSERT_EQ(list.PositionOf(node), pos);
                ++pos;
            }
        }
        ASSERT_EQ(list.NextTag(), m_nextTag);
    }

private:
    struct Chunk {
        int tag;
        std::vector<CListNode*> nodes;
    };
    int NewTag()
    {
        auto used = [&](int tag) {
            return std::any_of(m_chunks.begin(), m_chunks.end(), [&](const Chunk& c) { return c.tag == tag; });
        };
        while (used(m_nextTag))
            m_nextTag = m_nextTag >= CDataList::kMaxTag ? 1 : m_nextTag + 1;
        return m_nextTag;
    }
    int FirstOf(std::size_t c) const
    {
        int first = 0;
        for (std::size_t i = 0; i < c; ++i)
            first += static_cast<int>(m_chunks[i].nodes.size());
        return first;
    }
    std::size_t Holding(int pos) const
    {
        int first = 0;
        for (std::size_t i = 0; i + 1 < m_chunks.size(); ++i) {
            first += static_cast<int>(m_chunks[i].nodes.size());
            if (pos < first)
                return i;
        }
        return m_chunks.size() - 1;
    }

    std::vector<Chunk> m_chunks;
    int m_nextTag = 1;
};

// Splits, releases and tags as the chunk chain had them, under inserts and removals anywhere,
// bursts at one place and a tag counter near its wrap; positions checked after every step.
TEST(CDataList, ChunksSplitReleaseAndTagAsBefore)
{
    std::mt19937 rng(314);
    CDataList list;
    CChunkModel model;
    list.SetNextTag(CDataList::kMaxTag - 3);
    model.SetNextTag(CDataList::kMaxTag - 3);
    int hot = 0;
    for (int step = 0; step < 40000; ++step) {
        const int count = list.Count();
        if (step % 4000 == 0)
            hot = count ? static_cast<int>(rng() % static_cast<unsigned>(count)) : 0;
        // Mostly near one place, as typing and layouts go; sometimes anywhere.
        int pos = rng() % 4 ? hot + static_cast<int>(rng() % 16) - 8 : static_cast<int>(rng() % static_cast<unsigned>(count + 1));
        pos = std::clamp(pos, 0, count);
        // Growing and shrinking phases, so that chunks split and are released again.
        const bool insert = count == 0 || ((step / 10000) % 2 == 0 ? rng() % 10 < 7 : rng() % 10 < 3);
        if (insert) {
            CListNode* node = list.InsertAt(pos, Tok(step));
            ASSERT_NE(node, nullptr);
            model.Insert(pos, node);
        } else {
            pos = std::min(pos, count - 1);
            CListNode* node = list.NodeAt(pos);
            ASSERT_EQ(list.PositionOf(node), pos) << "step " << step;
            void* item = list.Item(node);
            ASSERT_EQ(list.Remove(node), item);
            model.Remove(pos);
        }
        ASSERT_EQ(model.Count(), list.Count()) << "step " << step;
        const int probe = list.Count() ? static_cast<int>(rng() % static_cast<unsigned>(list.Count())) : 0;
        if (CListNode* n = list.NodeAt(probe)) {
            ASSERT_EQ(list.PositionOf(n), probe) << "step " << step;
        }
        if (step % 997 == 0)
            model.ExpectMatches(list);
    }
    model.ExpectMatches(list);
    ExpectConsistent(list);
}

// Blocks of walk steps read the same items as single steps, across chunk boundaries, from any
// node, in both directions, also for a node that is not in the list (followed by its links).
TEST(CDataList, BlockStepsReadWhatSingleStepsRead)
{
    std::mt19937 rng(27);
    CDataList list;
    for (int i = 0; i < 5000; ++i)
        list.InsertAt(static_cast<int>(rng() % static_cast<unsigned>(list.Count() + 1)), Tok(i));
    ASSERT_GT(list.ChunkCount(), 4);
    for (int round = 0; round < 300; ++round) {
        const bool forward = rng() % 2 == 0;
        const int max = 1 + static_cast<int>(rng() % 300);
        CListNode* single = list.NodeAt(static_cast<int>(rng() % 5000));
        CListNode* block = single;
        void* items[300];
        const int n = forward ? list.StepForward(block, items, max) : list.StepBackward(block, items, max);
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(items[i], forward ? list.StepForward(single) : list.StepBackward(single)) << "round " << round;
        ASSERT_EQ(block, single) << "round " << round;
        ASSERT_TRUE(n == max || !block) << "a short block ends the walk";
    }
    CDataList other;
    CListNode* foreign = other.InsertTail(Tok(1));
    other.InsertTail(Tok(2));
    void* items[4];
    ASSERT_EQ(list.StepForward(foreign, items, 4), 2);
    EXPECT_EQ(items[1], Tok(2));
    EXPECT_EQ(foreign, nullptr);
}

TEST(CDataList, ConcurrentWalksAndInsertsDoNotCrash)
{
    CDataList list;
    for (int i = 0; i < 3000; ++i)
        list.InsertTail(Tok(i));
    std::atomic<bool> done{false};
    std::thread walker([&] {
        for (bool blocks = false; !done.load(); blocks = !blocks) {
            long steps = 0;
            void* items[64];
            for (CListNode* n = list.Head(); n;)
                steps += blocks ? list.StepForward(n, items, 64) : (list.StepForward(n), 1);
            ASSERT_GE(steps, 3000);
            const int c = list.Count();
            ASSERT_NE(list.NodeAt(c / 2), nullptr);
        }
    });
    std::mt19937 rng(7);
    for (int i = 0; i < 5000; ++i) {
        const int c = list.Count();
        list.InsertAfter(list.NodeAt(static_cast<int>(rng() % c)), Tok(-i));
    }
    done = true;
    walker.join();
    EXPECT_EQ(list.Count(), 8000);
    ExpectConsistent(list);
}

struct Counted {
    explicit Counted(int& live) : live(live) { ++live; }
    ~Counted() { --live; }
    int& live;
};

TEST(CTypeDataList, OwnsItsItemsAndHandsThemBackOnRemove)
{
    int live = 0;
    {
        CTypeDataList<Counted> list;
        CListNode* a = list.InsertTail(std::make_unique<Counted>(live));
        list.InsertTail(std::make_unique<Counted>(live));
        EXPECT_EQ(list.InsertAfter(nullptr, std::make_unique<Counted>(live)), nullptr);
        EXPECT_EQ(live, 2) << "an item whose insertion failed is destroyed";
        std::unique_ptr<Counted> back = list.Remove(a);
        EXPECT_NE(back, nullptr);
        EXPECT_EQ(live, 2);
        back.reset();
        EXPECT_EQ(live, 1);
        int walked = 0;
        list.ForEach([&](Counted*) { ++walked; });
        EXPECT_EQ(walked, 1);
    }
    EXPECT_EQ(live, 0);
}

} // namespace
