// "オプション" on its real template: captions, spins, the fields that show and hide, the range
// checks of OK, the reset, and what is stored.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "app/COptionDlg.h"
#include "app/Resource.h"
#include "app/tests/OptionsTestSupport.h"
#include "framework/CDataExchange.h"
#include "framework/CUserMessage.h"

namespace {

using namespace opttest;

class OptionDlgTest : public testing::Test {
protected:
    void SetUp() override { CUserMessage::SetRecorder(&messages); }
    void TearDown() override
    {
        if (dialog)
            dialog->DestroyWindow();
        CUserMessage::SetRecorder(nullptr);
        Pump();
    }
    void Open()
    {
        dialog = std::make_unique<COptionDlg>(settings.Settings());
        ASSERT_TRUE(dialog->CreateModeless(nullptr));
        ShowWindow(Handle(), SW_SHOW);
        Pump();
    }
    HWND Handle() const { return dialog->Handle(); }
    bool IsOpen() const { return dialog->Handle() != nullptr; }
    void PressOk() { SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

    CTestSettings settings;
    std::vector<std::wstring> messages;
    std::unique_ptr<COptionDlg> dialog;
};

TEST_F(OptionDlgTest, EveryCaptionAndGroupWithTheSpinRanges)
{
    Open();
    EXPECT_EQ(Text(Handle()), L"オプション");
    const std::vector<std::wstring> captions = Captions(Handle());
    for (const wchar_t* caption :
         {L"カラム数", L"行間ピクセル数", L"罫線の表示", L"タブ数", L"禁則処理を有効にする", L"行頭禁則", L"行末禁則",
          L"箇条書き記号", L"既定のダイアログ", L"エクスプローラータイプ", L"旧タイプ", L"初期表示サイズ", L"JPEG形式",
          L"BMP形式", L"PNG形式", L"TIF形式", L"クオリティ", L"元画像サイズで保存", L"保存数を制限する", L"最大保存数",
          L"印刷文字サイズ", L"左スペース", L"上スペース", L"下スペース", L"（半角文字）", L"（行数）",
          L"ページ番号を印刷", L"初期値に戻す", L"文字の設定", L"禁則", L"ファイルを開く・保存", L"画像の設定",
          L"自動保存", L"印刷の設定"})
        EXPECT_NE(std::find(captions.begin(), captions.end(), caption), captions.end()) << caption;

    struct SpinCase {
        int spin;
        int buddy;
        int low;
        int high;
    };
    for (const SpinCase& c : {SpinCase{1014, 1005, 2, 10}, SpinCase{1013, 1011, 1, 12}, SpinCase{1026, 1025, 0, 1000},
                              SpinCase{1020, 1019, 0, 30}, SpinCase{1027, 1021, 3, 15}, SpinCase{1029, 1028, 3, 15}}) {
        HWND spin = GetDlgItem(Handle(), c.spin);
        ASSERT_NE(spin, nullptr) << c.spin;
        int low = -1;
        int high = -1;
        SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, c.low) << c.spin;
        EXPECT_EQ(high, c.high) << c.spin;
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)), GetDlgItem(Handle(), c.buddy))
            << c.spin;
    }
    EXPECT_NE(GetDlgItem(Handle(), 1030), nullptr);
}

TEST_F(OptionDlgTest, AnEmptyRegistryShowsTheDefaultsWithoutALimitAndWithTheQuality)
{
    Open();
    EXPECT_FALSE(Checked(Handle(), IDC_OPT_LIMIT));
    EXPECT_FALSE(Visible(Handle(), IDC_OPT_SAVE_MAX));
    EXPECT_FALSE(Visible(Handle(), IDC_OPT_SAVE_MAX_SPIN));
    EXPECT_FALSE(Visible(Handle(), IDC_OPT_SAVE_MAX_CAPTION));
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_SAVE_MAX), L"1000");
    EXPECT_TRUE(Visible(Handle(), IDC_OPT_QUALITY));
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_JPEG));
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_COLUMNS), L"80");
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_QUALITY), L"95");
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_KINSOKU));
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_PAGE_NO));
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_FILEDLG_DEFAULT));
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_TOP_KIGO), settings.Settings().TopKigo());
    // The reset's defaults are the settings' own.
    const COptionDlg::Fields defaults = COptionDlg::Defaults();
    const COptionDlg::Fields read = COptionDlg::Read(settings.Settings());
    EXPECT_EQ(defaults.topKinsoku, read.topKinsoku);
    EXPECT_EQ(defaults.lastKinsoku, read.lastKinsoku);
    EXPECT_EQ(defaults.topKigo, read.topKigo);
    EXPECT_EQ(defaults.columns, read.columns);
    EXPECT_EQ(defaults.saveMax, read.saveMax);
    EXPECT_EQ(defaults.limit, read.limit);
    EXPECT_EQ(defaults.leftSpace, read.leftSpace);
    EXPECT_EQ(defaults.pageNumbers, read.pageNumbers);
    EXPECT_EQ(settings.StoredCount(), 0) << "opening stores nothing";
}

