#include "text/CImeContext.h"

#include <vector>

std::u16string CImeContext::ResultString() const
{
    if (!m_context)
        return {};
    const LONG bytes = ImmGetCompositionStringW(m_context, GCS_RESULTSTR, nullptr, 0);
    if (bytes <= 0)
        return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(bytes) / sizeof(wchar_t) + 1, L'\0');
    const LONG got = ImmGetCompositionStringW(m_context, GCS_RESULTSTR, buffer.data(), static_cast<DWORD>(bytes));
    if (got <= 0)
        return {};
    const size_t units = static_cast<size_t>(got) / sizeof(wchar_t);
    return std::u16string(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(units));
}
