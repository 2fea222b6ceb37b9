#include "doc/CChapter.h"

#include "doc/CChapterChanges.h"
#include "doc/CChapterLayout.h"
#include "doc/CDocListBase.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"

#include <algorithm>

CChapter::CChapter(CDocListBase& owner, std::unique_ptr<CTextChapter> text)
    : m_type(kText), m_owner(owner), m_text(std::move(text))
{
    m_text->SetChapter(this);
}

CChapter::CChapter(CDocListBase& owner) : CChapter(owner, std::make_unique<CTextChapter>()) {}

CChapter::CChapter(CDocListBase& owner, std::unique_ptr<CPictChapter> picture)
    : m_type(kPicture), m_owner(owner), m_picture(std::move(picture))
{
    m_picture->SetChapter(this);
}

CChapter::~CChapter()
{
    DeleteLines();
    if (m_picture && m_picture->PictureId() >= 0)
        m_owner.ReleasePicture(m_picture->PictureId());
    CChapterChanges& changes = m_owner.Changes();
    if (m_liveLink && m_liveLink->m_shadowLink == this) {
        m_liveLink->m_shadowLink = nullptr;
        changes.MarkChanged(*m_liveLink);
    }
    if (m_shadowLink && m_shadowLink->m_liveLink == this) {
        m_shadowLink->m_liveLink = nullptr;
        changes.MarkOrphan(*m_shadowLink);
    }
    changes.Forget(*this);
}

void CChapter::LinkShadow(CChapter* shadow)
{
    CChapterChanges& changes = m_owner.Changes();
    if (m_shadowLink && m_shadowLink->m_liveLink == this) {
        m_shadowLink->m_liveLink = nullptr;
        changes.MarkOrphan(*m_shadowLink);
    }
    m_shadowLink = shadow;
    if (shadow)
        shadow->m_liveLink = this;
    changes.MarkChanged(*this);
}

void CChapter::SetChangeCount(std::uint32_t count)
{
    m_changeCount = count;
    if (!m_liveLink)
        m_owner.Changes().MarkChanged(*this);
}

void CChapter::NoteChange()
{
    ++m_changeCount;
    // A shadow in the undo copy is not part of the document; its live chapter is no longer current.
    if (m_liveLink) {
        m_owner.Changes().MarkChanged(*m_liveLink);
        return;
    }
    m_owner.Changes().MarkChanged(*this);
    m_owner.SetModified(true);
    m_owner.SetUndoAvailable(true);
}

int CChapter::IndentCount() const
{
    return m_text ? m_text->IndentCount() : m_picture->Indent();
}

int CChapter::LineCount() const
{
    const auto& lines = m_owner.Lines();
    int count = 0;
    for (CListNode* node = m_firstLine; node;) {
        const CTextLine* line = lines.StepForward(node);
        if (line->Chapter() != m_position)
            break;
        ++count;
    }
    return count;
}

CListNode* CChapter::LineNodeAt(int n) const
{
    if (n < 0)
        return nullptr;
    const auto& lines = m_owner.Lines();
    CListNode* node = m_firstLine;
    for (; node && n > 0; --n) {
        if (node == m_lastLine)
            return nullptr;
        node = lines.Next(node);
    }
    if (node && lines.Item(node)->Chapter() != m_position)
        return nullptr;
    return node;
}

CTextLine* CChapter::LineAt(int n) const
{
    CListNode* node = LineNodeAt(n);
    return node ? m_owner.Lines().Item(node) : nullptr;
}

void CChapter::LayOut(int position)
{
    CChapterLayout::Run(*this, position);
}

CListNode* CChapter::PreviousChaptersLastLine() const
{
    const auto& chapters = m_owner.Chapters();
    for (CListNode* node = m_position ? chapters.Prev(m_position) : nullptr; node; node = chapters.Prev(node)) {
        if (CListNode* last = chapters.Item(node)->LastLine())
            return last;
    }
    return nullptr;
}

CListNode* CChapter::InsertLineAfter(CListNode* after, int afterIndex)
{
    const auto& lines = m_owner.Lines();
    const int columns = m_owner.Layout().LayoutWidth() / std::max(1, m_owner.CurrentFont().CharWidth());
    auto line = std::make_unique<CTextLine>(m_position, &m_owner, columns);
    CTextLine* raw = line.get();
    const bool ours = after && lines.Item(after)->Chapter() == m_position;
    if (ours) {
        const int end = lines.Item(after)->End();
        raw->SetRange(end, end);
    }
    CListNode* node = m_owner.InsertLine(after, std::move(line));
    if (!node)
        return nullptr;
    raw->SetNode(node);
    const int index = after ? (afterIndex >= -1 ? afterIndex + 1 : m_owner.LineIndex(node)) : 0;
    m_owner.Dirty().MarkLine(index);

    // The chapter's lines stay contiguous, so only the ends can move.
    if (!m_firstLine) {
        m_firstLine = m_lastLine = node;
    } else if (after == m_lastLine) {
        m_lastLine = node;
    } else if (!ours) {
        m_firstLine = node;
    }
    return node;
}

int CChapter::DeleteLinesAfter(CListNode* keep)
{
    if (!m_firstLine || (keep && keep == m_lastLine))
        return 0;
    const auto& lines = m_owner.Lines();
    CListNode* node = keep ? lines.Next(keep) : m_firstLine;
    int removed = 0;
    while (node) {
        const CTextLine* line = lines.Item(node);
        if (line->Chapter() != m_position)
            break;
        CListNode* next = lines.Next(node);
        const bool wasLast = node == m_lastLine;
        m_owner.RemoveLine(node);  // the line handed back is destroyed here
        ++removed;
        if (wasLast)
            break;
        node = next;
    }
    if (keep) {
        m_lastLine = keep;
    } else {
        m_firstLine = nullptr;
        m_lastLine = nullptr;
    }
    return removed;
}
