// A memo written from the document list and read back into a fresh one keeps its chapters.
#include "doc/CDocListMemo.h"

#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"
#include "doc/tests/CTestDocList.h"
#include "text/CMemoPictureLoader.h"
#include "text/CMemoPictureStore.h"
#include "text/CMemoReader.h"
#include "text/CMemoWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

namespace {

std::u16string Number(int v)
{
    std::u16string s;
    for (char c : std::to_string(v))
        s += static_cast<char16_t>(c);
    return s;
}

// Stores a picture as "pic<id>.png" and reports its chapter's geometry.
class PictureStore : public CMemoPictureStore {
public:
    PictureStore(const CDocList& doc, const CMemoryPictures& pictures) : m_doc(doc), m_pictures(pictures) {}
    bool Store(int id, std::u16string& src) override
    {
        src = u"pic" + Number(id) + u".png";
        return m_pictures.Has(id);
    }
    bool Record(int id, CMemoPictureRecord& record) const override
    {
        const CChapter* chapter = m_doc.ChapterByPictureId(id);
        if (!chapter || !m_pictures.Has(id))
            return false;
        const CPictChapter* p = chapter->Picture();
        record.displayWidth = p->Width();
        record.displayHeight = p->Height();
        record.visibleX = p->VisiblePart().x;
        record.visibleY = p->VisiblePart().y;
        record.visibleWidth = p->VisiblePart().width;
        record.visibleHeight = p->VisiblePart().height;
        record.pictureWidth = m_pictures.Get(id).width;
        record.pictureHeight = m_pictures.Get(id).height;
        return true;
    }

private:
    const CDocList& m_doc;
    const CMemoryPictures& m_pictures;
};

// "Decodes" pic<N>.png at the size picture N had when it was stored.
class PictureLoader : public CMemoPictureLoader {
public:
    PictureLoader(CDocList& doc, CMemoryPictures& pictures, const CMemoryPictures* stored)
        : m_doc(doc), m_pictures(pictures), m_stored(stored) {}
    bool LoadAtCaret(const std::u16string& path, const CPictureTag& tag) override
    {
        const auto at = path.rfind(u"pic");
        if (!m_stored || at == std::u16string::npos)
            return false;
        int storedId = 0;
        for (std::size_t i = at + 3; i < path.size() && path[i] >= u'0' && path[i] <= u'9'; ++i)
            storedId = storedId * 10 + (path[i] - u'0');
        int width = 0;
        int height = 0;
        if (!m_stored->Size(storedId, width, height))
            return false;
        const int id = m_doc.NextPictureId();
        m_pictures.Add(id, width, height);
        return m_doc.InsertPictureBeforeCaret(std::max(0, tag.indent), id, tag.width, tag.height, 0, 0, tag.cposX,
                                              tag.cposY, tag.csizeX, tag.csizeY) != nullptr;
    }

private:
    CDocList& m_doc;
    CMemoryPictures& m_pictures;
    const CMemoryPictures* m_stored;
};

struct Summary {
    std::vector<std::u16string> chapters;
    bool operator==(const Summary&) const = default;
};

Summary Summarise(const CDocList& doc)
{
    Summary s;
    doc.Chapters().ForEach([&](const CChapter* c) {
        std::u16string line = c->PageBreak() ? u"[break]" : u"";
        if (c->Text()) {
            line += c->Text()->View();
        } else {
            const CPictChapter* p = c->Picture();
            line += u"[pic indent=" + Number(p->Indent()) + u" " + Number(p->Width()) + u"x" + Number(p->Height()) +
                    u" part=" + Number(p->VisiblePart().x) + u"," + Number(p->VisiblePart().y) + u"," +
                    Number(p->VisiblePart().width) + u"," + Number(p->VisiblePart().height) + u"]";
        }
        s.chapters.push_back(line);
    });
    return s;
}

class DocListMemoTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("vel-doclist-memo-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::create_directories(folder);
        path = (folder / "memo.txt").u16string();
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // Writes doc in the memo format with attributes and reads it into a new document list.
    Summary RoundTrip(CDocList& doc, CMemoryPictures& pictures)
    {
        CDocListMemoSource source(doc);
        PictureStore store(doc, pictures);
        EXPECT_TRUE(CMemoWriter(source, store).WriteFile(path, CMemoWriter::kMemoFormat, true));
        CMemoryPictures readPictures;
        auto back = MakeTestDocList(readPictures, 20);
        {
            CDocListMemoSink sink(*back);
            PictureLoader loader(*back, readPictures, &pictures);
            EXPECT_TRUE(CMemoReader(sink, loader).ReadFile(path));
        }
        return Summarise(*back);
    }

    std::filesystem::path folder;
    std::u16string path;
};

TEST_F(DocListMemoTest, ChaptersPicturesAndPageBreaksSurviveASaveAndALoad)
{
    CMemoryPictures pictures;
    auto doc = MakeTestDocList(pictures, 20);
    doc->SetIndentFlag(true);  // must not add TABs while reading
    doc->InsertAtCaret(u"日本語のメモ、これは長い一行です。折り返される。\r\n\t\tインデント付き\r\n");
    pictures.Add(1, 640, 480);
    CPictChapter* p = doc->CreatePictChapter(doc->Chapters().Tail(), 1);
    ASSERT_TRUE(p->SetPicture(1, 320, 240, 0, 0, CPictChapter::Part{10, 20, 300, 200}));
    doc->CreateTextChapter(doc->Chapters().Tail())->Insert(0, u"after <b>not a tag</b> 100% & \"quotes\"");
    doc->SetCaret(0, 0);
    doc->SetPageBreak(true);

    const Summary original = Summarise(*doc);
    const Summary back = RoundTrip(*doc, pictures);
    EXPECT_EQ(back.chapters, original.chapters);
    EXPECT_TRUE(doc->IndentFlag());
}

TEST_F(DocListMemoTest, RandomDocumentsRoundTrip)
{
    std::mt19937 rng(5);
    const std::u16string alphabet = u"abcＡＢ漢字かな。、「」\t =\"'&";
    for (int round = 0; round < 20; ++round) {
        CMemoryPictures pictures;
        auto doc = MakeTestDocList(pictures, 20);
        const int chapters = 1 + static_cast<int>(rng() % 8);
        for (int c = 0; c < chapters; ++c) {
            if (rng() % 5 == 0) {
                const int id = doc->NextPictureId();
                pictures.Add(id, 50 + static_cast<int>(rng() % 600), 40 + static_cast<int>(rng() % 500));
                CPictChapter* p = doc->CreatePictChapter(doc->Chapters().Tail(), static_cast<int>(rng() % 3));
                ASSERT_TRUE(p->SetPicture(id, -1, -1, 0, 0, CPictChapter::Part{-1, -1, -1, -1}));
            } else {
                std::u16string text;
                const int n = static_cast<int>(rng() % 40);
                for (int i = 0; i < n; ++i)
                    text += alphabet[rng() % alphabet.size()];
                CTextChapter* t = c == 0 ? doc->Chapters().ItemAt(0)->Text() : doc->CreateTextChapter(doc->Chapters().Tail());
                t->Insert(0, text);
            }
            if (rng() % 6 == 0 && c + 1 < chapters)
                doc->Chapters().ItemAt(doc->Chapters().Count() - 1)->SetPageBreak(true);
        }
        // No "<" in the texts: a paragraph that is itself a tag reads back as one (the format
        // has no escape for it).
        Summary expected = Summarise(*doc);
        // A memo that ends with a picture reads back with the paragraph the caret stands in
        // after it.
        if (expected.chapters.back().rfind(u"[pic", 0) == 0)
            expected.chapters.push_back(u"");
        EXPECT_EQ(RoundTrip(*doc, pictures).chapters, expected.chapters) << "round " << round;
    }
}

TEST_F(DocListMemoTest, APictureThatCannotBeLoadedStaysText)
{
    CMemoryPictures pictures;
    auto doc = MakeTestDocList(pictures, 20);
    {
        CDocListMemoSink sink(*doc);
        PictureLoader loader(*doc, pictures, nullptr);
        ASSERT_TRUE(CMemoReader(sink, loader).ReadLines(u"before\r\n<IMG SRC=\"missing.png\">\r\n<page>\r\nend", u"", false));
    }
    const Summary s = Summarise(*doc);
    ASSERT_EQ(s.chapters.size(), 3u);
    EXPECT_EQ(s.chapters[0], u"before");
    EXPECT_EQ(s.chapters[1], u"[break]<IMG SRC=\"missing.png\">");
    EXPECT_EQ(s.chapters[2], u"end");
}

} // namespace

