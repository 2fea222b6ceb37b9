// Printing the memo in the started program: the pages drawn into memory and metafile device
// contexts by the same steps that print on paper and show the preview, the view's print steps
// and commands, and the preview window in the frame.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/CAppSettings.h"
#include "app/CCntlPanel.h"
#include "app/Resource.h"
#include "app/tests/AppTestSupport.h"
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CMemoPrinter.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"
#include "doc/CVelTextView.h"
#include "framework/CPrintPreview.h"
#include "framework/CUserMessage.h"
#include "framework/PrintIds.h"
#include "picture/CPicList.h"
#include "text/CGdiTextFont.h"

namespace {

using apptest::MenuState;
using apptest::Pump;

constexpr COLORREF kRed = RGB(255, 0, 0);

// A white page of a memory device context, 24 bits per pixel.
class MemoryPage {
public:
    MemoryPage(int width, int height) : m_width(width), m_height(height), m_dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<unsigned char*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
        std::memset(m_bits, 0xFF, Stride() * static_cast<size_t>(height));
    }
    ~MemoryPage()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    MemoryPage(const MemoryPage&) = delete;
    MemoryPage& operator=(const MemoryPage&) = delete;

    HDC Dc() const { return m_dc; }
    size_t Stride() const { return (static_cast<size_t>(m_width) * 3 + 3) & ~size_t(3); }
    COLORREF Pixel(int x, int y) const
    {
        GdiFlush();
        const unsigned char* p = m_bits + y * Stride() + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    // First and last row holding a pixel of the colour; -1 when none does.
    std::pair<int, int> RowsOf(COLORREF colour) const
    {
        GdiFlush();
        int first = -1;
        int last = -1;
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                if (Pixel(x, y) == colour) {
                    if (first < 0)
                        first = y;
                    last = y;
                    break;
                }
            }
        }
        return {first, last};
    }
    bool SameAs(const MemoryPage& other) const
    {
        GdiFlush();
        return m_width == other.m_width && m_height == other.m_height &&
               std::memcmp(m_bits, other.m_bits, Stride() * static_cast<size_t>(m_height)) == 0;
    }
    long InkPixels() const
    {
        GdiFlush();
        long count = 0;
        for (size_t i = 0; i < Stride() * static_cast<size_t>(m_height); ++i)
            count += m_bits[i] < 128 ? 1 : 0;
        return count;
    }

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    unsigned char* m_bits = nullptr;
    HGDIOBJ m_old = nullptr;
};

// What a page drawn into an enhanced metafile holds: its texts with their reference points, its
// stretched pictures, and how many records drew anything at all.
struct MetaPage {
    struct Text {
        std::wstring text;
        POINTL at;
    };
    std::vector<Text> texts;
    std::vector<RECT> pictures;
    int records = 0;

