#include "platform/FileHold.h"

#include "platform/PosixPath.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vel::platform {

namespace {

class CPosixHeldFile final : public CHeldFile {
public:
    explicit CPosixHeldFile(int fd) : m_fd(fd) {}
    ~CPosixHeldFile() override { close(m_fd); }

private:
    int m_fd;
};

}  // namespace

// An exclusive lock on an open file stands for the hold; it goes with the process.
std::unique_ptr<CHeldFile> HoldFile(const std::u16string& path)
{
    const int fd = open(ToNativePath(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return nullptr;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<CPosixHeldFile>(fd);
}

bool IsFileHeld(const std::u16string& path)
{
    const int fd = open(ToNativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
    close(fd);
    return held;
}

} // namespace vel::platform
