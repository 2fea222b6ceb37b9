#include "calc/CExpScanner.h"

#include "calc/CExpSymbols.h"

namespace {

struct Replacement {
    std::u16string_view from;
    std::u16string_view to;
};

// Applied in this order. Full-width Ｓ, Ｃ and Ｔ typed by the user become ASCII capitals (and so
// invalid tokens) before the words sin, cos and tan take those symbols over.
constexpr Replacement kTable[] = {
    {u"\t", u" "},
    {u"\u3000", u" "},
    {u"\uFF1A", u":"},
    {u"\uFF1B", u";"},
    {u"\uFF08", u"("},
    {u"\uFF09", u")"},
    {u"\uFF0B", u"+"},
    {u"\uFF0D", u"-"},
    {u"\uFF0A", u"*"},
    {u"\uFF0F", u"/"},
    {u"\u00D7", u"*"}, // × as written in memos
    {u"\u00F7", u"/"}, // ÷
    {u"\uFF3E", u"^"},
    {u"\uFF1D", u"="},
    {u"\uFF0C", u","}, // so that "１，０００" groups its thousands like "1,000"
    {u"\uFF10", u"0"},
    {u"\uFF11", u"1"},
    {u"\uFF12", u"2"},
    {u"\uFF13", u"3"},
    {u"\uFF14", u"4"},
    {u"\uFF15", u"5"},
    {u"\uFF16", u"6"},
    {u"\uFF17", u"7"},
    {u"\uFF18", u"8"},
    {u"\uFF19", u"9"},
    {u"sqrt", u"\u221A"},
    {u"pi", u"\u03C0"},
    {u"\uFF05", u"%"},
    {u"\uFF33", u"S"},
    {u"sin", u"\uFF33"},
    {u"\uFF23", u"C"},
    {u"cos", u"\uFF23"},
    {u"\uFF34", u"T"},
    {u"tan", u"\uFF34"},
};

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to)
{
    size_t pos = text.find(from);
    if (pos == std::u16string::npos)
        return;
    // One pass into a new string keeps long lines linear.
    std::u16string out;
    out.reserve(text.size());
    size_t done = 0;
    for (; pos != std::u16string::npos; pos = text.find(from, done)) {
        out.append(text, done, pos - done);
        out.append(to);
        done = pos + from.size();
    }
    out.append(text, done, std::u16string::npos);
    text.swap(out);
}

} // namespace

std::u16string CExpScanner::Normalize(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        // The input method delivers letters full-width; "ｓｉｎ３０" must read as "sin30".
        else if (c >= u'\uFF41' && c <= u'\uFF5A')
            c = static_cast<char16_t>(c - u'\uFF41' + u'a');
    }
    for (const Replacement& r : kTable)
        ReplaceAll(out, r.from, r.to);
    return out;
}

std::vector<CExpToken> CExpScanner::Tokenize(std::u16string_view normalized)
{
    std::vector<CExpToken> tokens;
    size_t start = 0;
    for (size_t i = 0; i < normalized.size(); ++i) {
        if (!CExpSymbols::IsDelimiter(normalized[i]))
            continue;
        if (i > start)
            tokens.emplace_back(normalized.substr(start, i - start));
        tokens.emplace_back(normalized.substr(i, 1));
        start = i + 1;
    }
    if (start < normalized.size())
        tokens.emplace_back(normalized.substr(start));
    return tokens;
}
