#pragma once
// The worker the edit window runs until the picture worker takes its place: it synchronises,
// ends, and answers every other request as done.
#include <mutex>

#include "framework/CWinThread.h"
#include "text/CEditWorker.h"
#include "text/CMsgQueue.h"

class CStandInWorker : public CEditWorker, private CWinThread {
public:
    ~CStandInWorker() override;

    bool Start(CEditWorkerHost& host) override;
    void Send(std::unique_ptr<CMsg> request) override;
    void End() override;

private:
    bool OnThreadMessage(const MSG& msg) override;

    CEditWorkerHost* m_host = nullptr;
    std::mutex m_lock;
    CMsgQueue m_requests;
};
