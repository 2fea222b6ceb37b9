#pragma once
// The model of one open memo: chapters and their display lines, the caret and the visible window
// onto the lines, the selection, the one-level undo copy and the page list. The edit window drives
// it and paints from it; nothing here touches a window or a device context.
#include "doc/CDocListBase.h"
#include "doc/CPageInfo.h"
#include "text/CSelectList.h"

#include <cstdint>
#include <string>
#include <string_view>

class CCaretSink;
class CDocPictures;
class CChapter;
class CPictChapter;

class CDocList : public CDocListBase {
public:
    static constexpr int kStartVisibleLines = 50;

    enum SelectMode { kNoSelection = 0, kStream = 1, kRectangle = 2 };

    // A place in the memo: a chapter and a code-unit offset in its text. On a picture chapter
    // offset 0 stands before the picture and 1 after it.
    struct DocPos {
        CListNode* chapter = nullptr;
        int offset = 0;
    };

    // What a copy of a range yields: its text, or a picture when the range holds nothing else.
    struct RangeText {
        std::u16string text;
        int pictureId = -1;
    };

    struct Rect {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };

    // Where the caret, the selection anchor, the selection and the top line stand, by chapter and
    // offset rather than by line and column, so that they survive laying the lines out again.
    // Valid until a chapter is removed.
    struct Places {
        struct Place {
            DocPos pos;
            int lineInChapter = 0;     // which line of a picture chapter
            bool atLineStart = false;  // shown at the start of a wrapped line, not the end of the one before
        };
        Place caret;
        Place anchor;
        Place top;
        int selectMode = kNoSelection;
        bool preferredIsCaret = true;
        int preferredColumn = 0;
        int savedCaretChapter = -1;  // the undo copy's caret, by chapter index
        int savedCaretOffset = 0;
    };

    struct Options {
        int columns = kDefaultColumns;
        int tabWidth = CLayoutSettings::kDefaultTabWidth;
        int lineSpacing = -1;  // pixels below each line; -1 keeps the current spacing
        std::uint32_t colour = CTextFont::kDefaultTextColour;
        std::u16string lineStartForbidden{CLayoutSettings::kDefaultLineStartForbidden};
        std::u16string lineEndForbidden{CLayoutSettings::kDefaultLineEndForbidden};
        std::u16string headingSymbols{CLayoutSettings::kDefaultHeadingSymbols};
    };

    // The screen font must be installed (Font(kScreenFont).Install) before Create.
    CDocList();
    ~CDocList() override;

    // Sets the layout from the installed font, the caret, the view and the first empty chapter.
    void Create(int columns, int tabWidth);
    void SetPictures(CDocPictures* pictures) { m_pictures = pictures; }
    void SetCaretSink(CCaretSink* sink) { m_caretSink = sink; }
    // Stores what changed and, when anything did, lays everything out again keeping the caret and
    // the selection on their characters. True when anything changed.
    bool ApplyOptions(const Options& options);
    // After the view installed a new screen font (Font(kScreenFont).Install): the layout width,
    // tab stops and visible lines follow the new metrics and everything is laid out again, the
    // caret, the anchor, the selection and the top line kept on their characters.
    void ApplyScreenFont();
    // Every chapter laid out again, keeping the caret, the selection and the top line in place.
    void LayOutAll() override;
    // For any other change that lays lines out again without editing text (a picture resized):
    // SavePlaces before it (the selection records go, as they point at display lines),
    // RestorePlaces after it (caret, anchor, selection in its mode, preferred column, top line).
    Places SavePlaces();
    void RestorePlaces(const Places& places);
    // Empties the memo (chapters, lines, selection, undo copy) and starts again with one empty
    // chapter, as before loading a memo.
    void Reset();

    // Indent flag: splits carry the leading TABs, joins drop them.
    bool IndentFlag() const { return m_indentFlag; }
    void SetIndentFlag(bool on) { m_indentFlag = on; }

