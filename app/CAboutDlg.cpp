#include "app/CAboutDlg.h"

#include <vector>

#include "app/Resource.h"
#include "VersionInfo.h"

namespace {
constexpr wchar_t kProductTitle[] = L"Ｖｅｌのメモ帳";
}

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent)
{
}

std::wstring CAboutDlg::VersionText()
{
    wchar_t executable[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, executable, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(executable, &ignored);
    std::wstring version = VEL_VERSION_WIDE;  // a program without the resource (the tests)
    if (size != 0) {
        std::vector<BYTE> data(size);
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (GetFileVersionInfoW(executable, 0, size, data.data()) &&
            VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) && info != nullptr) {
            version = std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." +
                      std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
                      std::to_wstring(HIWORD(info->dwFileVersionLS));
            // The fourth part is a rebuild of the same release; shown only when it is one.
            if (LOWORD(info->dwFileVersionLS) != 0)
                version += L"." + std::to_wstring(LOWORD(info->dwFileVersionLS));
        }
    }
    return std::wstring(kProductTitle) + L" Version " + version;
}

bool CAboutDlg::OnInitDialog()
{
    SetDlgItemTextW(Handle(), IDC_ABOUT_VERSION, VersionText().c_str());
    return CDialog::OnInitDialog();
}
