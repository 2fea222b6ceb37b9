#include "text/CWordSel.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Picked {
    int cls;
    std::u16string word;
};

Picked Pick(const std::u16string& text, int pos)
{
    CWordSel sel(text.c_str(), static_cast<int>(text.size()));
    const CWordSel::Word w = sel.WordAround(pos);
    if (w.cls == CWordSel::kSeparator)
        return {w.cls, u""};
    return {w.cls, text.substr(w.start, w.end - w.start)};
}

TEST(CWordSel, ARunOfOneClassIsAWord)
{
    EXPECT_EQ(Pick(u"ひらがなカタカナ", 1).word, u"ひらがな");
    EXPECT_EQ(Pick(u"ひらがなカタカナ", 6).word, u"カタカナ");
    EXPECT_EQ(Pick(u"abc123", 1).word, u"abc");
    EXPECT_EQ(Pick(u"abc123", 4).word, u"123");
    EXPECT_EQ(Pick(u"3.14", 2).word, u"3.14") << "the point belongs to the digits";
    EXPECT_EQ(Pick(u"snake_case x", 0).word, u"snake_case");
    EXPECT_EQ(Pick(u"漢字を読む", 0).word, u"漢字");
    EXPECT_EQ(Pick(u"漢字を読む", 2).word, u"を");
    EXPECT_EQ(Pick(u"ｶﾀｶﾅとカナ", 3).word, u"ｶﾀｶﾅ");
    EXPECT_EQ(Pick(u"データー", 3).word, u"データー") << "the long vowel mark is katakana";
}

TEST(CWordSel, WidthsAndClassesNeverJoin)
{
    EXPECT_EQ(Pick(u"ａｂcd", 0).word, u"ａｂ");
    EXPECT_EQ(Pick(u"ａｂcd", 3).word, u"cd");
    EXPECT_EQ(Pick(u"１２34", 0).word, u"１２");
    EXPECT_EQ(Pick(u"x", 0).cls, CWordSel::kAsciiLetter);
    EXPECT_EQ(Pick(u"Ｘ", 0).cls, CWordSel::kWideLetter);
    EXPECT_EQ(Pick(u"．", 0).cls, CWordSel::kWideDigit);
    EXPECT_EQ(Pick(u"ﾟ", 0).cls, CWordSel::kHalfKatakana);
    EXPECT_EQ(Pick(u"ヰ", 0).cls, CWordSel::kWideKatakana);
}

TEST(CWordSel, SeparatorsAndOutsidePositionsSelectNothing)
{
    const std::u16string text = u"a b「c」αβ Жж ①x";
    for (int pos : {1, 3, 5, 6, 7, 8, 9, 10, 11, 12})
        EXPECT_EQ(Pick(text, pos).word, u"") << "position " << pos;
    EXPECT_EQ(Pick(text, -1).cls, CWordSel::kSeparator);
    EXPECT_EQ(Pick(text, static_cast<int>(text.size())).cls, CWordSel::kSeparator);
    EXPECT_EQ(Pick(u"", 0).word, u"");
    EXPECT_EQ(Pick(u"\u3000", 0).cls, CWordSel::kSeparator);
    EXPECT_EQ(Pick(u"ς", 0).cls, CWordSel::kOther) << "final sigma is not among the Greek separators";
    EXPECT_EQ(Pick(u"ё", 0).cls, CWordSel::kSeparator);
}

TEST(CWordSel, AWordStopsAtTheTextBounds)
{
    // A text without terminator: the run must not read past its length.
    const char16_t raw[] = {u'a', u'b', u'c', u'd'};
    CWordSel sel(raw, 3);
    const CWordSel::Word w = sel.WordAround(2);
    EXPECT_EQ(w.start, 0);
    EXPECT_EQ(w.end, 3);
    CWordSel none(nullptr, 5);
    EXPECT_EQ(none.Classify(0), CWordSel::kSeparator);
}

} // namespace
