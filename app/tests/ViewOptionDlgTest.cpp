// "表示オプション" on its real template with real picture lists: the eleven types, adding and
// removing pictures, the font and colour dialogs, and what OK and Cancel store.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>

#include "app/CViewOptionDlg.h"
#include "app/Resource.h"
#include "app/tests/OptionsTestSupport.h"
#include "framework/CDataExchange.h"
#include "framework/CUserMessage.h"
#include "picture/CBackPictureList.h"

namespace {

using namespace opttest;

// What the stand-ins of the system dialogs were given, and what they answer.
CHOOSEFONTW g_fontAsked{};
LOGFONTW g_fontGiven{};
LOGFONTW g_fontAnswer{};
bool g_fontOk = true;
CHOOSECOLORW g_colourAsked{};
COLORREF g_colourAnswer = 0;
bool g_colourOk = true;

bool FakeFontDialog(CHOOSEFONTW& choice)
{
    g_fontAsked = choice;
    g_fontGiven = *choice.lpLogFont;
    if (g_fontOk)
        *choice.lpLogFont = g_fontAnswer;
    return g_fontOk;
}

bool FakeColourDialog(CHOOSECOLORW& choice)
{
    g_colourAsked = choice;
    if (g_colourOk)
        choice.rgbResult = g_colourAnswer;
    return g_colourOk;
}

int ScreenPixelsPerInch()
{
    HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return ppi;
}

class ViewOptionDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        CUserMessage::SetRecorder(&messages);
        for (const wchar_t* kind : {L"basecntl", L"baseview"}) {
            CreateDirectoryW((stock / kind).c_str(), nullptr);
            CreateDirectoryW((user / kind).c_str(), nullptr);
        }
        WriteSolidBmp(stock / L"basecntl\\bar1.bmp", RGB(200, 220, 240));
        WriteSolidBmp(stock / L"baseview\\view1.bmp", RGB(250, 250, 240));
        WriteSolidBmp(stock / L"baseview\\view2.bmp", RGB(240, 250, 250));
        g_fontOk = true;
        g_colourOk = true;
    }
    void TearDown() override
    {
        if (dialog)
            dialog->DestroyWindow();
        CUserMessage::SetRecorder(nullptr);
        Pump();
    }
    void MakeLists()
    {
        bars.Init(ToU16(stock.Path()), ToU16(user.Path()), u"basecntl");
        texts.Init(ToU16(stock.Path()), ToU16(user.Path()), u"baseview");
    }
    void Open(int type = 0)
    {
        if (bars.Kind().empty())
            MakeLists();
        dialog = std::make_unique<CViewOptionDlg>(settings.Settings(), &bars, &texts);
        dialog->SetInitialType(type);
        dialog->SetChoosers(&FakeFontDialog, &FakeColourDialog);
        ASSERT_TRUE(dialog->CreateModeless(nullptr));
        ShowWindow(Handle(), SW_SHOW);
        Pump();
    }
    HWND Handle() const { return dialog->Handle(); }
    bool IsOpen() const { return dialog->Handle() != nullptr; }
    void Command(int id) { SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Choose(int comboId, int item)
    {
        HWND box = GetDlgItem(Handle(), comboId);
        SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    }
    int Selected(int comboId) const
    {
        return static_cast<int>(SendDlgItemMessageW(Handle(), comboId, CB_GETCURSEL, 0, 0));
    }
    int Items(int comboId) const { return static_cast<int>(SendDlgItemMessageW(Handle(), comboId, CB_GETCOUNT, 0, 0)); }
    // The colour the sample paints with, as its parent hands it out.
    COLORREF SampleColour() const
    {
        HDC dc = GetDC(Handle());
        SendMessageW(Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(Handle(), IDC_VOPT_COLOUR)));
        const COLORREF colour = GetBkColor(dc);
        ReleaseDC(Handle(), dc);
        return colour;
    }

    CTestSettings settings;
    std::vector<std::wstring> messages;
    CScratchFolder stock;
    CScratchFolder user;
    CScratchFolder elsewhere;
    CBackPictureList bars;
    CBackPictureList texts;
    std::unique_ptr<CViewOptionDlg> dialog;
};

