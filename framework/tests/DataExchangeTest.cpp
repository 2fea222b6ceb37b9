// Dialog data exchange: fields to controls and back, with the range check's message and focus.
#include <gtest/gtest.h>

#include "framework/CDialog.h"
#include "framework/CUserMessage.h"
#include "framework/tests/FrameworkTestIds.h"
#include "framework/tests/FrameworkTestWindows.h"

namespace {

class CFieldsDialog : public CDialog {
public:
    CFieldsDialog() : CDialog(IDD_TEST_FIELDS) {}
    int number = 12;
    std::wstring name = L"メモ";
    bool flag = true;
    int choice = 1;
    bool closedWithOk = false;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        dx.Text(IDC_NUMBER, number);
        dx.MinMaxInt(number, 2, 10'00);
        dx.Text(IDC_NAME, name);
        dx.Check(IDC_FLAG, flag);
        dx.Radio({IDC_CHOICE_A, IDC_CHOICE_B}, choice);
    }
    void OnOK() override
    {
        if (UpdateData(true)) {
            closedWithOk = true;
        }
    }
};

class DataExchangeTest : public testing::Test {
protected:
    void SetUp() override
    {
        CUserMessage::SetRecorder(&messages);
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
    }
    void TearDown() override
    {
        dialog.DestroyWindow();
        CUserMessage::SetRecorder(nullptr);
        PumpMessages();
    }
    void Type(int id, const wchar_t* text) { SetDlgItemTextW(dialog.Handle(), id, text); }
    void PressOk() { SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

    std::vector<std::wstring> messages;
    CFieldsDialog dialog;
};

TEST_F(DataExchangeTest, FieldsAreShownAndReadBack)
{
    wchar_t text[32];
    GetDlgItemTextW(dialog.Handle(), IDC_NUMBER, text, 32);
    EXPECT_STREQ(text, L"12");
    EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_FLAG), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_CHOICE_B), BST_CHECKED);

    Type(IDC_NUMBER, L" 1000 ");
    Type(IDC_NAME, L"新しい名前");
    CheckDlgButton(dialog.Handle(), IDC_FLAG, BST_UNCHECKED);
    CheckDlgButton(dialog.Handle(), IDC_CHOICE_A, BST_CHECKED);
    CheckDlgButton(dialog.Handle(), IDC_CHOICE_B, BST_UNCHECKED);
    PressOk();
    EXPECT_TRUE(dialog.closedWithOk);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(dialog.number, 1000);
    EXPECT_EQ(dialog.name, L"新しい名前");
    EXPECT_FALSE(dialog.flag);
    EXPECT_EQ(dialog.choice, 0);
}

TEST_F(DataExchangeTest, OutOfRangeShowsTheRangeMessageFocusesTheFieldAndStops)
{
    Type(IDC_NUMBER, L"1001");
    Type(IDC_NAME, L"changed");
    PressOk();
    EXPECT_FALSE(dialog.closedWithOk);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], CDataExchange::RangeMessage(2, 1000));
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_NUMBER);
    EXPECT_EQ(dialog.name, L"メモ");  // fields after the refused one are left alone
}

TEST_F(DataExchangeTest, TextThatIsNotAnIntegerIsRefused)
{
    for (const wchar_t* text : {L"", L"12a", L"abc", L"99999999999", L"- 3"}) {
        messages.clear();
        Type(IDC_NUMBER, text);
        PressOk();
        EXPECT_FALSE(dialog.closedWithOk) << text;
        EXPECT_EQ(messages.size(), 1u) << text;
    }
}

}  // namespace
