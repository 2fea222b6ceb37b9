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

namespace {

// The buffers and fields both dialogs fill alike; the caller adds its own flags and runs it.
struct DialogRequest {
    std::wstring filterText;
    std::vector<wchar_t> file = std::vector<wchar_t>(kPathBuffer, L'\0');
    std::vector<wchar_t> fileTitle = std::vector<wchar_t>(kPathBuffer, L'\0');
    OPENFILENAMEW ofn{};

    DialogRequest(HWND owner, const CFileDialog::Filter& filter, const std::wstring& initialFile,
                  CFileDialog::Style style)
        : filterText(FilterString(filter))
    {
        CopyInto(file, initialFile);
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = filterText.c_str();
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        ofn.lpstrFileTitle = fileTitle.data();
        ofn.nMaxFileTitle = static_cast<DWORD>(fileTitle.size());
        ofn.Flags = OFN_HIDEREADONLY | CFileDialog::StyleFlags(style);
        ofn.lpfnHook = style == CFileDialog::Style::Default ? nullptr : &PassThroughHook;
    }
    DialogRequest(const DialogRequest&) = delete;
    DialogRequest& operator=(const DialogRequest&) = delete;
};

}  // namespace

bool CFileDialog::Open(HWND owner, const std::wstring& title, const Filter& filter, const std::wstring& folder,
                       Style style, std::wstring& path)
{
    DialogRequest request(owner, filter, folder + L"*.txt", style);
    request.ofn.lpstrTitle = title.c_str();
    request.ofn.Flags |= OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&request.ofn)) {
        return false;
    }
    path = request.file.data();
    return true;
}

bool CFileDialog::Save(HWND owner, const std::wstring& title, const Filter& filter, const std::wstring& folder,
                       const std::wstring& fileName, const std::wstring& defaultExtension, Style style,
                       std::wstring& path)
{
    DialogRequest request(owner, filter, fileName, style);
    request.ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    request.ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    request.ofn.lpstrDefExt = defaultExtension.c_str();
    request.ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameW(&request.ofn)) {
        return false;
    }
    path = request.file.data();
    return true;
}