    bool Has(const std::wstring& text) const
    {
        return std::any_of(texts.begin(), texts.end(), [&](const Text& t) { return t.text == text; });
    }
    const Text* Find(const std::wstring& text) const
    {
        for (const Text& t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
};

template <class Draw>
MetaPage Record(Draw draw)
{
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    draw(dc);
    HENHMETAFILE file = CloseEnhMetaFile(dc);
    std::vector<BYTE> bytes(GetEnhMetaFileBits(file, 0, nullptr));
    GetEnhMetaFileBits(file, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteEnhMetaFile(file);
    MetaPage page;
    for (size_t at = 0; at + sizeof(EMR) <= bytes.size();) {
        const auto* record = reinterpret_cast<const ENHMETARECORD*>(bytes.data() + at);
        if (record->nSize == 0)
            break;
        if (record->iType == EMR_EXTTEXTOUTW) {
            const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
            const auto* chars = reinterpret_cast<const wchar_t*>(bytes.data() + at + text->emrtext.offString);
            page.texts.push_back({std::wstring(chars, text->emrtext.nChars), text->emrtext.ptlReference});
        } else if (record->iType == EMR_STRETCHDIBITS) {
            const auto* blit = reinterpret_cast<const EMRSTRETCHDIBITS*>(record);
            page.pictures.push_back(RECT{blit->xDest, blit->yDest, blit->xDest + blit->cxDest, blit->yDest + blit->cyDest});
        }
        if (record->iType != EMR_HEADER && record->iType != EMR_EOF)
            ++page.records;
        at += record->nSize;
    }
    return page;
}

class PrintWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(apptest::StartProgram(app, frame, view));
        // No printer unless a test asks for one: pages are laid out for the default sheet.
        view->Printer().SetInstalledCheck([] { return false; });
        CUserMessage::SetRecorder(&messages);
        Pump();
    }
    void TearDown() override
    {
        CUserMessage::SetRecorder(nullptr);
        // The test's memo is not one to keep in the memo store.
        if (frame->Handle() != nullptr && view->Handle() != nullptr)
            view->DropContent();
        if (frame->Handle() != nullptr)
            frame->DestroyWindow();
        Pump();
        app.reset();
    }

    CDocList& Doc() { return view->EditWindow().Doc(); }
    CPicList& Pictures() { return view->Pictures().Pictures(); }
    void Command(UINT id) { SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    bool Enabled(UINT id) { return (MenuState(frame->Handle(), id) & MF_GRAYED) == 0; }
    bool BarShown() const
    {
        CCntlPanel* bar = frame->ControlBar();
        return bar && IsWindowVisible(bar->Handle());
    }

    // n paragraphs "p0", "p1", ... at the caret.
    void Paragraphs(int n, const std::u16string& prefix = u"p")
    {
        std::u16string text;
        for (int i = 0; i < n; ++i) {
            if (i)
                text += u"\r\n";
            text += prefix;
            for (const wchar_t digit : std::to_wstring(i))
                text += static_cast<char16_t>(digit);
        }
        Doc().InsertAtCaret(text);
    }
    // A red picture of width × height screen pixels standing before the paragraph at `line`.
    CPictChapter* RedPicture(int line, int width, int height)
    {
        const int id = Doc().NextPictureId();
        auto picture = std::make_unique<CPicData>(Pictures().Store(), id, Doc().PictureFileName(id));
        EXPECT_TRUE(picture->SetPixels(3, width, height));
        for (int i = 0; i < width * height; ++i) {
            picture->Bytes()[i * 3] = 0;
            picture->Bytes()[i * 3 + 1] = 0;
            picture->Bytes()[i * 3 + 2] = 255;
        }
        if (!Pictures().Add(std::move(picture)))
            return nullptr;
        Doc().SetCaret(line, 0);
        CPictChapter* chapter = Doc().InsertPictureBeforeCaret(0, id, width, height, 0, 0, -1, -1, -1, -1);
        if (chapter)
            Pictures().FindById(id)->SetFramingFromTag(width, height, 0, 0, -1, -1);
        return chapter;
    }
    CMemoPrintSetup Setup() const
    {
        CMemoPrintSetup setup;
        setup.screenHeight = -16;
        if (const CGdiTextFont* screen = CGdiTextFont::Of(view->EditWindow().Doc().Font(CDocList::kScreenFont)))
            setup.logFont = screen->LogFont();
        return setup;
    }
    int PrintLineHeight() { return Doc().Font(CDocList::kPrintFont).LineHeight(); }
    int PrintCell() { return Doc().Font(CDocList::kPrintFont).CharWidth(); }

    std::unique_ptr<CVelTextApp> app;
    CMainFrame* frame = nullptr;
    CVelTextView* view = nullptr;
    std::vector<std::wstring> messages;
    HDC screen = CreateCompatibleDC(nullptr);
    ~PrintWindowTest() override { DeleteDC(screen); }
};

TEST_F(PrintWindowTest, TenPointsAt600DotsPerInchGiveTheFontScaleSpacingAndLinesPerPage)
{
    Paragraphs(3);
    CMemoPrinter printer(Doc(), Pictures());
    ASSERT_EQ(printer.Begin(Setup(), screen, 600, 6600), 1);
    EXPECT_EQ(printer.PrintFontHeight(), -83);
    EXPECT_DOUBLE_EQ(printer.Scale(), 5.1875);
    const CTextFont& font = Doc().Font(CDocList::kPrintFont);
    EXPECT_EQ(font.LineSpacing(), 11);
    ASSERT_NE(CGdiTextFont::Of(font), nullptr);
    EXPECT_EQ(CGdiTextFont::Of(font)->LogFont().lfHeight, -83);
    // The page is cut for |H| + S = 94 pixels a line, or the font's own cell when it is taller.
    EXPECT_EQ(printer.LinesPerPage(), 6600 / std::max(94, font.LineHeight()) - 4 - 4);
    if (font.LineHeight() <= 94) {
        EXPECT_EQ(printer.LinesPerPage(), 62);
    }
    // Either way the page number's row, one line below the last text row, is still on the page.
    EXPECT_LE((4 + printer.LinesPerPage() + 2) * font.LineHeight(), 6600);
    EXPECT_EQ(Doc().CurrentFontIndex(), CDocList::kScreenFont) << "the screen font stays current between pages";
    printer.End();
    EXPECT_EQ(Doc().Pages().Count(), 0);
    EXPECT_EQ(CGdiTextFont::Of(Doc().Font(CDocList::kPrintFont)), nullptr) << "the print font is released";
}

TEST_F(PrintWindowTest, APictureSplitOverTwoPagesShowsItsFirstLinesThenTheRestShiftedUp)
{
    Paragraphs(14);
    // Seven screen lines high, before the ninth paragraph: lines 8-14 of the memo.
    const int screenLine = Doc().Font(CDocList::kScreenFont).LineHeight();
    CPictChapter* picture = RedPicture(8, 40, 6 * screenLine + 1);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->Lines(), 7);

    CMemoPrinter printer(Doc(), Pictures());
    ASSERT_GT(printer.Begin(Setup(), screen, 300, 3508), 0);
    const int line = PrintLineHeight();
    const double s = printer.Scale();
    // A page of ten lines between the margins of four.
    const int height = 18 * line + line / 2;
    ASSERT_EQ(printer.Begin(Setup(), screen, 300, height), 3);
    ASSERT_EQ(printer.LinesPerPage(), 10);
    const int top = static_cast<int>(picture->BottomSpace() * s);
    const int printedHeight = static_cast<int>(picture->Height() * s);
    const int x = 16 * PrintCell();

    const MetaPage first = Record([&](HDC dc) { EXPECT_TRUE(printer.PrintPage(dc, 0)); });
    ASSERT_EQ(first.pictures.size(), 1u);
    EXPECT_EQ(first.pictures[0].top, (4 + 8) * line + top) << "page 1 from the picture's first line";
    EXPECT_EQ(first.pictures[0].left, x);
    EXPECT_EQ(first.pictures[0].right - first.pictures[0].left, static_cast<int>(40 * s));
    const MetaPage second = Record([&](HDC dc) { EXPECT_TRUE(printer.PrintPage(dc, 1)); });
    ASSERT_EQ(second.pictures.size(), 1u);
    EXPECT_EQ(second.pictures[0].top, (4 - 2) * line + top) << "page 2 two rows up";
    EXPECT_EQ(second.texts.front().at.y, (4 + 5) * line) << "the text after the picture's last five lines";

    // On paper each page shows only its own part: nothing in the margins or on the page number.
    MemoryPage one(2480, height);
    ASSERT_TRUE(printer.PrintPage(one.Dc(), 0));
    const auto [firstRed, lastRed] = one.RowsOf(kRed);
    EXPECT_EQ(firstRed, (4 + 8) * line + top);
    EXPECT_EQ(lastRed, (4 + 10) * line - 1);
    MemoryPage two(2480, height);
    ASSERT_TRUE(printer.PrintPage(two.Dc(), 1));
    const auto [topRed, bottomRed] = two.RowsOf(kRed);
    EXPECT_EQ(topRed, 4 * line) << "the top margin stays white";
    EXPECT_EQ(bottomRed, (4 - 2) * line + top + printedHeight - 1);
    EXPECT_EQ(two.Pixel(x + 5, 4 * line + 2), kRed);
    printer.End();
}

TEST_F(PrintWindowTest, PageNumbersReadDashNumberDashCentredBelowTheText)
{
    Paragraphs(3);
    for (int line : {1, 0}) {
        Doc().SetCaret(line, 0);
        Doc().SetPageBreak(true);
    }
    CMemoPrintSetup setup = Setup();
    CMemoPrinter printer(Doc(), Pictures());
    ASSERT_EQ(printer.Begin(setup, screen, 300, 3508), 3);
    const int lines = printer.LinesPerPage();
    const MetaPage third = Record([&](HDC dc) { EXPECT_TRUE(printer.PrintPage(dc, 2)); });
    const MetaPage::Text* number = third.Find(L"- 3 -");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->at.x, ((80 - 5) / 2 + 16) * PrintCell());
    EXPECT_EQ(number->at.y, (4 + lines + 1) * PrintLineHeight());
    EXPECT_TRUE(third.Has(L"p2"));
    EXPECT_FALSE(third.Has(L"p1"));

