#pragma once
// A numeric edit field that exchanges an integer with its owner. Without a scale the integer is
// shown with a fixed number of decimals (1234 with 2 decimals is "12.34"); with a scale s the text
// is a real x = v * s + minimum and the integer a position among `positions` steps between the
// minimum and the maximum. Every change typed while the field has the focus is reported to the
// owner as WM_USER+102 (control id, value).
#include <windows.h>

#include <string>
#include <vector>

#include "app/CSubclassedControl.h"

class CIntEdit : public CSubclassedControl {
public:
    CIntEdit();

    // id is what the owner is told with each value; owner null: only the parent chain is told.
    void SetOwner(UINT id, HWND owner);
    void SetFormat(int decimals, int positions, float scale, float minimum, float maximum);
    // The characters that may be typed, and the keys whose key-down and key-up reach the field.
    void SetAllowedChars(std::wstring chars) { m_chars = std::move(chars); }
    void SetHandledKeys(std::vector<UINT> keys) { m_keys = std::move(keys); }

    int Value() const;
    void Show(int value);

    // Set when the user has finished an entry (Enter, or the focus left the field).
    bool CommitPending() const { return m_commitPending; }
    void ClearCommitPending() { m_commitPending = false; }
    bool HasFocus() const { return m_hasFocus; }

    // The text-to-value and value-to-text rules on their own.
    int ValueOf(const std::wstring& text) const;
    std::wstring TextOf(int value) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> OnReflected(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool HandlesKey(UINT key) const;
    void Commit();
    void NotifyOwner();

    UINT m_id = 0;
    HWND m_owner = nullptr;
    int m_decimals = 0;
    int m_positions = 0;
    float m_scale = 0;
    float m_minimum = 0;
    float m_maximum = 0;
    std::wstring m_chars;
    std::vector<UINT> m_keys;
    bool m_hasFocus = false;
    bool m_commitPending = false;
};
