#pragma once
// Word selection for a double click: Japanese has no blanks between words, so a word is the
// longest run of characters of one class (hiragana, katakana, ASCII letters, digits, kanji, ...)
// around the clicked position.
#include <cstdint>

class CWordSel {
public:
    enum Class : int {
        kSeparator = 0,
        kAsciiLetter = 1,
        kWideLetter = 2,
        kAsciiDigit = 3,
        kWideDigit = 4,
        kHiragana = 5,
        kHalfKatakana = 6,
        kWideKatakana = 7,
        kOther = 8,
    };

    struct Word {
        int cls;
        int start;
        int end;     // one past the last character
    };

    // The text is not owned; it must outlive this object.
    CWordSel(const char16_t* text, int length) : m_length(length < 0 ? 0 : length), m_text(text) {}
    virtual ~CWordSel() = default;

    int Classify(int pos) const;
    bool IsOfClass(int pos, int cls) const;
    Word WordAround(int pos) const;

    // The class of one character, outside any text (the terminator is a separator).
    static int ClassOf(char16_t c);

private:
    int m_length;
    const char16_t* m_text;
};
