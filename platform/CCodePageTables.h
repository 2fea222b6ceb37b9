#pragma once
// A double-byte code page as lookup tables, filled once from iconv itself (native build only).
// Converting through them gives iconv's result many times faster: a 10 MB memo spent most of
// its save in iconv.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vel::platform {

class CIconv;

// The combining marks that the composite check composes with the character before them or drops.
bool IsCombiningMark(char16_t c);

class CCodePageTables {
public:
    static constexpr char16_t kUnmappable = u'\u30FB'; // what code page 932 shows for a byte it cannot map

    // The tables of a code page; null when iconv lacks it or gives a mapping a table cannot
    // hold (use iconv directly then). Takes some 80,000 conversions: build them once.
    static std::unique_ptr<CCodePageTables> Build(const char* codePage);

    // Bytes to UTF-16; a byte that starts no character becomes kUnmappable.
    std::u16string Decode(const char* bytes, std::size_t count) const;

    // The bytes of a text without combining marks, "?" for what the code page lacks; false, with
    // nothing done, when the text has a combining mark. exact turns false when a character
    // would not decode back unchanged.
    bool Encode(const char16_t* text, std::size_t count, std::string& out, bool& exact) const;

private:
    static constexpr char16_t kNone = 0xFFFF; // a noncharacter: no code page decodes to it
    static constexpr char16_t kLead = 0xFFFE; // likewise; the byte starts a two-byte character
    // An encoding entry: the bytes in the low 16 bits, and what the character is.
    static constexpr std::uint32_t kTwoBytes = 1u << 16;
    static constexpr std::uint32_t kRoundTrips = 1u << 17; // its bytes decode back to it
    static constexpr std::uint32_t kNoCode = 1u << 18;     // the code page lacks it
    static constexpr std::uint32_t kCombining = 1u << 19;  // to be composed before converting

    static bool DecodeOne(CIconv& cd, const unsigned char* bytes, std::size_t count, char16_t& unit);
    static bool EncodeOne(CIconv& cd, char16_t unit, std::uint32_t& entry);

    std::vector<char16_t> m_single;      // by byte: unit, kLead or kNone
    std::vector<char16_t> m_double;      // by lead << 8 | trail: unit or kNone
    std::vector<std::uint32_t> m_encode; // by unit: entry
};

} // namespace vel::platform
