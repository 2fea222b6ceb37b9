#pragma once
// The characters the calculation line is cut at and the operators it knows. The full-width
// capitals stand for sin, cos and tan once the line has been normalised.
#include <string_view>

namespace CExpSymbols {

inline constexpr char16_t kSqrt = u'\u221A'; // √
inline constexpr char16_t kPi = u'\u03C0';   // π
inline constexpr char16_t kSin = u'\uFF33';  // Ｓ
inline constexpr char16_t kCos = u'\uFF23';  // Ｃ
inline constexpr char16_t kTan = u'\uFF34';  // Ｔ
inline constexpr char16_t kPercent = u'%';
inline constexpr char16_t kEquals = u'=';
// Memo amounts: "1,980" groups the thousands, "1500円" names the currency.
inline constexpr char16_t kGroupSeparator = u',';
inline constexpr char16_t kYen = u'\u5186'; // 円

inline constexpr double kPiValue = 3.141592653589793;

inline constexpr std::u16string_view kDelimiters = u" :;()+-*/=^\u221A\uFF33\uFF23\uFF34";
inline constexpr std::u16string_view kOperators = u"()+-*/^=\u221A%\uFF33\uFF23\uFF34";

inline bool IsDelimiter(char16_t c) { return kDelimiters.find(c) != std::u16string_view::npos; }
inline bool IsOperator(char16_t c) { return kOperators.find(c) != std::u16string_view::npos; }

} // namespace CExpSymbols
