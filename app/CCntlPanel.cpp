#include "app/CCntlPanel.h"

#include <vector>

#include "app/CCntlBackgroundPainter.h"
#include "app/CCntlPanelHost.h"
#include "app/CFileName.h"
#include "app/CMemoDirDlg.h"
#include "app/CSortDirName.h"
#include "app/Resource.h"
#include "app/WideText.h"
#include "framework/CCmdUI.h"
#include "framework/CFrameWnd.h"
#include "framework/CUserMessage.h"

namespace {

bool Usable(const std::wstring& folder)
{
    return !folder.empty() && CFileName::IsWritableDirectory(ToU16(folder));
}

std::wstring WithSeparator(const std::wstring& folder)
{
    return ToWide(CFileName::AddSeparator(ToU16(folder)));
}

} // namespace

CCntlPanel::CCntlPanel(const CAppSettings& settings, CSortDirName& list, CCntlPanelHost& host)
    : CDialogBar(IDD_CNTL_PANEL), m_settings(settings), m_list(list), m_host(host)
{
}

CCntlPanel::~CCntlPanel()
{
    DestroyWindow();
}

bool CCntlPanel::Create(CFrameWnd& frame)
{
    if (!CDialogBar::Create(frame, IDD_CNTL_PANEL))
        return false;
    FillBases();
    return true;
}

HWND CCntlPanel::BaseList() const
{
    return GetDlgItem(Handle(), IDC_BASE_COMBO);
}

void CCntlPanel::AddBaseItem(const std::wstring& name, int index)
{
    const LRESULT item = SendMessageW(BaseList(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (item >= 0)
        SendMessageW(BaseList(), CB_SETITEMDATA, static_cast<WPARAM>(item), index);
}

bool CCntlPanel::SelectItemOfBase(int index)
{
    HWND list = BaseList();
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
        if (SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(item), 0) == index) {
            SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
            return true;
        }
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    return false;
}

std::wstring CCntlPanel::SelectedItemText() const
{
    HWND list = BaseList();
    const LRESULT item = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR)
        return {};
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void CCntlPanel::FillBases()
{
    SendMessageW(BaseList(), CB_RESETCONTENT, 0, 0);
    for (int index = 0; index < kBases; ++index) {
        const CAppSettings::MemoBase base = m_settings.ReadMemoBase(index);
        if (Usable(base.folder))
            AddBaseItem(base.name, index);
    }
    SelectItemOfBase(m_currentBase);
}

void CCntlPanel::StoreBases(const std::vector<CAppSettings::MemoBase>& usable,
                            const std::vector<CAppSettings::MemoBase>& unusable)
{
    // Nothing stays behind at a higher index: a left-over copy of a moved base would be listed
    // twice. Bases whose folder cannot be used now (a drive not plugged in) keep their settings
    // after the usable ones and come back when their folder does.
    int index = 0;
    for (const auto* rows : {&usable, &unusable}) {
        for (const CAppSettings::MemoBase& base : *rows) {
            if (index < kBases)
                m_settings.WriteMemoBase(index++, base);
        }
    }
    for (; index < kBases; ++index)
        m_settings.WriteMemoBase(index, CAppSettings::MemoBase{});
}

void CCntlPanel::SyncBases(const std::wstring& path)
{
    std::vector<CAppSettings::MemoBase> usable;
    std::vector<CAppSettings::MemoBase> unusable;
    int holding = -1;
    std::size_t holdingLength = 0;
    int current = -1;
    SendMessageW(BaseList(), CB_RESETCONTENT, 0, 0);
    for (int index = 0; index < kBases; ++index) {
        CAppSettings::MemoBase base = m_settings.ReadMemoBase(index);
        if (!Usable(base.folder)) {
            if (!base.name.empty() || !base.folder.empty())
                unusable.push_back(base);
            continue;
        }
        base.folder = WithSeparator(base.folder);
        const int renumbered = static_cast<int>(usable.size());
        AddBaseItem(base.name, renumbered);
        // The innermost base wins when one base lies inside another.
        if (!path.empty() && CFileName::IsInside(ToU16(path), ToU16(base.folder)) &&
            base.folder.size() > holdingLength) {
            holding = renumbered;
            holdingLength = base.folder.size();
        }
        if (index == m_currentBase)
            current = renumbered;
        usable.push_back(std::move(base));
    }
    StoreBases(usable, unusable);
    m_currentBase = holding >= 0 ? holding : (current >= 0 ? current : 0);
    SelectItemOfBase(m_currentBase);
    Repaint();
}

void CCntlPanel::EditMemoBases()
{
    const std::wstring remembered = SelectedItemText();
    CMemoDirDlg dialog(GetParent(Handle()));
    dialog.ReadRows(m_settings);
    if (dialog.DoModal() != IDOK)
        return;
    std::vector<CAppSettings::MemoBase> usable;
    for (CAppSettings::MemoBase row : dialog.Rows()) {
        if ((row.name.empty() && row.folder.empty()) || !Usable(row.folder))
            continue;
        row.folder = WithSeparator(row.folder);
        usable.push_back(std::move(row));
    }
    StoreBases(usable, {});
    m_currentBase = 0;
    for (int index = 0; index < static_cast<int>(usable.size()); ++index) {
        if (usable[static_cast<std::size_t>(index)].name == remembered) {
            m_currentBase = index;
            break;
        }
    }
    FillBases();
    m_host.ListMemoBase(WithSeparator(m_settings.ReadMemoBase(m_currentBase).folder));
    Repaint();
    m_host.ApplyDisplayType();
}

int CCntlPanel::SelectBase(int index)
{
    if (index < 0 || index >= kBases)
        index = 0;
    const CAppSettings::MemoBase base = m_settings.ReadMemoBase(index);
    m_currentBase = index;
    if (!SelectItemOfBase(index))
        FillBases(); // a base that became usable since the drop-down was made
    m_host.ListMemoBase(WithSeparator(base.folder));
    Repaint();
    return index;
}

void CCntlPanel::OnBaseSelected()
{
    const std::wstring name = SelectedItemText();
    int found = -1;
    CAppSettings::MemoBase base;
    for (int index = 0; index < kBases && found < 0; ++index) {
        base = m_settings.ReadMemoBase(index);
        if (base.name == name)
            found = index;
    }
    if (found < 0) {
        CUserMessage::Show(Handle(), kNoSuchBase);
        SwitchToBase(0, ToWide(CFileName::DefaultMemoBase()));
        FillBases();
    } else if (!Usable(base.folder)) {
        CUserMessage::Show(Handle(), CFileName::IsDirectory(ToU16(base.folder)) ? kBaseReadOnly : kBaseDeleted);
        FillBases();
        return;
    } else {
        SwitchToBase(found, WithSeparator(base.folder));
    }
    Repaint();
    m_host.ApplyDisplayType();
}

void CCntlPanel::SwitchToBase(int index, const std::wstring& folder)
{
    // Written back while its own base is still current: a memo never saved so far goes into the
    // base it was written in, not into the one chosen now.
    m_host.SaveMemo(false);
    m_currentBase = index;
    m_host.ListMemoBase(folder);
    m_list.SetCurrentIndex(-1);
    m_host.NewMemo();
    m_host.UpdateTitle();
}

std::wstring CCntlPanel::CurrentBaseFolder() const
{
    return WithSeparator(m_settings.ReadMemoBase(m_currentBase).folder);
}

void CCntlPanel::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_SEARCH_TEXT, m_search);
    dx.Text(IDC_REPLACE_TEXT, m_replacement);
}

