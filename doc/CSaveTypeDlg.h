#pragma once
// Asks how the memo's text is to be saved: the memo format, without paragraph information, or
// with it turned into spaces. A click on a choice ends the dialog at once.
#include "framework/CDialog.h"
#include "framework/CMessageMap.h"

class CSaveTypeDlg : public CDialog {
public:
    explicit CSaveTypeDlg(HWND parent);

    // 0, 1 or 2 in the order of the buttons; 0 until one is clicked.
    int Choice() const { return m_choice; }
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

private:
    void OnMemoFormat() { Choose(0); }
    void OnWithoutParagraphs() { Choose(1); }
    void OnParagraphsAsSpaces() { Choose(2); }
    void Choose(int choice);

    static const CommandEntry<CSaveTypeDlg> kCommandMap[];
    int m_choice = 0;
};
