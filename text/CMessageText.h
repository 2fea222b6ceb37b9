#pragma once
// Messages to the user carry "%s" where a file path goes.
#include <string>
#include <string_view>

inline std::u16string WithPath(std::u16string_view message, std::u16string_view path)
{
    std::u16string text(message);
    const std::size_t at = text.find(u"%s");
    if (at != std::u16string::npos)
        text.replace(at, 2, path);
    return text;
}
