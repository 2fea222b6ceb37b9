#pragma once
// The indexed list every list of the document model is built on: a doubly linked list whose nodes
// can also be reached by position through a chunked index of node pointers, guarded by its own lock.
// The list does not own its items: Remove hands the item back to the caller.
//
// A chunk is found from a node's tag through a tag table, and the chunks' first positions come
// from a Fenwick tree over their entry counts, so no operation walks the chunk chain: inserting,
// removing and both lookups cost a logarithm of the chunk count plus the work inside one chunk.
#include <cstdint>
#include <mutex>
#include <vector>

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
    // A block of walk steps under one lock: up to max items from node on go to items, and node
    // moves past them (to none at the end). Returns how many were read.
    int StepForward(CListNode*& node, void** items, int max) const;
    int StepBackward(CListNode*& node, void** items, int max) const;

    // The tag counter, exposed so that tag wrap-around can be exercised without 30000 chunks.
    int NextTag() const;
    void SetNextTag(int tag);
    int ChunkCount() const;

private:
    // Chunks stand in m_chunks in position order; a chunk's first position is the sum of the
    // entry counts before it, kept in m_counts.
    struct Chunk {
        std::int32_t tag;
        int order;  // place in m_chunks
        int used;
        CListNode* entries[kChunkSize];
        // The entries' items side by side (an item never changes while its node lives), so that
        // a block walk reads them without visiting every node.
        void* items[kChunkSize];
    };

    // The chunks' entry counts in chunk order, with a Fenwick tree over them. The counts are kept
    // apart from the chunks so that rebuilding the tree after a split or a release reads one
    // small array instead of every chunk.
    class CChunkCounts {
    public:
        // A chunk holding count entries now stands at order (the later ones move up by one).
        void InsertChunk(int order, int count);
        void EraseChunk(int order);
        void Add(int order, int delta);
        // Sum of the counts of the chunks before order.
        int Before(int order) const;
        // The chunk order holding position pos (the chunk count for pos = total), with the
        // position of that chunk's first entry (the total for pos = total).
        int Find(int pos, int& first) const;
        bool Reserve(std::size_t chunks);
        void Clear();

    private:
        void Rebuild();

        std::vector<int> m_sizes;
        std::vector<int> m_tree;  // 1-based
        std::size_t m_top = 0;    // the largest power of two not above the chunk count
    };

    struct Place {
        Chunk* chunk;
        int first;  // list position of chunk->entries[0]
    };

    // Empties the list in one step and hands back the former head; the nodes stay linked.
    CListNode* DetachAll();

    Place ChunkHolding(int pos) const;
    // The first position of a chunk, from the last place found when it is that chunk's.
    int FirstOf(Chunk* chunk) const;
    void Remember(Chunk* chunk, int first) const;
    Chunk* ChunkByTag(std::int32_t tag) const;
    int PositionOfLocked(const CListNode* node) const;
    // The node's entry in its chunk (-1 when it is not there); remembered as the next hint.
    int SlotOf(const Chunk* chunk, const CListNode* node) const;
    CListNode* InsertAtLocked(int pos, CListNode* before, void* item);
    void* RemoveLocked(CListNode* node, int pos);
    bool IndexInsert(int pos, CListNode* node);
    void IndexRemove(int pos);
    Chunk* NewChunk();
    bool SplitChunk(Chunk* chunk);
    void ReleaseChunk(Chunk* chunk);
    bool TagInUse(std::int32_t tag) const;
    void Renumber(std::size_t from);
    // Makes room in the chunk table and the counts for this many chunks.
    bool Room(std::size_t chunks);

    int m_count = 0;
    std::int32_t m_nextTag = 1;
    std::vector<Chunk*> m_chunks;
    std::vector<Chunk*> m_byTag;  // index = tag; grows to the largest tag used
    CChunkCounts m_counts;
    // Where the last lookup found its node: a walk or an append asks next for a neighbour.
    mutable const Chunk* m_hintChunk = nullptr;
    mutable int m_hintSlot = 0;
    // The chunk the last position lookup found, with its first position; edits keep it right.
    mutable Chunk* m_placeChunk = nullptr;
    mutable int m_placeFirst = 0;
    CListNode* m_head = nullptr;
    CListNode* m_tail = nullptr;
    mutable std::mutex m_lock;
};
