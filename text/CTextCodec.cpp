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

} // namespace

std::u16string CTextCodec::Decode(const void* bytes, std::size_t count)
{
    if (!bytes || count == 0)
        return {};
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

    const auto* b = static_cast<const unsigned char*>(bytes);
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
        const std::string encoded = vp::Utf16ToAnsi(piece.data(), piece.size());
        if (encoded.empty() || vp::AnsiToUtf16(encoded.data(), encoded.size()) != piece)
            exact = false;
        bytes += encoded;
        pos = end;
    }
    while (!bytes.empty() && bytes.back() == '\0')
        bytes.pop_back();
    return exact;
}
