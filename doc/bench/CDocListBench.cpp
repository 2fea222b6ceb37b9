// Document-list operations on large memos, each beside the baseline it is measured against.
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CTextChapter.h"
#include "doc/tests/CTestDocList.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

// n paragraphs of one short line each.
std::u16string Paragraphs(int n, const std::u16string& body)
{
    std::u16string text;
    text.reserve(static_cast<std::size_t>(n) * (body.size() + 2));
    for (int i = 0; i < n; ++i) {
        if (i)
            text += u"\r\n";
        text += body;
    }
    return text;
}

struct BigDoc {
    CMemoryPictures pictures;
    std::unique_ptr<CDocList> doc;
    explicit BigDoc(int paragraphs, const std::u16string& body = u"日本語のメモ text 12345")
    {
        doc = MakeTestDocList(pictures);
        doc->InsertAtCaret(Paragraphs(paragraphs, body));
    }
};

void BM_CaretLineLookup(benchmark::State& state)
{
    static BigDoc big(static_cast<int>(state.range(0)));
    std::mt19937 rng(1);
    const int lines = big.doc->LineCount();
    for (auto _ : state) {
        big.doc->SetCaret(static_cast<int>(rng() % lines), 3);
        benchmark::DoNotOptimize(big.doc->CaretPos());
    }
}

void BM_HitTest(benchmark::State& state)
{
    static BigDoc big(static_cast<int>(state.range(0)));
    std::mt19937 rng(2);
    const int lines = big.doc->LineCount();
    int line = 0;
    int column = 0;
    for (auto _ : state) {
        big.doc->SetTopLine(static_cast<int>(rng() % lines));
        big.doc->HitTest(static_cast<int>(rng() % 600), static_cast<int>(rng() % 700), line, column);
        benchmark::DoNotOptimize(column);
    }
}

void BM_UndoCopy_OneChapterChanged(benchmark::State& state)
{
    BigDoc big(100000);
    big.doc->TakeUndoCopy();
    CTextChapter* middle = big.doc->Chapters().ItemAt(50000)->Text();
    for (auto _ : state) {
        middle->Insert(0, u"x");
        big.doc->TakeUndoCopy();
    }
}

void BM_UndoCopy_AllChaptersChanged(benchmark::State& state)
{
    BigDoc big(100000);
    big.doc->TakeUndoCopy();
    for (auto _ : state) {
        state.PauseTiming();
        big.doc->Chapters().ForEach([](CChapter* c) { c->NoteChange(); });
        state.ResumeTiming();
        big.doc->TakeUndoCopy();
    }
}

// 10 MB of UTF-16 text in 100-unit paragraphs; the string is absent.
constexpr int kSearchParagraphs = 10 * 1024 * 1024 / 2 / 100;
const std::u16string kBody(98, u'あ');

void BM_FindNext_Absent(benchmark::State& state)
{
    static BigDoc big(kSearchParagraphs, kBody);
    for (auto _ : state) {
        big.doc->SetCaret(0, 0);
        benchmark::DoNotOptimize(big.doc->FindNext(u"みつからない"));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kSearchParagraphs) * 100 * 2);
}

void BM_StringViewFind_Absent(benchmark::State& state)
{
    const std::u16string text = Paragraphs(kSearchParagraphs, kBody);
    const std::u16string_view view(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(view.find(u"みつからない"));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()) * 2);
}

} // namespace

BENCHMARK(BM_CaretLineLookup)->Arg(100000);
BENCHMARK(BM_HitTest)->Arg(100000);
BENCHMARK(BM_UndoCopy_OneChapterChanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoCopy_AllChaptersChanged)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FindNext_Absent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringViewFind_Absent)->Unit(benchmark::kMillisecond);
