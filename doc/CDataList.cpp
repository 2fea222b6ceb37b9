#include "doc/CDataList.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {
constexpr int kHalfChunk = CDataList::kChunkSize / 2;
}

CDataList::CDataList() = default;

CDataList::~CDataList()
{
    Clear();
}

int CDataList::Count() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_count;
}

CListNode* CDataList::Head() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_head;
}

CListNode* CDataList::Tail() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_tail;
}

CListNode* CDataList::NodeAt(int pos) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (pos < 0 || pos >= m_count)
        return nullptr;
    const Place place = ChunkHolding(pos);
    m_hintChunk = place.chunk;
    m_hintSlot = pos - place.first;
    return place.chunk->entries[m_hintSlot];
}

int CDataList::PositionOf(const CListNode* node) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return PositionOfLocked(node);
}

CListNode* CDataList::InsertAfter(CListNode* node, void* item)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const int pos = PositionOfLocked(node);
    return pos < 0 ? nullptr : InsertAtLocked(pos + 1, node, item);
}

CListNode* CDataList::InsertBefore(CListNode* node, void* item)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const int pos = PositionOfLocked(node);
    return pos < 0 ? nullptr : InsertAtLocked(pos, node->prev, item);
}

CListNode* CDataList::InsertHead(void* item)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return InsertAtLocked(0, nullptr, item);
}

CListNode* CDataList::InsertTail(void* item)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return InsertAtLocked(m_count, m_tail, item);
}

CListNode* CDataList::InsertAt(int pos, void* item)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (pos < 0 || pos > m_count)
        return nullptr;
    CListNode* before = nullptr;
    if (pos > 0) {
        const Place place = ChunkHolding(pos - 1);
        before = place.chunk->entries[pos - 1 - place.first];
    }
    return InsertAtLocked(pos, before, item);
}

void* CDataList::Remove(CListNode* node)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const int pos = PositionOfLocked(node);
    return pos < 0 ? nullptr : RemoveLocked(node, pos);
}

CListNode* CDataList::DetachAll()
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (Chunk* chunk : m_chunks) {
        m_byTag[static_cast<std::size_t>(chunk->tag)] = nullptr;
        delete chunk;
    }
    m_chunks.clear();
    m_counts.Clear();
    m_hintChunk = nullptr;
    m_placeChunk = nullptr;
    CListNode* head = m_head;
    m_head = m_tail = nullptr;
    m_count = 0;
    return head;
}

void* CDataList::Item(const CListNode* node) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return node ? node->item : nullptr;
}

CListNode* CDataList::Next(const CListNode* node) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return node ? node->next : nullptr;
}

CListNode* CDataList::Prev(const CListNode* node) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return node ? node->prev : nullptr;
}

void* CDataList::StepForward(CListNode*& node) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!node)
        return nullptr;
    void* item = node->item;
    node = node->next;
    return item;
}

void* CDataList::StepBackward(CListNode*& node) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!node)
        return nullptr;
    void* item = node->item;
    node = node->prev;
    return item;
}

// A block is read from the index where the node stands: the chunk's item copies give the items
// of the following nodes without chasing their links one by one.
int CDataList::StepForward(CListNode*& node, void** items, int max) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    int n = 0;
    const Chunk* chunk = node ? ChunkByTag(node->tag) : nullptr;
    int slot = chunk ? SlotOf(chunk, node) : -1;
    if (slot < 0) {
        for (; node && n < max; ++n) {
            items[n] = node->item;
            node = node->next;
        }
        return n;
    }
    while (n < max) {
        const int take = std::min(max - n, chunk->used - slot);
        std::memcpy(items + n, &chunk->items[slot], sizeof(void*) * static_cast<std::size_t>(take));
        n += take;
        slot += take;
        if (slot == chunk->used) {
            const auto next = static_cast<std::size_t>(chunk->order) + 1;
            if (next == m_chunks.size()) {
                node = nullptr;
                return n;
            }
            chunk = m_chunks[next];
            slot = 0;
        }
    }
    node = chunk->entries[slot];
    m_hintChunk = chunk;
    m_hintSlot = slot;
    return n;
}

