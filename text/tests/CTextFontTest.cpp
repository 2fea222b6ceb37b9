#include "text/CFixedCharMeasurer.h"
#include "text/CTextFont.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

TEST(CTextFont, DefaultsAndMetrics)
{
    CTextFont font;
    EXPECT_FALSE(font.Created());
    EXPECT_EQ(font.TextColour(), 0x000000u);
    EXPECT_EQ(font.BackColour(), 0xFFFFFFu);
    EXPECT_EQ(font.SecondColour(), 0xD0D0D0u);
    EXPECT_EQ(font.ThirdColour(), 0x808080u);
    EXPECT_EQ(font.SelectColour(), 0xFF9832u);
    EXPECT_TRUE(font.Kinsoku());
    EXPECT_FALSE(font.RuledLines());

    EXPECT_EQ(CTextFont::DefaultHeight(96), -16);
    EXPECT_EQ(CTextFont::LineSpacingFor(2, 5.1875), 11);
    EXPECT_EQ(CTextFont::LineSpacingFor(2, 1.0), 2);
    EXPECT_EQ(CTextFont::MulDiv(-7, 1, 2), -4);  // halves away from zero
    EXPECT_EQ(CTextFont::MulDiv(5, 1, 0), -1);

    CFontMetrics metrics{8, 16, 16, 2, 96};
    font.Install(std::make_unique<CFixedCharMeasurer>(8), metrics, 2, 1.0);
    EXPECT_TRUE(font.Created());
    EXPECT_EQ(font.PointSize(), 11);  // (16 - 2) × 72 ÷ 96 = 10.5, rounded
    EXPECT_EQ(font.LineHeight(), 18);
}

TEST(CTextFont, CacheMeasuresEachCharacterOnce)
{
    auto owned = std::make_unique<CFixedCharMeasurer>(8);
    CFixedCharMeasurer* measurer = owned.get();
    measurer->SetWidth(u'W', 13);
    CTextFont font;
    font.Install(std::move(owned), CFontMetrics{8, 16, 16, 0, 96}, 0, 1.0);

    const std::u16string text = u"WWa漢漢aW字。";
    std::map<char16_t, int> cached;
    for (int round = 0; round < 3; ++round)
        for (char16_t ch : text)
            cached[ch] = font.Measure(ch);
    EXPECT_EQ(measurer->Calls(), 5);

    font.SetCacheEnabled(false);
    for (char16_t ch : text)
        EXPECT_EQ(font.Measure(ch), cached[ch]);
    EXPECT_EQ(measurer->Calls(), 5 + static_cast<int>(text.size()));
    EXPECT_EQ(cached[u'W'], 13);
    EXPECT_EQ(cached[u'漢'], 16);
}

TEST(CTextFont, PairsHaveACacheOfTheirOwn)
{
    auto owned = std::make_unique<CFixedCharMeasurer>(8);
    CFixedCharMeasurer* measurer = owned.get();
    measurer->SetWidth(U'\U0001F600', 13);
    CTextFont font;
    font.Install(std::move(owned), CFontMetrics{8, 16, 16, 0, 96}, 0, 1.0);

    // U+1F600 and U+1F700 share a slot: each evicts the other and is measured again.
    for (int round = 0; round < 3; ++round)
        EXPECT_EQ(font.MeasurePair(0xD83D, 0xDE00), 13);
    EXPECT_EQ(measurer->Calls(), 1);
    EXPECT_EQ(font.MeasurePair(0xD83D, 0xDF00), 16);
    EXPECT_EQ(font.MeasurePair(0xD83D, 0xDE00), 13);
    EXPECT_EQ(measurer->Calls(), 3);
    // The halves alone are measured as the units they are, in the unit cache.
    EXPECT_EQ(font.Measure(0xD83D), 16);
    EXPECT_EQ(measurer->Calls(), 4);
}

}  // namespace
