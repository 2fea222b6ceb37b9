#pragma once
// One print job or preview of the open memo, from Begin printing to End printing: the print font
// and scale worked out from the printer's resolution and the screen font, the page list cut for
// the page height, the pictures' print layers, and each page drawn through the one drawing path
// that paper, the preview and the tests share.
#include <windows.h>

#include "doc/CDocListPrinter.h"
#include "doc/CPrintLayout.h"
#include "picture/CPicPrintLayers.h"

class CDocList;
class CPicList;

// What a job reads from the settings.
struct CMemoPrintSetup {
    CPrintSettings settings;
    LOGFONTW logFont{};     // the display type's font; the print height replaces its height
    int screenHeight = 0;   // the screen font's logical height (negative)
};

class CMemoPrinter {
public:
    CMemoPrinter(CDocList& doc, const CPicList& pictures);
    ~CMemoPrinter();
    CMemoPrinter(const CMemoPrinter&) = delete;
    CMemoPrinter& operator=(const CMemoPrinter&) = delete;

    // The print font for a device of dpiY dots per inch (measured on measure), the scale, lines
    // per page for a printable height of pageHeight pixels and the page list. Returns the number
    // of pages; 0 when the print font could not be made (nothing is then set up).
    int Begin(const CMemoPrintSetup& setup, HDC measure, int dpiY, int pageHeight);
    // Page pageIndex (from 0); false, with nothing drawn, for a page outside the page list.
    bool PrintPage(HDC dc, int pageIndex);
    // Page list emptied, print font released, screen font current, layers gone.
    void End();

    bool Begun() const { return m_begun; }
    double Scale() const { return m_scale; }
    int PrintFontHeight() const { return m_fontHeight; }
    int LinesPerPage() const { return m_printer.LinesPerPage(); }
    int PageCount() const { return m_pages; }
    const CPrintSettings& Settings() const { return m_settings; }
    CPicPrintLayers& Layers() { return m_layers; }

private:
    CDocList& m_doc;
    CDocListPrinter m_printer;
    CPicPrintLayers m_layers;
    CPrintSettings m_settings;
    double m_scale = 1.0;
    int m_fontHeight = 0;
    int m_pages = 0;
    bool m_begun = false;
};
