// Building the memo list from folder names that arrive in random order (as a directory listing
// gives them), for 10,000 and 100,000 memos. Baseline: std::sort of the same names.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <random>

#include "app/CSortDirName.h"

namespace {

std::vector<std::u16string> Names(int n)
{
    std::vector<std::u16string> names;
    std::mt19937 rng(42);
    for (int i = 0; i < n; ++i) {
        // time-stamp folder names of one base, unique through their serial
        const int s = i * 7;
        char stamp[64];
        std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d_%06d", 2000 + s / 3000000, 1 + s / 250000 % 12,
                      1 + s / 8000 % 28, s / 3600 % 24, s / 60 % 60, s % 60, i);
        std::u16string name = u"c:\\users\\memo\\documents\\norvaly\\veltext\\";
        for (const char* p = stamp; *p; ++p)
            name += static_cast<char16_t>(*p);
        name += u"\\";
        names.push_back(std::move(name));
    }
    std::shuffle(names.begin(), names.end(), rng);
    return names;
}

void BM_InsertRandomOrder(benchmark::State& state)
{
    const auto names = Names(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CSortDirName list;
        for (const auto& n : names)
            list.Insert(std::make_unique<CDirData>(n, u"memo.txt"));
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetComplexityN(state.range(0));
}

void BM_BaselineSort(benchmark::State& state)
{
    const auto names = Names(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<std::unique_ptr<CDirData>> entries;
        for (const auto& n : names)
            entries.push_back(std::make_unique<CDirData>(n, u"memo.txt"));
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a->Folder() > b->Folder(); });
        benchmark::DoNotOptimize(entries.data());
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_InsertRandomOrder)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
BENCHMARK(BM_BaselineSort)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
