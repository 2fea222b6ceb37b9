#include "app/CVelTextApp.h"

#include <ole2.h>

#include "app/CAboutDlg.h"
#include "app/CFileName.h"
#include "app/CInstanceMarker.h"
#include "app/CMainFrame.h"
#include "app/CVelTextDoc.h"
#include "doc/CVelTextView.h"
#include "app/Resource.h"
#include "app/WideText.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CSingleDocTemplate.h"
#include "framework/CUserMessage.h"

const CommandEntry<CVelTextApp> CVelTextApp::kCommandMap[] = {
    {ID_APP_ABOUT, &CVelTextApp::OnAppAbout, nullptr},
    {ID_WINDOW_OPEN_ANOTHER, &CVelTextApp::OnOpenAnotherWindow, nullptr},
    {ID_WINDOW_CLOSE_ALL, &CVelTextApp::OnCloseAllMemos, nullptr},
};

CVelTextApp::CVelTextApp()
    : CAppSettings(Profile(), [] { return ToWide(CFileName::DefaultMemoBase()); }),
      m_memoryStore(kMemoryBlockSize)
{
}

CVelTextApp::~CVelTextApp()
{
    // Windows go before OLE is shut down.
    AddDocTemplate(nullptr);
    if (m_oleInitialized) {
        OleUninitialize();
    }
}

CVelTextApp* CVelTextApp::Current()
{
    return dynamic_cast<CVelTextApp*>(CWinApp::Current());
}

CMainFrame* CVelTextApp::MainFrame() const
{
    return dynamic_cast<CMainFrame*>(MainWnd());
}

bool CVelTextApp::InitInstance()
{
    return StartUp(GetCommandLineW());
}

bool CVelTextApp::StartUp(const wchar_t* commandLine)
{
    if (!CWinApp::InitInstance()) {
        return false;
    }
    if (FAILED(OleInitialize(nullptr))) {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(GetModuleHandleW(nullptr), IDP_OLE_INIT_FAILED,
                                       reinterpret_cast<LPWSTR>(&text), 0);
        CUserMessage::Show(nullptr, std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0));
        return false;
    }
    m_oleInitialized = true;

    SetRegistryKey(kRegistryKey);

    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, [] { return std::make_unique<CVelTextDoc>(); },
        [] { return std::make_unique<CMainFrame>(); }, [] { return std::make_unique<CVelTextView>(); }));

    if (!ProcessShellCommand(CCommandLineInfo::Parse(commandLine))) {
        return false;
    }
    CFrameWnd* frame = MainWnd();
    if (frame == nullptr) {
        return false;
    }
    ShowWindow(frame->Handle(), SW_SHOW);
    UpdateWindow(frame->Handle());
    CInstanceMarker::Set(frame->Handle());
    return true;
}

std::wstring CVelTextApp::AnotherWindowCommandLine(const std::wstring& executable, const std::wstring& argument)
{
    // The executable is quoted so that a path with spaces is read back as one argument.
    return L"\"" + executable + L"\" \"" + argument + L"\"";
}

bool CVelTextApp::OpenAnotherWindow(const std::wstring& argument) const
{
    wchar_t executable[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, executable, MAX_PATH) == 0) {
        return false;
    }
    std::wstring commandLine = AnotherWindowCommandLine(executable, argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(executable, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void CVelTextApp::PostToOtherInstances(UINT message) const
{
    HWND own = MainWnd() != nullptr ? MainWnd()->Handle() : nullptr;
    CInstanceMarker::ForEachOther(own, [message](HWND window) {
        PostMessageW(window, message, 0, 0);
        return true;
    });
}

bool CVelTextApp::OtherInstanceExists() const
{
    HWND own = MainWnd() != nullptr ? MainWnd()->Handle() : nullptr;
    bool found = false;
    CInstanceMarker::ForEachOther(own, [&found](HWND) {
        found = true;
        return false;
    });
    return found;
}

bool CVelTextApp::OnCmdMsg(UINT id, CCmdUI* ui)
{
    return RouteCommandTo(*this, kCommandMap, id, ui) || CWinApp::OnCmdMsg(id, ui);
}

void CVelTextApp::OnAppAbout()
{
    CAboutDlg dialog(MainWnd() != nullptr ? MainWnd()->Handle() : nullptr);
    dialog.DoModal();
}

void CVelTextApp::OnOpenAnotherWindow()
{
    OpenAnotherWindow(L"");  // a failure is not reported
}

void CVelTextApp::OnCloseAllMemos()
{
    PostToOtherInstances(WM_CLOSE);
    if (MainWnd() != nullptr && MainWnd()->Handle() != nullptr) {
        PostMessageW(MainWnd()->Handle(), WM_CLOSE, 0, 0);
    }
}
