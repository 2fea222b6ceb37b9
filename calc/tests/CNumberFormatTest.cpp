#include "calc/CCalcSettings.h"
#include "calc/CExpToken.h"
#include "calc/CNumberFormat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

TEST(CNumberFormatTest, WrittenExamples)
{
    EXPECT_EQ(CNumberFormat::Format(3, 10), u"3");
    EXPECT_EQ(CNumberFormat::Format(1.0 / 3, 10), u"0.3333333333333");
    EXPECT_EQ(CNumberFormat::Format(-2.5, 10), u"-2.5");
    EXPECT_EQ(CNumberFormat::Format(0.1, 10), u"0.1");
    EXPECT_EQ(CNumberFormat::Format(2.0 / 3, 10), u"0.6666666666666");
    EXPECT_EQ(CNumberFormat::Format(255.5, 16), u"HFF.8");
    EXPECT_EQ(CNumberFormat::Format(5, 2), u"B101");
    EXPECT_EQ(CNumberFormat::Format(-31, 16), u"H-1F");
    EXPECT_EQ(CNumberFormat::Format(1e20, 10), u"100000000000000000000");
    EXPECT_EQ(CNumberFormat::Format(2 * 3.141592653589793, 10), u"6.2831853071796");
    EXPECT_EQ(CNumberFormat::Format(10.0 / 4, 10), u"2.5");
    EXPECT_EQ(CNumberFormat::Format(0, 10), u"0");
    EXPECT_EQ(CNumberFormat::Format(-0.0, 10), u"0");
    EXPECT_EQ(CNumberFormat::Format(-0.5, 10), u"-0.5");
}

TEST(CNumberFormatTest, LargeValuesKeepTheirDigitCount)
{
    EXPECT_EQ(CNumberFormat::Format(std::ldexp(1.0, 60), 10), u"1152921504606847000");
    EXPECT_EQ(CNumberFormat::Format(9007199254740994.0, 10), u"9007199254740990");
    EXPECT_EQ(CNumberFormat::Format(9007199254740991.0, 10), u"9007199254740991");
    EXPECT_EQ(CNumberFormat::Format(std::ldexp(1.0, 60), 16), u"H1000000000000000");
    EXPECT_EQ(CNumberFormat::Format(-std::ldexp(1.0, 60), 2), u"B-1" + std::u16string(60, u'0'));
    const std::u16string max = CNumberFormat::Format(DBL_MAX, 10);
    EXPECT_EQ(max.size(), 309u);
    EXPECT_EQ(max.substr(0, 4), u"1797");
    EXPECT_EQ(CNumberFormat::Format(DBL_MAX, 2).size(), 1u + 1024u);
}

TEST(CNumberFormatTest, SpecialAndTinyValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (const int radix : {2, 10, 16}) {
        EXPECT_EQ(CNumberFormat::Format(inf, radix), u"(+∞)");
        EXPECT_EQ(CNumberFormat::Format(-inf, radix), u"(-∞)");
        EXPECT_EQ(CNumberFormat::Format(std::nan(""), radix), u"(NaN)");
        EXPECT_EQ(CNumberFormat::Format(-std::nan(""), radix), u"(NaN)");
        EXPECT_EQ(CNumberFormat::Format(std::numeric_limits<double>::denorm_min(), radix),
                  std::u16string(CNumberFormat::Prefix(radix)) + u"0");
    }
    EXPECT_EQ(CNumberFormat::Format(-1e-300, 10), u"-0");
    EXPECT_EQ(CNumberFormat::Format(0.5, 2), u"B0.1");
    EXPECT_EQ(CNumberFormat::Format(1.0 / 3, 16), u"H0.5555555555");
}

TEST(CNumberFormatTest, NumberTokenText)
{
    const CExpToken token(0.25);
    EXPECT_EQ(token.kind, CExpToken::Number);
    EXPECT_EQ(token.text, u"0.25");
    EXPECT_EQ(token.value, 0.25);
}

TEST(CNumberFormatTest, CalculateOnEqualsSettings)
{
    CCalcSettings settings;
    EXPECT_EQ(settings.ResultFor(u"1+2="), u"3");
    settings.radix = 16;
    EXPECT_EQ(settings.ResultFor(u"255="), u"HFF");
    settings.radix = 2;
    EXPECT_EQ(settings.ResultFor(u"5="), u"B101");
    settings.radix = 10;
    EXPECT_EQ(settings.ResultFor(u"2^60="), u"1152921504606847000");
    EXPECT_EQ(settings.ResultFor(u"2^53+2="), u"9007199254740990");
    EXPECT_EQ(settings.ResultFor(u"１＋２＝"), u"3");
    EXPECT_FALSE(settings.ResultFor(u"1e5=").has_value());
    settings.calculateOnEquals = false;
    EXPECT_FALSE(settings.ResultFor(u"1+2=").has_value());
    EXPECT_TRUE(CCalcSettings::EndsWithTrigger(u"１＋２＝"));
    EXPECT_TRUE(CCalcSettings::IsTrigger(u'='));
    EXPECT_FALSE(CCalcSettings::EndsWithTrigger(u""));
    EXPECT_FALSE(CCalcSettings::EndsWithTrigger(u"=1"));
}
