#pragma once
// The indexed list every list of the document model is built on: a doubly linked list whose nodes
// can also be reached by position through a chunked index of node pointers, guarded by its own lock.
// The list does not own its items: Remove hands the item back to the caller.
#include <cstdint>
#include <mutex>

struct CListNode {
    std::int32_t tag;      // tag of the index chunk that lists this node
    void* item;
    CListNode* prev;
    CListNode* next;
};

class CDataList {
public:
    static constexpr int kChunkSize = 1024;
    static constexpr int kMaxTag = 30000;

    CDataList();
    ~CDataList();
    CDataList(const CDataList&) = delete;
    CDataList& operator=(const CDataList&) = delete;

    int Count() const;
    CListNode* Head() const;
    CListNode* Tail() const;

    // None when pos is negative or at least Count().
    CListNode* NodeAt(int pos) const;
    // -1 for a null node or one this list does not hold.
    int PositionOf(const CListNode* node) const;

    // Each returns the new node, or none when the node given is not in this list or memory ran out
    // (the list is then unchanged).
    CListNode* InsertAfter(CListNode* node, void* item);
    CListNode* InsertBefore(CListNode* node, void* item);
    CListNode* InsertHead(void* item);
    CListNode* InsertTail(void* item);
    // Inserts so that the new node stands at pos (0..Count()); none when pos is out of range.
    CListNode* InsertAt(int pos, void* item);

    // Unlinks and frees the node and hands its item back; null when the node is not in this list.
    void* Remove(CListNode* node);
    // Removes every node from the head on; onItem receives each item in order, after the list
    // is already empty and unlocked.
    template <class OnItem>
    void Clear(OnItem onItem)
    {
        CListNode* node = DetachAll();
        while (node) {
            CListNode* next = node->next;
            void* item = node->item;
            delete node;
            onItem(item);
            node = next;
        }
    }
    void Clear() { Clear([](void*) {}); }

    // Walk steps: each reads under the lock and releases it before returning, so the caller never
    // holds the lock while it works on an item.
    void* Item(const CListNode* node) const;
    CListNode* Next(const CListNode* node) const;
    CListNode* Prev(const CListNode* node) const;
    // Returns node's item and moves node to its successor.
    void* StepForward(CListNode*& node) const;
    void* StepBackward(CListNode*& node) const;

    // The tag counter, exposed so that tag wrap-around can be exercised without 30000 chunks.
    int NextTag() const;
    void SetNextTag(int tag);
    int ChunkCount() const;

private:
    struct Chunk {
        std::int32_t tag;
        int first;                 // list position of entries[0]
        int end;                   // one past the last entry's position; -1 = open to the end
        int used;
        CListNode* entries[kChunkSize];
        Chunk* prev;
        Chunk* next;
    };

    // Empties the list in one step and hands back the former head; the nodes stay linked.
    CListNode* DetachAll();

    Chunk* ChunkHolding(int pos) const;
    Chunk* ChunkByTag(std::int32_t tag) const;
    int PositionOfLocked(const CListNode* node) const;
    CListNode* InsertAtLocked(int pos, void* item);
    void* RemoveLocked(CListNode* node, int pos);
    bool IndexInsert(int pos, CListNode* node);
    void IndexRemove(int pos);
    Chunk* NewChunk();
    bool SplitChunk(Chunk* chunk);
    void ReleaseChunk(Chunk* chunk);
    bool TagInUse(std::int32_t tag) const;

    int m_count = 0;
    std::int32_t m_nextTag = 1;
    Chunk* m_firstChunk = nullptr;
    Chunk* m_lastChunk = nullptr;
    CListNode* m_head = nullptr;
    CListNode* m_tail = nullptr;
    mutable std::mutex m_lock;
};
