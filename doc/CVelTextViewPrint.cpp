// The view's printing: the four print steps that the framework's print job and print preview
// call, and the print, print preview and printer setup commands.
#include "doc/CVelTextView.h"

#include "app/CAppSettings.h"
#include "app/CFileName.h"
#include "app/WideText.h"
#include "app/CVelTextApp.h"
#include "app/Resource.h"
#include "doc/CDocList.h"
#include "doc/CMemoPrinter.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CPrintJob.h"
#include "framework/CPrintPreview.h"
#include "framework/CUserMessage.h"
#include "text/CGdiTextFont.h"

namespace {

constexpr wchar_t kNoPrinterMessage[] =
    L"プリンタがインストールされていないため印刷できません。\nプリンタを追加してからもう一度実行してください。";
constexpr wchar_t kPrintFailedMessage[] = L"印刷できませんでした。プリンタの状態を確認してください。";
constexpr wchar_t kPreviewFailedMessage[] = L"印刷プレビューを表示できませんでした。";
constexpr wchar_t kDefaultPrintTitle[] = L"Ｖｅｌのメモ帳";

}  // namespace

CFrameWnd* CVelTextView::Frame() const
{
    return Handle() ? dynamic_cast<CFrameWnd*>(CWnd::FromHandle(GetParent(Handle()))) : nullptr;
}

CMemoPrintSetup CVelTextView::PrintSetup()
{
    CMemoPrintSetup setup;
    const CAppSettings* settings = Settings();
    const int type = settings ? settings->ReadMemoBase(CurrentMemoBase()).type : 0;
    if (settings) {
        setup.settings.fontPoints = settings->PrintFontSize();
        setup.settings.lineSpace = settings->LineSpace();
        setup.settings.topSpace = settings->PrintTopSpace();
        setup.settings.bottomSpace = settings->PrintBtmSpace();
        setup.settings.leftSpace = settings->LeftSpace();
        setup.settings.pageNumbers = settings->PrintPageNo();
        setup.settings.colour = settings->FontColor(type);
        setup.logFont = settings->LogicalFont(type);
    }
    // The scale relates the print font to the font the lines were laid out in: the screen font's
    // own height, which the stored logical font leaves at 0 until a font is chosen.
    if (const CGdiTextFont* screen = CGdiTextFont::Of(m_edit.Doc().Font(CDocList::kScreenFont))) {
        setup.screenHeight = screen->LogFont().lfHeight;
        if (!settings)
            setup.logFont = screen->LogFont();
    }
    if (setup.screenHeight == 0)
        setup.screenHeight = setup.logFont.lfHeight;
    return setup;
}

std::wstring CVelTextView::PrintTitle() const
{
    // The memo's file name names the job in the print queue.
    if (const CDocument* document = Document(); document && !document->PathName().empty())
        return ToWide(CFileName::FileName(ToU16(document->PathName())));
    return m_memoFileName.empty() ? std::wstring(kDefaultPrintTitle) : m_memoFileName;
}

bool CVelTextView::OnPreparePrinting(CPrintInfo& info)
{
    // The print dialog shows the number of pages: they are counted once on the chosen printer.
    if (info.directPrint)
        return true;
    CPrinterDC dc = m_printer.CreateDC();
    if (!dc)
        return true;
    const CPageMetrics page = CPageMetrics::Of(dc.Get());
    CMemoPrinter counter(m_edit.Doc(), m_pictures.Pictures());
    const int pages = counter.Begin(PrintSetup(), dc.Get(), page.dpiY, page.height);
    counter.End();
    if (pages > 0)
        info.SetMaxPage(pages);
    return true;
}

bool CVelTextView::OnBeginPrinting(HDC dc, CPrintInfo& info)
{
    m_printing = true;
    if (CFrameWnd* frame = Frame())
        frame->HideTopBars(true);
    m_memoPrinter = std::make_unique<CMemoPrinter>(m_edit.Doc(), m_pictures.Pictures());
    const int pages = m_memoPrinter->Begin(PrintSetup(), dc, info.page.dpiY, info.page.height);
    m_printScale = m_memoPrinter->Scale();
    if (pages <= 0)
        return false;
    info.SetMaxPage(pages);
    return true;
}

void CVelTextView::OnPrint(HDC dc, CPrintInfo& info)
{
    if (!m_memoPrinter || !m_memoPrinter->PrintPage(dc, info.currentPage - 1))
        info.continuePrinting = false;
}

void CVelTextView::OnEndPrinting(HDC, CPrintInfo&)
{
    if (m_memoPrinter)
        m_memoPrinter->End();
    m_memoPrinter.reset();
    m_edit.Doc().SetCurrentFontIndex(CDocList::kScreenFont);
    if (CFrameWnd* frame = Frame())
        frame->HideTopBars(false);
    m_printing = false;
}

bool CVelTextView::PassesDuringPreview(UINT id)
{
    switch (id) {
    case ID_FILE_PRINT:          // prints after closing the preview
    case ID_FILE_PRINT_DIRECT:
    case ID_APP_EXIT:
    case ID_APP_ABOUT:
    case ID_VIEW_STATUS_BAR:
    case ID_WINDOW_TOPMOST:
    case ID_WINDOW_OPAQUE:
    case ID_WINDOW_ALPHA60:
    case ID_WINDOW_ALPHA30:
    case ID_WINDOW_OPEN_ANOTHER:
    case ID_WINDOW_CLOSE_ALL:
        return true;
    default:
        return false;
    }
}

void CVelTextView::RunPrintJob(bool withDialog)
{
    if (m_preview && m_preview->IsOpen())
        m_preview->Close();
    if (Blocked() || m_printing || m_edit.IsEmptyMemo())
        return;
    CFrameWnd* frame = Frame();
    HWND owner = frame ? frame->Handle() : Handle();
    if (!m_printer.Installed()) {
        CUserMessage::Show(owner, kNoPrinterMessage);
        return;
    }
    CPrintJob job(*this);
    const CPrintJob::Result result = job.Run(owner, m_printer, withDialog);
    if (result == CPrintJob::Result::kNoPrinter)
        CUserMessage::Show(owner, kNoPrinterMessage);
    else if (result == CPrintJob::Result::kFailed)
        CUserMessage::Show(owner, kPrintFailedMessage);
    m_edit.RepaintAll();
}

void CVelTextView::OnFilePrintPreview()
{
    if (Blocked() || m_printing || m_edit.IsEmptyMemo())
        return;
    CFrameWnd* frame = Frame();
    if (!frame)
        return;
    m_preview = std::make_unique<CPrintPreview>(*frame, *this);
    CPrintPreview::Options options;
    options.passes = &CVelTextView::PassesDuringPreview;
    options.printCommand = ID_FILE_PRINT;
    if (!m_preview->Open(m_printer, std::move(options))) {
        m_preview.reset();
        CUserMessage::Show(frame->Handle(), kPreviewFailedMessage);
    }
}

void CVelTextView::OnFilePrintSetup()
{
    if (Blocked())
        return;
    CFrameWnd* frame = Frame();
    HWND owner = frame ? frame->Handle() : Handle();
    if (!m_printer.Installed()) {
        CUserMessage::Show(owner, kNoPrinterMessage);
        return;
    }
    m_printer.Setup(owner);
}
