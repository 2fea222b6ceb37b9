#pragma once
// One token of a calculation line: its text, what kind of token it is and, for numbers, its value.
#include <string>
#include <string_view>

class CExpToken {
public:
    enum Kind { Invalid = 0, Operator = 1, Blank = 2, Number = 4 };

    // Trims white space from both ends of text and classifies it at once.
    explicit CExpToken(std::u16string_view text);
    // A number token; its text is the value written in decimal.
    explicit CExpToken(double value);

    std::u16string text;
    int kind = Invalid;
    double value = 0.0;

    bool IsOperator(char16_t op) const { return kind == Operator && text.size() == 1 && text[0] == op; }

private:
    void Classify();
};
