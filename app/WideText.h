#pragma once
#include <string>

// The portable core keeps text as char16_t; on Windows wchar_t has the same size and encoding.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "window-side code needs 16-bit wchar_t");

inline std::wstring ToWide(const std::u16string& text)
{
    return std::wstring(text.begin(), text.end());
}

inline std::u16string ToU16(const std::wstring& text)
{
    return std::u16string(text.begin(), text.end());
}
