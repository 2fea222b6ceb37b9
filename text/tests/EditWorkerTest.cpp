// The edit window and its worker in-process: synchronising, error replies shown once, and files
// dropped on the window, with a scripted worker in place of the picture worker.
#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "doc/CDocList.h"
#include "framework/CUserMessage.h"
#include "text/CEditExp.h"
#include "text/tests/WindowTestSupport.h"
#include "text/CMemoPictureLoader.h"
#include "text/CStandInWorker.h"

namespace {

using windowtest::Pump;

// Answers on the caller's thread with the replies it was given, in order, before the
// synchronisation it is asked for.
class ScriptedWorker : public CEditWorker {
public:
    explicit ScriptedWorker(std::deque<std::unique_ptr<CMsg>>* replies, std::vector<int>* requests)
        : m_replies(replies), m_requests(requests)
    {
    }
    bool Start(CEditWorkerHost& host) override
    {
        m_host = &host;
        return true;
    }
    void Send(std::unique_ptr<CMsg> request) override
    {
        m_requests->push_back(request->Code());
        if (request->Code() == kSynchronise) {
            while (!m_replies->empty()) {
                m_host->PostReply(std::move(m_replies->front()));
                m_replies->pop_front();
            }
            m_host->SignalSynchronised();
        }
    }
    void End() override { m_requests->push_back(kEnd); }

private:
    CEditWorkerHost* m_host = nullptr;
    std::deque<std::unique_ptr<CMsg>>* m_replies;
    std::vector<int>* m_requests;
};

std::unique_ptr<CMsg> ErrorReply(const char16_t* text)
{
    auto reply = CMsg::Make(CEditWorker::kErrorReply, 0);
    reply->SetText(text);
    return reply;
}

class RecordingPictures : public CMemoPictureLoader {
public:
    bool LoadAtCaret(const std::u16string& path, const CPictureTag&) override
    {
        paths.push_back(path);
        return accept;
    }
    std::vector<std::u16string> paths;
    bool accept = true;
};

class EditWorkerTest : public testing::Test {
protected:
    void SetUp() override
    {
        CUserMessage::SetRecorder(&messages);
        host = windowtest::CreateHostWindow(L"VelWorkerHost", 600, 400);
        ASSERT_NE(host, nullptr);
        edit.SetWorkerFactory([this] { return std::make_unique<ScriptedWorker>(&replies, &requests); });
        ASSERT_TRUE(edit.Create(host, windowtest::MemoFaceSettings(), WS_CHILD | WS_VISIBLE, L"edit", 1));
        MoveWindow(edit.Handle(), 0, 0, 500, 300, TRUE);
        edit.SetPictureLoader(&pictures);
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::u16string(reinterpret_cast<const char16_t*>(temp)) + u"vel-edit-worker\\";
        CreateDirectoryW(reinterpret_cast<const wchar_t*>(folder.c_str()), nullptr);
    }
    void TearDown() override
    {
        edit.DestroyWindow();
        DestroyWindow(host);
        Pump();
        CUserMessage::SetRecorder(nullptr);
    }
    std::u16string WriteFile(const std::u16string& name, const std::string& bytes)
    {
        const std::u16string path = folder + name;
        HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        return path;
    }

    std::vector<std::wstring> messages;
    std::deque<std::unique_ptr<CMsg>> replies;
    std::vector<int> requests;
    RecordingPictures pictures;
    HWND host = nullptr;
    CEditExp edit;
    std::u16string folder;
};

TEST_F(EditWorkerTest, SynchroniseWaitsForTheWorkerAndIsTrueWithoutErrors)
{
    EXPECT_TRUE(edit.HasWorker());
    replies.push_back(CMsg::Make(CEditWorker::kDoneReply, 3));
    EXPECT_TRUE(edit.Synchronise());
    EXPECT_FALSE(edit.IsBusy());
    EXPECT_EQ(requests.back(), CEditWorker::kSynchronise);
    EXPECT_TRUE(messages.empty());
}

TEST_F(EditWorkerTest, TwoErrorsInOneSynchronisationShowOneMessage)
{
    replies.push_back(ErrorReply(u"first"));
    replies.push_back(ErrorReply(u"second"));
    EXPECT_FALSE(edit.Synchronise());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"first");
    // The second error went with the rest of the queue.
    EXPECT_TRUE(edit.Synchronise());
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(EditWorkerTest, AfterAnErrorLaterErrorsAreSilentUntilAFileCommandClearsTheFlag)
{
    replies.push_back(ErrorReply(u"one"));
    EXPECT_FALSE(edit.Synchronise());
    replies.push_back(ErrorReply(u"two"));
    EXPECT_FALSE(edit.Synchronise());
    EXPECT_EQ(messages.size(), 1u);
    edit.ClearErrorShown();
    replies.push_back(ErrorReply(u"three"));
    EXPECT_FALSE(edit.Synchronise());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], L"three");
    // A silent failure (first parameter not 0) shows nothing and leaves what follows queued.
    replies.push_back(CMsg::Make(CEditWorker::kErrorReply, 1));
    EXPECT_FALSE(edit.Synchronise());
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(EditWorkerTest, DroppingFiveFilesOpensTheFirstThree)
{
    std::vector<std::u16string> paths;
    for (int i = 0; i < 5; ++i)
        paths.push_back(WriteFile(u"drop" + std::u16string(1, static_cast<char16_t>(u'0' + i)) + u".txt",
                                  "text" + std::to_string(i) + "\r\n"));
    edit.QueueDroppedFiles(paths);
    Pump();
    EXPECT_EQ(edit.Doc().AllText(), u"text0\r\ntext1\r\ntext2\r\n");
    EXPECT_TRUE(messages.empty());
}

