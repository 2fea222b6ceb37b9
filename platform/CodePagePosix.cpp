#include "platform/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace vel::platform {

namespace {

// The native build stands in for a Japanese system: its code page is 932.
constexpr const char* kCodePage = "CP932";
constexpr char16_t kUnmappable = u'\u30FB'; // what code page 932 shows for a byte it cannot map
constexpr std::size_t kTestedUnits = 256;   // the test judges the start of the text only

// One conversion descriptor per thread and direction, closed when the thread ends.
class CConverter {
public:
    CConverter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CConverter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;

    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    void Reset() { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }
    // Converts as much as possible; returns false with errno set when it stopped early.
    bool Run(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft)
    {
        return iconv(m_cd, const_cast<char**>(&in), &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    }

private:
    iconv_t m_cd;
};

CConverter& Decoder()
{
    thread_local CConverter converter("UTF-16LE", kCodePage);
    return converter;
}

CConverter& Encoder()
{
    thread_local CConverter converter(kCodePage, "UTF-16LE");
    return converter;
}

bool IsCombiningMark(char16_t c)
{
    return (c >= 0x0300 && c <= 0x036F) || c == 0x3099 || c == 0x309A;
}

// Kana followed by a voiced or semi-voiced combining mark become the precomposed kana, as the
// composite check does; zero when there is no such kana.
char16_t ComposeKana(char16_t base, char16_t mark)
{
    static constexpr char16_t kVoiced[] = {0x304B, 0x304D, 0x304F, 0x3051, 0x3053, 0x3055, 0x3057, 0x3059, 0x305B,
                                           0x305D, 0x305F, 0x3061, 0x3064, 0x3066, 0x3068, 0x306F, 0x3072, 0x3075,
                                           0x3078, 0x307B};
    if (mark == 0x3099 && (base == 0x3046 || base == 0x30A6))
        return static_cast<char16_t>(base == 0x3046 ? 0x3094 : 0x30F4);
    const bool katakana = base >= 0x30A0 && base < 0x3100;
    const char16_t hiragana = katakana ? static_cast<char16_t>(base - 0x60) : base;
    for (std::size_t i = 0; i < sizeof kVoiced / sizeof kVoiced[0]; ++i) {
        if (kVoiced[i] != hiragana)
            continue;
        if (mark == 0x3099)
            return static_cast<char16_t>(base + 1);
        if (i >= 15) // the ha row alone takes the semi-voiced mark
            return static_cast<char16_t>(base + 2);
    }
    return 0;
}

// Composite check and discarding of non-spacing marks before the conversion proper.
std::u16string Precompose(const char16_t* text, std::size_t count)
{
    std::u16string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t c = text[i];
        if (IsCombiningMark(c)) {
            if (!out.empty()) {
                if (const char16_t composed = ComposeKana(out.back(), c)) {
                    out.back() = composed;
                    continue;
                }
            }
            continue; // a non-spacing mark that composes with nothing is dropped
        }
        out.push_back(c);
    }
    return out;
}

} // namespace

bool IsTextUnicode(const void* bytes, std::size_t count, int* tests) noexcept
{
    const int wanted = *tests;
    int hits = 0;
    if (count & 1)
        hits |= kUnicodeOddLength;
    const auto* b = static_cast<const unsigned char*>(bytes);
    std::size_t units = count / 2;
    if (units > kTestedUnits)
        units = kTestedUnits;
    auto unit = [b](std::size_t i) { return static_cast<unsigned>(b[2 * i] | (b[2 * i + 1] << 8)); };
    if (units > 0) {
        if (unit(0) == 0xFEFF)
            hits |= kUnicodeSignature;
        if (unit(0) == 0xFFFE)
            hits |= kUnicodeReverseSignature;
        std::size_t narrow = 0;
        bool ascii = true;
        bool controls = false;
        for (std::size_t i = 0; i < units; ++i) {
            const unsigned u = unit(i);
            if (u <= 0xFF)
                ++narrow;
            if (u == 0 || u >= 0x80)
                ascii = false;
            if (u == 0x0D || u == 0x0A || u == 0x09 || u == 0x20 || u == 0x3000)
                controls = true;
        }
        // Latin text in UTF-16 has a zero high byte in most of its units; a code-page text
        // has zero bytes only where something is broken.
        if (narrow * 2 > units)
            hits |= kUnicodeStatistics;
        if (ascii)
            hits |= kUnicodeAscii16;
        if (controls)
            hits |= kUnicodeControls;
    }
    *tests = hits & wanted;
    if (count < 2 || (hits & (kUnicodeOddLength | kUnicodeReverseSignature)))
        return false;
    return (hits & wanted & kUnicodeTests) != 0;
}

std::u16string AnsiToUtf16(const char* bytes, std::size_t count)
{
    std::u16string out;
    CConverter& cd = Decoder();
    if (count == 0 || !cd.Ok())
        return out;
    cd.Reset();
    out.resize(count + 1); // one unit per byte at most (double-byte characters give one unit)
    char* dst = reinterpret_cast<char*>(out.data());
    std::size_t dstLeft = out.size() * sizeof(char16_t);
    const char* src = bytes;
    std::size_t srcLeft = count;
    while (srcLeft > 0) {
        if (cd.Run(src, srcLeft, dst, dstLeft))
            break;
        if (errno == E2BIG || dstLeft < sizeof(char16_t))
            break;
        // A byte that starts no character of the code page (or a lead byte at the end).
        const char16_t bad = kUnmappable;
        std::memcpy(dst, &bad, sizeof bad);
        dst += sizeof bad;
        dstLeft -= sizeof bad;
        ++src;
        --srcLeft;
        cd.Reset();
    }
    out.resize(out.size() - dstLeft / sizeof(char16_t));
    return out;
}

std::string Utf16ToAnsi(const char16_t* text, std::size_t count)
{
    std::string out;
    CConverter& cd = Encoder();
    if (count == 0 || !cd.Ok())
        return out;
    // Most text has no combining marks: convert it in place instead of copying it first.
    std::u16string composed;
    if (std::any_of(text, text + count, IsCombiningMark)) {
        composed = Precompose(text, count);
        text = composed.data();
        count = composed.size();
    }
    cd.Reset();
    out.resize(count * 2 + 1);
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    const char* src = reinterpret_cast<const char*>(text);
    std::size_t srcLeft = count * sizeof(char16_t);
    while (srcLeft > 0) {
        if (cd.Run(src, srcLeft, dst, dstLeft))
            break;
        if (errno == E2BIG || dstLeft == 0)
            break;
        // A character the code page lacks: the default character, as the system does.
        const auto* at = reinterpret_cast<const char16_t*>(src);
        std::size_t skip = 1;
        if (srcLeft >= 4 && at[0] >= 0xD800 && at[0] < 0xDC00 && at[1] >= 0xDC00 && at[1] < 0xE000)
            skip = 2;
        *dst++ = '?';
        --dstLeft;
        src += skip * sizeof(char16_t);
        srcLeft = srcLeft >= skip * sizeof(char16_t) ? srcLeft - skip * sizeof(char16_t) : 0;
        cd.Reset();
    }
    out.resize(out.size() - dstLeft);
    return out;
}

} // namespace vel::platform
