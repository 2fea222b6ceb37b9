#include "app/CMainFrame.h"

#include "app/CFileName.h"
#include "app/CInstanceMarker.h"
#include "app/CVelTextApp.h"
#include "app/Resource.h"
#include "app/WideText.h"
#include "doc/CVelTextDoc.h"
#include "framework/CDocument.h"
#include "framework/CView.h"

namespace {

constexpr UINT kIndicators[] = {0, VEL_ID_INDICATOR_CAPS, VEL_ID_INDICATOR_NUM, VEL_ID_INDICATOR_SCRL};
constexpr size_t kLongPath = 40;
constexpr int kShortenedRoom = 36;

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t separator = path.rfind(L'\\');
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::wstring ExtensionOf(const std::wstring& path)
{
    const size_t dot = path.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : path.substr(dot + 1);
}

}  // namespace

const MessageEntry<CMainFrame> CMainFrame::kMessageMap[] = {
    {WM_CREATE, &CMainFrame::OnCreate},
    {WM_DESTROY, &CMainFrame::OnDestroy},
    {WM_ACTIVATE, &CMainFrame::OnActivate},
};

const CommandEntry<CMainFrame> CMainFrame::kCommandMap[] = {
    {ID_WINDOW_TOPMOST, &CMainFrame::OnTopMost, &CMainFrame::OnUpdateTopMost},
    {ID_WINDOW_OPAQUE, &CMainFrame::OnOpaque, &CMainFrame::OnUpdateOpaque},
    {ID_WINDOW_ALPHA60, &CMainFrame::OnAlpha60, &CMainFrame::OnUpdateAlpha60},
    {ID_WINDOW_ALPHA30, &CMainFrame::OnAlpha30, &CMainFrame::OnUpdateAlpha30},
};

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame()
{
    // While this object is whole, so that OnDestroy still runs.
    DestroyWindow();
}

std::wstring CMainFrame::TitleFromPath(const std::wstring& path)
{
    std::wstring title = kTitlePrefix;
    if (path.size() <= kLongPath) {
        return title + path;
    }
    const std::wstring fileName = FileNameOf(path);
    const int room = kShortenedRoom - static_cast<int>(fileName.size());
    if (room > 0) {
        title += path.substr(0, static_cast<size_t>(room));
    }
    return title + L"...\\" + fileName;
}

std::wstring CMainFrame::TitleFromEntry(const std::wstring& folderAndFile)
{
    std::wstring title = kTitlePrefix;
    if (ExtensionOf(folderAndFile) == L"txt") {
        title += FileNameOf(folderAndFile);
    }
    return title;
}

void CMainFrame::UpdateTitle()
{
    std::wstring title = kTitlePrefix;
    const CVelTextApp* app = CVelTextApp::Current();
    if (app != nullptr) {
        const CSortDirName& list = app->MemoList();
        const int index = list.CurrentIndex();
        if (index >= 0) {
            if (std::optional<CDirData> entry = list.EntryAt(index); entry && !entry->FileName().empty()) {
                title = TitleFromEntry(ToWide(entry->Folder() + entry->FileName()));
            }
        }
    }
    SetText(title);
}

void CMainFrame::UpdateTitleFromPath(const std::wstring& path)
{
    SetText(TitleFromPath(path));
}

bool CMainFrame::StartNewMemo()
{
    auto* document = dynamic_cast<CVelTextDoc*>(ActiveDocument());
    if (document && document->SaveMemo(false) == CVelTextDoc::SaveOutcome::kFailed)
        return false;
    CVelTextApp* app = CVelTextApp::Current();
    if (!app)
        return false;
    app->MemoList().SetCurrentIndex(-1);
    const bool started = app->NewMemo();
    UpdateTitle();
    return started;
}

bool CMainFrame::ShowMemoWithPath(const std::wstring& path)
{
    CVelTextApp* app = CVelTextApp::Current();
    auto* document = dynamic_cast<CVelTextDoc*>(ActiveDocument());
    if (!app)
        return false;
    if (document && document->SaveMemo(false) == CVelTextDoc::SaveOutcome::kFailed)
        return false;
    const std::u16string wide = ToU16(path);
    const std::optional<CDirData> entry = app->MemoList().SelectFolder(CFileName::Directory(wide));
    if (!entry || CFileName::ToLower(entry->FileName()) != CFileName::ToLower(CFileName::FileName(wide)))
        return false;
    if (!app->LoadMemo(path))
        return false;
    UpdateTitle();
    return true;
}

void CMainFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    CFrameWnd::PreCreateWindow(cs);
    cs.lpszName = kTitlePrefix;
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto result = DispatchTo(*this, kMessageMap, message, wParam, lParam)) {
        return *result;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

bool CMainFrame::OnFrameCmdMsg(UINT id, CCmdUI* ui)
{
    return RouteCommandTo(*this, kCommandMap, id, ui) || CFrameWnd::OnFrameCmdMsg(id, ui);
}

LRESULT CMainFrame::OnCreate(WPARAM wParam, LPARAM lParam)
{
    if (CFrameWnd::OnCreate(wParam, lParam) == -1) {
        return -1;
    }
    if (!m_statusBar.Create(Handle(), VEL_IDW_STATUS_BAR)) {
        return -1;
    }
    AddControlBar(m_statusBar);
    m_statusBar.SetIndicators(kIndicators);
    ApplyOpacity();
    return 0;
}

LRESULT CMainFrame::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    CInstanceMarker::Remove(Handle());
    RemoveControlBar(m_statusBar);
    return DefWindowProc(WM_DESTROY, wParam, lParam);
}

LRESULT CMainFrame::OnActivate(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CFrameWnd::OnActivate(wParam, lParam);
    if (ActiveDocument() != nullptr && ActiveView() != nullptr) {
        ApplyOpacity();
        if (LOWORD(wParam) != WA_INACTIVE && ActiveView()->Handle() != nullptr) {
            SetFocus(ActiveView()->Handle());
        }
    }
    return result;
}

void CMainFrame::ApplyOpacity()
{
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    if (m_opacity == kOpaque) {
        SetWindowLongPtrW(Handle(), GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        SetLayeredWindowAttributes(Handle(), 0, kOpaque, LWA_ALPHA);
    } else {
        SetWindowLongPtrW(Handle(), GWL_EXSTYLE, style | WS_EX_LAYERED);
        SetLayeredWindowAttributes(Handle(), 0, m_opacity, LWA_ALPHA);
    }
}

void CMainFrame::SetOpacity(BYTE alpha)
{
    m_opacity = alpha;
    ApplyOpacity();
}

void CMainFrame::OnTopMost()
{
    m_topMost = !m_topMost;
    SetWindowPos(Handle(), m_topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CMainFrame::OnUpdateTopMost(CCmdUI& ui)
{
    ui.Enable(true);
    ui.SetCheck(m_topMost);
}

void CMainFrame::OnUpdateOpaque(CCmdUI& ui)
{
    ui.Enable(true);
    ui.SetCheck(m_opacity == kOpaque);
}

void CMainFrame::OnUpdateAlpha60(CCmdUI& ui)
{
    ui.Enable(true);
    ui.SetCheck(m_opacity == kAlpha60);
}

void CMainFrame::OnUpdateAlpha30(CCmdUI& ui)
{
    ui.Enable(true);
    ui.SetCheck(m_opacity == kAlpha30);
}
