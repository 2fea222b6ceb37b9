// Background picture lists on real folders: what a scan lists, positions over the shown pictures,
// the path of a stored setting, and what Commit and Reset do to the entries and their files.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/tests/OptionsTestSupport.h"
#include "picture/CBackPictureList.h"

namespace {

using namespace opttest;

class BackPictureListTest : public testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryW((stock / L"baseview").c_str(), nullptr);
        CreateDirectoryW((user / L"baseview").c_str(), nullptr);
    }
    std::wstring StockPicture(const std::wstring& name, COLORREF colour = RGB(10, 20, 30))
    {
        const std::wstring path = stock / (L"baseview\\" + name);
        WriteSolidBmp(path, colour);
        return path;
    }
    std::wstring UserPicture(const std::wstring& name, COLORREF colour = RGB(40, 50, 60))
    {
        const std::wstring path = user / (L"baseview\\" + name);
        WriteSolidBmp(path, colour);
        return path;
    }
    void Init() { list.Init(ToU16(stock.Path()), ToU16(user.Path()), u"baseview"); }
    std::wstring Name(int i) const { return ToWide(list.NameAt(i)); }

    CScratchFolder stock;
    CScratchFolder user;
    CScratchFolder elsewhere;
    CBackPictureList list;
};

TEST_F(BackPictureListTest, AnEmptyListHasNothingAtAnyPosition)
{
    Init();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.GetAt(0), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.IndexOf(u"c:\\any.bmp"), 0);
    EXPECT_EQ(list.NameAt(0), u"");
    // The folders keep one separator each; the kind becomes a sub-folder.
    EXPECT_EQ(list.StockFolder(), ToU16(stock.Path()));
    EXPECT_EQ(list.Kind(), u"baseview\\");
    CBackPictureList bare;
    std::u16string noSeparator = ToU16(stock.Path());
    noSeparator.pop_back();
    bare.Init(noSeparator, u"", u"baseview\\");
    EXPECT_EQ(bare.StockFolder(), ToU16(stock.Path()));
    EXPECT_EQ(bare.UserFolder(), u"");
    EXPECT_EQ(bare.Kind(), u"baseview\\");
}

TEST_F(BackPictureListTest, ScanListsDecodablePicturesWithSmallLetterExtensionsStockFirst)
{
    const std::wstring sky = StockPicture(L"sky.jpg");  // a BMP inside: the content decides
    const std::wstring user1 = UserPicture(L"mine.png");
    // Not listed: a capital extension, another file type, a file that does not decode, a folder.
    WriteSolidBmp(user / L"baseview\\Sky.JPG", RGB(1, 2, 3));
    WriteSolidBmp(user / L"baseview\\notes.txt", RGB(1, 2, 3));
    {
        HANDLE broken = CreateFileW((user / L"baseview\\broken.bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(broken, "not a picture", 13, &written, nullptr);
        CloseHandle(broken);
    }
    CreateDirectoryW((user / L"baseview\\folder.bmp").c_str(), nullptr);
    Init();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(Name(0), sky);
    EXPECT_TRUE(list.GetAt(0)->Stock());
    EXPECT_EQ(Name(1), user1);
    EXPECT_FALSE(list.GetAt(1)->Stock());
    EXPECT_EQ(list.GetAt(0)->Size().cx, 8);
    EXPECT_EQ(list.IndexOf(ToU16(user1)), 1);
}

TEST_F(BackPictureListTest, AStoredPathNotShownSelectsTheFirstAndEqualPathsGiveTheLater)
{
    const std::wstring a = StockPicture(L"a.bmp");
    StockPicture(L"b.bmp");
    Init();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOf(u"c:\\gone\\x.bmp"), 0);
    EXPECT_EQ(list.IndexOf(ToU16(Name(1))), 1);
    const int aAt = Name(0) == a ? 0 : 1;

    // The same file added once more: its later entry is the one found.
    ASSERT_TRUE(list.AddPending(ToU16(a)));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IndexOf(ToU16(a)), 2);
    // Hidden entries are neither counted nor found.
    ASSERT_TRUE(list.Hide(2));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOf(ToU16(a)), aAt);
}

TEST_F(BackPictureListTest, ACopyStoredInSmallLettersIsFoundAfterTheNextScan)
{
    UserPicture(L"SavePic_001.bmp");
    Init();
    ASSERT_EQ(list.Count(), 1);
    const std::u16string lower = CFileName::ToLower(list.NameAt(0));
    ASSERT_NE(lower, list.NameAt(0)) << "the folders are spelt with capitals";
    ASSERT_TRUE(list.AddPending(ToU16(StockPicture(L"other.bmp"))));
    EXPECT_EQ(list.IndexOf(lower), 0);
}