int CDataList::StepBackward(CListNode*& node, void** items, int max) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    int n = 0;
    const Chunk* chunk = node ? ChunkByTag(node->tag) : nullptr;
    int slot = chunk ? SlotOf(chunk, node) : -1;
    if (slot < 0) {
        for (; node && n < max; ++n) {
            items[n] = node->item;
            node = node->prev;
        }
        return n;
    }
    while (n < max) {
        const int take = std::min(max - n, slot + 1);
        void* const* from = &chunk->items[slot];
        for (int i = 0; i < take; ++i)
            items[n + i] = *(from - i);
        n += take;
        slot -= take;
        if (slot < 0) {
            if (chunk->order == 0) {
                node = nullptr;
                return n;
            }
            chunk = m_chunks[static_cast<std::size_t>(chunk->order) - 1];
            slot = chunk->used - 1;
        }
    }
    node = chunk->entries[slot];
    m_hintChunk = chunk;
    m_hintSlot = slot;
    return n;
}

int CDataList::NextTag() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_nextTag;
}

void CDataList::SetNextTag(int tag)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (tag >= 1 && tag <= kMaxTag)
        m_nextTag = tag;
}

int CDataList::ChunkCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return static_cast<int>(m_chunks.size());
}

// The chunk counts.

void CDataList::CChunkCounts::InsertChunk(int order, int count)
{
    m_sizes.insert(m_sizes.begin() + order, count);
    Rebuild();
}

void CDataList::CChunkCounts::EraseChunk(int order)
{
    m_sizes.erase(m_sizes.begin() + order);
    Rebuild();
}

void CDataList::CChunkCounts::Clear()
{
    m_sizes.clear();
    Rebuild();
}

void CDataList::CChunkCounts::Rebuild()
{
    const std::size_t n = m_sizes.size();
    m_tree.assign(n + 1, 0);
    for (std::size_t i = 1; i <= n; ++i) {
        m_tree[i] += m_sizes[i - 1];
        const std::size_t parent = i + (i & (~i + 1));
        if (parent <= n)
            m_tree[parent] += m_tree[i];
    }
    m_top = 0;
    if (n > 0) {
        m_top = 1;
        while (m_top * 2 <= n)
            m_top *= 2;
    }
}

void CDataList::CChunkCounts::Add(int order, int delta)
{
    m_sizes[static_cast<std::size_t>(order)] += delta;
    for (std::size_t i = static_cast<std::size_t>(order) + 1; i < m_tree.size(); i += i & (~i + 1))
        m_tree[i] += delta;
}

int CDataList::CChunkCounts::Before(int order) const
{
    int sum = 0;
    for (std::size_t i = static_cast<std::size_t>(order); i > 0; i -= i & (~i + 1))
        sum += m_tree[i];
    return sum;
}

int CDataList::CChunkCounts::Find(int pos, int& first) const
{
    // The most chunks that together hold no more than pos entries: the next one holds pos.
    std::size_t idx = 0;
    int sum = 0;
    for (std::size_t step = m_top; step > 0; step >>= 1) {
        const std::size_t next = idx + step;
        const int add = next < m_tree.size() ? m_tree[next] : pos + 1;
        const bool take = sum + add <= pos;
        idx = take ? next : idx;
        sum = take ? sum + add : sum;
    }
    first = sum;
    return static_cast<int>(idx);
}

