#pragma once
#include <windows.h>

#include <string>

// Settings kept under HKEY_CURRENT_USER\Software\<company>\<application>\<section>. Every read
// goes to the registry and every write is stored at once; a missing or unreadable value reads as
// the caller's default.
class CRegistryProfile {
public:
    void SetKey(const std::wstring& company, const std::wstring& application);
    bool HasKey() const { return !m_root.empty(); }
    std::wstring SectionPath(const std::wstring& section) const;

    int GetInt(const std::wstring& section, const std::wstring& key, int defaultValue) const;
    bool WriteInt(const std::wstring& section, const std::wstring& key, int value) const;
    std::wstring GetString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue) const;
    bool WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;

private:
    std::wstring m_root;  // Software\<company>\<application>
};
