#pragma once
// The text edit window's basic behaviour: its document list, painting, scrolling, the system
// caret, the caret keys and the mouse. The window owns no text; every edit goes to the document
// list, and afterwards the changed lines are repainted and the caret kept in view.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "doc/CCaretSink.h"
#include "framework/CMessageMap.h"
#include "framework/CWnd.h"
#include "text/CEditSettings.h"

class CDocList;
class CDocListPainter;

class CEditText : public CWnd, public CCaretSink {
public:
    CEditText();
    ~CEditText() override;

    // Creates the window as a child of parent with the document list set up from settings.
    bool Create(HWND parent, const CEditSettings& settings, DWORD style, const wchar_t* name, UINT id);

    CDocList& Doc() { return *m_doc; }
    const CDocList& Doc() const { return *m_doc; }
    CDocListPainter& Painter() { return *m_painter; }

    bool HasFocus() const { return m_hasFocus; }
    bool IsBusy() const { return m_busy; }
    void SetBusy(bool busy) { m_busy = busy; }
    // A picture is being edited in place: keys, typing, clicks and the context menu of the text
    // pass to the platform.
    bool IsEditingPicture() const { return m_pictureEdit != nullptr; }
    CWnd* PictureEditWindow() const { return m_pictureEdit; }
    void SetPictureEditWindow(CWnd* window) { m_pictureEdit = window; }
    // The memo has no chapter, or one without a picture and without text.
    bool IsEmptyMemo() const;

    // After an edit: repaints the changed lines, keeps the caret in view (repainting again when
    // that scrolled) and brings the scroll bars and the caret up to date.
    void Refresh();
    // Scrolls so that the caret is visible; true when the view moved.
    bool ScrollCaretIntoView();
    // Everything painted anew.
    void RepaintAll();
    void UpdateScrollBars();

    // The layout options of the option dialog, applied through the document list.
    void ApplyOptions(const CEditSettings& settings);
    // The screen font of the display type again, and everything laid out anew.
    void ApplyFont(const CEditSettings& settings);
    // The view background and the grey one from their files; the built-in pictures stand in for
    // files that cannot be read.
    void SetBackgrounds(const std::wstring& viewFile, const std::wstring& greyFile);
    // Decodes a background picture file into a bitmap that the caller takes over; null when it
    // cannot. The pictures layer brings one; without it only BMP files are read.
    using BackgroundLoader = std::function<HBITMAP(const std::wstring& path)>;
    void SetBackgroundLoader(BackgroundLoader loader) { m_loadBackground = std::move(loader); }
    // The files last given to SetBackgrounds.
    const std::wstring& ViewBackgroundFile() const { return m_viewBackgroundFile; }
    const std::wstring& GreyBackgroundFile() const { return m_greyBackgroundFile; }

    // The stream selection over the whole memo.
    void SelectAll();

    // CCaretSink: the document list places the system caret.
    void PlaceCaret(int x, int y, int height) override;
    // While one exists the system caret is left where it is (a memo file read in line by line
    // would otherwise move it once per line); it is placed once at the end.
    class CaretHold {
    public:
        explicit CaretHold(CEditText& window) : m_window(window) { ++m_window.m_caretHolds; }
        ~CaretHold()
        {
            if (--m_window.m_caretHolds == 0 && m_window.m_caretPending)
                m_window.PlaceCaret(m_window.m_caretPoint.x, m_window.m_caretPoint.y, m_window.m_pendingHeight);
        }
        CaretHold(const CaretHold&) = delete;
        CaretHold& operator=(const CaretHold&) = delete;

    private:
        CEditText& m_window;
    };
    POINT CaretPoint() const { return m_caretPoint; }
    int CaretHeight() const { return m_caretHeight; }

    int VisibleFullLines() const;

protected:
    void PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Called once the document list exists (window creation).
    virtual void OnDocumentCreated() {}
    // Called after the screen font or the line height changed.
    virtual void OnFontChanged() {}
    // Called after the text scrolled or the window changed size.
    virtual void OnViewMoved() {}

    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnHScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);

    // Base handlers the derived window brackets with its input-method work.
    void SetFocusBase();
    void KillFocusBase();
    void LeftButtonDown(int x, int y, bool shift, bool alt);
    void MouseMoveWhileDragging(int x, int y, bool shift);
    void LeftButtonUp(int x, int y, bool shift);
    void DoubleClick(int x, int y);
    // The caret keys; false when the key is not one of them.
    bool CaretKey(UINT key, bool shift, bool ctrl);

    bool Dragging() const { return m_dragging; }
    // A drag that another window takes over (a picture opened for editing) ends here.
    void CancelDrag();

    // Scrolls the view to a new top line, moving the pixels that stay.
    void ScrollToLine(int top);
    void ScrollToColumn(int column);

    bool m_hasFocus = false;
    // Shift-held caret keys are extending a selection (it may still be empty).
    bool m_keySelecting = false;

private:
    bool CreateDocument(const CEditSettings& settings);
    bool CreateScreenFont(const CEditSettings& settings);
    void InvalidateDirtyLines();
    int MaxTopLine() const;
    int VisibleColumns() const;

    static const MessageEntry<CEditText> kMessageMap[];

    std::unique_ptr<CDocList> m_doc;
    std::unique_ptr<CDocListPainter> m_painter;
    BackgroundLoader m_loadBackground;
    std::wstring m_viewBackgroundFile;
    std::wstring m_greyBackgroundFile;
    CEditSettings m_settings;
    CWnd* m_pictureEdit = nullptr;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    bool m_dragging = false;
    bool m_dragAlt = false;  // Alt at the click: the drag selects a rectangle
    bool m_busy = false;
    bool m_caretCreated = false;
    int m_caretHeight = 0;
    POINT m_caretPoint{0, 0};
    int m_caretHolds = 0;
    bool m_caretPending = false;
    int m_pendingHeight = 0;
    int m_wheelRemainder = 0;
    struct ScrollState {
        int max = -1;
        int page = -1;
        int position = -1;
        bool operator==(const ScrollState&) const = default;
    };
    ScrollState m_shownVertical;
    ScrollState m_shownHorizontal;
};
