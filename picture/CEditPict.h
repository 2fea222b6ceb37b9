#pragma once
// The picture editing window: a child of the edit window over the picture being edited, showing
// the picture as its framing says. The mouse drags the picture inside its frame, the wheel and
// Page Up / Page Down zoom about the frame's centre, the arrow keys move it by 4 pixels. It
// works on a copy of the framing and tells its parent:
//   0x469 (kEditCommand): wParam = a command of the "画像編集" menu, lParam = its value, for the
//                         parent to carry out (32793 end, 32798 resize, 32897 rotate by lParam,
//                         32801/32802/32908–32913 rotate as RotationAngle says);
//   0x46A (kFramingChanged): wParam = the picture id; the framing (Frame()) changed.
// Both are posted, so the parent may destroy the window while handling them.
#include <windows.h>

#include <cstdint>

#include "framework/CWnd.h"
#include "picture/CPicBitmap.h"
#include "picture/CPicFrame.h"

class CPicList;

class CEditPict : public CWnd {
public:
    static constexpr UINT kEditCommand = WM_USER + 105;     // 0x469
    static constexpr UINT kFramingChanged = WM_USER + 106;  // 0x46A

    static constexpr UINT kEndEdit = 32793;
    static constexpr UINT kResize = 32798;
    static constexpr UINT kRotateRight90 = 32801;
    static constexpr UINT kRotateLeft90 = 32802;
    static constexpr UINT kRotate = 32897;
    static constexpr UINT kLeft5 = 32908;    // 32908–32910: 5, 3, 1 degrees counter-clockwise
    static constexpr UINT kRight1 = 32913;   // 32911–32913: 5, 3, 1 degrees clockwise
    static constexpr UINT kAngle = 32922;
    static constexpr int kArrowStep = 4;

    explicit CEditPict(const CPicList& pictures);
    ~CEditPict() override;

    // Opens over rect (client coordinates of parent) with a copy of the picture's framing, and
    // takes the keyboard focus. False for a picture the list does not hold.
    bool Create(HWND parent, int pictureId, const RECT& rect);
    int PictureId() const { return m_id; }
    const CPicFrame& Frame() const { return m_frame; }
    // After an edit of the picture: its new framing, shown at once.
    void SetFrame(const CPicFrame& frame);
    void Place(const RECT& rect);
    bool Dragging() const { return m_dragging; }

    // The angle of a rotation request for a menu command (32897 carries it as its value); -1
    // for a command that is no rotation.
    static int RotationAngle(UINT command, LPARAM value);

protected:
    void PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnPaint();
    void BeginDrag(POINT point);
    void DragTo(POINT point, bool last);
    void Zoom(int steps);
    void Move(int dx, int dy);
    bool OnCommandMessage(UINT id, LPARAM value);
    void Changed();

    const CPicList& m_pictures;
    int m_id = -1;
    CPicFrame m_frame;
    bool m_dragging = false;
    POINT m_dragStart{};
    int m_startScrollX = 0;
    int m_startScrollY = 0;
    CPicBitmap m_shown;
    CPicFrame m_shownFrame;
    std::uint64_t m_shownVersion = 0;
};
