#pragma once
// Helpers of the navigation tests: message pumping, settings under a registry key of their own,
// a recording control-panel host, memo folders on disk and a frame that routes the bar's commands.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/CAppSettings.h"
#include "app/CCntlPanel.h"
#include "app/CCntlPanelHost.h"
#include "app/CFileName.h"
#include "app/Resource.h"
#include "app/WideText.h"
#include "framework/CCmdUI.h"
#include "framework/CFrameWnd.h"
#include "framework/CRegistryProfile.h"
#include "platform/FileSystem.h"
#include "text/tests/WindowTestSupport.h"

namespace navtest {

using windowtest::Pump;

// Pumps until done() or the time is up; returns done().
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
    return done();
}

inline std::wstring Text(HWND window)
{
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

// The settings of the program under a key of the tests' own, emptied before and after.
class CTestSettings {
public:
    CTestSettings() : m_settings(m_profile, [] { return ToWide(CFileName::DefaultMemoBase()); })
    {
        m_profile.SetKey(L"Norvaly", L"VelTextNavigationTest");
        Clear();
    }
    ~CTestSettings() { Clear(); }
    CTestSettings(const CTestSettings&) = delete;
    CTestSettings& operator=(const CTestSettings&) = delete;

    const CAppSettings& Settings() const { return m_settings; }
    void SetBase(int index, const std::wstring& name, const std::wstring& folder, int type = 0)
    {
        m_settings.WriteMemoBase(index, CAppSettings::MemoBase{name, folder, type});
    }

private:
    void Clear() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Norvaly\\VelTextNavigationTest"); }

    CRegistryProfile m_profile;
    CAppSettings m_settings;
};

// A folder under the prefix's temporary folder, removed afterwards; ends with "\".
class CScratchFolder {
public:
    CScratchFolder()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        for (;;) {
            m_path = std::wstring(temp) + L"vel-nav-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                     std::to_wstring(serial++) + L"\\";
            if (CreateDirectoryW(m_path.c_str(), nullptr))
                break;
        }
    }
    ~CScratchFolder() { Remove(m_path); }
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + name; }

    // A memo folder with its text file.
    std::wstring AddMemo(const std::wstring& name) const
    {
        const std::wstring folder = m_path + name + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        HANDLE file = CreateFileW((folder + name + L".txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, "memo\r\n", 6, &written, nullptr);
        CloseHandle(file);
        return folder;
    }
    std::wstring AddFolder(const std::wstring& name) const
    {
        CreateDirectoryW((m_path + name).c_str(), nullptr);
        return m_path + name + L"\\";
    }

private:
    static void Remove(const std::wstring& folder)
    {
        WIN32_FIND_DATAW data{};
        HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring path = folder + name;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(path + L"\\");
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_DIRECTORY);
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring m_path;
};

// Records what the panel asks of the program, in order.
class CRecordingHost : public CCntlPanelHost {
public:
    std::vector<std::wstring> calls;

    void ListMemoBase(const std::wstring& folder) override { calls.push_back(L"list " + folder); }
    void SaveMemo(bool cleanUp) override { calls.push_back(cleanUp ? L"save clean-up" : L"save"); }
    void NewMemo() override { calls.push_back(L"new"); }
    void UpdateTitle() override { calls.push_back(L"title"); }
    void ApplyDisplayType() override { calls.push_back(L"display type"); }
    bool SearchBackward(const std::u16string& text) override
    {
        calls.push_back(L"backward " + ToWide(text));
        return true;
    }
    bool SearchForward(const std::u16string& text) override
    {
        calls.push_back(L"forward " + ToWide(text));
        return true;
    }
    bool Replace(const std::u16string& search, const std::u16string& replacement) override
    {
        calls.push_back(L"replace " + ToWide(search) + L" -> " + ToWide(replacement));
        return true;
    }
};

// A frame that routes the bar's commands as the main frame does: the memo commands to handlers
// of its own (recorded, enabled by a flag), the search and base commands back to the bar.
class CPanelFrame : public CFrameWnd {
public:
    CCntlPanel* panel = nullptr;
    bool memoCommandsEnabled = true;
    bool pictureEditing = false;
    std::vector<UINT> memoCommands;

    bool Open()
    {
        return LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, {}) &&
               SetWindowPos(Handle(), nullptr, 0, 0, 900, 400, SWP_NOZORDER | SWP_NOMOVE);
    }

protected:
    bool OnFrameCmdMsg(UINT id, CCmdUI* ui) override
    {
        if (id == ID_MEMO_PREVIOUS || id == ID_MEMO_NEXT || id == ID_MEMO_NEW) {
            if (ui != nullptr)
                ui->Enable(memoCommandsEnabled);
            else
                memoCommands.push_back(id);
            return true;
        }
        if (panel != nullptr && panel->OnFrameCommand(id, ui, pictureEditing))
            return true;
        return CFrameWnd::OnFrameCmdMsg(id, ui);
    }
};

} // namespace navtest
