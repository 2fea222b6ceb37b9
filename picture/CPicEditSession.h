#pragma once
// Editing one picture in place, as the edit window drives it: Begin takes an undo copy, has the
// worker take the picture over and opens the editing window over it; the editing window's
// messages (0x469, 0x46A) come back here and become worker requests, after which the picture's
// chapter and the editing window follow the picture's new size; End hands the framing back to
// the picture, closes the window and releases the library copy.
#include <windows.h>

#include <memory>

class CDocList;
class CEditPict;
class CPicList;
class CPicRequester;

class CPicEditSession {
public:
    // The largest width the size dialog allows.
    static constexpr int kMaxWidth = 10000;

    CPicEditSession(CDocList& doc, CPicList& pictures, CPicRequester& worker);
    ~CPicEditSession();
    CPicEditSession(const CPicEditSession&) = delete;
    CPicEditSession& operator=(const CPicEditSession&) = delete;

    // Opens picture id for editing over its rectangle in editWindow; false (nothing open) when
    // it is not shown or the worker could not take it over (the worker's message was shown).
    bool Begin(HWND editWindow, int pictureId);
    // The picture chapter the caret stands on, for "編集開始"; -1 when there is none.
    static int PictureAtCaret(const CDocList& doc);
    bool Active() const { return m_window != nullptr; }
    CEditPict* Window() const { return m_window.get(); }
    int PictureId() const;

    // 0x469 from the editing window: a command of the "画像編集" menu with its value. The size
    // dialog is asked here; a rotation or resize goes to the worker and is waited for.
    void OnEditCommand(UINT command, LPARAM value);
    // 0x46A: the editing window's framing becomes the picture's.
    void OnFramingChanged();
    // The edit window scrolled or changed size: the editing window follows the picture.
    void Reposition();
    void End();

    // What the size dialog is asked with; tests answer it themselves.
    using SizeAsker = bool (*)(HWND parent, int& width, int& height, int pictureWidth, int pictureHeight, int maxWidth);
    void SetSizeAsker(SizeAsker asker) { m_askSize = asker; }

private:
    void AfterEdit();
    RECT PictureRect() const;

    CDocList& m_doc;
    CPicList& m_pictures;
    CPicRequester& m_worker;
    HWND m_editWindow = nullptr;
    std::unique_ptr<CEditPict> m_window;
    SizeAsker m_askSize;
};
