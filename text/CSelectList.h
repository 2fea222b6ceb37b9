#pragma once
// Selection records: one record per selected piece of one display line, collected in blocks of
// 512 on an indexed list.
#include "doc/CTypeDataList.h"

#include <cstdint>
#include <optional>

struct CListNode;

class CSelectInfo {
public:
    CSelectInfo() = default;
    CSelectInfo(CListNode* line, int start, int end, std::uint8_t toLineEnd)
        : line(line), start(start), end(end), toLineEnd(toLineEnd) {}
    virtual ~CSelectInfo() = default;
    CSelectInfo(const CSelectInfo&) = default;
    CSelectInfo& operator=(const CSelectInfo&) = default;

    bool SameAs(const CSelectInfo& other) const
    {
        return line == other.line && start == other.start && end == other.end && toLineEnd == other.toLineEnd;
    }

    CListNode* line = nullptr;   // the display line's node in the line list
    int start = 0;               // chapter-text offset of the first selected character
    int end = 0;                 // chapter-text offset after the last selected character
    std::uint8_t toLineEnd = 0;  // 1: the rest of the line, line end included, is selected
};

class CSelectArray {
public:
    static constexpr int kSlots = 512;

    CSelectArray() = default;
    virtual ~CSelectArray() = default;

    // False only when the block is full; a record already held is accepted without change.
    bool Add(const CSelectInfo& record);
    std::optional<CSelectInfo> TakeFirst();
    std::optional<CSelectInfo> TakeLast();
    const CSelectInfo& At(int i) const { return m_slots[m_first + i]; }

    int First() const { return m_first; }
    int Count() const { return m_count; }

private:
    int m_first = 0;
    int m_count = 0;
    CSelectInfo m_slots[kSlots];
};

class CSelectList {
public:
    CSelectList() = default;
    virtual ~CSelectList() = default;

    // Offers the record to each block in order, else starts a new block at the front.
    bool Add(const CSelectInfo& record);
    // The n-th record of the sequence formed by all blocks in list order.
    std::optional<CSelectInfo> Get(int n) const;
    std::optional<CSelectInfo> TakeFirst();
    std::optional<CSelectInfo> TakeLast();
    bool Contains(const CSelectInfo& record) const;
    int RecordCount() const;
    int BlockCount() const { return m_blocks.Count(); }
    void Destroy() { m_blocks.Clear(); }

private:
    CTypeDataList<CSelectArray> m_blocks;
};
