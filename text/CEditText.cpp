#include "text/CEditText.h"

#include <windowsx.h>

#include <algorithm>

#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CDocListPainter.h"
#include "doc/CTextChapter.h"
#include "doc/CTiledBackground.h"
#include "text/CGdiTextFont.h"

namespace {

constexpr int kViewBackgroundResource = 323;
constexpr int kGreyBackgroundResource = 324;

// A device context of a window for one step.
class WindowDc {
public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDc()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

}  // namespace

const MessageEntry<CEditText> CEditText::kMessageMap[] = {
    {WM_PAINT, &CEditText::OnPaint},
    {WM_SIZE, &CEditText::OnSize},
    {WM_VSCROLL, &CEditText::OnVScroll},
    {WM_HSCROLL, &CEditText::OnHScroll},
    {WM_MOUSEWHEEL, &CEditText::OnMouseWheel},
    {WM_ERASEBKGND, &CEditText::OnEraseBackground},
};

CEditText::CEditText() = default;

CEditText::~CEditText()
{
    // The window goes while the document list it paints from is still there.
    DestroyWindow();
}

bool CEditText::Create(HWND parent, const CEditSettings& settings, DWORD style, const wchar_t* name, UINT id)
{
    m_settings = settings;
    if (!CreateEx(0, name, style, 0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return false;
    return m_doc != nullptr;
}

void CEditText::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.lpszClass = RegisterClassOnce(L"VelEditText", CS_DBLCLKS, nullptr, nullptr);
}

bool CEditText::CreateScreenFont(const CEditSettings& settings)
{
    WindowDc dc(Handle());
    if (!dc.Get())
        return false;
    LOGFONTW logFont = settings.logFont;
    logFont.lfHeight = -CTextFont::MulDiv(std::max(1, settings.fontPoints), GetDeviceCaps(dc.Get(), LOGPIXELSY), 72);
    CTextFont& font = m_doc->Font(CDocList::kScreenFont);
    if (!CGdiTextFont::Create(font, logFont, 1.0, settings.lineSpace, dc.Get()))
        return false;
    font.SetTextColour(settings.textColour);
    font.SetRuledLines(settings.ruledLines);
    font.SetKinsoku(settings.kinsoku);
    return true;
}

bool CEditText::CreateDocument(const CEditSettings& settings)
{
    m_doc = std::make_unique<CDocList>();
    if (!CreateScreenFont(settings)) {
        m_doc.reset();
        return false;
    }
    m_doc->Layout().SetLineStartForbidden(settings.lineStartForbidden);
    m_doc->Layout().SetLineEndForbidden(settings.lineEndForbidden);
    m_doc->Layout().SetHeadingSymbols(settings.headingSymbols);
    m_doc->Create(settings.columns, settings.tabWidth);
    m_doc->SetCaretSink(this);
    m_painter = std::make_unique<CDocListPainter>(*m_doc);
    SetBackgrounds(L"", L"");
    return true;
}

LRESULT CEditText::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        if (CWnd::WindowProc(message, wParam, lParam) == -1 || !CreateDocument(m_settings))
            return -1;
        OnDocumentCreated();
        return 0;
    }
    if (m_doc) {
        if (auto result = DispatchTo(*this, kMessageMap, message, wParam, lParam))
            return *result;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CEditText::IsEmptyMemo() const
{
    const auto& chapters = m_doc->Chapters();
    if (chapters.Count() == 0)
        return true;
    if (chapters.Count() > 1)
        return false;
    const CChapter* only = chapters.ItemAt(0);
    return only == nullptr || (only->Picture() == nullptr && (only->Text() == nullptr || only->Text()->Length() == 0));
}

int CEditText::VisibleFullLines() const
{
    return std::max(1, m_clientHeight / std::max(1, m_doc->LineHeight()));
}

int CEditText::VisibleColumns() const
{
    return std::max(1, m_clientWidth / std::max(1, m_doc->CurrentFont().CharWidth()));
}

int CEditText::MaxTopLine() const
{
    return std::max(0, m_doc->LineCount() - VisibleFullLines());
}

void CEditText::InvalidateDirtyLines()
{
    RECT rect{};
    if (m_painter && m_painter->TakeDirtyRect(m_clientWidth, m_clientHeight, rect))
        InvalidateRect(Handle(), &rect, FALSE);
}

void CEditText::Refresh()
{
    InvalidateDirtyLines();
    ScrollCaretIntoView();
    UpdateScrollBars();
    m_doc->UpdateCaret();
}

void CEditText::RepaintAll()
{
    m_doc->Dirty().Reset();
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateScrollBars();
    m_doc->UpdateCaret();
}

bool CEditText::ScrollCaretIntoView()
{
    const int caretLine = m_doc->CaretLine();
    const int top = m_doc->TopLine();
    const int full = VisibleFullLines();
    int newTop = top;
    if (caretLine < top)
        newTop = caretLine;
    else if (caretLine >= top + full)
        newTop = caretLine - full + 1;

    const int column = m_doc->CaretColumn();
    const int scrolled = m_doc->HorizontalScroll();
    const int columns = VisibleColumns();
    int newScroll = scrolled;
    if (column < scrolled)
        newScroll = column;
    else if (column >= scrolled + columns)
        newScroll = column - columns + 1;

    const bool moved = newTop != top || newScroll != scrolled;
    if (newTop != top)
        ScrollToLine(newTop);
    if (newScroll != scrolled)
        ScrollToColumn(newScroll);
    return moved;
}

void CEditText::ScrollToLine(int top)
{
    top = std::clamp(top, 0, std::max(MaxTopLine(), m_doc->TopLine()));
    const int old = m_doc->TopLine();
    if (top == old)
        return;
    // What was waiting to be painted is painted where it stands now; then the pixels that stay
    // move and only the rows that come into view are painted.
    InvalidateDirtyLines();
    UpdateWindow(Handle());
    m_doc->SetTopLine(top);
    m_doc->Dirty().Reset();
    const int lineHeight = std::max(1, m_doc->LineHeight());
    const int delta = old - top;
    if (std::abs(delta) >= VisibleFullLines() + 1) {
        InvalidateRect(Handle(), nullptr, FALSE);
    } else {
        ScrollWindowEx(Handle(), 0, delta * lineHeight, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    }
    OnViewMoved();
}

void CEditText::ScrollToColumn(int column)
{
    column = std::max(0, column);
    if (column == m_doc->HorizontalScroll())
        return;
    m_doc->SetHorizontalScroll(column);
    m_doc->Dirty().Reset();
    InvalidateRect(Handle(), nullptr, FALSE);
    OnViewMoved();
}

void CEditText::UpdateScrollBars()
{
    // Setting a scroll bar repaints it: only what changed is set.
    const ScrollState vertical{std::max(0, m_doc->LineCount() - 1), VisibleFullLines(), m_doc->TopLine()};
    const ScrollState horizontal{std::max(0, m_doc->Columns() + 1), VisibleColumns(), m_doc->HorizontalScroll()};
    const auto apply = [this](int bar, const ScrollState& state, ScrollState& shown) {
        if (state == shown)
            return;
        shown = state;
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMin = 0;
        info.nMax = state.max;
        info.nPage = static_cast<UINT>(state.page);
        info.nPos = state.position;
        SetScrollInfo(Handle(), bar, &info, TRUE);
    };
    apply(SB_VERT, vertical, m_shownVertical);
    apply(SB_HORZ, horizontal, m_shownHorizontal);
}

void CEditText::PlaceCaret(int x, int y, int height)
{
    m_caretPoint = POINT{x, y};
    if (m_caretHolds > 0) {
        m_caretPending = true;
        m_pendingHeight = height;
        return;
    }
    m_caretPending = false;
    if (!m_hasFocus)
        return;
    if (!m_caretCreated || height != m_caretHeight) {
        DestroyCaret();
        m_caretHeight = height;
        m_caretCreated = CreateCaret(Handle(), nullptr, 1, std::max(1, height)) != FALSE;
        if (m_caretCreated)
            ShowCaret(Handle());
    }
    SetCaretPos(x, y);
}

LRESULT CEditText::OnPaint(WPARAM, LPARAM)
{
    // Lines changed since the last refresh join the area to paint.
    InvalidateDirtyLines();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (dc)
        m_painter->PaintArea(dc, ps.rcPaint, m_clientWidth);
    EndPaint(Handle(), &ps);
    return 0;
}

LRESULT CEditText::OnEraseBackground(WPARAM, LPARAM)
{
    return 1;  // every pixel is painted by the rows
}

LRESULT CEditText::OnSize(WPARAM wParam, LPARAM lParam)
{
    if (wParam == SIZE_MINIMIZED)
        return 0;
    m_clientWidth = LOWORD(lParam);
    m_clientHeight = HIWORD(lParam);
    m_doc->SetClientSize(m_clientWidth, m_clientHeight);
    if (m_doc->TopLine() > MaxTopLine())
        m_doc->SetTopLine(MaxTopLine());
    RepaintAll();
    OnViewMoved();
    return 0;
}

LRESULT CEditText::OnVScroll(WPARAM wParam, LPARAM)
{
    const int top = m_doc->TopLine();
    int target = top;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: target = top - 1; break;
    case SB_LINEDOWN: target = top + 1; break;
    case SB_PAGEUP: target = top - VisibleFullLines(); break;
    case SB_PAGEDOWN: target = top + VisibleFullLines(); break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = MaxTopLine(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_VERT, &info);
        target = info.nTrackPos;
        break;
    }
    default: return 0;
    }
    ScrollToLine(std::clamp(target, 0, MaxTopLine()));
    UpdateScrollBars();
    m_doc->UpdateCaret();
    return 0;
}

LRESULT CEditText::OnHScroll(WPARAM wParam, LPARAM)
{
    const int scrolled = m_doc->HorizontalScroll();
    const int maxScroll = std::max(0, m_doc->Columns() + 2 - VisibleColumns());
    int target = scrolled;
    switch (LOWORD(wParam)) {
    case SB_LINELEFT: target = scrolled - 1; break;
    case SB_LINERIGHT: target = scrolled + 1; break;
    case SB_PAGELEFT: target = scrolled - VisibleColumns(); break;
    case SB_PAGERIGHT: target = scrolled + VisibleColumns(); break;
    case SB_LEFT: target = 0; break;
    case SB_RIGHT: target = maxScroll; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_HORZ, &info);
        target = info.nTrackPos;
        break;
    }
    default: return 0;
    }
    ScrollToColumn(std::clamp(target, 0, maxScroll));
    UpdateScrollBars();
    m_doc->UpdateCaret();
    return 0;
}

