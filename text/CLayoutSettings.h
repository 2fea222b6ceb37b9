#pragma once
// What line layout reads from its document besides the font: the layout width, the tab width and
// tab stops, and the three line-breaking character sets.
#include "text/CUtf16.h"

#include <string>
#include <string_view>
#include <vector>

class CLayoutSettings {
public:
    // Built-in sets; also the defaults of the settings "TopKinsoku", "LastKinsoku" and "TopKigo".
    static const std::u16string_view kDefaultLineStartForbidden;
    static const std::u16string_view kDefaultLineEndForbidden;
    static const std::u16string_view kDefaultHeadingSymbols;
    static constexpr int kDefaultTabWidth = 2;

    CLayoutSettings();

    // Stores the layout width (pixels) and tab width (cells) and rebuilds the tab stops for the
    // given cell width.
    void Set(int layoutWidth, int tabWidth, int cellWidth);
    int LayoutWidth() const { return m_layoutWidth; }
    int TabWidth() const { return m_tabWidth; }
    // Pixel positions: stop k = k × tab width × cell width.
    const std::vector<int>& TabStops() const { return m_tabStops; }

    void SetLineStartForbidden(std::u16string_view set) { m_lineStart.assign(set); }
    void SetLineEndForbidden(std::u16string_view set) { m_lineEnd.assign(set); }
    void SetHeadingSymbols(std::u16string_view set) { m_heading.assign(set); }
    const std::u16string& LineStartForbidden() const { return m_lineStart; }
    const std::u16string& LineEndForbidden() const { return m_lineEnd; }
    const std::u16string& HeadingSymbols() const { return m_heading; }

    // ch: one character, one UTF-16 unit or a surrogate pair; a set may hold pairs as well, and a
    // lone surrogate never matches half of one.
    bool IsLineStartForbidden(std::u16string_view ch) const { return Holds(m_lineStart, ch); }
    bool IsLineEndForbidden(std::u16string_view ch) const { return Holds(m_lineEnd, ch); }
    bool IsHeadingSymbol(std::u16string_view ch) const { return Holds(m_heading, ch); }
    bool IsLineStartForbidden(char16_t ch) const { return Holds(m_lineStart, {&ch, 1}); }
    bool IsLineEndForbidden(char16_t ch) const { return Holds(m_lineEnd, {&ch, 1}); }
    bool IsHeadingSymbol(char16_t ch) const { return Holds(m_heading, {&ch, 1}); }

private:
    // A unit outside the surrogate range is never half of a pair: a plain search is exact, and
    // it is the one layout makes for nearly every line.
    static bool Holds(const std::u16string& set, std::u16string_view ch)
    {
        if (ch.size() == 1 && !CUtf16::IsSurrogate(ch[0]))
            return set.find(ch[0]) != std::u16string::npos;
        return HoldsCharacter(set, ch);
    }
    static bool HoldsCharacter(const std::u16string& set, std::u16string_view ch);

    int m_layoutWidth = 0;
    int m_tabWidth = kDefaultTabWidth;
    std::vector<int> m_tabStops{0};
    std::u16string m_lineStart;
    std::u16string m_lineEnd;
    std::u16string m_heading;
};
