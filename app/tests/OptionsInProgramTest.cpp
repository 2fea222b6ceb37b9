// The two option commands in the started program: their enable rules, and that what their dialogs
// store applies at once to the layout, the font, the backgrounds of the text and of the control
// bar, and the document's picture choices. The dialogs are driven while they are modal.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>

#include "app/CCntlPanel.h"
#include "app/Resource.h"
#include "app/tests/AppTestSupport.h"
#include "app/tests/OptionsTestSupport.h"
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CVelTextDoc.h"
#include "doc/CVelTextView.h"
#include "picture/CBackPictureList.h"

namespace {

using apptest::MenuState;

// Steps for modal dialogs: each waits for a dialog of this thread that holds its control, then
// acts on it; the steps run in order, one per timer tick.
struct Step {
    int control;
    std::function<void(HWND)> act;
};
std::vector<Step> g_steps;
std::size_t g_done = 0;

BOOL CALLBACK FindStepDialog(HWND window, LPARAM out)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(window) && GetDlgItem(window, g_steps[g_done].control)) {
        *reinterpret_cast<HWND*>(out) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_done >= g_steps.size())
        return;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindStepDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    const std::size_t step = g_done++;
    g_steps[step].act(dialog);
}

// Runs command while a timer takes its dialogs through the steps; true when every step ran.
bool RunWithDialogs(HWND frame, UINT command, std::vector<Step> steps)
{
    g_steps = std::move(steps);
    g_done = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &RunStep);
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    KillTimer(nullptr, timer);
    return g_done == g_steps.size();
}

void Select(HWND dialog, int id, int item)
{
    HWND box = GetDlgItem(dialog, id);
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

void PressOk(HWND dialog)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

constexpr wchar_t kSection[] = L"Software\\Norvaly\\VelText\\VelText Section";

class OptionsInProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSection);
        ASSERT_TRUE(apptest::StartProgram(app, frame, view));
    }
    void TearDown() override
    {
        // The test's text is not written back as a memo.
        view->DropContent();
        if (frame->Handle() != nullptr)
            frame->DestroyWindow();
        opttest::Pump();
        app.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kSection);
    }
    bool Enabled(UINT id) { return (MenuState(frame->Handle(), id) & MF_GRAYED) == 0; }
    CDocList& Doc() { return view->EditWindow().Doc(); }

    std::unique_ptr<CVelTextApp> app;
    CMainFrame* frame = nullptr;
    CVelTextView* view = nullptr;
};

TEST_F(OptionsInProgramTest, OptionsWaitForTheWorkerAndThePictureEditViewOptionsOnlyForTheWorker)
{
    EXPECT_TRUE(Enabled(ID_TEXT_OPTIONS));
    EXPECT_TRUE(Enabled(ID_VIEW_OPTIONS));
    view->EditWindow().SetBusy(true);
    EXPECT_FALSE(Enabled(ID_TEXT_OPTIONS));
    EXPECT_FALSE(Enabled(ID_VIEW_OPTIONS));
    view->EditWindow().SetBusy(false);
    CWnd pictureEditor;
    view->EditWindow().SetPictureEditWindow(&pictureEditor);
    EXPECT_FALSE(Enabled(ID_TEXT_OPTIONS));
    EXPECT_TRUE(Enabled(ID_VIEW_OPTIONS));
    view->EditWindow().SetPictureEditWindow(nullptr);
}

TEST_F(OptionsInProgramTest, FortyColumnsRewrapAtOnceWithTheCaretOnItsCharacterAndRuledLinesOn)
{
    const std::u16string text(60, u'a');
    apptest::TypeInto(view->EditWindow().Handle(), text + u"b");
    SendMessageW(view->EditWindow().Handle(), WM_KEYDOWN, VK_LEFT, 1);  // the caret before "b"
    ASSERT_EQ(Doc().LineCount(), 1);
    const CDocList::DocPos before = Doc().CaretPos();
    ASSERT_TRUE(RunWithDialogs(frame->Handle(), ID_TEXT_OPTIONS, {{IDC_OPT_COLUMNS, [](HWND dialog) {
                                   opttest::SetText(dialog, IDC_OPT_COLUMNS, L"40");
                                   opttest::Click(dialog, IDC_OPT_RULED_LINE);
                                   opttest::Click(dialog, IDC_OPT_PNG);
                                   PressOk(dialog);
                               }}}));
    EXPECT_EQ(app->ColumnNum(), 40);
    EXPECT_EQ(Doc().Columns(), 40);
    EXPECT_EQ(Doc().LineCount(), 2);
    EXPECT_EQ(Doc().AllText(), text + u"b");
    const CDocList::DocPos after = Doc().CaretPos();
    EXPECT_EQ(after.chapter, before.chapter);
    EXPECT_EQ(after.offset, before.offset);
    EXPECT_EQ(Doc().CaretLine(), 1);
    EXPECT_EQ(Doc().CaretColumn(), 20);
    EXPECT_TRUE(Doc().Font(CDocList::kScreenFont).RuledLines());
    auto* document = dynamic_cast<CVelTextDoc*>(frame->ActiveDocument());
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->PictureType(), L"png");

    // Cancelled: nothing applies.
    ASSERT_TRUE(RunWithDialogs(frame->Handle(), ID_TEXT_OPTIONS, {{IDC_OPT_COLUMNS, [](HWND dialog) {
                                   opttest::SetText(dialog, IDC_OPT_COLUMNS, L"20");
                                   PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                               }}}));
    EXPECT_EQ(Doc().Columns(), 40);
}

