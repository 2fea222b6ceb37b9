#pragma once
// The edit window's link to its picture worker: the generic worker link with the picture worker
// as its worker, and what the memo reader and writer adapters ask of it.
#include <string>

#include "picture/CPicRequest.h"
#include "picture/CPicThread.h"
#include "text/CEditWorkerLink.h"

class CPicList;
class CVMemList;

class CPicWorkerLink : public CEditWorkerLink, public CPicRequester {
public:
    CPicWorkerLink(CPicList& pictures, CVMemList& store);

    // CPicRequester.
    bool Send(std::unique_ptr<CMsg> request) override { return CEditWorkerLink::Send(std::move(request)); }
    bool Synchronise() override { return CEditWorkerLink::Synchronise(); }

    // The memo folder and title that name the working copies of pictures loaded from now on;
    // they travel as a request, so they stay in order with the loads.
    void SetMemoNames(const std::u16string& folder, const std::u16string& title);
    CPicThread* PictureWorker() const { return dynamic_cast<CPicThread*>(Worker()); }
};
