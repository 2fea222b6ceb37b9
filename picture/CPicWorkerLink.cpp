#include "picture/CPicWorkerLink.h"

CPicWorkerLink::CPicWorkerLink(CPicList& pictures, CVMemList& store)
    : CEditWorkerLink([&pictures, &store] { return std::make_unique<CPicThread>(pictures, store); })
{
}

void CPicWorkerLink::SetMemoNames(const std::u16string& folder, const std::u16string& title)
{
    Send(CPicRequest::MemoNames(folder, title));
}