    // Lines and chapters.
    int LineCount() const { return Lines().Count(); }
    CTextLine* LineAt(int index) const { return Lines().ItemAt(index); }
    CChapter* ChapterAtLine(int index) const;
    int IndexOfLine(const CListNode* line) const { return LineIndex(line); }
    CChapter* ChapterByPictureId(int id) const;
    // The whole text of the memo, chapters joined by "\r\n" (pictures as their tag).
    std::u16string AllText() const;

    // Caret and view.
    int CaretColumn() const { return m_caretColumn; }
    int CaretLine() const { return m_caretLine; }
    int PreferredColumn() const { return m_preferredColumn; }
    void SetCaret(int line, int column);
    DocPos CaretPos() const { return PosAt(m_caretLine, m_caretColumn); }
    void SetCaretPos(const DocPos& pos);
    // Horizontal (lineDelta 0) or vertical move; pad types blanks up to the preferred column.
    void MoveCaret(int lineDelta, int charDelta, bool pad);
    void UpdateCaret();
    void PlaceCaretAt(int x, int y);
    // Line and column under a client point.
    void HitTest(int x, int y, int& line, int& column) const;
    Rect PictureRect(int pictureId) const;

    int TopLine() const { return m_topLine; }
    void SetTopLine(int line);
    int VisibleLines() const { return m_visibleLines; }
    int HorizontalScroll() const { return m_hScroll; }
    void SetHorizontalScroll(int columns) { m_hScroll = columns < 0 ? 0 : columns; }
    void SetClientSize(int width, int height);
    int ClientWidth() const { return m_clientWidth; }
    int ClientHeight() const { return m_clientHeight; }

    // Editing at a place; each returns where the edit left the caret.
    DocPos InsertText(int line, int column, std::u16string_view text);
    DocPos InsertAtCaret(std::u16string_view text);
    // Forward delete of n characters at the caret (a surrogate pair is one), joining chapters
    // across line ends.
    void DeleteAtCaret(int n);
    // Backspace: the character before the caret goes (a whole surrogate pair), also when it stands
    // on the display line above. At the start of a paragraph or on a picture the caret steps
    // back one place and what stands there is deleted forward, joining the paragraph to the one
    // before. False at the start of the memo, where nothing happens.
    bool DeleteBeforeCaret();
    // The caret's paragraph from its start up to the caret, for the calculation after "=";
    // empty on a picture.
    std::u16string TextToCaret() const;
    // Deletes the current selection (stream or rectangle) and clears it; false when none.
    bool DeleteSelection();
    RangeText SelectedText() const;
    RangeText TextBetween(const DocPos& from, const DocPos& to) const;
    // A picture chapter before the caret's chapter showing picture id (sizes as for
    // CPictChapter::SetPicture); the caret stays where it was in the text. None, with nothing
    // inserted, when the picture is unknown.
    CPictChapter* InsertPictureBeforeCaret(int indent, int id, int width, int height, int maxWidth, int maxHeight,
                                           int partX, int partY, int partWidth, int partHeight);
    void SetPageBreak(bool on);
    bool PageBreakState() const;

    // Selection from the anchor to the caret.
    void BeginSelection(int kind);
    void Select(int mode);
    void ClearSelection();
    bool HasSelection() const { return m_selection.RecordCount() > 0; }
    int SelectionMode() const { return m_selectMode; }
    int SelectionKind() const { return m_selectKind; }
    int AnchorLine() const { return m_anchorLine; }
    int AnchorColumn() const { return m_anchorColumn; }
    const CSelectList& Selection() const { return m_selection; }
    CSelectList& SecondSelection() { return m_secondSelection; }
    // The word around the caret, selected with the caret at its end.
    bool SelectWord();

    // Pictures.
    int NextPictureId() const;
    std::u16string PictureFileName(int id) const;
    void SetMemoNames(std::u16string folder, std::u16string secondName, std::u16string title);
    const std::u16string& Folder() const { return m_folder; }
    const std::u16string& Title() const { return m_title; }
    const std::u16string& SecondName() const { return m_secondName; }

