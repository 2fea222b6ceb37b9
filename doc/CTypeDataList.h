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

    // Blocks of walk steps, each block under one lock: up to max items from node on, node moved
    // past them. Returns how many were read.
    int StepForward(CListNode*& node, T** items, int max) const { return Block(node, items, max, true); }
    int StepBackward(CListNode*& node, T** items, int max) const { return Block(node, items, max, false); }

    // Calls f(item) for every item from the head on; the lock is taken once per block of items
    // and never held while f runs. f must not remove items from this list.
    template <class F>
    void ForEach(F f) const
    {
        T* items[kWalkBlock];
        for (CListNode* node = Head(); node;) {
            const int n = StepForward(node, items, kWalkBlock);
            for (int i = 0; i < n; ++i)
                f(items[i]);
        }
    }

    static constexpr int kWalkBlock = 64;

    CDataList& Untyped() { return m_list; }
    const CDataList& Untyped() const { return m_list; }

private:
    int Block(CListNode*& node, T** items, int max, bool forward) const
    {
        void* raw[kWalkBlock];
        int total = 0;
        while (node && total < max) {
            const int want = max - total < kWalkBlock ? max - total : kWalkBlock;
            const int n = forward ? m_list.StepForward(node, raw, want) : m_list.StepBackward(node, raw, want);
            for (int i = 0; i < n; ++i)
                items[total + i] = static_cast<T*>(raw[i]);
            total += n;
        }
        return total;
    }

    static CListNode* Adopt(CListNode* node, std::unique_ptr<T>& item)
    {
        if (node)
            item.release();
        return node;
    }

    CDataList m_list;
};
