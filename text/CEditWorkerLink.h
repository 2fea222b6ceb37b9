#pragma once
// The window's side of its worker: the worker itself, the reply queue the worker fills, and the
// synchronous wait. Synchronise waits in slices of 500 milliseconds, painting the window meanwhile
// but taking no keys, clicks or commands, then reads the replies: the first error text is shown
// once (until ClearErrorShown), and an error makes the result false.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>

#include "text/CEditWorker.h"
#include "text/CMsgQueue.h"

class CEditWorkerLink : public CEditWorkerHost {
public:
    static constexpr UINT kQueueMessage = WM_USER + 101;  // 0x465, posted to the owner window
    static constexpr DWORD kWaitSlice = 500;
    using Factory = std::function<std::unique_ptr<CEditWorker>()>;

    // The stand-in worker unless a factory makes another.
    explicit CEditWorkerLink(Factory factory = {});
    ~CEditWorkerLink() override;
    CEditWorkerLink(const CEditWorkerLink&) = delete;
    CEditWorkerLink& operator=(const CEditWorkerLink&) = delete;

    // Starts the worker (stopping one that runs); owner receives 0x465 after each reply and
    // owns the message boxes. False when the thread cannot be made.
    bool Start(HWND owner);
    // Waits for the worker's earlier requests, ends it and waits for the thread.
    void Stop();
    bool Running() const { return m_worker != nullptr; }
    CEditWorker* Worker() const { return m_worker.get(); }

    // Appends a request; false (dropped) when no worker runs.
    bool Send(std::unique_ptr<CMsg> request);
    // True at once without a worker.
    bool Synchronise();
    // An error reply shown once is not shown again until this is called (file open and add).
    void ClearErrorShown() { m_errorShown = false; }
    bool ErrorShown() const { return m_errorShown; }
    // Called with true while Synchronise waits and false after (the window's busy flag).
    void SetBusyHandler(std::function<void(bool)> handler) { m_busy = std::move(handler); }
    // Replies still queued (a silent failure leaves the replies after it).
    int PendingReplies() const;

    // CEditWorkerHost, called on the worker's thread.
    void PostReply(std::unique_ptr<CMsg> reply) override;
    void SignalSynchronised() override;

private:
    bool ReadReplies();

    Factory m_factory;
    std::unique_ptr<CEditWorker> m_worker;
    // The outer lock is taken around every push and pop, before the queue's own.
    mutable std::mutex m_replyLock;
    CMsgQueue m_replies;
    HANDLE m_synchronised = nullptr;  // automatic reset, set by the worker
    HWND m_owner = nullptr;
    bool m_errorShown = false;
    std::function<void(bool)> m_busy;
};
