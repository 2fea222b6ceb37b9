// The framework's print job on a recording device: which pages go out for the ranges asked for,
// and that a stop, a cancel or a failing printer still ends the job with End printing.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/CPrintJob.h"

namespace {

class RecordingDevice : public CPrintJob::Device {
public:
    RecordingDevice() : m_dc(CreateCompatibleDC(nullptr)) {}
    ~RecordingDevice() override { DeleteDC(m_dc); }

    HDC Dc() const override { return m_dc; }
    int StartDoc(const DOCINFOW& info) override
    {
        calls.push_back(L"StartDoc " + std::wstring(info.lpszDocName ? info.lpszDocName : L""));
        return startDocResult;
    }
    int StartPage() override
    {
        calls.push_back(L"StartPage");
        return 1;
    }
    int EndPage() override
    {
        calls.push_back(L"EndPage");
        if (onEndPage)
            onEndPage();
        return endPageResult;
    }
    int EndDoc() override
    {
        calls.push_back(L"EndDoc");
        return 1;
    }
    int AbortDoc() override
    {
        calls.push_back(L"AbortDoc");
        return 1;
    }

    std::vector<std::wstring> calls;
    int startDocResult = 1;
    int endPageResult = 1;
    std::function<void()> onEndPage;

private:
    HDC m_dc;
};

class RecordingClient : public CPrintClient {
public:
    bool OnBeginPrinting(HDC, CPrintInfo& info) override
    {
        ++begun;
        if (pages > 0)
            info.SetMaxPage(pages);
        return acceptBegin;
    }
    void OnPrint(HDC, CPrintInfo& info) override
    {
        printed.push_back(info.currentPage);
        if (owner)
            ownerEnabledWhilePrinting = IsWindowEnabled(owner) != FALSE;
        if (info.currentPage == stopAt)
            info.continuePrinting = false;
    }
    void OnEndPrinting(HDC, CPrintInfo&) override { ++ended; }
    std::wstring PrintTitle() const override { return L"memo.txt"; }

    int pages = 5;
    bool acceptBegin = true;
    int stopAt = -1;
    int begun = 0;
    int ended = 0;
    std::vector<int> printed;
    HWND owner = nullptr;
    bool ownerEnabledWhilePrinting = true;
};

TEST(PrintInfoTest, PagesToPrintFollowTheRangesWithinTheDocument)
{
    CPrintInfo info;
    info.SetMaxPage(6);
    EXPECT_EQ(info.PagesToPrint(), (std::vector<int>{1, 2, 3, 4, 5, 6})) << "no ranges: every page";
    info.ranges = {{2, 3}, {5, 9}};
    EXPECT_EQ(info.PagesToPrint(), (std::vector<int>{2, 3, 5, 6})) << "a range past the end is cut";
    info.ranges = {{4, 2}, {0, 1}, {7, 8}};
    EXPECT_EQ(info.PagesToPrint(), (std::vector<int>{2, 3, 4, 1})) << "reversed, before the start, after the end";
}

TEST(PrintInfoTest, TheDefaultPageIsA4At300DotsPerInch)
{
    const CPageMetrics page = CPageMetrics::DefaultPage();
    EXPECT_EQ(page.dpiY, 300);
    EXPECT_EQ(page.height, 3508);
    EXPECT_EQ(page.width, 2480);
    EXPECT_TRUE(page.Valid());
    HDC memory = CreateCompatibleDC(nullptr);
    const CPageMetrics screen = CPageMetrics::Of(memory);
    DeleteDC(memory);
    EXPECT_EQ(screen.paperWidth, screen.width) << "a context without a sheet prints to its edges";
    EXPECT_EQ(screen.offsetX, 0);
}

TEST(PrintJobTest, TheChosenPagesGoOutBetweenBeginAndEndPrinting)
{
    RecordingClient client;
    RecordingDevice device;
    CPrintJob job(client);
    CPrintInfo info;
    info.ranges = {{2, 3}, {5, 9}};
    EXPECT_EQ(job.Print(nullptr, device, info), CPrintJob::Result::kPrinted);
    EXPECT_EQ(client.printed, (std::vector<int>{2, 3, 5})) << "the last page comes from Begin printing";
    EXPECT_EQ(client.begun, 1);
    EXPECT_EQ(client.ended, 1);
    EXPECT_EQ(device.calls.front(), L"StartDoc memo.txt");
    EXPECT_EQ(device.calls.back(), L"EndDoc");
    EXPECT_EQ(std::count(device.calls.begin(), device.calls.end(), L"StartPage"), 3);
    EXPECT_EQ(std::count(device.calls.begin(), device.calls.end(), L"EndPage"), 3);
}

TEST(PrintJobTest, AStoppedPageEndsTheDocumentWithWhatWasPrinted)
{
    RecordingClient client;
    client.stopAt = 2;
    RecordingDevice device;
    CPrintJob job(client);
    CPrintInfo info;
    EXPECT_EQ(job.Print(nullptr, device, info), CPrintJob::Result::kStopped);
    EXPECT_EQ(client.printed, (std::vector<int>{1, 2}));
    EXPECT_EQ(device.calls.back(), L"EndDoc");
    EXPECT_EQ(client.ended, 1);
}

TEST(PrintJobTest, ACancelledJobIsAbortedAndStillEnded)
{
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    RecordingClient client;
    client.owner = owner;
    RecordingDevice device;
    CPrintJob job(client);
    // The user presses the cancel button while the first page goes to the printer.
    device.onEndPage = [&] { job.Cancel(); };
    CPrintInfo info;
    EXPECT_EQ(job.Print(owner, device, info), CPrintJob::Result::kCancelled);
    EXPECT_EQ(client.printed, (std::vector<int>{1}));
    EXPECT_EQ(device.calls.back(), L"AbortDoc");
    EXPECT_EQ(client.ended, 1);
    EXPECT_FALSE(client.ownerEnabledWhilePrinting) << "the frame takes no input while pages go out";
    EXPECT_TRUE(IsWindowEnabled(owner)) << "and all of it again afterwards";
    DestroyWindow(owner);
}

TEST(PrintJobTest, APrinterThatFailsOrAClientThatRefusesEndsTheJob)
{
    {
        RecordingClient client;
        RecordingDevice device;
        device.startDocResult = -1;
        CPrintJob job(client);
        CPrintInfo info;
        EXPECT_EQ(job.Print(nullptr, device, info), CPrintJob::Result::kFailed);
        EXPECT_TRUE(client.printed.empty());
        EXPECT_EQ(client.ended, 1);
    }
    {
        RecordingClient client;
        RecordingDevice device;
        device.endPageResult = -1;
        CPrintJob job(client);
        CPrintInfo info;
        EXPECT_EQ(job.Print(nullptr, device, info), CPrintJob::Result::kFailed);
        EXPECT_EQ(client.printed, (std::vector<int>{1}));
        EXPECT_EQ(device.calls.back(), L"AbortDoc");
        EXPECT_EQ(client.ended, 1);
    }
    {
        RecordingClient client;
        client.acceptBegin = false;
        RecordingDevice device;
        CPrintJob job(client);
        CPrintInfo info;
        EXPECT_EQ(job.Print(nullptr, device, info), CPrintJob::Result::kFailed);
        EXPECT_TRUE(device.calls.empty()) << "no document is started";
        EXPECT_EQ(client.ended, 1);
    }
}

}  // namespace