TEST_F(ViewOptionDlgTest, CaptionsTypesAndTheDrops)
{
    Open(4);
    EXPECT_EQ(Text(Handle()), L"表示オプション");
    const std::vector<std::wstring> captions = Captions(Handle());
    for (const wchar_t* caption : {L"制御バーの背景", L"テキストの背景", L"追加", L"削除", L"No", L"文字", L"FONT変更",
                                   L"文字の色", L"色変更", L"サイズ", L"OK", L"キャンセル"})
        EXPECT_NE(std::find(captions.begin(), captions.end(), caption), captions.end()) << caption;
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_CNTL_ADD), L"追加");
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_CNTL_REMOVE), L"削除");
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_VIEW_ADD), L"追加");
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_VIEW_REMOVE), L"削除");
    ASSERT_EQ(Items(IDC_VOPT_TYPE), 11);
    wchar_t item[8] = {};
    SendDlgItemMessageW(Handle(), IDC_VOPT_TYPE, CB_GETLBTEXT, 10, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, L"11");
    EXPECT_EQ(Selected(IDC_VOPT_TYPE), 4);
    EXPECT_EQ(Items(IDC_VOPT_CNTL_PICTURES), 1);
    EXPECT_EQ(Items(IDC_VOPT_VIEW_PICTURES), 2);
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(Handle(), IDC_VOPT_CNTL_FILE), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(Handle(), IDC_VOPT_VIEW_FILE), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    // Defaults: no pictures, 12 points, black, the memo face.
    EXPECT_EQ(Selected(IDC_VOPT_VIEW_PICTURES), -1);
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_SIZE), L"12");
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_FONT_NAME), L"ＭＳ ゴシック");
    EXPECT_EQ(SampleColour(), RGB(0, 0, 0));
    EXPECT_EQ(dialog->Record(4).logFont.lfHeight, -CViewOptionDlg::HeightForPoints(12, ScreenPixelsPerInch()));
}

TEST_F(ViewOptionDlgTest, EachTypeShowsItsOwnValuesAndKeepsWhatWasChangedInIt)
{
    MakeLists();
    const CAppSettings& s = settings.Settings();
    s.SetViewPic(2, ToWide(texts.NameAt(1)));
    s.SetCntlPic(2, L"c:\\no\\such.bmp");  // not among the pictures: the first one is shown
    s.SetViewFontSize(2, 18);
    s.SetFontColor(2, RGB(0, 0, 160));
    s.SetViewFontSize(0, 9);
    Open(2);
    EXPECT_EQ(Selected(IDC_VOPT_VIEW_PICTURES), 1);
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_VIEW_FILE), ToWide(texts.NameAt(1)));
    EXPECT_EQ(Selected(IDC_VOPT_CNTL_PICTURES), 0);
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_CNTL_FILE), L"c:\\no\\such.bmp");
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_SIZE), L"18");
    EXPECT_EQ(SampleColour(), RGB(0, 0, 160));

    // A size typed for a type stays with it across the switches.
    Choose(IDC_VOPT_TYPE, 0);
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_SIZE), L"9");
    EXPECT_EQ(Selected(IDC_VOPT_VIEW_PICTURES), -1);
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_VIEW_FILE), L"");
    EXPECT_EQ(SampleColour(), RGB(0, 0, 0));
    SetText(Handle(), IDC_VOPT_SIZE, L"14");
    Choose(IDC_VOPT_VIEW_PICTURES, 0);
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_VIEW_FILE), ToWide(texts.NameAt(0)));
    Choose(IDC_VOPT_TYPE, 2);
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_SIZE), L"18");
    Choose(IDC_VOPT_TYPE, 0);
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_SIZE), L"14");
    EXPECT_EQ(Selected(IDC_VOPT_VIEW_PICTURES), 0);

    // A size out of range keeps the type in view with the framework's message.
    SetText(Handle(), IDC_VOPT_SIZE, L"0");
    Choose(IDC_VOPT_TYPE, 5);
    EXPECT_EQ(messages, (std::vector<std::wstring>{CDataExchange::RangeMessage(1, 200)}));
    EXPECT_EQ(Selected(IDC_VOPT_TYPE), 0);
    EXPECT_EQ(dialog->ShownType(), 0);
    SetText(Handle(), IDC_VOPT_SIZE, L"14");

    Command(IDOK);
    ASSERT_FALSE(IsOpen());
    EXPECT_EQ(s.ViewFontSize(0), 14);
    EXPECT_EQ(s.ViewPic(0), ToWide(texts.NameAt(0)));
    EXPECT_EQ(s.ViewFontSize(2), 18);
    EXPECT_EQ(s.CntlPic(2), L"c:\\no\\such.bmp") << "kept as it was stored";
    EXPECT_EQ(s.FontColor(2), RGB(0, 0, 160));
    // Every type is stored.
    for (int type = 0; type < CViewOptionDlg::kTypes; ++type) {
        EXPECT_TRUE(settings.Has(CAppSettings::IndexedKey(L"CntlPic", type))) << type;
        EXPECT_TRUE(settings.Has(CAppSettings::IndexedKey(L"ViewPic", type))) << type;
        EXPECT_TRUE(settings.Has(CAppSettings::IndexedKey(L"Font Color", type))) << type;
        EXPECT_TRUE(settings.Has(CAppSettings::IndexedKey(L"View Font Size", type))) << type;
        EXPECT_TRUE(settings.Has(CAppSettings::IndexedKey(L"FontFaceName", type))) << type;
    }
}

