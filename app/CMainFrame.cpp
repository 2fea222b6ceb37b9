#include "app/CMainFrame.h"

#include "app/CFileName.h"
#include "app/CCntlPanel.h"
#include "app/CInstanceMarker.h"
#include "app/CVelTextApp.h"
#include "app/Resource.h"
#include "app/VelTextMessages.h"
#include "app/WideText.h"
#include "doc/CVelTextDoc.h"
#include "doc/CVelTextView.h"
#include "framework/CDocument.h"
#include "framework/CView.h"
#include "picture/CBackPictureList.h"

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
    {kMsgQueueHasItems, &CMainFrame::OnListingReplies},
    {kMsgRefreshMemoList, &CMainFrame::OnRefreshMemoList},
};

const CommandEntry<CMainFrame> CMainFrame::kCommandMap[] = {
    {ID_WINDOW_TOPMOST, &CMainFrame::OnTopMost, &CMainFrame::OnUpdateTopMost},
    {ID_WINDOW_OPAQUE, &CMainFrame::OnOpaque, &CMainFrame::OnUpdateOpaque},
    {ID_WINDOW_ALPHA60, &CMainFrame::OnAlpha60, &CMainFrame::OnUpdateAlpha60},
    {ID_WINDOW_ALPHA30, &CMainFrame::OnAlpha30, &CMainFrame::OnUpdateAlpha30},
    {ID_MEMO_PREVIOUS, &CMainFrame::OnPreviousMemo, &CMainFrame::OnUpdatePreviousMemo},
    {ID_MEMO_NEXT, &CMainFrame::OnNextMemo, &CMainFrame::OnUpdateNextMemo},
    {ID_MEMO_NEW, &CMainFrame::OnNewMemo, &CMainFrame::OnUpdateNewMemo},
    {ID_IME_OFF_SEARCH, &CMainFrame::OnImeOff, &CMainFrame::OnUpdateImeOff},
    {ID_IME_OFF_REPLACE, &CMainFrame::OnImeOff, &CMainFrame::OnUpdateImeOff},
};

namespace {

CSortDirName& MemoListOfTheApplication()
{
    static CSortDirName none;
    CVelTextApp* app = CVelTextApp::Current();
    return app ? app->MemoList() : none;
}

void SetListReady(int ready)
{
    if (CVelTextApp* app = CVelTextApp::Current())
        app->SetListReady(ready);
}

}  // namespace

CMainFrame::CMainFrame() : m_dirList(MemoListOfTheApplication(), &SetListReady)
{
    SetUpControlBarPictures();
}

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
    // Search, replace and the memo base choices belong to the control bar.
    if (m_panel && m_panel->OnFrameCommand(id, ui, PictureEditing()))
        return true;
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
    if (!m_dirList.Start(Handle())) {
        return -1;
    }
    CVelTextApp* app = CVelTextApp::Current();
    if (app != nullptr) {
        CCntlPanelHost& host = *this;
        m_panel = std::make_unique<CCntlPanel>(*app, app->MemoList(), host);
        if (!m_panel->Create(*this)) {
            return -1;
        }
        if (CVelTextView* view = TextView()) {
            view->SetPanel(m_panel.get());
        }
        ConnectControlBarPictures(true);
    }
    m_statusBar.SetIndicators(kIndicators);
    ApplyOpacity();
    // The memo base chosen in the bar (the default memo base at first) is listed.
    ListMemoBase(m_panel ? m_panel->CurrentBaseFolder() : ToWide(CFileName::DefaultMemoBase()));
    return 0;
}

LRESULT CMainFrame::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    // A print preview still up ends its print steps first, while the view and the bars are whole.
    if (CWnd* preview = Preview(); preview && preview->Handle())
        SendMessageW(preview->Handle(), WM_CLOSE, 0, 0);
    CInstanceMarker::Remove(Handle());
    m_dirList.Stop();
    if (m_panel) {
        ConnectControlBarPictures(false);
        if (CVelTextView* view = TextView()) {
            view->SetPanel(nullptr);
        }
        RemoveControlBar(*m_panel);
        m_panel->DestroyWindow();
        m_panel.reset();
    }
    RemoveControlBar(m_statusBar);
    return DefWindowProc(WM_DESTROY, wParam, lParam);
}

LRESULT CMainFrame::OnActivate(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CFrameWnd::OnActivate(wParam, lParam);
    if (ActiveDocument() != nullptr && ActiveView() != nullptr) {
        ApplyOpacity();
        if (LOWORD(wParam) != WA_INACTIVE) {
            CWnd* preview = Preview();
            if (preview && preview->Handle() != nullptr)
                SetFocus(preview->Handle());
            else if (ActiveView()->Handle() != nullptr)
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
