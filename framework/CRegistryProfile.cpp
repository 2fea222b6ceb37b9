#include "framework/CRegistryProfile.h"

#include <memory>
#include <vector>

namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

UniqueKey OpenForRead(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return UniqueKey(key);
}

UniqueKey OpenForWrite(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return UniqueKey(key);
}

// None when no registry key is set or the section does not exist yet.
UniqueKey OpenSectionForRead(const CRegistryProfile& profile, const std::wstring& section)
{
    return profile.HasKey() ? OpenForRead(profile.SectionPath(section)) : UniqueKey();
}

}  // namespace

void CRegistryProfile::SetKey(const std::wstring& company, const std::wstring& application)
{
    m_root = L"Software\\" + company + L"\\" + application;
}

std::wstring CRegistryProfile::SectionPath(const std::wstring& section) const
{
    return m_root + L"\\" + section;
}

int CRegistryProfile::GetInt(const std::wstring& section, const std::wstring& key, int defaultValue) const
{
    UniqueKey handle = OpenSectionForRead(*this, section);
    if (!handle) {
        return defaultValue;
    }
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(handle.get(), key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        return defaultValue;
    }
    return static_cast<int>(value);
}

bool CRegistryProfile::WriteInt(const std::wstring& section, const std::wstring& key, int value) const
{
    if (!HasKey()) {
        return false;
    }
    UniqueKey handle = OpenForWrite(SectionPath(section));
    const DWORD data = static_cast<DWORD>(value);
    return handle && RegSetValueExW(handle.get(), key.c_str(), 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

std::wstring CRegistryProfile::GetString(const std::wstring& section, const std::wstring& key,
                                         const std::wstring& defaultValue) const
{
    UniqueKey handle = OpenSectionForRead(*this, section);
    if (!handle) {
        return defaultValue;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(handle.get(), key.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return defaultValue;
    }
    // Room for a terminator the stored data may lack.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(handle.get(), key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &bytes) != ERROR_SUCCESS) {
        return defaultValue;
    }
    return std::wstring(buffer.data());
}

bool CRegistryProfile::WriteString(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& value) const
{
    if (!HasKey()) {
        return false;
    }
    UniqueKey handle = OpenForWrite(SectionPath(section));
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return handle && RegSetValueExW(handle.get(), key.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}
