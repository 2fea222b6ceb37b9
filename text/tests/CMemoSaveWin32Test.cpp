// A save broken off by TerminateProcess. The test starts this very executable again as the
// writing child, with the child's orders in environment variables; in the child the same test
// writes until it is killed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <windows.h>

#include "text/tests/CTempFolder.h"
#include "text/tests/MemoKillRounds.h"

namespace {

constexpr int kRounds = 16;
constexpr wchar_t kPathVariable[] = L"VEL_MEMO_KILL_PATH";
constexpr wchar_t kEventVariable[] = L"VEL_MEMO_KILL_EVENT";
constexpr wchar_t kFirstVariable[] = L"VEL_MEMO_KILL_FIRST";
constexpr wchar_t kTestName[] = L"MemoSaveWin32Test.KilledSaveLeavesOneWholeVersion";

std::wstring Variable(const wchar_t* name)
{
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

class CHandle {
public:
    explicit CHandle(HANDLE h = nullptr) : m_h(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~CHandle() { Reset(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    HANDLE Get() const { return m_h; }
    void Reset(HANDLE h = nullptr)
    {
        if (m_h)
            CloseHandle(m_h);
        m_h = h == INVALID_HANDLE_VALUE ? nullptr : h;
    }

private:
    HANDLE m_h;
};

// This executable started again with the orders of a writing child; its output goes nowhere.
class CProcessWriter final : public CMemoWriterChild {
public:
    explicit CProcessWriter(std::u16string path) : m_path(std::move(path))
    {
        m_eventName = L"Local\\VelMemoKill-" + std::to_wstring(GetCurrentProcessId());
        m_ready.Reset(CreateEventW(nullptr, TRUE, FALSE, m_eventName.c_str()));
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        m_nul.Reset(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                OPEN_EXISTING, 0, nullptr));
    }
    ~CProcessWriter() override { Kill(); }

    bool Start(int firstVersion) override
    {
        wchar_t self[MAX_PATH];
        if (!m_ready.Get() || !m_nul.Get() || GetModuleFileNameW(nullptr, self, MAX_PATH) == 0)
            return false;
        ResetEvent(m_ready.Get());
        std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=" + kTestName;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = m_nul.Get();
        PROCESS_INFORMATION process{};
        SetEnvironmentVariableW(kPathVariable, reinterpret_cast<const wchar_t*>(m_path.c_str()));
        SetEnvironmentVariableW(kEventVariable, m_eventName.c_str());
        SetEnvironmentVariableW(kFirstVariable, std::to_wstring(firstVersion).c_str());
        const BOOL started =
            CreateProcessW(self, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
        for (const wchar_t* name : {kPathVariable, kEventVariable, kFirstVariable})
            SetEnvironmentVariableW(name, nullptr);
        if (!started)
            return false;
        CloseHandle(process.hThread);
        m_process.Reset(process.hProcess);
        const HANDLE waits[] = {m_ready.Get(), m_process.Get()};
        return WaitForMultipleObjects(2, waits, FALSE, 60000) == WAIT_OBJECT_0;
    }
    bool Kill() override
    {
        if (!m_process.Get())
            return false;
        TerminateProcess(m_process.Get(), 9);
        const bool gone = WaitForSingleObject(m_process.Get(), 60000) == WAIT_OBJECT_0;
        m_process.Reset();
        return gone;
    }

private:
    std::u16string m_path;
    std::wstring m_eventName;
    CHandle m_ready;
    CHandle m_nul;
    CHandle m_process;
};

} // namespace

TEST(MemoSaveWin32Test, KilledSaveLeavesOneWholeVersion)
{
    const std::wstring childPath = Variable(kPathVariable);
    if (!childPath.empty()) { // the child: save until killed
        std::vector<CMemoModel> models = MemoVersions();
        CHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, Variable(kEventVariable).c_str()));
        ASSERT_TRUE(ready.Get());
        SetEvent(ready.Get());
        SaveVersionsForever(models, std::u16string(childPath.begin(), childPath.end()),
                            _wtoi(Variable(kFirstVariable).c_str()));
    }
    CTempFolder folder;
    CProcessWriter child(folder / u"m.txt");
    RunKillRounds(child, folder.Path(), u"m.txt", kRounds);
}
