#pragma once
// What chapters and display lines need of the document list that holds them: the chapter and line
// lists, the fonts and layout settings, the modified and undo-available flags, the dirty line range
// and the pictures' sizes. The document list derives from it.
#include "doc/CChapterChanges.h"
#include "doc/CDirtyRange.h"
#include "doc/CTypeDataList.h"
#include "text/CLayoutSettings.h"
#include "text/CTextFont.h"
#include "text/CTextLine.h"

#include <cstdint>
#include <memory>

class CChapter;
class CTextChapter;
class CPictChapter;

class CDocListBase {
public:
    static constexpr int kDefaultColumns = 80;
    static constexpr int kDefaultPictureSize = 500;
    static constexpr int kScreenFont = 0;
    static constexpr int kPrintFont = 1;

    CDocListBase();
    // Destroys the chapters (and with them their lines), then any lines left.
    virtual ~CDocListBase();
    CDocListBase(const CDocListBase&) = delete;
    CDocListBase& operator=(const CDocListBase&) = delete;

    CTypeDataList<CChapter>& Chapters() { return m_chapters; }
    const CTypeDataList<CChapter>& Chapters() const { return m_chapters; }
    // The display lines, for walking and lookups; they are added and removed only through
    // InsertLine and RemoveLine, which keep the line-index cache right.
    const CTypeDataList<CTextLine>& Lines() const { return m_lines; }
    // Inserts after the node given (at the front when none); none when the list refused it.
    CListNode* InsertLine(CListNode* after, std::unique_ptr<CTextLine> line);
    std::unique_ptr<CTextLine> RemoveLine(CListNode* node);
    // Index of a line node in the line list (-1 when not there). The last answer is kept until the
    // line list changes, so typing into one chapter does not walk the index once per key.
    int LineIndex(const CListNode* node) const;
    // Tells the cache where a line stands, as a layout that just placed it knows; the line after
    // it is then found without a lookup too.
    void RememberLineIndex(const CListNode* node, int index) const;

    // Fonts: 0 = screen, 1 = printer; the current one is 1 only while a page is printed.
    CTextFont& Font(int index) { return m_fonts[index == kPrintFont ? 1 : 0]; }
    CTextFont& CurrentFont() { return m_fonts[m_currentFont]; }
    const CTextFont& CurrentFont() const { return m_fonts[m_currentFont]; }
    int CurrentFontIndex() const { return m_currentFont; }
    void SetCurrentFontIndex(int index) { m_currentFont = index == kPrintFont ? 1 : 0; }
    int LineHeight() const { return CurrentFont().LineHeight(); }

    // Columns per line ("Column Num") and tab width ("Tab Column"); ApplyLayout turns them into
    // the layout width (columns × the current font's character width) and the tab stops.
    int Columns() const { return m_columns; }
    void SetColumns(int columns) { m_columns = columns; }
    void SetTabWidth(int width) { m_tabWidth = width; }
    void ApplyLayout();
    CLayoutSettings& Layout() { return m_layout; }
    const CLayoutSettings& Layout() const { return m_layout; }

    // Change notification.
    bool Modified() const { return m_modified; }
    void SetModified(bool on)
    {
        m_modified = on;
        if (on)
            ++m_editCount;
    }
    // Raised by every change of the content: what a copy of the memo was made from is current
    // while it stays the same.
    std::uint64_t EditCount() const { return m_editCount; }
    bool UndoAvailable() const { return m_undoAvailable; }
    void SetUndoAvailable(bool on) { m_undoAvailable = on; }
    CDirtyRange& Dirty() { return m_dirty; }
    const CDirtyRange& Dirty() const { return m_dirty; }
    // Chapters made, changed or deleted since the last undo copy.
    CChapterChanges& Changes() { return m_changes; }

    // Pictures, answered by the document's picture list.
    virtual bool PictureSize(int id, int& width, int& height) const;
    virtual int PictureSizeLimit() const { return kDefaultPictureSize; }
    // A picture chapter holding this picture id is being destroyed.
    virtual void ReleasePicture(int id);

    // New chapters after the given chapter node (at the front when none), laid out at once.
    CTextChapter* CreateTextChapter(CListNode* after);
    CPictChapter* CreatePictChapter(CListNode* after, int indent);
    // Removes and destroys a chapter with its lines; the lines from its place on are dirty.
    void DeleteChapter(CListNode* chapter);
    CChapter* ChapterOfLine(const CTextLine& line) const { return m_chapters.Item(line.Chapter()); }
    // Every text chapter from position 0 and every picture chapter's geometry.
    virtual void LayOutAll();
    // Destroys all chapters, then any remaining lines. A derived list whose ReleasePicture does
    // work must call it from its own destructor.
    void ClearAll();

private:
    // Inserts after the node given (at the front when none) and records the chapter's node.
    CChapter* PlaceChapter(CListNode* after, std::unique_ptr<CChapter> chapter);

    CChapterChanges m_changes;  // first, so that it outlives every chapter
    CTypeDataList<CTextLine> m_lines;
    CTypeDataList<CChapter> m_chapters;
    CTextFont m_fonts[2];
    int m_currentFont = 0;
    int m_columns = kDefaultColumns;
    int m_tabWidth = CLayoutSettings::kDefaultTabWidth;
    CLayoutSettings m_layout;
    bool m_modified = false;
    std::uint64_t m_editCount = 0;
    bool m_undoAvailable = false;
    CDirtyRange m_dirty;
    std::uint64_t m_lineVersion = 0;  // raised by every change of the line list
    // Two remembered (line, index) pairs: the last one looked up and the last one a layout placed.
    struct IndexSlot {
        const CListNode* node = nullptr;
        int index = -1;
        std::uint64_t version = 0;
    };
    bool FromSlot(IndexSlot& slot, const CListNode* node, int& index) const;
    mutable IndexSlot m_lookedUp;
    mutable IndexSlot m_placed;
};
