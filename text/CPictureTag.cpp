#include "text/CPictureTag.h"

#include <climits>

#include "text/CTagScanner.h"

namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// Position of key (lower case, ASCII) outside double quotes; npos when absent.
std::size_t FindKey(std::u16string_view tag, std::u16string_view key)
{
    bool quoted = false;
    for (std::size_t i = 0; i < tag.size(); ++i) {
        if (tag[i] == u'"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && tag.size() - i >= key.size() && CTagScanner::EqualsWord(tag.substr(i, key.size()), key))
            return i;
    }
    return std::u16string_view::npos;
}

bool IsImgTag(std::u16string_view tag)
{
    return tag.size() >= 4 && CTagScanner::EqualsWord(tag.substr(0, 3), u"img") && IsBlank(tag[3]);
}

void AppendNumber(std::u16string& out, int value)
{
    const std::string digits = std::to_string(value);
    out.append(digits.begin(), digits.end());
}

} // namespace

std::optional<std::u16string> CPictureTag::SrcValue(std::u16string_view tag)
{
    std::size_t pos = FindKey(tag, u"src=");
    if (pos == std::u16string_view::npos)
        return std::nullopt;
    pos += 4;
    while (pos < tag.size() && IsBlank(tag[pos]))
        ++pos;
    if (pos >= tag.size() || tag[pos] != u'"')
        return std::nullopt;
    const std::size_t close = tag.find(u'"', pos + 1);
    if (close == std::u16string_view::npos || close == pos + 1)
        return std::nullopt;
    return std::u16string(tag.substr(pos + 1, close - pos - 1));
}

int CPictureTag::NumericAttribute(std::u16string_view tag, std::u16string_view key)
{
    std::size_t pos = FindKey(tag, key);
    if (pos == std::u16string_view::npos)
        return kNotGiven;
    long long value = 0;
    for (pos += key.size(); pos < tag.size() && tag[pos] >= u'0' && tag[pos] <= u'9'; ++pos) {
        value = value * 10 + (tag[pos] - u'0');
        if (value > INT_MAX)
            value = INT_MAX; // a run of digits longer than any size saturates instead of wrapping
    }
    return static_cast<int>(value);
}

int CPictureTag::LeadingTabs(std::u16string_view line)
{
    std::size_t n = 0;
    while (n < line.size() && line[n] == u'\t')
        ++n;
    return n > INT_MAX ? INT_MAX : static_cast<int>(n);
}

int CPictureTag::IndentRule(std::u16string_view line, bool fromClipboard)
{
    const int tabs = LeadingTabs(line);
    return (tabs == 0 && fromClipboard) ? kNotGiven : tabs;
}

bool CPictureTag::Parse(std::u16string_view line, bool fromClipboard, CPictureTag& tag)
{
    std::size_t pos = 0;
    while (pos < line.size()) {
        const auto text = CTagScanner::TagFrom(line, pos);
        if (!text)
            return false;
        if (!IsImgTag(*text))
            continue;
        auto src = SrcValue(*text);
        if (!src)
            continue;
        tag.indent = IndentRule(line, fromClipboard);
        tag.src = std::move(*src);
        tag.width = NumericAttribute(*text, u"width=");
        tag.height = NumericAttribute(*text, u"height=");
        tag.cposX = NumericAttribute(*text, u"cposx=");
        tag.cposY = NumericAttribute(*text, u"cposy=");
        tag.csizeX = NumericAttribute(*text, u"csizex=");
        tag.csizeY = NumericAttribute(*text, u"csizey=");
        return true;
    }
    return false;
}

std::u16string CPictureAttributes::FormatTag(std::u16string_view path, const CPictureAttributes* attributes)
{
    std::u16string out = u"<IMG SRC=\"";
    out += path;
    out += u'"';
    if (attributes) {
        const std::pair<const char16_t*, int> items[] = {
            {u" WIDTH=", attributes->width},   {u" HEIGHT=", attributes->height}, {u" CPOSX=", attributes->cposX},
            {u" CPOSY=", attributes->cposY},   {u" CSIZEX=", attributes->csizeX}, {u" CSIZEY=", attributes->csizeY},
        };
        for (const auto& [key, value] : items) {
            out += key;
            AppendNumber(out, value);
        }
    }
    out += u'>';
    return out;
}
