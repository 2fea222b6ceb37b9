#pragma once
#include <windows.h>

// The wait cursor for the length of a step; the cursor before comes back at the end.
class CWaitCursor {
public:
    CWaitCursor() : m_old(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_old); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_old;
};
