#include "doc/CDocListBase.h"

#include "doc/CChapter.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"

#include <memory>

CDocListBase::CDocListBase()
{
    ApplyLayout();
}

CDocListBase::~CDocListBase()
{
    ClearAll();
}

void CDocListBase::ApplyLayout()
{
    const int cell = CurrentFont().CharWidth();
    m_layout.Set(m_columns * cell, m_tabWidth, cell);
}

bool CDocListBase::PictureSize(int, int&, int&) const
{
    return false;
}

void CDocListBase::ReleasePicture(int) {}

CListNode* CDocListBase::InsertLine(CListNode* after, std::unique_ptr<CTextLine> line)
{
    ++m_lineVersion;
    return after ? m_lines.InsertAfter(after, std::move(line)) : m_lines.InsertHead(std::move(line));
}

std::unique_ptr<CTextLine> CDocListBase::RemoveLine(CListNode* node)
{
    ++m_lineVersion;
    return m_lines.Remove(node);
}

// A slot answers for its own line and for the line right after it.
bool CDocListBase::FromSlot(IndexSlot& slot, const CListNode* node, int& index) const
{
    if (!slot.node || slot.version != m_lineVersion)
        return false;
    if (node != slot.node) {
        if (m_lines.Next(slot.node) != node)
            return false;
        slot.node = node;
        ++slot.index;
    }
    index = slot.index;
    return true;
}

int CDocListBase::LineIndex(const CListNode* node) const
{
    int index = -1;
    if (node && (FromSlot(m_lookedUp, node, index) || FromSlot(m_placed, node, index)))
        return index;
    index = m_lines.PositionOf(node);
    m_lookedUp = {index >= 0 ? node : nullptr, index, m_lineVersion};
    return index;
}

void CDocListBase::RememberLineIndex(const CListNode* node, int index) const
{
    m_placed = {node, index, m_lineVersion};
}

CChapter* CDocListBase::PlaceChapter(CListNode* after, std::unique_ptr<CChapter> chapter)
{
    CChapter* raw = chapter.get();
    CListNode* node = after ? m_chapters.InsertAfter(after, std::move(chapter)) : m_chapters.InsertHead(std::move(chapter));
    if (!node)
        return nullptr;
    raw->SetPosition(node);
    m_changes.MarkChanged(*raw);
    return raw;
}

CTextChapter* CDocListBase::CreateTextChapter(CListNode* after)
{
    CChapter* chapter = PlaceChapter(after, std::make_unique<CChapter>(*this));
    if (!chapter)
        return nullptr;
    chapter->LayOut(0);
    return chapter->Text();
}

CPictChapter* CDocListBase::CreatePictChapter(CListNode* after, int indent)
{
    CChapter* chapter = PlaceChapter(after, std::make_unique<CChapter>(*this, std::make_unique<CPictChapter>(indent)));
    if (!chapter)
        return nullptr;
    chapter->Picture()->RecomputeGeometry();
    return chapter->Picture();
}

void CDocListBase::DeleteChapter(CListNode* node)
{
    CChapter* chapter = m_chapters.Item(node);
    if (!chapter)
        return;
    if (CListNode* first = chapter->FirstLine())
        m_dirty.Mark(LineIndex(first), -1);
    else if (CListNode* before = chapter->PreviousChaptersLastLine())
        m_dirty.Mark(LineIndex(before) + 1, -1);
    // Lines go while the chapter's node still identifies them.
    chapter->DeleteLines();
    m_chapters.Remove(node);
}

void CDocListBase::LayOutAll()
{
    // Layouts change the line list only, so the chapters can be read a block at a time.
    m_chapters.ForEach([](CChapter* chapter) {
        if (chapter->GetType() == CChapter::kText)
            chapter->LayOut(0);
        else
            chapter->Picture()->RecomputeGeometry();
    });
}

void CDocListBase::ClearAll()
{
    // Every line goes in one sweep of the line list instead of one removal at a time; the
    // chapters then have no lines left to remove.
    m_chapters.ForEach([](CChapter* chapter) { chapter->ForgetLines(); });
    ++m_lineVersion;
    m_lines.Clear();
    m_chapters.Clear();
}