LRESULT CEditText::OnMouseWheel(WPARAM wParam, LPARAM)
{
    m_wheelRemainder += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = m_wheelRemainder / WHEEL_DELTA;
    m_wheelRemainder -= notches * WHEEL_DELTA;
    if (notches == 0)
        return 0;
    const int target = std::clamp(m_doc->TopLine() - notches, 0, MaxTopLine());
    if (target != m_doc->TopLine()) {
        ScrollToLine(target);
        UpdateScrollBars();
        m_doc->UpdateCaret();
    }
    return 0;
}

void CEditText::SetFocusBase()
{
    m_hasFocus = true;
    const int caretLine = m_doc->CaretLine();
    m_doc->Dirty().MarkLine(caretLine);
    m_caretCreated = false;
    m_doc->UpdateCaret();
    InvalidateDirtyLines();
}

void CEditText::KillFocusBase()
{
    HideCaret(Handle());
    DestroyCaret();
    m_caretCreated = false;
    m_hasFocus = false;
    if (m_dragging) {
        m_dragging = false;
        ReleaseCapture();
    }
}

void CEditText::LeftButtonDown(int x, int y, bool shift, bool alt)
{
    if (GetFocus() != Handle())
        SetFocus(Handle());
    m_keySelecting = false;
    CDocList& doc = *m_doc;
    if (shift) {
        // The selection runs from where it was anchored (the old caret when there was none).
        if (!doc.HasSelection())
            doc.BeginSelection(CDocList::kStream);
        doc.PlaceCaretAt(x, y);
        doc.Select(CDocList::kStream);
    } else {
        if (!alt)
            doc.ClearSelection();
        doc.PlaceCaretAt(x, y);
        doc.BeginSelection(CDocList::kStream);
    }
    m_dragAlt = alt;
    SetCapture(Handle());
    m_dragging = true;
    Refresh();
}

