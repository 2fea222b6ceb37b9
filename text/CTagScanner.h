#pragma once
// The tag level of the memo format: the first tag of a line and page lines.
#include <optional>
#include <string_view>

class CTagScanner {
public:
    // Text between the first "<" and the first ">" after it; none when either is missing.
    static std::optional<std::u16string_view> FirstTag(std::u16string_view text);
    // The tag after position from (inclusive); pos receives where the scan goes on.
    static std::optional<std::u16string_view> TagFrom(std::u16string_view text, std::size_t& pos);
    // True when the line's first tag is the word "page" in any case and nothing else.
    static bool IsPageLine(std::u16string_view line);

    static char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c; }
    // Case-insensitive comparison of ASCII words; word is given in lower case.
    static bool EqualsWord(std::u16string_view text, std::u16string_view word);
};
