#include "framework/CPrintPreview.h"

#include <algorithm>
#include <cwchar>

#include <windowsx.h>

#include "framework/CCmdUI.h"
#include "framework/CFrameWnd.h"
#include "framework/CMessageMap.h"
#include "framework/PrintIds.h"

namespace {

constexpr int kMargin = 16;
constexpr int kGap = 16;
constexpr int kShadow = 4;
constexpr int kZoomFactors[CPrintPreview::kZoomLevels] = {1, 2, 4};
constexpr int kLineStep = 40;

struct Button {
    UINT id;
    const wchar_t* text;
    int width;
};
constexpr Button kButtons[] = {
    {VEL_ID_PREVIEW_PRINT, L"印刷...", 80},
    {VEL_ID_PREVIEW_NEXT, L"次ページ", 84},
    {VEL_ID_PREVIEW_PREV, L"前ページ", 84},
    {VEL_ID_PREVIEW_NUMPAGE, L"2 ページ", 84},
    {VEL_ID_PREVIEW_ZOOMIN, L"拡大", 64},
    {VEL_ID_PREVIEW_ZOOMOUT, L"縮小", 64},
    {VEL_ID_PREVIEW_CLOSE, L"閉じる", 72},
};
constexpr wchar_t kOnePage[] = L"1 ページ";
constexpr wchar_t kTwoPages[] = L"2 ページ";
constexpr wchar_t kPageFormat[] = L"%d / %d ページ";
constexpr wchar_t kPagesFormat[] = L"%d-%d / %d ページ";
constexpr wchar_t kDefaultPageNote[] = L"（プリンタがないため A4 用紙で表示）";

// Restores a device context's mapping and clipping when the page is drawn.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : m_dc(dc), m_saved(SaveDC(dc)) {}
    ~SavedDc() { RestoreDC(m_dc, m_saved); }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC m_dc;
    int m_saved;
};

}  // namespace

