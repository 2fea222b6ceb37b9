#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "text/CMsgQueue.h"

TEST(CMsgQueue, KeepsOrderPushesFrontAndOwnsWhatIsLeft)
{
    CMsgQueue queue;
    EXPECT_EQ(queue.Pop(), nullptr);
    auto first = CMsg::Make(3, 7);
    first->SetText(u"C:\\memo\\a.png");
    first->SetRect(1, 2, 3);
    queue.PushBack(std::move(first));
    queue.PushBack(CMsg::Make(2));
    queue.PushFront(CMsg::Make(26));
    EXPECT_EQ(queue.Count(), 3);

    EXPECT_EQ(queue.Pop()->Code(), 26);
    const auto load = queue.Pop();
    EXPECT_EQ(load->Code(), 3);
    EXPECT_EQ(load->First(), 7);
    EXPECT_EQ(load->Text(), u"C:\\memo\\a.png");
    EXPECT_EQ(load->GetRect(), (CMsg::Rect{1, 2, 3, 0}));
    // The remaining record goes with the queue.
    queue.PushBack(CMsg::Make(7));
}

TEST(CMsg, TextAndRectangleAreEmptyUntilSet)
{
    CMsg message(5, 1, 100);
    EXPECT_FALSE(message.HasText());
    EXPECT_EQ(message.Text(), u"");
    EXPECT_FALSE(message.HasRect());
    EXPECT_EQ(message.GetRect(), (CMsg::Rect{0, 0, 0, 0}));
}

TEST(CMsgQueue, OneProducerOneConsumerLoseNothing)
{
    CMsgQueue queue;
    constexpr int kCount = 20000;
    std::thread producer([&] {
        for (int i = 0; i < kCount; ++i)
            queue.PushBack(CMsg::Make(1, i));
    });
    std::vector<int> seen;
    while (static_cast<int>(seen.size()) < kCount) {
        if (auto message = queue.Pop())
            seen.push_back(message->First());
    }
    producer.join();
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ(seen[i], i);
}
