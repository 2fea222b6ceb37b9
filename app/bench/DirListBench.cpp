// Listing a memo base of 10,000 and 100,000 memo folders (each with its text file and a picture)
// into the memo list, against a plain recursive walk of the same tree in the same run (and against
// the memo list's own listing, which searches each folder).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>

#include "app/CMemoBaseLister.h"
#include "app/CSortDirName.h"

namespace {

namespace fs = std::filesystem;

// One tree per size, made on first use and removed when the program ends.
class CMemoTree {
public:
    explicit CMemoTree(int memos)
    {
        m_root = fs::temp_directory_path() / ("vel-dirlist-bench-" + std::to_string(getpid()) + "-" +
                                               std::to_string(memos));
        fs::create_directories(m_root);
        static const char* const kDays[] = {"日", "月", "火", "水", "木", "金", "土"};
        for (int i = 0; i < memos; ++i) {
            char name[128];
            const int s = i * 37;
            std::snprintf(name, sizeof name, "%04d年%02d月%02d日%02d時%02d分%02d秒(%s)_%03d", 2000 + i / 40000,
                          1 + i / 3400 % 12, 1 + i / 120 % 28, s / 3600 % 24, s / 60 % 60, s % 60, kDays[i % 7],
                          1 + i % 998);
            const fs::path folder = m_root / name;
            fs::create_directory(folder);
            std::ofstream(folder / (std::string(name) + ".txt")) << "memo\r\n";
            std::ofstream(folder / (std::string(name) + "_1.jpg")) << "x";
        }
        fs::create_directory(m_root / "cntlbasepic");
    }
    ~CMemoTree()
    {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    std::u16string Base() const { return m_root.u16string() + u"/"; }
    const fs::path& Root() const { return m_root; }

    static const CMemoTree& Of(int memos)
    {
        static std::map<int, std::unique_ptr<CMemoTree>> trees;
        auto& tree = trees[memos];
        if (!tree)
            tree = std::make_unique<CMemoTree>(memos);
        return *tree;
    }

private:
    fs::path m_root;
};

void BM_ListMemoBase(benchmark::State& state)
{
    const CMemoTree& tree = CMemoTree::Of(static_cast<int>(state.range(0)));
    CSortDirName list;
    for (auto _ : state) {
        CMemoBaseLister::List(list, tree.Base(), false, [] { return true; });
        benchmark::DoNotOptimize(list.Count());
    }
    if (list.Count() != state.range(0))
        state.SkipWithError("not every memo was listed");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// For comparison: the memo list's own listing, which searches every folder for its first "*.txt".
void BM_ListSearchingEachFolder(benchmark::State& state)
{
    const CMemoTree& tree = CMemoTree::Of(static_cast<int>(state.range(0)));
    CSortDirName list;
    for (auto _ : state) {
        list.ListBase(tree.Base(), false, [] { return true; });
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Baseline: every folder and file of the tree visited once, text files counted, nothing sorted.
void BM_PlainWalk(benchmark::State& state)
{
    const CMemoTree& tree = CMemoTree::Of(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        int texts = 0;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(tree.Root()))
            texts += entry.path().extension() == ".txt";
        benchmark::DoNotOptimize(texts);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_ListMemoBase)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListSearchingEachFolder)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainWalk)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
