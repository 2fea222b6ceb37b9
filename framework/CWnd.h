#pragma once
#include <windows.h>

#include <string>

#include "framework/CCmdTarget.h"

// A window of ours: the C++ object is tied to its HWND from the first message on, and every
// message goes through the virtual WindowProc. The object may outlive its window; destroying the
// object destroys a window that is still there.
class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND Handle() const { return m_hWnd; }
    // The object of one of our windows, or null for any other window.
    static CWnd* FromHandle(HWND hwnd);

    bool CreateEx(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                  HWND parent, HMENU menuOrId);
    void DestroyWindow();

    std::wstring Text() const;
    void SetText(const std::wstring& text);

    // Registers (once) a window class whose messages reach WindowProc; returns its name.
    static const wchar_t* RegisterClassOnce(const wchar_t* name, UINT style, HBRUSH background,
                                            HICON icon);

protected:
    // Fills in the creation parameters; the class name must be one from RegisterClassOnce.
    virtual void PreCreateWindow(CREATESTRUCTW& cs);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: menu items, accelerators and button clicks become routed commands; other control
    // notifications go to OnControlNotify.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual bool OnControlNotify(UINT id, UINT code, HWND control);
    // Called after the last message (WM_NCDESTROY); the window handle is already gone.
    virtual void PostNcDestroy() {}

    // Ties a window created elsewhere (a dialog) to this object; used by the dialog procedure.
    void Attach(HWND hwnd);
    static CWnd* TakeCreatingWindow();
    static void SetCreatingWindow(CWnd* wnd);

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend LRESULT DispatchToObject(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
};

// Shared by the window and dialog procedures: run WindowProc and detach after WM_NCDESTROY.
LRESULT DispatchToObject(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
