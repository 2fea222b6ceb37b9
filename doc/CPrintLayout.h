#pragma once
// The arithmetic of a printed page: the print font's height and its scale against the screen
// font, the printed line spacing, the lines that fit on a page, where a picture stands on paper
// and where the page number goes. Everything comes in as numbers, so it holds for a printer, the
// preview and the tests alike.
#include <cstdint>
#include <string>

class CPictChapter;

// The settings a print job reads, with their defaults.
struct CPrintSettings {
    static constexpr int kDefaultFontPoints = 10;
    static constexpr int kDefaultLineSpace = 2;
    static constexpr int kDefaultTopSpace = 4;
    static constexpr int kDefaultBottomSpace = 4;
    static constexpr int kDefaultLeftSpace = 16;

    int fontPoints = kDefaultFontPoints;  // "Print Font Size"
    int lineSpace = kDefaultLineSpace;    // "Line Space", in screen pixels
    int topSpace = kDefaultTopSpace;      // "Print Top Space", in lines
    int bottomSpace = kDefaultBottomSpace;  // "Print Btm Space", in lines
    int leftSpace = kDefaultLeftSpace;    // "Left Space", in half-width columns
    bool pageNumbers = true;              // "Print PageNo"
    std::uint32_t colour = 0;             // "Font Color", 0x00BBGGRR
};

// A picture chapter on paper, in printer pixels.
struct CPrintPicture {
    int width = 0;
    int height = 0;
    int top = 0;  // below the top of the picture's first row
};

class CPrintLayout {
public:
    // −(points × dpiY ÷ 72), rounded as the platform's multiply-divide.
    static int FontHeight(int points, int dpiY);
    // Print font height over screen font height (both negative as logical heights). A screen
    // height of 0 would make it infinite; the scale is then 1.
    static double Scale(int printHeight, int screenHeight);
    // "Line Space" × scale, rounded up.
    static int LineSpacing(int lineSpace, double scale);
    // pageHeight ÷ lineHeight − bottom − top; 0 or less means that only page breaks end pages.
    static int LinesPerPage(int pageHeight, int lineHeight, int topSpace, int bottomSpace);
    // The picture's screen size and bottom space × scale, truncated.
    static CPrintPicture Picture(const CPictChapter& picture, double scale);
    static CPrintPicture Picture(int width, int height, int bottomSpace, double scale);

    // "- n -" for the page with this index (counted from 0).
    static std::u16string PageNumberText(int pageIndex);
    // The column where the page number starts: centred over the text columns, after the margin.
    static int PageNumberColumn(int columns, int textLength, int leftSpace);
    // One line below the lowest text line a page can have, one line left free. When pages end only
    // at page breaks, below the page's own last row.
    static int PageNumberRow(int topSpace, int linesPerPage, int rowsOnPage);
};
