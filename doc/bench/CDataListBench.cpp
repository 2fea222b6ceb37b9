// Position lookups in the indexed list against a plain walk of std::list, the structure it replaces.
#include "doc/CDataList.h"

#include <benchmark/benchmark.h>

#include <iterator>
#include <list>
#include <random>
#include <vector>

namespace {

std::vector<int> Probes(int n)
{
    std::mt19937 rng(42);
    std::vector<int> probes(1024);
    for (int& p : probes)
        p = static_cast<int>(rng() % n);
    return probes;
}

void Fill(CDataList& list, int n)
{
    for (int i = 0; i < n; ++i)
        list.InsertTail(nullptr);
}

void BM_IndexedList_NodeAt(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    CDataList list;
    Fill(list, n);
    const auto probes = Probes(n);
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(list.NodeAt(probes[i++ & 1023]));
}

void BM_IndexedList_PositionOf(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    CDataList list;
    Fill(list, n);
    std::vector<CListNode*> nodes;
    for (int p : Probes(n))
        nodes.push_back(list.NodeAt(p));
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(list.PositionOf(nodes[i++ & 1023]));
}

void BM_StdList_WalkToPosition(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::list<int> list(n);
    const auto probes = Probes(n);
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(&*std::next(list.begin(), probes[i++ & 1023]));
}

void BM_StdList_PositionOfNode(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::list<int> list;
    for (int i = 0; i < n; ++i)
        list.push_back(i);
    std::vector<const int*> targets;
    for (int p : Probes(n))
        targets.push_back(&*std::next(list.begin(), p));
    std::size_t i = 0;
    for (auto _ : state) {
        const int* target = targets[i++ & 1023];
        int pos = 0;
        for (const int& v : list) {
            if (&v == target)
                break;
            ++pos;
        }
        benchmark::DoNotOptimize(pos);
    }
}

void BM_IndexedList_InsertMiddle(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    CDataList list;
    Fill(list, n);
    for (auto _ : state) {
        CListNode* node = list.InsertAt(n / 2, nullptr);
        list.Remove(node);
    }
}

} // namespace

BENCHMARK(BM_IndexedList_NodeAt)->Arg(10000)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_StdList_WalkToPosition)->Arg(10000)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_IndexedList_PositionOf)->Arg(10000)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_StdList_PositionOfNode)->Arg(10000)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_IndexedList_InsertMiddle)->Arg(10000)->Arg(100000)->Arg(1000000);
