// The picture worker in-process with the real rastkit.dll and GDI+: loading with its working
// copy, every editing request, posting order, failures that leave pictures and files alone, and
// the memo reader and writer going through it.
#include "picture/tests/PicTestSupport.h"

#include "app/CFileName.h"
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CDocListMemo.h"
#include "doc/CPictChapter.h"
#include "framework/CUserMessage.h"
#include "picture/CPicList.h"
#include "picture/CPicMemoLoader.h"
#include "picture/CPicMemoStore.h"
#include "picture/CPicRequest.h"
#include "picture/CPicWorkerLink.h"
#include "text/CFixedCharMeasurer.h"
#include "text/CMemoReader.h"
#include "text/CMemoWriter.h"
#include "text/tests/CTempFolder.h"

using namespace pictest;

namespace {

CGdiplusSession g_gdiplus;

std::u16string Number(int n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

int Value(const CTypePicData<unsigned char>& picture, int x, int y, int c)
{
    return picture.Bytes()[(std::size_t(y) * picture.Width() + x) * picture.BytesPerPixel() + c];
}

class PicThreadTest : public testing::Test {
protected:
    PicThreadTest() : pictures(store), link(pictures, store) {}
    void SetUp() override
    {
        CUserMessage::SetRecorder(&messages);
        ASSERT_TRUE(link.Start(nullptr));
        link.SetMemoNames(folder.Path(), u"memo");
    }
    void TearDown() override
    {
        link.Stop();
        CUserMessage::SetRecorder(nullptr);
    }

    // A picture file made from the pattern, as another program would have left it.
    std::u16string MakeFile(const std::u16string& name, int width, int height, int bpp = 3)
    {
        auto picture = MakePicture(0, width, height, bpp);
        const std::u16string path = folder / name;
        EXPECT_EQ(CPicFileIO::Save(path, *picture, 100), CPicFileIO::Result::kDone);
        return path;
    }
    bool Load(int id, const std::u16string& path)
    {
        link.Send(CPicRequest::Load(id, path));
        return link.Synchronise();
    }
    CPicData& Get(int id)
    {
        CPicData* picture = pictures.FindById(id);
        EXPECT_NE(picture, nullptr);
        return *picture;
    }

    CTempFolder folder;
    CVMemList store{1 << 26};
    CPicList pictures;
    CPicWorkerLink link;
    std::vector<std::wstring> messages;
};

}  // namespace

TEST_F(PicThreadTest, LoadingAddsThePictureWithAWorkingCopy)
{
    const std::u16string source = MakeFile(u"photo.png", 40, 30);
    ASSERT_TRUE(Load(1, source));
    CPicData& picture = Get(1);
    EXPECT_EQ(picture.Width(), 40);
    EXPECT_EQ(picture.BytesPerPixel(), 3);
    EXPECT_EQ(picture.FileName(), folder / u"memo_1.tif");
    auto copy = DecodeFile(folder / u"memo_1.tif");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(MaxDifference(picture, *copy, 3), 0);
    EXPECT_EQ(Value(picture, 7, 5, 0), Pattern(7, 5, 0));
    EXPECT_EQ(link.PictureWorker()->LibraryCopies(), 1);
    link.Send(CPicRequest::Release(1));
    EXPECT_TRUE(link.Synchronise());
    EXPECT_EQ(link.PictureWorker()->LibraryCopies(), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PicThreadTest, EveryFormatRoundTripsThroughTheWorker)
{
    // Sources: lossless and JPEG files from 24- and 32-bit pixels, each loaded by the worker and
    // stored again in every format; each written file is decoded and compared with what the
    // worker held.
    struct Target {
        const char16_t* ext;
        int maxDifference;
    };
    const Target targets[] = {{u"bmp", 0}, {u"png", 0}, {u"tif", 0}, {u"jpg", 24}, {u"gif", 60}};
    int id = 1;
    for (int bpp : {3, 4}) {
        for (const char16_t* sourceExt : {u"bmp", u"png", u"tif", u"jpg", u"gif"}) {
            const std::u16string source =
                MakeFile(u"source" + std::u16string(1, u'0' + bpp) + u"." + sourceExt, 45, 33, bpp);
            ASSERT_TRUE(Load(id, source)) << id;
            const CPicData& loaded = Get(id);
            for (const Target& target : targets) {
                const std::u16string out =
                    folder / (u"out" + Number(id) + u"." + target.ext);
                link.Send(CPicRequest::Store(id, out, 95));
                ASSERT_TRUE(link.Synchronise());
                auto back = DecodeFile(out);
                ASSERT_NE(back, nullptr);
                // A GIF source is dithered: JPEG keeps such noise less closely.
                const bool noisy = std::u16string(sourceExt) == u"gif" && std::u16string(target.ext) == u"jpg";
                EXPECT_LE(MaxDifference(loaded, *back, 3), noisy ? 64 : target.maxDifference)
                    << std::string(sourceExt, sourceExt + 3) << " " << bpp * 8 << " bits to "
                    << std::string(target.ext, target.ext + 3);
                // Transparency survives where both formats keep it.
                const auto keepsAlpha = [](const char16_t* ext) {
                    return std::u16string(ext) == u"png" || std::u16string(ext) == u"tif";
                };
                if (bpp == 4 && keepsAlpha(sourceExt) && keepsAlpha(target.ext)) {
                    EXPECT_EQ(loaded.BytesPerPixel(), 4);
                    EXPECT_EQ(MaxDifference(loaded, *back, 4), 0);
                }
            }
            ++id;
        }
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(vel::platform::ListMatching(folder.Path(), u"*.tmp").size(), 0u);  // no temporary files left
}

TEST_F(PicThreadTest, AnUndecodableFileLeavesTheListAndTheFileAlone)
{
    WriteBytes(folder / u"broken.jpg", "JFIF? no.");
    EXPECT_FALSE(Load(1, folder / u"broken.jpg"));
    EXPECT_EQ(pictures.Count(), 0);
    EXPECT_TRUE(messages.empty());  // a silent failure for the window that asked
    EXPECT_EQ(FileBytes(folder / u"broken.jpg"), "JFIF? no.");
    EXPECT_FALSE(vel::platform::ReadAttributes(folder / u"memo_1.tif").exists);
}

TEST_F(PicThreadTest, RequestsRunInPostingOrder)
{
    const std::u16string source = MakeFile(u"a.png", 24, 16);
    link.Send(CPicRequest::Load(1, source));
    link.Send(CPicRequest::Rotate(1, 90));
    link.Send(CPicRequest::Store(1, folder / u"out.png", 90));
    ASSERT_TRUE(link.Synchronise());
    auto saved = DecodeFile(folder / u"out.png");
    ASSERT_NE(saved, nullptr);
    ASSERT_EQ(saved->Width(), 16);
    ASSERT_EQ(saved->Height(), 24);
    // A clockwise quarter turn: (x, y) shows the source's (y, H - 1 - x).
    for (int y = 0; y < 24; y += 5)
        for (int x = 0; x < 16; x += 3)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(Value(*saved, x, y, c), Pattern(y, 15 - x, c)) << x << "," << y;
    EXPECT_EQ(Get(1).Frame().PictureWidth(), 16);
}

TEST_F(PicThreadTest, AQuarterTurnAndBackGivesTheSamePixels)
{
    ASSERT_TRUE(Load(1, MakeFile(u"a.png", 31, 17, 4)));
    auto original = MakePicture(0, 31, 17, 4);
    link.Send(CPicRequest::Rotate(1, 90));
    link.Send(CPicRequest::Rotate(1, 270));
    ASSERT_TRUE(link.Synchronise());
    EXPECT_EQ(MaxDifference(Get(1), *original, 4), 0);
    // The library copy went away in between and the turn still works from the picture.
    link.Send(CPicRequest::Release(1));
    link.Send(CPicRequest::Rotate(1, 270));
    link.Send(CPicRequest::Rotate(1, 90));
    ASSERT_TRUE(link.Synchronise());
    EXPECT_EQ(MaxDifference(Get(1), *original, 4), 0);
}

TEST_F(PicThreadTest, NearestResizeRepeatsPixels)
{
    ASSERT_TRUE(Load(1, MakeFile(u"a.bmp", 3, 2)));
    link.Send(CPicRequest::Resize(1, 7, 5, CPicRequest::kNearest));
    ASSERT_TRUE(link.Synchronise());
    CPicData& picture = Get(1);
    ASSERT_EQ(picture.Width(), 7);
    ASSERT_EQ(picture.Height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const int sx = static_cast<int>(x / (7.0 / 3.0));
            const int sy = static_cast<int>(y / (5.0 / 2.0));
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(Value(picture, x, y, c), Pattern(sx, sy, c)) << x << "," << y;
        }
    // The frame kept its longer side and took the new shape.
    EXPECT_EQ(picture.Frame().FrameWidth(), 3);
    EXPECT_EQ(picture.Frame().FrameHeight(), 2);
}

TEST_F(PicThreadTest, EveryResizeMethodAndFreeRotationMakesThePictureAskedFor)
{
    ASSERT_TRUE(Load(1, MakeFile(u"a.png", 400, 200)));
    link.Send(CPicRequest::Resize(1, 300, 150, CPicRequest::kBilinear));
    link.Send(CPicRequest::Resize(1, 200, 100, CPicRequest::kAreaAverage));
    link.Send(CPicRequest::Resize(1, 400, 200, CPicRequest::kAreaAverage));  // growing: bicubic
    link.Send(CPicRequest::Resize(1, 400, 200, CPicRequest::kBicubic));
    ASSERT_TRUE(link.Synchronise());
    EXPECT_EQ(Get(1).Width(), 400);
    link.Send(CPicRequest::Rotate(1, 45));
    ASSERT_TRUE(link.Synchronise());
    EXPECT_EQ(Get(1).Width(), 424);
    EXPECT_EQ(Get(1).Height(), 424);
    link.Send(CPicRequest::Rotate(1, 0));  // nothing to do
    ASSERT_TRUE(link.Synchronise());
    EXPECT_EQ(Get(1).Width(), 424);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PicThreadTest, SharpeningAFlatPictureChangesNothing)
{
    auto flat = std::make_unique<CPicData>(store, 0, u"");
    ASSERT_TRUE(flat->SetPixels(3, 20, 10));
    std::memset(flat->Bytes(), 90, flat->SizeInBytes());
    ASSERT_EQ(CPicFileIO::Save(folder / u"flat.bmp", *flat, 100), CPicFileIO::Result::kDone);
    ASSERT_TRUE(Load(1, folder / u"flat.bmp"));
    link.Send(CPicRequest::Sharpen(1));
    ASSERT_TRUE(link.Synchronise());
    EXPECT_EQ(MaxDifference(Get(1), *flat, 3), 0);
}

TEST_F(PicThreadTest, CutAndCopyMakeNewPictures)
{
    ASSERT_TRUE(Load(1, MakeFile(u"a.png", 40, 30)));
    link.Send(CPicRequest::Cut(1, 2, 10, 5, 8, 6));
    link.Send(CPicRequest::CutResize(1, 3, 0, 0, 20, 10, 10, 5, CPicRequest::kAreaAverage));
    link.Send(CPicRequest::Copy(1, 4));
    ASSERT_TRUE(link.Synchronise());
    CPicData& cut = Get(2);
    ASSERT_EQ(cut.Width(), 8);
    ASSERT_EQ(cut.Height(), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(Value(cut, x, y, 0), Pattern(x + 10, y + 5, 0));
    EXPECT_EQ(Get(3).Width(), 10);
    EXPECT_EQ(Get(4).Bytes(), Get(1).Bytes());
    EXPECT_EQ(Get(4).FileName(), folder / u"memo_4.tif");
    EXPECT_TRUE(vel::platform::ReadAttributes(folder / u"memo_2.tif").exists);
    // A new id that is taken is refused.
    link.Send(CPicRequest::Copy(1, 2));
    EXPECT_FALSE(link.Synchronise());
}

TEST_F(PicThreadTest, AFailingSaveShowsThePathAndChangesNothing)
{
    ASSERT_TRUE(Load(1, MakeFile(u"a.png", 10, 10)));
    const std::u16string target = folder / u"kept.jpg";
    WriteBytes(target, "the old picture");
    ASSERT_TRUE(vel::platform::ChangeAttributes(target, true, false));
    CPicData& picture = Get(1);
    const unsigned char* bytes = picture.Bytes();
    const auto version = picture.Version();
    link.Send(CPicRequest::Store(1, target, 80));
    EXPECT_FALSE(link.Synchronise());
    ASSERT_EQ(messages.size(), 1u);
    const std::u16string path = target;
    EXPECT_EQ(messages[0], L"画像の書き込みに失敗しました\n" + std::wstring(path.begin(), path.end()));
    EXPECT_EQ(FileBytes(target), "the old picture");
    EXPECT_EQ(picture.Bytes(), bytes);
    EXPECT_EQ(picture.Version(), version);
    // Shown once until a file is opened again.
    link.Send(CPicRequest::Store(1, folder / u"nowhere\\x.png", 80));
    EXPECT_FALSE(link.Synchronise());
    EXPECT_EQ(messages.size(), 1u);
    link.ClearErrorShown();
    link.Send(CPicRequest::Store(9, folder / u"y.png", 80));
    EXPECT_FALSE(link.Synchronise());
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(PicThreadTest, TakingOverAnUnknownPictureFails)
{
    link.Send(CPicRequest::TakeOver(5));
    EXPECT_FALSE(link.Synchronise());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"画像の取り込みに失敗しました");
    ASSERT_TRUE(Load(1, MakeFile(u"a.png", 10, 10)));
    link.Send(CPicRequest::Release(1));
    link.Send(CPicRequest::TakeOver(1));
    EXPECT_TRUE(link.Synchronise());
    EXPECT_EQ(link.PictureWorker()->LibraryCopies(), 1);
}

TEST_F(PicThreadTest, AWorkingCopyNeverReplacesAFileATagStillNames)
{
    const std::u16string first = MakeFile(u"memo_1.tif", 30, 10);
    const std::u16string second = MakeFile(u"memo_2.tif", 20, 10);
    const std::string firstBytes = FileBytes(first);
    pictures.Files().ProtectTagsOf(u"<IMG SRC=\"memo_2.tif\">\r\n<IMG SRC=\"memo_1.tif\">", folder / u"memo.txt");
    // Given id 1 for memo_2.tif, as ids in reading order would: memo_1.tif must survive.
    ASSERT_TRUE(Load(1, second));
    EXPECT_EQ(FileBytes(first), firstBytes);
    EXPECT_EQ(Get(1).FileName(), folder / u"memo_1_2.tif");
    auto copy = DecodeFile(folder / u"memo_1_2.tif");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Width(), 20);
}

namespace {

class PicMemoTest : public PicThreadTest {
protected:
    void SetUp() override
    {
        PicThreadTest::SetUp();
        SetUpDocList(doc, pictures);
        doc.SetMemoNames(folder.Path(), u"", u"memo");
    }
    void TearDown() override
    {
        doc.Reset();
        PicThreadTest::TearDown();
    }
    bool ReadMemo(const std::u16string& path)
    {
        CPicMemoLoader loader(doc, pictures, link);
        loader.PrepareFile(path);
        CDocListMemoSink sink(doc);
        CMemoReader reader(sink, loader);
        return reader.ReadFile(path);
    }
    std::vector<int> PictureIds()
    {
        std::vector<int> ids;
        for (CListNode* node = doc.Chapters().Head(); node;)
            if (const CPictChapter* p = doc.Chapters().StepForward(node)->Picture())
                ids.push_back(p->PictureId());
        return ids;
    }

    CDocList doc;
};

}  // namespace

TEST_F(PicMemoTest, ReopeningAMemoReadsEveryPictureBeforeAnyFileIsWritten)
{
    const std::u16string second = MakeFile(u"memo_2.tif", 20, 10);
    const std::u16string first = MakeFile(u"memo_1.tif", 30, 10);
    const std::string secondBytes = FileBytes(second);
    const std::string firstBytes = FileBytes(first);
    WriteBytes(folder / u"memo.txt", "<IMG SRC=\"memo_2.tif\">\r\ntext\r\n<IMG SRC=\"memo_1.tif\">");
    ASSERT_TRUE(ReadMemo(folder / u"memo.txt"));
    EXPECT_EQ(PictureIds(), (std::vector<int>{2, 1}));
    EXPECT_EQ(Get(2).Width(), 20);
    EXPECT_EQ(Get(1).Width(), 30);
    EXPECT_EQ(FileBytes(second), secondBytes);
    EXPECT_EQ(FileBytes(first), firstBytes);
    EXPECT_TRUE(link.Synchronise());
    EXPECT_EQ(link.PictureWorker()->LibraryCopies(), 0);  // released after the chapters took them
}

TEST_F(PicMemoTest, APictureThatFailsCostsNothingElse)
{
    MakeFile(u"a.png", 40, 20);
    MakeFile(u"c.png", 10, 30);
    WriteBytes(folder / u"memo_1.jpg", "damaged");
    WriteBytes(folder / u"memo.txt",
               "one\r\n<IMG SRC=\"a.png\" WIDTH=80 HEIGHT=40>\r\n<IMG SRC=\"memo_1.jpg\">\r\n<IMG SRC=\"c.png\">\r\ntwo");
    ASSERT_TRUE(ReadMemo(folder / u"memo.txt"));
    EXPECT_EQ(pictures.Count(), 2);
    EXPECT_NE(doc.AllText().find(u"<IMG SRC=\"memo_1.jpg\">"), std::u16string::npos);
    EXPECT_NE(doc.AllText().find(u"two"), std::u16string::npos);
    EXPECT_TRUE(messages.empty());

    CDocListMemoSource source(doc);
    CPicMemoStore out(pictures, link, folder / u"memo.txt", u"jpg", 90);
    CMemoWriter writer(source, out);
    ASSERT_TRUE(writer.WriteFile(folder / u"memo.txt", CMemoWriter::kMemoFormat, true));
    EXPECT_EQ(FileBytes(folder / u"memo_1.jpg"), "damaged");

    // The memo as written reads back with both pictures, framed as before.
    const int framedWidth = Get(PictureIds()[0]).Frame().FrameWidth();
    doc.Reset();
    pictures.Files().Clear();
    ASSERT_TRUE(ReadMemo(folder / u"memo.txt"));
    ASSERT_EQ(pictures.Count(), 2);
    EXPECT_EQ(Get(PictureIds()[0]).Frame().FrameWidth(), framedWidth);
    EXPECT_EQ(Get(PictureIds()[0]).Width(), 40);
    EXPECT_EQ(Get(PictureIds()[1]).Height(), 30);
    EXPECT_EQ(FileBytes(folder / u"memo_1.jpg"), "damaged");
}
