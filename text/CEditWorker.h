#pragma once
// The edit window's worker thread as the window sees it: started when the window is created,
// given requests that it handles in the order they were sent, and ended with code 7. The worker
// answers through its host, the edit window, from its own thread.
#include <memory>

#include "text/CMsg.h"

class CEditWorkerHost {
public:
    virtual ~CEditWorkerHost() = default;
    // Called on the worker's thread: a reply for the window's reply queue.
    virtual void PostReply(std::unique_ptr<CMsg> reply) = 0;
    // Called on the worker's thread when it has handled a synchronisation request (code 2).
    virtual void SignalSynchronised() = 0;
};

class CEditWorker {
public:
    // Request codes of the edit window.
    static constexpr int kSynchronise = 2;
    static constexpr int kLoadPicture = 3;
    static constexpr int kEditPicture = 4;
    static constexpr int kStorePicture = 5;
    static constexpr int kReleasePicture = 6;
    static constexpr int kEnd = 7;
    // Reply codes: an error report (first parameter 0: its text is for the user), else done.
    static constexpr int kErrorReply = 1;
    static constexpr int kDoneReply = 0;

    virtual ~CEditWorker() = default;
    // False when the thread cannot be made.
    virtual bool Start(CEditWorkerHost& host) = 0;
    // Appends the request to the worker's queue and wakes the worker; returns at once.
    virtual void Send(std::unique_ptr<CMsg> request) = 0;
    // Sends code 7 and waits, without a limit, until the thread has ended.
    virtual void End() = 0;
};
