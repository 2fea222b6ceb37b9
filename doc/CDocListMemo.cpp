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

std::shared_ptr<CMemoSnapshot> TakeSnapshot(const CDocList& doc, CMemoPictureStore& pictures,
                                            const CMemoSnapshot* previous)
{
    auto snapshot = std::make_shared<CMemoSnapshot>(doc.Layout().TabWidth());
    // Runs end where the content says so (a stamp divisible by kRunEnd), not at fixed places, so
    // that a paragraph inserted or removed changes one run and not every run after it.
    constexpr std::uint64_t kRunEnd = 128;
    constexpr std::size_t kLongestRun = 1024;
    std::vector<const CChapter*> run;
    std::vector<std::uint64_t> keys;
    run.reserve(kLongestRun);
    keys.reserve(kLongestRun);
    auto endRun = [&] {
        if (run.empty())
            return;
        if (!previous || !snapshot->ReuseRun(*previous, keys)) {
            for (std::size_t i = 0; i < run.size(); ++i)
                snapshot->AddText(run[i]->Text()->View(), run[i]->PageBreak(), keys[i]);
            snapshot->EndRun();
        }
        run.clear();
        keys.clear();
    };
    constexpr int kBlock = 256;
    constexpr int kAhead = 16;
    CChapter* block[kBlock];
    CListNode* node = doc.Chapters().Head();
    while (node) {
        const int read = doc.Chapters().StepForward(node, block, kBlock);
        if (read <= 0)
            break;
        for (int i = 0; i < read; ++i) {
            // The walk waits on memory, not on work: the chapters ahead and their text records are
            // fetched while this one is looked at.
            if (i + kAhead < read)
                __builtin_prefetch(block[i + kAhead]);
            if (i + kAhead / 2 < read)
                if (const CTextChapter* text = block[i + kAhead / 2]->Text())
                    __builtin_prefetch(text);
            const CChapter* chapter = block[i];
            if (const CTextChapter* text = chapter->Text()) {
                // The text's stamp names its content; the page break is the chapter's own.
                const std::uint64_t stamp = text->Stamp();
                run.push_back(chapter);
                keys.push_back(stamp << 1 | (chapter->PageBreak() ? 1u : 0u));
                if (stamp % kRunEnd == 0 || run.size() >= kLongestRun)
                    endRun();
            } else {
                endRun();
                snapshot->AddPicture(chapter->Picture()->Indent(), chapter->Picture()->PictureId(),
                                     chapter->PageBreak(), pictures);
            }
        }
    }
    endRun();
    return snapshot;
}