// The pages under the button bar: painting, scrolling and the keys of the preview.
class CPreviewPages : public CWnd {
public:
    explicit CPreviewPages(CPrintPreview& preview) : m_preview(preview) {}

protected:
    void PreCreateWindow(CREATESTRUCTW& cs) override
    {
        cs.lpszClass = RegisterClassOnce(L"VelPreviewPages", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, nullptr, nullptr);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            RECT client;
            GetClientRect(Handle(), &client);
            m_preview.PaintPages(dc, client);
            EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            m_preview.UpdateScrollBars();
            return 0;
        case WM_VSCROLL:
            m_preview.Scroll(SB_VERT, LOWORD(wParam), 0);
            return 0;
        case WM_HSCROLL:
            m_preview.Scroll(SB_HORZ, LOWORD(wParam), 0);
            return 0;
        case WM_MOUSEWHEEL: {
            const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
            if (m_preview.ContentSize().cy > ClientHeight())
                m_preview.Scroll(SB_VERT, SB_THUMBPOSITION, m_preview.m_scroll.y - delta * kLineStep / WHEEL_DELTA);
            else if (delta < 0)
                m_preview.NextPage();
            else
                m_preview.PreviousPage();
            return 0;
        }
        case WM_LBUTTONDOWN:
            SetFocus(Handle());
            // A click zooms in around the point clicked, and from the closest zoom back to the
            // whole page.
            if (m_preview.Zoom() + 1 < CPrintPreview::kZoomLevels) {
                m_preview.ZoomInAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            } else {
                while (m_preview.Zoom() > 0)
                    m_preview.ZoomOut();
            }
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            if (m_preview.OnKey(static_cast<UINT>(wParam)))
                return 0;
            break;
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    int ClientHeight() const
    {
        RECT r;
        GetClientRect(Handle(), &r);
        return r.bottom;
    }
    CPrintPreview& m_preview;
};

CPrintPreview::CPrintPreview(CFrameWnd& frame, CPrintClient& client) : m_frame(frame), m_client(client) {}

CPrintPreview::~CPrintPreview()
{
    Close();
    DropCache();
    if (m_measure)
        DeleteDC(m_measure);
}

HWND CPrintPreview::Pages() const
{
    return m_pages ? m_pages->Handle() : nullptr;
}

void CPrintPreview::DropCache()
{
    for (auto& [page, cached] : m_cache)
        DeleteObject(cached.bitmap);
    m_cache.clear();
}

bool CPrintPreview::Open(CPrinterChoice& printer, Options options)
{
    if (m_open)
        return true;
    m_options = std::move(options);
    m_info = CPrintInfo{};
    m_info.preview = true;
    m_printer = printer.CreateDC();
    HDC device = m_printer.Get();
    if (device) {
        m_info.page = CPageMetrics::Of(device);
        if (!m_info.page.Valid())
            m_printer.Reset();
    }
    if (!m_printer) {
        // No printer: the pages are laid out for a default sheet, measured on the screen.
        if (!m_measure)
            m_measure = CreateCompatibleDC(nullptr);
        device = m_measure;
        m_info.page = CPageMetrics::DefaultPage();
    }
    if (!m_client.OnBeginPrinting(device, m_info)) {
        m_client.OnEndPrinting(device, m_info);
        m_printer.Reset();
        return false;
    }
    m_open = true;
    m_page = 1;
    m_zoom = 0;
    m_scroll = POINT{0, 0};
    DropCache();
    if (!CreateEx(0, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, m_frame.Handle(), nullptr)) {
        Close();
        return false;
    }
    CreateBar();
    m_frame.SetPreview(this);
    ShowWindow(Handle(), SW_SHOW);
    LayOut();
    StateChanged();
    if (Pages())
        SetFocus(Pages());
    return true;
}

void CPrintPreview::Close()
{
    if (!m_open)
        return;
    m_open = false;
    m_client.OnEndPrinting(m_printer ? m_printer.Get() : m_measure, m_info);
    if (m_frame.Preview() == this)
        m_frame.SetPreview(nullptr);
    DropCache();
    // The page window may be the one whose key closed the preview: its object stays until the
    // next preview or the end of this one.
    if (m_pages)
        m_pages->DestroyWindow();
    m_status = nullptr;
    DestroyWindow();
    m_printer.Reset();
}

void CPrintPreview::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.lpszClass = RegisterClassOnce(L"VelPrintPreview", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
}

void CPrintPreview::CreateBar()
{
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    int x = 6;
    for (const Button& button : kButtons) {
        HWND hwnd = CreateWindowExW(0, L"BUTTON", button.text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 4,
                                    button.width, kBarHeight - 8, Handle(),
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(button.id)), nullptr, nullptr);
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        x += button.width + 4;
    }
    m_status = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, x + 8, 9, 420,
                               kBarHeight - 14, Handle(), nullptr, nullptr, nullptr);
    SendMessageW(m_status, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    auto pages = std::make_unique<CPreviewPages>(*this);
    if (pages->CreateEx(WS_EX_CLIENTEDGE, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, 0,
                        kBarHeight, 10, 10, Handle(), nullptr))
        m_pages = std::move(pages);
}

void CPrintPreview::LayOut()
{
    if (!Handle() || !m_pages)
        return;
    RECT client;
    GetClientRect(Handle(), &client);
    MoveWindow(m_pages->Handle(), 0, kBarHeight, client.right, std::max<LONG>(0, client.bottom - kBarHeight), TRUE);
    UpdateScrollBars();
}

LRESULT CPrintPreview::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        LayOut();
        return 0;
    case WM_SETFOCUS:
        if (Pages())
            SetFocus(Pages());
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- Pages and zoom ----

void CPrintPreview::GoToPage(int page)
{
    const int last = std::max(1, PageCount());
    page = std::clamp(page, 1, last);
    if (page == m_page)
        return;
    m_page = page;
    m_scroll = POINT{0, 0};
    StateChanged();
}

void CPrintPreview::ToggleTwoPages()
{
    m_twoPages = !m_twoPages;
    StateChanged();
}

void CPrintPreview::ZoomIn()
{
    if (m_zoom + 1 >= kZoomLevels)
        return;
    ++m_zoom;
    StateChanged();
}