TEST_F(OptionDlgTest, TheLimitBoxAndTheFormatShowTheirFields)
{
    settings.Settings().SetSaveMax(7);
    settings.Settings().SetSaveExt(2);
    Open();
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_LIMIT));
    EXPECT_TRUE(Visible(Handle(), IDC_OPT_SAVE_MAX));
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_SAVE_MAX), L"7");
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_PNG));
    EXPECT_FALSE(Visible(Handle(), IDC_OPT_QUALITY));

    Click(Handle(), IDC_OPT_JPEG);
    EXPECT_TRUE(Visible(Handle(), IDC_OPT_QUALITY));
    for (int other : {IDC_OPT_BMP, IDC_OPT_PNG, IDC_OPT_TIF}) {
        Click(Handle(), other);
        EXPECT_FALSE(Visible(Handle(), IDC_OPT_QUALITY)) << other;
        Click(Handle(), IDC_OPT_JPEG);
    }
    Click(Handle(), IDC_OPT_LIMIT);
    EXPECT_FALSE(Visible(Handle(), IDC_OPT_SAVE_MAX));
    EXPECT_FALSE(Visible(Handle(), IDC_OPT_SAVE_MAX_SPIN));
    EXPECT_FALSE(Visible(Handle(), IDC_OPT_SAVE_MAX_CAPTION));
    Click(Handle(), IDC_OPT_LIMIT);
    EXPECT_TRUE(Visible(Handle(), IDC_OPT_SAVE_MAX_CAPTION));
}

TEST_F(OptionDlgTest, ALimitOfZeroStoresZeroAndNoLimitStoresMinusOne)
{
    Open();
    Click(Handle(), IDC_OPT_LIMIT);
    SetText(Handle(), IDC_OPT_SAVE_MAX, L"0");
    PressOk();
    ASSERT_FALSE(IsOpen());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(settings.Int(L"Save Max"), 0);
    EXPECT_EQ(settings.Settings().SaveMax(), 0);

    Open();
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_LIMIT));
    Click(Handle(), IDC_OPT_LIMIT);
    // A hidden maximum is neither checked nor stored.
    SetText(Handle(), IDC_OPT_SAVE_MAX, L"5000");
    PressOk();
    ASSERT_FALSE(IsOpen());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(settings.Int(L"Save Max"), -1);
}

TEST_F(OptionDlgTest, AFieldOutOfRangeKeepsTheDialogOpenWithTheRangeMessageAndStoresNothing)
{
    Open();
    SetText(Handle(), IDC_OPT_COLUMNS, L"1001");
    SetText(Handle(), IDC_OPT_TAB, L"7");
    PressOk();
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(messages, (std::vector<std::wstring>{CDataExchange::RangeMessage(20, 1000)}));
    EXPECT_EQ(GetFocus(), GetDlgItem(Handle(), IDC_OPT_COLUMNS));
    EXPECT_EQ(settings.StoredCount(), 0);

    struct Case {
        int id;
        const wchar_t* text;
        int low;
        int high;
    };
    SetText(Handle(), IDC_OPT_COLUMNS, L"1000");
    for (const Case& c : {Case{IDC_OPT_COLUMNS, L"19", 20, 1000}, Case{IDC_OPT_LINE_SPACE, L"11", 2, 10},
                          Case{IDC_OPT_TAB, L"0", 1, 12}, Case{IDC_OPT_QUALITY, L"9", 10, 100},
                          Case{IDC_OPT_LEFT_SPACE, L"31", 0, 30}, Case{IDC_OPT_TOP_SPACE, L"2", 3, 15},
                          Case{IDC_OPT_BTM_SPACE, L"16", 3, 15}}) {
        const std::wstring before = ItemText(Handle(), c.id);
        messages.clear();
        SetText(Handle(), c.id, c.text);
        PressOk();
        ASSERT_TRUE(IsOpen()) << c.id;
        EXPECT_EQ(messages, (std::vector<std::wstring>{CDataExchange::RangeMessage(c.low, c.high)})) << c.id;
        EXPECT_EQ(GetFocus(), GetDlgItem(Handle(), c.id));
        SetText(Handle(), c.id, before);
    }
    EXPECT_EQ(settings.StoredCount(), 0);

    // Fields without a range take any number.
    messages.clear();
    SetText(Handle(), IDC_OPT_PICTURE_SIZE, L"123456");
    SetText(Handle(), IDC_OPT_PRINT_FONT, L"99");
    PressOk();
    ASSERT_FALSE(IsOpen());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(settings.Int(L"Column Num"), 1000);
    EXPECT_EQ(settings.Int(L"Picture Size"), 123456);
    EXPECT_EQ(settings.Int(L"Print Font Size"), 99);
}

