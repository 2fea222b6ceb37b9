#pragma once
// The input method context of a window for the length of one step: taken with ImmGetContext and
// given back on destruction. Without an input method every call does nothing.
#include <windows.h>
#include <imm.h>

#include <string>

class CImeContext {
public:
    explicit CImeContext(HWND window) : m_window(window), m_context(ImmGetContext(window)) {}
    ~CImeContext()
    {
        if (m_context)
            ImmReleaseContext(m_window, m_context);
    }
    CImeContext(const CImeContext&) = delete;
    CImeContext& operator=(const CImeContext&) = delete;

    explicit operator bool() const { return m_context != nullptr; }
    HIMC Handle() const { return m_context; }

    bool IsOpen() const { return m_context && ImmGetOpenStatus(m_context); }
    void SetOpen(bool open) const
    {
        if (m_context)
            ImmSetOpenStatus(m_context, open ? TRUE : FALSE);
    }
    // The committed result string of a composition.
    std::u16string ResultString() const;
    // Commits an open composition so that its text goes into the memo.
    void CompleteComposition() const
    {
        if (m_context)
            ImmNotifyIME(m_context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    }

private:
    HWND m_window;
    HIMC m_context;
};
