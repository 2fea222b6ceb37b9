#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "framework/CControlBar.h"
#include "framework/CMessageMap.h"
#include "framework/CWnd.h"

class CDocument;
class CView;

// What a frame needs to make its view: the view's maker and the document it shows.
struct CCreateContext {
    std::function<std::unique_ptr<CView>()> makeView;
    CDocument* document = nullptr;
};

// The framework frame: a top-level window with the menu and accelerator table of one resource id,
// docked bars and one view. Commands go view (and its document) -> frame -> application.
class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    bool LoadFrame(UINT resourceId, DWORD style, CCreateContext context);
    UINT ResourceId() const { return m_resourceId; }
    CView* ActiveView() const { return m_view.get(); }
    CDocument* ActiveDocument() const;
    HACCEL Accelerators() const { return m_accelerators; }

    void AddControlBar(CControlBar& bar);
    void RemoveControlBar(const CControlBar& bar);
    void RecalcLayout();

    // The print preview takes the view's place and the first turn at every command while it is
    // up; none gives the view back.
    void SetPreview(CWnd* preview);
    CWnd* Preview() const { return m_preview; }
    // The bars along the top go while a print job or the preview runs (the status bar stays);
    // calls nest, and the last show brings back the bars that were shown before.
    void HideTopBars(bool hide);
    bool TopBarsHidden() const { return m_topBarsHidden > 0; }

    // Asks the command route for the state of every item of a popup that is about to open; items
    // nobody answers for are greyed.
    void UpdateMenuPopup(HMENU popup);
    // Idle-time state of the bars' controls and indicators.
    void UpdateControlBars();

    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

protected:
    void PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The frame's own commands, after the view and before the application. Derived frames put
    // their table first and then call this.
    virtual bool OnFrameCmdMsg(UINT id, CCmdUI* ui);
    void PostNcDestroy() override;

    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);

    void OnToggleStatusBar();
    void OnUpdateToggleStatusBar(CCmdUI& ui);

private:
    CControlBar* BarById(UINT id) const;

    static const MessageEntry<CFrameWnd> kMessageMap[];
    static const CommandEntry<CFrameWnd> kCommandMap[];

    UINT m_resourceId = 0;
    HACCEL m_accelerators = nullptr;
    CCreateContext m_context;
    std::unique_ptr<CView> m_view;
    std::vector<CControlBar*> m_bars;
    CWnd* m_preview = nullptr;
    int m_topBarsHidden = 0;
    std::vector<CControlBar*> m_barsHiddenForPrinting;
};
