#include "framework/CView.h"

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/FrameworkIds.h"

bool CView::Create(CFrameWnd& frame, CDocument* document)
{
    m_document = document;
    if (m_document != nullptr) {
        m_document->AddView(this);
    }
    return CreateEx(WS_EX_CLIENTEDGE, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                    frame.Handle(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(VEL_IDW_PANE_FIRST)));
}

void CView::OnInitialUpdate()
{
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool CView::OnCmdMsg(UINT id, CCmdUI* ui)
{
    return m_document != nullptr && m_document->OnCmdMsg(id, ui);
}

void CView::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.lpszClass = RegisterClassOnce(L"VelView", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        OnDraw(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CView::OnDraw(HDC)
{
}

void CView::PostNcDestroy()
{
    if (m_document != nullptr) {
        m_document->RemoveView(this);
    }
}