void CEditText::MouseMoveWhileDragging(int x, int y, bool)
{
    const int lineHeight = std::max(1, m_doc->LineHeight());
    // Above the window the point belongs to the line above the top one.
    if (y < 0)
        y = -lineHeight;
    m_doc->PlaceCaretAt(x, y);
    m_doc->Select(x < 0 || m_dragAlt ? CDocList::kRectangle : CDocList::kStream);
    Refresh();
}

void CEditText::CancelDrag()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    if (GetCapture() == Handle())
        ReleaseCapture();
}

void CEditText::LeftButtonUp(int x, int y, bool shift)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    ReleaseCapture();
    MouseMoveWhileDragging(x, y, shift);
}

void CEditText::DoubleClick(int x, int y)
{
    m_doc->PlaceCaretAt(x, y);
    m_doc->SelectWord();
    Refresh();
}

bool CEditText::CaretKey(UINT key, bool shift, bool ctrl)
{
    CDocList& doc = *m_doc;
    if (key == VK_DELETE) {
        m_keySelecting = false;
        doc.TakeUndoCopy();
        if (!doc.DeleteSelection())
            doc.DeleteAtCaret(1);
        Refresh();
        return true;
    }
    switch (key) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
        break;
    default:
        return false;
    }
    if (shift && !doc.HasSelection() && !m_keySelecting)
        doc.BeginSelection(CDocList::kStream);
    else if (!shift && doc.HasSelection())
        doc.ClearSelection();
    m_keySelecting = shift;

    const int page = VisibleFullLines();
    switch (key) {
    case VK_LEFT: doc.MoveCaret(0, -1, false); break;
    case VK_RIGHT: doc.MoveCaret(0, 1, false); break;
    case VK_UP: doc.MoveCaret(-1, 0, false); break;
    case VK_DOWN: doc.MoveCaret(1, 0, false); break;
    case VK_PRIOR:
        doc.MoveCaret(-page, 0, false);
        ScrollToLine(std::max(0, doc.TopLine() - page));
        break;
    case VK_NEXT:
        doc.MoveCaret(page, 0, false);
        ScrollToLine(std::min(MaxTopLine(), doc.TopLine() + page));
        break;
    case VK_HOME: doc.SetCaret(doc.CaretLine(), 0); break;
    case VK_END:
        if (const CTextLine* line = doc.LineAt(doc.CaretLine()))
            doc.SetCaret(doc.CaretLine(), line->ColumnsUsed());
        break;
    }
    if (!shift)
        doc.ClearSelection();  // a plain move leaves no anchor behind
    if (shift)
        doc.Select(ctrl ? CDocList::kRectangle : CDocList::kStream);
    Refresh();
    return true;
}

