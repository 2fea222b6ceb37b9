// The window side in-process: display bitmaps drawn by the document list's painter, the picture
// editing window driven by wheel, mouse, keys and commands, the two dialogs, editing a picture
// through the worker, and pasting a clipboard bitmap.
#include "picture/tests/PicTestSupport.h"

#include "app/Resource.h"
#include "doc/CChapter.h"
#include "doc/CDocListPainter.h"
#include "doc/CPictChapter.h"
#include "framework/CUserMessage.h"
#include "picture/CEditPict.h"
#include "picture/CPicDisplayList.h"
#include "picture/CPicEditSession.h"
#include "picture/CPicList.h"
#include "picture/CPicPaste.h"
#include "picture/CPicRequest.h"
#include "picture/CPicWorkerLink.h"
#include "picture/CRotateDlg.h"
#include "picture/CSizeChgDlg.h"
#include "text/tests/CTempFolder.h"

#include <string>
#include <vector>

using namespace pictest;

namespace {

CGdiplusSession g_gdiplus;

// Left half red, right half blue (bytes blue, green, red).
unsigned char Halves(int x, int, int c)
{
    const bool left = x < 200;
    return static_cast<unsigned char>(c == 2 ? (left ? 255 : 0) : c == 0 ? (left ? 0 : 255) : 0);
}

struct Recorded {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Recorded> g_recorded;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CEditPict::kEditCommand || message == CEditPict::kFramingChanged)
        g_recorded.push_back({message, wParam, lParam});
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class PicWindowTest : public testing::Test {
protected:
    PicWindowTest() : pictures(store), link(pictures, store) {}
    void SetUp() override
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VelPictureHost";
        RegisterClassW(&wc);
        host = CreateWindowExW(0, L"VelPictureHost", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 800, 600,
                               nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(host, nullptr);
        ShowWindow(host, SW_SHOW);
        g_recorded.clear();
        CUserMessage::SetRecorder(&messages);
        SetUpDocList(doc, pictures);
        doc.SetMemoNames(folder.Path(), u"", u"memo");
        ASSERT_TRUE(link.Start(host));
        link.SetMemoNames(folder.Path(), u"memo");
    }
    void TearDown() override
    {
        session.reset();
        link.Stop();
        doc.Reset();
        DestroyWindow(host);
        Pump();
        CUserMessage::SetRecorder(nullptr);
    }

    // Picture 1 of 400 × 200 in the memo, shown 200 × 100.
    CPictChapter* AddPicture(unsigned char (*pattern)(int, int, int) = Halves)
    {
        auto picture = MakePicture(1, 400, 200, 3, pattern);
        pictures.Add(std::move(picture));
        CPictChapter* chapter = doc.InsertPictureBeforeCaret(1, 1, 200, 100, 0, 0, -1, -1, -1, -1);
        pictures.FindById(1)->SetFramingFromTag(200, 100, 0, 0, -1, -1);
        return chapter;
    }
    std::vector<Recorded> Posted()
    {
        Pump();
        return g_recorded;
    }

    CTempFolder folder;
    CVMemList store{1 << 26};
    CPicList pictures;
    CPicWorkerLink link;
    CDocList doc;
    HWND host = nullptr;
    std::vector<std::wstring> messages;
    std::unique_ptr<CPicEditSession> session;
};

// A memory device with a white bitmap of its own.
class Canvas {
public:
    Canvas(int width, int height)
    {
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all{0, 0, width, height};
        FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y) & 0xFFFFFF; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

}  // namespace

TEST_F(PicWindowTest, ThePainterDrawsTheDisplayBitmapWhereThePictureStands)
{
    CPictChapter* chapter = AddPicture();
    ASSERT_NE(chapter, nullptr);
    CPicDisplayList display(pictures);
    CDocListPainter painter(doc);
    painter.SetPictureDrawer(display.Drawer());
    Canvas canvas(700, 300);
    painter.PaintArea(canvas.Dc(), RECT{0, 0, 700, 300}, 700);
    const CDocList::Rect r = doc.PictureRect(1);
    EXPECT_EQ(r.x, 16);  // one indent step of two 8-pixel columns
    EXPECT_EQ(r.width, 200);
    EXPECT_EQ(canvas.At(r.x + 10, r.y + 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(r.x + 190, r.y + 90), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(r.x + 210, r.y + 10), RGB(255, 255, 255));
    ASSERT_NE(display.Find(1), nullptr);
    EXPECT_EQ(display.Find(1)->Width(), 200);

    // Zooming the picture makes the bitmap anew: at 200 % scrolled to the right only blue shows.
    pictures.FindById(1)->SetFramingFromTag(200, 100, 600, 0, 800, 400);
    Canvas zoomed(700, 300);
    painter.PaintArea(zoomed.Dc(), RECT{0, 0, 700, 300}, 700);
    EXPECT_EQ(zoomed.At(r.x + 10, r.y + 10), RGB(0, 0, 255));
}

TEST_F(PicWindowTest, DrawingKeepsToTheDevicesClip)
{
    AddPicture();
    CPicDisplayList display(pictures);
    ASSERT_TRUE(display.Make(1, 200, 100));
    Canvas canvas(300, 200);
    HRGN band = CreateRectRgn(0, 40, 300, 60);
    SelectClipRgn(canvas.Dc(), band);
    DeleteObject(band);
    display.Find(1)->Draw(canvas.Dc(), RECT{10, 10, 210, 110});
    EXPECT_EQ(canvas.At(20, 50), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(20, 30), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(20, 70), RGB(255, 255, 255));
    EXPECT_FALSE(display.Make(7, 10, 10));
}

TEST_F(PicWindowTest, ThreeWheelNotchesZoomThreeStepsAndStopAt800)
{
    AddPicture();
    CEditPict edit(pictures);
    ASSERT_TRUE(edit.Create(host, 1, RECT{10, 10, 210, 110}));
    CPicFrame expected = edit.Frame();
    for (int i = 0; i < 3; ++i)
        expected.ZoomAroundCentre(1);
    SendMessageW(edit.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 3 * WHEEL_DELTA), 0);
    EXPECT_EQ(edit.Frame(), expected);
    EXPECT_DOUBLE_EQ(edit.Frame().Zoom(), 53.0);
    const auto posted = Posted();
    ASSERT_FALSE(posted.empty());
    EXPECT_EQ(posted.back().message, CEditPict::kFramingChanged);
    EXPECT_EQ(posted.back().wParam, 1u);

    CPicFrame top = edit.Frame();
    top.SetFromTag(200, 100, 0, 0, 3200, 1600);
    edit.SetFrame(top);
    SendMessageW(edit.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_DOUBLE_EQ(edit.Frame().Zoom(), 800.0);
    SendMessageW(edit.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0);
    EXPECT_LT(edit.Frame().Zoom(), 800.0);
    SendMessageW(edit.Handle(), WM_KEYDOWN, VK_PRIOR, 1);
    SendMessageW(edit.Handle(), WM_KEYDOWN, VK_NEXT, 1);
}

TEST_F(PicWindowTest, DraggingMovesThePictureAndStopsAtTheEdge)
{
    AddPicture();
    pictures.FindById(1)->SetFramingFromTag(200, 100, 0, 0, 400, 200);  // 100 %: 400 × 200 behind 200 × 100
    CEditPict edit(pictures);
    ASSERT_TRUE(edit.Create(host, 1, RECT{10, 10, 210, 110}));
    SendMessageW(edit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 80));
    EXPECT_TRUE(edit.Dragging());
    SendMessageW(edit.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 60));
    EXPECT_EQ(edit.Frame().ScrollX(), 50);
    EXPECT_EQ(edit.Frame().ScrollY(), 20);
    // The wheel does nothing while dragging.
    SendMessageW(edit.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_DOUBLE_EQ(edit.Frame().Zoom(), 100.0);
    SendMessageW(edit.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-700), static_cast<WORD>(-700)));
    SendMessageW(edit.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-700), static_cast<WORD>(-700)));
    EXPECT_FALSE(edit.Dragging());
    EXPECT_EQ(edit.Frame().ScrollX(), 200);
    EXPECT_EQ(edit.Frame().ScrollY(), 100);
    // Arrow keys move by 4 pixels, also only as far as the edge.
    SendMessageW(edit.Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(edit.Frame().ScrollX(), 196);
    SendMessageW(edit.Handle(), WM_KEYDOWN, VK_LEFT, 1);
    SendMessageW(edit.Handle(), WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(edit.Frame().ScrollX(), 200);
    SendMessageW(edit.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(edit.Frame().ScrollY(), 96);
}

TEST_F(PicWindowTest, EditCommandsArePassedOnToTheParent)
{
    AddPicture();
    CEditPict edit(pictures);
    ASSERT_TRUE(edit.Create(host, 1, RECT{10, 10, 210, 110}));
    SendMessageW(edit.Handle(), WM_COMMAND, CEditPict::kRotate, 355);
    SendMessageW(edit.Handle(), WM_COMMAND, CEditPict::kResize, 0);
    SendMessageW(edit.Handle(), WM_COMMAND, 32909, 0);
    SendMessageW(edit.Handle(), WM_COMMAND, CEditPict::kEndEdit, 0);
    SendMessageW(edit.Handle(), WM_COMMAND, 32805, 0);  // not a picture command
    const auto posted = Posted();
    ASSERT_EQ(posted.size(), 4u);
    EXPECT_EQ(posted[0].message, CEditPict::kEditCommand);
    EXPECT_EQ(posted[0].wParam, CEditPict::kRotate);
    EXPECT_EQ(posted[0].lParam, 355);
    EXPECT_EQ(posted[1].wParam, CEditPict::kResize);
    EXPECT_EQ(posted[2].wParam, 32909u);
    EXPECT_EQ(posted[3].wParam, CEditPict::kEndEdit);
    EXPECT_EQ(CEditPict::RotationAngle(32909, 0), 3);
    EXPECT_EQ(CEditPict::RotationAngle(32911, 0), 355);
    EXPECT_EQ(CEditPict::RotationAngle(CEditPict::kRotateRight90, 0), 90);
    EXPECT_EQ(CEditPict::RotationAngle(CEditPict::kRotateLeft90, 0), 270);
    EXPECT_EQ(CEditPict::RotationAngle(CEditPict::kRotate, 42), 42);
    EXPECT_EQ(CEditPict::RotationAngle(CEditPict::kResize, 0), -1);
}

TEST_F(PicWindowTest, TheRotateDialogGivesTheRequestAngle)
{
    struct Case {
        bool clockwise;
        const wchar_t* angle;
        int expected;
    };
    for (const Case c : {Case{true, L"30", 330}, Case{true, L"0", 0}, Case{false, L"30", 30}, Case{true, L"90", 90}}) {
        CRotateDlg dialog(host);
        ASSERT_TRUE(dialog.CreateModeless(host));
        CheckRadioButton(dialog.Handle(), IDC_ROTATE_CLOCKWISE, IDC_ROTATE_COUNTER,
                         c.clockwise ? IDC_ROTATE_CLOCKWISE : IDC_ROTATE_COUNTER);
        SetDlgItemTextW(dialog.Handle(), IDC_ROTATE_ANGLE, c.angle);
        SendMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
        EXPECT_EQ(dialog.Handle(), nullptr);
        EXPECT_EQ(dialog.RequestAngle(), c.expected);
    }
    CRotateDlg dialog(host);
    ASSERT_TRUE(dialog.CreateModeless(host));
    SetDlgItemTextW(dialog.Handle(), IDC_ROTATE_ANGLE, L"400");
    SendMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    EXPECT_NE(dialog.Handle(), nullptr);  // refused, the dialog stays
    EXPECT_EQ(messages.size(), 1u);
    wchar_t caption[32] = {};
    GetWindowTextW(dialog.Handle(), caption, 32);
    EXPECT_STREQ(caption, L"回転");
    dialog.DestroyWindow();
}

TEST_F(PicWindowTest, TheSizeDialogKeepsTheRatioWhileTheBoxIsChecked)
{
    CSizeChgDlg dialog(host);
    dialog.SetPicture(400, 200, 400, 200, 1000);
    ASSERT_TRUE(dialog.CreateModeless(host));
    HWND d = dialog.Handle();
    EXPECT_EQ(IsDlgButtonChecked(d, IDC_SIZE_KEEP_RATIO), BST_CHECKED);
    EXPECT_EQ(GetDlgItemInt(d, IDC_SIZE_WIDTH, nullptr, FALSE), 400u);
    SetDlgItemTextW(d, IDC_SIZE_WIDTH, L"300");
    EXPECT_EQ(GetDlgItemInt(d, IDC_SIZE_HEIGHT, nullptr, FALSE), 150u);
    SetDlgItemTextW(d, IDC_SIZE_HEIGHT, L"50");
    EXPECT_EQ(GetDlgItemInt(d, IDC_SIZE_WIDTH, nullptr, FALSE), 100u);
    SetDlgItemTextW(d, IDC_SIZE_WIDTH, L"1500");
    EXPECT_EQ(GetDlgItemInt(d, IDC_SIZE_WIDTH, nullptr, FALSE), 1000u);
    EXPECT_EQ(GetDlgItemInt(d, IDC_SIZE_HEIGHT, nullptr, FALSE), 500u);
    CheckDlgButton(d, IDC_SIZE_KEEP_RATIO, BST_UNCHECKED);
    SetDlgItemTextW(d, IDC_SIZE_WIDTH, L"640");
    EXPECT_EQ(GetDlgItemInt(d, IDC_SIZE_HEIGHT, nullptr, FALSE), 500u);
    SendMessageW(d, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.Width(), 640);
    EXPECT_EQ(dialog.Height(), 500);
    EXPECT_FALSE(dialog.KeepRatio());

    CSizeChgDlg fresh(host);
    ASSERT_TRUE(fresh.CreateModeless(host));
    EXPECT_EQ(GetDlgItemInt(fresh.Handle(), IDC_SIZE_WIDTH, nullptr, FALSE), 100u);
    EXPECT_EQ(GetDlgItemInt(fresh.Handle(), IDC_SIZE_HEIGHT, nullptr, FALSE), 100u);
    wchar_t caption[32] = {};
    GetWindowTextW(fresh.Handle(), caption, 32);
    EXPECT_STREQ(caption, L"画像サイズ変更");
    fresh.DestroyWindow();
}

namespace {
bool AskHalf(HWND, int& width, int& height, int, int, int)
{
    width /= 2;
    height /= 2;
    return true;
}
}  // namespace

TEST_F(PicWindowTest, EditingAPictureThroughTheWorkerResizesItsChapter)
{
    AddPicture();
    session = std::make_unique<CPicEditSession>(doc, pictures, link);
    session->SetSizeAsker(AskHalf);
    ASSERT_TRUE(session->Begin(host, 1));
    ASSERT_TRUE(session->Active());
    EXPECT_EQ(link.PictureWorker()->LibraryCopies(), 1);

    session->OnEditCommand(CEditPict::kRotate, 90);
    const CPictChapter* chapter = doc.ChapterByPictureId(1)->Picture();
    EXPECT_EQ(pictures.FindById(1)->Width(), 200);
    EXPECT_EQ(pictures.FindById(1)->Height(), 400);
    EXPECT_EQ(chapter->Width(), 100);  // the frame keeps its longer side
    EXPECT_EQ(chapter->Height(), 200);
    RECT placed{};
    GetWindowRect(session->Window()->Handle(), &placed);
    EXPECT_EQ(placed.right - placed.left, 100);
    EXPECT_EQ(placed.bottom - placed.top, 200);

    session->OnEditCommand(CEditPict::kResize, 0);
    EXPECT_EQ(pictures.FindById(1)->Width(), 100);
    EXPECT_EQ(pictures.FindById(1)->Height(), 200);

    // A zoom in the editing window reaches the picture when it is reported.
    SendMessageW(session->Window()->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    session->OnFramingChanged();
    EXPECT_EQ(pictures.FindById(1)->Frame(), session->Window()->Frame());

    session->OnEditCommand(CEditPict::kEndEdit, 0);
    EXPECT_FALSE(session->Active());
    EXPECT_TRUE(link.Synchronise());
    EXPECT_EQ(link.PictureWorker()->LibraryCopies(), 0);
    // The undo copy taken at the start brings the picture back as it was.
    ASSERT_TRUE(doc.Undo());
    const CChapter* restored = nullptr;
    for (CListNode* node = doc.Chapters().Head(); node;)
        if (const CChapter* c = doc.Chapters().StepForward(node); c->Picture())
            restored = c;
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(pictures.FindById(restored->Picture()->PictureId())->Width(), 400);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(session->Begin(host, 99));
}

TEST_F(PicWindowTest, APastedBitmapBecomesAPictureWithItsFile)
{
    // 30 × 20: red, with a green pixel at (3, 2).
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 30;
    info.bmiHeader.biHeight = -20;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < 600; ++i)
        pixels[i] = 0x00FF0000;
    pixels[2 * 30 + 3] = 0x0000FF00;
    ASSERT_TRUE(OpenClipboard(host));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();

    ASSERT_TRUE(CPicPaste::ClipboardHasBitmap());
    ASSERT_TRUE(CPicPaste::FromClipboard(host, doc, pictures, link));
    const CPicData* picture = pictures.FindById(1);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 30);
    EXPECT_EQ(picture->Bytes()[0 * 3 + 2], 255);
    EXPECT_EQ(picture->Bytes()[(2 * 30 + 3) * 3 + 1], 255);
    ASSERT_NE(doc.ChapterByPictureId(1), nullptr);
    EXPECT_EQ(doc.ChapterByPictureId(1)->Picture()->Width(), 30);
    auto stored = DecodeFile(folder / u"memo_1.tif");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(MaxDifference(*picture, *stored, 3), 0);

    // A second paste takes the next id; an id whose file a tag names is passed over.
    pictures.Files().Protect(folder / u"memo_2.tif");
    ASSERT_TRUE(CPicPaste::FromClipboard(host, doc, pictures, link));
    EXPECT_TRUE(pictures.HasId(3));
    EXPECT_FALSE(vel::platform::ReadAttributes(folder / u"memo_2.tif").exists);
    OpenClipboard(host);
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(CPicPaste::FromClipboard(host, doc, pictures, link));
}
