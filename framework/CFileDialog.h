#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// The system's open and save dialogs in the three looks the user may choose: the default one,
// the explorer type with a (do-nothing) hook, and the old type with the hook but no explorer style.
class CFileDialog {
public:
    enum class Style { Default = 0, Explorer = 1, Old = 2 };
    // Display text and pattern, e.g. {L"テキストファイル (*.TXT)", L"*.txt"}.
    using Filter = std::vector<std::pair<std::wstring, std::wstring>>;

    // Starts with the file name <folder>*.txt; the chosen file must exist.
    static bool Open(HWND owner, const std::wstring& title, const Filter& filter, const std::wstring& folder,
                     Style style, std::wstring& path);
    // Proposes `fileName` in `folder`, adds `defaultExtension` and asks before overwriting.
    static bool Save(HWND owner, const std::wstring& title, const Filter& filter, const std::wstring& folder,
                     const std::wstring& fileName, const std::wstring& defaultExtension, Style style,
                     std::wstring& path);
    // The flags for a style on top of the dialog's own.
    static DWORD StyleFlags(Style style);
    static Style StyleFromSetting(int value);
};
