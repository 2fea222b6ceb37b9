#pragma once
// The memo listing worker: lists the memo folders of a memo base into the application's memo
// list on a thread of its own, so that the window stays responsive however many memos a base
// holds. Requests arrive in its queue, each followed by WM_USER+101 to the thread.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/CWinThread.h"
#include "text/CMsgQueue.h"

class CDirListHost;
class CSortDirName;

class CDirListThread : public CWinThread {
public:
    // Request codes; a finished listing is answered with kList.
    static constexpr std::int32_t kList = 50; // text: the base folder; first: keep the current entry (0/1)
    static constexpr std::int32_t kStop = 2;  // answered by the host's acknowledgement
    static constexpr std::int32_t kEnd = 7;

    CDirListThread(CDirListHost& host, CSortDirName& list);
    ~CDirListThread() override;

    static std::unique_ptr<CMsg> ListRequest(const std::u16string& folder, bool keepCurrent);

    // Appends under the queue's lock, then wakes the thread. False when the thread could not be
    // woken (the request stays queued for the next wake-up).
    bool Post(std::unique_ptr<CMsg> request);
    // A listing in progress ends before its next directory entry.
    void ClearRunning() { m_running.store(false, std::memory_order_relaxed); }
    bool IsRunning() const { return m_running.load(std::memory_order_relaxed); }

protected:
    bool OnThreadMessage(const MSG& msg) override;

private:
    void HandleRequests();

    CDirListHost& m_host;
    CSortDirName& m_list;
    CMsgQueue m_requests;
    // Written by the frame, polled between directory entries; it only has to show up eventually.
    std::atomic<bool> m_running{true};
};
