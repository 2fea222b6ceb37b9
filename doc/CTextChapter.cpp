#include "doc/CTextChapter.h"

#include "doc/CChapter.h"
#include "doc/CDocListBase.h"
#include "text/CUtf16.h"

#include <algorithm>
#include <atomic>
#include <new>

CTextChapter::CTextChapter()
    : m_capacity(kBlock + 1), m_text(std::make_unique<char16_t[]>(kBlock + 1)), m_stamp(NextStamp())
{
}

std::uint64_t CTextChapter::NextStamp()
{
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

CTextChapter::~CTextChapter() = default;

// Gives the buffer room for n units plus the terminator, in whole blocks; the old buffer is kept
// while the block count does not change.
bool CTextChapter::Reserve(int n, bool keep)
{
    const int capacity = BlocksFor(n) * kBlock + 1;
    if (capacity == m_capacity)
        return true;
    std::unique_ptr<char16_t[]> buffer(new (std::nothrow) char16_t[capacity]);
    if (!buffer)
        return capacity < m_capacity;  // shrinking can go on in the larger buffer
    const int kept = keep ? std::min(m_length, n) : 0;
    std::copy(m_text.get(), m_text.get() + kept, buffer.get());
    m_text = std::move(buffer);
    m_capacity = capacity;
    return true;
}

int CTextChapter::SetLength(int n)
{
    n = std::max(0, n);
    const int old = m_length;
    if (!Reserve(n, true))
        return -1;
    m_length = n;
    m_text[n] = 0;
    m_stamp = NextStamp();  // every edit of the text comes through here or Assign
    if (m_chapter)
        m_chapter->NoteChange();
    return old;
}

bool CTextChapter::Assign(std::u16string_view text)
{
    const int n = static_cast<int>(text.size());
    if (!Reserve(n, false))
        return false;
    std::copy(text.begin(), text.end(), m_text.get());
    m_length = n;
    m_text[n] = 0;
    m_stamp = NextStamp();
    return true;
}

bool CTextChapter::Insert(int position, const char16_t* text, int count)
{
    if (count <= 0)
        return true;
    position = std::clamp(position, 0, m_length);
    const int old = m_length;
    if (SetLength(old + count) < 0)
        return false;
    char16_t* buffer = m_text.get();
    std::copy_backward(buffer + position, buffer + old, buffer + old + count);
    std::copy(text, text + count, buffer + position);
    LayOut(position);
    return true;
}

bool CTextChapter::InsertIndent(int n)
{
    if (n <= 0)
        return true;
    const std::u16string tabs(static_cast<std::size_t>(n), u'\t');
    return Insert(0, tabs);
}

CTextChapter* CTextChapter::Split(int position, bool carryIndent, int* indentOut)
{
    position = std::clamp(position, 0, m_length);
    const int indent = IndentCount();
    if (indentOut)
        *indentOut = indent;
    if (!m_chapter)
        return nullptr;
    // The new chapter has exactly this one's leading TABs, also when the split falls inside them.
    const int carried = carryIndent ? std::min(indent, position) : 0;
    std::u16string moved(static_cast<std::size_t>(carried), u'\t');
    moved.append(m_text.get() + position, m_text.get() + m_length);

    CDocListBase& doc = m_chapter->Owner();
    CTextChapter* next = doc.CreateTextChapter(m_chapter->Position());
    if (!next)
        return nullptr;
    if (!next->Insert(0, moved)) {
        doc.DeleteChapter(next->Chapter()->Position());
        return nullptr;
    }
    SetLength(position);
    LayOut(position);
    return next;
}

bool CTextChapter::Append(const CTextChapter& other, bool stripIndent)
{
    std::u16string_view tail = other.View();
    if (stripIndent)
        tail.remove_prefix(static_cast<std::size_t>(other.IndentCount()));
    const int old = m_length;
    if (tail.empty()) {
        if (m_chapter)
            m_chapter->NoteChange();
        LayOut(old);
        return true;
    }
    return Insert(old, tail);
}

int CTextChapter::Delete(int position, int count)
{
    if (count <= 0)
        return 0;
    position = std::clamp(position, 0, m_length);
    const int removed = std::min(count, m_length - position);
    if (removed > 0) {
        char16_t* buffer = m_text.get();
        std::copy(buffer + position + removed, buffer + m_length, buffer + position);
        SetLength(m_length - removed);
        LayOut(position);
    }
    return count - removed;
}

int CTextChapter::IndentCount() const
{
    int n = 0;
    while (n < m_length && m_text[n] == u'\t')
        ++n;
    return n;
}

int CTextChapter::LineCount() const
{
    return m_chapter ? m_chapter->LineCount() : 0;
}

CTextLine* CTextChapter::LineAt(int n) const
{
    return m_chapter ? m_chapter->LineAt(n) : nullptr;
}

std::u16string CTextChapter::LineText(int n) const
{
    const CTextLine* line = LineAt(n);
    if (!line)
        return {};
    const int start = std::clamp(line->Start(), 0, m_length);
    const int end = std::clamp(line->End(), start, m_length);
    return std::u16string(m_text.get() + start, m_text.get() + end);
}

CTextChapter::LinePos CTextChapter::OffsetToLine(int offset) const
{
    if (!m_chapter || !m_chapter->FirstLine())
        return {0, offset};
    const auto& lines = m_chapter->Owner().Lines();
    int n = 0;
    for (CListNode* node = m_chapter->FirstLine();; ++n) {
        const bool last = node == m_chapter->LastLine();
        const CTextLine* line = lines.StepForward(node);
        if (offset < line->Length() || last)
            return {n, offset};
        offset -= line->Length();
    }
}

int CTextChapter::ColumnToOffset(int line, int column) const
{
    const CTextLine* target = LineAt(line);
    if (!target)
        return -1;
    return target->Start() + target->MapAt(column);
}

CTextChapter::CaretPos CTextChapter::OffsetToCaret(int offset) const
{
    if (!m_chapter || !m_chapter->FirstLine())
        return {-1, -1};
    // The low half of a surrogate pair has no cell: the caret stands before the pair.
    offset = CUtf16::StartOf(m_text.get(), m_length, offset);
    const auto& lines = m_chapter->Owner().Lines();
    int n = 0;
    for (CListNode* node = m_chapter->FirstLine();; ++n) {
        const bool last = node == m_chapter->LastLine();
        const CTextLine* line = lines.StepForward(node);
        if (line->Start() <= offset && offset <= line->End()) {
            const int index = offset - line->Start();
            const int limit = std::min(line->Capacity(), line->ColumnCount() + 1);
            for (int c = line->IndentColumns(); c < limit; ++c) {
                if (line->MapAt(c) == index)
                    return {c, n};
            }
            return {-1, n};
        }
        if (last)
            return {-1, -1};
    }
}

void CTextChapter::LayOut(int position)
{
    if (m_chapter)
        m_chapter->LayOut(position);
}
