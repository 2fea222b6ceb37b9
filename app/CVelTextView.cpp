#include "app/CVelTextView.h"

void CVelTextView::PreCreateWindow(CREATESTRUCTW& cs)
{
    CView::PreCreateWindow(cs);
    cs.style |= WS_CLIPCHILDREN;
}

void CVelTextView::OnDraw(HDC dc)
{
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
}
