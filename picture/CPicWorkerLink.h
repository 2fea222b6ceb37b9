#pragma once
// The window's side of the picture worker: the worker itself, the reply queue the worker fills,
// and the synchronous wait. An edit window embeds one, gives it its window, and reaches the
// worker only through Send and Synchronise. Synchronise waits in slices of 500 milliseconds and
// keeps the window's messages flowing between them, then reads the replies: the first error text
// is shown once (until ClearErrorShown), and an error makes the result false.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "picture/CPicRequest.h"
#include "picture/CPicThread.h"
#include "picture/CPicWorkerHost.h"
#include "text/CMsgQueue.h"

class CPicList;
class CVMemList;

class CPicWorkerLink : public CPicWorkerHost, public CPicRequester {
public:
    static constexpr UINT kQueueMessage = WM_USER + 101;  // 0x465, posted to the owner window
    static constexpr DWORD kWaitSlice = 500;

    CPicWorkerLink(CPicList& pictures, CVMemList& store);
    ~CPicWorkerLink() override;
    CPicWorkerLink(const CPicWorkerLink&) = delete;
    CPicWorkerLink& operator=(const CPicWorkerLink&) = delete;

    // Starts the worker (stopping one that runs); owner receives 0x465 after each reply and
    // owns the message boxes. False when the thread cannot be made.
    bool Start(HWND owner);
    // Waits for the worker's earlier requests, ends it and waits for the thread.
    void Stop();
    bool Running() const { return m_worker && m_worker->Running(); }

    // CPicRequester.
    bool Send(std::unique_ptr<CMsg> request) override;
    bool Synchronise() override;

    // The memo folder and title that name the working copies of pictures loaded from now on.
    void SetMemoNames(const std::u16string& folder, const std::u16string& title);

    // An error reply shown once is not shown again until this is called (file open and add).
    void ClearErrorShown() { m_errorShown = false; }
    bool ErrorShown() const { return m_errorShown; }
    // Called with true while Synchronise waits and false after (the window's busy flag).
    void SetBusyHandler(std::function<void(bool)> handler) { m_busy = std::move(handler); }
    // Replies still queued (an error reply with a non-zero first parameter leaves the rest).
    int PendingReplies() const;
    CPicThread* Worker() const { return m_worker.get(); }

    // CPicWorkerHost (worker thread).
    void PostReply(std::unique_ptr<CMsg> reply) override;
    void SignalSynchronised() override;

private:
    bool ReadReplies();

    CPicList& m_pictures;
    CVMemList& m_store;
    std::unique_ptr<CPicThread> m_worker;
    CMsgQueue m_replies;
    mutable std::mutex m_replyLock;
    HANDLE m_event = nullptr;
    HWND m_owner = nullptr;
    bool m_errorShown = false;
    std::function<void(bool)> m_busy;
};