TEST_F(ViewOptionDlgTest, AddingAcceptsACapitalExtensionAfterLowerCasingAndRefusesOtherFiles)
{
    Open();
    const std::wstring text = elsewhere / L"Notes.txt";
    WriteSolidBmp(text, RGB(1, 1, 1));  // even a picture inside: the name decides
    SetText(Handle(), IDC_VOPT_VIEW_FILE, text);
    Command(IDC_VOPT_VIEW_ADD);
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"登録できる画像ファイルではありません"}));
    EXPECT_EQ(Items(IDC_VOPT_VIEW_PICTURES), 2);
    messages.clear();
    SetText(Handle(), IDC_VOPT_VIEW_FILE, elsewhere / L"missing.jpg");
    Command(IDC_VOPT_VIEW_ADD);
    EXPECT_EQ(messages.size(), 1u);
    messages.clear();

    const std::wstring photo = elsewhere / L"Beach.JPG";
    WriteSolidBmp(photo, RGB(0, 120, 200));
    SetText(Handle(), IDC_VOPT_VIEW_FILE, photo);
    Command(IDC_VOPT_VIEW_ADD);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(Items(IDC_VOPT_VIEW_PICTURES), 3);
    EXPECT_EQ(Selected(IDC_VOPT_VIEW_PICTURES), 2);
    const std::wstring copy = ToWide(CFileName::ToLower(ToU16(user / L"baseview\\SavePic_001.jpg")));
    EXPECT_TRUE(Exists(copy));
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_VIEW_FILE), copy);
    EXPECT_EQ(dialog->Record(0).viewPic, copy);

    // The control bar's own list takes its own pictures.
    SetText(Handle(), IDC_VOPT_CNTL_FILE, photo);
    Command(IDC_VOPT_CNTL_ADD);
    EXPECT_EQ(Items(IDC_VOPT_CNTL_PICTURES), 2);
    EXPECT_TRUE(Exists(user / L"basecntl\\SavePic_001.jpg"));
    EXPECT_EQ(texts.Count(), 3);

    // Cancel stores nothing; the copies stay offered.
    Command(IDCANCEL);
    ASSERT_FALSE(IsOpen());
    EXPECT_EQ(settings.StoredCount(), 0);
    EXPECT_EQ(texts.Count(), 3);
}

TEST_F(ViewOptionDlgTest, RemovingHidesThePictureUntilCancelOrDeletesAUserCopyOnOk)
{
    const std::wstring mine = user / L"baseview\\SavePic_001.bmp";
    WriteSolidBmp(mine, RGB(30, 30, 30));
    MakeLists();
    ASSERT_EQ(texts.Count(), 3);
    const int mineAt = texts.IndexOf(ToU16(mine));
    settings.Settings().SetViewPic(0, mine);
    settings.Settings().SetViewPic(6, mine);
    Open();
    EXPECT_EQ(Selected(IDC_VOPT_VIEW_PICTURES), mineAt);
    Command(IDC_VOPT_VIEW_REMOVE);
    EXPECT_EQ(Items(IDC_VOPT_VIEW_PICTURES), 2);
    EXPECT_EQ(Selected(IDC_VOPT_VIEW_PICTURES), -1);
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_VIEW_FILE), L"");
    EXPECT_EQ(dialog->Record(0).viewPic, L"");
    EXPECT_EQ(dialog->Record(6).viewPic, L"") << "no type keeps a picture that is gone";
    EXPECT_TRUE(Exists(mine));
    Command(IDCANCEL);
    EXPECT_EQ(texts.Count(), 3) << "shown again";
    EXPECT_EQ(settings.Settings().ViewPic(0), mine);

    Open();
    Choose(IDC_VOPT_VIEW_PICTURES, mineAt);
    Command(IDC_VOPT_VIEW_REMOVE);
    // A stock picture removed keeps its file.
    Choose(IDC_VOPT_VIEW_PICTURES, 0);
    const std::wstring stockFile = ToWide(texts.NameAt(0));
    Command(IDC_VOPT_VIEW_REMOVE);
    Command(IDOK);
    ASSERT_FALSE(IsOpen());
    EXPECT_FALSE(Exists(mine));
    EXPECT_TRUE(Exists(stockFile));
    EXPECT_EQ(settings.Settings().ViewPic(0), L"");
    EXPECT_EQ(texts.Count(), 1);
}

