#include "doc/tests/CTestDoc.h"
#include "text/CUtf16.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// The two halves of 😀 are drawn one by one, so texts hold pairs as well as lone halves, and edits
// join and part them.
const std::u16string kAlphabet = u"ab c\t。、「」漢字・ーW\xD83D\xDE00";

std::u16string RandomText(std::mt19937& rng, int maxLength)
{
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(kAlphabet.size()) - 1);
    std::u16string text;
    for (int n = length(rng); n > 0; --n)
        text += kAlphabet[pick(rng)];
    return text;
}

std::vector<CChapter*> ChaptersOf(CDocListBase& doc)
{
    std::vector<CChapter*> out;
    doc.Chapters().ForEach([&](CChapter* chapter) { out.push_back(chapter); });
    return out;
}

// The lines of every chapter cover its text in order without gaps, stand contiguously in the line
// list, and have well-formed column maps.
void CheckInvariants(CDocListBase& doc)
{
    const auto& lines = doc.Lines();
    CListNode* expected = lines.Head();
    for (CChapter* chapter : ChaptersOf(doc)) {
        ASSERT_EQ(chapter->FirstLine(), expected);
        int offset = 0;
        int count = 0;
        for (CListNode* node = chapter->FirstLine();; node = lines.Next(node)) {
            const CTextLine* line = lines.Item(node);
            ASSERT_EQ(line->Chapter(), chapter->Position());
            ASSERT_LE(line->ColumnCount() + CTextLine::kMargin, line->Capacity());
            ASSERT_LE(line->ColumnsUsed(), line->ColumnCount());
            ASSERT_LT(line->CharCount(), line->Capacity());
            for (int c = 1; c <= line->ColumnCount(); ++c)
                ASSERT_LE(line->MapAt(c - 1), line->MapAt(c));
            ASSERT_EQ(line->MapAt(line->ColumnCount()), line->CharCount());
            if (chapter->GetType() == CChapter::kText) {
                ASSERT_EQ(line->Start(), offset);
                const char16_t* text = chapter->Text()->Text();
                ASSERT_EQ(CUtf16::StartOf(text, chapter->Text()->Length(), line->Start()), line->Start())
                    << "a line starts inside a surrogate pair";
                ASSERT_EQ(line->CharCount(), line->Length());
                ASSERT_TRUE(line->Length() > 0 || chapter->Text()->Length() == 0)
                    << "empty line " << count << " in a chapter of " << chapter->Text()->Length() << " units, "
                    << chapter->LineCount() << " lines, indent " << chapter->Text()->IndentCount();
                offset = line->End();
            }
            ++count;
            if (node == chapter->LastLine())
                break;
        }
        if (chapter->GetType() == CChapter::kText)
            ASSERT_EQ(offset, chapter->Text()->Length());
        else
            ASSERT_EQ(count, chapter->Picture()->Lines());
        expected = lines.Next(chapter->LastLine());
    }
    ASSERT_EQ(expected, nullptr);
}

struct LineShot {
    int start, end, indent, used;
    std::vector<int> map;
    bool operator==(const LineShot&) const = default;
};

std::vector<LineShot> Snapshot(const CDocListBase& doc)
{
    std::vector<LineShot> out;
    doc.Lines().ForEach([&](const CTextLine* line) {
        LineShot shot{line->Start(), line->End(), line->IndentColumns(), line->ColumnsUsed(), {}};
        for (int c = 0; c <= line->ColumnCount(); ++c)
            shot.map.push_back(line->MapAt(c));
        out.push_back(std::move(shot));
    });
    return out;
}

// Every line that differs after an edit lies in the dirty range (which starts out clean), and the
// cached line-index answers agree with the list.
void CheckDirtyCovers(const CDocListBase& doc, const std::vector<LineShot>& before)
{
    const std::vector<LineShot> after = Snapshot(doc);
    const CDirtyRange& dirty = doc.Dirty();
    const std::size_t count = std::max(before.size(), after.size());
    for (std::size_t i = 0; i < count; ++i) {
        const bool same = i < before.size() && i < after.size() && before[i] == after[i];
        if (same)
            continue;
        const int index = static_cast<int>(i);
        ASSERT_FALSE(dirty.IsEmpty()) << "line " << i << " changed";
        ASSERT_LE(dirty.First(), index) << "line " << i << " changed";
        ASSERT_TRUE(dirty.Last() == -1 || index <= dirty.Last()) << "line " << i << " changed";
    }
    if (CListNode* tail = doc.Lines().Tail()) {
        ASSERT_EQ(doc.LineIndex(tail), doc.Lines().Count() - 1);
    }
}