bool CDataList::CChunkCounts::Reserve(std::size_t chunks)
{
    try {
        m_sizes.reserve(chunks);
        m_tree.reserve(chunks + 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// The index.

CDataList::Place CDataList::ChunkHolding(int pos) const
{
    // Lookups and edits mostly stay where the last one was, or move on to the next chunk.
    if (m_placeChunk && pos >= m_placeFirst) {
        const int end = m_placeFirst + m_placeChunk->used;
        const auto next = static_cast<std::size_t>(m_placeChunk->order) + 1;
        if (pos < end || (pos == end && next == m_chunks.size()))
            return {m_placeChunk, m_placeFirst};
        if (next < m_chunks.size() && pos < end + m_chunks[next]->used) {
            Remember(m_chunks[next], end);
            return {m_placeChunk, m_placeFirst};
        }
    }
    int first = 0;
    int order = m_counts.Find(pos, first);
    const int last = static_cast<int>(m_chunks.size()) - 1;
    if (order > last) {
        // pos is one past the end: the last chunk is open to the end of the list.
        order = last;
        first -= m_chunks[static_cast<std::size_t>(last)]->used;
    }
    Remember(m_chunks[static_cast<std::size_t>(order)], first);
    return {m_placeChunk, m_placeFirst};
}

void CDataList::Remember(Chunk* chunk, int first) const
{
    m_placeChunk = chunk;
    m_placeFirst = first;
}

int CDataList::FirstOf(Chunk* chunk) const
{
    if (chunk == m_placeChunk)
        return m_placeFirst;
    const int first = m_counts.Before(chunk->order);
    Remember(chunk, first);
    return first;
}

CDataList::Chunk* CDataList::ChunkByTag(std::int32_t tag) const
{
    if (tag <= 0 || static_cast<std::size_t>(tag) >= m_byTag.size())
        return nullptr;
    return m_byTag[static_cast<std::size_t>(tag)];
}

int CDataList::PositionOfLocked(const CListNode* node) const
{
    if (!node)
        return -1;
    Chunk* chunk = ChunkByTag(node->tag);
    if (!chunk)
        return -1;
    const int slot = SlotOf(chunk, node);
    return slot < 0 ? -1 : FirstOf(chunk) + slot;
}

int CDataList::SlotOf(const Chunk* chunk, const CListNode* node) const
{
    int slot = -1;
    if (chunk == m_hintChunk) {
        // Walks, appends and layouts ask for the node found last or for one of its neighbours.
        for (int i = m_hintSlot - 1; i <= m_hintSlot + 2; ++i) {
            if (i >= 0 && i < chunk->used && chunk->entries[i] == node) {
                slot = i;
                break;
            }
        }
    }
    for (int i = 0; slot < 0 && i < chunk->used; ++i) {
        if (chunk->entries[i] == node)
            slot = i;
    }
    if (slot >= 0) {
        m_hintChunk = chunk;
        m_hintSlot = slot;
    }
    return slot;
}

// before is the node at pos - 1 (none at the head); the new node goes right after it.
CListNode* CDataList::InsertAtLocked(int pos, CListNode* before, void* item)
{
    auto* node = new (std::nothrow) CListNode{0, item, nullptr, nullptr};
    if (!node)
        return nullptr;
    // The index goes first, so that a failed chunk allocation leaves the list untouched.
    if (!IndexInsert(pos, node)) {
        delete node;
        return nullptr;
    }
    CListNode* after = before ? before->next : m_head;
    node->prev = before;
    node->next = after;
    if (before)
        before->next = node;
    else
        m_head = node;
    if (after)
        after->prev = node;
    else
        m_tail = node;
    ++m_count;
    return node;
}

void* CDataList::RemoveLocked(CListNode* node, int pos)
{
    IndexRemove(pos);
    if (node->prev)
        node->prev->next = node->next;
    else
        m_head = node->next;
    if (node->next)
        node->next->prev = node->prev;
    else
        m_tail = node->prev;
    --m_count;
    void* item = node->item;
    delete node;
    return item;
}

bool CDataList::Room(std::size_t chunks)
{
    try {
        m_chunks.reserve(chunks);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return m_counts.Reserve(chunks);
}

bool CDataList::IndexInsert(int pos, CListNode* node)
{
    if (m_chunks.empty()) {
        if (!Room(1))
            return false;
        Chunk* chunk = NewChunk();
        if (!chunk)
            return false;
        m_chunks.push_back(chunk);
        m_counts.InsertChunk(0, 0);
    }
    Place place = ChunkHolding(pos);
    Chunk* chunk = place.chunk;
    if (chunk->used == kChunkSize) {
        if (!SplitChunk(chunk))
            return false;
        if (pos >= place.first + kHalfChunk) {
            chunk = m_chunks[static_cast<std::size_t>(chunk->order) + 1];
            place.first += kHalfChunk;
        }
    }
    const int at = pos - place.first;
    const auto moved = static_cast<std::size_t>(chunk->used - at);
    std::memmove(&chunk->entries[at + 1], &chunk->entries[at], sizeof(CListNode*) * moved);
    std::memmove(&chunk->items[at + 1], &chunk->items[at], sizeof(void*) * moved);
    chunk->entries[at] = node;
    chunk->items[at] = node->item;
    ++chunk->used;
    node->tag = chunk->tag;
    m_counts.Add(chunk->order, 1);
    if (m_placeChunk && chunk->order < m_placeChunk->order)
        ++m_placeFirst;
    m_hintChunk = chunk;
    m_hintSlot = at;
    return true;
}

void CDataList::IndexRemove(int pos)
{
    const Place place = ChunkHolding(pos);
    Chunk* chunk = place.chunk;
    const int at = pos - place.first;
    const auto moved = static_cast<std::size_t>(chunk->used - at - 1);
    std::memmove(&chunk->entries[at], &chunk->entries[at + 1], sizeof(CListNode*) * moved);
    std::memmove(&chunk->items[at], &chunk->items[at + 1], sizeof(void*) * moved);
    --chunk->used;
    m_counts.Add(chunk->order, -1);
    if (m_placeChunk && chunk->order < m_placeChunk->order)
        --m_placeFirst;
    if (chunk->used == 0)
        ReleaseChunk(chunk);
}

CDataList::Chunk* CDataList::NewChunk()
{
    std::int32_t tag = m_nextTag;
    int tries = 0;
    while (TagInUse(tag)) {
        tag = tag >= kMaxTag ? 1 : tag + 1;
        if (++tries >= kMaxTag)
            return nullptr;
    }
    auto* chunk = new (std::nothrow) Chunk;
    if (!chunk)
        return nullptr;
    const auto slot = static_cast<std::size_t>(tag);
    if (slot >= m_byTag.size()) {
        const std::size_t grown = std::min<std::size_t>(std::max<std::size_t>({slot + 1, 2 * m_byTag.size(), 64}), kMaxTag + 1);
        try {
            m_byTag.resize(grown, nullptr);
        } catch (const std::bad_alloc&) {
            delete chunk;
            return nullptr;
        }
    }
    m_nextTag = tag;
    chunk->tag = tag;
    chunk->order = static_cast<int>(m_chunks.size());
    chunk->used = 0;
    m_byTag[slot] = chunk;
    return chunk;
}

// The upper half of a full chunk moves to a new chunk right after it.
bool CDataList::SplitChunk(Chunk* chunk)
{
    if (!Room(m_chunks.size() + 1))
        return false;
    Chunk* upper = NewChunk();
    if (!upper)
        return false;
    upper->used = chunk->used - kHalfChunk;
    std::memcpy(upper->entries, &chunk->entries[kHalfChunk], sizeof(CListNode*) * upper->used);
    std::memcpy(upper->items, &chunk->items[kHalfChunk], sizeof(void*) * upper->used);
    for (int i = 0; i < upper->used; ++i)
        upper->entries[i]->tag = upper->tag;
    chunk->used = kHalfChunk;
    m_chunks.insert(m_chunks.begin() + chunk->order + 1, upper);
    Renumber(static_cast<std::size_t>(chunk->order) + 1);
    m_counts.Add(chunk->order, -upper->used);
    m_counts.InsertChunk(upper->order, upper->used);
    return true;
}

void CDataList::ReleaseChunk(Chunk* chunk)
{
    m_byTag[static_cast<std::size_t>(chunk->tag)] = nullptr;
    m_chunks.erase(m_chunks.begin() + chunk->order);
    Renumber(static_cast<std::size_t>(chunk->order));
    m_counts.EraseChunk(chunk->order);
    if (m_hintChunk == chunk)
        m_hintChunk = nullptr;
    if (m_placeChunk == chunk)
        m_placeChunk = nullptr;
    delete chunk;
}

void CDataList::Renumber(std::size_t from)
{
    for (std::size_t i = from; i < m_chunks.size(); ++i)
        m_chunks[i]->order = static_cast<int>(i);
}

bool CDataList::TagInUse(std::int32_t tag) const
{
    return ChunkByTag(tag) != nullptr;
}
