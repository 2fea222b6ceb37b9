// The memo's pictures: lookups and removal by id, copies for the undo that share their pixels,
// pixel buffers that go back to the memory store, tags, and the files that tags protect.
#include "picture/CPicList.h"

#include "picture/CPicFileGuard.h"
#include "vmem/CVMemList.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr std::size_t kBlock = 1 << 20;

std::unique_ptr<CPicData> Picture(CVMemList& store, int id, int width, int height, unsigned char fill = 7)
{
    auto picture = std::make_unique<CPicData>(store, id, u"C:\\memo\\memo_" + std::u16string(1, u'0' + id) + u".tif");
    EXPECT_TRUE(picture->SetPixels(3, width, height));
    std::memset(picture->Bytes(), fill, picture->SizeInBytes());
    return picture;
}

}  // namespace

TEST(CPicList, FindsAndRemovesById)
{
    CVMemList store(kBlock);
    CPicList list(store);
    list.Add(Picture(store, 1, 4, 4));
    list.Add(Picture(store, 2, 4, 4));
    list.Add(Picture(store, 2, 8, 8));
    EXPECT_EQ(list.FindById(2)->Width(), 4);  // the first with the id
    EXPECT_EQ(list.FindById(3), nullptr);

    list.RemoveById(9);
    EXPECT_EQ(list.Count(), 3);
    list.RemoveById(2);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_FALSE(list.HasId(2));
    EXPECT_EQ(list.FreeId(), 2);
}

TEST(CPicList, PixelsGoBackToTheStore)
{
    CVMemList store(kBlock);
    {
        CPicList list(store);
        list.Add(Picture(store, 1, 100, 100));
        list.Add(Picture(store, 2, 100, 100));
        EXPECT_EQ(store.BlockCount(), 1u);
        list.RemoveById(1);
        list.RemoveById(2);
        EXPECT_EQ(store.BlockCount(), 0u);
        list.Add(Picture(store, 3, 100, 100));
    }
    EXPECT_EQ(store.BlockCount(), 0u);
}

TEST(CPicList, UndoCopiesShareThePixelsAndTheFraming)
{
    CVMemList store(kBlock);
    CPicList list(store);
    CPicData* source = list.Add(Picture(store, 1, 400, 200, 42));
    source->SetFramingFromTag(200, 100, -1, -1, -1, -1);
    source->ZoomStep(10);
    ASSERT_TRUE(list.Copy(1, 5, u"C:\\memo\\memo_5.tif"));
    const CPicData* copy = list.FindById(5);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Bytes(), source->Bytes());
    EXPECT_EQ(copy->FileName(), u"C:\\memo\\memo_5.tif");
    EXPECT_DOUBLE_EQ(copy->Frame().Zoom(), 60.0);
    EXPECT_EQ(copy->Frame().ZoomedWidth(), 240);

    int width = 0, height = 0;
    EXPECT_TRUE(list.Size(5, width, height));
    EXPECT_EQ(width, 400);
    EXPECT_FALSE(list.Copy(77, 6, u"x"));

    // The bytes stay while either picture holds them.
    list.RemoveById(1);
    EXPECT_EQ(list.FindById(5)->Bytes()[0], 42);
    EXPECT_EQ(store.BlockCount(), 1u);
    list.RemoveById(5);
    EXPECT_EQ(store.BlockCount(), 0u);
}

TEST(CPicList, ImpossibleSizesLeaveAnEmptyPicture)
{
    CVMemList store(kBlock);
    CPicData picture(store, 1, u"a.tif");
    EXPECT_FALSE(picture.SetPixels(4, 60000, 60000));
    EXPECT_FALSE(picture.HasPixels());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_FALSE(picture.SetPixels(3, 0, 10));
    EXPECT_EQ(store.BlockCount(), 0u);
}

TEST(CPicList, TagsCarryFrameScrollAndZoomedSize)
{
    CVMemList store(kBlock);
    CPicList list(store);
    CPicData* picture = list.Add(Picture(store, 3, 640, 480));
    picture->SetFramingFromTag(320, 240, 100, 50, 960, 720);
    EXPECT_EQ(list.Tag(3, 2), u"\t\t<IMG SRC=\"C:\\memo\\memo_3.tif\" WIDTH=320 HEIGHT=240 CPOSX=100 CPOSY=50 CSIZEX=960 CSIZEY=720>");
    EXPECT_EQ(list.Tag(4, 0), u"");
}

TEST(CPicList, PixelsChangingForgetsWhereTheyCameFrom)
{
    CVMemList store(kBlock);
    CPicData picture(store, 1, u"a.tif");
    ASSERT_TRUE(picture.SetPixels(3, 10, 10));
    picture.SetOrigin(u"C:\\memo\\a.jpg");
    const auto before = picture.Version();
    picture.ZoomStep(1);
    EXPECT_NE(picture.Version(), before);
    EXPECT_EQ(picture.Origin(), u"C:\\memo\\a.jpg");
    ASSERT_TRUE(picture.ResizeImage(20, 10));
    EXPECT_EQ(picture.Origin(), u"");
    EXPECT_EQ(picture.Frame().PictureWidth(), 20);
}

TEST(CPicFileGuard, TagsOfTheMemoAreKeptForTheirOwners)
{
    CPicFileGuard guard;
    guard.ProtectTagsOf(u"text\r\n<img src=\"memo_2.tif\">\r\n\t<IMG SRC=\"D:\\pics\\a.jpg\" WIDTH=3>\r\n<img src=\"\">",
                        u"C:\\Memo\\memo.txt");
    EXPECT_EQ(guard.Count(), 2);
    EXPECT_TRUE(guard.IsProtected(u"c:\\memo\\MEMO_2.TIF"));
    EXPECT_TRUE(guard.IsProtected(u"D:\\pics\\a.jpg"));
    EXPECT_FALSE(guard.MayWrite(u"C:\\Memo\\memo_2.tif", 2));
    EXPECT_TRUE(guard.MayWrite(u"C:\\Memo\\memo_3.tif", 2));

    guard.Own(u"C:\\Memo\\memo_2.tif", 2);
    EXPECT_TRUE(guard.MayWrite(u"C:\\MEMO\\memo_2.tif", 2));
    EXPECT_FALSE(guard.MayWrite(u"C:\\Memo\\memo_2.tif", 1));
    guard.Protect(u"C:\\Memo\\memo_2.tif");  // a second tag naming it keeps the owner
    EXPECT_TRUE(guard.MayWrite(u"C:\\Memo\\memo_2.tif", 2));
    guard.Disown(2);
    EXPECT_FALSE(guard.MayWrite(u"C:\\Memo\\memo_2.tif", 2));
    guard.Clear();
    EXPECT_TRUE(guard.MayWrite(u"C:\\Memo\\memo_2.tif", 1));
}

TEST(CPicFileGuard, RemovingAPictureKeepsItsFilesFromOthers)
{
    CVMemList store(kBlock);
    CPicList list(store);
    list.Add(Picture(store, 1, 2, 2));
    list.Files().Own(u"C:\\memo\\memo_1.jpg", 1);
    list.RemoveById(1);
    list.Add(Picture(store, 1, 2, 2));  // a new picture with the freed id
    EXPECT_FALSE(list.Files().MayWrite(u"C:\\memo\\memo_1.jpg", 1));
}