// The journal's copy, taken block by block, composes the same memo as the live list, across
// block boundaries and with pictures among the chapters; later copies take over the runs that did
// not change and still compose exactly what the list holds after every kind of edit.
TEST_F(DocListMemoTest, SnapshotsComposeTheSameMemoAsTheLiveListThroughEdits)
{
    std::mt19937 rng(11);
    CMemoryPictures pictures;
    auto doc = MakeTestDocList(pictures, 20);
    for (int c = 0; c < 3000; ++c) {
        if (rng() % 40 == 0) {
            const int id = doc->NextPictureId();
            pictures.Add(id, 64, 48);
            CPictChapter* p = doc->CreatePictChapter(doc->Chapters().Tail(), static_cast<int>(rng() % 3));
            ASSERT_TRUE(p->SetPicture(id, -1, -1, 0, 0, CPictChapter::Part{-1, -1, -1, -1}));
        } else {
            CTextChapter* t = c == 0 ? doc->Chapters().ItemAt(0)->Text() : doc->CreateTextChapter(doc->Chapters().Tail());
            t->Insert(0, u"段落 " + Number(c) + (rng() % 2 ? u"、続き。" : u""));
        }
        if (rng() % 7 == 0)
            doc->Chapters().ItemAt(doc->Chapters().Count() - 1)->SetPageBreak(true);
    }
    PictureStore store(*doc, pictures);
    auto live = [&] {
        CDocListMemoSource source(*doc);
        return CMemoWriter(source, store).Compose(CMemoWriter::kMemoFormat, true).text;
    };
    std::shared_ptr<CMemoSnapshot> snapshot = TakeSnapshot(*doc, store, nullptr);
    EXPECT_EQ(snapshot->ChapterCount(), static_cast<std::size_t>(doc->Chapters().Count()));
    EXPECT_EQ(CMemoWriter(*snapshot, *snapshot).Compose(CMemoWriter::kMemoFormat, true).text, live());
    EXPECT_EQ(snapshot->ReusedRuns(), 0u);

    for (int round = 0; round < 60; ++round) {
        const int count = doc->Chapters().Count();
        const int at = static_cast<int>(rng() % static_cast<unsigned>(count));
        CChapter* chapter = doc->Chapters().ItemAt(at);
        switch (rng() % 6) {
        case 0:  // typing into a paragraph
            if (CTextChapter* t = chapter->Text())
                t->Insert(static_cast<int>(rng() % static_cast<unsigned>(t->Length() + 1)), u"字");
            break;
        case 1:  // a deletion
            if (CTextChapter* t = chapter->Text())
                t->Delete(0, 1);
            break;
        case 2:  // Enter: a new paragraph in the middle
            doc->CreateTextChapter(doc->Chapters().NodeAt(at))->Insert(0, u"新しい段落");
            break;
        case 3:  // a paragraph removed
            if (count > 2)
                doc->DeleteChapter(doc->Chapters().NodeAt(at));
            break;
        case 4:  // a page break set or cleared, the text unchanged
            chapter->SetPageBreak(!chapter->PageBreak());
            break;
        default:  // nothing changed since the last copy
            break;
        }
        std::shared_ptr<CMemoSnapshot> next = TakeSnapshot(*doc, store, snapshot.get());
        ASSERT_EQ(CMemoWriter(*next, *next).Compose(CMemoWriter::kMemoFormat, true).text, live()) << "round " << round;
        // Only the runs around the edit are copied again; pictures stand in runs of their own,
        // which are always made anew.
        std::size_t pictureRuns = 0;
        doc->Chapters().ForEach([&](const CChapter* c) { pictureRuns += c->Picture() ? 1 : 0; });
        EXPECT_GE(next->ReusedRuns() + pictureRuns + 6, next->RunCount()) << "round " << round;
        snapshot = std::move(next);
    }
}
