#include "app/CDirListClient.h"

#include "app/CDirListThread.h"
#include "app/VelTextMessages.h"
#include "app/WideText.h"

namespace {

constexpr DWORD kWaitSlice = 500;

} // namespace

CDirListClient::CDirListClient(CSortDirName& list, std::function<void(int)> setListReady)
    : m_list(list), m_setListReady(std::move(setListReady)),
      m_acknowledged(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

CDirListClient::~CDirListClient()
{
    Stop();
}

bool CDirListClient::Start(HWND window, int priority)
{
    if (m_worker || !m_acknowledged)
        return false;
    m_window = window;
    CDirListHost& host = *this; // private base: converted here, where it is accessible
    auto worker = std::make_unique<CDirListThread>(host, m_list);
    if (!worker->CreateThread(priority, true) || !worker->ResumeThread())
        return false;
    m_worker = std::move(worker);
    return true;
}

void CDirListClient::ListMemoBase(const std::wstring& folder, bool keepCurrent)
{
    if (!m_worker)
        return;
    if (m_setListReady)
        m_setListReady(0);
    m_worker->Post(CDirListThread::ListRequest(ToU16(folder), keepCurrent));
}

int CDirListClient::DrainReplies()
{
    int taken = 0;
    while (std::unique_ptr<CMsg> reply = m_replies.Pop()) {
        if (reply->Code() == CDirListThread::kList && m_setListReady)
            m_setListReady(1);
        ++taken;
    }
    return taken;
}

void CDirListClient::Stop()
{
    if (!m_worker)
        return;
    // A listing still running would only delay the end: it stops before its next entry.
    m_worker->ClearRunning();
    ResetEvent(m_acknowledged.get());
    m_worker->Post(CMsg::Make(CDirListThread::kStop));
    WaitDispatching(m_acknowledged.get());
    DrainReplies();
    m_worker->Post(CMsg::Make(CDirListThread::kEnd));
    m_worker->ClearRunning();
    m_worker->Wait(INFINITE);
    m_worker.reset();
}

void CDirListClient::WaitDispatching(HANDLE event)
{
    bool dispatching = true;
    for (;;) {
        // Woken by the event or by a message for this thread, at the latest after one slice.
        const DWORD woke = dispatching ? MsgWaitForMultipleObjects(1, &event, FALSE, kWaitSlice, QS_ALLINPUT)
                                       : WaitForSingleObject(event, kWaitSlice);
        if (woke == WAIT_OBJECT_0)
            return;
        MSG msg;
        while (dispatching && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // The message loop must still see it once this wait is over.
                PostQuitMessage(static_cast<int>(msg.wParam));
                dispatching = false;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void CDirListClient::PostReply(std::unique_ptr<CMsg> reply)
{
    if (m_replies.PushBack(std::move(reply)) && m_window != nullptr)
        PostMessageW(m_window, kMsgQueueHasItems, 0, 0);
}

void CDirListClient::AcknowledgeStop()
{
    SetEvent(m_acknowledged.get());
}