void CEditText::SelectAll()
{
    CDocList& doc = *m_doc;
    if (doc.LineCount() == 0)
        return;
    doc.ClearSelection();
    doc.SetCaret(0, 0);
    doc.BeginSelection(CDocList::kStream);
    const int last = doc.LineCount() - 1;
    doc.SetCaret(last, doc.LineAt(last)->ColumnsUsed());
    doc.Select(CDocList::kStream);
    Refresh();
}

void CEditText::ApplyOptions(const CEditSettings& settings)
{
    m_settings.columns = settings.columns;
    m_settings.tabWidth = settings.tabWidth;
    m_settings.lineSpace = settings.lineSpace;
    m_settings.textColour = settings.textColour;
    m_settings.ruledLines = settings.ruledLines;
    m_settings.kinsoku = settings.kinsoku;
    m_settings.lineStartForbidden = settings.lineStartForbidden;
    m_settings.lineEndForbidden = settings.lineEndForbidden;
    m_settings.headingSymbols = settings.headingSymbols;
    m_settings.pictureSize = settings.pictureSize;

    CDocList::Options options;
    options.columns = settings.columns;
    options.tabWidth = settings.tabWidth;
    options.lineSpacing = CTextFont::LineSpacingFor(settings.lineSpace, 1.0);
    options.colour = settings.textColour;
    options.lineStartForbidden = settings.lineStartForbidden;
    options.lineEndForbidden = settings.lineEndForbidden;
    options.headingSymbols = settings.headingSymbols;
    CTextFont& font = m_doc->Font(CDocList::kScreenFont);
    const bool ruledChanged = font.RuledLines() != settings.ruledLines;
    const bool kinsokuChanged = font.Kinsoku() != settings.kinsoku;
    font.SetRuledLines(settings.ruledLines);
    font.SetKinsoku(settings.kinsoku);
    const bool laidOut = m_doc->ApplyOptions(options);
    // The line-breaking switch moves line ends although no option of the list changed.
    if (kinsokuChanged && !laidOut)
        m_doc->LayOutAll();
    if (!laidOut && !kinsokuChanged && !ruledChanged)
        return;
    m_caretCreated = false;
    RepaintAll();
    ScrollCaretIntoView();
    OnFontChanged();
}

void CEditText::ApplyFont(const CEditSettings& settings)
{
    m_settings.logFont = settings.logFont;
    m_settings.fontPoints = settings.fontPoints;
    m_settings.textColour = settings.textColour;
    if (!CreateScreenFont(m_settings))
        return;  // the old font stays
    m_doc->ApplyScreenFont();
    m_caretCreated = false;
    RepaintAll();
    ScrollCaretIntoView();
    OnFontChanged();
}

void CEditText::SetBackgrounds(const std::wstring& viewFile, const std::wstring& greyFile)
{
    m_viewBackgroundFile = viewFile;
    m_greyBackgroundFile = greyFile;
    const auto load = [this](const std::wstring& file) -> std::unique_ptr<CTiledBackground> {
        if (file.empty())
            return nullptr;
        if (m_loadBackground)
            return CTiledBackground::FromBitmap(m_loadBackground(file));
        return CTiledBackground::FromBmpFile(file);
    };
    HINSTANCE module = GetModuleHandleW(nullptr);
    std::unique_ptr<CTiledBackground> view = load(viewFile);
    if (!view)
        view = CTiledBackground::FromResource(module, kViewBackgroundResource);
    std::unique_ptr<CTiledBackground> grey = load(greyFile);
    if (!grey)
        grey = CTiledBackground::FromResource(module, kGreyBackgroundResource);
    m_painter->SetBackgrounds(std::move(view), std::move(grey));
    if (Handle())
        InvalidateRect(Handle(), nullptr, FALSE);
}