    setup.settings.pageNumbers = false;
    ASSERT_EQ(printer.Begin(setup, screen, 300, 3508), 3);
    const MetaPage plain = Record([&](HDC dc) { EXPECT_TRUE(printer.PrintPage(dc, 2)); });
    EXPECT_FALSE(std::any_of(plain.texts.begin(), plain.texts.end(),
                             [](const MetaPage::Text& t) { return t.text.rfind(L"- ", 0) == 0; }));
    EXPECT_TRUE(plain.Has(L"p2"));
}

TEST_F(PrintWindowTest, APageBreakOnTheFirstChapterPutsOnlyItsLinesOnPageOne)
{
    // 200 characters on 80 columns: three lines.
    Doc().InsertAtCaret(std::u16string(200, u'x') + u"\r\nnext\r\nlast");
    Doc().SetCaret(0, 0);
    Doc().SetPageBreak(true);
    ASSERT_EQ(Doc().ChapterAtLine(0)->LineCount(), 3);
    CMemoPrinter printer(Doc(), Pictures());
    ASSERT_EQ(printer.Begin(Setup(), screen, 300, 3508), 2);
    const MetaPage first = Record([&](HDC dc) { EXPECT_TRUE(printer.PrintPage(dc, 0)); });
    ASSERT_EQ(first.texts.size(), 4u) << "three lines and the page number";
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(first.texts[i].text, std::wstring(80, L'x').substr(0, first.texts[i].text.size()));
        EXPECT_EQ(first.texts[i].at.y, (4 + i) * PrintLineHeight());
        EXPECT_EQ(first.texts[i].at.x, 16 * PrintCell());
    }
    EXPECT_EQ(first.texts[3].text, L"- 1 -");
    const MetaPage second = Record([&](HDC dc) { EXPECT_TRUE(printer.PrintPage(dc, 1)); });
    EXPECT_EQ(second.texts.front().text, L"next");
    EXPECT_EQ(second.texts.front().at.y, 4 * PrintLineHeight());
}

