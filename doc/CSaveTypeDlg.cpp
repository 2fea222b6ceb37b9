#include "doc/CSaveTypeDlg.h"

#include "app/Resource.h"

const CommandEntry<CSaveTypeDlg> CSaveTypeDlg::kCommandMap[] = {
    {IDC_SAVE_TYPE_MEMO, &CSaveTypeDlg::OnMemoFormat, nullptr},
    {IDC_SAVE_TYPE_NO_PARAGRAPHS, &CSaveTypeDlg::OnWithoutParagraphs, nullptr},
    {IDC_SAVE_TYPE_SPACES, &CSaveTypeDlg::OnParagraphsAsSpaces, nullptr},
};

CSaveTypeDlg::CSaveTypeDlg(HWND parent) : CDialog(IDD_SAVE_TYPE, parent) {}

bool CSaveTypeDlg::OnCmdMsg(UINT id, CCmdUI* ui)
{
    return RouteCommandTo(*this, kCommandMap, id, ui) || CDialog::OnCmdMsg(id, ui);
}

void CSaveTypeDlg::Choose(int choice)
{
    m_choice = choice;
    EndDialog(IDOK);
}
