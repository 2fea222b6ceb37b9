// The memo reader's and writer's picture side against a stand-in worker that "decodes" known
// files and records what it would write: ids, framing from tags, companion names, and above all
// that no working copy or stored picture lands on a file that a tag of the memo still names.
#include "picture/CPicChapterSync.h"
#include "picture/CPicList.h"
#include "picture/CPicMemoLoader.h"
#include "picture/CPicMemoStore.h"
#include "picture/CPicRequest.h"

#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CDocListMemo.h"
#include "doc/CPictChapter.h"
#include "text/CFixedCharMeasurer.h"
#include "text/CMemoReader.h"
#include "text/CMemoWriter.h"
#include "vmem/CVMemList.h"

#include <gtest/gtest.h>

#include "picture/tests/PicDocSetup.h"

#include <map>
#include <vector>

namespace {

const std::u16string kFolder = u"C:\\base\\memo1\\";

// Does what the picture worker does with the list and the file guard, on files that exist only
// in a table.
class FakeWorker : public CPicRequester {
public:
    explicit FakeWorker(CPicList& pictures) : m_pictures(pictures) {}

    std::map<std::u16string, std::pair<int, int>> files;  // key: path, value: size
    std::vector<std::u16string> written;
    std::vector<std::u16string> refused;
    std::u16string prefix = kFolder + u"memo";
    int releases = 0;

    bool Send(std::unique_ptr<CMsg> request) override
    {
        m_pending.push_back(std::move(request));
        return true;
    }
    bool Synchronise() override
    {
        bool ok = true;
        for (auto& request : m_pending)
            ok = Handle(*request) && ok;
        m_pending.clear();
        return ok;
    }

private:
    bool Write(const std::u16string& path, int id, int width, int height)
    {
        if (!m_pictures.Files().MayWrite(path, id)) {
            refused.push_back(path);
            return false;
        }
        written.push_back(path);
        files[CPicFileGuard::Key(path)] = {width, height};
        m_pictures.Files().Own(path, id);
        return true;
    }
    bool Handle(const CMsg& request)
    {
        switch (request.Code()) {
        case CPicRequest::kLoad: {
            const auto it = files.find(CPicFileGuard::Key(request.Text()));
            if (it == files.end())
                return false;
            const auto [width, height] = it->second;
            const std::u16string copy = prefix + u"_" + std::u16string(1, char16_t(u'0' + request.First())) + u".tif";
            auto picture = std::make_unique<CPicData>(m_pictures.Store(), request.First(), copy);
            picture->SetPixels(3, width, height);
            if (CPicFileGuard::Key(copy) != CPicFileGuard::Key(request.Text()))
                Write(copy, request.First(), width, height);
            m_pictures.Files().Own(request.Text(), request.First());
            m_pictures.Add(std::move(picture));
            return true;
        }
        case CPicRequest::kStore: {
            const CPicData* picture = m_pictures.FindById(request.First());
            return picture && Write(request.Text(), request.First(), picture->Width(), picture->Height());
        }
        case CPicRequest::kRelease:
            ++releases;
            return true;
        default:
            return true;
        }
    }

    CPicList& m_pictures;
    std::vector<std::unique_ptr<CMsg>> m_pending;
};

class PicMemoLinkTest : public testing::Test {
protected:
    PicMemoLinkTest() : pictures(store), worker(pictures), loader(doc, pictures, worker)
    {
        SetUpDocList(doc, pictures);
        doc.SetMemoNames(kFolder, u"", u"memo");
    }
    ~PicMemoLinkTest() override { doc.Reset(); }

    bool Read(const std::u16string& text)
    {
        loader.PrepareText(text, kFolder + u"memo.txt");
        CDocListMemoSink sink(doc);
        CMemoReader reader(sink, loader);
        return reader.ReadLines(text, kFolder + u"memo.txt", false);
    }
    std::vector<int> ChapterPictureIds()
    {
        std::vector<int> ids;
        for (CListNode* node = doc.Chapters().Head(); node;) {
            const CChapter* chapter = doc.Chapters().StepForward(node);
            if (chapter->Picture())
                ids.push_back(chapter->Picture()->PictureId());
        }
        return ids;
    }

    CVMemList store{1 << 22};
    CPicList pictures;
    CDocList doc;
    FakeWorker worker;
    CPicMemoLoader loader;
};

}  // namespace

TEST_F(PicMemoLinkTest, ReopeningNeverOverwritesAPictureBeforeItIsRead)
{
    // The memo names its second picture first: with ids given in reading order the first tag's
    // working copy would be written over memo_1.tif before that tag is read.
    worker.files[CPicFileGuard::Key(kFolder + u"memo_2.tif")] = {20, 10};
    worker.files[CPicFileGuard::Key(kFolder + u"memo_1.tif")] = {30, 10};
    ASSERT_TRUE(Read(u"<IMG SRC=\"memo_2.tif\">\r\n<IMG SRC=\"memo_1.tif\">"));
    EXPECT_EQ(ChapterPictureIds(), (std::vector<int>{2, 1}));
    EXPECT_EQ(pictures.FindById(2)->Width(), 20);
    EXPECT_EQ(pictures.FindById(1)->Width(), 30);
    EXPECT_TRUE(worker.written.empty());
    EXPECT_TRUE(worker.refused.empty());
    worker.Synchronise();
    EXPECT_EQ(worker.releases, 2);
}

