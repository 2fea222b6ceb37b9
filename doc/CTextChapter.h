#pragma once
// The text of one paragraph: UTF-16 without line ends, in a buffer that grows in blocks of 256
// code units plus the terminator. Leading TABs are the paragraph's indent. Every edit counts as a
// change of its chapter and lays the chapter out again from the edited offset.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CChapter;
class CTextLine;
struct CListNode;

class CTextChapter {
public:
    static constexpr int kBlock = 256;

    struct LinePos {
        int line;    // line number within the chapter
        int offset;  // offset within that line
    };
    struct CaretPos {
        int column;  // -1 when no column shows the offset
        int line;    // line number within the chapter, -1 when none holds the offset
    };

    CTextChapter();
    virtual ~CTextChapter();
    CTextChapter(const CTextChapter&) = delete;
    CTextChapter& operator=(const CTextChapter&) = delete;

    CChapter* Chapter() const { return m_chapter; }
    void SetChapter(CChapter* chapter) { m_chapter = chapter; }

    int Length() const { return m_length; }
    // Tells one content of the text from every other: a new stamp, never given before in this
    // process, comes with every change, so an equal stamp means an equal text.
    std::uint64_t Stamp() const { return m_stamp; }
    int Capacity() const { return m_capacity; }
    const char16_t* Text() const { return m_text.get(); }
    std::u16string_view View() const { return {m_text.get(), static_cast<std::size_t>(m_length)}; }
    static int BlocksFor(int length) { return length <= 0 ? 1 : (length + kBlock - 1) / kBlock; }

    // Makes room for n units and sets the length, keeping min(old, n) units. Returns the old
    // length, or -1 when memory ran out (nothing changes then). Counts as a change; no layout.
    int SetLength(int n);
    // Replaces the text without counting a change or laying out (for the undo copy).
    bool Assign(std::u16string_view text);

    bool Insert(int position, const char16_t* text, int count);
    bool Insert(int position, std::u16string_view text)
    {
        return Insert(position, text.data(), static_cast<int>(text.size()));
    }
    bool InsertIndent(int n);
    // Moves the text from position on into a new chapter after this one; with carryIndent the new
    // chapter starts with this one's leading TABs. Returns the new chapter (none when memory ran
    // out, nothing changed then); indentOut receives this chapter's leading TAB count.
    CTextChapter* Split(int position, bool carryIndent, int* indentOut = nullptr);
    // Appends other's text, without its leading TABs when stripIndent is set.
    bool Append(const CTextChapter& other, bool stripIndent);
    // Removes up to count units from position; returns how many of count lay past the end.
    int Delete(int position, int count);

    int IndentCount() const;
    int LineCount() const;
    CTextLine* LineAt(int n) const;
    // The text of the chapter's n-th line; empty when there is no such line.
    std::u16string LineText(int n) const;
    LinePos OffsetToLine(int offset) const;
    int ColumnToOffset(int line, int column) const;
    // An offset inside a surrogate pair is shown before the pair.
    CaretPos OffsetToCaret(int offset) const;

    void LayOut(int position);

private:
    bool Reserve(int n, bool keep);
    static std::uint64_t NextStamp();

    int m_length = 0;
    int m_capacity = 0;
    std::unique_ptr<char16_t[]> m_text;
    CChapter* m_chapter = nullptr;
    std::uint64_t m_stamp;
};
