#pragma once
#include <memory>
#include <string>

#include "app/CAppSettings.h"
#include "app/CSortDirName.h"
#include "framework/CWinApp.h"
#include "vmem/CVMemList.h"

class CMainFrame;
class CVelTextView;

// The application object of VelText: start-up, the settings accessors (CAppSettings), the picture
// memory store, the list-ready flag, and the commands that concern the whole program and the
// other running copies.
class CVelTextApp : public CWinApp, public CAppSettings {
public:
    static constexpr wchar_t kRegistryKey[] = L"Norvaly";
    static constexpr std::size_t kMemoryBlockSize = 536870912;

    CVelTextApp();
    ~CVelTextApp() override;

    static CVelTextApp* Current();

    bool InitInstance() override;
    // The start-up steps with an explicit command line (tests pass their own).
    bool StartUp(const wchar_t* commandLine);

    CMainFrame* MainFrame() const;
    // The view of the main frame, or none before it exists.
    CVelTextView* ActiveTextView() const;

    // Starts another copy of this program with `argument` as its one (quoted) argument.
    bool OpenAnotherWindow(const std::wstring& argument) const;
    // Posts `message` (both parameters 0) to every other running copy's main window.
    void PostToOtherInstances(UINT message) const;
    bool OtherInstanceExists() const;

    // 0 while the memo list is being built, 1 once the listing worker has answered.
    int ListReady() const { return m_listReady; }
    void SetListReady(int ready) { m_listReady = ready; }
    CVMemList& MemoryStore() { return m_memoryStore; }
    CSortDirName& MemoList() { return m_memoList; }
    const CSortDirName& MemoList() const { return m_memoList; }

    // Shows a memo file in the view in place of the memo shown (which the caller has written
    // back); false when it cannot be read, or when the memo shown still holds unsaved text.
    bool LoadMemo(const std::wstring& path);
    // An empty memo in place of the memo shown; false when that still holds unsaved text.
    bool NewMemo();

    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

    static std::wstring AnotherWindowCommandLine(const std::wstring& executable, const std::wstring& argument);

private:
    void OnAppAbout();
    void OnOpenAnotherWindow();
    void OnCloseAllMemos();
    void OnOpenFile() { OpenFile(kOpen); }
    void OnAddFile() { OpenFile(kAdd); }
    void OnOpenHistory() { OpenFile(kOpenHistory); }
    void OnAddHistory() { OpenFile(kAddHistory); }
    enum FileCommand { kOpen, kAdd, kOpenHistory, kAddHistory };
    void OpenFile(FileCommand command);

    static const CommandEntry<CVelTextApp> kCommandMap[];

    CVMemList m_memoryStore;
    CSortDirName m_memoList;
    int m_listReady = 0;
    bool m_oleInitialized = false;
};