TEST_F(EditWorkerTest, DroppedFilesArePicturesByExtensionAndOtherwiseMemoText)
{
    const std::u16string png = WriteFile(u"shot.PNG", "not really a picture");
    const std::u16string text = WriteFile(u"notes.txt", "abc");
    const std::u16string bare = WriteFile(u"README", "def");
    EXPECT_TRUE(edit.OpenDroppedFile(png));
    ASSERT_EQ(pictures.paths.size(), 1u);
    EXPECT_EQ(pictures.paths[0], png);
    EXPECT_TRUE(edit.OpenDroppedFile(text));
    EXPECT_TRUE(edit.OpenDroppedFile(bare));
    EXPECT_EQ(edit.Doc().AllText(), u"abcdef");
    EXPECT_EQ(pictures.paths.size(), 1u);
}

TEST_F(EditWorkerTest, ADroppedFileThatCannotBeOpenedIsReportedAndChangesNothing)
{
    edit.InsertText(u"kept");
    const std::u16string missing = folder + u"missing.txt";
    EXPECT_FALSE(edit.OpenDroppedFile(missing));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"ファイルが開けません。\n" + std::wstring(missing.begin(), missing.end()));
    pictures.accept = false;
    EXPECT_FALSE(edit.OpenDroppedFile(folder + u"gone.gif"));
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(edit.Doc().AllText(), u"kept");
}

TEST_F(EditWorkerTest, DestroyingTheWindowSynchronisesAndEndsTheWorker)
{
    edit.DestroyWindow();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[requests.size() - 2], CEditWorker::kSynchronise);
    EXPECT_EQ(requests.back(), CEditWorker::kEnd);
}

// Answers a synchronisation late, from a thread of its own, after a key has reached the window.
class SlowWorker : public CEditWorker {
public:
    explicit SlowWorker(HWND* window) : m_window(window) {}
    ~SlowWorker() override
    {
        if (m_answer.joinable())
            m_answer.join();
    }
    bool Start(CEditWorkerHost& host) override
    {
        m_host = &host;
        return true;
    }
    void Send(std::unique_ptr<CMsg> request) override
    {
        if (request->Code() != kSynchronise)
            return;
        if (m_answer.joinable())
            m_answer.join();
        PostMessageW(*m_window, WM_CHAR, u'x', 1);
        m_answer = std::thread([this] {
            Sleep(1200);  // longer than two waiting slices
            m_host->SignalSynchronised();
        });
    }
    void End() override {}

private:
    HWND* m_window;
    CEditWorkerHost* m_host = nullptr;
    std::thread m_answer;
};

TEST_F(EditWorkerTest, KeysThatArriveWhileTheWindowWaitsAreNotTypedIntoTheMemoUntilItIsDone)
{
    HWND window = nullptr;
    CEditExp slow;
    slow.SetWorkerFactory([&window] { return std::make_unique<SlowWorker>(&window); });
    CEditSettings settings;
    ASSERT_TRUE(slow.Create(host, settings, WS_CHILD | WS_VISIBLE, L"slow", 2));
    window = slow.Handle();
    slow.InsertText(u"saved");
    EXPECT_TRUE(slow.Synchronise());
    // While it waited, the window painted but took no key.
    EXPECT_EQ(slow.Doc().AllText(), u"saved");
    Pump();
    EXPECT_EQ(slow.Doc().AllText(), u"savedx");
    slow.DestroyWindow();
    Pump();
}

TEST(StandInWorker, SynchronisesAndAnswersOnItsOwnThread)
{
    class Host : public CEditWorkerHost {
    public:
        void PostReply(std::unique_ptr<CMsg> reply) override { codes.push_back(reply->Code()); }
        void SignalSynchronised() override { SetEvent(event); }
        std::vector<int> codes;
        HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    } host;
    CStandInWorker worker;
    ASSERT_TRUE(worker.Start(host));
    worker.Send(CMsg::Make(CEditWorker::kStorePicture, 1));
    worker.Send(CMsg::Make(CEditWorker::kSynchronise));
    ASSERT_EQ(WaitForSingleObject(host.event, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(host.codes, std::vector<int>{CEditWorker::kDoneReply});
    worker.End();
    CloseHandle(host.event);
}

}  // namespace
