#pragma once
// Print preview: a window that takes the view's place in the frame and shows the pages exactly as
// they print. It runs the program's print steps against the printer's device (or, when no
// printer is installed, a default A4 page at 300 dots per inch), and draws each page it shows
// through the program's Print page onto a bitmap mapped from the printer's pixels to the screen:
// the same pagination, fonts scaled, pictures and page numbers. One page or two side by side,
// next and previous page, three zoom levels with scrolling, print and close. While it is up it
// takes every command first: its own, the few its owner lets through, and nothing else.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "framework/CPrintInfo.h"
#include "framework/CPrinterChoice.h"
#include "framework/CWnd.h"

class CFrameWnd;

class CPrintPreview : public CWnd {
public:
    static constexpr int kZoomLevels = 3;  // fit, twice, four times
    static constexpr int kBarHeight = 32;

    struct Options {
        // Commands outside the preview's own that still work while it is up.
        std::function<bool(UINT id)> passes;
        // What the preview's print button sends to the frame after the preview closed.
        UINT printCommand = 0;
    };

    CPrintPreview(CFrameWnd& frame, CPrintClient& client);
    ~CPrintPreview() override;

    // Begins printing on the chosen printer (the default page without one) and shows the first
    // page in place of the view. False, with nothing shown, when Begin printing refuses.
    bool Open(CPrinterChoice& printer, Options options);
    // Ends printing and gives the frame its view back.
    void Close();
    bool IsOpen() const { return m_open; }

    int PageCount() const { return m_info.maxPage; }
    int CurrentPage() const { return m_page; }  // the first page shown, from 1
    bool TwoPages() const { return m_twoPages; }
    int Zoom() const { return m_zoom; }
    bool OnDefaultPage() const { return !m_printer; }
    const CPageMetrics& Page() const { return m_info.page; }
    HWND Pages() const;

    void GoToPage(int page);
    void NextPage() { GoToPage(m_page + PagesShown()); }
    void PreviousPage() { GoToPage(m_page - PagesShown()); }
    void ToggleTwoPages();
    void ZoomIn();
    // Zooms in keeping the point of the page window where it is.
    void ZoomInAt(POINT point);
    void ZoomOut();

    // Draws page (from 1) on a white sheet filling sheet in dc, scaled from the printer's pixels.
    // False for a page the program could not draw.
    bool RenderPage(HDC dc, int page, const RECT& sheet);
    // The sheet rectangles of the pages shown, in the page window's client coordinates.
    int SheetRects(RECT rects[2]) const;

    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

protected:
    void PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class CPreviewPages;

    int PagesShown() const { return m_twoPages ? 2 : 1; }
    void CreateBar();
    void LayOut();
    void StateChanged();
    void UpdateBar();
    void PaintPages(HDC dc, const RECT& client);
    void Scroll(int bar, int code, int amount);
    void UpdateScrollBars();
    // The sheet size at the current zoom and the size of everything shown.
    SIZE SheetSize() const;
    SIZE ContentSize() const;
    HBITMAP PageBitmap(int page, SIZE sheet);
    bool OnKey(UINT key);

    void OnPrint();

    CFrameWnd& m_frame;
    CPrintClient& m_client;
    Options m_options;
    CPrinterDC m_printer;   // the printer's device, when there is one
    HDC m_measure = nullptr;  // a screen-compatible context standing in for a printer
    CPrintInfo m_info;
    bool m_open = false;
    int m_page = 1;
    bool m_twoPages = false;
    int m_zoom = 0;
    POINT m_scroll{0, 0};
    std::unique_ptr<CWnd> m_pages;
    HWND m_status = nullptr;
    struct Cached {
        HBITMAP bitmap = nullptr;
        SIZE size{0, 0};
    };
    std::map<int, Cached> m_cache;
    void DropCache();
};
