#include "text/CMemoJournal.h"

#include <cstring>
#include <string>

namespace {

constexpr std::u16string_view kMemoLine = u"memo\t";
constexpr std::u16string_view kNewLine = u"new\t";
constexpr std::u16string_view kLengthLine = u"length\t";
constexpr std::u16string_view kLineEnd = u"\r\n";

std::u16string Decimal(std::size_t n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// The next line of text from pos (without its CR LF); false at the end or without a line end.
bool NextLine(std::u16string_view text, std::size_t& pos, std::u16string_view& line)
{
    const std::size_t end = text.find(kLineEnd, pos);
    if (end == std::u16string_view::npos)
        return false;
    line = text.substr(pos, end - pos);
    pos = end + kLineEnd.size();
    return true;
}

}  // namespace

std::string CMemoJournal::Encode(const CJournalHeader& header, std::u16string_view memoText)
{
    std::u16string text(kMagic);
    text += kLineEnd;
    if (header.newMemo) {
        text += kNewLine;
        text += header.folder;
    } else {
        text += kMemoLine;
        text += header.folder;
        text += u'\t';
        text += header.file;
    }
    text += kLineEnd;
    text += kLengthLine;
    text += Decimal(memoText.size());
    text += kLineEnd;
    text += kLineEnd;
    text += memoText;

    std::string bytes(2 + text.size() * 2, '\0');
    bytes[0] = static_cast<char>(0xFF);
    bytes[1] = static_cast<char>(0xFE);
    char* out = &bytes[2];
    for (const char16_t unit : text) {
        *out++ = static_cast<char>(unit & 0xFF);
        *out++ = static_cast<char>(unit >> 8);
    }
    return bytes;
}

bool CMemoJournal::Decode(const void* bytes, std::size_t count, CJournalHeader& header, std::u16string& memoText)
{
    const auto* b = static_cast<const unsigned char*>(bytes);
    if (count < 2 || count % 2 != 0 || b[0] != 0xFF || b[1] != 0xFE)
        return false;
    std::u16string text((count - 2) / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(b[2 + 2 * i] | (b[3 + 2 * i] << 8));
    const std::u16string_view all(text);

    std::size_t pos = 0;
    std::u16string_view line;
    if (!NextLine(all, pos, line) || line != kMagic)
        return false;
    if (!NextLine(all, pos, line))
        return false;
    CJournalHeader read;
    if (line.substr(0, kNewLine.size()) == kNewLine) {
        read.newMemo = true;
        read.folder = std::u16string(line.substr(kNewLine.size()));
    } else if (line.substr(0, kMemoLine.size()) == kMemoLine) {
        const std::u16string_view rest = line.substr(kMemoLine.size());
        const std::size_t tab = rest.find(u'\t');
        if (tab == std::u16string_view::npos)
            return false;
        read.newMemo = false;
        read.folder = std::u16string(rest.substr(0, tab));
        read.file = std::u16string(rest.substr(tab + 1));
    } else {
        return false;
    }
    if (read.folder.empty() || (!read.newMemo && read.file.empty()))
        return false;
    if (!NextLine(all, pos, line) || line.substr(0, kLengthLine.size()) != kLengthLine)
        return false;
    const std::u16string_view digits = line.substr(kLengthLine.size());
    if (digits.empty() || digits.size() > 12)
        return false;
    std::size_t length = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9')
            return false;
        length = length * 10 + static_cast<std::size_t>(c - u'0');
    }
    if (!NextLine(all, pos, line) || !line.empty())
        return false;
    if (all.size() - pos != length)
        return false;
    header = std::move(read);
    memoText.assign(all.substr(pos));
    return true;
}
