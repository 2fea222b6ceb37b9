#include "framework/CWinApp.h"

#include <commctrl.h>

#include "framework/CCommandLineInfo.h"
#include "framework/CFrameWnd.h"
#include "framework/CSingleDocTemplate.h"
#include "framework/FrameworkIds.h"

namespace {

CWinApp* g_app = nullptr;

std::wstring LoadAppTitle()
{
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), VEL_IDS_APP_TITLE, reinterpret_cast<LPWSTR>(&text), 0);
    if (length > 0) {
        return std::wstring(text, static_cast<size_t>(length));
    }
    // No title resource: the executable's name without its extension.
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

// Paint, timer and repeated mouse moves do not count as user activity for idle updates.
bool IsIdleMessage(const MSG& msg)
{
    static POINT lastPoint{-1, -1};
    if (msg.message == WM_PAINT || msg.message == 0x0118 /* caret blink timer */) {
        return false;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        if (msg.pt.x == lastPoint.x && msg.pt.y == lastPoint.y) {
            return false;
        }
        lastPoint = msg.pt;
    }
    return true;
}

}  // namespace

const CommandEntry<CWinApp> CWinApp::kCommandMap[] = {
    {VEL_ID_APP_EXIT, &CWinApp::OnAppExit, nullptr},
};

CWinApp::CWinApp() : m_appName(LoadAppTitle())
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    m_docTemplate.reset();
    if (g_app == this) {
        g_app = nullptr;
    }
}

CWinApp* CWinApp::Current()
{
    return g_app;
}

bool CWinApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    return true;
}

int CWinApp::ExitInstance()
{
    return 0;
}

int CWinApp::Run()
{
    MSG msg{};
    for (;;) {
        long idleCount = 0;
        while (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) {
                break;
            }
        }
        do {
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) {
                const int code = ExitInstance();
                return msg.wParam != 0 ? static_cast<int>(msg.wParam) : code;
            }
            if (got == -1) {
                continue;
            }
            if (!PreTranslateMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (IsIdleMessage(msg)) {
                idleCount = 0;
            }
        } while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

bool CWinApp::PreTranslateMessage(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || m_mainWnd == nullptr) {
        return false;
    }
    HWND frame = m_mainWnd->Handle();
    HACCEL table = m_mainWnd->Accelerators();
    if (frame == nullptr || table == nullptr || (msg.hwnd != frame && !IsChild(frame, msg.hwnd))) {
        return false;
    }
    return TranslateAcceleratorW(frame, table, &msg) != 0;
}

bool CWinApp::OnIdle(long count)
{
    if (count == 0 && m_mainWnd != nullptr && m_mainWnd->Handle() != nullptr) {
        m_mainWnd->UpdateControlBars();
    }
    return false;
}

void CWinApp::SetRegistryKey(const std::wstring& company)
{
    m_profile.SetKey(company, m_appName);
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate)
{
    m_docTemplate = std::move(docTemplate);
}

bool CWinApp::ProcessShellCommand(const CCommandLineInfo& info)
{
    if (!m_docTemplate) {
        return false;
    }
    const std::wstring path = info.action == CCommandLineInfo::Action::FileOpen ? info.fileName : std::wstring();
    return m_docTemplate->OpenDocumentFile(path) != nullptr;
}

void CWinApp::OnMainWindowDestroyed()
{
    m_mainWnd = nullptr;
    if (m_docTemplate) {
        m_docTemplate->CloseDocument();
    }
    PostQuitMessage(0);
}

bool CWinApp::OnCmdMsg(UINT id, CCmdUI* ui)
{
    return RouteCommandTo(*this, kCommandMap, id, ui);
}

void CWinApp::OnAppExit()
{
    if (m_mainWnd != nullptr && m_mainWnd->Handle() != nullptr) {
        PostMessageW(m_mainWnd->Handle(), WM_CLOSE, 0, 0);
    }
}