void CPrintPreview::ZoomInAt(POINT point)
{
    if (m_zoom + 1 >= kZoomLevels)
        return;
    // The point keeps its place in the page window as the pages grow around it.
    RECT client{0, 0, 0, 0};
    GetClientRect(Pages(), &client);
    const SIZE before = ContentSize();
    const double fx = before.cx > client.right ? static_cast<double>(point.x + m_scroll.x) / before.cx
                                               : static_cast<double>(point.x - (client.right - before.cx) / 2) / before.cx;
    const double fy = before.cy > client.bottom ? static_cast<double>(point.y + m_scroll.y) / before.cy
                                                : static_cast<double>(point.y - (client.bottom - before.cy) / 2) / before.cy;
    ++m_zoom;
    const SIZE after = ContentSize();
    m_scroll.x = static_cast<LONG>(fx * after.cx) - point.x;
    m_scroll.y = static_cast<LONG>(fy * after.cy) - point.y;
    StateChanged();
}

void CPrintPreview::ZoomOut()
{
    if (m_zoom == 0)
        return;
    --m_zoom;
    m_scroll = POINT{0, 0};
    StateChanged();
}

void CPrintPreview::StateChanged()
{
    UpdateBar();
    UpdateScrollBars();
    if (Pages())
        InvalidateRect(Pages(), nullptr, FALSE);
}

void CPrintPreview::UpdateBar()
{
    if (!Handle())
        return;
    const int count = PageCount();
    const int last = std::min(count, m_page + PagesShown() - 1);
    wchar_t text[160];
    if (last > m_page)
        swprintf(text, 160, kPagesFormat, m_page, last, count);
    else
        swprintf(text, 160, kPageFormat, m_page, count);
    std::wstring status = text;
    if (OnDefaultPage())
        status += kDefaultPageNote;
    if (m_status)
        SetWindowTextW(m_status, status.c_str());
    SetDlgItemTextW(Handle(), VEL_ID_PREVIEW_NUMPAGE, m_twoPages ? kOnePage : kTwoPages);
    EnableWindow(GetDlgItem(Handle(), VEL_ID_PREVIEW_NEXT), m_page + PagesShown() <= count);
    EnableWindow(GetDlgItem(Handle(), VEL_ID_PREVIEW_PREV), m_page > 1);
    EnableWindow(GetDlgItem(Handle(), VEL_ID_PREVIEW_ZOOMIN), m_zoom + 1 < kZoomLevels);
    EnableWindow(GetDlgItem(Handle(), VEL_ID_PREVIEW_ZOOMOUT), m_zoom > 0);
}

SIZE CPrintPreview::SheetSize() const
{
    // The whole page window, scroll bars or not, so that the fit does not change when they come.
    RECT client{0, 0, 0, 0};
    if (Pages()) {
        RECT outer;
        GetWindowRect(Pages(), &outer);
        client.right = outer.right - outer.left - 2 * GetSystemMetrics(SM_CXEDGE);
        client.bottom = outer.bottom - outer.top - 2 * GetSystemMetrics(SM_CYEDGE);
    }
    const CPageMetrics& page = m_info.page;
    const int n = PagesShown();
    const double paperW = std::max(1, page.paperWidth);
    const double paperH = std::max(1, page.paperHeight);
    const double roomW = std::max(1.0, static_cast<double>(client.right - 2 * kMargin - (n - 1) * kGap - kShadow));
    const double roomH = std::max(1.0, static_cast<double>(client.bottom - 2 * kMargin - kShadow));
    const double fit = std::min(roomW / (n * paperW), roomH / paperH) * kZoomFactors[m_zoom];
    return SIZE{std::max(1, static_cast<int>(paperW * fit)), std::max(1, static_cast<int>(paperH * fit))};
}

SIZE CPrintPreview::ContentSize() const
{
    const SIZE sheet = SheetSize();
    const int n = PagesShown();
    return SIZE{2 * kMargin + n * sheet.cx + (n - 1) * kGap + kShadow, 2 * kMargin + sheet.cy + kShadow};
}

