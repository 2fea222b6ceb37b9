#include "text/CSelectList.h"

#include <gtest/gtest.h>

namespace {

CListNode* FakeLine(int i) { return reinterpret_cast<CListNode*>(static_cast<std::intptr_t>(16 * (i + 1))); }

TEST(CSelectArray, FillsUpwardsThenDownwardsAfterTakingFromTheFront)
{
    CSelectArray block;
    for (int i = 0; i < CSelectArray::kSlots; ++i)
        ASSERT_TRUE(block.Add(CSelectInfo(FakeLine(i), i, i + 1, 0)));
    EXPECT_FALSE(block.Add(CSelectInfo(FakeLine(999), 0, 1, 0))) << "full";
    EXPECT_TRUE(block.Add(CSelectInfo(FakeLine(5), 5, 6, 0))) << "already held";
    EXPECT_EQ(block.TakeFirst()->start, 0);
    EXPECT_EQ(block.First(), 1);
    ASSERT_TRUE(block.Add(CSelectInfo(FakeLine(999), 0, 1, 0)));
    EXPECT_EQ(block.First(), 0);
    EXPECT_EQ(block.At(0).line, FakeLine(999));
    while (block.TakeLast()) {
    }
    EXPECT_EQ(block.Count(), 0);
    EXPECT_EQ(block.First(), 0);
}

TEST(CSelectList, HoldsEachRecordOnceAndStartsNewBlocksAtTheFront)
{
    CSelectList list;
    const CSelectInfo r(FakeLine(1), 3, 7, 1);
    list.Add(r);
    list.Add(r);
    EXPECT_EQ(list.RecordCount(), 1);
    for (int i = 1; i < CSelectArray::kSlots; ++i)
        list.Add(CSelectInfo(FakeLine(i + 1), 0, i, 0));
    EXPECT_EQ(list.BlockCount(), 1);
    list.Add(CSelectInfo(FakeLine(1000), 0, 1, 0));
    EXPECT_EQ(list.BlockCount(), 2);
    EXPECT_EQ(list.Get(0)->line, FakeLine(1000)) << "the new block stands at the front";
    EXPECT_EQ(list.Get(1)->start, r.start);
    EXPECT_FALSE(list.Get(CSelectArray::kSlots + 1).has_value());

    list.Add(r);  // held by the second block: not added to the first one again
    EXPECT_EQ(list.RecordCount(), CSelectArray::kSlots + 1);
}

TEST(CSelectList, TakingDropsEmptyBlocksOnTheWay)
{
    CSelectList list;
    for (int i = 0; i < CSelectArray::kSlots + 3; ++i)
        list.Add(CSelectInfo(FakeLine(i), 0, i, 0));
    int taken = 0;
    while (list.TakeFirst())
        ++taken;
    EXPECT_EQ(taken, CSelectArray::kSlots + 3);
    EXPECT_EQ(list.BlockCount(), 0);
    EXPECT_FALSE(list.TakeLast().has_value());
    list.Add(CSelectInfo(FakeLine(1), 0, 1, 0));
    list.Add(CSelectInfo(FakeLine(2), 0, 1, 0));
    EXPECT_EQ(list.TakeLast()->line, FakeLine(2));
    list.Destroy();
    EXPECT_EQ(list.RecordCount(), 0);
}

} // namespace
