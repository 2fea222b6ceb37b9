// Costs a user feels, at a small and at a large memo: opening, relaying out after a column change,
// Enter, a keystroke that wraps onto a new line, an ordinary keystroke with the undo snapshot
// taken before it, and searching, beside std::u16string_view::find over the same text.
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CDocListMemo.h"
#include "doc/CTextChapter.h"
#include "doc/tests/CTestDocList.h"
#include "text/CMemoPictureLoader.h"
#include "text/CMemoPictureStore.h"
#include "text/CMemoReader.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// Memo paragraphs as people write them: most of 20 to 60 characters, some up to 200; Japanese
// with some ASCII.
std::u16string TypicalParagraph(std::mt19937& rng)
{
    static const std::u16string kJapanese = u"吾輩は猫である名前はまだ無いどこで生れたかとんと見当がつかぬ、。「」ー";
    static const std::u16string kAscii = u"abcdefghijklmnopqrstuvwxyz      ,.0123456789";
    const int length = rng() % 10 == 0 ? 61 + static_cast<int>(rng() % 140) : 20 + static_cast<int>(rng() % 41);
    std::u16string text;
    for (int n = length; n > 0; --n) {
        const std::u16string& pool = (rng() % 3 == 0) ? kAscii : kJapanese;
        text += pool[rng() % pool.size()];
    }
    return text;
}

std::vector<std::u16string> TypicalParagraphs(int count)
{
    std::mt19937 rng(42);
    std::vector<std::u16string> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out.push_back(TypicalParagraph(rng));
    return out;
}

std::u16string Joined(const std::vector<std::u16string>& paragraphs)
{
    std::size_t size = 0;
    for (const auto& p : paragraphs)
        size += p.size() + 2;
    std::u16string text;
    text.reserve(size);
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i)
            text += u"\r\n";
        text += paragraphs[i];
    }
    return text;
}

class CNoPictures : public CMemoPictureLoader {
public:
    bool LoadAtCaret(const std::u16string&, const CPictureTag&) override { return false; }
};

struct Memo {
    CMemoryPictures pictures;
    std::unique_ptr<CDocList> doc = MakeTestDocList(pictures);
};

void Read(Memo& memo, const std::u16string& text)
{
    CDocListMemoSink sink(*memo.doc);
    CNoPictures loader;
    CMemoReader(sink, loader).ReadLines(text, u"", false);
}

const std::u16string& MemoText(int paragraphs)
{
    static std::map<int, std::u16string> texts;
    auto it = texts.find(paragraphs);
    if (it == texts.end())
        it = texts.emplace(paragraphs, Joined(TypicalParagraphs(paragraphs))).first;
    return it->second;
}

// Opening a memo: the memo reader inserts it line by line into an empty document list.
void BM_OpenMemo(benchmark::State& state)
{
    const int paragraphs = static_cast<int>(state.range(0));
    const std::u16string& text = MemoText(paragraphs);
    for (auto _ : state) {
        state.PauseTiming();
        auto memo = std::make_unique<Memo>();
        state.ResumeTiming();
        Read(*memo, text);
        state.PauseTiming();
        if (memo->doc->Chapters().Count() != paragraphs)
            state.SkipWithError("paragraph count differs");
        memo.reset();
        state.ResumeTiming();
    }
}

// Memos for the edits, each read once. The middle paragraph holds exactly one full line of
// full-width characters, so one more character wraps onto a new line.
constexpr int kFullLine = 40;  // 80 columns of two-cell characters