int CPrintPreview::SheetRects(RECT rects[2]) const
{
    RECT client{0, 0, 0, 0};
    if (Pages())
        GetClientRect(Pages(), &client);
    const SIZE sheet = SheetSize();
    const SIZE content = ContentSize();
    // Centred while it fits, scrolled when it does not.
    const int left = content.cx < client.right ? (client.right - content.cx) / 2 : -m_scroll.x;
    const int top = content.cy < client.bottom ? (client.bottom - content.cy) / 2 : -m_scroll.y;
    int count = 0;
    for (int i = 0; i < PagesShown(); ++i) {
        if (m_page + i > PageCount())
            break;
        const int x = left + kMargin + i * (sheet.cx + kGap);
        rects[count++] = RECT{x, top + kMargin, x + sheet.cx, top + kMargin + sheet.cy};
    }
    return count;
}

void CPrintPreview::UpdateScrollBars()
{
    if (!Pages())
        return;
    RECT client;
    GetClientRect(Pages(), &client);
    const SIZE content = ContentSize();
    m_scroll.x = std::clamp<LONG>(m_scroll.x, 0, std::max<LONG>(0, content.cx - client.right));
    m_scroll.y = std::clamp<LONG>(m_scroll.y, 0, std::max<LONG>(0, content.cy - client.bottom));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = content.cy - 1;
    info.nPage = static_cast<UINT>(std::max<LONG>(0, client.bottom));
    info.nPos = m_scroll.y;
    SetScrollInfo(Pages(), SB_VERT, &info, TRUE);
    info.nMax = content.cx - 1;
    info.nPage = static_cast<UINT>(std::max<LONG>(0, client.right));
    info.nPos = m_scroll.x;
    SetScrollInfo(Pages(), SB_HORZ, &info, TRUE);
}

void CPrintPreview::Scroll(int bar, int code, int amount)
{
    if (!Pages())
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Pages(), bar, &info);
    LONG& position = bar == SB_VERT ? m_scroll.y : m_scroll.x;
    LONG next = position;
    switch (code) {
    case SB_LINEUP: next -= kLineStep; break;
    case SB_LINEDOWN: next += kLineStep; break;
    case SB_PAGEUP: next -= static_cast<LONG>(info.nPage); break;
    case SB_PAGEDOWN: next += static_cast<LONG>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: next = amount ? amount : info.nTrackPos; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = info.nMax; break;
    default: return;
    }
    position = next;
    UpdateScrollBars();
    InvalidateRect(Pages(), nullptr, FALSE);
}

bool CPrintPreview::OnKey(UINT key)
{
    switch (key) {
    case VK_NEXT: NextPage(); return true;
    case VK_PRIOR: PreviousPage(); return true;
    case VK_HOME: GoToPage(1); return true;
    case VK_END: GoToPage(PageCount()); return true;
    case VK_ESCAPE: Close(); return true;
    case VK_ADD:
    case VK_OEM_PLUS: ZoomIn(); return true;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: ZoomOut(); return true;
    case VK_UP: Scroll(SB_VERT, SB_LINEUP, 0); return true;
    case VK_DOWN: Scroll(SB_VERT, SB_LINEDOWN, 0); return true;
    case VK_LEFT: Scroll(SB_HORZ, SB_LINEUP, 0); return true;
    case VK_RIGHT: Scroll(SB_HORZ, SB_LINEDOWN, 0); return true;
    default: return false;
    }
}

// ---- Drawing ----

bool CPrintPreview::RenderPage(HDC dc, int page, const RECT& sheet)
{
    const CPageMetrics& metrics = m_info.page;
    const int width = sheet.right - sheet.left;
    const int height = sheet.bottom - sheet.top;
    if (!m_open || width <= 0 || height <= 0 || page < 1 || page > PageCount())
        return false;
    FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SavedDc saved(dc);
    // The printer's pixels onto the sheet: the printable area starts at its offset on the paper,
    // and what falls outside it is clipped as the printer would.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, std::max(1, metrics.paperWidth), std::max(1, metrics.paperHeight), nullptr);
    SetViewportExtEx(dc, width, height, nullptr);
    SetViewportOrgEx(dc, sheet.left, sheet.top, nullptr);
    SetWindowOrgEx(dc, -metrics.offsetX, -metrics.offsetY, nullptr);
    IntersectClipRect(dc, 0, 0, metrics.width, metrics.height);
    m_info.currentPage = page;
    m_info.continuePrinting = true;
    m_client.OnPrint(dc, m_info);
    return m_info.continuePrinting;
}

