#include "doc/CDataList.h"

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
    const Chunk* chunk = ChunkHolding(pos);
    return chunk ? chunk->entries[pos - chunk->first] : nullptr;
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
    return pos < 0 ? nullptr : InsertAtLocked(pos + 1, item);
}

CListNode* CDataList::InsertBefore(CListNode* node, void* item)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const int pos = PositionOfLocked(node);
    return pos < 0 ? nullptr : InsertAtLocked(pos, item);
}

CListNode* CDataList::InsertHead(void* item)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return InsertAtLocked(0, item);
}

CListNode* CDataList::InsertTail(void* item)
{
    std::lock_guard<std::mutex> guard(m_lock);
    return InsertAtLocked(m_count, item);
}

CListNode* CDataList::InsertAt(int pos, void* item)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (pos < 0 || pos > m_count)
        return nullptr;
    return InsertAtLocked(pos, item);
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
    while (m_firstChunk) {
        Chunk* next = m_firstChunk->next;
        delete m_firstChunk;
        m_firstChunk = next;
    }
    m_lastChunk = nullptr;
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
    int n = 0;
    for (const Chunk* c = m_firstChunk; c; c = c->next)
        ++n;
    return n;
}

CDataList::Chunk* CDataList::ChunkHolding(int pos) const
{
    // Appending and lookups near the end are common: walk from whichever end is nearer.
    if (m_lastChunk && pos >= m_count / 2) {
        for (Chunk* c = m_lastChunk; c; c = c->prev) {
            if (c->first <= pos && (c->end == -1 || pos < c->end))
                return c;
        }
        return nullptr;
    }
    for (Chunk* c = m_firstChunk; c; c = c->next) {
        if (c->first <= pos && (c->end == -1 || pos < c->end))
            return c;
    }
    return nullptr;
}

CDataList::Chunk* CDataList::ChunkByTag(std::int32_t tag) const
{
    for (Chunk* c = m_firstChunk; c; c = c->next) {
        if (c->tag == tag)
            return c;
    }
    return nullptr;
}

int CDataList::PositionOfLocked(const CListNode* node) const
{
    if (!node)
        return -1;
    const Chunk* chunk = ChunkByTag(node->tag);
    if (!chunk)
        return -1;
    for (int i = 0; i < chunk->used; ++i) {
        if (chunk->entries[i] == node)
            return chunk->first + i;
    }
    return -1;
}

CListNode* CDataList::InsertAtLocked(int pos, void* item)
{
    auto* node = new (std::nothrow) CListNode{0, item, nullptr, nullptr};
    if (!node)
        return nullptr;
    // Neighbours are read before the index shifts; the index goes first so that a failed chunk
    // allocation leaves the list untouched.
    CListNode* before = nullptr;
    CListNode* after = nullptr;
    if (pos > 0) {
        const Chunk* c = ChunkHolding(pos - 1);
        before = c->entries[pos - 1 - c->first];
        after = before->next;
    } else {
        after = m_head;
    }
    if (!IndexInsert(pos, node)) {
        delete node;
        return nullptr;
    }
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

bool CDataList::IndexInsert(int pos, CListNode* node)
{
    if (!m_firstChunk) {
        Chunk* chunk = NewChunk();
        if (!chunk)
            return false;
        chunk->first = 0;
        chunk->end = -1;
        m_firstChunk = m_lastChunk = chunk;
    }
    Chunk* chunk = ChunkHolding(pos);
    if (chunk->used == kChunkSize) {
        if (!SplitChunk(chunk))
            return false;
        if (pos >= chunk->end)
            chunk = chunk->next;
    }
    const int at = pos - chunk->first;
    std::memmove(&chunk->entries[at + 1], &chunk->entries[at], sizeof(CListNode*) * (chunk->used - at));
    chunk->entries[at] = node;
    ++chunk->used;
    if (chunk->end != -1)
        ++chunk->end;
    node->tag = chunk->tag;
    for (Chunk* c = chunk->next; c; c = c->next) {
        ++c->first;
        if (c->end != -1)
            ++c->end;
    }
    return true;
}

void CDataList::IndexRemove(int pos)
{
    Chunk* chunk = ChunkHolding(pos);
    const int at = pos - chunk->first;
    std::memmove(&chunk->entries[at], &chunk->entries[at + 1], sizeof(CListNode*) * (chunk->used - at - 1));
    --chunk->used;
    if (chunk->end != -1)
        --chunk->end;
    for (Chunk* c = chunk->next; c; c = c->next) {
        --c->first;
        if (c->end != -1)
            --c->end;
    }
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
    m_nextTag = tag;
    chunk->tag = tag;
    chunk->first = 0;
    chunk->end = -1;
    chunk->used = 0;
    chunk->prev = nullptr;
    chunk->next = nullptr;
    return chunk;
}

bool CDataList::SplitChunk(Chunk* chunk)
{
    Chunk* upper = NewChunk();
    if (!upper)
        return false;
    upper->first = chunk->first + kHalfChunk;
    upper->end = chunk->end;
    upper->used = chunk->used - kHalfChunk;
    std::memcpy(upper->entries, &chunk->entries[kHalfChunk], sizeof(CListNode*) * upper->used);
    for (int i = 0; i < upper->used; ++i)
        upper->entries[i]->tag = upper->tag;
    chunk->used = kHalfChunk;
    chunk->end = upper->first;
    upper->prev = chunk;
    upper->next = chunk->next;
    if (chunk->next)
        chunk->next->prev = upper;
    else
        m_lastChunk = upper;
    chunk->next = upper;
    return true;
}

void CDataList::ReleaseChunk(Chunk* chunk)
{
    if (chunk->prev) {
        chunk->prev->next = chunk->next;
        if (chunk->end == -1)
            chunk->prev->end = -1;
    } else {
        m_firstChunk = chunk->next;
    }
    if (chunk->next)
        chunk->next->prev = chunk->prev;
    else
        m_lastChunk = chunk->prev;
    delete chunk;
}

bool CDataList::TagInUse(std::int32_t tag) const
{
    return ChunkByTag(tag) != nullptr;
}
