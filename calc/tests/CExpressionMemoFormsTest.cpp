#include "calc/CExpression.h"
#include "calc/tests/oracle/CPreviousCalc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

namespace {

constexpr const char16_t* kFails = u"<fails>";

std::u16string Calc(std::u16string_view text, int radix = 10)
{
    CExpression expression;
    if (!expression.Compute(text))
        return kFails;
    return expression.FormatResult(radix).value_or(u"<no result>");
}

// For failure messages: the line in UTF-8 (characters of the basic plane only).
std::string Utf8(std::u16string_view text)
{
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

struct Case {
    std::u16string_view text;
    std::u16string_view result;
};

void ExpectAll(std::initializer_list<Case> cases, int radix = 10)
{
    for (const Case& c : cases) {
        EXPECT_EQ(Calc(c.text, radix), c.result) << "input: " << Utf8(c.text);
    }
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// A line a memo might hold: pieces of expressions, words, full-width forms and stray
// characters, mostly closed by "=", without any of "×", "÷", ",", "，" and "円".
std::u16string RandomLine(std::mt19937& rng)
{
    static const std::u16string_view kPieces[] = {
        u"1", u"7", u"42", u"0", u"3.5", u".", u"12.", u"123456789012345", u"1234567890123456",
        u"12345678901234.56", u"hff", u"H1F", u"h1.8", u"b101", u"b102", u"50%", u"%", u"%%", u"π", u"pi",
        u"PI", u"sqrt", u"√", u"sin", u"COS", u"tan", u"ｓｉｎ", u"Ｓ", u"Ｃ", u"(", u")", u"(", u")", u"+",
        u"-", u"*", u"/", u"^", u"+", u"-", u"*", u"=", u"=", u" ", u" ", u"\t", u"\u3000", u":", u";",
        u"：", u"；", u"（", u"）", u"＋", u"－", u"＊", u"／", u"＾", u"＝", u"１", u"２０", u"％", u"Total",
        u"x", u"e5", u"合計", u"\u00D8", u"\uFF0E", u"\u5185", u"￥", u"\r", u"\n"};
    std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> length(0, 14);
    std::u16string line;
    for (int n = length(rng); n > 0; --n)
        line += kPieces[piece(rng)];
    if (rng() % 8 != 0)
        line += u'=';
    return line;
}

} // namespace

TEST(CExpressionMemoFormsTest, MultiplySignsSeparatorsAndYen)
{
    ExpectAll({{u"3×4=", u"12"}, {u"10÷4=", u"2.5"}, {u"1,980+2,480=", u"4460"}, {u"１，０００＋１=", u"1001"},
               {u"1500円×3=", u"4500"}, {u"12,3456=", kFails}, {u"1,23+1=", u"1"},
               {u"合計 1,980円+520円=", u"2500"}, {u"１５００円×３＝", u"4500"}, {u"３×４＝", u"12"},
               {u"2×3^2=", u"18"}, {u"2×-3=", kFails}, {u"1÷0=", u"(+∞)"}, {u"1+2=3×2=", u"6"}});
}

TEST(CExpressionMemoFormsTest, OnlyThousandsPatternsAreSeparators)
{
    ExpectAll({{u"12,345.5=", u"12345.5"}, {u"1,234,567=", u"1234567"}, {u"1,234,56=", kFails}, {u",123=", kFails},
               {u"1,,234=", kFails}, {u"1,234,=", kFails}, {u"1,234.5,=", kFails}, {u"1.234,567=", kFails},
               {u"1,2345=", kFails}, {u"1,000%=", u"10"}, {u"h1,000=", kFails}, {u"b1,000=", kFails},
               {u"1,000.25円=", u"1000.25"}, {u"１，２３４．５＝", kFails}, {u"x,1+2=", u"2"}});
    // Separators are no digits: fifteen digits still read, sixteen still fail.
    ExpectAll({{u"999,999,999,999,999=", u"999999999999999"}, {u"1,234,567,890,123,456=", kFails}});
    CExpression expression;
    ASSERT_TRUE(expression.Compute(u"123,456,789,012.5678="));
    EXPECT_EQ(expression.Value(), 123456789012.567);
}

TEST(CExpressionMemoFormsTest, YenOnlyDirectlyAfterADecimal)
{
    ExpectAll({{u"1500円=", u"1500"}, {u"円=", kFails}, {u"1500 円=", kFails}, {u"円1500=", kFails},
               {u"1500円円=", kFails}, {u"h10円=", kFails}, {u"b1円=", kFails}, {u"50%円=", kFails},
               {u"1000円%=", kFails}, {u"π円=", kFails}, {u"100円 200円=", u"200"}});
    // The radix of the output is the user's; no currency is written back.
    ExpectAll({{u"1500円=", u"H5DC"}, {u"1,000円÷4=", u"HFA"}}, 16);
}

TEST(CExpressionMemoFormsTest, LinesThatNowReadFurther)
{
    // Before, the first piece was an invalid token and only the tail after it was evaluated.
    EXPECT_EQ(CPreviousCalc::Compute(u"1,980+1="), 1.0);
    EXPECT_EQ(Calc(u"1,980+1="), u"1981");
    EXPECT_EQ(CPreviousCalc::Compute(u"3×2+1="), 1.0);
    EXPECT_EQ(Calc(u"3×2+1="), u"7");
}

TEST(CExpressionMemoFormsTest, LinesWithoutTheNewCharactersGiveWhatTheyGaveBefore)
{
    std::mt19937 rng(20240611);
    int results = 0;
    constexpr int kLines = 30000;
    for (int i = 0; i < kLines; ++i) {
        const std::u16string line = RandomLine(rng);
        const std::optional<double> before = CPreviousCalc::Compute(line);
        CExpression expression;
        const bool ok = expression.Compute(line);
        ASSERT_EQ(ok, before.has_value()) << "line " << i << ": " << Utf8(line);
        if (ok) {
            ASSERT_TRUE(SameBits(expression.Value(), *before)) << "line " << i << ": " << Utf8(line);
            ++results;
        }
    }
    // The generator must reach evaluations, not only failures.
    EXPECT_GT(results, kLines / 20);
}
