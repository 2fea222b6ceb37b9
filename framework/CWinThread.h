#pragma once
#include <windows.h>

// A thread with a message queue of its own. Requests reach it as posted thread messages; the
// queue exists before CreateThread (unsuspended) or ResumeThread returns, so posts never get lost.
// Owners stop the thread (a quit message or a handler's PostQuitMessage) and wait for it before
// destroying the object.
class CWinThread {
public:
    CWinThread() = default;
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    bool CreateThread(int priority = THREAD_PRIORITY_NORMAL, bool suspended = false);
    bool ResumeThread();
    bool PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
    // Posts a quit message and waits for the thread to end.
    void StopAndWait();
    bool Wait(DWORD milliseconds = INFINITE) const;

    DWORD ThreadId() const { return m_threadId; }
    HANDLE ThreadHandle() const { return m_thread; }

protected:
    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return 0; }
    // Thread messages (no window) arrive here; return whether the message was handled.
    virtual bool OnThreadMessage(const MSG& msg) { (void)msg; return false; }
    virtual int Run();

private:
    static DWORD WINAPI ThreadStart(void* parameter);

    HANDLE m_thread = nullptr;
    HANDLE m_queueReady = nullptr;
    DWORD m_threadId = 0;
    bool m_suspended = false;
};
