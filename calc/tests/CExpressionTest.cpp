#include "calc/CExpression.h"

#include <gtest/gtest.h>

#include <cmath>
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

struct Case {
    std::u16string_view text;
    std::u16string_view result;
};

void ExpectAll(std::initializer_list<Case> cases, int radix = 10)
{
    for (const Case& c : cases) {
        EXPECT_EQ(Calc(c.text, radix), c.result)
            << "input: " << std::string(c.text.begin(), c.text.end()) << " (non-ASCII shown as '?')";
    }
}

std::u16string Nested(int pairs, std::u16string_view inner)
{
    return std::u16string(static_cast<size_t>(pairs), u'(') + std::u16string(inner) +
           std::u16string(static_cast<size_t>(pairs), u')') + u"=";
}

} // namespace

TEST(CExpressionTest, PrecedenceSignsAndPowers)
{
    ExpectAll({{u"1+2*3=", u"7"}, {u"(1+2)*3=", u"9"}, {u"((1+2)*3)+1=", u"10"}, {u"-5+3=", u"-2"},
               {u"2*(-3)=", u"-6"}, {u"2*-3=", kFails}, {u"2+-3=", kFails}, {u"2^-1=", kFails},
               {u"2^3^2=", u"64"}, {u"2^(1+1)=", u"4"}, {u"-2^2=", u"-4"}, {u"2*3^2=", u"18"},
               {u"8/2/2=", u"2"}, {u"2+3*4=", u"14"}, {u"10-2-3=", u"5"}, {u"2(3)=", kFails},
               {u"1+=", kFails}, {u"2^=", kFails}, {u"2^^3=", kFails}, {u"+4=", u"4"}});
}

TEST(CExpressionTest, NumberForms)
{
    ExpectAll({{u"50%=", u"0.5"}, {u"200*5%=", u"10"}, {u"50%%=", kFails}, {u"50 %=", kFails},
               {u"hff=", u"255"}, {u"H1F=", u"31"}, {u"b101=", u"5"}, {u"b102=", kFails},
               {u"h1.8=", u"1.5"}, {u"1234567890123456=", kFails}, {u"123456789012345.6=", kFails},
               {u"123456789012345=", u"123456789012345"}, {u"1.2.3=", kFails}, {u".=", u"0"}, {u"h.=", u"0"},
               {u"hfffffffffffff=", kFails}, {u"hffffffffffff=", u"281474976710655"},
               {u"12345678901234.5x=", kFails}, {u"1e5=", kFails}, {u"2π=", kFails},
               {u"2*π=", u"6.2831853071796"}, {u"2*pi=", u"6.2831853071796"}, {u"PI%=", u"0.0314159265359"}});
}

TEST(CExpressionTest, Functions)
{
    ExpectAll({{u"sin30=", u"0.5"}, {u"cos(-60)=", u"0.5"}, {u"tan45=", u"1"}, {u"SIN30+1=", u"1.5"},
               {u"sin(30+360*5)=", u"0.5"}, {u"sqrt16=", u"4"}, {u"√16=", u"4"}, {u"√√256=", u"4"},
               {u"Sqrt(2+2)=", u"2"}, {u"√-4=", kFails}, {u"√0.25=", u"0.5"}, {u"√0=", u"0"},
               {u"√=", kFails}, {u"\uFF33\u0033\u0030=", kFails}});
}

TEST(CExpressionTest, FullWidthInputMethodForms)
{
    ExpectAll({{u"ｓｉｎ３０＝", u"0.5"}, {u"ｓｑｒｔ１６＝", u"4"}, {u"ｐｉ＝", u"3.1415926535898"},
               {u"ｈｆｆ＝", u"255"}, {u"（１＋２）＊３＝", u"9"}, {u"１０％＝", u"0.1"}, {u"２＾３\u3000＝", u"8"},
               {u"ＨＦＦ＝", kFails}});
}

TEST(CExpressionTest, PicksTheExpressionBeforeTheLastEquals)
{
    ExpectAll({{u"Total: 100*3=", u"300"}, {u"2012 100*3=", u"300"}, {u"1+2=3*2=", u"6"}, {u"x；1+2=", u"3"},
               {u"1+2=3", u"3"}, {u"1+2=abc", kFails}, {u"(1+2=", kFails}, {u"1+2)=", u"3"},
               {u"()=", kFails}, {u"=", kFails}, {u"1+2", kFails}, {u"", kFails}, {u"\t1 +\t2 =", u"3"}});
}

TEST(CExpressionTest, InfinityAndNaNFlowToTheResult)
{
    ExpectAll({{u"1/0=", u"(+∞)"}, {u"-1/0=", u"(-∞)"}, {u"0/0=", u"(NaN)"}, {u"1/0-1/0=", u"(NaN)"},
               {u"√(1/0)=", u"(+∞)"}, {u"sin(1/0)=", u"(NaN)"}, {u"√(0/0)=", u"(NaN)"}});
}

TEST(CExpressionTest, NestingLimit)
{
    EXPECT_EQ(Calc(Nested(998, u"1+2")), u"3");
    EXPECT_EQ(Calc(Nested(999, u"1+2")), kFails);
    EXPECT_EQ(Calc(Nested(20000, u"1")), kFails);
    EXPECT_EQ(Calc(std::u16string(20000, u'√') + u"16="), kFails);
    std::u16string mixed;
    for (int i = 0; i < 5000; ++i)
        mixed += u"sin(";
    EXPECT_EQ(Calc(mixed + u"=" ), kFails);
}

TEST(CExpressionTest, CacheKeyAndRepeatedCompute)
{
    CExpression expression;
    EXPECT_FALSE(expression.FormatResult(10).has_value());
    ASSERT_TRUE(expression.Compute(u"Total: 100 * 3="));
    EXPECT_EQ(expression.CacheKey(), u"100 * 3 ) = ");
    EXPECT_EQ(expression.Tokens().size(), 6u);
    // Same tokens behind different text: the cached result stands.
    ASSERT_TRUE(expression.Compute(u"x 100*3 ="));
    EXPECT_EQ(expression.Value(), 300.0);
    EXPECT_FALSE(expression.Compute(u"100*3*="));
    EXPECT_FALSE(expression.IsValid());
    EXPECT_FALSE(expression.FormatResult(10).has_value());
    EXPECT_FALSE(expression.Compute(u"100*3*="));
    ASSERT_TRUE(expression.Compute(u"255="));
    EXPECT_EQ(expression.FormatResult(16), u"HFF");
    EXPECT_EQ(expression.FormatResult(2), u"B11111111");
    // Surplus fraction digits are dropped, not rounded.
    ASSERT_TRUE(expression.Compute(u"12345678901234.56="));
    EXPECT_EQ(expression.Value(), 12345678901234.5);
    ASSERT_TRUE(expression.Compute(u"b0.000000000000000000000000000000000000000000011="));
    EXPECT_EQ(expression.Value(), std::ldexp(1.0, -44));
}