TEST_F(OptionDlgTest, ResetPutsEveryDefaultBackAndStoresOnlyOnOk)
{
    const CAppSettings& s = settings.Settings();
    s.SetColumnNum(40);
    s.SetLineSpace(9);
    s.SetRuledLine(true);
    s.SetTabColumn(8);
    s.SetKinsoku(false);
    s.SetTopKinsoku(L"x");
    s.SetLastKinsoku(L"y");
    s.SetTopKigo(L"z");
    s.SetFileDlg(2);
    s.SetPictureSize(300);
    s.SetSaveExt(3);
    s.SetSaveQuality(50);
    s.SetSaveOrignal(true);
    s.SetSaveMax(12);
    s.SetPrintFontSize(20);
    s.SetLeftSpace(3);
    s.SetPrintTopSpace(10);
    s.SetPrintBtmSpace(11);
    s.SetPrintPageNo(false);
    const int stored = settings.StoredCount();
    Open();
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_COLUMNS), L"40");
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_TIF));
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_FILEDLG_OLD));

    Click(Handle(), IDC_OPT_RESET);
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_COLUMNS), L"80");
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_LINE_SPACE), L"2");
    EXPECT_FALSE(Checked(Handle(), IDC_OPT_RULED_LINE));
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_TAB), L"2");
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_KINSOKU));
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_TOP_KINSOKU), COptionDlg::Defaults().topKinsoku);
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_LAST_KINSOKU), COptionDlg::Defaults().lastKinsoku);
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_TOP_KIGO), COptionDlg::Defaults().topKigo);
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_FILEDLG_DEFAULT));
    EXPECT_FALSE(Checked(Handle(), IDC_OPT_FILEDLG_OLD));
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_PICTURE_SIZE), L"500");
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_JPEG));
    EXPECT_FALSE(Checked(Handle(), IDC_OPT_TIF));
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_QUALITY), L"95");
    EXPECT_TRUE(Visible(Handle(), IDC_OPT_QUALITY));
    EXPECT_FALSE(Checked(Handle(), IDC_OPT_SAVE_ORIGINAL));
    EXPECT_FALSE(Checked(Handle(), IDC_OPT_LIMIT));
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_SAVE_MAX), L"1000");
    EXPECT_FALSE(Visible(Handle(), IDC_OPT_SAVE_MAX));
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_PRINT_FONT), L"10");
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_LEFT_SPACE), L"16");
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_TOP_SPACE), L"4");
    EXPECT_EQ(ItemText(Handle(), IDC_OPT_BTM_SPACE), L"4");
    EXPECT_TRUE(Checked(Handle(), IDC_OPT_PAGE_NO));
    EXPECT_EQ(settings.StoredCount(), stored);
    EXPECT_EQ(s.ColumnNum(), 40) << "nothing stored before OK";

    PressOk();
    ASSERT_FALSE(IsOpen());
    EXPECT_EQ(s.ColumnNum(), 80);
    EXPECT_EQ(s.LineSpace(), 2);
    EXPECT_FALSE(s.RuledLine());
    EXPECT_EQ(s.TabColumn(), 2);
    EXPECT_TRUE(s.Kinsoku());
    EXPECT_EQ(s.TopKinsoku(), COptionDlg::Defaults().topKinsoku);
    EXPECT_EQ(s.FileDlg(), 0);
    EXPECT_EQ(s.SaveExt(), 0);
    EXPECT_EQ(s.SaveQuality(), 95);
    EXPECT_FALSE(s.SaveOrignal());
    EXPECT_EQ(s.SaveMax(), -1);
    EXPECT_EQ(s.PrintFontSize(), 10);
    EXPECT_EQ(s.LeftSpace(), 16);
    EXPECT_EQ(s.PrintTopSpace(), 4);
    EXPECT_EQ(s.PrintBtmSpace(), 4);
    EXPECT_TRUE(s.PrintPageNo());
}

TEST_F(OptionDlgTest, OkStoresWhatWasTypedAndCancelStoresNothing)
{
    Open();
    SetText(Handle(), IDC_OPT_COLUMNS, L"40");
    Click(Handle(), IDC_OPT_RULED_LINE);
    SetText(Handle(), IDC_OPT_TOP_KIGO, L"★");
    Click(Handle(), IDC_OPT_FILEDLG_EXPLORER);
    Click(Handle(), IDC_OPT_BMP);
    SetText(Handle(), IDC_OPT_QUALITY, L"5");  // hidden with BMP: kept, not checked
    Click(Handle(), IDC_OPT_SAVE_ORIGINAL);
    Click(Handle(), IDC_OPT_PAGE_NO);
    PressOk();
    ASSERT_FALSE(IsOpen());
    EXPECT_TRUE(messages.empty());
    const CAppSettings& s = settings.Settings();
    EXPECT_EQ(s.ColumnNum(), 40);
    EXPECT_TRUE(s.RuledLine());
    EXPECT_EQ(s.TopKigo(), L"★");
    EXPECT_EQ(s.FileDlg(), 1);
    EXPECT_EQ(s.SaveExt(), 1);
    EXPECT_EQ(s.SaveQuality(), 95);
    EXPECT_TRUE(s.SaveOrignal());
    EXPECT_FALSE(s.PrintPageNo());

    Open();
    SetText(Handle(), IDC_OPT_COLUMNS, L"60");
    SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_FALSE(IsOpen());
    EXPECT_EQ(s.ColumnNum(), 40);
}

}  // namespace
