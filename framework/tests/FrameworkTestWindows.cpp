#include "framework/tests/FrameworkTestWindows.h"

#include "framework/tests/FrameworkTestIds.h"

CallLog& Calls()
{
    static CallLog calls;
    return calls;
}

const CommandEntry<CTestDocument> CTestDocument::kCommandMap[] = {
    {ID_TEST_DOCUMENT, &CTestDocument::OnDocument, nullptr},
    {ID_TEST_SHARED, &CTestDocument::OnShared, &CTestDocument::OnUpdateShared},
};

bool CTestDocument::OnCmdMsg(UINT id, CCmdUI* ui)
{
    return RouteCommandTo(*this, kCommandMap, id, ui) || CDocument::OnCmdMsg(id, ui);
}

const CommandEntry<CTestView> CTestView::kCommandMap[] = {
    {ID_TEST_VIEW, &CTestView::OnView, nullptr},
};

bool CTestView::OnCmdMsg(UINT id, CCmdUI* ui)
{
    return RouteCommandTo(*this, kCommandMap, id, ui) || CView::OnCmdMsg(id, ui);
}

const CommandEntry<CTestFrame> CTestFrame::kCommandMap[] = {
    {ID_TEST_FRAME, &CTestFrame::OnFrame, nullptr},
    {ID_TEST_SHARED, &CTestFrame::OnShared, nullptr},
    {ID_TEST_CHECKED, &CTestFrame::OnChecked, &CTestFrame::OnUpdateChecked},
};

bool CTestFrame::OnFrameCmdMsg(UINT id, CCmdUI* ui)
{
    return RouteCommandTo(*this, kCommandMap, id, ui) || CFrameWnd::OnFrameCmdMsg(id, ui);
}

const CommandEntry<CTestApp> CTestApp::kCommandMap[] = {
    {ID_TEST_APP, &CTestApp::OnApp, nullptr},
};

bool CTestApp::OnCmdMsg(UINT id, CCmdUI* ui)
{
    return RouteCommandTo(*this, kCommandMap, id, ui) || CWinApp::OnCmdMsg(id, ui);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
