#pragma once
#include "framework/CWnd.h"

class CDocument;
class CFrameWnd;

// The framework view: a child window of the frame that fills what the bars leave and shows the
// document. Commands it does not take go to its document.
class CView : public CWnd {
public:
    bool Create(CFrameWnd& frame, CDocument* document);
    CDocument* Document() const { return m_document; }

    virtual void OnInitialUpdate();
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

protected:
    void PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void OnDraw(HDC dc);
    void PostNcDestroy() override;

private:
    CDocument* m_document = nullptr;
};
