#include "doc/CDocListMemo.h"

#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"

CDocListMemoSink::CDocListMemoSink(CDocList& doc) : m_doc(doc), m_savedIndentFlag(doc.IndentFlag())
{
    m_doc.SetIndentFlag(false);
}

CDocListMemoSink::~CDocListMemoSink()
{
    m_doc.SetIndentFlag(m_savedIndentFlag);
}

void CDocListMemoSink::InsertLine(std::u16string_view text, bool endsChapter)
{
    if (!text.empty())
        m_doc.InsertAtCaret(text);
    if (endsChapter)
        m_doc.InsertAtCaret(u"\n");
}

void CDocListMemoSink::SetPageBreakBeforeCaret()
{
    const CDocList::DocPos caret = m_doc.CaretPos();
    CListNode* previous = caret.chapter ? m_doc.Chapters().Prev(caret.chapter) : nullptr;
    CChapter* chapter = m_doc.Chapters().Item(previous);
    if (!chapter)
        return;
    chapter->SetPageBreak(true);
    chapter->NoteChange();
    if (chapter->FirstLine())
        m_doc.Dirty().Mark(m_doc.IndexOfLine(chapter->FirstLine()), -1);
}

std::size_t CDocListMemoSource::ChapterCount() const
{
    return static_cast<std::size_t>(m_doc.Chapters().Count());
}

CMemoChapter CDocListMemoSource::Chapter(std::size_t index) const
{
    CMemoChapter out;
    const CChapter* chapter = m_doc.Chapters().ItemAt(static_cast<int>(index));
    if (!chapter)
        return out;
    out.pageBreak = chapter->PageBreak();
    if (const CTextChapter* text = chapter->Text()) {
        out.text = text->View();
    } else {
        out.picture = true;
        out.indent = chapter->Picture()->Indent();
        out.pictureId = chapter->Picture()->PictureId();
    }
    return out;
}

std::vector<CMemoDisplayLine> CDocListMemoSource::DisplayLines(std::size_t index) const
{
    std::vector<CMemoDisplayLine> lines;
    const CChapter* chapter = m_doc.Chapters().ItemAt(static_cast<int>(index));
    if (!chapter || !chapter->Text())
        return lines;
    const int count = chapter->LineCount();
    for (int n = 0; n < count; ++n) {
        const CTextLine* line = chapter->LineAt(n);
        lines.push_back({chapter->Text()->LineText(n), line ? line->IndentColumns() : 0});
    }
    return lines;
}

int CDocListMemoSource::TabWidth() const
{
    return m_doc.Layout().TabWidth();
}

void TakeSnapshot(const CDocList& doc, CMemoPictureStore& pictures, CMemoSnapshot& snapshot, std::size_t expectedUnits)
{
    snapshot.Clear(doc.Layout().TabWidth());
    snapshot.Reserve(static_cast<std::size_t>(doc.Chapters().Count()), expectedUnits);
    constexpr int kBlock = 256;
    CChapter* block[kBlock];
    CListNode* node = doc.Chapters().Head();
    while (node) {
        const int read = doc.Chapters().StepForward(node, block, kBlock);
        if (read <= 0)
            break;
        for (int i = 0; i < read; ++i) {
            const CChapter* chapter = block[i];
            if (const CTextChapter* text = chapter->Text())
                snapshot.AddText(text->View(), chapter->PageBreak());
            else
                snapshot.AddPicture(chapter->Picture()->Indent(), chapter->Picture()->PictureId(),
                                    chapter->PageBreak(), pictures);
        }
    }
}
