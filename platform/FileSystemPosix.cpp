#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileSystemFaults.h"
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
        const std::size_t allowed = WritableBytes(size);
        std::size_t left = allowed;
        while (left > 0 && m_fd >= 0) {
            const ssize_t done = write(m_fd, p, left);
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0) {
                m_failed = true;
                return false;
            }
            p += done;
            left -= static_cast<std::size_t>(done);
        }
        if (allowed < size) // the disk is "full"
            m_failed = true;
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

bool LastWriteTime(const std::u16string& path, std::chrono::system_clock::time_point& time)
{
    struct stat st{};
    if (path.empty() || stat(ToNativePath(path).c_str(), &st) != 0)
        return false;
    const auto since = std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec);
    time = std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(since));
    return true;
}

bool SetLastWriteTime(const std::u16string& path, std::chrono::system_clock::time_point time)
{
    const auto since = std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch());
    const auto seconds = std::chrono::floor<std::chrono::seconds>(since);
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT; // access time stays
    times[1].tv_sec = static_cast<time_t>(seconds.count());
    times[1].tv_nsec = static_cast<long>((since - seconds).count());
    return !path.empty() && utimensat(AT_FDCWD, ToNativePath(path).c_str(), times, 0) == 0;
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
    const std::string target = ToNativePath(to);
    struct stat st{};
    if (stat(target.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0) {
        errno = EACCES; // rename would replace it; the user marked it not to be overwritten
        return false;
    }
    return std::rename(ToNativePath(from).c_str(), target.c_str()) == 0;
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
