#include "platform/FileHold.h"

#include <windows.h>

namespace vel::platform {

namespace {

const wchar_t* W(const std::u16string& s)
{
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

class CWin32HeldFile final : public CHeldFile {
public:
    explicit CWin32HeldFile(HANDLE handle) : m_handle(handle) {}
    ~CWin32HeldFile() override { CloseHandle(m_handle); }

private:
    HANDLE m_handle;
};

}  // namespace

std::unique_ptr<CHeldFile> HoldFile(const std::u16string& path)
{
    // Write access without sharing it: nobody else can open the file for writing meanwhile.
    HANDLE handle = CreateFileW(W(path), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_unique<CWin32HeldFile>(handle);
}

bool IsFileHeld(const std::u16string& path)
{
    HANDLE handle = CreateFileW(W(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

} // namespace vel::platform
