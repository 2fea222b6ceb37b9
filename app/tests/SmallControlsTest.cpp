// The small controls on real child windows: the colour sample, the drop field and the number field.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

#include "app/CColorStatic.h"
#include "app/CDropEdit.h"
#include "app/CIntEdit.h"
#include "app/VelTextMessages.h"
#include "app/tests/NavigationTestSupport.h"
#include "framework/CWnd.h"

namespace {

using navtest::Text;

// A parent (and an owner) that records the number messages it gets; it takes them when told.
class CRecordingWindow : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> numbers;
    bool takes = true;

    bool Open(HWND parent = nullptr)
    {
        const DWORD style = parent != nullptr ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        return CreateEx(0, L"", style, 0, 0, 300, 200, parent, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kMsgNumberChanged) {
            numbers.emplace_back(wParam, lParam);
            return takes ? 1 : 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

HWND Child(HWND parent, const wchar_t* cls, DWORD style, int id)
{
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 10, 10, 200, 24, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

// A shell drop of the given paths, as Explorer hands it over.
HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    std::wstring list;
    for (const std::wstring& path : paths)
        list += path + L'\0';
    list += L'\0';
    const SIZE_T bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<BYTE*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class SmallControlsTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent.Open()); }
    CRecordingWindow parent;
};

TEST_F(SmallControlsTest, ColorStaticAnswersItsParentsColourRequestWithItsBrush)
{
    HWND sample = Child(parent.Handle(), L"STATIC", SS_LEFT, 1084);
    CColorStatic color;
    ASSERT_TRUE(color.Attach(sample));
    EXPECT_FALSE(color.Attach(sample)) << "one control per object";
    color.SetColor(RGB(10, 20, 30));

    HDC dc = GetDC(sample);
    const LRESULT brush = SendMessageW(parent.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(sample));
    ASSERT_NE(brush, 0);
    LOGBRUSH info{};
    ASSERT_EQ(GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.lbColor, RGB(10, 20, 30));
    EXPECT_EQ(GetTextColor(dc), RGB(10, 20, 30));
    EXPECT_EQ(GetBkColor(dc), RGB(10, 20, 30));

    color.SetColor(RGB(200, 0, 100));
    const LRESULT next = SendMessageW(parent.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(sample));
    ASSERT_EQ(GetObjectW(reinterpret_cast<HBRUSH>(next), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.lbColor, RGB(200, 0, 100));
    EXPECT_EQ(color.Color(), RGB(200, 0, 100));
    ReleaseDC(sample, dc);

    // Other statics of the parent keep the parent's own colours.
    HWND plain = Child(parent.Handle(), L"STATIC", SS_LEFT, 1085);
    dc = GetDC(plain);
    EXPECT_NE(SendMessageW(parent.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(plain)),
              next);
    ReleaseDC(plain, dc);
}

TEST_F(SmallControlsTest, DropEditTakesTheFirstOfTheDroppedPathsAsOneUndoableEdit)
{
    HWND field = Child(parent.Handle(), L"EDIT", ES_AUTOHSCROLL, 1061);
    SetWindowTextW(field, L"c:\\old\\");
    SendMessageW(field, EM_EMPTYUNDOBUFFER, 0, 0);
    CDropEdit drop;
    ASSERT_TRUE(drop.Attach(field));
    EXPECT_TRUE(GetWindowLongPtrW(field, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "a drop target";

    SendMessageW(field, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"c:\\memo\\first", L"c:\\second",
                                                                          L"c:\\third.txt"})), 0);
    EXPECT_EQ(Text(field), L"c:\\memo\\first");
    ASSERT_TRUE(SendMessageW(field, EM_CANUNDO, 0, 0));
    SendMessageW(field, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(field), L"c:\\old\\");

    SendMessageW(field, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({})), 0);
    EXPECT_EQ(Text(field), L"c:\\old\\") << "an empty drop changes nothing";

    // A long path comes in whole.
    const std::wstring deep = L"c:\\" + std::wstring(300, L'd');
    SendMessageW(field, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({deep})), 0);
    EXPECT_EQ(Text(field).size(), deep.size());
}

class IntEditTest : public SmallControlsTest {
protected:
    void SetUp() override
    {
        SmallControlsTest::SetUp();
        field = Child(parent.Handle(), L"EDIT", ES_AUTOHSCROLL, 1086);
        other = Child(parent.Handle(), L"EDIT", ES_AUTOHSCROLL, 1087);
        ASSERT_TRUE(number.Attach(field));
        number.SetOwner(1086, parent.Handle());
        SetForegroundWindow(parent.Handle());
    }
    HWND field = nullptr;
    HWND other = nullptr;
    CIntEdit number;
};

