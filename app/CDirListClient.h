#pragma once
// The frame's side of the memo listing worker: starts it, asks it for listings, takes its
// replies from the reply queue when WM_USER+101 arrives, keeps the application's list-ready
// flag, and stops it in two steps while the window goes on painting.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/CDirListHost.h"
#include "text/CMsgQueue.h"

class CDirListThread;
class CSortDirName;

class CDirListClient : private CDirListHost {
public:
    // setListReady receives 0 when a listing is asked for and 1 when the worker has answered.
    CDirListClient(CSortDirName& list, std::function<void(int)> setListReady);
    ~CDirListClient() override;
    CDirListClient(const CDirListClient&) = delete;
    CDirListClient& operator=(const CDirListClient&) = delete;

    // Starts the worker (created suspended, then resumed); its replies are announced to window.
    bool Start(HWND window, int priority = THREAD_PRIORITY_NORMAL);
    bool Started() const { return m_worker != nullptr; }

    // Clears the list-ready flag and asks for a listing of folder (code 50).
    void ListMemoBase(const std::wstring& folder, bool keepCurrent = false);
    // For WM_USER+101 to the window: takes every reply; a listing's reply sets list-ready.
    // Returns how many replies were taken.
    int DrainReplies();
    // Stop request with acknowledgement, waited for in slices between which this thread's window
    // messages are dispatched; then the end request and a wait for the thread without limit.
    void Stop();

    // Waits for event in slices of at most 500 ms, dispatching this thread's window messages
    // meanwhile, so that its windows stay responsive; a quit message met there is posted again
    // for the message loop and ends the dispatching.
    static void WaitDispatching(HANDLE event);

private:
    void PostReply(std::unique_ptr<CMsg> reply) override;
    void AcknowledgeStop() override;

    struct HandleCloser {
        void operator()(HANDLE handle) const { CloseHandle(handle); }
    };

    CSortDirName& m_list;
    std::function<void(int)> m_setListReady;
    HWND m_window = nullptr;
    CMsgQueue m_replies;
    std::unique_ptr<void, HandleCloser> m_acknowledged;
    std::unique_ptr<CDirListThread> m_worker;
};
