#include "text/CSelectList.h"

bool CSelectArray::Add(const CSelectInfo& record)
{
    for (int i = 0; i < m_count; ++i) {
        if (m_slots[m_first + i].SameAs(record))
            return true;
    }
    if (m_first > 0) {
        --m_first;
        m_slots[m_first] = record;
        ++m_count;
        return true;
    }
    if (m_count < kSlots) {
        m_slots[m_count] = record;
        ++m_count;
        return true;
    }
    return false;
}

std::optional<CSelectInfo> CSelectArray::TakeFirst()
{
    if (m_count == 0)
        return std::nullopt;
    CSelectInfo record = m_slots[m_first];
    ++m_first;
    if (--m_count == 0)
        m_first = 0;
    return record;
}

std::optional<CSelectInfo> CSelectArray::TakeLast()
{
    if (m_count == 0)
        return std::nullopt;
    CSelectInfo record = m_slots[m_first + m_count - 1];
    if (--m_count == 0)
        m_first = 0;
    return record;
}

bool CSelectList::Add(const CSelectInfo& record)
{
    // A record held by a later block would otherwise be added again to an earlier block with room.
    if (Contains(record))
        return true;
    for (CListNode* node = m_blocks.Head(); node;) {
        if (m_blocks.StepForward(node)->Add(record))
            return true;
    }
    auto block = std::make_unique<CSelectArray>();
    block->Add(record);
    m_blocks.InsertHead(std::move(block));
    return true;
}

std::optional<CSelectInfo> CSelectList::Get(int n) const
{
    if (n < 0)
        return std::nullopt;
    for (CListNode* node = m_blocks.Head(); node;) {
        const CSelectArray* block = m_blocks.StepForward(node);
        if (n < block->Count())
            return block->At(n);
        n -= block->Count();
    }
    return std::nullopt;
}

std::optional<CSelectInfo> CSelectList::TakeFirst()
{
    while (CListNode* node = m_blocks.Head()) {
        if (auto record = m_blocks.Item(node)->TakeFirst())
            return record;
        m_blocks.Remove(node);  // an empty block met on the way is dropped
    }
    return std::nullopt;
}

std::optional<CSelectInfo> CSelectList::TakeLast()
{
    while (CListNode* node = m_blocks.Tail()) {
        if (auto record = m_blocks.Item(node)->TakeLast())
            return record;
        m_blocks.Remove(node);
    }
    return std::nullopt;
}

int CSelectList::RecordCount() const
{
    int total = 0;
    m_blocks.ForEach([&](const CSelectArray* block) { total += block->Count(); });
    return total;
}

bool CSelectList::Contains(const CSelectInfo& record) const
{
    for (CListNode* node = m_blocks.Head(); node;) {
        const CSelectArray* block = m_blocks.StepForward(node);
        for (int i = 0; i < block->Count(); ++i) {
            if (block->At(i).SameAs(record))
                return true;
        }
    }
    return false;
}
