#pragma once
// A first-in first-out queue of requests or replies between a window and its worker, on the
// indexed list with its own lock. The queue owns the records it holds and destroys what is left
// when it goes. Callers that need an outer lock around a push or pop take it themselves.
#include <memory>

#include "doc/CTypeDataList.h"
#include "text/CMsg.h"

class CMsgQueue {
public:
    CMsgQueue() = default;
    virtual ~CMsgQueue() = default;
    CMsgQueue(const CMsgQueue&) = delete;
    CMsgQueue& operator=(const CMsgQueue&) = delete;

    // False (the record destroyed) only when the list could not take it.
    bool PushBack(std::unique_ptr<CMsg> message) { return m_list.InsertTail(std::move(message)) != nullptr; }
    bool PushFront(std::unique_ptr<CMsg> message) { return m_list.InsertHead(std::move(message)) != nullptr; }
    // The oldest record, or none when the queue is empty.
    std::unique_ptr<CMsg> Pop() { return m_list.Remove(m_list.Head()); }
    int Count() const { return m_list.Count(); }
    bool Empty() const { return m_list.Count() == 0; }
    void Clear() { m_list.Clear(); }

private:
    CTypeDataList<CMsg> m_list;
};
