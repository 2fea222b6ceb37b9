// The worker thread class: its own queue and loop, posts before and after the start.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "framework/CWinThread.h"

namespace {

constexpr UINT kWork = WM_USER + 101;
constexpr UINT kEnd = WM_USER + 102;

class CRecordingThread : public CWinThread {
public:
    ~CRecordingThread() override { StopAndWait(); }
    std::vector<WPARAM> received;
    std::atomic<DWORD> handledOn{0};

protected:
    bool OnThreadMessage(const MSG& msg) override
    {
        if (msg.message == kWork) {
            received.push_back(msg.wParam);
            handledOn = GetCurrentThreadId();
            return true;
        }
        if (msg.message == kEnd) {
            PostQuitMessage(0);
            return true;
        }
        return false;
    }
};

TEST(WinThreadTest, SuspendedThreadTakesPostsInOrderOnItsOwnThreadAndEndsOnRequest)
{
    CRecordingThread thread;
    ASSERT_TRUE(thread.CreateThread(THREAD_PRIORITY_NORMAL, true));
    EXPECT_FALSE(thread.Wait(50));  // suspended, not ended
    ASSERT_TRUE(thread.ResumeThread());
    for (WPARAM i = 1; i <= 100; ++i) {
        ASSERT_TRUE(thread.PostThreadMessage(kWork, i, 0));
    }
    ASSERT_TRUE(thread.PostThreadMessage(kEnd, 0, 0));
    ASSERT_TRUE(thread.Wait(5000));
    ASSERT_EQ(thread.received.size(), 100u);
    for (WPARAM i = 0; i < 100; ++i) {
        EXPECT_EQ(thread.received[i], i + 1);
    }
    EXPECT_EQ(thread.handledOn.load(), thread.ThreadId());
    EXPECT_NE(thread.ThreadId(), GetCurrentThreadId());
}

TEST(WinThreadTest, DestroyingAThreadThatWasNeverResumedStillEndsIt)
{
    auto thread = std::make_unique<CRecordingThread>();
    ASSERT_TRUE(thread->CreateThread(THREAD_PRIORITY_NORMAL, true));
    thread.reset();  // must not hang
    SUCCEED();
}

}  // namespace