TEST_F(IntEditTest, DecimalsWithoutScaleShowTheIntegerAsAFixedPointNumber)
{
    number.SetFormat(2, 0, 0, 0, 0);
    number.Show(1234);
    EXPECT_EQ(Text(field), L"12.34");
    EXPECT_EQ(number.Value(), 1234) << "what is shown reads back as the same integer";
    number.Show(-5);
    EXPECT_EQ(Text(field), L"-0.05");
    EXPECT_EQ(number.Value(), -5);
    number.SetFormat(0, 0, 0, 0, 0);
    EXPECT_EQ(number.ValueOf(L"12.7"), 12) << "no decimals: the number truncated";
    number.Show(42);
    EXPECT_EQ(Text(field), L"42");
    EXPECT_EQ(number.ValueOf(L""), 0);
    EXPECT_EQ(number.ValueOf(L"1e300"), 2147483647) << "held within an integer";
}

TEST_F(IntEditTest, ScaledFieldsMapTheTextOntoPositions)
{
    number.SetFormat(0, 101, 0.5f, -10.0f, 40.0f);
    number.Show(10);
    EXPECT_EQ(Text(field), L"-5.000000");
    EXPECT_EQ(number.ValueOf(L"15"), 50);
    EXPECT_EQ(number.ValueOf(L"40"), 100);
    number.SetFormat(0, 10, 1.0f, 3.0f, 3.0f);
    EXPECT_EQ(number.ValueOf(L"3"), 0) << "an empty range gives 0, not a division by zero";
}

TEST_F(IntEditTest, ChangesTypedWithTheFocusAreReportedToTheOwnerOrUpTheParents)
{
    number.SetFormat(1, 0, 0, 0, 0);
    SetWindowTextW(field, L"1.5");
    EXPECT_TRUE(parent.numbers.empty()) << "not while another control has the focus";

    SetFocus(field);
    ASSERT_TRUE(number.HasFocus());
    SendMessageW(field, EM_SETSEL, 3, 3);
    SendMessageW(field, WM_CHAR, L'7', 1);
    ASSERT_FALSE(parent.numbers.empty());
    EXPECT_EQ(parent.numbers.back().first, 1086u);
    EXPECT_EQ(Text(field), L"1.57");
    EXPECT_EQ(parent.numbers.back().second, 15);

    // An owner that does not take it: the parent chain is asked.
    CRecordingWindow owner;
    ASSERT_TRUE(owner.Open());
    owner.takes = false;
    number.SetOwner(1086, owner.Handle());
    SetFocus(field);
    parent.numbers.clear();
    SendMessageW(field, WM_CHAR, L'1', 1);
    EXPECT_EQ(owner.numbers.size(), 1u);
    EXPECT_EQ(parent.numbers.size(), 1u);
}

TEST_F(IntEditTest, OnlyListedCharactersAndKeysReachTheFieldAndLeavingCommits)
{
    number.SetFormat(2, 0, 0, 0, 0);
    number.SetAllowedChars(L"0123456789.");
    number.SetHandledKeys({VK_HOME, VK_RETURN});
    SetFocus(field);
    for (wchar_t c : std::wstring(L"3a.-14159"))
        SendMessageW(field, WM_CHAR, c, 1);
    EXPECT_EQ(Text(field), L"3.14159");

    SendMessageW(field, EM_SETSEL, 3, 3);
    SendMessageW(field, WM_KEYDOWN, VK_END, 0);
    DWORD start = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    EXPECT_EQ(start, 3u) << "End is not in the key list";
    SendMessageW(field, WM_KEYDOWN, VK_HOME, 0);
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    EXPECT_EQ(start, 0u);

    EXPECT_FALSE(number.CommitPending());
    SendMessageW(field, WM_KEYUP, VK_RETURN, 0);
    EXPECT_TRUE(number.CommitPending());
    EXPECT_EQ(Text(field), L"3.14");
    number.ClearCommitPending();

    SetWindowTextW(field, L"2.5");
    SetFocus(other);
    EXPECT_FALSE(number.HasFocus());
    EXPECT_TRUE(number.CommitPending());
    EXPECT_EQ(Text(field), L"2.50");
}

} // namespace
