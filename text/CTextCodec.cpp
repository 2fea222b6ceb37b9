#include "text/CTextCodec.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/CodePage.h"

namespace vp = vel::platform;

namespace {

bool AskUnicodeTest(const void* bytes, std::size_t count, int mask, int& hits)
{
    hits = mask;
    return vp::IsTextUnicode(bytes, count, &hits);
}

constexpr std::size_t kPieceUnits = 8192;

// Conversion is per character: a piece may end anywhere except inside a surrogate pair or
// before a combining mark that the composite check would join to the character before it.
bool CanSplitBefore(char16_t c)
{
    const bool lowSurrogate = c >= 0xDC00 && c < 0xE000;
    const bool combining = (c >= 0x0300 && c < 0x0370) || (c >= 0x20D0 && c < 0x2100) || c == 0x3099 || c == 0x309A ||
                           (c >= 0xFE20 && c < 0xFE30);
    return !lowSurrogate && !combining;
}

std::u16string CutAtZero(std::u16string text)
{
    const std::size_t zero = text.find(u'\0');
    if (zero != std::u16string::npos)
        text.resize(zero);
    return text;
}

bool StartsWithUtf8Mark(const unsigned char* b, std::size_t count)
{
    return count >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF;
}

// Length of a well-formed UTF-8 sequence starting at b[i], with its code point; 0 when the
// bytes there are malformed (a stray continuation byte, an overlong form, a surrogate, a code
// point past U+10FFFF, or a sequence cut short), which then stands for one U+FFFD per byte.
std::size_t Utf8Sequence(const unsigned char* b, std::size_t count, std::size_t i, char32_t& c)
{
    const unsigned lead = b[i];
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (count - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((b[i + k] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b[i + k] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
        return 0;
    return length;
}

std::u16string DecodeUtf8(const unsigned char* b, std::size_t count)
{
    std::u16string text;
    text.reserve(count);
    const std::size_t last = count > 0 && b[count - 1] == 0 ? count - 1 : count;
    for (std::size_t i = 0; i < last;) {
        char32_t c = 0;
        const std::size_t length = Utf8Sequence(b, last, i, c);
        if (length == 0) {
            text += u'\uFFFD';
            ++i;
            continue;
        }
        i += length;
        if (c == 0)
            text += u'.'; // as in code-page text
        else if (c < 0x10000)
            text += static_cast<char16_t>(c);
        else {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return text;
}

} // namespace

bool CTextCodec::IsEmptyText(const void* bytes, std::size_t count)
{
    const auto* b = static_cast<const unsigned char*>(bytes);
    return count == 0 || (count == 2 && b[0] == 0xFF && b[1] == 0xFE) || (count == 3 && StartsWithUtf8Mark(b, count));
}

std::u16string CTextCodec::Decode(const void* bytes, std::size_t count)
{
    if (!bytes || count == 0)
        return {};
    const auto* b = static_cast<const unsigned char*>(bytes);
    // Other editors save UTF-8 with this mark; a code-page memo practically never starts with
    // these three bytes, and read as code page they would show as garbage.
    if (StartsWithUtf8Mark(b, count))
        return DecodeUtf8(b + 3, count - 3);
    int hits = 0;
    // The odd-length test never answers "Unicode" itself; its flag staying clear is the answer.
    AskUnicodeTest(bytes, count, vp::kUnicodeOddLength, hits);
    bool unicode = false;
    if ((hits & vp::kUnicodeOddLength) == 0)
        unicode = AskUnicodeTest(bytes, count, vp::kUnicodeTests, hits);
    AskUnicodeTest(bytes, count, vp::kUnicodeSignature, hits);
    const bool signature = (hits & vp::kUnicodeSignature) != 0;
    AskUnicodeTest(bytes, count, vp::kUnicodeReverseSignature, hits);
    const bool reverseSignature = (hits & vp::kUnicodeReverseSignature) != 0;

    if (unicode) {
        std::size_t units = count / 2;
        std::size_t skip = 0;
        if ((signature || reverseSignature) && units > 0) {
            skip = 2;
            --units;
        }
        std::u16string text(units, u'\0');
        for (std::size_t i = 0; i < units; ++i) // little-endian units, copied as they stand
            text[i] = static_cast<char16_t>(b[skip + 2 * i] | (b[skip + 2 * i + 1] << 8));
        return CutAtZero(std::move(text));
    }

    const std::size_t length = b[count - 1] == 0 ? count - 1 : count;
    const auto* chars = static_cast<const char*>(bytes);
    if (std::memchr(chars, 0, length) == nullptr)
        return CutAtZero(vp::AnsiToUtf16(chars, length));
    std::vector<char> ansi(chars, chars + length);
    std::replace(ansi.begin(), ansi.end(), '\0', '.');
    return CutAtZero(vp::AnsiToUtf16(ansi.data(), ansi.size()));
}

std::string CTextCodec::Encode(std::u16string_view text)
{
    std::string bytes = vp::Utf16ToAnsi(text.data(), text.size());
    while (!bytes.empty() && bytes.back() == '\0')
        bytes.pop_back();
    return bytes;
}

bool CTextCodec::EncodeExactly(std::u16string_view text, std::string& bytes)
{
    // Piece by piece, so that a long memo needs no second full-size copy for the check.
    bytes.clear();
    bytes.reserve(text.size() * 2);
    bool exact = true;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = std::min(text.size(), pos + kPieceUnits);
        while (end < text.size() && !CanSplitBefore(text[end]))
            ++end;
        const std::u16string_view piece = text.substr(pos, end - pos);
        std::string encoded;
        if (!vp::Utf16ToAnsiExactly(piece.data(), piece.size(), encoded))
            exact = false;
        bytes += encoded;
        pos = end;
    }
    while (!bytes.empty() && bytes.back() == '\0')
        bytes.pop_back();
    return exact;
}
