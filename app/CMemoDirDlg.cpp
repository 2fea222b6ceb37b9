#include "app/CMemoDirDlg.h"

#include <cwchar>

#include "app/CFileName.h"
#include "app/Resource.h"
#include "app/WideText.h"
#include "framework/CUserMessage.h"

namespace {

constexpr wchar_t kFirstBaseName[] = L"メモ帳";

} // namespace

CMemoDirDlg::CMemoDirDlg(HWND parent) : CDialog(IDD_MEMO_DIR, parent)
{
    m_rows[0].name = kFirstBaseName;
    m_rows[0].folder = ToWide(CFileName::DefaultMemoBase());
}

void CMemoDirDlg::ReadRows(const CAppSettings& settings)
{
    for (int row = 0; row < kRows; ++row)
        m_rows[static_cast<std::size_t>(row)] = settings.ReadMemoBase(row);
}

int CMemoDirDlg::NameId(int row)
{
    return row == 0 ? IDC_MEMO_NAME0 : IDC_MEMO_NAME1 + row - 1;
}

int CMemoDirDlg::FolderId(int row)
{
    return row == 0 ? IDC_MEMO_DIR0 : IDC_MEMO_DIR1 + row - 1;
}

int CMemoDirDlg::TypeId(int row)
{
    return row == 0 ? IDC_MEMO_TYPE0 : IDC_MEMO_TYPE1 + row - 1;
}

bool CMemoDirDlg::OnInitDialog()
{
    for (int row = 0; row < kRows; ++row) {
        m_folders[static_cast<std::size_t>(row)].Attach(Handle(), FolderId(row));
        HWND types = GetDlgItem(Handle(), TypeId(row));
        SendMessageW(types, CB_RESETCONTENT, 0, 0);
        for (int type = 0; type < kTypes; ++type) {
            wchar_t item[8];
            std::swprintf(item, std::size(item), L"%d", type + 1);
            SendMessageW(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
    }
    return CDialog::OnInitDialog();
}

void CMemoDirDlg::DoDataExchange(CDataExchange& dx)
{
    for (int row = 0; row < kRows; ++row) {
        CAppSettings::MemoBase& base = m_rows[static_cast<std::size_t>(row)];
        dx.Text(NameId(row), base.name);
        dx.Text(FolderId(row), base.folder);
        HWND types = GetDlgItem(Handle(), TypeId(row));
        if (!dx.Saving()) {
            // A stored type out of range shows (and is stored back) as the first type.
            const int type = base.type >= 0 && base.type < kTypes ? base.type : 0;
            SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(type), 0);
        }
    }
}

bool CMemoDirDlg::CheckRows()
{
    for (int row = 0; row < kRows; ++row) {
        CAppSettings::MemoBase& base = m_rows[static_cast<std::size_t>(row)];
        if (base.name.empty() && base.folder.empty())
            continue;
        int field = 0;
        const wchar_t* message = nullptr;
        if (base.name.empty()) {
            field = NameId(row);
            message = kNoName;
        } else if (base.folder.empty()) {
            field = FolderId(row);
            message = kNoFolder;
        } else if (!CFileName::IsWritableDirectory(ToU16(base.folder))) {
            field = FolderId(row);
            message = kUnusableFolder;
        }
        if (message != nullptr) {
            SetFocus(GetDlgItem(Handle(), field));
            CUserMessage::Show(Handle(), message);
            return false;
        }
        const LRESULT type = SendMessageW(GetDlgItem(Handle(), TypeId(row)), CB_GETCURSEL, 0, 0);
        base.type = type == CB_ERR ? 0 : static_cast<int>(type);
    }
    return true;
}

void CMemoDirDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (CheckRows())
        EndDialog(IDOK);
}
