// The picture drop-down: one item per shown picture, each painted as its picture tiled over the
// item, a grey frame on the selected one, light grey where there is no picture.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/tests/OptionsTestSupport.h"
#include "picture/CBackPictureList.h"
#include "picture/CPicSelCombo.h"

namespace {

using namespace opttest;

class PicSelComboTest : public testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryW((stock / L"basecntl").c_str(), nullptr);
        // A 5 x 4 tile: blue in its top-left pixel, yellow elsewhere.
        WriteBmp(stock / L"basecntl\\a.bmp", 5, 4,
                 [](int x, int y) { return x == 0 && y == 0 ? RGB(0, 0, 255) : RGB(255, 255, 0); });
        list.Init(ToU16(stock.Path()), u"", u"basecntl");
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        HWND box = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                   0, 0, 200, 150, parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
        combo.Attach(box, &list);
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        target = CreateCompatibleBitmap(screen, 60, 40);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, target);
    }
    void TearDown() override
    {
        SelectObject(dc, old);
        DeleteObject(target);
        DeleteDC(dc);
        DestroyWindow(parent);
        Pump();
    }
    bool Draw(int item, bool selected, HWND from = nullptr)
    {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_COMBOBOX;
        draw.CtlID = 7;
        draw.itemID = static_cast<UINT>(item);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = selected ? ODS_SELECTED : 0;
        draw.hwndItem = from ? from : combo.Handle();
        draw.hDC = dc;
        draw.rcItem = RECT{10, 5, 50, 30};
        return combo.DrawItem(draw);
    }

    CScratchFolder stock;
    CBackPictureList list;
    CPicSelCombo combo;
    HWND parent = nullptr;
    HDC dc = nullptr;
    HBITMAP target = nullptr;
    HGDIOBJ old = nullptr;
};

TEST_F(PicSelComboTest, OneItemPerShownPicture)
{
    EXPECT_EQ(combo.Count(), 1);
    EXPECT_EQ(combo.Selected(), -1);
    combo.Select(0);
    EXPECT_EQ(combo.Selected(), 0);
    ASSERT_TRUE(list.AddPending(ToU16(stock / L"basecntl\\a.bmp")));
    combo.Fill();
    EXPECT_EQ(combo.Count(), 2);
    EXPECT_EQ(combo.Selected(), -1);
    list.Hide(0);
    list.Hide(0);
    combo.Fill();
    EXPECT_EQ(combo.Count(), 0);
    EXPECT_GE(SendMessageW(combo.Handle(), CB_GETITEMHEIGHT, 0, 0), CPicSelCombo::kItemHeight);
}

TEST_F(PicSelComboTest, AnItemIsItsPictureTiledUnscaledFromTheItemsCorner)
{
    ASSERT_TRUE(Draw(0, false));
    EXPECT_EQ(GetPixel(dc, 10, 5), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 11, 5), RGB(255, 255, 0));
    EXPECT_EQ(GetPixel(dc, 15, 5), RGB(0, 0, 255)) << "the tile repeats across by its width";
    EXPECT_EQ(GetPixel(dc, 10, 9), RGB(0, 0, 255)) << "and down by its height";
    EXPECT_EQ(GetPixel(dc, 45, 29), RGB(0, 0, 255));
}

TEST_F(PicSelComboTest, TheSelectedItemIsFramedInGreyAndAMissingPictureIsLightGrey)
{
    ASSERT_TRUE(Draw(0, true));
    EXPECT_EQ(GetPixel(dc, 10, 5), CPicSelCombo::kFrameColour);
    EXPECT_EQ(GetPixel(dc, 30, 29), CPicSelCombo::kFrameColour);
    EXPECT_EQ(GetPixel(dc, 49, 15), CPicSelCombo::kFrameColour);
    EXPECT_EQ(GetPixel(dc, 15, 9), RGB(0, 0, 255)) << "inside the frame the picture stays";

    ASSERT_TRUE(Draw(3, false));
    EXPECT_EQ(GetPixel(dc, 10, 5), CPicSelCombo::kEmptyColour);
    EXPECT_EQ(GetPixel(dc, 49, 29), CPicSelCombo::kEmptyColour);
    EXPECT_NE(GetPixel(dc, 50, 30), CPicSelCombo::kEmptyColour) << "only the item's rectangle";

    EXPECT_FALSE(Draw(0, false, parent)) << "another control's item";
}

}  // namespace
