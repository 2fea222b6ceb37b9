#pragma once
// What the framework's print job and print preview tell the program's print steps: the printable
// page of the device, the pages asked for, the page being printed, and whether to go on.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// The printable page of a device, in its pixels.
struct CPageMetrics {
    int dpiX = 0;
    int dpiY = 0;
    int width = 0;        // printable area
    int height = 0;
    int paperWidth = 0;   // the whole sheet
    int paperHeight = 0;
    int offsetX = 0;      // where the printable area starts on the sheet
    int offsetY = 0;

    static CPageMetrics Of(HDC dc);
    // A4 at 300 dots per inch, printable to its edges: the page the preview shows when no printer
    // is installed.
    static CPageMetrics DefaultPage();
    bool Valid() const { return dpiY > 0 && width > 0 && height > 0; }
};

struct CPrintInfo {
    static constexpr int kUnknownLastPage = 0xFFFF;

    int minPage = 1;
    int maxPage = kUnknownLastPage;  // the program sets it in Begin printing
    // The ranges chosen in the print dialog (from, to), counted from 1; empty: every page.
    std::vector<std::pair<int, int>> ranges;
    int currentPage = 1;
    bool preview = false;
    bool directPrint = false;        // no print dialog
    bool continuePrinting = true;    // the program clears it when a page cannot be printed
    CPageMetrics page;

    void SetMaxPage(int last) { maxPage = last; }
    // The pages to print, in order: the chosen ranges cut to [minPage, maxPage].
    std::vector<int> PagesToPrint() const;
};

// The program's side of printing: the four print steps, called in this order for a print job and
// for the preview (which calls Print page for every page it shows).
class CPrintClient {
public:
    virtual ~CPrintClient() = default;
    // Before the print dialog; false: no job.
    virtual bool OnPreparePrinting(CPrintInfo&) { return true; }
    // The device is chosen; sets the last page. False stops the job.
    virtual bool OnBeginPrinting(HDC dc, CPrintInfo& info) = 0;
    // Prints info.currentPage; clears info.continuePrinting when it cannot.
    virtual void OnPrint(HDC dc, CPrintInfo& info) = 0;
    virtual void OnEndPrinting(HDC dc, CPrintInfo& info) = 0;
    // The name of the job in the print queue.
    virtual std::wstring PrintTitle() const = 0;
};
