// Printing a large memo: cutting it into pages and planning every page, beside the walk over all
// display lines that any pagination needs at least.
#include "doc/CDocList.h"
#include "doc/CPagePlan.h"
#include "doc/tests/CTestDocList.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kParagraphs = 100000;
constexpr int kLinesPerPage = 62;

struct BigMemo {
    CMemoryPictures pictures;
    std::unique_ptr<CDocList> doc;
    BigMemo()
    {
        doc = MakeTestDocList(pictures);
        std::u16string text;
        for (int i = 0; i < kParagraphs; ++i) {
            if (i)
                text += u"\r\n";
            // Every tenth paragraph runs over two display lines; every thousandth ends a page.
            text += i % 10 ? u"日本語のメモ text 12345" : u"長い段落の行。" + std::u16string(90, u'x');
        }
        doc->InsertAtCaret(text);
        for (int line = 0; line < doc->LineCount(); line += 1100) {
            doc->SetCaret(line, 0);
            doc->SetPageBreak(true);
        }
    }
};

BigMemo& Memo()
{
    static BigMemo memo;
    return memo;
}

void BM_Baseline_WalkAllLines(benchmark::State& state)
{
    const CDocList& doc = *Memo().doc;
    for (auto _ : state) {
        long count = 0;
        for (CListNode* node = doc.Lines().Head(); node;) {
            benchmark::DoNotOptimize(doc.ChapterOfLine(*doc.Lines().StepForward(node)));
            ++count;
        }
        benchmark::DoNotOptimize(count);
    }
    state.counters["lines"] = doc.LineCount();
}

void BM_Paginate(benchmark::State& state)
{
    CDocList& doc = *Memo().doc;
    int pages = 0;
    for (auto _ : state)
        pages = doc.Paginate(kLinesPerPage);
    state.counters["pages"] = pages;
}

// What a print job does besides drawing: the pages cut, then every page planned.
void BM_PaginateAndPlanEveryPage(benchmark::State& state)
{
    CDocList& doc = *Memo().doc;
    CPagePlan plan;
    for (auto _ : state) {
        const int pages = doc.Paginate(kLinesPerPage);
        long items = 0;
        for (int page = 0; page < pages; ++page) {
            plan.Build(doc, page, 4, kLinesPerPage);
            items += static_cast<long>(plan.items.size());
        }
        benchmark::DoNotOptimize(items);
    }
}

// What the preview needs before it can show its first page.
void BM_PaginateAndPlanFirstPage(benchmark::State& state)
{
    CDocList& doc = *Memo().doc;
    CPagePlan plan;
    for (auto _ : state) {
        doc.Paginate(kLinesPerPage);
        plan.Build(doc, 0, 4, kLinesPerPage);
        benchmark::DoNotOptimize(plan.items.size());
    }
}

// A page deep inside the memo, as the preview's last page or a page range asks for it.
void BM_PlanLastPage(benchmark::State& state)
{
    CDocList& doc = *Memo().doc;
    const int pages = doc.Paginate(kLinesPerPage);
    CPagePlan plan;
    for (auto _ : state) {
        plan.Build(doc, pages - 1, 4, kLinesPerPage);
        benchmark::DoNotOptimize(plan.items.size());
    }
}

}  // namespace

BENCHMARK(BM_Baseline_WalkAllLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paginate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginateAndPlanEveryPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginateAndPlanFirstPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanLastPage)->Unit(benchmark::kMicrosecond);
