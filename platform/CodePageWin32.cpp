#include "platform/CodePage.h"

#include <climits>
#include <windows.h>

namespace vel::platform {

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
    const int units = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, bytes, n, nullptr, 0);
    if (units <= 0)
        return {};
    std::u16string out(static_cast<std::size_t>(units), u'\0');
    const int done = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, bytes, n, reinterpret_cast<wchar_t*>(out.data()), units);
    out.resize(done > 0 ? static_cast<std::size_t>(done) : 0);
    return out;
}

std::string Utf16ToAnsi(const char16_t* text, std::size_t count)
{
    if (count == 0 || count > INT_MAX)
        return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text);
    const int n = static_cast<int>(count);
    constexpr DWORD flags = WC_COMPOSITECHECK | WC_DISCARDNS;
    const int size = WideCharToMultiByte(CP_ACP, flags, wide, n, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    const int done = WideCharToMultiByte(CP_ACP, flags, wide, n, out.data(), size, nullptr, nullptr);
    out.resize(done > 0 ? static_cast<std::size_t>(done) : 0);
    return out;
}

} // namespace vel::platform
