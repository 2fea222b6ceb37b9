// Command routing, command-state updates and the accelerator path, with a real frame under Wine.
#include <gtest/gtest.h>

#include "framework/CCommandLineInfo.h"
#include "framework/CDialogBar.h"
#include "framework/CSingleDocTemplate.h"
#include "framework/tests/FrameworkTestIds.h"
#include "framework/tests/FrameworkTestWindows.h"

namespace {

class RoutingTest : public testing::Test {
protected:
    void SetUp() override
    {
        Calls().clear();
        app.AddDocTemplate(std::make_unique<CSingleDocTemplate>(
            IDR_TEST_FRAME, [] { return std::make_unique<CTestDocument>(); },
            [] { return std::make_unique<CTestFrame>(); }, [] { return std::make_unique<CTestView>(); }));
        ASSERT_NE(app.DocTemplate()->OpenDocumentFile(L""), nullptr);
        frame = static_cast<CTestFrame*>(app.MainWnd());
        ASSERT_NE(frame, nullptr);
        document = static_cast<CTestDocument*>(frame->ActiveDocument());
    }

    void TearDown() override
    {
        frame->DestroyWindow();
        PumpMessages();
    }

    void Command(UINT id) { SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    UINT MenuState(UINT id)
    {
        HMENU popup = GetSubMenu(GetMenu(frame->Handle()), 0);
        frame->UpdateMenuPopup(popup);
        return GetMenuState(popup, id, MF_BYCOMMAND);
    }

    CTestApp app;
    CTestFrame* frame = nullptr;
    CTestDocument* document = nullptr;
};

TEST_F(RoutingTest, EachCommandReachesItsOwnerThroughViewDocumentFrameApplication)
{
    for (UINT id : {ID_TEST_VIEW, ID_TEST_DOCUMENT, ID_TEST_FRAME, ID_TEST_APP, ID_TEST_NOBODY}) {
        Command(id);
    }
    EXPECT_EQ(Calls(), (CallLog{"view", "document", "frame", "app"}));

    // The document comes before the frame for a command both know.
    Command(ID_TEST_SHARED);
    EXPECT_EQ(Calls().back(), "document-shared");
}

TEST_F(RoutingTest, MenuItemsFollowTheirUpdateHandlersAndUnownedOnesAreGreyed)
{
    EXPECT_FALSE(MenuState(ID_TEST_VIEW) & MF_GRAYED);
    EXPECT_FALSE(MenuState(ID_TEST_APP) & MF_GRAYED);
    EXPECT_TRUE(MenuState(ID_TEST_NOBODY) & MF_GRAYED);

    document->sharedEnabled = false;
    EXPECT_TRUE(MenuState(ID_TEST_SHARED) & MF_GRAYED);
    document->sharedEnabled = true;
    EXPECT_FALSE(MenuState(ID_TEST_SHARED) & MF_GRAYED);

    EXPECT_FALSE(MenuState(ID_TEST_CHECKED) & MF_CHECKED);
    Command(ID_TEST_CHECKED);
    EXPECT_TRUE(MenuState(ID_TEST_CHECKED) & MF_CHECKED);
}

TEST_F(RoutingTest, KeysGoThroughTheFramesAcceleratorTableBeforeDispatch)
{
    MSG msg{frame->ActiveView()->Handle(), WM_KEYDOWN, VK_F5, 0, 0, {}};
    EXPECT_TRUE(app.PreTranslateMessage(msg));
    EXPECT_EQ(Calls(), (CallLog{"frame"}));

    MSG plain{frame->ActiveView()->Handle(), WM_KEYDOWN, 'Q', 0, 0, {}};
    EXPECT_FALSE(app.PreTranslateMessage(plain));
}

TEST_F(RoutingTest, DialogBarButtonsFollowTheRouteAndClicksReachTheOwner)
{
    CDialogBar bar(IDD_TEST_BAR);
    ASSERT_TRUE(bar.Create(*frame, 9301));
    frame->UpdateControlBars();
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(bar.Handle(), ID_TEST_VIEW)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(bar.Handle(), ID_TEST_NOBODY)));

    SendMessageW(GetDlgItem(bar.Handle(), ID_TEST_CHECKED), BM_CLICK, 0, 0);
    frame->UpdateControlBars();
    EXPECT_TRUE(frame->checked);
    EXPECT_EQ(SendMessageW(GetDlgItem(bar.Handle(), ID_TEST_CHECKED), BM_GETCHECK, 0, 0), BST_CHECKED);

    SendMessageW(GetDlgItem(bar.Handle(), ID_TEST_VIEW), BM_CLICK, 0, 0);
    EXPECT_EQ(Calls().back(), "view");

    // The bar takes the top band and the view starts below it.
    RECT barRect;
    RECT viewRect;
    GetWindowRect(bar.Handle(), &barRect);
    GetWindowRect(frame->ActiveView()->Handle(), &viewRect);
    EXPECT_GE(viewRect.top, barRect.bottom);
    bar.DestroyWindow();
}

TEST_F(RoutingTest, ClosingTheMainWindowClosesTheDocumentAndEndsTheLoop)
{
    PostMessageW(frame->Handle(), WM_CLOSE, 0, 0);
    const int code = app.Run();
    EXPECT_EQ(code, 0);
    EXPECT_EQ(app.MainWnd(), nullptr);
    EXPECT_EQ(frame->Handle(), nullptr);
}

TEST(CommandLineTest, FileArgumentOpensAndEmptyOrMissingArgumentStartsNew)
{
    EXPECT_EQ(CCommandLineInfo::Parse(L"VelText.exe").action, CCommandLineInfo::Action::FileNew);
    EXPECT_EQ(CCommandLineInfo::Parse(L"\"C:\\Program Files\\V\\VelText.exe\" \"\"").action,
              CCommandLineInfo::Action::FileNew);
    const CCommandLineInfo open = CCommandLineInfo::Parse(L"VelText.exe \"C:\\memo dir\\a.txt\"");
    EXPECT_EQ(open.action, CCommandLineInfo::Action::FileOpen);
    EXPECT_EQ(open.fileName, L"C:\\memo dir\\a.txt");
}

}  // namespace
