// Layout throughput of a large memo, and the cost of one typed character in a small and a large
// memo (it must not grow with the memo: only the changed chapter is laid out again).
#include "doc/tests/CTestDoc.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

std::u16string Paragraph(std::mt19937& rng)
{
    static const std::u16string kJapanese = u"吾輩は猫である名前はまだ無いどこで生れたかとんと見当がつかぬ、。「」ー";
    static const std::u16string kAscii = u"abcdefghijklmnopqrstuvwxyz      ,.0123456789";
    std::uniform_int_distribution<int> length(40, 200);
    std::u16string text;
    for (int n = length(rng); n > 0; --n) {
        const std::u16string& pool = (rng() % 3 == 0) ? kAscii : kJapanese;
        text += pool[rng() % pool.size()];
    }
    return text;
}

std::unique_ptr<CTestDoc> MakeDoc(int paragraphs)
{
    auto doc = std::make_unique<CTestDoc>(80, 2);
    std::mt19937 rng(42);
    for (int i = 0; i < paragraphs; ++i)
        doc->Append(Paragraph(rng));
    return doc;
}

CTestDoc& SharedDoc(int paragraphs)
{
    static std::unique_ptr<CTestDoc> small = MakeDoc(1000);
    static std::unique_ptr<CTestDoc> large;
    if (paragraphs == 1000)
        return *small;
    if (!large)
        large = MakeDoc(100000);
    return *large;
}

void BM_LayOutAll(benchmark::State& state)
{
    CTestDoc& doc = SharedDoc(100000);
    for (auto _ : state)
        doc.LayOutAll();
    state.counters["paragraphs/s"] = benchmark::Counter(100000.0 * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(doc.Lines().Count()) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LayOutAll)->Unit(benchmark::kMillisecond);

// Baseline: only reading every character's cached width once, no layout.
void BM_MeasureOnlyBaseline(benchmark::State& state)
{
    CTestDoc& doc = SharedDoc(100000);
    for (auto _ : state) {
        long total = 0;
        doc.Chapters().ForEach([&](CChapter* chapter) {
            for (char16_t ch : chapter->Text()->View())
                total += doc.CurrentFont().Measure(ch);
        });
        benchmark::DoNotOptimize(total);
    }
    state.counters["paragraphs/s"] = benchmark::Counter(100000.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MeasureOnlyBaseline)->Unit(benchmark::kMillisecond);

// One character typed into the middle of the middle paragraph and deleted again: two edits, each
// laying out one chapter.
void BM_TypeAndDeleteOneCharacter(benchmark::State& state)
{
    const int paragraphs = static_cast<int>(state.range(0));
    CTestDoc& doc = SharedDoc(paragraphs);
    CTextChapter* chapter = doc.Chapters().ItemAt(paragraphs / 2)->Text();
    const int middle = chapter->Length() / 2;
    for (auto _ : state) {
        chapter->Insert(middle, u"字");
        chapter->Delete(middle, 1);
        doc.Dirty().Reset();
    }
}
BENCHMARK(BM_TypeAndDeleteOneCharacter)->Arg(1000)->Arg(100000);

}  // namespace

namespace {

// Baseline for the edit above: one line-index lookup in the indexed list, which every chapter
// layout makes once to mark its dirty lines.
void BM_LineIndexLookupBaseline(benchmark::State& state)
{
    const int paragraphs = static_cast<int>(state.range(0));
    CTestDoc& doc = SharedDoc(paragraphs);
    CListNode* line = doc.Chapters().ItemAt(paragraphs / 2)->FirstLine();
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.Lines().PositionOf(line));
}
BENCHMARK(BM_LineIndexLookupBaseline)->Arg(1000)->Arg(100000);

}  // namespace