HBITMAP CPrintPreview::PageBitmap(int page, SIZE sheet)
{
    const auto found = m_cache.find(page);
    if (found != m_cache.end() && found->second.size.cx == sheet.cx && found->second.size.cy == sheet.cy)
        return found->second.bitmap;
    // Only the pages shown are kept.
    for (auto it = m_cache.begin(); it != m_cache.end();) {
        if (it->first < m_page || it->first >= m_page + PagesShown() || it->first == page) {
            DeleteObject(it->second.bitmap);
            it = m_cache.erase(it);
        } else {
            ++it;
        }
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, sheet.cx, sheet.cy);
    ReleaseDC(nullptr, screen);
    if (!memory || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        if (memory)
            DeleteDC(memory);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    RenderPage(memory, page, RECT{0, 0, sheet.cx, sheet.cy});
    SelectObject(memory, old);
    DeleteDC(memory);
    m_cache[page] = Cached{bitmap, sheet};
    return bitmap;
}

void CPrintPreview::PaintPages(HDC dc, const RECT& client)
{
    // Composed off screen, so that scrolling does not flicker.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP canvas = CreateCompatibleBitmap(dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
    HGDIOBJ oldCanvas = memory && canvas ? SelectObject(memory, canvas) : nullptr;
    HDC target = oldCanvas ? memory : dc;
    FillRect(target, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    RECT sheets[2];
    const int count = m_open ? SheetRects(sheets) : 0;
    const SIZE sheet = SheetSize();
    HDC source = CreateCompatibleDC(dc);
    for (int i = 0; i < count; ++i) {
        const RECT& r = sheets[i];
        RECT shadow{r.left + kShadow, r.top + kShadow, r.right + kShadow, r.bottom + kShadow};
        FillRect(target, &shadow, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
        if (HBITMAP bitmap = PageBitmap(m_page + i, sheet); bitmap && source) {
            HGDIOBJ old = SelectObject(source, bitmap);
            BitBlt(target, r.left, r.top, sheet.cx, sheet.cy, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
        }
        RECT frame{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
        FrameRect(target, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    if (source)
        DeleteDC(source);
    if (oldCanvas) {
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, oldCanvas);
    }
    if (canvas)
        DeleteObject(canvas);
    if (memory)
        DeleteDC(memory);
}

// ---- Commands ----

void CPrintPreview::OnPrint()
{
    HWND frame = m_frame.Handle();
    const UINT command = m_options.printCommand;
    Close();
    if (command && frame)
        PostMessageW(frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

bool CPrintPreview::OnCmdMsg(UINT id, CCmdUI* ui)
{
    if (!m_open)
        return false;
    auto enable = [&](bool on) {
        if (ui)
            ui->Enable(on);
        return true;
    };
    switch (id) {
    case VEL_ID_PREVIEW_CLOSE:
        return ui ? enable(true) : (Close(), true);
    case VEL_ID_PREVIEW_PRINT:
        return ui ? enable(true) : (OnPrint(), true);
    case VEL_ID_PREVIEW_NEXT:
        return ui ? enable(m_page + PagesShown() <= PageCount()) : (NextPage(), true);
    case VEL_ID_PREVIEW_PREV:
        return ui ? enable(m_page > 1) : (PreviousPage(), true);
    case VEL_ID_PREVIEW_NUMPAGE:
        return ui ? enable(true) : (ToggleTwoPages(), true);
    case VEL_ID_PREVIEW_ZOOMIN:
        return ui ? enable(m_zoom + 1 < kZoomLevels) : (ZoomIn(), true);
    case VEL_ID_PREVIEW_ZOOMOUT:
        return ui ? enable(m_zoom > 0) : (ZoomOut(), true);
    default:
        break;
    }
    if (m_options.passes && m_options.passes(id))
        return false;
    // Everything else waits until the preview is closed.
    return enable(false);
}
