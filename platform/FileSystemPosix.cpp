#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/PosixPath.h"

namespace vel::platform {

namespace {

class CPosixOutputFile final : public COutputFile {
public:
    explicit CPosixOutputFile(int fd) : m_fd(fd) {}
    ~CPosixOutputFile() override
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    bool Write(const void* data, std::size_t size) override
    {
        const auto* p = static_cast<const char*>(data);
        while (size > 0 && m_fd >= 0) {
            const ssize_t done = write(m_fd, p, size);
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0) {
                m_failed = true;
                return false;
            }
            p += done;
            size -= static_cast<std::size_t>(done);
        }
        return !m_failed && m_fd >= 0;
    }
    bool Commit() override
    {
        if (m_fd < 0)
            return false;
        const bool synced = fsync(m_fd) == 0;
        const bool closed = close(m_fd) == 0;
        m_fd = -1;
        return !m_failed && synced && closed;
    }

private:
    int m_fd;
    bool m_failed = false;
};

} // namespace

FileAttributes ReadAttributes(const std::u16string& path)
{
    FileAttributes a;
    struct stat st{};
    if (path.empty() || stat(ToNativePath(path).c_str(), &st) != 0)
        return a;
    a.exists = true;
    a.directory = S_ISDIR(st.st_mode);
    a.readOnly = (st.st_mode & S_IWUSR) == 0;
    return a;
}

bool ChangeAttributes(const std::u16string& path, bool readOnly, bool system)
{
    if (system)
        return false;
    const std::string native = ToNativePath(path);
    struct stat st{};
    if (stat(native.c_str(), &st) != 0)
        return false;
    const mode_t mode = readOnly ? (st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (st.st_mode | S_IWUSR);
    return chmod(native.c_str(), mode & 07777) == 0;
}

bool MakeDirectory(const std::u16string& path)
{
    return !path.empty() && mkdir(ToNativePath(path).c_str(), 0777) == 0;
}

bool RemoveFolder(const std::u16string& path)
{
    return !path.empty() && rmdir(ToNativePath(path).c_str()) == 0;
}

bool RemoveFile(const std::u16string& path)
{
    return !path.empty() && unlink(ToNativePath(path).c_str()) == 0;
}

std::vector<std::u16string> ListMatching(const std::u16string& folder, const std::u16string& pattern)
{
    std::vector<std::u16string> names;
    DIR* dir = opendir(folder.empty() ? "." : ToNativePath(folder).c_str());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        std::u16string name = FromNativePath(entry->d_name);
        if (MatchesPattern(name, pattern))
            names.push_back(std::move(name));
    }
    closedir(dir);
    return names;
}

bool CanOpenForReading(const std::u16string& path)
{
    const int fd = path.empty() ? -1 : open(ToNativePath(path).c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

bool ReadWholeFile(const std::u16string& path, std::vector<std::uint8_t>& bytes)
{
    const int fd = path.empty() ? -1 : open(ToNativePath(path).c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    bool ok = false;
    struct stat st{};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0) {
        try {
            bytes.resize(static_cast<std::size_t>(st.st_size));
            std::size_t got = 0;
            ok = true;
            while (got < bytes.size()) {
                const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    bytes.resize(got); // the file shrank while we read it
                    break;
                }
                got += static_cast<std::size_t>(n);
            }
        } catch (const std::bad_alloc&) {
            bytes.clear();
            ok = false;
        } catch (const std::length_error&) {
            bytes.clear();
            ok = false;
        }
    }
    close(fd);
    return ok;
}

std::unique_ptr<COutputFile> CreateNewFile(const std::u16string& path)
{
    const int fd = path.empty() ? -1 : open(ToNativePath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0)
        return nullptr;
    return std::make_unique<CPosixOutputFile>(fd);
}

bool ReplaceWith(const std::u16string& from, const std::u16string& to)
{
    return std::rename(ToNativePath(from).c_str(), ToNativePath(to).c_str()) == 0;
}

std::u16string WorkingDirectory()
{
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer))
        return {};
    return FromNativePath(buffer);
}

bool SetWorkingDirectory(const std::u16string& path)
{
    return !path.empty() && chdir(ToNativePath(path).c_str()) == 0;
}

} // namespace vel::platform
