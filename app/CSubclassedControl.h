#pragma once
// A control of a dialog (made from the dialog's template) that one of our objects takes over:
// its messages pass through WindowProc first, and the notifications and colour requests that the
// control sends to its parent are offered to OnReflected before the parent sees them, so that the
// small controls work in any dialog without help from it.
#include <windows.h>

#include <optional>

class CSubclassedControl {
public:
    CSubclassedControl() = default;
    virtual ~CSubclassedControl();
    CSubclassedControl(const CSubclassedControl&) = delete;
    CSubclassedControl& operator=(const CSubclassedControl&) = delete;

    // Takes over control; false when it is null or this object already has a control.
    bool Attach(HWND control);
    bool Attach(HWND dialog, int controlId) { return Attach(GetDlgItem(dialog, controlId)); }
    void Detach();
    HWND Handle() const { return m_hwnd; }

    // The object that took over control, or null.
    static CSubclassedControl* FromHandle(HWND control);

protected:
    virtual void OnAttached() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The control's own handling.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND notifications and WM_CTLCOLOR* requests about this control, as the parent got
    // them. A value is the parent's answer; none lets the parent handle the message as usual.
    virtual std::optional<LRESULT> OnReflected(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data);
    static LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);

    HWND m_hwnd = nullptr;
};
