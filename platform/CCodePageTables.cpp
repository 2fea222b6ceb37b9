#include "platform/CCodePageTables.h"

#include <cerrno>

#include "platform/CIconv.h"

namespace vel::platform {

bool IsCombiningMark(char16_t c)
{
    return (c >= 0x0300 && c <= 0x036F) || c == 0x3099 || c == 0x309A;
}

std::u16string CCodePageTables::Decode(const char* bytes, std::size_t count) const
{
    std::u16string out(count, u'\0');
    char16_t* dst = out.data();
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < count; ++i) {
        char16_t c = m_single[b[i]];
        if (c == kLead) {
            c = i + 1 < count ? m_double[(b[i] << 8) | b[i + 1]] : kNone;
            i += c != kNone;
        }
        *dst++ = c == kNone ? kUnmappable : c;
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

bool CCodePageTables::Encode(const char16_t* text, std::size_t count, std::string& out, bool& exact) const
{
    out.resize(count * 2);
    char* dst = out.data();
    std::uint32_t all = kRoundTrips;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t e = m_encode[text[i]];
        all &= e;
        if (e & kTwoBytes) {
            *dst++ = static_cast<char>(e >> 8);
            *dst++ = static_cast<char>(e);
        } else if (!(e & (kNoCode | kCombining))) {
            *dst++ = static_cast<char>(e);
        } else if (e & kCombining) {
            return false;
        } else { // the default character, as the system does; once for a pair
            const bool pair =
                i + 1 < count && text[i] >= 0xD800 && text[i] < 0xDC00 && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
            i += pair;
            // iconv leaves the tag characters U+E0000 to U+E007F (DB40 followed by DC00 to
            // DC7F) out instead of writing "?" for them.
            if (!pair || text[i - 1] != 0xDB40 || text[i] >= 0xDC80)
                *dst++ = '?';
        }
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
    exact = exact && (all & kRoundTrips) != 0;
    return true;
}

bool CCodePageTables::DecodeOne(CIconv& cd, const unsigned char* bytes, std::size_t count, char16_t& unit)
{
    cd.Reset();
    char16_t out[4] = {};
    const char* in = reinterpret_cast<const char*>(bytes);
    std::size_t inLeft = count;
    char* dst = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    const bool whole = cd.Run(in, inLeft, dst, outLeft);
    const std::size_t units = (sizeof out - outLeft) / sizeof(char16_t);
    if (whole && units == 1 && out[0] != kNone && out[0] != kLead)
        unit = out[0];
    else if (!whole && errno == EINVAL && units == 0)
        unit = kLead;
    else if (!whole && errno == EILSEQ && units == 0)
        unit = kNone;
    else
        return false;
    return true;
}

bool CCodePageTables::EncodeOne(CIconv& cd, char16_t unit, std::uint32_t& entry)
{
    cd.Reset();
    unsigned char bytes[4];
    const char* in = reinterpret_cast<const char*>(&unit);
    std::size_t inLeft = sizeof unit;
    char* dst = reinterpret_cast<char*>(bytes);
    std::size_t outLeft = sizeof bytes;
    const bool whole = cd.Run(in, inLeft, dst, outLeft);
    const std::size_t length = sizeof bytes - outLeft;
    if (whole && length == 1)
        entry = bytes[0];
    else if (whole && length == 2 && bytes[0] > 0)
        entry = kTwoBytes | (static_cast<std::uint32_t>(bytes[0]) << 8) | bytes[1];
    else if (!whole && errno == EILSEQ)
        entry = kNoCode;
    else
        return false;
    return true;
}

std::unique_ptr<CCodePageTables> CCodePageTables::Build(const char* codePage)
{
    CIconv decoder("UTF-16LE", codePage);
    CIconv encoder(codePage, "UTF-16LE");
    if (!decoder.Ok() || !encoder.Ok())
        return nullptr;
    auto t = std::make_unique<CCodePageTables>();
    t->m_single.assign(256, kNone);
    t->m_double.assign(65536, kNone);
    t->m_encode.assign(65536, kNoCode);
    for (unsigned lead = 0; lead < 256; ++lead) {
        const unsigned char one[1] = {static_cast<unsigned char>(lead)};
        if (!DecodeOne(decoder, one, 1, t->m_single[lead]))
            return nullptr;
        if (t->m_single[lead] != kLead)
            continue;
        for (unsigned trail = 0; trail < 256; ++trail) {
            const unsigned char two[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
            char16_t& unit = t->m_double[(lead << 8) | trail];
            if (!DecodeOne(decoder, two, 2, unit) || unit == kLead)
                return nullptr;
        }
    }
    // A character round-trips when its bytes decode back to it. The bytes of a text decode to
    // its characters in turn (a first byte alone says whether a character has one byte or two),
    // so a text round-trips when each of its characters does.
    for (unsigned c = 0; c < 65536; ++c) {
        std::uint32_t& e = t->m_encode[c];
        if (IsCombiningMark(static_cast<char16_t>(c))) {
            e = kCombining;
            continue;
        }
        if (c >= 0xD800 && c < 0xE000)
            continue; // halves of pairs, which the code page never holds
        if (!EncodeOne(encoder, static_cast<char16_t>(c), e))
            return nullptr;
        if (e & kNoCode)
            continue;
        const char16_t back = (e & kTwoBytes) ? t->m_double[e & 0xFFFF] : t->m_single[e & 0xFF];
        if (back == c)
            e |= kRoundTrips;
    }
    return t;
}

} // namespace vel::platform
