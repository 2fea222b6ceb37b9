#include "app/CVelTextApp.h"

#include <ole2.h>

#include "app/CAboutDlg.h"
#include "app/CFileName.h"
#include "app/CInstanceMarker.h"
#include "app/CMainFrame.h"
#include "app/Resource.h"
#include "app/WideText.h"
#include "doc/CDocList.h"
#include "doc/CVelTextDoc.h"
#include "doc/CVelTextView.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CSingleDocTemplate.h"
#include "framework/CUserMessage.h"
#include "text/CEditMessages.h"
#include "text/CMessageText.h"

const CommandEntry<CVelTextApp> CVelTextApp::kCommandMap[] = {
    {ID_APP_ABOUT, &CVelTextApp::OnAppAbout, nullptr},
    {ID_WINDOW_OPEN_ANOTHER, &CVelTextApp::OnOpenAnotherWindow, nullptr},
    {ID_WINDOW_CLOSE_ALL, &CVelTextApp::OnCloseAllMemos, nullptr},
    {ID_FILE_OPEN_MEMO, &CVelTextApp::OnOpenFile, nullptr},
    {ID_FILE_ADD, &CVelTextApp::OnAddFile, nullptr},
    {ID_FILE_OPEN_HISTORY, &CVelTextApp::OnOpenHistory, nullptr},
    {ID_FILE_ADD_HISTORY, &CVelTextApp::OnAddHistory, nullptr},
};

namespace {

constexpr char16_t kOpenTitle[] = u"ファイルを新規に開く";
constexpr char16_t kAddTitle[] = u"ファイルから追加する";
constexpr char16_t kOpenHistoryTitle[] = u"履歴データを開く";
constexpr char16_t kAddHistoryTitle[] = u"履歴データから追加する";
constexpr char16_t kFileFilter[] =
    u"テキストファイル (*.TXT)|*.txt|画像ファイル(*.BMP;*.JPG;*.PNG;*.TIF)|*.bmp;*.jpg;*.png;*.tif|全てのファイル (*.*)|*.*";
constexpr char16_t kHistoryFilter[] = u"テキストファイル (*.TXT)|*.txt";

}  // namespace

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

CVelTextView* CVelTextApp::ActiveTextView() const
{
    CMainFrame* frame = MainFrame();
    return frame ? dynamic_cast<CVelTextView*>(frame->ActiveView()) : nullptr;
}

bool CVelTextApp::LoadMemo(const std::wstring& path)
{
    CVelTextView* view = ActiveTextView();
    if (!view)
        return false;
    CEditExp& edit = view->EditWindow();
    // Text that could not be written back is never dropped for another memo.
    if (edit.Doc().Modified())
        return false;
    view->DropContent();
    // The pictures read with it are named after this memo from the start: their working copies
    // belong in its folder, never beside the memo shown before.
    edit.SetMemoNames(CFileName::Directory(ToU16(path)), CFileName::Title(ToU16(path)));
    const bool imeOpen = edit.ImeOpen();
    if (imeOpen)
        edit.SetImeOpen(false);
    const bool read = view->ReadFile(path);
    if (!edit.ImeOpen())
        edit.SetImeOpen(true);
    view->SetMemoLocation(read ? path : std::wstring());
    view->PrepareFolders(ToWide(CFileName::Directory(ToU16(path))));
    edit.Doc().SetModified(false);
    edit.RepaintAll();
    return read;
}

bool CVelTextApp::NewMemo()
{
    CVelTextView* view = ActiveTextView();
    if (!view)
        return false;
    CEditExp& edit = view->EditWindow();
    if (edit.Doc().Modified())
        return false;
    view->DropContent();
    view->ClearMemoLocation();
    view->PrepareFolders(L"");
    if (view->Document())
        view->Document()->SetPathName(L"");
    edit.Doc().SetModified(false);
    edit.RepaintAll();
    return true;
}

void CVelTextApp::OpenFile(FileCommand command)
{
    CMainFrame* frame = MainFrame();
    CVelTextView* view = ActiveTextView();
    if (!view)
        return;
    const bool history = command == kOpenHistory || command == kAddHistory;
    const bool adding = command == kAdd || command == kAddHistory;
    const std::wstring folder = history ? view->HistoryFolder() : Path();
    CEditExp& edit = view->EditWindow();
    if (edit.ImeOpen())
        edit.SetImeOpen(false);
    const char16_t* title = command == kOpen ? kOpenTitle
                            : command == kAdd ? kAddTitle
                            : command == kOpenHistory ? kOpenHistoryTitle
                                                      : kAddHistoryTitle;
    std::u16string path;
    const bool chosen = CFileName::OpenFileDialog(title, history ? kHistoryFilter : kFileFilter, ToU16(folder), path);
    if (chosen) {
        edit.ClearErrorShown();
        const bool known = command == kOpenHistory && frame->ShowMemoWithPath(ToWide(path));
        // Opening starts a new memo first; it does not while the memo shown cannot be written.
        const bool ready = known || adding || frame->StartNewMemo();
        if (!known && ready) {
            SetPath(ToWide(CFileName::Directory(path)));
            if (command == kOpenHistory)
                SendMessageW(view->Handle(), WM_SETREDRAW, FALSE, 0);
            const bool read = view->ReadFile(ToWide(path));
            if (command == kOpenHistory) {
                SendMessageW(view->Handle(), WM_SETREDRAW, TRUE, 0);
                RedrawWindow(view->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            }
            if (!read)
                CUserMessage::Show(frame->Handle(), ToWide(WithPath(edit_messages::kCannotOpenFile, path)));
            else if (adding)
                edit.Doc().SetModified(true);
        }
    }
    if (!edit.ImeOpen())
        edit.SetImeOpen(true);
}
