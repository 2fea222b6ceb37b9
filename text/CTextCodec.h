#pragma once
// Bytes of a memo file or of clipboard text to UTF-16 and back. Reading accepts UTF-16
// little-endian or the system code page; writing uses the code page.
#include <cstddef>
#include <string>
#include <string_view>

class CTextCodec {
public:
    // Text of the bytes, cut at its first zero unit. UTF-16 is recognised by the platform's
    // Unicode test; its byte-order mark is dropped. Code-page bytes keep embedded zero bytes
    // as "." (all but the last byte).
    static std::u16string Decode(const void* bytes, std::size_t count);

    // The text in the code page, trailing zero bytes dropped.
    static std::string Encode(std::u16string_view text);

    // Like Encode, but false when the code page cannot hold the text exactly (the bytes then
    // hold the lossy conversion). Best-fit look-alikes count as losses too.
    static bool EncodeExactly(std::u16string_view text, std::string& bytes);
};
