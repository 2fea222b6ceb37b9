#include "text/CLayoutSettings.h"

#include <algorithm>

const std::u16string_view CLayoutSettings::kDefaultLineStartForbidden =
    u"、。,.』≫)>]}’”〉》」】〕〟）＞］｝ー？！ぁぃぅぇぉっゃゅょァィゥェォヵヶッャュョ々ゝ";
const std::u16string_view CLayoutSettings::kDefaultLineEndForbidden = u"『≪(<[{‘“〈《「【〔〝（＜［｛";
const std::u16string_view CLayoutSettings::kDefaultHeadingSymbols =
    u"・※●■◆○□◇①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳";

CLayoutSettings::CLayoutSettings()
    : m_lineStart(kDefaultLineStartForbidden),
      m_lineEnd(kDefaultLineEndForbidden),
      m_heading(kDefaultHeadingSymbols)
{
}

void CLayoutSettings::Set(int layoutWidth, int tabWidth, int cellWidth)
{
    m_layoutWidth = std::max(0, layoutWidth);
    // A tab width or cell width below 1 would make every TAB empty or divide by zero.
    m_tabWidth = std::max(1, tabWidth);
    cellWidth = std::max(1, cellWidth);
    const int count = std::max(1, (m_layoutWidth / cellWidth) / m_tabWidth + 1);
    m_tabStops.resize(count);
    for (int k = 0; k < count; ++k)
        m_tabStops[k] = k * m_tabWidth * cellWidth;
}

bool CLayoutSettings::HoldsCharacter(const std::u16string& set, std::u16string_view ch)
{
    if (ch.empty())
        return false;
    const int length = static_cast<int>(set.size());
    for (int i = 0; i < length;) {
        const int units = CUtf16::UnitsAt(set.data(), length, i);
        if (set.compare(static_cast<std::size_t>(i), static_cast<std::size_t>(units), ch) == 0)
            return true;
        i += units;
    }
    return false;
}
