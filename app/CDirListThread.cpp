#include "app/CDirListThread.h"

#include "app/CDirListHost.h"
#include "app/CMemoBaseLister.h"
#include "app/VelTextMessages.h"

CDirListThread::CDirListThread(CDirListHost& host, CSortDirName& list) : m_host(host), m_list(list) {}

CDirListThread::~CDirListThread()
{
    // The thread reads this object's queue and flag: it must be gone before they are.
    ClearRunning();
    StopAndWait();
}

std::unique_ptr<CMsg> CDirListThread::ListRequest(const std::u16string& folder, bool keepCurrent)
{
    auto request = CMsg::Make(kList, keepCurrent ? 1 : 0);
    request->SetText(folder);
    return request;
}

bool CDirListThread::Post(std::unique_ptr<CMsg> request)
{
    if (!request || !m_requests.PushBack(std::move(request)))
        return false;
    return PostThreadMessage(kMsgQueueHasItems, 0, 0);
}

bool CDirListThread::OnThreadMessage(const MSG& msg)
{
    if (msg.message != kMsgQueueHasItems)
        return false;
    HandleRequests();
    return true;
}

void CDirListThread::HandleRequests()
{
    while (std::unique_ptr<CMsg> request = m_requests.Pop()) {
        switch (request->Code()) {
        case kStop:
            m_host.AcknowledgeStop();
            break;
        case kEnd:
            ClearRunning();
            PostQuitMessage(0);
            break;
        case kList:
            CMemoBaseLister::List(m_list, request->Text(), request->First() == 1,
                                  [this] { return IsRunning(); });
            m_host.PostReply(CMsg::Make(kList));
            break;
        default:
            break;
        }
    }
}