std::wstring CCntlPanel::SearchText()
{
    if (Handle() != nullptr)
        UpdateData(true);
    return m_search;
}

std::wstring CCntlPanel::ReplacementText()
{
    if (Handle() != nullptr)
        UpdateData(true);
    return m_replacement;
}

void CCntlPanel::OnSearchBackward()
{
    const std::wstring text = SearchText();
    if (!text.empty())
        m_host.SearchBackward(ToU16(text));
}

void CCntlPanel::OnSearchForward()
{
    const std::wstring text = SearchText();
    if (!text.empty())
        m_host.SearchForward(ToU16(text));
}

void CCntlPanel::OnReplace()
{
    const std::wstring text = SearchText();
    if (!text.empty())
        m_host.Replace(ToU16(text), ToU16(ReplacementText()));
}

void CCntlPanel::OpenBaseList()
{
    SetFocus(BaseList());
    SendMessageW(BaseList(), CB_SHOWDROPDOWN, TRUE, 0);
}

bool CCntlPanel::OnFrameCommand(UINT id, CCmdUI* ui, bool pictureEditing)
{
    switch (id) {
    case ID_MEMO_SELECT_BASES:
        if (ui != nullptr)
            ui->Enable(true);
        else
            EditMemoBases();
        return true;
    case ID_MEMO_SWITCH_BASE:
        if (ui != nullptr)
            ui->Enable(!pictureEditing);
        else if (!pictureEditing)
            OpenBaseList();
        return true;
    case ID_SEARCH_BACKWARD:
    case ID_SEARCH_FORWARD:
    case ID_REPLACE:
        if (ui != nullptr) {
            ui->Enable(!pictureEditing && !SearchText().empty());
        } else if (!pictureEditing) {
            if (id == ID_SEARCH_BACKWARD)
                OnSearchBackward();
            else if (id == ID_SEARCH_FORWARD)
                OnSearchForward();
            else
                OnReplace();
        }
        return true;
    default:
        return false;
    }
}

HWND CCntlPanel::FocusedTextBox() const
{
    HWND focus = GetFocus();
    if (focus != nullptr && Handle() != nullptr &&
        (focus == GetDlgItem(Handle(), IDC_SEARCH_TEXT) || focus == GetDlgItem(Handle(), IDC_REPLACE_TEXT)))
        return focus;
    return nullptr;
}

bool CCntlPanel::SendToFocusedBox(UINT message)
{
    HWND box = FocusedTextBox();
    if (box == nullptr)
        return false;
    SendMessageW(box, message, 0, 0);
    return true;
}

bool CCntlPanel::Cut()
{
    return SendToFocusedBox(WM_CUT);
}

bool CCntlPanel::Copy()
{
    return SendToFocusedBox(WM_COPY);
}

bool CCntlPanel::Paste()
{
    return SendToFocusedBox(WM_PASTE);
}

void CCntlPanel::Repaint()
{
    if (Handle() != nullptr)
        InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT CCntlPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND && m_painter != nullptr) {
        RECT client;
        GetClientRect(Handle(), &client);
        if (m_painter->PaintTiled(reinterpret_cast<HDC>(wParam), client, m_settings.ReadMemoBase(m_currentBase).type))
            return 1;
    }
    return CDialogBar::WindowProc(message, wParam, lParam);
}

bool CCntlPanel::OnControlNotify(UINT id, UINT code, HWND control)
{
    if (id == IDC_BASE_COMBO && code == CBN_SELCHANGE) {
        OnBaseSelected();
        return true;
    }
    return CDialogBar::OnControlNotify(id, code, control);
}
