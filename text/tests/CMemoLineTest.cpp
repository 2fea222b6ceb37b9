#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/CLineSplitter.h"
#include "text/CPictureTag.h"
#include "text/CTagScanner.h"

namespace {

struct Line {
    std::u16string text;
    bool end;
    bool operator==(const Line& o) const { return text == o.text && end == o.end; }
};

std::vector<Line> Split(std::u16string_view text)
{
    std::vector<Line> out;
    CLineSplitter splitter(text);
    std::u16string_view line;
    bool end = false;
    while (splitter.Next(line, end))
        out.push_back({std::u16string(line), end});
    return out;
}

CPictureTag Parsed(std::u16string_view line, bool fromClipboard = false)
{
    CPictureTag tag;
    EXPECT_TRUE(CPictureTag::Parse(line, fromClipboard, tag)) << "not a picture line";
    return tag;
}

bool IsPicture(std::u16string_view line)
{
    CPictureTag tag;
    return CPictureTag::Parse(line, false, tag);
}

} // namespace

TEST(LineSplitterTest, LineEnds)
{
    EXPECT_EQ(Split(u"a\r\nb\nc\rd"),
              (std::vector<Line>{{u"a", true}, {u"b", true}, {u"c", true}, {u"d", false}}));
    EXPECT_EQ(Split(u"a\r\n"), (std::vector<Line>{{u"a", true}}));
    EXPECT_EQ(Split(u"\r\n\n\r"), (std::vector<Line>{{u"", true}, {u"", true}, {u"", true}}));
    EXPECT_EQ(Split(u"\n\r"), (std::vector<Line>{{u"", true}, {u"", true}})); // LF CR is two ends
    EXPECT_TRUE(Split(u"").empty());
    EXPECT_EQ(Split(u"x\r"), (std::vector<Line>{{u"x", true}}));
}

TEST(TagScannerTest, FirstTagAndPageLines)
{
    EXPECT_EQ(CTagScanner::FirstTag(u"a<b>c<d>"), u"b");
    EXPECT_EQ(CTagScanner::FirstTag(u"a<b<c>"), u"b<c");
    EXPECT_FALSE(CTagScanner::FirstTag(u"a<b"));
    EXPECT_FALSE(CTagScanner::FirstTag(u"a>b"));

    EXPECT_TRUE(CTagScanner::IsPageLine(u"<page>"));
    EXPECT_TRUE(CTagScanner::IsPageLine(u"<PAGE>"));
    EXPECT_TRUE(CTagScanner::IsPageLine(u"<PaGe>"));
    EXPECT_TRUE(CTagScanner::IsPageLine(u"before<page>after"));
    EXPECT_FALSE(CTagScanner::IsPageLine(u"<page >"));
    EXPECT_FALSE(CTagScanner::IsPageLine(u"<pages>"));
    EXPECT_FALSE(CTagScanner::IsPageLine(u"<b><page>")); // only the first tag counts
    EXPECT_FALSE(CTagScanner::IsPageLine(u"page"));
}

TEST(PictureTagTest, WrittenTagReadsBack)
{
    const CPictureTag tag =
        Parsed(u"\t<IMG SRC=\"memo_1.tif\" WIDTH=320 HEIGHT=240 CPOSX=0 CPOSY=0 CSIZEX=640 CSIZEY=480>");
    EXPECT_EQ(tag.indent, 1);
    EXPECT_EQ(tag.src, u"memo_1.tif");
    EXPECT_EQ(tag.width, 320);
    EXPECT_EQ(tag.height, 240);
    EXPECT_EQ(tag.cposX, 0);
    EXPECT_EQ(tag.cposY, 0);
    EXPECT_EQ(tag.csizeX, 640);
    EXPECT_EQ(tag.csizeY, 480);
}

TEST(PictureTagTest, LowerCaseWithoutNumbers)
{
    const CPictureTag tag = Parsed(u"<img src=\"a.jpg\">");
    EXPECT_EQ(tag.src, u"a.jpg");
    for (int v : {tag.width, tag.height, tag.cposX, tag.cposY, tag.csizeX, tag.csizeY})
        EXPECT_EQ(v, -1);
    EXPECT_EQ(tag.indent, 0);
}