TEST_F(PrintWindowTest, MarginsLargerThanThePageLetEachPageRunToTheNextBreak)
{
    Paragraphs(30);
    Doc().SetCaret(19, 0);
    Doc().SetPageBreak(true);
    CMemoPrintSetup setup = Setup();
    setup.settings.topSpace = 40;
    setup.settings.bottomSpace = 40;
    CMemoPrinter printer(Doc(), Pictures());
    ASSERT_EQ(printer.Begin(setup, screen, 300, 3508), 2);
    EXPECT_LE(printer.LinesPerPage(), 0);
    const MetaPage first = Record([&](HDC dc) { EXPECT_TRUE(printer.PrintPage(dc, 0)); });
    EXPECT_TRUE(first.Has(L"p0"));
    EXPECT_TRUE(first.Has(L"p19"));
    EXPECT_FALSE(first.Has(L"p20"));
    EXPECT_EQ(first.Find(L"p19")->at.y, (40 + 19) * PrintLineHeight());
    EXPECT_EQ(first.Find(L"- 1 -")->at.y, (40 + 20 + 1) * PrintLineHeight()) << "below the page's own rows";
}

TEST_F(PrintWindowTest, APageOutsideTheListTouchesNothingAndStopsTheJob)
{
    Paragraphs(3);
    CMemoPrinter printer(Doc(), Pictures());
    EXPECT_FALSE(printer.PrintPage(screen, 0)) << "before Begin printing";
    ASSERT_EQ(printer.Begin(Setup(), screen, 300, 3508), 1);
    for (int page : {1, -1, 7}) {
        const MetaPage drawn = Record([&](HDC dc) { EXPECT_FALSE(printer.PrintPage(dc, page)); });
        EXPECT_EQ(drawn.records, 0) << page;
    }
    EXPECT_EQ(Doc().CurrentFontIndex(), CDocList::kScreenFont);

    CPrintInfo info;
    info.page = CPageMetrics::DefaultPage();
    ASSERT_TRUE(view->OnBeginPrinting(screen, info));
    info.currentPage = info.maxPage + 1;
    const MetaPage drawn = Record([&](HDC dc) { view->OnPrint(dc, info); });
    EXPECT_FALSE(info.continuePrinting) << "the framework is told to stop";
    EXPECT_EQ(drawn.records, 0);
    view->OnEndPrinting(screen, info);
}

