#include "framework/CPrintJob.h"

#include <cwchar>
#include <vector>

#include "framework/CPrinterChoice.h"
#include "framework/CWnd.h"

namespace {

constexpr wchar_t kCancelCaption[] = L"印刷中";
constexpr wchar_t kCancelButton[] = L"キャンセル";
constexpr wchar_t kPrintingFormat[] = L"「%s」を印刷しています。";

// The job whose pages are going out now: the abort procedure has no other way to reach it.
CPrintJob* g_running = nullptr;

BOOL CALLBACK AbortProc(HDC, int)
{
    return g_running == nullptr || g_running->Pump();
}

class GdiDevice : public CPrintJob::Device {
public:
    explicit GdiDevice(HDC dc) : m_dc(dc) {}
    HDC Dc() const override { return m_dc; }
    int StartDoc(const DOCINFOW& info) override { return ::StartDocW(m_dc, &info); }
    int StartPage() override { return ::StartPage(m_dc); }
    int EndPage() override { return ::EndPage(m_dc); }
    int EndDoc() override { return ::EndDoc(m_dc); }
    int AbortDoc() override { return ::AbortDoc(m_dc); }

private:
    HDC m_dc;
};

// The small window with the cancel button; its button cancels the job.
class CancelWindow : public CWnd {
public:
    explicit CancelWindow(CPrintJob& job) : m_job(job) {}

protected:
    void PreCreateWindow(CREATESTRUCTW& cs) override
    {
        cs.lpszClass = RegisterClassOnce(L"VelPrintCancel", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
            m_job.Cancel();
            EnableWindow(reinterpret_cast<HWND>(lParam), FALSE);
            return 0;
        }
        if (message == WM_CLOSE) {
            m_job.Cancel();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    CPrintJob& m_job;
};

}  // namespace

CPrintJob::CPrintJob(CPrintClient& client) : m_client(client) {}

CPrintJob::~CPrintJob()
{
    CloseCancelWindow();
    if (g_running == this)
        g_running = nullptr;
}

bool CPrintJob::Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The program is ending: the job stops and the loop above sees the quit again.
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_cancelled = true;
            break;
        }
        if (!m_cancelWindow || !IsDialogMessageW(m_cancelWindow, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return !m_cancelled;
}

void CPrintJob::OpenCancelWindow(HWND owner)
{
    auto window = std::make_unique<CancelWindow>(*this);
    const int width = 320;
    const int height = 120;
    RECT ownerRect{0, 0, width, height};
    if (owner)
        GetWindowRect(owner, &ownerRect);
    const int x = (ownerRect.left + ownerRect.right - width) / 2;
    const int y = (ownerRect.top + ownerRect.bottom - height) / 2;
    if (!window->CreateEx(WS_EX_DLGMODALFRAME, kCancelCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, width,
                          height, owner, nullptr))
        return;
    HWND hwnd = window->Handle();
    wchar_t text[512];
    swprintf(text, 512, kPrintingFormat, m_client.PrintTitle().c_str());
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND label = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTER | SS_ENDELLIPSIS, 10, 12,
                                 width - 26, 20, hwnd, nullptr, nullptr, nullptr);
    HWND button = CreateWindowExW(0, L"BUTTON", kCancelButton, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                  (width - 96) / 2, 44, 90, 26, hwnd, reinterpret_cast<HMENU>(IDCANCEL), nullptr,
                                  nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    m_cancelWindow = hwnd;
    m_cancelObject = std::move(window);
}

void CPrintJob::CloseCancelWindow()
{
    if (m_disabledOwner) {
        EnableWindow(m_disabledOwner, TRUE);
        m_disabledOwner = nullptr;
    }
    if (m_cancelObject)
        m_cancelObject->DestroyWindow();
    m_cancelObject.reset();
    m_cancelWindow = nullptr;
}

CPrintJob::Result CPrintJob::Print(HWND owner, Device& device, CPrintInfo& info)
{
    HDC dc = device.Dc();
    if (!m_client.OnBeginPrinting(dc, info)) {
        m_client.OnEndPrinting(dc, info);
        return Result::kFailed;
    }
    const std::vector<int> pages = info.PagesToPrint();
    // While the pages go out the frame takes no input; the cancel window does.
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        m_disabledOwner = owner;
    }
    OpenCancelWindow(owner);
    CPrintJob* previous = g_running;
    g_running = this;
    SetAbortProc(dc, &AbortProc);

    const std::wstring title = m_client.PrintTitle();
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = title.c_str();
    Result result = Result::kPrinted;
    if (device.StartDoc(doc) <= 0) {
        result = Result::kFailed;
    } else {
        for (const int page : pages) {
            if (!Pump())
                break;
            info.currentPage = page;
            if (device.StartPage() <= 0) {
                result = Result::kFailed;
                break;
            }
            m_client.OnPrint(dc, info);
            if (device.EndPage() <= 0) {
                result = Result::kFailed;
                break;
            }
            if (!info.continuePrinting) {
                result = Result::kStopped;
                break;
            }
        }
        if (m_cancelled && result == Result::kPrinted)
            result = Result::kCancelled;
        if (result == Result::kCancelled || result == Result::kFailed)
            device.AbortDoc();
        else
            device.EndDoc();
    }
    g_running = previous;
    CloseCancelWindow();
    m_client.OnEndPrinting(dc, info);
    return result;
}

CPrintJob::Result CPrintJob::Run(HWND owner, CPrinterChoice& printer, bool withDialog)
{
    if (!printer.Installed())
        return Result::kNoPrinter;
    CPrintInfo info;
    info.directPrint = !withDialog;
    if (!m_client.OnPreparePrinting(info))
        return Result::kCancelled;
    CPrinterDC dc;
    if (withDialog) {
        bool failed = false;
        dc = printer.Choose(owner, info, failed);
        if (!dc)
            return failed ? Result::kFailed : Result::kCancelled;
    } else {
        dc = printer.CreateDC();
        if (!dc)
            return Result::kNoPrinter;
    }
    info.page = CPageMetrics::Of(dc.Get());
    GdiDevice device(dc.Get());
    return Print(owner, device, info);
}