TEST(PictureTagTest, LinesThatStayText)
{
    EXPECT_FALSE(IsPicture(u"<IMG SRC=\"\">"));           // empty value
    EXPECT_FALSE(IsPicture(u"<IMG SRC=a.jpg>"));          // no quotes
    EXPECT_FALSE(IsPicture(u"<IMG SRC=\"a.jpg>"));        // unterminated value (the tag ends at ">")
    EXPECT_FALSE(IsPicture(u"<IMGSRC=\"a.jpg\">"));       // no blank after the name
    EXPECT_FALSE(IsPicture(u"<IMAGE SRC=\"a.jpg\">"));
    EXPECT_FALSE(IsPicture(u"< IMG SRC=\"a.jpg\">"));
    EXPECT_FALSE(IsPicture(u"<IMG SRC =\"a.jpg\">"));     // "=" must follow the key
    EXPECT_FALSE(IsPicture(u"<IMG SRC=x\"a.jpg\">"));     // only blanks before the quote
    EXPECT_FALSE(IsPicture(u"<IMG ALT=\"SRC=\" \"x\">"));  // the key inside quotes is no key
    EXPECT_FALSE(IsPicture(u"IMG SRC=\"a.jpg\""));        // no tag at all
}

TEST(PictureTagTest, WhereTheTagMayStand)
{
    EXPECT_EQ(Parsed(u"text <b> more <iMg\tsRc= \t\"x.png\"> tail").src, u"x.png");
    EXPECT_EQ(Parsed(u"<img alt=1><img src=\"second.gif\">").src, u"second.gif");
    EXPECT_EQ(Parsed(u"<IMG WIDTH=5 SRC=\"a.bmp\" CSIZEY=7>").csizeY, 7);
}

TEST(PictureTagTest, NumberRules)
{
    EXPECT_EQ(Parsed(u"<IMG SRC=\"a\" WIDTH=-5>").width, 0);
    EXPECT_EQ(Parsed(u"<IMG SRC=\"a\" WIDTH=12px>").width, 12);
    EXPECT_EQ(Parsed(u"<IMG SRC=\"a\" WIDTH=\"12\">").width, 0);
    EXPECT_EQ(Parsed(u"<IMG SRC=\"a\" WIDTH= 12>").width, 0);
    EXPECT_EQ(Parsed(u"<IMG SRC=\"a\" wIdTh=3 WIDTH=4>").width, 3); // the first match wins
    EXPECT_EQ(Parsed(u"<IMG SRC=\"a\" WIDTH=99999999999999999999>").width, 2147483647);
    EXPECT_EQ(Parsed(u"<IMG SRC=\"a\" HEIGHT=8>").width, -1);
}

TEST(PictureTagTest, QuotedTextHidesNoKey)
{
    const CPictureTag tag = Parsed(u"<IMG SRC=\"width=7 height=8.jpg\" WIDTH=320 HEIGHT=240>");
    EXPECT_EQ(tag.src, u"width=7 height=8.jpg");
    EXPECT_EQ(tag.width, 320);
    EXPECT_EQ(tag.height, 240);
}

TEST(PictureTagTest, IndentRule)
{
    EXPECT_EQ(Parsed(u"\t\t\t<img src=\"a\">").indent, 3);
    EXPECT_EQ(Parsed(u" \t<img src=\"a\">").indent, 0);         // only TABs at the very start
    EXPECT_EQ(Parsed(u"<img src=\"a\">", true).indent, -1);     // clipboard: not given
    EXPECT_EQ(Parsed(u"\t\t<img src=\"a\">", true).indent, 2);
    EXPECT_EQ(CPictureTag::IndentRule(u"", false), 0);
}

TEST(PictureTagTest, FormatTag)
{
    CPictureAttributes a;
    a.width = 320;
    a.height = 240;
    a.csizeX = 640;
    a.csizeY = 480;
    EXPECT_EQ(CPictureAttributes::FormatTag(u"C:\\m\\memo_1.tif", &a),
              u"<IMG SRC=\"C:\\m\\memo_1.tif\" WIDTH=320 HEIGHT=240 CPOSX=0 CPOSY=0 CSIZEX=640 CSIZEY=480>");
    EXPECT_EQ(CPictureAttributes::FormatTag(u"memo_1.tif", nullptr), u"<IMG SRC=\"memo_1.tif\">");
}
