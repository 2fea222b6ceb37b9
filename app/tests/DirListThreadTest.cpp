// The listing worker and the frame's side of it, with a real thread and a real reply window.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "app/CDirListClient.h"
#include "app/CDirListThread.h"
#include "app/CSortDirName.h"
#include "app/VelTextMessages.h"
#include "app/tests/NavigationTestSupport.h"
#include "framework/CWnd.h"

namespace {

using navtest::CScratchFolder;
using navtest::PumpUntil;

// Stands in for the frame: WM_USER+101 drains the replies; WM_APP counts what was dispatched.
class CReplyWindow : public CWnd {
public:
    CDirListClient* client = nullptr;
    int drained = 0;
    int dispatched = 0;

    bool Open() { return CreateEx(0, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kMsgQueueHasItems && client != nullptr) {
            drained += client->DrainReplies();
            return 0;
        }
        if (message == WM_APP) {
            ++dispatched;
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class DirListThreadTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Open());
        window.client = &client;
    }

    CScratchFolder base;
    CSortDirName list;
    std::atomic<int> ready{-1};
    CDirListClient client{list, [this](int value) { ready = value; }};
    CReplyWindow window;
};

TEST_F(DirListThreadTest, ListsOnTheWorkerAndAnswersTheWindow)
{
    base.AddMemo(L"2012年01月02日10時00分00秒(月)_001");
    base.AddMemo(L"2012年01月10日10時00分00秒(火)_001");
    base.AddFolder(L"2013年01月01日00時00分00秒(火)_001"); // no text file
    base.AddMemo(L"cntlbasepic");
    ASSERT_TRUE(client.Start(window.Handle()));

    client.ListMemoBase(base.Path());
    EXPECT_EQ(ready, 0) << "not ready while the listing runs";
    ASSERT_TRUE(PumpUntil([this] { return ready == 1; }));
    EXPECT_EQ(window.drained, 1);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(ToWide(list.EntryAt(0)->Folder()),
              ToWide(CFileName::ToLower(ToU16(base / L"2012年01月10日10時00分00秒(火)_001\\"))));

    // A listing with the keep flag finds the current memo again behind a newer one.
    ASSERT_TRUE(list.SelectFolder(ToU16(base / L"2012年01月02日10時00分00秒(月)_001")));
    base.AddMemo(L"2014年05月05日10時00分00秒(月)_001");
    client.ListMemoBase(base.Path(), true);
    ASSERT_TRUE(PumpUntil([this] { return ready == 1; }));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.CurrentIndex(), 2);

    // A base that cannot be read gives an empty list, and still an answer.
    client.ListMemoBase(base / L"gone\\");
    ASSERT_TRUE(PumpUntil([this] { return ready == 1; }));
    EXPECT_EQ(list.Count(), 0);

    client.Stop();
    EXPECT_FALSE(client.Started());
    client.Stop(); // twice is harmless
}

TEST_F(DirListThreadTest, TheListIsOrderedWhileItGrowsAndStopEndsALongListing)
{
    for (int i = 0; i < 1500; ++i)
        base.AddMemo(L"m" + std::to_wstring(100000 + (i * 7919) % 100000));
    ASSERT_TRUE(client.Start(window.Handle()));
    client.ListMemoBase(base.Path());
    int samples = 0;
    while (ready != 1 && samples < 100000) {
        const int count = list.Count();
        if (count >= 2) {
            const auto first = list.EntryAt(0);
            const auto last = list.EntryAt(count - 1);
            ASSERT_TRUE(first && last);
            EXPECT_GE(first->Folder(), last->Folder());
        }
        ++samples;
        navtest::Pump();
    }
    ASSERT_TRUE(PumpUntil([this] { return ready == 1; }));
    EXPECT_EQ(list.Count(), 1500);

    // Stopping in the middle of a listing ends it; the window gets no reply after the stop.
    client.ListMemoBase(base.Path());
    client.Stop();
    EXPECT_FALSE(client.Started());
    EXPECT_EQ(ready, 1) << "the reply of the listing was taken while stopping";
    EXPECT_LE(list.Count(), 1500);
    const int drained = window.drained;
    navtest::Pump();
    EXPECT_EQ(window.drained, drained + 0) << "nothing left in the reply queue";
}

TEST(DirListWaitTest, WindowMessagesAreDispatchedWhileWaitingAndAQuitIsKept)
{
    CReplyWindow window;
    ASSERT_TRUE(window.Open());
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    HWND hwnd = window.Handle();
    LRESULT answered = 0;
    std::thread other([&] {
        // A sent message is answered at once, long before the event is set.
        SendMessageTimeoutW(hwnd, WM_APP, 0, 0, SMTO_NORMAL, 5000, reinterpret_cast<DWORD_PTR*>(&answered));
        PostMessageW(hwnd, WM_APP, 0, 0);
        Sleep(1200);
        SetEvent(event);
    });
    CDirListClient::WaitDispatching(event);
    other.join();
    EXPECT_EQ(answered, 1);
    EXPECT_EQ(window.dispatched, 2);

    // A quit met while waiting is posted again for the message loop.
    ResetEvent(event);
    std::thread setter([event] {
        Sleep(600);
        SetEvent(event);
    });
    PostQuitMessage(3);
    PostMessageW(hwnd, WM_APP, 0, 0);
    CDirListClient::WaitDispatching(event);
    setter.join();
    MSG msg;
    bool quit = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            EXPECT_EQ(msg.wParam, 3u);
        } else {
            DispatchMessageW(&msg);
        }
    }
    EXPECT_TRUE(quit);
    CloseHandle(event);
}

} // namespace
