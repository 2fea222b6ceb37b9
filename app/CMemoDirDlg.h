#pragma once
// "メモ選択の設定" (dialog 319): the eleven memo bases, each a name, a folder (a folder may be
// dropped on the field) and a display type "1" to "11". OK checks every filled row and stays open
// on the first one that is not usable, with the focus on the field to correct.
#include <array>
#include <string>

#include "app/CAppSettings.h"
#include "app/CDropEdit.h"
#include "framework/CDialog.h"

class CMemoDirDlg : public CDialog {
public:
    static constexpr int kRows = 11;
    static constexpr int kTypes = 11;
    static constexpr wchar_t kNoName[] = L"名前を入れてください";
    static constexpr wchar_t kNoFolder[] = L"ディレクトリ名を入れてください";
    static constexpr wchar_t kUnusableFolder[] = L"使用可能なディレクトリではありません";

    // Row 0 starts as the notepad "メモ帳" in the default memo base, the others empty.
    explicit CMemoDirDlg(HWND parent = nullptr);

    // The rows, to be filled before the dialog is shown and read after OK.
    std::array<CAppSettings::MemoBase, kRows>& Rows() { return m_rows; }
    const std::array<CAppSettings::MemoBase, kRows>& Rows() const { return m_rows; }
    void ReadRows(const CAppSettings& settings);

    static int NameId(int row);
    static int FolderId(int row);
    static int TypeId(int row);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    // The first row that is not acceptable shows its message and takes the focus; false then.
    bool CheckRows();

    std::array<CAppSettings::MemoBase, kRows> m_rows;
    std::array<CDropEdit, kRows> m_folders;
};
