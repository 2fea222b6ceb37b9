#include "doc/CChapter.h"
#include "doc/CDocListBase.h"
#include "doc/CTextChapter.h"
#include "text/CGdiTextFont.h"
#include "text/CLineLayout.h"
#include "text/CUtf16.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

// The memo font; under Wine Debian's IPA Gothic stands in for it when the face is not mapped.
const wchar_t kFace[] = L"ＭＳ ゴシック";
const wchar_t kStandIn[] = L"IPAGothic";

struct ScreenDC {
    HDC dc = GetDC(nullptr);
    ~ScreenDC() { ReleaseDC(nullptr, dc); }
};

bool MakeFont(CTextFont& record, HDC dc)
{
    LOGFONTW lf{};
    lf.lfCharSet = SHIFTJIS_CHARSET;
    wcscpy(lf.lfFaceName, kFace);
    if (!CGdiTextFont::Create(record, lf, 1.0, 2, dc))
        return false;
    wchar_t face[LF_FACESIZE] = {};
    HDC probe = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(probe, CGdiTextFont::Of(record)->Font());
    GetTextFaceW(probe, LF_FACESIZE, face);
    SelectObject(probe, old);
    DeleteDC(probe);
    if (std::wstring(face).find(L"IPA") == std::wstring::npos && std::wstring(face) != kFace) {
        std::printf("face not mapped; using the stand-in\n");
        wcscpy(lf.lfFaceName, kStandIn);
        return CGdiTextFont::Create(record, lf, 1.0, 2, dc);
    }
    char name[3 * LF_FACESIZE] = {};
    WideCharToMultiByte(CP_UTF8, 0, face, -1, name, sizeof name, nullptr, nullptr);
    std::printf("measuring with face %s\n", name);
    return true;
}

TEST(CGdiTextFont, CreatesTheMemoFontAtTwelvePoints)
{
    ScreenDC screen;
    CTextFont font;
    ASSERT_TRUE(MakeFont(font, screen.dc));
    ASSERT_TRUE(font.Created());
    const int dpi = GetDeviceCaps(screen.dc, LOGPIXELSY);
    EXPECT_EQ(CGdiTextFont::Of(font)->LogFont().lfHeight, -(12 * dpi / 72));
    EXPECT_EQ(font.PointSize(), 12);
    EXPECT_EQ(font.LineSpacing(), 2);
    EXPECT_GT(font.CharWidth(), 0);

    // Recreating replaces the platform font.
    CGdiTextFont* first = CGdiTextFont::Of(font);
    ASSERT_TRUE(MakeFont(font, screen.dc));
    EXPECT_NE(CGdiTextFont::Of(font), nullptr);
    (void)first;
}

TEST(CGdiTextFont, CachedWidthsEqualMeasuredWidthsAndFitTheGrid)
{
    ScreenDC screen;
    CTextFont font;
    ASSERT_TRUE(MakeFont(font, screen.dc));
    CGdiTextFont* gdi = CGdiTextFont::Of(font);
    const std::u16string sample = u"aZ09 !~ｱｲ漢字かなカナ、。「」・※①■ーＡ";
    for (int round = 0; round < 2; ++round)
        for (char16_t ch : sample)
            ASSERT_EQ(font.Measure(ch), gdi->Width(ch)) << static_cast<int>(ch);

    CLayoutSettings settings;
    settings.Set(80 * font.CharWidth(), 2, font.CharWidth());
    CLineLayout layout(settings, font);
    EXPECT_EQ(layout.CellsOf(font.Measure(u'a')), 1);
    EXPECT_EQ(layout.CellsOf(font.Measure(u'漢')), 2);
    EXPECT_EQ(layout.CellsOf(font.Measure(u'ｱ')), 1);
}

// A pair goes to the platform as one character, measured with both units at once; the layout
// never parts it whatever width the font (or the font linked in for it) gives.
TEST(CGdiTextFont, SurrogatePairsAreMeasuredWholeAndNeverSplit)
{
    ScreenDC screen;
    CTextFont font;
    ASSERT_TRUE(MakeFont(font, screen.dc));
    CGdiTextFont* gdi = CGdiTextFont::Of(font);
    const std::u16string pairs = u"\U0001F600\U00020BB7\U0001D400";
    for (std::size_t k = 0; k < pairs.size(); k += 2) {
        const int width = gdi->PairWidth(pairs[k], pairs[k + 1]);
        EXPECT_GT(width, 0) << k;
        EXPECT_EQ(font.MeasurePair(pairs[k], pairs[k + 1]), width) << k;
        EXPECT_EQ(font.MeasurePair(pairs[k], pairs[k + 1]), width) << "cached " << k;
        std::printf("U+%X: %d px (cell %d px)\n", static_cast<unsigned>(CUtf16::CodePoint(pairs[k], pairs[k + 1])),
                    width, font.CharWidth());
    }

    CLayoutSettings settings;
    settings.Set(14 * font.CharWidth(), 2, font.CharWidth());
    CLineLayout layout(settings, font);
    std::u16string text;
    for (int k = 0; k < 12; ++k)
        text += pairs;
    const int length = static_cast<int>(text.size());
    for (int start = 0; start < length;) {
        CTextLine line(nullptr, nullptr, layout.ColumnCount());
        const int next = layout.LayOutText(line, text.c_str(), start, length);
        ASSERT_GT(next, start);
        ASSERT_EQ(next % 2, 0) << "a line ends between the halves of a pair";
        start = next;
    }
}

class CGdiDoc : public CDocListBase {
public:
    ~CGdiDoc() override { ClearAll(); }
};

TEST(CGdiTextFont, LaysOutTenThousandParagraphs)
{
    ScreenDC screen;
    CGdiDoc doc;
    ASSERT_TRUE(MakeFont(doc.Font(CDocListBase::kScreenFont), screen.dc));
    doc.ApplyLayout();
    const std::u16string paragraph =
        u"\t・吾輩は猫である。名前はまだ無い。Where he was born he has no idea; "
        u"「何でも薄暗いじめじめした所で」ニャーニャー泣いていた事だけは記憶している。";
    for (int i = 0; i < 10000; ++i)
        doc.CreateTextChapter(doc.Chapters().Tail())->Insert(0, paragraph);
    const int lines = doc.Lines().Count();
    EXPECT_GT(lines, 10000);

    auto timeLayout = [&doc] {
        const auto start = std::chrono::steady_clock::now();
        doc.LayOutAll();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    const double cached = timeLayout();
    doc.CurrentFont().SetCacheEnabled(false);
    const double uncached = timeLayout();
    doc.CurrentFont().SetCacheEnabled(true);
    EXPECT_EQ(doc.Lines().Count(), lines);
    std::printf("10000 paragraphs, %d lines, font %d px cells: %.1f ms with the width cache, "
                "%.1f ms measuring every character\n",
                lines, doc.CurrentFont().CharWidth(), cached, uncached);
}

}  // namespace
