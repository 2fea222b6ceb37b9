#include "platform/FileSystem.h"

#include "platform/FileSystemFaults.h"

#include <new>
#include <stdexcept>
#include <windows.h>

namespace vel::platform {

namespace {

const wchar_t* W(const std::u16string& s)
{
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

class CHandle {
public:
    explicit CHandle(HANDLE h) : m_h(h) {}
    ~CHandle() { Close(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    HANDLE Get() const { return m_h; }
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE; }
    bool Close()
    {
        const bool ok = !Valid() || CloseHandle(m_h);
        m_h = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE m_h;
};

class CWin32OutputFile final : public COutputFile {
public:
    explicit CWin32OutputFile(HANDLE h) : m_file(h) {}
    bool Write(const void* data, std::size_t size) override
    {
        const auto* p = static_cast<const char*>(data);
        const std::size_t allowed = WritableBytes(size);
        std::size_t left = allowed;
        while (left > 0 && m_file.Valid()) {
            const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
            DWORD done = 0;
            if (!WriteFile(m_file.Get(), p, chunk, &done, nullptr) || done == 0) {
                m_failed = true;
                return false;
            }
            p += done;
            left -= done;
        }
        if (allowed < size) // the disk is "full"
            m_failed = true;
        return !m_failed && m_file.Valid();
    }
    bool Commit() override
    {
        if (!m_file.Valid())
            return false;
        const bool flushed = FlushFileBuffers(m_file.Get()) != FALSE;
        const bool closed = m_file.Close();
        return !m_failed && flushed && closed;
    }

private:
    CHandle m_file;
    bool m_failed = false;
};

// FILETIME counts 100-nanosecond ticks from 1601-01-01; system_clock counts from 1970-01-01.
using FileTicks = std::chrono::duration<long long, std::ratio<1, 10000000>>;
constexpr long long kTicksTo1970 = 116444736000000000LL;

} // namespace

FileAttributes ReadAttributes(const std::u16string& path)
{
    FileAttributes a;
    if (path.empty())
        return a;
    const DWORD attr = GetFileAttributesW(W(path));
    if (attr == INVALID_FILE_ATTRIBUTES)
        return a;
    a.exists = true;
    a.directory = (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
    a.readOnly = (attr & FILE_ATTRIBUTE_READONLY) != 0;
    a.system = (attr & FILE_ATTRIBUTE_SYSTEM) != 0;
    return a;
}

bool ChangeAttributes(const std::u16string& path, bool readOnly, bool system)
{
    const DWORD attr = GetFileAttributesW(W(path));
    if (attr == INVALID_FILE_ATTRIBUTES)
        return false;
    DWORD next = attr & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NORMAL);
    if (readOnly)
        next |= FILE_ATTRIBUTE_READONLY;
    if (system)
        next |= FILE_ATTRIBUTE_SYSTEM;
    if (next == 0)
        next = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesW(W(path), next) != FALSE;
}

bool LastWriteTime(const std::u16string& path, std::chrono::system_clock::time_point& time)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(W(path), GetFileExInfoStandard, &data))
        return false;
    const long long ticks =
        static_cast<long long>((static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                               data.ftLastWriteTime.dwLowDateTime);
    time = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(FileTicks(ticks - kTicksTo1970)));
    return true;
}

bool SetLastWriteTime(const std::u16string& path, std::chrono::system_clock::time_point time)
{
    if (path.empty())
        return false;
    CHandle file(CreateFileW(W(path), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid())
        return false;
    const long long ticks = std::chrono::duration_cast<FileTicks>(time.time_since_epoch()).count() + kTicksTo1970;
    FILETIME written{};
    written.dwLowDateTime = static_cast<DWORD>(static_cast<unsigned long long>(ticks) & 0xFFFFFFFFu);
    written.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(ticks) >> 32);
    return SetFileTime(file.Get(), nullptr, nullptr, &written) != FALSE;
}

bool MakeDirectory(const std::u16string& path)
{
    return !path.empty() && CreateDirectoryW(W(path), nullptr) != FALSE;
}

bool RemoveFolder(const std::u16string& path)
{
    return !path.empty() && RemoveDirectoryW(W(path)) != FALSE;
}

bool RemoveFile(const std::u16string& path)
{
    return !path.empty() && DeleteFileW(W(path)) != FALSE;
}

std::vector<std::u16string> ListMatching(const std::u16string& folder, const std::u16string& pattern)
{
    std::vector<std::u16string> names;
    std::u16string query = folder;
    if (!query.empty() && query.back() != u'\\' && query.back() != u'/')
        query += u'\\';
    query += pattern;
    WIN32_FIND_DATAW data{};
    const HANDLE find = FindFirstFileW(W(query), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.emplace_back(reinterpret_cast<const char16_t*>(data.cFileName));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

bool CanOpenForReading(const std::u16string& path)
{
    if (path.empty())
        return false;
    CHandle file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid();
}

bool ReadWholeFile(const std::u16string& path, std::vector<std::uint8_t>& bytes)
{
    if (path.empty())
        return false;
    CHandle file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0)
        return false;
    if (static_cast<unsigned long long>(size.QuadPart) > static_cast<unsigned long long>(SIZE_MAX / 2))
        return false;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return false;
    } catch (const std::length_error&) {
        bytes.clear();
        return false;
    }
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::size_t left = bytes.size() - got;
        const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD done = 0;
        if (!ReadFile(file.Get(), bytes.data() + got, chunk, &done, nullptr))
            return false;
        if (done == 0) {
            bytes.resize(got);
            break;
        }
        got += done;
    }
    return true;
}

std::unique_ptr<COutputFile> CreateNewFile(const std::u16string& path)
{
    if (path.empty())
        return nullptr;
    const HANDLE h = CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_unique<CWin32OutputFile>(h);
}

bool ReplaceWith(const std::u16string& from, const std::u16string& to)
{
    // Windows refuses to replace a read-only file; Wine does not, so ask first.
    const DWORD target = GetFileAttributesW(W(to));
    if (target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_READONLY) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return MoveFileExW(W(from), W(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::u16string WorkingDirectory()
{
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0)
        return {};
    std::u16string out(size, u'\0');
    const DWORD done = GetCurrentDirectoryW(size, reinterpret_cast<wchar_t*>(out.data()));
    out.resize(done < size ? done : 0);
    return out;
}

bool SetWorkingDirectory(const std::u16string& path)
{
    return !path.empty() && SetCurrentDirectoryW(W(path)) != FALSE;
}

} // namespace vel::platform
