#include "framework/CFileDialog.h"

#include <commdlg.h>

#include <algorithm>

namespace {

constexpr size_t kPathBuffer = 260;

UINT_PTR CALLBACK PassThroughHook(HWND, UINT, WPARAM, LPARAM)
{
    return 0;  // let the dialog process every message itself
}

std::wstring FilterString(const CFileDialog::Filter& filter)
{
    std::wstring result;
    for (const auto& [text, pattern] : filter) {
        result += text;
        result += L'\0';
        result += pattern;
        result += L'\0';
    }
    result += L'\0';
    return result;
}

void CopyInto(std::vector<wchar_t>& buffer, const std::wstring& text)
{
    const size_t count = std::min(text.size(), buffer.size() - 1);
    std::copy_n(text.begin(), count, buffer.begin());
    buffer[count] = L'\0';
}

}  // namespace

DWORD CFileDialog::StyleFlags(Style style)
{
    switch (style) {
    case Style::Explorer: return OFN_EXPLORER | OFN_ENABLEHOOK;
    case Style::Old: return OFN_ENABLEHOOK;
    case Style::Default: break;
    }
    return 0;
}

CFileDialog::Style CFileDialog::StyleFromSetting(int value)
{
    return value == 1 ? Style::Explorer : value == 2 ? Style::Old : Style::Default;
}

bool CFileDialog::Open(HWND owner, const std::wstring& title, const Filter& filter, const std::wstring& folder,
                       Style style, std::wstring& path)
{
    const std::wstring filterText = FilterString(filter);
    std::vector<wchar_t> file(kPathBuffer, L'\0');
    std::vector<wchar_t> fileTitle(kPathBuffer, L'\0');
    CopyInto(file, folder + L"*.txt");

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterText.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrFileTitle = fileTitle.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(fileTitle.size());
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | StyleFlags(style);
    ofn.lpfnHook = style == Style::Default ? nullptr : &PassThroughHook;
    if (!GetOpenFileNameW(&ofn)) {
        return false;
    }
    path = file.data();
    return true;
}

bool CFileDialog::Save(HWND owner, const std::wstring& title, const Filter& filter, const std::wstring& folder,
                       const std::wstring& fileName, const std::wstring& defaultExtension, Style style,
                       std::wstring& path)
{
    const std::wstring filterText = FilterString(filter);
    std::vector<wchar_t> file(kPathBuffer, L'\0');
    std::vector<wchar_t> fileTitle(kPathBuffer, L'\0');
    CopyInto(file, fileName);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterText.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrFileTitle = fileTitle.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(fileTitle.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = defaultExtension.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | StyleFlags(style);
    ofn.lpfnHook = style == Style::Default ? nullptr : &PassThroughHook;
    if (!GetSaveFileNameW(&ofn)) {
        return false;
    }
    path = file.data();
    return true;
}
