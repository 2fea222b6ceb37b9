#include "framework/CWinThread.h"

CWinThread::~CWinThread()
{
    if (m_thread != nullptr) {
        StopAndWait();
        CloseHandle(m_thread);
    }
    if (m_queueReady != nullptr) {
        CloseHandle(m_queueReady);
    }
}

bool CWinThread::CreateThread(int priority, bool suspended)
{
    if (m_thread != nullptr) {
        return false;
    }
    m_queueReady = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (m_queueReady == nullptr) {
        return false;
    }
    m_thread = ::CreateThread(nullptr, 0, &CWinThread::ThreadStart, this, CREATE_SUSPENDED, &m_threadId);
    if (m_thread == nullptr) {
        return false;
    }
    SetThreadPriority(m_thread, priority);
    m_suspended = true;
    return suspended || ResumeThread();
}

bool CWinThread::ResumeThread()
{
    if (m_thread == nullptr || !m_suspended) {
        return false;
    }
    m_suspended = false;
    if (::ResumeThread(m_thread) == static_cast<DWORD>(-1)) {
        return false;
    }
    // Until the thread has made its queue, posts to it would fail.
    HANDLE handles[] = {m_queueReady, m_thread};
    WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    return true;
}

bool CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_threadId != 0 && ::PostThreadMessageW(m_threadId, message, wParam, lParam) != 0;
}

void CWinThread::StopAndWait()
{
    if (m_thread == nullptr) {
        return;
    }
    if (m_suspended) {
        ResumeThread();
    }
    if (WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT) {
        PostThreadMessage(WM_QUIT, 0, 0);
        WaitForSingleObject(m_thread, INFINITE);
    }
}

bool CWinThread::Wait(DWORD milliseconds) const
{
    return m_thread != nullptr && WaitForSingleObject(m_thread, milliseconds) == WAIT_OBJECT_0;
}

int CWinThread::Run()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == nullptr && OnThreadMessage(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return ExitInstance();
}

DWORD WINAPI CWinThread::ThreadStart(void* parameter)
{
    auto* thread = static_cast<CWinThread*>(parameter);
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // makes the queue
    SetEvent(thread->m_queueReady);
    if (!thread->InitInstance()) {
        return static_cast<DWORD>(thread->ExitInstance());
    }
    return static_cast<DWORD>(thread->Run());
}
