#pragma once
// The edit window's calculate-on-"=" settings and the step it takes after an "=" went in: every
// new edit window starts with calculation on and decimal output.
#include <optional>
#include <string>
#include <string_view>

class CCalcSettings {
public:
    bool calculateOnEquals = true;
    int radix = 10; // 10, 16 or 2

    // "=" or "＝", typed or as the last character of a committed input-method string.
    static bool IsTrigger(char16_t c) { return c == u'=' || c == u'\uFF1D'; }
    static bool EndsWithTrigger(std::u16string_view text) { return !text.empty() && IsTrigger(text.back()); }

    // The text to insert after the "=" for the caret line up to the caret; none when calculation
    // is off or the expression fails.
    std::optional<std::u16string> ResultFor(std::u16string_view lineToCaret) const;
};
