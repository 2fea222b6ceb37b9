#pragma once
// A document list for tests and benchmarks: fixed-width measuring (8-pixel cells, full-width
// characters two cells), 16-pixel text with 2 pixels of line spacing, and pictures of known size.
#include "doc/CChapter.h"
#include "doc/CDocListBase.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"
#include "text/CFixedCharMeasurer.h"

#include <map>
#include <string_view>
#include <vector>
#include <memory>
#include <utility>

class CTestDoc : public CDocListBase {
public:
    static constexpr int kCell = 8;

    explicit CTestDoc(int columns = 80, int tabWidth = 2, int textHeight = 16, int lineSpace = 2)
    {
        auto measurer = std::make_unique<CFixedCharMeasurer>(kCell);
        m_measurer = measurer.get();
        CFontMetrics metrics;
        metrics.charWidth = kCell;
        metrics.maxCharWidth = 2 * kCell;
        metrics.textHeight = textHeight;
        Font(kScreenFont).Install(std::move(measurer), metrics, lineSpace, 1.0);
        SetColumns(columns);
        SetTabWidth(tabWidth);
        ApplyLayout();
    }
    ~CTestDoc() override { ClearAll(); }

    CFixedCharMeasurer& Measurer() { return *m_measurer; }
    bool PictureSize(int id, int& width, int& height) const override
    {
        auto it = m_pictures.find(id);
        if (it == m_pictures.end())
            return false;
        width = it->second.first;
        height = it->second.second;
        return true;
    }
    int PictureSizeLimit() const override { return m_limit; }
    void ReleasePicture(int id) override { m_released.push_back(id); }

    std::map<int, std::pair<int, int>> m_pictures;
    int m_limit = kDefaultPictureSize;
    std::vector<int> m_released;

    // The first chapter, created on demand.
    CTextChapter* First()
    {
        if (!Chapters().Head())
            return CreateTextChapter(nullptr);
        return Chapters().Item(Chapters().Head())->Text();
    }
    CTextChapter* Append(std::u16string_view text)
    {
        CTextChapter* chapter = CreateTextChapter(Chapters().Tail());
        chapter->Insert(0, text);
        return chapter;
    }

private:
    CFixedCharMeasurer* m_measurer = nullptr;
};
