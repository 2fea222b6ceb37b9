#pragma once
// A copy of a memo's chapters, and of the answers its pictures' tags need, taken on the window's
// thread in one quick pass, so that the memo text can be composed and encoded on another thread
// while typing goes on. It is both the source and the picture store of that composition.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/CMemoPictureStore.h"
#include "text/CMemoSource.h"

class CMemoSnapshot final : public CMemoSource, public CMemoPictureStore {
public:
    explicit CMemoSnapshot(int tabWidth = 8) : m_tabWidth(tabWidth) {}

    // Empties the copy for the next one, keeping its memory: a large memo's copy is then made
    // without asking the system for fresh pages each time.
    void Clear(int tabWidth);
    // Room for what the memo is expected to hold, so that a large copy is not moved as it grows.
    void Reserve(std::size_t chapters, std::size_t units);
    std::size_t TextUnits() const { return m_text.size(); }

    void AddText(std::u16string_view text, bool pageBreak);
    // Asks pictures now for the picture's file and record, as a composition would.
    void AddPicture(int indent, int pictureId, bool pageBreak, CMemoPictureStore& pictures);

    std::size_t ChapterCount() const override { return m_chapters.size(); }
    CMemoChapter Chapter(std::size_t index) const override;
    // Display lines are not copied: the snapshot serves the memo format only.
    std::vector<CMemoDisplayLine> DisplayLines(std::size_t) const override { return {}; }
    int TabWidth() const override { return m_tabWidth; }

    bool Store(int pictureId, std::u16string& srcPath) override;
    std::u16string ExistingPath(int pictureId) const override;
    bool Record(int pictureId, CMemoPictureRecord& record) const override;

private:
    struct Entry {
        std::size_t offset = 0;  // text chapter: where its text starts in m_text
        std::size_t length = 0;
        int indent = 0;
        int pictureId = -1;
        bool picture = false;
        bool pageBreak = false;
    };
    struct PictureAnswers {
        bool stored = false;
        std::u16string path;          // the stored file, or the existing one when storing failed
        bool hasRecord = false;
        CMemoPictureRecord record;
    };
    const PictureAnswers* AnswersFor(int pictureId) const;

    int m_tabWidth;
    std::u16string m_text;
    std::vector<Entry> m_chapters;
    std::unordered_map<int, PictureAnswers> m_pictures;
};
