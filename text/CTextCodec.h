#pragma once
// Bytes of a memo file or of clipboard text to UTF-16 and back. Reading accepts UTF-16
// little-endian, UTF-8 with its mark EF BB BF, or the system code page; writing uses the code page.
#include <cstddef>
#include <string>
#include <string_view>

class CTextCodec {
public:
    // Text of the bytes, cut at its first zero unit. Bytes that start with the UTF-8 mark are
    // UTF-8 (the mark dropped, malformed sequences each U+FFFD); otherwise UTF-16 is recognised
    // by the platform's Unicode test and its byte-order mark is dropped. Code-page and UTF-8
    // bytes keep embedded zero bytes as "." (all but the last byte).
    static std::u16string Decode(const void* bytes, std::size_t count);

    // True for the bytes of an empty text: none at all, or nothing but a byte-order mark
    // (FF FE or EF BB BF).
    static bool IsEmptyText(const void* bytes, std::size_t count);

    // The text in the code page, trailing zero bytes dropped.
    static std::string Encode(std::u16string_view text);

    // Like Encode, but false when the code page cannot hold the text exactly (the bytes then
    // hold the lossy conversion). Best-fit look-alikes count as losses too.
    static bool EncodeExactly(std::u16string_view text, std::string& bytes);
};
