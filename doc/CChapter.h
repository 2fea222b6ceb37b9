#pragma once
// One paragraph of text or one picture on lines of its own: the unit the memo file stores per line
// and that page breaks are set on. It owns its payload and knows the stretch of display lines
// that show it.
#include "text/CBaseArea.h"

#include <cstdint>
#include <memory>

struct CListNode;
class CDocListBase;
class CTextChapter;
class CPictChapter;
class CTextLine;

class CChapter : public CBaseArea {
public:
    enum Type : std::int32_t { kText = 1, kPicture = 2 };

    CChapter(CDocListBase& owner, std::unique_ptr<CTextChapter> text);
    // A text chapter with a new, empty payload, made after the chapter itself so that the two and
    // the text buffer lie side by side in memory (a search reads all three from every chapter).
    explicit CChapter(CDocListBase& owner);
    CChapter(CDocListBase& owner, std::unique_ptr<CPictChapter> picture);
    // Deletes the chapter's lines, releases its picture and unlinks its undo partner.
    ~CChapter() override;

    Type GetType() const { return m_type; }
    CDocListBase& Owner() const { return m_owner; }
    CTextChapter* Text() const { return m_text.get(); }
    CPictChapter* Picture() const { return m_picture.get(); }

    CListNode* Position() const { return m_position; }
    void SetPosition(CListNode* node) { m_position = node; }
    CListNode* FirstLine() const { return m_firstLine; }
    CListNode* LastLine() const { return m_lastLine; }

    bool PageBreak() const { return m_pageBreak != 0; }
    void SetPageBreak(bool on) { m_pageBreak = on ? 1 : 0; }

    // Undo partners: a live chapter and its shadow in the undo copy point at each other.
    CChapter* LiveLink() const { return m_liveLink; }
    CChapter* ShadowLink() const { return m_shadowLink; }
    // Links this live chapter with shadow both ways (none unlinks).
    void LinkShadow(CChapter* shadow);

    std::uint32_t ChangeCount() const { return m_changeCount; }
    void SetChangeCount(std::uint32_t count);
    // A change of text or picture: counts it and flags the document modified and undoable.
    void NoteChange();

    // Leading TABs of a text chapter, the indent of a picture chapter.
    int IndentCount() const;
    int LineCount() const;
    // The n-th line of this chapter (0-based), or none.
    CListNode* LineNodeAt(int n) const;
    CTextLine* LineAt(int n) const;

    // Lays the chapter out again from a text offset (picture chapters: all their lines).
    void LayOut(int position);

    // A new line after the line node given (at the front of the line list when none), or after
    // the previous chapter's last line for a chapter that has none. lineIndex, when known, is
    // the given node's index in the line list (saves a lookup). Marks the new line dirty.
    CListNode* InsertLineAfter(CListNode* after, int afterIndex = -2);
    // Removes and destroys this chapter's lines after the node given (all of them when none).
    // Returns how many went.
    int DeleteLinesAfter(CListNode* keep);
    void DeleteLines() { DeleteLinesAfter(nullptr); }
    // For a line list that is emptied at once: the chapter no longer has lines.
    void ForgetLines()
    {
        m_firstLine = nullptr;
        m_lastLine = nullptr;
    }
    // Where a first line goes: after the last line of the nearest earlier chapter that has one.
    CListNode* PreviousChaptersLastLine() const;

private:
    friend class CChapterChanges;

    const Type m_type;
    std::uint8_t m_pageBreak = 0;
    CListNode* m_position = nullptr;
    CListNode* m_firstLine = nullptr;
    CListNode* m_lastLine = nullptr;
    CDocListBase& m_owner;
    std::unique_ptr<CPictChapter> m_picture;
    CChapter* m_liveLink = nullptr;
    CChapter* m_shadowLink = nullptr;
    std::uint32_t m_changeCount = 0;
    int m_changeSlot = -1;  // place in the owner's lists of changes since the last undo copy
    // The text payload last: a search reads it from every chapter of the memo, and here it shares
    // a cache line with the payload that CChapter(owner) makes right after the chapter.
    std::unique_ptr<CTextChapter> m_text;
};
