#pragma once
// The document list as the memo reader's sink and the memo writer's source.
#include "text/CMemoSink.h"
#include "text/CMemoSnapshot.h"

#include <memory>
#include "text/CMemoSource.h"

class CDocList;
class CMemoPictureStore;

// Reading inserts line by line at the caret. The file's lines carry their own TABs, so the
// indent flag is off while they go in.
class CDocListMemoSink : public CMemoSink {
public:
    explicit CDocListMemoSink(CDocList& doc);
    ~CDocListMemoSink() override;

    void InsertLine(std::u16string_view text, bool endsChapter) override;
    void SetPageBreakBeforeCaret() override;

private:
    CDocList& m_doc;
    bool m_savedIndentFlag;
};

class CDocListMemoSource : public CMemoSource {
public:
    explicit CDocListMemoSource(const CDocList& doc) : m_doc(doc) {}

    std::size_t ChapterCount() const override;
    CMemoChapter Chapter(std::size_t index) const override;
    std::vector<CMemoDisplayLine> DisplayLines(std::size_t index) const override;
    int TabWidth() const override;

private:
    const CDocList& m_doc;
};

// The document's chapters copied in one pass, the list's lock taken once per block of chapters;
// pictures answer for their tags now. Runs of text chapters that are unchanged since previous
// (when given) are taken over from it instead of copied. May throw std::bad_alloc.
std::shared_ptr<CMemoSnapshot> TakeSnapshot(const CDocList& doc, CMemoPictureStore& pictures,
                                            const CMemoSnapshot* previous);
