#pragma once
#include "framework/CView.h"

// The framework view of the memo window. It fills the frame below the bars; the text edit window
// it will host covers it except for a thin frame.
class CVelTextView : public CView {
public:
    static constexpr int kFrameWidth = 5;

protected:
    void PreCreateWindow(CREATESTRUCTW& cs) override;
    void OnDraw(HDC dc) override;
};
