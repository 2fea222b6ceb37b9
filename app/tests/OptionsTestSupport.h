#pragma once
// Helpers of the options tests: settings under a registry key of the tests' own, how many values
// were stored there, small picture files, and reading the controls of an open dialog.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/CAppSettings.h"
#include "app/CFileName.h"
#include "app/WideText.h"
#include "app/tests/NavigationTestSupport.h"
#include "framework/CRegistryProfile.h"

namespace opttest {

using navtest::CScratchFolder;
using navtest::Pump;
using navtest::Text;

constexpr wchar_t kTestKey[] = L"Software\\Norvaly\\VelTextOptionsTest";

class CTestSettings {
public:
    CTestSettings() : m_settings(m_profile, [] { return ToWide(CFileName::DefaultMemoBase()); })
    {
        m_profile.SetKey(L"Norvaly", L"VelTextOptionsTest");
        Clear();
    }
    ~CTestSettings() { Clear(); }
    CTestSettings(const CTestSettings&) = delete;
    CTestSettings& operator=(const CTestSettings&) = delete;

    const CAppSettings& Settings() const { return m_settings; }
    const CRegistryProfile& Profile() const { return m_profile; }

    // The values stored in the section so far.
    int StoredCount() const
    {
        HKEY key = nullptr;
        const std::wstring path = std::wstring(kTestKey) + L"\\" + CAppSettings::kSection;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return 0;
        DWORD values = 0;
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr);
        RegCloseKey(key);
        return static_cast<int>(values);
    }
    bool Has(const std::wstring& name) const
    {
        const std::wstring path = std::wstring(kTestKey) + L"\\" + CAppSettings::kSection;
        return RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }
    int Int(const std::wstring& name) const { return m_profile.GetInt(CAppSettings::kSection, name, -12345); }

private:
    void Clear() { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }

    CRegistryProfile m_profile;
    CAppSettings m_settings;
};

// A 24-bit BMP file whose pixel (x, y) is colour(x, y); GDI+ reads it whatever its extension.
inline void WriteBmp(const std::wstring& path, int width, int height,
                     const std::function<COLORREF(int, int)>& colour)
{
    const int row = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(row * height));
    for (int y = 0; y < height; ++y) {
        std::uint8_t* line = data.data() + static_cast<std::size_t>((height - 1 - y) * row);
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            line[x * 3] = GetBValue(c);
            line[x * 3 + 1] = GetGValue(c);
            line[x * 3 + 2] = GetRValue(c);
        }
    }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + data.size());
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(data.size());
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(handle, &file, sizeof file, &written, nullptr);
    WriteFile(handle, &info, sizeof info, &written, nullptr);
    WriteFile(handle, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(handle);
}

inline void WriteSolidBmp(const std::wstring& path, COLORREF colour, int width = 8, int height = 8)
{
    WriteBmp(path, width, height, [colour](int, int) { return colour; });
}

inline bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool Visible(HWND dialog, int id)
{
    return (GetWindowLongPtrW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

inline bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

inline void Click(HWND dialog, int id)
{
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline void SetText(HWND dialog, int id, const std::wstring& text)
{
    SetWindowTextW(GetDlgItem(dialog, id), text.c_str());
}

inline std::wstring ItemText(HWND dialog, int id)
{
    return Text(GetDlgItem(dialog, id));
}

inline BOOL CALLBACK CollectCaption(HWND child, LPARAM out)
{
    reinterpret_cast<std::vector<std::wstring>*>(out)->push_back(Text(child));
    return TRUE;
}

// Every caption of the dialog's controls.
inline std::vector<std::wstring> Captions(HWND dialog)
{
    std::vector<std::wstring> texts;
    EnumChildWindows(dialog, &CollectCaption, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

}  // namespace opttest
