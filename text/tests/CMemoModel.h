#pragma once
// An in-memory document for the memo reader and writer: chapters with a caret that always
// stands at the end of a chapter, as it does while a file is read into a fresh document.
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "text/CMemoPictureLoader.h"
#include "text/CMemoPictureStore.h"
#include "text/CMemoSink.h"
#include "text/CMemoSource.h"
#include "text/CPictureTag.h"

struct ModelChapter {
    bool picture = false;
    std::u16string text;
    int indent = 0;
    int pictureId = -1;
    bool pageBreak = false;
    std::vector<CMemoDisplayLine> displayLines;

    bool operator==(const ModelChapter& o) const
    {
        return picture == o.picture && text == o.text && indent == o.indent && pageBreak == o.pageBreak;
    }
};

// Chapters for models built by hand.
inline ModelChapter TextChapter(std::u16string text, bool pageBreak = false)
{
    ModelChapter c;
    c.text = std::move(text);
    c.pageBreak = pageBreak;
    return c;
}

inline ModelChapter PictureChapter(int id, int indent, bool pageBreak = false)
{
    ModelChapter c;
    c.picture = true;
    c.pictureId = id;
    c.indent = indent;
    c.pageBreak = pageBreak;
    return c;
}

class CMemoModel : public CMemoSink, public CMemoSource, public CMemoPictureLoader, public CMemoPictureStore {
public:
    CMemoModel() { chapters.push_back({}); }

    // Reading side.
    void InsertLine(std::u16string_view text, bool endsChapter) override
    {
        chapters[caret].text += text;
        if (endsChapter) {
            chapters.insert(chapters.begin() + static_cast<std::ptrdiff_t>(caret) + 1, ModelChapter{});
            ++caret;
        }
    }
    void SetPageBreakBeforeCaret() override
    {
        if (caret > 0)
            chapters[caret - 1].pageBreak = true;
    }
    bool LoadAtCaret(const std::u16string& path, const CPictureTag& tag) override
    {
        loadRequests.push_back(path);
        if (unloadable.count(path))
            return false;
        ModelChapter c;
        c.picture = true;
        c.indent = tag.indent;
        c.pictureId = nextId++;
        chapters.insert(chapters.begin() + static_cast<std::ptrdiff_t>(caret), c);
        ++caret;
        loadedTags[c.pictureId] = tag;
        return true;
    }

    // Writing side.
    std::size_t ChapterCount() const override { return chapters.size(); }
    CMemoChapter Chapter(std::size_t i) const override
    {
        const ModelChapter& c = chapters[i];
        return {c.picture, c.text, c.indent, c.pictureId, c.pageBreak};
    }
    std::vector<CMemoDisplayLine> DisplayLines(std::size_t i) const override { return chapters[i].displayLines; }
    int TabWidth() const override { return tabWidth; }
    bool Store(int id, std::u16string& src) override
    {
        if (failingStore.count(id))
            return false;
        const std::string n = std::to_string(id);
        src = u"memo_" + std::u16string(n.begin(), n.end()) + u".tif";
        return true;
    }
    std::u16string ExistingPath(int id) const override
    {
        const auto it = existingPaths.find(id);
        return it == existingPaths.end() ? std::u16string() : it->second;
    }
    bool Record(int id, CMemoPictureRecord& record) const override
    {
        const auto it = records.find(id);
        if (it == records.end())
            return false;
        record = it->second;
        return true;
    }

    // Chapters without the empty text chapter that holds the caret after a final picture or
    // a final page break, which reading always leaves behind.
    std::vector<ModelChapter> Content() const
    {
        std::vector<ModelChapter> out = chapters;
        if (out.size() > 1 && !out.back().picture && out.back().text.empty() &&
            (out[out.size() - 2].picture || out[out.size() - 2].pageBreak))
            out.pop_back();
        return out;
    }

    std::vector<ModelChapter> chapters;
    std::size_t caret = 0;
    int tabWidth = 2;
    int nextId = 1;
    std::set<std::u16string> unloadable;
    std::set<int> failingStore;
    std::map<int, std::u16string> existingPaths; // files the pictures already have
    std::map<int, CMemoPictureRecord> records;
    std::map<int, CPictureTag> loadedTags;
    std::vector<std::u16string> loadRequests;
};
