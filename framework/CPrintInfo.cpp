#include "framework/CPrintInfo.h"

#include <algorithm>

CPageMetrics CPageMetrics::Of(HDC dc)
{
    CPageMetrics m;
    if (!dc)
        return m;
    m.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    m.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    m.width = GetDeviceCaps(dc, HORZRES);
    m.height = GetDeviceCaps(dc, VERTRES);
    m.paperWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
    m.paperHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    m.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    m.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    // Displays and memory contexts have no sheet: the printable area is the sheet.
    if (m.paperWidth < m.width + m.offsetX || m.paperHeight < m.height + m.offsetY) {
        m.paperWidth = m.width;
        m.paperHeight = m.height;
        m.offsetX = 0;
        m.offsetY = 0;
    }
    return m;
}

CPageMetrics CPageMetrics::DefaultPage()
{
    CPageMetrics m;
    m.dpiX = m.dpiY = 300;
    // 210 × 297 mm.
    m.width = m.paperWidth = 2480;
    m.height = m.paperHeight = 3508;
    return m;
}

std::vector<int> CPrintInfo::PagesToPrint() const
{
    std::vector<int> pages;
    auto add = [&](int from, int to) {
        from = std::max(from, minPage);
        to = std::min(to, maxPage);
        for (int page = from; page <= to; ++page)
            pages.push_back(page);
    };
    if (ranges.empty())
        add(minPage, maxPage);
    for (const auto& [from, to] : ranges)
        add(std::min(from, to), std::max(from, to));
    return pages;
}
