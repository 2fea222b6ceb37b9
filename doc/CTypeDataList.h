#pragma once
// Typed form of the indexed list. Lists built on it own their items: insertion takes a
// std::unique_ptr, removal hands it back, and Clear or destruction destroys what is left.
#include "doc/CDataList.h"

#include <memory>

template <class T>
class CTypeDataList {
public:
    CTypeDataList() = default;
    virtual ~CTypeDataList() { Clear(); }
    CTypeDataList(const CTypeDataList&) = delete;
    CTypeDataList& operator=(const CTypeDataList&) = delete;

    int Count() const { return m_list.Count(); }
    CListNode* Head() const { return m_list.Head(); }
    CListNode* Tail() const { return m_list.Tail(); }
    CListNode* NodeAt(int pos) const { return m_list.NodeAt(pos); }
    int PositionOf(const CListNode* node) const { return m_list.PositionOf(node); }
    T* ItemAt(int pos) const { return Item(NodeAt(pos)); }

    // On failure (a node not in this list, no memory) the item is destroyed and none returned.
    CListNode* InsertAfter(CListNode* node, std::unique_ptr<T> item) { return Adopt(m_list.InsertAfter(node, item.get()), item); }
    CListNode* InsertBefore(CListNode* node, std::unique_ptr<T> item) { return Adopt(m_list.InsertBefore(node, item.get()), item); }
    CListNode* InsertHead(std::unique_ptr<T> item) { return Adopt(m_list.InsertHead(item.get()), item); }
    CListNode* InsertTail(std::unique_ptr<T> item) { return Adopt(m_list.InsertTail(item.get()), item); }
    CListNode* InsertAt(int pos, std::unique_ptr<T> item) { return Adopt(m_list.InsertAt(pos, item.get()), item); }

    // Hands the item back; null when the node is not in this list.
    std::unique_ptr<T> Remove(CListNode* node) { return std::unique_ptr<T>(static_cast<T*>(m_list.Remove(node))); }
    void Clear()
    {
        m_list.Clear([](void* item) { delete static_cast<T*>(item); });
    }

    // Walk steps (the lock is released before the caller works on the item).
    T* Item(const CListNode* node) const { return static_cast<T*>(m_list.Item(node)); }
    CListNode* Next(const CListNode* node) const { return m_list.Next(node); }
    CListNode* Prev(const CListNode* node) const { return m_list.Prev(node); }
    T* StepForward(CListNode*& node) const { return static_cast<T*>(m_list.StepForward(node)); }
    T* StepBackward(CListNode*& node) const { return static_cast<T*>(m_list.StepBackward(node)); }

    // Calls f(item) for every item from the head on, one walk step at a time.
    template <class F>
    void ForEach(F f) const
    {
        for (CListNode* node = Head(); node;)
            f(StepForward(node));
    }

    CDataList& Untyped() { return m_list; }
    const CDataList& Untyped() const { return m_list; }

private:
    static CListNode* Adopt(CListNode* node, std::unique_ptr<T>& item)
    {
        if (node)
            item.release();
        return node;
    }

    CDataList m_list;
};
