// "メモ選択の設定": rows, captions, type items and the checks of OK, on the real dialog template.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <set>

#include "app/CMemoDirDlg.h"
#include "app/tests/NavigationTestSupport.h"
#include "framework/CUserMessage.h"

namespace {

using navtest::CScratchFolder;
using navtest::Text;

BOOL CALLBACK CollectText(HWND child, LPARAM texts)
{
    reinterpret_cast<std::set<std::wstring>*>(texts)->insert(Text(child));
    return TRUE;
}

class MemoDirDlgTest : public testing::Test {
protected:
    void SetUp() override { CUserMessage::SetRecorder(&messages); }
    void TearDown() override
    {
        dialog.DestroyWindow();
        CUserMessage::SetRecorder(nullptr);
        navtest::Pump();
    }
    void Open()
    {
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        ShowWindow(dialog.Handle(), SW_SHOW);
        SetForegroundWindow(dialog.Handle());
    }
    HWND Item(int id) const { return GetDlgItem(dialog.Handle(), id); }
    void Set(int id, const std::wstring& text) { SetWindowTextW(Item(id), text.c_str()); }
    void PressOk() { SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }
    bool Open_() const { return dialog.Handle() != nullptr; }

    std::vector<std::wstring> messages;
    CScratchFolder folder;
    CMemoDirDlg dialog;
};

TEST_F(MemoDirDlgTest, RowsCaptionsAndDisplayTypes)
{
    EXPECT_EQ(dialog.Rows()[0].name, L"メモ帳");
    EXPECT_EQ(dialog.Rows()[0].folder, ToWide(CFileName::DefaultMemoBase()));
    EXPECT_TRUE(dialog.Rows()[5].name.empty());
    EXPECT_EQ(CMemoDirDlg::NameId(0), 1060);
    EXPECT_EQ(CMemoDirDlg::FolderId(0), 1061);
    EXPECT_EQ(CMemoDirDlg::TypeId(0), 1084);
    EXPECT_EQ(CMemoDirDlg::NameId(1), 1040);
    EXPECT_EQ(CMemoDirDlg::FolderId(10), 1059);
    EXPECT_EQ(CMemoDirDlg::TypeId(10), 1083);

    dialog.Rows()[3] = {L"仕事", folder.Path(), 5};
    dialog.Rows()[4] = {L"壊れた型", folder.Path(), 42};
    Open();
    EXPECT_EQ(Text(dialog.Handle()), L"メモ選択の設定");
    std::set<std::wstring> texts;
    EnumChildWindows(dialog.Handle(), &CollectText, reinterpret_cast<LPARAM>(&texts));
    for (const wchar_t* caption : {L"メモの名前", L"メモの場所", L"表示タイプ"})
        EXPECT_TRUE(texts.count(caption)) << caption;

    for (int row = 0; row < CMemoDirDlg::kRows; ++row) {
        HWND types = Item(CMemoDirDlg::TypeId(row));
        ASSERT_EQ(SendMessageW(types, CB_GETCOUNT, 0, 0), 11) << row;
        wchar_t item[8] = {};
        SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, L"1");
        SendMessageW(types, CB_GETLBTEXT, 10, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, L"11");
    }
    EXPECT_EQ(Text(Item(1060)), L"メモ帳");
    EXPECT_EQ(Text(Item(CMemoDirDlg::NameId(3))), L"仕事");
    EXPECT_EQ(Text(Item(CMemoDirDlg::FolderId(3))), folder.Path());
    EXPECT_EQ(SendMessageW(Item(CMemoDirDlg::TypeId(3)), CB_GETCURSEL, 0, 0), 5);
    EXPECT_EQ(SendMessageW(Item(CMemoDirDlg::TypeId(4)), CB_GETCURSEL, 0, 0), 0) << "out of range: the first";

    // The folder fields take a dropped folder.
    EXPECT_TRUE(GetWindowLongPtrW(Item(1061), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(GetWindowLongPtrW(Item(1059), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(MemoDirDlgTest, OkStopsAtTheFirstRowToCorrectWithItsMessageAndFocus)
{
    dialog.Rows()[0] = {L"メモ帳", folder.Path(), 0};
    Open();
    // A name with a folder that does not exist.
    Set(CMemoDirDlg::NameId(2), L"旅行");
    Set(CMemoDirDlg::FolderId(2), folder / L"gone\\");
    PressOk();
    ASSERT_EQ(messages, (std::vector<std::wstring>{L"使用可能なディレクトリではありません"}));
    EXPECT_EQ(GetFocus(), Item(CMemoDirDlg::FolderId(2)));
    EXPECT_TRUE(Open_());

    // Rows are checked in order: row 1 comes first.
    messages.clear();
    Set(CMemoDirDlg::FolderId(1), folder.Path());
    PressOk();
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"名前を入れてください"}));
    EXPECT_EQ(GetFocus(), Item(CMemoDirDlg::NameId(1)));

    messages.clear();
    Set(CMemoDirDlg::NameId(1), L"仕事");
    Set(CMemoDirDlg::FolderId(1), L"");
    PressOk();
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"ディレクトリ名を入れてください"}));
    EXPECT_EQ(GetFocus(), Item(CMemoDirDlg::FolderId(1)));

    // A plain file is no folder either.
    messages.clear();
    const std::wstring file = folder / L"plain.txt";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Set(CMemoDirDlg::FolderId(1), file);
    PressOk();
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"使用可能なディレクトリではありません"}));
    EXPECT_TRUE(Open_());
}

TEST_F(MemoDirDlgTest, OkWithUsableRowsClosesWithTheChosenTypes)
{
    dialog.Rows()[0] = {L"メモ帳", folder.Path(), 0};
    Open();
    const std::wstring work = folder.AddFolder(L"仕事");
    Set(CMemoDirDlg::NameId(1), L"仕事");
    Set(CMemoDirDlg::FolderId(1), work);
    SendMessageW(Item(CMemoDirDlg::TypeId(1)), CB_SETCURSEL, 7, 0);
    PressOk(); // rows 2-10 are empty and skipped
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(Open_());
    EXPECT_EQ(dialog.Rows()[1].name, L"仕事");
    EXPECT_EQ(dialog.Rows()[1].folder, work);
    EXPECT_EQ(dialog.Rows()[1].type, 7);
    EXPECT_TRUE(dialog.Rows()[2].name.empty());
}

TEST_F(MemoDirDlgTest, RowsAreReadFromTheSettings)
{
    navtest::CTestSettings settings;
    settings.SetBase(1, L"仕事", folder.Path(), 3);
    dialog.ReadRows(settings.Settings());
    EXPECT_EQ(dialog.Rows()[0].name, L"メモ帳") << "the unnamed first base is the notepad";
    EXPECT_EQ(dialog.Rows()[1].name, L"仕事");
    EXPECT_EQ(dialog.Rows()[1].type, 3);
    EXPECT_TRUE(dialog.Rows()[2].folder.empty());
}

} // namespace
