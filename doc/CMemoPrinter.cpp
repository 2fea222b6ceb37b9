#include "doc/CMemoPrinter.h"

#include "doc/CDocList.h"

CMemoPrinter::CMemoPrinter(CDocList& doc, const CPicList& pictures)
    : m_doc(doc), m_printer(doc), m_layers(pictures)
{
    m_printer.SetPictureDrawer(m_layers.Drawer());
}

CMemoPrinter::~CMemoPrinter()
{
    if (m_begun)
        End();
}

int CMemoPrinter::Begin(const CMemoPrintSetup& setup, HDC measure, int dpiY, int pageHeight)
{
    if (m_begun)
        End();
    m_doc.SetCurrentFontIndex(CDocList::kScreenFont);
    m_settings = setup.settings;
    m_fontHeight = CPrintLayout::FontHeight(m_settings.fontPoints, dpiY);
    m_scale = CPrintLayout::Scale(m_fontHeight, setup.screenHeight);
    // The font first: the page is cut for the height its lines really take.
    if (!m_printer.CreatePrintFont(setup.logFont, m_fontHeight, m_scale, m_settings.lineSpace,
                                   static_cast<COLORREF>(m_settings.colour), measure))
        return 0;
    m_pages = m_printer.Paginate(pageHeight, m_settings.topSpace, m_settings.bottomSpace);
    // The pictures' printed sizes follow from the scale as each page is drawn; their layers are
    // made then, from pixels that are current at that moment.
    m_layers.Clear();
    m_begun = true;
    return m_pages;
}

bool CMemoPrinter::PrintPage(HDC dc, int pageIndex)
{
    if (!m_begun)
        return false;
    return m_printer.PrintPage(dc, pageIndex, m_settings.leftSpace, m_settings.topSpace, m_settings.pageNumbers,
                               m_scale);
}

void CMemoPrinter::End()
{
    m_doc.ClearPages();
    m_printer.ReleasePrintFont();
    m_doc.SetCurrentFontIndex(CDocList::kScreenFont);
    m_layers.Clear();
    m_pages = 0;
    m_begun = false;
}