TEST_F(PrintWindowTest, TheViewsStepsReadTheSettingsHideTheBarAndPutEverythingBack)
{
    Paragraphs(3);
    const CAppSettings& settings = *app;
    const int savedSize = settings.PrintFontSize();
    const bool savedNumbers = settings.PrintPageNo();
    settings.SetPrintFontSize(20);
    settings.SetPrintPageNo(false);
    ASSERT_TRUE(BarShown());
    CPrintInfo info;
    info.page = CPageMetrics::DefaultPage();
    ASSERT_TRUE(view->OnBeginPrinting(screen, info));
    EXPECT_TRUE(view->Printing());
    EXPECT_FALSE(BarShown()) << "the control bar goes while the job runs";
    EXPECT_EQ(info.maxPage, 1) << "the page count becomes the last page";
    ASSERT_NE(view->MemoPrinter(), nullptr);
    EXPECT_EQ(view->MemoPrinter()->PrintFontHeight(), -83) << "20 points at 300 dots per inch";
    // The scale relates the print font to the screen font the lines were laid out in.
    const int screenHeight = CGdiTextFont::Of(Doc().Font(CDocList::kScreenFont))->LogFont().lfHeight;
    EXPECT_DOUBLE_EQ(view->PrintScale(), -83.0 / screenHeight);
    const MetaPage page = Record([&](HDC dc) { view->OnPrint(dc, info); });
    EXPECT_TRUE(info.continuePrinting);
    EXPECT_TRUE(page.Has(L"p0"));
    EXPECT_FALSE(page.Has(L"- 1 -")) << "\"Print PageNo\" 0";
    view->OnEndPrinting(screen, info);
    EXPECT_FALSE(view->Printing());
    EXPECT_TRUE(BarShown());
    EXPECT_EQ(Doc().Pages().Count(), 0);
    EXPECT_EQ(Doc().CurrentFontIndex(), CDocList::kScreenFont);
    settings.SetPrintFontSize(savedSize);
    settings.SetPrintPageNo(savedNumbers);
}

