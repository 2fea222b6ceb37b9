#pragma once
// What the view asks of the control panel above it: which of its text boxes holds the focus (the
// edit commands then work on that box) and which memo base is chosen there.
#include <windows.h>

class CViewPanel {
public:
    virtual ~CViewPanel() = default;
    // The search box (1087) or replace box (1088) when it has the focus, else null.
    virtual HWND FocusedTextBox() const = 0;
    virtual int CurrentMemoBase() const = 0;
    // Makes a memo base the chosen one (a memo of it was opened).
    virtual void SelectMemoBase(int index) = 0;
};
