// The memo store's save dialog proposes "memo.txt" for an unnamed memo and the memo's own file
// name otherwise; the open dialog hands back the chosen path.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/CFileName.h"

namespace {

// Presses OK on the first visible dialog of this thread.
BOOL CALLBACK AcceptDialog(HWND window, LPARAM)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AcceptOpenDialogs(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &AcceptDialog, 0);
}

std::u16string TempFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, buffer);
    const std::wstring wide(buffer);
    return CFileName::AddSeparator(std::u16string(wide.begin(), wide.end()));
}

class FileNameDialogTest : public testing::Test {
protected:
    void SetUp() override { timer = SetTimer(nullptr, 0, 300, &AcceptOpenDialogs); }
    void TearDown() override { KillTimer(nullptr, timer); }
    UINT_PTR timer = 0;
};

TEST_F(FileNameDialogTest, SaveProposesMemoForAnUnnamedMemoAndTheFileNameOtherwise)
{
    const std::u16string folder = TempFolder();
    std::u16string path;
    ASSERT_TRUE(CFileName::SaveFileDialog(folder, u"", path));
    EXPECT_EQ(CFileName::ToLower(CFileName::FileName(path)), u"memo.txt");

    ASSERT_TRUE(CFileName::SaveFileDialog(folder, u"C:\\somewhere\\買い物.txt", path));
    EXPECT_EQ(CFileName::FileName(path), u"買い物.txt");
    EXPECT_EQ(CFileName::ToLower(CFileName::Directory(path)), CFileName::ToLower(folder));
}

// Callbacks are __stdcall on i686: they must be plain functions, not lambdas.
BOOL CALLBACK NameFileInDialog(HWND window, LPARAM)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window))
        return TRUE;
    for (int id : {0x480, 0x47c}) {  // the file name edit (old look) or combo box
        if (HWND field = GetDlgItem(window, id))
            SetWindowTextW(field, L"vel-open-dialog.txt");
    }
    return FALSE;
}

void CALLBACK TypeFileNameIntoOpenDialog(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &NameFileInDialog, 0);
}

TEST_F(FileNameDialogTest, OpenReturnsTheChosenExistingFile)
{
    const std::u16string folder = TempFolder();
    const std::u16string file = folder + u"vel-open-dialog.txt";
    const std::wstring wide(file.begin(), file.end());
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    // The dialog starts on "<folder>*.txt": pressing OK on a pattern only filters, so name the file
    // through the dialog's own edit field first.
    std::u16string path;
    const UINT_PTR typer = SetTimer(nullptr, 0, 150, &TypeFileNameIntoOpenDialog);
    const bool chosen = CFileName::OpenFileDialog(u"ファイルを新規に開く", u"テキストファイル (*.txt)|*.txt", folder, path);
    KillTimer(nullptr, typer);
    DeleteFileW(wide.c_str());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(CFileName::ToLower(path), CFileName::ToLower(file));
}

} // namespace