TEST_F(PrintWindowTest, PrintCommandsFollowTheEnableRulesAndSayWhenThereIsNoPrinter)
{
    EXPECT_FALSE(Enabled(ID_FILE_PRINT)) << "empty memo";
    EXPECT_FALSE(Enabled(ID_FILE_PRINT_PREVIEW));
    EXPECT_TRUE(Enabled(ID_FILE_PRINT_SETUP));
    Paragraphs(2);
    EXPECT_TRUE(Enabled(ID_FILE_PRINT));
    EXPECT_TRUE(Enabled(ID_FILE_PRINT_PREVIEW));
    view->EditWindow().SetBusy(true);
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP})
        EXPECT_FALSE(Enabled(id)) << id;
    view->EditWindow().SetBusy(false);

    // Without a printer the commands explain themselves instead of doing nothing.
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_SETUP})
        Command(id);
    ASSERT_EQ(messages.size(), 3u);
    for (const std::wstring& message : messages)
        EXPECT_NE(message.find(L"プリンタがインストールされていない"), std::wstring::npos);
    EXPECT_FALSE(view->Printing());
    EXPECT_TRUE(BarShown());
}

TEST_F(PrintWindowTest, ThePreviewShowsThePagesExactlyAsTheyPrint)
{
    Paragraphs(70, u"日本語の段落 ");
    CPictChapter* picture = RedPicture(5, 60, 30);
    ASSERT_NE(picture, nullptr);
    Command(ID_FILE_PRINT_PREVIEW);
    CPrintPreview* preview = view->Preview();
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(preview->IsOpen());
    EXPECT_TRUE(preview->OnDefaultPage()) << "no printer: the default A4 sheet";
    EXPECT_EQ(preview->Page().height, 3508);
    EXPECT_EQ(preview->PageCount(), 2);

    // A sheet at the printer's own size is the page as it prints, pixel for pixel.
    const CPageMetrics& sheet = preview->Page();
    MemoryPage shown(sheet.paperWidth, sheet.paperHeight);
    ASSERT_TRUE(preview->RenderPage(shown.Dc(), 1, RECT{0, 0, sheet.paperWidth, sheet.paperHeight}));
    MemoryPage paper(sheet.paperWidth, sheet.paperHeight);
    CPrintInfo info;
    info.page = sheet;
    info.currentPage = 1;
    view->OnPrint(paper.Dc(), info);
    EXPECT_GT(paper.InkPixels(), 1000);
    EXPECT_TRUE(shown.SameAs(paper));
    // Scaled down, the fonts and the picture scale with it.
    MemoryPage small(sheet.paperWidth / 4, sheet.paperHeight / 4);
    ASSERT_TRUE(preview->RenderPage(small.Dc(), 1, RECT{0, 0, sheet.paperWidth / 4, sheet.paperHeight / 4}));
    const auto [paperRed, paperRedEnd] = paper.RowsOf(kRed);
    const auto [smallRed, smallRedEnd] = small.RowsOf(kRed);
    EXPECT_NEAR(smallRed, paperRed / 4, 2);
    EXPECT_NEAR(smallRedEnd, paperRedEnd / 4, 2);
    EXPECT_GT(small.InkPixels(), 100);
    EXPECT_FALSE(preview->RenderPage(small.Dc(), 3, RECT{0, 0, 10, 10})) << "no third page";
    preview->Close();
}

