#pragma once
// What the picture worker needs of the window that owns it: a place for its replies and a way to
// say that a synchronisation request was reached. Both are called on the worker's thread; the
// owner appends the reply to its reply queue under its own lock and posts 0x465 to its window.
#include <memory>

class CMsg;

class CPicWorkerHost {
public:
    virtual ~CPicWorkerHost() = default;
    virtual void PostReply(std::unique_ptr<CMsg> reply) = 0;
    virtual void SignalSynchronised() = 0;
};
