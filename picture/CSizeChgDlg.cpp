#include "picture/CSizeChgDlg.h"

#include <cwchar>

#include "app/Resource.h"

CSizeChgDlg::CSizeChgDlg(HWND parent) : CDialog(IDD_PICT_SIZE, parent), m_rule(100, 100, 0) {}

void CSizeChgDlg::SetPicture(int width, int height, int pictureWidth, int pictureHeight, int maxWidth)
{
    m_width = width;
    m_height = height;
    m_rule = CPicSizeRule(pictureWidth, pictureHeight, maxWidth);
}

bool CSizeChgDlg::OnInitDialog()
{
    m_keepRatio = m_rule.StartsChecked(m_width, m_height);
    m_showing = true;
    const bool result = CDialog::OnInitDialog();
    m_showing = false;
    return result;
}

void CSizeChgDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(IDC_SIZE_WIDTH, m_width);
    dx.MinMaxInt(m_width, 1, m_rule.MaxWidth() > 0 ? m_rule.MaxWidth() : kMaxHeight);
    dx.Text(IDC_SIZE_HEIGHT, m_height);
    dx.MinMaxInt(m_height, 1, kMaxHeight);
    dx.Check(IDC_SIZE_KEEP_RATIO, m_keepRatio);
}

bool CSizeChgDlg::ReadField(int id, int& value) const
{
    wchar_t text[32] = {};
    GetDlgItemTextW(Handle(), id, text, 32);
    wchar_t* end = nullptr;
    const long parsed = std::wcstol(text, &end, 10);
    if (end == text || *end != L'\0' || parsed < 0 || parsed > 1000000)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

void CSizeChgDlg::ShowField(int id, int value)
{
    m_showing = true;
    SetDlgItemInt(Handle(), id, static_cast<UINT>(value), FALSE);
    m_showing = false;
}

void CSizeChgDlg::WidthTyped()
{
    int width = 0;
    if (!ReadField(IDC_SIZE_WIDTH, width))
        return;
    if (m_rule.ClampWidth(width) != width) {
        width = m_rule.ClampWidth(width);
        ShowField(IDC_SIZE_WIDTH, width);
    }
    if (IsDlgButtonChecked(Handle(), IDC_SIZE_KEEP_RATIO) == BST_CHECKED)
        ShowField(IDC_SIZE_HEIGHT, m_rule.HeightForWidth(width));
}

void CSizeChgDlg::HeightTyped()
{
    int height = 0;
    if (!ReadField(IDC_SIZE_HEIGHT, height) || IsDlgButtonChecked(Handle(), IDC_SIZE_KEEP_RATIO) != BST_CHECKED)
        return;
    const int width = m_rule.WidthForHeight(height);
    const int allowed = m_rule.ClampWidth(width);
    ShowField(IDC_SIZE_WIDTH, allowed);
    if (allowed != width)
        ShowField(IDC_SIZE_HEIGHT, m_rule.HeightForWidth(allowed));
}

bool CSizeChgDlg::OnControlNotify(UINT id, UINT code, HWND control)
{
    if (code != EN_CHANGE || m_showing)
        return CDialog::OnControlNotify(id, code, control);
    if (id == IDC_SIZE_WIDTH)
        WidthTyped();
    else if (id == IDC_SIZE_HEIGHT)
        HeightTyped();
    return true;
}
