#include "picture/CPicWorkerLink.h"

#include "framework/CUserMessage.h"

CPicWorkerLink::CPicWorkerLink(CPicList& pictures, CVMemList& store)
    : m_pictures(pictures), m_store(store), m_event(CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
}

CPicWorkerLink::~CPicWorkerLink()
{
    Stop();
    {
        std::lock_guard<std::mutex> guard(m_replyLock);
        m_replies.Clear();
    }
    if (m_event)
        CloseHandle(m_event);
}

bool CPicWorkerLink::Start(HWND owner)
{
    Stop();
    m_owner = owner;
    m_worker = std::make_unique<CPicThread>(m_pictures, m_store);
    if (!m_worker->Start(this)) {
        m_worker.reset();
        return false;
    }
    return true;
}

void CPicWorkerLink::Stop()
{
    if (!m_worker)
        return;
    Synchronise();
    m_worker->Stop();
    m_worker.reset();
}

bool CPicWorkerLink::Send(std::unique_ptr<CMsg> request)
{
    return m_worker && m_worker->Post(std::move(request));
}

void CPicWorkerLink::SetMemoNames(const std::u16string& folder, const std::u16string& title)
{
    Send(CPicRequest::MemoNames(folder, title));
}

int CPicWorkerLink::PendingReplies() const
{
    std::lock_guard<std::mutex> guard(m_replyLock);
    return m_replies.Count();
}

void CPicWorkerLink::PostReply(std::unique_ptr<CMsg> reply)
{
    {
        std::lock_guard<std::mutex> guard(m_replyLock);
        m_replies.PushBack(std::move(reply));
    }
    if (m_owner)
        PostMessageW(m_owner, kQueueMessage, 0, 0);
}

void CPicWorkerLink::SignalSynchronised()
{
    SetEvent(m_event);
}

bool CPicWorkerLink::Synchronise()
{
    if (!Running())
        return true;
    ResetEvent(m_event);
    if (m_busy)
        m_busy(true);
    if (Send(CPicRequest::Synchronise())) {
        while (WaitForSingleObject(m_event, kWaitSlice) == WAIT_TIMEOUT) {
            // Keep painting while the worker is busy.
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    PostQuitMessage(static_cast<int>(msg.wParam));
                    break;
                }
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (!Running())
                break;
        }
    }
    if (m_busy)
        m_busy(false);
    return ReadReplies();
}

bool CPicWorkerLink::ReadReplies()
{
    for (;;) {
        std::unique_ptr<CMsg> reply;
        {
            std::lock_guard<std::mutex> guard(m_replyLock);
            reply = m_replies.Pop();
        }
        if (!reply)
            return true;
        if (reply->Code() != CPicRequest::kReplyError)
            continue;
        if (reply->First() != 0)
            return false;
        if (!m_errorShown) {
            m_errorShown = true;
            const std::u16string& text = reply->Text();
            CUserMessage::Show(m_owner, std::wstring(text.begin(), text.end()));
        }
        std::lock_guard<std::mutex> guard(m_replyLock);
        m_replies.Clear();
        return false;
    }
}
