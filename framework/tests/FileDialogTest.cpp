// The open and save dialogs in each of the three looks open and cancel without touching the result.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include "framework/CFileDialog.h"

namespace {

int g_dialogsSeen = 0;

BOOL CALLBACK CancelDialog(HWND window, LPARAM)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        ++g_dialogsSeen;
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return FALSE;
    }
    return TRUE;
}

void CALLBACK CancelOpenDialogs(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &CancelDialog, 0);
}

class FileDialogTest : public testing::TestWithParam<CFileDialog::Style> {
protected:
    void SetUp() override
    {
        g_dialogsSeen = 0;
        timer = SetTimer(nullptr, 0, 300, &CancelOpenDialogs);
    }
    void TearDown() override { KillTimer(nullptr, timer); }
    UINT_PTR timer = 0;
};

TEST_P(FileDialogTest, CancelReturnsFalseAndKeepsThePath)
{
    const CFileDialog::Filter filter = {{L"テキストファイル (*.TXT)", L"*.txt"}, {L"全てのファイル (*.*)", L"*.*"}};
    std::wstring path = L"unchanged";
    EXPECT_FALSE(CFileDialog::Open(nullptr, L"ファイルを新規に開く", filter, L"C:\\windows\\", GetParam(), path));
    EXPECT_FALSE(CFileDialog::Save(nullptr, L"名前を付けて保存する", filter, L"C:\\windows\\", L"memo", L"txt",
                                   GetParam(), path));
    EXPECT_EQ(path, L"unchanged");
    EXPECT_EQ(g_dialogsSeen, 2);
}

INSTANTIATE_TEST_SUITE_P(AllLooks, FileDialogTest,
                         testing::Values(CFileDialog::Style::Default, CFileDialog::Style::Explorer,
                                         CFileDialog::Style::Old));

TEST(FileDialogStyleTest, SettingValuesMapToLooksAndUnknownValuesToTheDefault)
{
    EXPECT_EQ(CFileDialog::StyleFromSetting(1), CFileDialog::Style::Explorer);
    EXPECT_EQ(CFileDialog::StyleFromSetting(2), CFileDialog::Style::Old);
    EXPECT_EQ(CFileDialog::StyleFromSetting(7), CFileDialog::Style::Default);
    EXPECT_EQ(CFileDialog::StyleFlags(CFileDialog::Style::Old) & OFN_EXPLORER, 0u);
    EXPECT_NE(CFileDialog::StyleFlags(CFileDialog::Style::Explorer) & OFN_ENABLEHOOK, 0u);
}

}  // namespace