TEST_F(PrintWindowTest, ThePreviewTakesTheViewsPlaceAndTheEditCommandsWaitUntilItCloses)
{
    Paragraphs(200);
    Command(ID_FILE_PRINT_PREVIEW);
    CPrintPreview* preview = view->Preview();
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(preview->IsOpen());
    Pump();
    EXPECT_EQ(frame->Preview(), preview);
    EXPECT_TRUE(IsWindowVisible(preview->Handle()));
    EXPECT_FALSE(IsWindowVisible(view->Handle()));
    EXPECT_TRUE(view->Printing());
    EXPECT_FALSE(BarShown());
    ASSERT_GE(preview->PageCount(), 3);
    for (UINT id : {ID_EDIT_PASTE, ID_EDIT_SELECT_ALL, ID_TEXT_INSERT_DATE, ID_FILE_SAVE_AS, ID_FILE_PRINT_PREVIEW,
                    ID_MEMO_NEW, ID_FILE_OPEN_MEMO})
        EXPECT_FALSE(Enabled(id)) << id;
    for (UINT id : {ID_FILE_PRINT, ID_WINDOW_TOPMOST, ID_VIEW_STATUS_BAR, ID_APP_ABOUT})
        EXPECT_TRUE(Enabled(id)) << id;
    Command(ID_TEXT_INSERT_DATE);
    EXPECT_EQ(Doc().ChapterAtLine(0)->Text()->Length(), 2) << "an edit command does nothing while it is up";

    // Pages, two side by side, zoom.
    HWND pages = preview->Pages();
    SendMessageW(pages, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(preview->CurrentPage(), 2);
    SendMessageW(pages, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(preview->CurrentPage(), preview->PageCount());
    SendMessageW(pages, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(preview->CurrentPage(), preview->PageCount()) << "no page after the last";
    SendMessageW(pages, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(preview->CurrentPage(), 1);
    RECT sheets[2];
    EXPECT_EQ(preview->SheetRects(sheets), 1);
    SendMessageW(preview->Handle(), WM_COMMAND, MAKEWPARAM(VEL_ID_PREVIEW_NUMPAGE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(preview->Handle(), VEL_ID_PREVIEW_NUMPAGE)));
    EXPECT_TRUE(preview->TwoPages());
    ASSERT_EQ(preview->SheetRects(sheets), 2);
    EXPECT_LT(sheets[0].right, sheets[1].left);
    EXPECT_EQ(sheets[0].top, sheets[1].top);
    const LONG fitWidth = sheets[0].right - sheets[0].left;
    Command(VEL_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->CurrentPage(), 3);
    Command(VEL_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(preview->Zoom(), 1);
    preview->SheetRects(sheets);
    EXPECT_EQ(sheets[0].right - sheets[0].left, 2 * fitWidth);
    Command(VEL_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(preview->Zoom(), 0);
    // Clicks zoom in twice, the third goes back to whole pages.
    for (int expected : {1, 2, 0}) {
        SendMessageW(pages, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 60));
        EXPECT_EQ(preview->Zoom(), expected);
    }
    UpdateWindow(pages);  // paints the pages shown

    SendMessageW(pages, WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_FALSE(preview->IsOpen());
    EXPECT_EQ(frame->Preview(), nullptr);
    EXPECT_TRUE(IsWindowVisible(view->Handle()));
    EXPECT_FALSE(view->Printing());
    EXPECT_TRUE(BarShown());
    EXPECT_EQ(Doc().Pages().Count(), 0);
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));
}

TEST_F(PrintWindowTest, PrintingFromThePreviewClosesItFirstAndClosingTheWindowEndsIt)
{
    Paragraphs(5);
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(view->Preview() && view->Preview()->IsOpen());
    Command(VEL_ID_PREVIEW_PRINT);
    Pump();
    EXPECT_FALSE(view->Preview()->IsOpen());
    ASSERT_EQ(messages.size(), 1u) << "the print command ran: no printer";
    EXPECT_FALSE(view->Printing());

    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(view->Preview()->IsOpen());
    SendMessageW(frame->Handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(frame->Handle(), nullptr);
}

}  // namespace
