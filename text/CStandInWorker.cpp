#include "text/CStandInWorker.h"

#include "text/CEditExp.h"

CStandInWorker::~CStandInWorker()
{
    End();
}

bool CStandInWorker::Start(CEditWorkerHost& host)
{
    m_host = &host;
    return CreateThread(THREAD_PRIORITY_NORMAL, true) && ResumeThread();
}

void CStandInWorker::Send(std::unique_ptr<CMsg> request)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_requests.PushBack(std::move(request));
    }
    PostThreadMessage(CEditExp::kQueueMessage, 0, 0);
}

void CStandInWorker::End()
{
    if (ThreadHandle() == nullptr || Wait(0))
        return;
    Send(CMsg::Make(kEnd));
    Wait(INFINITE);
}

bool CStandInWorker::OnThreadMessage(const MSG& msg)
{
    if (msg.message != CEditExp::kQueueMessage)
        return false;
    for (;;) {
        std::unique_ptr<CMsg> request;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            request = m_requests.Pop();
        }
        if (!request)
            return true;
        switch (request->Code()) {
        case kSynchronise:
            m_host->SignalSynchronised();
            break;
        case kEnd:
            PostQuitMessage(0);
            return true;
        default:
            m_host->PostReply(CMsg::Make(kDoneReply, request->First()));
            break;
        }
    }
}
