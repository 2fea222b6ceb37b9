#include "text/CTagScanner.h"

std::optional<std::u16string_view> CTagScanner::TagFrom(std::u16string_view text, std::size_t& pos)
{
    const std::size_t open = text.find(u'<', pos);
    if (open == std::u16string_view::npos) {
        pos = text.size();
        return std::nullopt;
    }
    const std::size_t close = text.find(u'>', open + 1);
    if (close == std::u16string_view::npos) {
        pos = text.size();
        return std::nullopt;
    }
    pos = close + 1;
    return text.substr(open + 1, close - open - 1);
}

std::optional<std::u16string_view> CTagScanner::FirstTag(std::u16string_view text)
{
    std::size_t pos = 0;
    return TagFrom(text, pos);
}

bool CTagScanner::EqualsWord(std::u16string_view text, std::u16string_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (Lower(text[i]) != word[i])
            return false;
    return true;
}

bool CTagScanner::IsPageLine(std::u16string_view line)
{
    const auto tag = FirstTag(line);
    return tag && EqualsWord(*tag, u"page");
}
