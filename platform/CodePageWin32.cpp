#include "platform/CodePage.h"

#include <climits>
#include <windows.h>

namespace vel::platform {

namespace {

// The code pages for which both conversions fail with ERROR_INVALID_FLAGS unless the flags are 0
// (or only the invalid-character flag): UTF-8 and GB18030, the ISO-2022 and ISCII families,
// UTF-7 and Symbol. A system set to UTF-8 would otherwise open no memo and save none in its
// code page.
bool TakesNoFlags(UINT codePage)
{
    return codePage == CP_UTF8 || codePage == 54936 || (codePage >= 50220 && codePage <= 50229) ||
           (codePage >= 57002 && codePage <= 57011) || codePage == CP_UTF7 || codePage == CP_SYMBOL;
}

DWORD MultiByteFlags(UINT codePage)
{
    return TakesNoFlags(codePage) ? 0 : MB_PRECOMPOSED;
}

DWORD WideCharFlags(UINT codePage)
{
    return TakesNoFlags(codePage) ? 0 : WC_COMPOSITECHECK | WC_DISCARDNS;
}

} // namespace

unsigned SystemCodePage() noexcept
{
    return GetACP();
}

bool IsTextUnicode(const void* bytes, std::size_t count, int* tests) noexcept
{
    if (count > INT_MAX)
        count = (count & 1) ? INT_MAX : INT_MAX - 1; // keeps the parity; only the start is judged
    INT flags = *tests;
    const BOOL result = ::IsTextUnicode(bytes, static_cast<int>(count), &flags);
    *tests = flags;
    return result != FALSE;
}

std::u16string AnsiToUtf16(const char* bytes, std::size_t count)
{
    if (count == 0 || count > INT_MAX)
        return {};
    const int n = static_cast<int>(count);
    const UINT codePage = GetACP(); // the number itself, so that the flags fit the conversion
    const DWORD flags = MultiByteFlags(codePage);
    const int units = MultiByteToWideChar(codePage, flags, bytes, n, nullptr, 0);
    if (units <= 0)
        return {};
    std::u16string out(static_cast<std::size_t>(units), u'\0');
    const int done = MultiByteToWideChar(codePage, flags, bytes, n, reinterpret_cast<wchar_t*>(out.data()), units);
    out.resize(done > 0 ? static_cast<std::size_t>(done) : 0);
    return out;
}

std::string Utf16ToAnsi(const char16_t* text, std::size_t count)
{
    if (count == 0 || count > INT_MAX)
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text);
    const int n = static_cast<int>(count);
    const UINT codePage = GetACP();
    const DWORD flags = WideCharFlags(codePage);
    const int size = WideCharToMultiByte(codePage, flags, wide, n, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    const int done = WideCharToMultiByte(codePage, flags, wide, n, out.data(), size, nullptr, nullptr);
    out.resize(done > 0 ? static_cast<std::size_t>(done) : 0);
    return out;
}

bool Utf16ToAnsiExactly(const char16_t* text, std::size_t count, std::string& bytes)
{
    bytes = Utf16ToAnsi(text, count);
    return count == 0 || (!bytes.empty() && AnsiToUtf16(bytes.data(), bytes.size()) == std::u16string_view(text, count));
}

} // namespace vel::platform
