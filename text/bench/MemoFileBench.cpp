// Reading and writing a 10 MB memo of 100,000 Shift-JIS paragraphs, beside a plain fread/fwrite
// of the same bytes as the physical baseline; BM_WriteMemoAgainstFwrite measures both in one run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include <unistd.h>

#include "text/CMemoPictureLoader.h"
#include "text/CMemoPictureStore.h"
#include "text/CMemoReader.h"
#include "text/CMemoSink.h"
#include "text/CMemoSource.h"
#include "text/CMemoWriter.h"

namespace {

constexpr int kParagraphs = 100000;

class CBenchDocument : public CMemoSink, public CMemoSource, public CMemoPictureLoader, public CMemoPictureStore {
public:
    // Reading
    void InsertLine(std::u16string_view text, bool endsChapter) override
    {
        current += text;
        if (endsChapter) {
            chapters.push_back(std::move(current));
            current.clear();
        }
    }
    void SetPageBreakBeforeCaret() override {}
    bool LoadAtCaret(const std::u16string&, const CPictureTag&) override { return false; }
    // Writing
    std::size_t ChapterCount() const override { return chapters.size(); }
    CMemoChapter Chapter(std::size_t i) const override { return {false, chapters[i], 0, -1, false}; }
    std::vector<CMemoDisplayLine> DisplayLines(std::size_t) const override { return {}; }
    int TabWidth() const override { return 2; }
    bool Store(int, std::u16string&) override { return false; }
    bool Record(int, CMemoPictureRecord&) const override { return false; }

    std::vector<std::u16string> chapters;
    std::u16string current;
};

// About 100 bytes of Shift-JIS per paragraph: 10 MB in all.
CBenchDocument& Document()
{
    static CBenchDocument doc = [] {
        CBenchDocument d;
        const std::u16string pieces[] = {u"今日の買い物メモ：", u"牛乳、卵、食パン。", u"明日は９時から会議（第３会議室）", u"\t"};
        for (int i = 0; i < kParagraphs; ++i) {
            std::u16string p = i % 7 == 0 ? pieces[3] : std::u16string();
            while (p.size() < 48)
                p += pieces[(i + p.size()) % 3];
            const std::string n = std::to_string(i);
            p += std::u16string(n.begin(), n.end());
            d.chapters.push_back(std::move(p));
        }
        return d;
    }();
    return doc;
}

std::filesystem::path Folder()
{
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / "vel-memo-bench";
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

std::u16string MemoPath()
{
    return (Folder() / "memo.txt").u16string();
}

std::string MemoPathNative()
{
    return (Folder() / "memo.txt").string();
}

std::size_t WriteMemo()
{
    CBenchDocument& doc = Document();
    CBenchDocument& pictures = doc;
    CMemoWriter writer(doc, pictures);
    if (!writer.WriteFile(MemoPath(), CMemoWriter::kMemoFormat, true))
        return 0;
    return std::filesystem::file_size(Folder() / "memo.txt");
}

std::vector<char> MemoBytes()
{
    WriteMemo();
    std::vector<char> bytes(std::filesystem::file_size(Folder() / "memo.txt"));
    FILE* f = std::fopen(MemoPathNative().c_str(), "rb");
    if (f) {
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
        std::fclose(f);
    }
    return bytes;
}

void BM_WriteMemo(benchmark::State& state)
{
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = WriteMemo();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["file_bytes"] = static_cast<double>(bytes);
}

void BM_ReadMemo(benchmark::State& state)
{
    const std::size_t bytes = WriteMemo();
    std::size_t chapters = 0;
    for (auto _ : state) {
        CBenchDocument doc;
        CMemoReader reader(doc, doc);
        reader.ReadFile(MemoPath());
        chapters = doc.chapters.size() + 1;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["chapters"] = static_cast<double>(chapters);
}

void BM_BaselineFwrite(benchmark::State& state)
{
    const std::vector<char> bytes = MemoBytes();
    const std::string path = (Folder() / "baseline.txt").string();
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The same bytes flushed to the disk before closing, as a save must do to survive a crash.
void BM_BaselineFwriteSync(benchmark::State& state)
{
    const std::vector<char> bytes = MemoBytes();
    const std::string path = (Folder() / "baseline.txt").string();
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fflush(f);
        fsync(fileno(f));
        std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// Writing the 10 MB memo and writing its bytes plainly, in turn in every iteration of one run,
// so that both meet the same disk and the same load. The plain write is fwrite and fflush, then
// fsync as the memo writer does before it puts its file in place (plain_sync_ms), and without
// (plain_ms). The iteration time is the memo writer's; ratio_sync and ratio divide it by those.
void BM_WriteMemoAgainstFwrite(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    const std::vector<char> bytes = MemoBytes();
    const std::string path = (Folder() / "baseline.txt").string();
    const auto plainWrite = [&](bool sync) {
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f)
            return;
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fflush(f);
        if (sync)
            fsync(fileno(f));
        std::fclose(f);
    };
    double memo = 0, plainSync = 0, plain = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        WriteMemo();
        const auto t1 = Clock::now();
        plainWrite(true);
        const auto t2 = Clock::now();
        plainWrite(false);
        const auto t3 = Clock::now();
        const double seconds = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(seconds);
        memo += seconds;
        plainSync += std::chrono::duration<double>(t2 - t1).count();
        plain += std::chrono::duration<double>(t3 - t2).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["plain_sync_ms"] = plainSync * 1000 / n;
    state.counters["plain_ms"] = plain * 1000 / n;
    state.counters["ratio_sync"] = memo / plainSync;
    state.counters["ratio"] = memo / plain;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_BaselineFread(benchmark::State& state)
{
    const std::vector<char> bytes = MemoBytes();
    std::vector<char> in(bytes.size());
    for (auto _ : state) {
        FILE* f = std::fopen(MemoPathNative().c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(in.data(), 1, in.size(), f));
        std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

} // namespace

BENCHMARK(BM_BaselineFwrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BaselineFwriteSync)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteMemo)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteMemoAgainstFwrite)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_BaselineFread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadMemo)->Unit(benchmark::kMillisecond)->UseRealTime();