    // Undo: one level. The copy and Undo cost what changed since the last copy.
    void TakeUndoCopy();
    bool Undo();
    // The same by a walk over every chapter and every shadow (the reference for tests).
    void TakeUndoCopyFullWalk();
    bool UndoFullWalk();
    int UndoShadowCount() const { return m_undo.Count(); }
    const CTypeDataList<CChapter>& UndoList() const { return m_undo; }

    // Search: exact code units inside one text chapter, no wrap. The caret moves to the match.
    bool FindNext(std::u16string_view text) { return Find(text, +1, 1); }
    bool FindPrevious(std::u16string_view text) { return Find(text, -1, -1); }
    bool FindAtCaret(std::u16string_view text) { return Find(text, +1, 0); }
    // The commands: the match selected with the caret at its start.
    bool SearchForward(std::u16string_view text);
    bool SearchBackward(std::u16string_view text);
    bool Replace(std::u16string_view search, std::u16string_view replacement);

    // Printing.
    int Paginate(int linesPerPage);
    const CTypeDataList<CPageInfo>& Pages() const { return m_pages; }
    void ClearPages() { m_pages.Clear(); }

    // Picture list answers for chapters.
    bool PictureSize(int id, int& width, int& height) const override;
    void ReleasePicture(int id) override;

private:
    DocPos PosAt(int line, int column) const;
    Places::Place PlaceAt(int line, int column) const;
    void LineOfPlace(const Places::Place& place, int& line, int& column) const;
    void RecomputeVisibleLines();
    void CaretFromPos(const DocPos& pos, int& line, int& column) const;
    int FirstLineIndex(const CChapter& chapter) const;
    int CharStartColumn(const CTextLine& line, int column) const;
    int LineStartColumn(const CTextLine& line) const;
    void MoveHorizontal(int n);
    void MoveVertical(int n, bool pad);
    bool Find(std::u16string_view text, int direction, int startShift);
    void SelectBetween(const DocPos& anchor, const DocPos& caret);
    void DropSelection();
    void AddRecord(int lineIndex, int fromColumn, int toColumn);
    void RemoveChapter(CListNode* node);
    void JoinNext(CListNode* node);
    std::u16string PictureTag(const CChapter& chapter) const;
    std::unique_ptr<CChapter> CopyChapter(const CChapter& source);
    CListNode* PlaceLiveCopy(const CChapter& shadow, CListNode* after);
    bool ManyChanges();
    CListNode* RenewShadow(CChapter& live, CListNode* previousShadow);
    CListNode* PreviousShadow(const CChapter& live) const;
    void FinishUndoCopy();
    CListNode* RestoreFromShadow(CChapter& shadow, CListNode* previousLive);
    CListNode* PreviousLive(const CChapter& shadow) const;
    void FinishUndo();

    CDocPictures* m_pictures = nullptr;
    CCaretSink* m_caretSink = nullptr;
    bool m_indentFlag = false;

    CTypeDataList<CChapter> m_undo;
    CTypeDataList<CPageInfo> m_pages;
    int m_linesPerPage = 0;

    int m_anchorColumn = 0;
    int m_anchorLine = 0;
    int m_endColumn = 0;
    int m_endLine = 0;
    int m_selectKind = 0;
    CSelectList m_selection;
    int m_selectMode = kNoSelection;
    CSelectList m_secondSelection;

    int m_caretColumn = 0;
    int m_caretLine = 0;
    bool m_hasUndoCopy = false;
    int m_savedCaretColumn = 0;
    int m_savedCaretLine = 0;
    int m_preferredColumn = 0;
    int m_caretHeight = 0;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_topLine = 0;
    int m_visibleLines = kStartVisibleLines;
    int m_hScroll = 0;

    std::u16string m_folder;
    std::u16string m_secondName;
    std::u16string m_title;
};
