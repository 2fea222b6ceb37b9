#include "doc/CPrintLayout.h"

#include "doc/CPictChapter.h"
#include "text/CTextFont.h"

#include <cmath>
#include <cstdio>

int CPrintLayout::FontHeight(int points, int dpiY)
{
    return -CTextFont::MulDiv(points, dpiY, 72);
}

double CPrintLayout::Scale(int printHeight, int screenHeight)
{
    if (screenHeight == 0)
        return 1.0;
    return static_cast<double>(printHeight) / static_cast<double>(screenHeight);
}

int CPrintLayout::LineSpacing(int lineSpace, double scale)
{
    return CTextFont::LineSpacingFor(lineSpace, scale);
}

int CPrintLayout::LinesPerPage(int pageHeight, int lineHeight, int topSpace, int bottomSpace)
{
    if (lineHeight <= 0)
        return 0;
    return pageHeight / lineHeight - bottomSpace - topSpace;
}

CPrintPicture CPrintLayout::Picture(int width, int height, int bottomSpace, double scale)
{
    CPrintPicture out;
    out.width = static_cast<int>(width * scale);
    out.height = static_cast<int>(height * scale);
    out.top = static_cast<int>(bottomSpace * scale);
    return out;
}

CPrintPicture CPrintLayout::Picture(const CPictChapter& picture, double scale)
{
    return Picture(picture.Width(), picture.Height(), picture.BottomSpace(), scale);
}

std::u16string CPrintLayout::PageNumberText(int pageIndex)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "- %d -", pageIndex + 1);
    std::u16string text;
    for (const char* c = buffer; *c; ++c)
        text += static_cast<char16_t>(*c);
    return text;
}

int CPrintLayout::PageNumberColumn(int columns, int textLength, int leftSpace)
{
    return (columns - textLength) / 2 + leftSpace;
}

int CPrintLayout::PageNumberRow(int topSpace, int linesPerPage, int rowsOnPage)
{
    // Without a line count the page is as long as its rows; the number must not land on them.
    const int rows = linesPerPage > 0 ? linesPerPage : rowsOnPage;
    return topSpace + rows + 1;
}
