#include "picture/CEditPict.h"

#include <windowsx.h>

#include "picture/CPicList.h"
#include "picture/CRotateDlg.h"

CEditPict::CEditPict(const CPicList& pictures) : m_pictures(pictures) {}

CEditPict::~CEditPict() = default;

void CEditPict::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.lpszClass = RegisterClassOnce(L"VelEditPict", 0, nullptr, nullptr);
}

bool CEditPict::Create(HWND parent, int pictureId, const RECT& rect)
{
    {
        CPicList::UseLock use = m_pictures.Use();
        const CPicData* picture = m_pictures.FindById(pictureId);
        if (!picture)
            return false;
        m_frame = picture->Frame();
    }
    m_id = pictureId;
    if (!CreateEx(0, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent, nullptr))
        return false;
    SetFocus(Handle());
    return true;
}

void CEditPict::SetFrame(const CPicFrame& frame)
{
    m_frame = frame;
    if (Handle()) {
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    }
}

void CEditPict::Place(const RECT& rect)
{
    if (Handle())
        MoveWindow(Handle(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

int CEditPict::RotationAngle(UINT command, LPARAM value)
{
    switch (command) {
    case kRotate: return static_cast<int>(value);
    case kRotateRight90: return 90;
    case kRotateLeft90: return 270;
    case 32908: return 5;
    case 32909: return 3;
    case 32910: return 1;
    case 32911: return 355;
    case 32912: return 357;
    case 32913: return 359;
    default: return -1;
    }
}

void CEditPict::Changed()
{
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
    PostMessageW(GetParent(Handle()), kFramingChanged, static_cast<WPARAM>(m_id), 0);
}

void CEditPict::BeginDrag(POINT point)
{
    m_dragging = true;
    m_dragStart = point;
    m_startScrollX = m_frame.ScrollX();
    m_startScrollY = m_frame.ScrollY();
    SetCapture(Handle());
    SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
}

void CEditPict::DragTo(POINT point, bool last)
{
    // The picture follows the mouse: its scroll position moves the other way.
    const bool moved = m_frame.ScrollTo(m_startScrollX - (point.x - m_dragStart.x), m_startScrollY - (point.y - m_dragStart.y));
    if (last) {
        m_dragging = false;
        ReleaseCapture();
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        if (m_frame.ScrollX() != m_startScrollX || m_frame.ScrollY() != m_startScrollY)
            Changed();
        return;
    }
    if (moved) {
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    }
}

void CEditPict::Zoom(int steps)
{
    bool changed = false;
    for (int i = 0; i < (steps < 0 ? -steps : steps); ++i)
        changed = m_frame.ZoomAroundCentre(steps < 0 ? -1 : 1) || changed;
    if (changed)
        Changed();
}

void CEditPict::Move(int dx, int dy)
{
    if (m_frame.ScrollBy(dx, dy))
        Changed();
}

bool CEditPict::OnCommandMessage(UINT id, LPARAM value)
{
    HWND parent = GetParent(Handle());
    if (id == kAngle) {
        int angle = 0;
        if (CRotateDlg::Ask(Handle(), angle))
            PostMessageW(parent, kEditCommand, kRotate, angle);
        return true;
    }
    if (id == kEndEdit || id == kResize || id == kRotateRight90 || id == kRotateLeft90 || id == kRotate ||
        (id >= kLeft5 && id <= kRight1)) {
        PostMessageW(parent, kEditCommand, id, value);
        return true;
    }
    return false;
}

LRESULT CEditPict::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (CPicList::UseLock use = m_pictures.TryUse()) {
        const CPicData* picture = m_pictures.FindById(m_id);
        if (picture && (!m_shown || !(m_shownFrame == m_frame) || m_shownVersion != picture->Version() ||
                        m_shown.Width() != width || m_shown.Height() != height)) {
            m_shown = CPicBitmap(*picture, m_frame, width, height);
            m_shownFrame = m_frame;
            m_shownVersion = picture->Version();
        }
    }
    if (m_shown)
        m_shown.Draw(dc, client);
    else
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(Handle(), &ps);
    return 0;
}

LRESULT CEditPict::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        return OnPaint();
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        SetFocus(Handle());
        BeginDrag(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEMOVE:
        if (m_dragging)
            DragTo(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, false);
        return 0;
    case WM_LBUTTONUP:
        if (m_dragging)
            DragTo(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, true);
        return 0;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-drag: the picture stays where it was dragged to.
        if (m_dragging) {
            m_dragging = false;
            if (m_frame.ScrollX() != m_startScrollX || m_frame.ScrollY() != m_startScrollY)
                Changed();
        }
        return 0;
    case WM_MOUSEWHEEL:
        if (!m_dragging)
            Zoom(GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
        return 0;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_PRIOR: Zoom(1); return 0;
        case VK_NEXT: Zoom(-1); return 0;
        case VK_LEFT: Move(kArrowStep, 0); return 0;
        case VK_RIGHT: Move(-kArrowStep, 0); return 0;
        case VK_UP: Move(0, kArrowStep); return 0;
        case VK_DOWN: Move(0, -kArrowStep); return 0;
        default: break;
        }
        break;
    case WM_COMMAND:
        if (OnCommandMessage(LOWORD(wParam), lParam))
            return 0;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
