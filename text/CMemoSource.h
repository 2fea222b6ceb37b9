#pragma once
// What the memo writer reads: the chapters of the document list in order.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct CMemoChapter {
    bool picture = false;
    std::u16string_view text; // text chapter: its whole text, leading TABs included
    int indent = 0;           // picture chapter: indent steps
    int pictureId = -1;       // picture chapter: id in the picture list
    bool pageBreak = false;
};

// One display line of a text chapter, for the export that keeps the line layout.
struct CMemoDisplayLine {
    std::u16string text;
    int indentColumns = 0; // columns the layout indents this line by (ignored for the first line)
};

class CMemoSource {
public:
    virtual ~CMemoSource() = default;
    virtual std::size_t ChapterCount() const = 0;
    // The text view stays valid until the next call.
    virtual CMemoChapter Chapter(std::size_t index) const = 0;
    virtual std::vector<CMemoDisplayLine> DisplayLines(std::size_t index) const = 0;
    virtual int TabWidth() const = 0;
};
