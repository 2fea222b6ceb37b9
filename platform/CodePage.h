#pragma once
// The system code page and the Unicode test. Windows answers through IsTextUnicode,
// MultiByteToWideChar and WideCharToMultiByte with CP_ACP; the native build uses iconv with
// code page 932 (the code page of a Japanese system) and a Unicode test of its own.
#include <cstddef>
#include <string>

namespace vel::platform {

// Test and result flags of the Unicode test; the values are those of the Win32 IS_TEXT_UNICODE_*.
inline constexpr int kUnicodeAscii16 = 0x0001;
inline constexpr int kUnicodeStatistics = 0x0002;
inline constexpr int kUnicodeControls = 0x0004;
inline constexpr int kUnicodeSignature = 0x0008;
inline constexpr int kUnicodeReverseSignature = 0x0080;
inline constexpr int kUnicodeOddLength = 0x0200;
inline constexpr int kUnicodeTests = 0x000F;

// The system code page that AnsiToUtf16 and Utf16ToAnsi use: GetACP() on Windows (932 on a
// Japanese system, 65001 where the system is set to UTF-8), 932 natively.
unsigned SystemCodePage() noexcept;

// Runs the tests named in *tests on the bytes; *tests receives the flags of the tests that hit.
// True when the bytes look like UTF-16. Never reads more than count bytes.
bool IsTextUnicode(const void* bytes, std::size_t count, int* tests) noexcept;

// Code page to UTF-16 (precomposed where the code page takes that flag). Bytes the code page
// cannot map become a replacement character.
std::u16string AnsiToUtf16(const char* bytes, std::size_t count);

// UTF-16 to the code page with composite check and discarding non-spacing marks (0x0210), or
// with no flags for the code pages that reject them (UTF-8 among them).
// Characters the code page lacks come out as "?" or as a look-alike; compare a decoded copy
// with the text to learn whether the conversion kept everything.
std::string Utf16ToAnsi(const char16_t* text, std::size_t count);

// Utf16ToAnsi, and whether the bytes decode back to the very same text: false when the code
// page lacks a character, gives a look-alike, or composed or dropped a mark.
bool Utf16ToAnsiExactly(const char16_t* text, std::size_t count, std::string& bytes);

} // namespace vel::platform
