// Saves broken off by a kill, and a folder the program may not write to, run natively with
// child processes.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/FileSystem.h"
#include "text/tests/CTempFolder.h"
#include "text/tests/MemoKillRounds.h"
#include "text/tests/MemoSaveTesting.h"
#include "text/tests/MemoTestFiles.h"

namespace {

constexpr int kRounds = 50;
constexpr int kNobody = 65534;
constexpr int kNoUser = 100; // exit code of a child that could not become the unprivileged user

// Runs task in a child process as an unprivileged user and returns its result (0 to 99), or
// kNoUser. Root may write into read-only folders; another user may not.
int AsUnprivilegedUser(const std::function<int()>& task)
{
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(kNobody) != 0 || setuid(kNobody) != 0)
            _exit(kNoUser);
        _exit(task());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return kNoUser;
    return WEXITSTATUS(status);
}

// A forked copy of this process; it tells through a pipe that it runs.
class CForkedWriter final : public CMemoWriterChild {
public:
    CForkedWriter(std::vector<CMemoModel> models, std::u16string path) : m_models(std::move(models)), m_path(std::move(path)) {}
    ~CForkedWriter() override { Kill(); }

    bool Start(int firstVersion) override
    {
        int ready[2];
        if (pipe(ready) != 0)
            return false;
        m_child = fork();
        if (m_child == 0) {
            close(ready[0]);
            const char go = 'g';
            if (write(ready[1], &go, 1) != 1)
                _exit(1);
            SaveVersionsForever(m_models, m_path, firstVersion);
        }
        close(ready[1]);
        char go = 0;
        const bool running = m_child > 0 && read(ready[0], &go, 1) == 1;
        close(ready[0]);
        return running;
    }
    bool Kill() override
    {
        if (m_child <= 0)
            return false;
        kill(m_child, SIGKILL);
        int status = 0;
        const bool gone = waitpid(m_child, &status, 0) == m_child && WIFSIGNALED(status);
        m_child = -1;
        return gone;
    }

private:
    std::vector<CMemoModel> m_models;
    std::u16string m_path;
    pid_t m_child = -1;
};

} // namespace

TEST(MemoSavePosixTest, KilledSaveLeavesOneWholeVersion)
{
    CTempFolder folder;
    CForkedWriter child(MemoVersions(), folder / u"m.txt");
    RunKillRounds(child, folder.Path(), u"m.txt", kRounds);
}

TEST(MemoSavePosixTest, ReadOnlyFolder)
{
    CTempFolder folder;
    const std::u16string sub = folder / u"memo";
    const std::u16string path = sub + u"\\m.txt";
    ASSERT_TRUE(vel::platform::MakeDirectory(sub));
    ASSERT_TRUE(PutBytes(path, "old memo"));
    ASSERT_TRUE(vel::platform::ChangeAttributes(sub, true, false));
    const auto save = [&path] {
        CMemoModel m = MemoVersion(0);
        return static_cast<int>(SaveMemo(m, path).status);
    };
    const int status = geteuid() == 0 ? AsUnprivilegedUser(save) : save();
    vel::platform::ChangeAttributes(sub, false, false);
    if (status == kNoUser)
        GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(status, CMemoWriteResult::kNotWritten);
    EXPECT_EQ(GetBytes(path), "old memo");
    EXPECT_TRUE(Temporaries(sub + u"\\", u"m.txt").empty());
}