Memo& EditMemo(int paragraphs)
{
    static std::map<int, std::unique_ptr<Memo>> memos;
    auto& slot = memos[paragraphs];
    if (!slot) {
        std::vector<std::u16string> texts = TypicalParagraphs(paragraphs);
        texts[static_cast<std::size_t>(paragraphs / 2)] = std::u16string(kFullLine, u'漢');
        slot = std::make_unique<Memo>();
        Read(*slot, Joined(texts));
        slot->doc->TakeUndoCopy();
    }
    return *slot;
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Enter in the middle of a paragraph; the join that undoes it is not timed.
void BM_Enter(benchmark::State& state)
{
    const int paragraphs = static_cast<int>(state.range(0));
    CDocList& doc = *EditMemo(paragraphs).doc;
    CListNode* node = doc.Chapters().NodeAt(paragraphs / 2 + 1);
    CTextChapter* text = doc.Chapters().Item(node)->Text();
    const int middle = text->Length() / 2;
    for (auto _ : state) {
        doc.SetCaretPos({node, middle});
        const auto start = Clock::now();
        doc.InsertAtCaret(u"\r\n");
        state.SetIterationTime(Seconds(start));
        doc.SetCaretPos({node, middle});
        doc.DeleteAtCaret(1);
        doc.Dirty().Reset();
    }
    if (doc.Chapters().Count() != paragraphs)
        state.SkipWithError("paragraph count differs");
}

// A character typed at the end of a full line, so that it goes onto a new display line; the
// delete that takes it back is not timed.
void BM_WrappingKeystroke(benchmark::State& state)
{
    const int paragraphs = static_cast<int>(state.range(0));
    CDocList& doc = *EditMemo(paragraphs).doc;
    CListNode* node = doc.Chapters().NodeAt(paragraphs / 2);
    const int lines = doc.LineCount();
    for (auto _ : state) {
        doc.SetCaretPos({node, kFullLine});
        const auto start = Clock::now();
        doc.InsertAtCaret(u"字");
        state.SetIterationTime(Seconds(start));
        if (doc.LineCount() != lines + 1) {
            state.SkipWithError("the keystroke did not wrap");
            break;
        }
        doc.SetCaretPos({node, kFullLine});
        doc.DeleteAtCaret(1);
        doc.Dirty().Reset();
    }
}

// The undo snapshot taken before a typed character, and the character; the delete that takes it
// back is not timed (the next snapshot copies the paragraph it changed, as when typing on).
void BM_KeystrokeWithUndoSnapshot(benchmark::State& state)
{
    const int paragraphs = static_cast<int>(state.range(0));
    CDocList& doc = *EditMemo(paragraphs).doc;
    CListNode* node = doc.Chapters().NodeAt(paragraphs / 2 + 2);
    const int middle = doc.Chapters().Item(node)->Text()->Length() / 2;
    for (auto _ : state) {
        doc.SetCaretPos({node, middle});
        const auto start = Clock::now();
        doc.TakeUndoCopy();
        doc.InsertAtCaret(u"x");
        state.SetIterationTime(Seconds(start));
        doc.SetCaretPos({node, middle});
        doc.DeleteAtCaret(1);
        doc.Dirty().Reset();
    }
}

// Changing the column count lays every paragraph out again.
void BM_RelayoutAfterColumnChange(benchmark::State& state)
{
    const int paragraphs = static_cast<int>(state.range(0));
    CDocList& doc = *EditMemo(paragraphs).doc;
    CDocList::Options options;
    bool narrow = false;
    for (auto _ : state) {
        narrow = !narrow;
        options.columns = narrow ? 60 : 80;
        doc.ApplyOptions(options);
    }
    if (narrow) {
        options.columns = 80;
        doc.ApplyOptions(options);
    }
    state.counters["paragraphs"] = paragraphs;
}

// About 10 MB of UTF-16: typical paragraphs, and paragraphs of 100 code units (98 and the line end).
constexpr std::size_t kSearchUnits = 10u * 1024 * 1024 / 2;

const std::vector<std::u16string>& SearchParagraphs(bool typical)
{
    static const std::vector<std::u16string> sets[2] = {
        [] {
            std::vector<std::u16string> out(kSearchUnits / 100, std::u16string(98, u'あ'));
            return out;
        }(),
        [] {
            std::mt19937 rng(7);
            std::vector<std::u16string> out;
            std::size_t units = 0;
            while (units < kSearchUnits) {
                out.push_back(TypicalParagraph(rng));
                units += out.back().size() + 2;
            }
            return out;
        }()};
    return sets[typical ? 1 : 0];
}

const char16_t kAbsent[] = u"みつからない";

void BM_FindNext_Absent(benchmark::State& state)
{
    const bool typical = state.range(0) != 0;
    static std::unique_ptr<Memo> memos[2];
    auto& memo = memos[typical ? 1 : 0];
    const std::u16string text = Joined(SearchParagraphs(typical));
    if (!memo) {
        memo = std::make_unique<Memo>();
        memo->doc->InsertAtCaret(text);
    }
    for (auto _ : state) {
        memo->doc->SetCaret(0, 0);
        benchmark::DoNotOptimize(memo->doc->FindNext(kAbsent));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()) * 2);
}

void BM_StringViewFind_Absent(benchmark::State& state)
{
    const std::u16string text = Joined(SearchParagraphs(state.range(0) != 0));
    const std::u16string_view view(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(view.find(kAbsent));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()) * 2);
}

} // namespace

// The crash journal's copy of a memo on the window's thread, the runs unchanged since the last
// copy taken over as in the program.
void BM_JournalSnapshot(benchmark::State& state)
{
    Memo memo;
    Read(memo, MemoText(static_cast<int>(state.range(0))));
    class NoStore : public CMemoPictureStore {
    public:
        bool Store(int, std::u16string&) override { return false; }
        bool Record(int, CMemoPictureRecord&) const override { return false; }
    } none;
    // One paragraph typed into between copies, as while the user types on.
    std::shared_ptr<CMemoSnapshot> snapshot = TakeSnapshot(*memo.doc, none, nullptr);
    CTextChapter* typed = memo.doc->Chapters().ItemAt(memo.doc->Chapters().Count() / 2)->Text();
    for (auto _ : state) {
        typed->Insert(0, u"a");
        snapshot = TakeSnapshot(*memo.doc, none, snapshot.get());
        benchmark::DoNotOptimize(snapshot->TextUnits());
    }
    state.counters["runs"] = static_cast<double>(snapshot->RunCount());
    state.counters["taken over"] = static_cast<double>(snapshot->ReusedRuns());
}
BENCHMARK(BM_JournalSnapshot)->Arg(170000)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

BENCHMARK(BM_OpenMemo)->Arg(10000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RelayoutAfterColumnChange)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Enter)->Arg(1000)->Arg(300000)->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WrappingKeystroke)->Arg(1000)->Arg(300000)->UseManualTime()->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeystrokeWithUndoSnapshot)->Arg(1000)->Arg(300000)->UseManualTime()->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)->ReportAggregatesOnly(true);
// Argument 1: typical paragraphs; 0: paragraphs of 100 code units.
BENCHMARK(BM_FindNext_Absent)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_StringViewFind_Absent)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Repetitions(3)
    ->ReportAggregatesOnly(true);
