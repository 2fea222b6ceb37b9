#include "platform/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/CCodePageTables.h"
#include "platform/CIconv.h"

namespace vel::platform {

namespace {

// The native build stands in for a Japanese system: its code page is 932.
constexpr const char* kCodePage = "CP932";
constexpr std::size_t kTestedUnits = 256; // the test judges the start of the text only

const CCodePageTables* Tables()
{
    static const std::unique_ptr<CCodePageTables> tables = CCodePageTables::Build(kCodePage);
    return tables.get();
}

CIconv& Decoder()
{
    thread_local CIconv converter("UTF-16LE", kCodePage);
    return converter;
}

CIconv& Encoder()
{
    thread_local CIconv converter(kCodePage, "UTF-16LE");
    return converter;
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

unsigned SystemCodePage() noexcept
{
    return 932;
}

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
    if (count == 0)
        return {};
    if (const CCodePageTables* tables = Tables())
        return tables->Decode(bytes, count);
    std::u16string out;
    CIconv& cd = Decoder();
    if (!cd.Ok())
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
        const char16_t bad = CCodePageTables::kUnmappable;
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

namespace {

// iconv's way: as much as it converts at once, then "?" for a character it cannot.
std::string EncodeWithIconv(const char16_t* text, std::size_t count)
{
    std::string out;
    CIconv& cd = Encoder();
    if (!cd.Ok())
        return out;
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

// Composite check and discarding of non-spacing marks, then the conversion; exact stays true
// only when the bytes decode back to the text unchanged.
std::string Encode(const char16_t* text, std::size_t count, bool& exact)
{
    exact = true;
    if (count == 0)
        return {};
    const CCodePageTables* tables = Tables();
    std::string out;
    if (tables && tables->Encode(text, count, out, exact))
        return out;
    // Most text has no combining marks: it was converted in place above, without a copy. A
    // mark is always composed or dropped, so the text never comes back with it.
    std::u16string composed;
    if (std::any_of(text, text + count, IsCombiningMark)) {
        composed = Precompose(text, count);
        text = composed.data();
        count = composed.size();
        exact = false;
    }
    if (tables && tables->Encode(text, count, out, exact))
        return out;
    out = EncodeWithIconv(text, count);
    exact = exact && AnsiToUtf16(out.data(), out.size()) == std::u16string_view(text, count);
    return out;
}

} // namespace

std::string Utf16ToAnsi(const char16_t* text, std::size_t count)
{
    bool exact = true;
    return Encode(text, count, exact);
}

bool Utf16ToAnsiExactly(const char16_t* text, std::size_t count, std::string& bytes)
{
    bool exact = true;
    bytes = Encode(text, count, exact);
    return exact;
}

} // namespace vel::platform