// Laying the same texts out from scratch gives the same lines.
void CheckSameAsFresh(CTestDoc& doc, int columns, int tabWidth)
{
    CTestDoc fresh(columns, tabWidth);
    fresh.Measurer().SetWidth(u'W', (columns + 5) * CTestDoc::kCell);
    fresh.Measurer().SetWidth(U'\U0001F600', CTestDoc::kCell);
    for (CChapter* chapter : ChaptersOf(doc)) {
        if (chapter->GetType() == CChapter::kText) {
            fresh.Append(chapter->Text()->View());
        } else {
            fresh.CreatePictChapter(fresh.Chapters().Tail(), chapter->Picture()->Indent());
        }
    }
    ASSERT_EQ(fresh.Lines().Count(), doc.Lines().Count());
    CListNode* a = doc.Lines().Head();
    CListNode* b = fresh.Lines().Head();
    for (int i = 0; a; ++i) {
        const CTextLine* x = doc.Lines().StepForward(a);
        const CTextLine* y = fresh.Lines().StepForward(b);
        ASSERT_EQ(x->Start(), y->Start()) << "line " << i;
        ASSERT_EQ(x->End(), y->End()) << "line " << i;
        ASSERT_EQ(x->IndentColumns(), y->IndentColumns()) << "line " << i;
        ASSERT_EQ(x->ColumnCount(), y->ColumnCount()) << "line " << i;
        ASSERT_EQ(x->ColumnsUsed(), y->ColumnsUsed()) << "line " << i;
        ASSERT_EQ(x->LastCharColumn(), y->LastCharColumn()) << "line " << i;
        for (int c = 0; c <= x->ColumnCount(); ++c)
            ASSERT_EQ(x->MapAt(c), y->MapAt(c)) << "line " << i << " column " << c;
    }
}

TEST(CChapterRandom, EditsKeepLinesConsistentWithAFreshLayout)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 rng(seed);
        const int columns = 20 + static_cast<int>(seed * 5) % 30;
        const int tabWidth = 2 + static_cast<int>(seed) % 3;
        CTestDoc doc(columns, tabWidth);
        doc.Measurer().SetWidth(u'W', (columns + 5) * CTestDoc::kCell);
        // Narrower than either half alone, so joining or parting a pair moves line breaks.
        doc.Measurer().SetWidth(U'\U0001F600', CTestDoc::kCell);
        doc.First()->Insert(0, RandomText(rng, 60));
        for (int i = 0; i < 4; ++i)
            doc.Append(RandomText(rng, 120));

        for (int step = 0; step < 300; ++step) {
            std::vector<CChapter*> chapters = ChaptersOf(doc);
            const int which = std::uniform_int_distribution<int>(0, static_cast<int>(chapters.size()) - 1)(rng);
            CChapter* chapter = chapters[which];
            const int op = std::uniform_int_distribution<int>(0, 9)(rng);
            if (chapter->GetType() != CChapter::kText) {
                if (op < 3)
                    doc.DeleteChapter(chapter->Position());
                continue;
            }
            const std::vector<LineShot> before = Snapshot(doc);
            doc.Dirty().Reset();
            CTextChapter* text = chapter->Text();
            const int position = std::uniform_int_distribution<int>(0, text->Length())(rng);
            if (op < 4) {
                text->Insert(position, RandomText(rng, 40));
            } else if (op < 6) {
                const int count = std::uniform_int_distribution<int>(1, 30)(rng);
                const int left = text->Delete(position, count);
                // Deleting past the end joins the next text chapter, as the line end goes.
                CListNode* next = doc.Chapters().Next(chapter->Position());
                if (left > 0 && next && doc.Chapters().Item(next)->GetType() == CChapter::kText) {
                    text->Append(*doc.Chapters().Item(next)->Text(), (rng() & 1) != 0);
                    doc.DeleteChapter(next);
                }
            } else if (op < 8) {
                text->Split(position, (rng() & 1) != 0);
            } else if (op < 9) {
                text->InsertIndent(std::uniform_int_distribution<int>(1, 3)(rng));
            } else {
                if (chapters.size() < 12)
                    doc.CreatePictChapter(chapter->Position(), std::uniform_int_distribution<int>(0, 40)(rng));
            }
            ASSERT_NO_FATAL_FAILURE(CheckInvariants(doc)) << "seed " << seed << " step " << step;
            ASSERT_NO_FATAL_FAILURE(CheckDirtyCovers(doc, before)) << "seed " << seed << " step " << step;
            if (step % 20 == 0) {
                ASSERT_NO_FATAL_FAILURE(CheckSameAsFresh(doc, columns, tabWidth)) << "seed " << seed << " step " << step;
            }
        }
        ASSERT_NO_FATAL_FAILURE(CheckSameAsFresh(doc, columns, tabWidth)) << "seed " << seed;
    }
}

}  // namespace
