#include <gtest/gtest.h>

#include <random>

#include "platform/CodePage.h"
#include "text/CMemoReader.h"
#include "text/CMemoWriter.h"
#include "text/CPictureTag.h"
#include "text/CTagScanner.h"
#include "text/tests/CMemoModel.h"
#include "text/tests/CTempFolder.h"
#include "text/tests/MemoTestFiles.h"

// Property: a memo saved in the memo format with picture attributes and read back gives the
// same chapters, indents, picture attributes and page breaks.

namespace {

// Characters a memo may hold: ASCII, tag characters, Japanese of code page 932, and (rarely)
// characters the code page lacks, which make the writer fall back to UTF-16.
const std::u16string kCommon = u"abcXYZ 019=\"'<>/\\\tあいう日本語テキスト、。「」ｱｲｳ①";
const std::u16string kRare[] = {u"\U0001F600", u"é", u"𠮷", u"\u00A0"};

std::u16string RandomText(std::mt19937& rng, bool allowRare)
{
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<std::size_t> pick(0, kCommon.size() - 1);
    std::u16string text;
    const int n = length(rng);
    for (int i = 0; i < n; ++i)
        text += kCommon[pick(rng)];
    if (std::uniform_int_distribution<int>(0, 3)(rng) == 0)
        text.insert(0, static_cast<std::size_t>(std::uniform_int_distribution<int>(1, 3)(rng)), u'\t');
    if (allowRare && std::uniform_int_distribution<int>(0, 9)(rng) == 0)
        text += kRare[std::uniform_int_distribution<int>(0, 3)(rng)];
    return text;
}

bool ReadsAsTag(const std::u16string& text)
{
    CPictureTag tag;
    return CTagScanner::IsPageLine(text) || CPictureTag::Parse(text, false, tag);
}

CMemoModel RandomMemo(std::mt19937& rng)
{
    CMemoModel m;
    m.chapters.clear();
    const bool allowRare = std::uniform_int_distribution<int>(0, 4)(rng) == 0;
    const int count = std::uniform_int_distribution<int>(1, 30)(rng);
    std::uniform_int_distribution<int> size(1, 5000);
    int nextId = 1;
    for (int i = 0; i < count; ++i) {
        ModelChapter c;
        if (std::uniform_int_distribution<int>(0, 3)(rng) == 0) {
            c.picture = true;
            c.pictureId = nextId++;
            c.indent = std::uniform_int_distribution<int>(0, 4)(rng);
            m.records[c.pictureId] = {size(rng), size(rng), size(rng), size(rng), size(rng), size(rng), 0, 0};
        } else {
            do
                c.text = RandomText(rng, allowRare);
            while (ReadsAsTag(c.text));
        }
        c.pageBreak = std::uniform_int_distribution<int>(0, 4)(rng) == 0;
        m.chapters.push_back(std::move(c));
    }
    return m;
}

} // namespace

TEST(MemoRoundTripTest, RandomMemosSurviveSaveAndLoad)
{
    CTempFolder folder;
    const std::u16string path = folder / u"memo.txt";
    std::mt19937 rng(20260208);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        CMemoModel saved = RandomMemo(rng);
        CMemoWriter writer(saved, saved);
        ASSERT_TRUE(writer.WriteFile(path, CMemoWriter::kMemoFormat, true));

        CMemoModel loaded;
        CMemoReader reader(loaded, loaded);
        ASSERT_TRUE(reader.ReadFile(path)); // an empty memo gives an empty file, read as an empty memo

        const std::vector<ModelChapter> expected = saved.Content();
        const std::vector<ModelChapter> actual = loaded.Content();
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(actual[i], expected[i]) << "chapter " << i;
            if (!expected[i].picture)
                continue;
            const CMemoPictureRecord& r = saved.records[expected[i].pictureId];
            const CPictureTag& t = loaded.loadedTags[actual[i].pictureId];
            EXPECT_EQ(t.width, r.displayWidth);
            EXPECT_EQ(t.height, r.displayHeight);
            EXPECT_EQ(t.cposX, r.visibleX);
            EXPECT_EQ(t.cposY, r.visibleY);
            EXPECT_EQ(t.csizeX, r.visibleWidth);
            EXPECT_EQ(t.csizeY, r.visibleHeight);
        }
    }
}

TEST(Utf8SystemCodePage, MemoIsWrittenInUtf8AndReadBack)
{
    if (vel::platform::SystemCodePage() != 65001)
        GTEST_SKIP() << "system code page " << vel::platform::SystemCodePage();
    CTempFolder folder;
    const std::u16string path = folder / u"memo.txt";
    CMemoModel saved;
    saved.chapters.clear();
    ModelChapter a, b;
    a.text = u"\t日本語 café \U0001F600";
    a.pageBreak = true;
    b.text = u"end";
    saved.chapters = {a, b};
    CMemoWriter writer(saved, saved);
    ASSERT_TRUE(writer.WriteFile(path, CMemoWriter::kMemoFormat, true));
    EXPECT_EQ(GetBytes(path), "\t\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E caf\xC3\xA9 \xF0\x9F\x98\x80\r\n<page>\r\nend");
    CMemoModel loaded;
    CMemoReader reader(loaded, loaded);
    ASSERT_TRUE(reader.ReadFile(path));
    EXPECT_EQ(loaded.Content(), saved.Content());
}