TEST_F(OptionsInProgramTest, ViewOptionsApplyTheBackgroundsTheFontSizeAndTheColourAtOnce)
{
    CBackPictureList* texts = view->TextPictures();
    CBackPictureList* bars = frame->ControlBarPictures();
    ASSERT_NE(texts, nullptr);
    ASSERT_NE(bars, nullptr);
    // The stock pictures installed beside the program.
    ASSERT_GE(texts->Count(), 1);
    ASSERT_GE(bars->Count(), 1);
    EXPECT_TRUE(texts->GetAt(0)->Stock());
    EXPECT_EQ(view->EditWindow().ViewBackgroundFile(), L"") << "the built-in picture until one is chosen";
    EXPECT_EQ(view->GreyPictures()->Count(), 2);
    const int lineHeight = Doc().LineHeight();

    // The system's colour dialog answers with its red, green and blue fields.
    constexpr int kRedField = 706;
    ASSERT_TRUE(RunWithDialogs(frame->Handle(), ID_VIEW_OPTIONS,
                               {{IDC_VOPT_TYPE,
                                 [](HWND dialog) {
                                     Select(dialog, IDC_VOPT_VIEW_PICTURES, 0);
                                     Select(dialog, IDC_VOPT_CNTL_PICTURES, 0);
                                     opttest::SetText(dialog, IDC_VOPT_SIZE, L"20");
                                     PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_VOPT_COLOUR_CHANGE, BN_CLICKED), 0);
                                 }},
                                {kRedField,
                                 [](HWND colours) {
                                     opttest::SetText(colours, kRedField, L"0");
                                     opttest::SetText(colours, kRedField + 1, L"0");
                                     opttest::SetText(colours, kRedField + 2, L"128");
                                     PressOk(colours);
                                 }},
                                {IDC_VOPT_TYPE, [](HWND dialog) { PressOk(dialog); }}}));
    EXPECT_EQ(app->ViewPic(0), ToWide(texts->NameAt(0)));
    EXPECT_EQ(view->EditWindow().ViewBackgroundFile(), ToWide(texts->NameAt(0)));
    EXPECT_EQ(app->ViewFontSize(0), 20);
    EXPECT_GT(Doc().LineHeight(), lineHeight);

    // The bar's background is the chosen picture, tiled from its corner.
    CCntlPanel* panel = frame->ControlBar();
    ASSERT_NE(panel, nullptr);
    RECT client{};
    GetClientRect(panel->Handle(), &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HDC tileDc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, target);
    SendMessageW(panel->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const CPictureIO* tile = bars->GetAt(0);
    HGDIOBJ oldTile = SelectObject(tileDc, tile->Bitmap());
    const SIZE size = tile->Size();
    for (POINT p : {POINT{0, 0}, POINT{3, 5}, POINT{size.cx + 3, 5}, POINT{2 * size.cx + 1, size.cy - 1}}) {
        if (p.x < client.right && p.y < client.bottom) {
            EXPECT_EQ(GetPixel(dc, p.x, p.y), GetPixel(tileDc, p.x % size.cx, p.y % size.cy)) << p.x << "," << p.y;
        }
    }
    SelectObject(tileDc, oldTile);
    DeleteDC(tileDc);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);

    EXPECT_EQ(app->FontColor(0), RGB(0, 0, 128));
    EXPECT_EQ(Doc().Font(CDocList::kScreenFont).TextColour(), RGB(0, 0, 128));
}

}  // namespace