TEST_F(ViewOptionDlgTest, TheFontDialogListsFixedPitchScreenFontsAndGivesTheSizeInPoints)
{
    const int ppi = ScreenPixelsPerInch();
    settings.Settings().SetViewFontSize(1, 16);
    Open(1);
    g_fontAnswer = dialog->Record(1).logFont;
    wcscpy(g_fontAnswer.lfFaceName, L"Courier New");
    g_fontAnswer.lfCharSet = ANSI_CHARSET;
    g_fontAnswer.lfHeight = -CViewOptionDlg::HeightForPoints(20, ppi);
    Command(IDC_VOPT_FONT_CHANGE);
    EXPECT_EQ(g_fontAsked.Flags, static_cast<DWORD>(CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_INITTOLOGFONTSTRUCT));
    EXPECT_EQ(g_fontAsked.Flags & CF_EFFECTS, 0u);
    EXPECT_EQ(g_fontAsked.hwndOwner, Handle());
    EXPECT_EQ(g_fontGiven.lfHeight, -CViewOptionDlg::HeightForPoints(16, ppi)) << "opens at the type's size";
    EXPECT_STREQ(g_fontGiven.lfFaceName, L"ＭＳ ゴシック");
    // The size comes from the created font's character height.
    const int points = dialog->Record(1).fontPoints;
    EXPECT_GE(points, 19);
    EXPECT_LE(points, 20);
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_SIZE), std::to_wstring(points));
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_FONT_NAME), L"Courier New");

    // Cancelled: nothing changes.
    g_fontOk = false;
    wcscpy(g_fontAnswer.lfFaceName, L"Other");
    Command(IDC_VOPT_FONT_CHANGE);
    EXPECT_EQ(ItemText(Handle(), IDC_VOPT_FONT_NAME), L"Courier New");

    Command(IDOK);
    EXPECT_STREQ(settings.Settings().LogicalFont(1).lfFaceName, L"Courier New");
    EXPECT_EQ(settings.Settings().ViewFontSize(1), points);
}

TEST_F(ViewOptionDlgTest, TheColourDialogStartsAtTheTypesColourAndTheSampleFollows)
{
    settings.Settings().SetFontColor(0, RGB(10, 20, 30));
    Open();
    g_colourAnswer = RGB(200, 0, 50);
    Command(IDC_VOPT_COLOUR_CHANGE);
    EXPECT_EQ(g_colourAsked.rgbResult, RGB(10, 20, 30));
    EXPECT_TRUE(g_colourAsked.Flags & CC_RGBINIT);
    EXPECT_EQ(SampleColour(), RGB(200, 0, 50));
    g_colourOk = false;
    g_colourAnswer = RGB(1, 1, 1);
    Command(IDC_VOPT_COLOUR_CHANGE);
    EXPECT_EQ(SampleColour(), RGB(200, 0, 50));
    Command(IDOK);
    EXPECT_EQ(settings.Settings().FontColor(0), RGB(200, 0, 50));
}

// The real font dialog: its OK pressed as soon as it shows.
BOOL CALLBACK FindFontDialog(HWND window, LPARAM out)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32770" && GetDlgItem(window, 1136) != nullptr) {  // its face list
        *reinterpret_cast<HWND*>(out) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK PressOkOfTheFontDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindFontDialog, reinterpret_cast<LPARAM>(&found));
    if (found) {
        KillTimer(nullptr, timer);
        PostMessageW(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

TEST_F(ViewOptionDlgTest, TheSystemFontDialogAnswersWithAFont)
{
    Open();
    dialog->SetChoosers(nullptr, &FakeColourDialog);
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, &PressOkOfTheFontDialog);
    Command(IDC_VOPT_FONT_CHANGE);
    KillTimer(nullptr, timer);
    EXPECT_GT(dialog->Record(0).fontPoints, 0);
    EXPECT_FALSE(ItemText(Handle(), IDC_VOPT_FONT_NAME).empty());
}

}  // namespace
