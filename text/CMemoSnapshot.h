#pragma once
// A copy of a memo's chapters, and of the answers its pictures' tags need, taken on the window's
// thread so that the memo text can be composed and encoded on another thread while typing goes
// on. It is both the source and the picture store of that composition.
//
// The chapters stand in runs, each immutable once made. A run whose chapters all carry keys
// (a key names one content of a chapter and nothing else) can be taken over by the next copy
// when its chapters are still the same, so a large memo is copied again only where it changed.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/CMemoPictureStore.h"
#include "text/CMemoSource.h"

class CMemoSnapshot final : public CMemoSource, public CMemoPictureStore {
public:
    explicit CMemoSnapshot(int tabWidth = 8) : m_tabWidth(tabWidth) {}

    // A text chapter at the end of the open run. key 0 means the chapter has none, and its run
    // is then never taken over.
    void AddText(std::u16string_view text, bool pageBreak, std::uint64_t key = 0);
    // Closes the open run.
    void EndRun();
    // Closes the open run and takes over previous's run whose chapters have exactly these keys;
    // false when it has none.
    bool ReuseRun(const CMemoSnapshot& previous, const std::vector<std::uint64_t>& keys);
    // A picture chapter, in a run of its own; asks pictures now for its file and record, as a
    // composition would.
    void AddPicture(int indent, int pictureId, bool pageBreak, CMemoPictureStore& pictures);

    std::size_t TextUnits() const { return m_units; }
    // Runs in all, and those taken over from an earlier copy (for tests and measurements).
    std::size_t RunCount() const { return m_runs.size(); }
    std::size_t ReusedRuns() const { return m_reused; }

    std::size_t ChapterCount() const override { return m_chapterCount; }
    // Fastest in order, as a composition reads; not to be called from two threads at once.
    CMemoChapter Chapter(std::size_t index) const override;
    // Display lines are not copied: the snapshot serves the memo format only.
    std::vector<CMemoDisplayLine> DisplayLines(std::size_t) const override { return {}; }
    int TabWidth() const override { return m_tabWidth; }

    bool Store(int pictureId, std::u16string& srcPath) override;
    std::u16string ExistingPath(int pictureId) const override;
    bool Record(int pictureId, CMemoPictureRecord& record) const override;

private:
    struct Entry {
        std::size_t offset = 0;  // text chapter: where its text starts in the run's text
        std::size_t length = 0;
        int indent = 0;
        int pictureId = -1;
        bool picture = false;
        bool pageBreak = false;
    };
    struct Run {
        std::u16string text;
        std::vector<Entry> entries;
        std::vector<std::uint64_t> keys;  // empty when the run cannot be taken over
    };
    struct PictureAnswers {
        bool stored = false;
        std::u16string path;          // the stored file, or the existing one when storing failed
        bool hasRecord = false;
        CMemoPictureRecord record;
    };
    void Append(std::shared_ptr<const Run> run);
    const PictureAnswers* AnswersFor(int pictureId) const;

    int m_tabWidth;
    std::vector<std::shared_ptr<const Run>> m_runs;
    std::vector<std::size_t> m_runStarts;  // index of each run's first chapter
    std::unique_ptr<Run> m_open;
    std::unordered_map<std::uint64_t, std::size_t> m_runByFirstKey;  // runs that can be taken over
    std::size_t m_chapterCount = 0;
    std::size_t m_units = 0;
    std::size_t m_reused = 0;
    mutable std::size_t m_lastRun = 0;  // where the last look found its chapter
    std::unordered_map<int, PictureAnswers> m_pictures;
};