TEST_F(PicMemoLinkTest, ForeignNamesGetIdsWhoseWorkingCopiesAreFree)
{
    worker.files[CPicFileGuard::Key(u"D:\\photos\\a.jpg")] = {40, 10};
    worker.files[CPicFileGuard::Key(kFolder + u"memo_1.tif")] = {30, 10};
    ASSERT_TRUE(Read(u"<IMG SRC=\"D:\\photos\\a.jpg\">\r\n<IMG SRC=\"memo_1.tif\">"));
    EXPECT_EQ(ChapterPictureIds(), (std::vector<int>{2, 1}));
    EXPECT_EQ(worker.written, (std::vector<std::u16string>{kFolder + u"memo_2.tif"}));
    EXPECT_EQ(worker.files[CPicFileGuard::Key(kFolder + u"memo_1.tif")].first, 30);
}

TEST_F(PicMemoLinkTest, APictureThatCannotBeReadStaysTextAndKeepsItsFile)
{
    worker.files[CPicFileGuard::Key(kFolder + u"memo_2.tif")] = {20, 10};
    ASSERT_TRUE(Read(u"<IMG SRC=\"memo_1.jpg\">\r\n<IMG SRC=\"memo_2.tif\">"));
    EXPECT_EQ(ChapterPictureIds(), (std::vector<int>{2}));
    EXPECT_EQ(pictures.Count(), 1);
    EXPECT_NE(doc.AllText().find(u"<IMG SRC=\"memo_1.jpg\">"), std::u16string::npos);

    // A new picture takes the free id 1; saving it as JPEG must not replace memo_1.jpg, which
    // the unread tag still names.
    auto pasted = std::make_unique<CPicData>(store, 1, doc.PictureFileName(1));
    pasted->SetPixels(3, 5, 5);
    pictures.Add(std::move(pasted));
    ASSERT_NE(doc.InsertPictureBeforeCaret(0, 1, -1, -1, 0, 0, -1, -1, -1, -1), nullptr);
    CPicMemoStore out(pictures, worker, kFolder + u"memo.txt", u"jpg", 95);
    EXPECT_EQ(out.TargetFor(1), kFolder + u"memo_3.jpg");
    EXPECT_EQ(out.TargetFor(2), kFolder + u"memo_2.jpg");
    std::u16string src;
    ASSERT_TRUE(out.Store(1, src));
    EXPECT_EQ(src, u"memo_3.jpg");
    EXPECT_TRUE(worker.refused.empty());
}

TEST_F(PicMemoLinkTest, TagFramingReachesThePictureAndComesBackOnSaving)
{
    worker.files[CPicFileGuard::Key(kFolder + u"memo_1.tif")] = {640, 480};
    ASSERT_TRUE(Read(u"\t<IMG SRC=\"memo_1.tif\" WIDTH=320 HEIGHT=240 CPOSX=100 CPOSY=50 CSIZEX=960 CSIZEY=720>"));
    const CPicData* picture = pictures.FindById(1);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Frame().FrameWidth(), 320);
    EXPECT_DOUBLE_EQ(picture->Frame().Zoom(), 150.0);
    EXPECT_EQ(picture->Frame().ScrollX(), 100);

    CPicMemoStore out(pictures, worker, kFolder + u"memo.txt", u"png", 95);
    CDocListMemoSource source(doc);
    CMemoWriter writer(source, out);
    const CMemoComposition composed = writer.Compose(CMemoWriter::kMemoFormat, true);
    ASSERT_TRUE(composed.failedPictureIds.empty());
    const std::u16string& text = composed.text;
    EXPECT_EQ(text.substr(0, text.find(u'\r')),
              u"\t<IMG SRC=\"memo_1.png\" WIDTH=320 HEIGHT=240 CPOSX=100 CPOSY=50 CSIZEX=960 CSIZEY=720>");
}

TEST_F(PicMemoLinkTest, AnEditedPictureResizesItsChapter)
{
    worker.files[CPicFileGuard::Key(kFolder + u"memo_1.tif")] = {400, 200};
    ASSERT_TRUE(Read(u"<IMG SRC=\"memo_1.tif\" WIDTH=200 HEIGHT=100>"));
    {
        CPicList::UseLock use = pictures.Use();
        ASSERT_TRUE(pictures.FindById(1)->ResizeImage(200, 400));  // as a quarter turn leaves it
    }
    ASSERT_TRUE(SyncPictureChapter(doc, pictures, 1));
    const CPictChapter* chapter = doc.ChapterByPictureId(1)->Picture();
    EXPECT_EQ(chapter->Width(), 100);
    EXPECT_EQ(chapter->Height(), 200);
    EXPECT_FALSE(SyncPictureChapter(doc, pictures, 5));
}
