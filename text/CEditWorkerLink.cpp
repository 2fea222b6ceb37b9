#include "text/CEditWorkerLink.h"

#include "framework/CUserMessage.h"
#include "text/CStandInWorker.h"

CEditWorkerLink::CEditWorkerLink(Factory factory)
    : m_factory(std::move(factory)), m_synchronised(CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
}

CEditWorkerLink::~CEditWorkerLink()
{
    Stop();
    {
        std::lock_guard<std::mutex> lock(m_replyLock);
        m_replies.Clear();
    }
    if (m_synchronised)
        CloseHandle(m_synchronised);
}

bool CEditWorkerLink::Start(HWND owner)
{
    Stop();
    m_owner = owner;
    if (!m_synchronised)
        return false;
    std::unique_ptr<CEditWorker> worker = m_factory ? m_factory() : std::make_unique<CStandInWorker>();
    if (!worker || !worker->Start(*this))
        return false;
    m_worker = std::move(worker);
    return true;
}

void CEditWorkerLink::Stop()
{
    if (!m_worker)
        return;
    Synchronise();
    m_worker->End();
    m_worker.reset();
}

bool CEditWorkerLink::Send(std::unique_ptr<CMsg> request)
{
    if (!m_worker)
        return false;
    m_worker->Send(std::move(request));
    return true;
}

int CEditWorkerLink::PendingReplies() const
{
    std::lock_guard<std::mutex> lock(m_replyLock);
    return m_replies.Count();
}

void CEditWorkerLink::PostReply(std::unique_ptr<CMsg> reply)
{
    {
        std::lock_guard<std::mutex> lock(m_replyLock);
        m_replies.PushBack(std::move(reply));
    }
    if (m_owner)
        PostMessageW(m_owner, kQueueMessage, 0, 0);
}

void CEditWorkerLink::SignalSynchronised()
{
    SetEvent(m_synchronised);
}

bool CEditWorkerLink::Synchronise()
{
    if (!m_worker)
        return true;
    ResetEvent(m_synchronised);
    if (m_busy)
        m_busy(true);
    m_worker->Send(CMsg::Make(CEditWorker::kSynchronise));
    for (;;) {
        const DWORD woke =
            MsgWaitForMultipleObjects(1, &m_synchronised, FALSE, kWaitSlice, QS_PAINT | QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0)
            break;
        // Only painting (and messages sent by other threads, which every peek delivers) goes on
        // while the window waits: keys, clicks and commands stay queued, so nothing edits the memo
        // in the middle of a save.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    if (m_busy)
        m_busy(false);
    return ReadReplies();
}

bool CEditWorkerLink::ReadReplies()
{
    for (;;) {
        std::unique_ptr<CMsg> reply;
        {
            std::lock_guard<std::mutex> lock(m_replyLock);
            reply = m_replies.Pop();
        }
        if (!reply)
            return true;
        if (reply->Code() != CEditWorker::kErrorReply)
            continue;
        if (reply->First() != 0)
            return false;  // a silent failure; what follows stays queued
        if (!m_errorShown) {
            m_errorShown = true;
            const std::u16string& text = reply->Text();
            HWND owner = m_owner ? GetAncestor(m_owner, GA_ROOT) : nullptr;
            CUserMessage::Show(owner ? owner : m_owner, std::wstring(text.begin(), text.end()));
        }
        std::lock_guard<std::mutex> lock(m_replyLock);
        m_replies.Clear();
        return false;
    }
}
