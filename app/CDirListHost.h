#pragma once
// What the listing worker needs from the window it answers to. Both calls come on the worker's
// thread: the frame appends the reply to its reply queue and posts WM_USER+101 to itself, and sets
// its acknowledgement event for a stop request.
#include <memory>

#include "text/CMsg.h"

class CDirListHost {
public:
    virtual ~CDirListHost() = default;
    virtual void PostReply(std::unique_ptr<CMsg> reply) = 0;
    virtual void AcknowledgeStop() = 0;
};