TEST_F(BackPictureListTest, AnAddedPictureIsCopiedIntoTheUserFolderUnderTheNextNumber)
{
    UserPicture(L"SavePic_001.png");
    Init();
    ASSERT_EQ(list.Count(), 1);
    const std::wstring source = elsewhere / L"sea.png";
    WriteSolidBmp(source, RGB(0, 80, 160), 12, 6);
    ASSERT_TRUE(list.AddPending(CFileName::ToLower(ToU16(source))));
    EXPECT_EQ(list.Count(), 2) << "pending pictures are offered at once";
    EXPECT_FALSE(list.AddPending(ToU16(elsewhere / L"missing.png")));
    EXPECT_EQ(list.Count(), 2);

    list.Commit();
    ASSERT_EQ(list.Count(), 2);
    const std::wstring copy = user / L"baseview\\SavePic_002.png";
    EXPECT_TRUE(Exists(copy));
    EXPECT_TRUE(Exists(source)) << "the source stays where it was";
    EXPECT_EQ(list.NameAt(1), CFileName::ToLower(ToU16(copy)));
    EXPECT_FALSE(list.GetAt(1)->Stock());
    EXPECT_EQ(list.GetAt(1)->Size().cx, 12) << "the bitmap decoded from the source stays";

    // Committed: Reset keeps it.
    list.Reset();
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(BackPictureListTest, ARemovedStockPictureKeepsItsFileAndStaysHiddenUntilReset)
{
    const std::wstring stockFile = StockPicture(L"stock.bmp");
    Init();
    ASSERT_TRUE(list.Hide(0));
    EXPECT_EQ(list.Count(), 0);
    const std::wstring added = elsewhere / L"new.bmp";
    WriteSolidBmp(added, RGB(9, 9, 9));
    ASSERT_TRUE(list.AddPending(ToU16(added)));
    list.Commit();
    EXPECT_TRUE(Exists(stockFile));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.NameAt(0), CFileName::ToLower(ToU16(user / L"baseview\\SavePic_001.bmp")));
    list.Commit();
    EXPECT_EQ(list.Count(), 1) << "still hidden";
    list.Reset();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(Name(0), stockFile) << "in its old place";
}

TEST_F(BackPictureListTest, ARemovedUserPictureLosesItsFileAtTheNextCommit)
{
    const std::wstring kept = UserPicture(L"kept.bmp");
    const std::wstring removed = UserPicture(L"removed.bmp");
    Init();
    ASSERT_EQ(list.Count(), 2);
    const int at = list.IndexOf(ToU16(removed));
    ASSERT_TRUE(list.Hide(at));
    EXPECT_TRUE(Exists(removed)) << "only hidden until the commit";

    // A commit without additions only deletes.
    list.Commit();
    EXPECT_FALSE(Exists(removed));
    EXPECT_TRUE(Exists(kept));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(Name(0), kept);
    list.Reset();
    EXPECT_EQ(list.Count(), 1) << "the removed entry is gone for good";
}

TEST_F(BackPictureListTest, ResetDropsPendingPicturesAndAHiddenPendingOneIsNeverCopied)
{
    Init();
    const std::wstring source = elsewhere / L"p.bmp";
    WriteSolidBmp(source, RGB(5, 5, 5));
    ASSERT_TRUE(list.AddPending(ToU16(source)));
    list.Reset();
    EXPECT_EQ(list.Count(), 0);

    ASSERT_TRUE(list.AddPending(ToU16(source)));
    ASSERT_TRUE(list.Hide(0));
    list.Commit();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(Exists(user / L"baseview\\SavePic_001.bmp"));
}

TEST_F(BackPictureListTest, WithoutAUserFolderNothingIsSearchedOrCopied)
{
    StockPicture(L"s.bmp");
    // A user folder of "" must not mean the current folder.
    const std::u16string before = vel::platform::WorkingDirectory();
    ASSERT_TRUE(vel::platform::SetWorkingDirectory(ToU16(stock.Path())));
    CBackPictureList grey;
    grey.Init(ToU16(stock.Path()), u"", u"baseview");
    vel::platform::SetWorkingDirectory(before);
    ASSERT_EQ(grey.Count(), 1);
    EXPECT_TRUE(grey.GetAt(0)->Stock());

    const std::wstring source = elsewhere / L"q.bmp";
    WriteSolidBmp(source, RGB(5, 5, 5));
    ASSERT_TRUE(grey.AddPending(ToU16(source)));
    grey.Commit();
    EXPECT_EQ(grey.Count(), 1) << "the copy had nowhere to go";
}

TEST_F(BackPictureListTest, PaintTiledRepeatsTheBitmapFromTheTopLeftCorner)
{
    const std::wstring path = elsewhere / L"tile.bmp";
    // Red on the tile's first column and row, white elsewhere.
    WriteBmp(path, 4, 3, [](int x, int y) { return x == 0 || y == 0 ? RGB(255, 0, 0) : RGB(255, 255, 255); });
    CPictureIO picture;
    ASSERT_TRUE(picture.Load(ToU16(path)));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 20, 20);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, target);
    RECT all{0, 0, 20, 20};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const RECT area{2, 1, 13, 9};
    CBackPictureList::PaintTiled(dc, area, picture);
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 2), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 6, 2), RGB(255, 0, 0)) << "the next tile across";
    EXPECT_EQ(GetPixel(dc, 3, 4), RGB(255, 0, 0)) << "the next tile down";
    EXPECT_EQ(GetPixel(dc, 12, 8), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 13, 8), RGB(0, 0, 0)) << "nothing outside the area";
    EXPECT_EQ(GetPixel(dc, 12, 9), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
}

}  // namespace
