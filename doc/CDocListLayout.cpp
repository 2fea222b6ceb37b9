// Laying the memo out again after an option, font or picture change, with the caret, the anchor,
// the selection and the top line kept on the characters they were on. Line and column change
// with the layout; chapter and offset do not, so they carry the places across.
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CTextChapter.h"

#include <algorithm>

CDocList::Places::Place CDocList::PlaceAt(int lineIndex, int column) const
{
    Places::Place place;
    place.pos = PosAt(lineIndex, column);
    const CTextLine* line = LineAt(lineIndex);
    const CChapter* chapter = line ? ChapterOfLine(*line) : nullptr;
    if (!chapter)
        return place;
    if (chapter->Picture())
        place.lineInChapter = lineIndex - FirstLineIndex(*chapter);
    else
        place.atLineStart = line->Start() > 0 && place.pos.offset == line->Start();
    return place;
}

void CDocList::LineOfPlace(const Places::Place& place, int& lineIndex, int& column) const
{
    CaretFromPos(place.pos, lineIndex, column);
    const CChapter* chapter = Chapters().Item(place.pos.chapter);
    if (!chapter)
        return;
    if (chapter->Picture()) {
        const int last = std::max(0, chapter->LineCount() - 1);
        lineIndex = FirstLineIndex(*chapter) + std::clamp(place.lineInChapter, 0, last);
        return;
    }
    // The end of a wrapped line and the start of the next are the same offset; the place says
    // which of the two it was shown at.
    if (!place.atLineStart)
        return;
    const CTextLine* line = LineAt(lineIndex);
    const CTextLine* next = LineAt(lineIndex + 1);
    if (line && next && next->Chapter() == line->Chapter() && line->End() == place.pos.offset &&
        next->Start() == place.pos.offset) {
        ++lineIndex;
        column = CharStartColumn(*next, 0);
    }
}

CDocList::Places CDocList::SavePlaces()
{
    Places places;
    places.caret = PlaceAt(m_caretLine, m_caretColumn);
    places.anchor = PlaceAt(m_anchorLine, m_anchorColumn);
    if (const CTextLine* top = LineAt(m_topLine))
        places.top = PlaceAt(m_topLine, LineStartColumn(*top));
    places.selectMode = m_selectMode;
    places.preferredIsCaret = m_preferredColumn == m_caretColumn;
    places.preferredColumn = m_preferredColumn;
    if (m_hasUndoCopy) {
        // Best effort: the undo copy keeps its caret as line and column, which are read here in
        // the current lines.
        const DocPos saved = PosAt(m_savedCaretLine, m_savedCaretColumn);
        places.savedCaretChapter = saved.chapter ? Chapters().PositionOf(saved.chapter) : -1;
        places.savedCaretOffset = saved.offset;
    }
    DropSelection();
    return places;
}

void CDocList::RestorePlaces(const Places& places)
{
    DropSelection();
    LineOfPlace(places.caret, m_caretLine, m_caretColumn);
    LineOfPlace(places.anchor, m_anchorLine, m_anchorColumn);
    m_endLine = m_caretLine;
    m_endColumn = m_caretColumn;
    m_preferredColumn = places.preferredIsCaret ? m_caretColumn : std::min(places.preferredColumn, Columns());
    if (places.top.pos.chapter) {
        int column = 0;
        LineOfPlace(places.top, m_topLine, column);
    } else {
        m_topLine = std::clamp(m_topLine, 0, std::max(0, LineCount() - 1));
    }
    if (places.savedCaretChapter >= 0) {
        if (const CChapter* chapter = Chapters().ItemAt(places.savedCaretChapter))
            CaretFromPos({chapter->Position(), places.savedCaretOffset}, m_savedCaretLine, m_savedCaretColumn);
    }
    if (places.selectMode != kNoSelection)
        Select(places.selectMode);
    Dirty().Mark(0, -1);
    UpdateCaret();
}

void CDocList::LayOutAll()
{
    const Places places = SavePlaces();
    CDocListBase::LayOutAll();
    RestorePlaces(places);
}

void CDocList::RecomputeVisibleLines()
{
    if (m_clientHeight > 0)
        m_visibleLines = m_clientHeight / std::max(1, LineHeight()) + 1;
}

bool CDocList::ApplyOptions(const Options& options)
{
    CTextFont& font = CurrentFont();
    const CLayoutSettings& layout = Layout();
    const bool changed = (options.columns > 0 && options.columns != Columns()) ||
                         (options.tabWidth > 0 && options.tabWidth != layout.TabWidth()) ||
                         (options.lineSpacing >= 0 && options.lineSpacing != font.LineSpacing()) ||
                         options.colour != font.TextColour() ||
                         options.lineStartForbidden != layout.LineStartForbidden() ||
                         options.lineEndForbidden != layout.LineEndForbidden() ||
                         options.headingSymbols != layout.HeadingSymbols();
    if (!changed)
        return false;
    const Places places = SavePlaces();
    if (options.columns > 0)
        SetColumns(options.columns);
    if (options.tabWidth > 0)
        SetTabWidth(options.tabWidth);
    if (options.lineSpacing >= 0)
        font.SetLineSpacing(options.lineSpacing);
    font.SetTextColour(options.colour);
    Layout().SetLineStartForbidden(options.lineStartForbidden);
    Layout().SetLineEndForbidden(options.lineEndForbidden);
    Layout().SetHeadingSymbols(options.headingSymbols);
    ApplyLayout();
    RecomputeVisibleLines();
    CDocListBase::LayOutAll();
    RestorePlaces(places);
    return true;
}

void CDocList::ApplyScreenFont()
{
    const Places places = SavePlaces();
    ApplyLayout();
    RecomputeVisibleLines();
    CDocListBase::LayOutAll();
    RestorePlaces(places);
}
