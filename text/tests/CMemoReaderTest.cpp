#include <gtest/gtest.h>

#include "text/CMemoReader.h"
#include "text/CMemoWriter.h"
#include "text/tests/CMemoModel.h"
#include "text/tests/CTempFolder.h"
#include "text/tests/MemoTestFiles.h"

namespace {

struct Expect {
    std::u16string text;
    bool picture = false;
    bool pageBreak = false;
};

void ExpectChapters(const CMemoModel& model, const std::vector<Expect>& expected)
{
    ASSERT_EQ(model.chapters.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(model.chapters[i].text, expected[i].text) << "chapter " << i;
        EXPECT_EQ(model.chapters[i].picture, expected[i].picture) << "chapter " << i;
        EXPECT_EQ(model.chapters[i].pageBreak, expected[i].pageBreak) << "chapter " << i;
    }
}

CMemoModel ReadText(std::u16string_view text, const std::u16string& source = u"C:\\memo\\m.txt", bool clip = false)
{
    CMemoModel model;
    CMemoReader reader(model, model);
    EXPECT_TRUE(reader.ReadLines(text, clip ? std::u16string() : source, clip));
    return model;
}

} // namespace

TEST(MemoReaderTest, PageLines)
{
    // Only page lines: flags, and no empty chapters for them.
    CMemoModel only = ReadText(u"<page>\r\n<page>\r\n<PAGE>");
    ExpectChapters(only, {{u""}});

    ExpectChapters(ReadText(u"one\r\n<Page>\r\ntwo"), {{u"one", false, true}, {u"two"}});
    ExpectChapters(ReadText(u"one\r\nx<page>y\r\ntwo"), {{u"one", false, true}, {u"two"}});
    ExpectChapters(ReadText(u"one\r\n<page >\r\ntwo"), {{u"one"}, {u"<page >"}, {u"two"}});
    ExpectChapters(ReadText(u"one\r\n<pages>\r\ntwo"), {{u"one"}, {u"<pages>"}, {u"two"}});
}

TEST(MemoReaderTest, LineEndsMakeChapters)
{
    ExpectChapters(ReadText(u"a\r\nb\nc\rd"), {{u"a"}, {u"b"}, {u"c"}, {u"d"}});
    ExpectChapters(ReadText(u"last"), {{u"last"}});
    ExpectChapters(ReadText(u"last\r\n"), {{u"last"}, {u""}});
    ExpectChapters(ReadText(u"\t\tindented <b>tag</b>"), {{u"\t\tindented <b>tag</b>"}});
}

TEST(MemoReaderTest, PictureLines)
{
    CMemoModel model = ReadText(u"before\r\n\t<IMG SRC=\"memo_1.tif\" WIDTH=10>\r\n<img src=\"D:\\p\\x.png\">\r\nafter");
    ExpectChapters(model, {{u"before"}, {u"", true}, {u"", true}, {u"after"}});
    EXPECT_EQ(model.loadRequests, (std::vector<std::u16string>{u"C:\\memo\\memo_1.tif", u"D:\\p\\x.png"}));
    EXPECT_EQ(model.chapters[1].indent, 1);
    EXPECT_EQ(model.loadedTags[1].width, 10);
    EXPECT_EQ(model.loadedTags[1].height, -1);
}

TEST(MemoReaderTest, PictureThatCannotBeLoadedStaysText)
{
    CMemoModel model;
    model.unloadable.insert(u"C:\\memo\\gone.jpg");
    CMemoReader reader(model, model);
    reader.ReadLines(u"<IMG SRC=\"gone.jpg\">\r\n<IMG SRC=\"\">\r\nx", u"C:\\memo\\m.txt", false);
    ExpectChapters(model, {{u"<IMG SRC=\"gone.jpg\">"}, {u"<IMG SRC=\"\">"}, {u"x"}});
}

TEST(MemoReaderTest, ClipboardTextHasNoFolderAndNoIndent)
{
    CMemoModel model = ReadText(u"<img src=\"p.jpg\">\r\n\t<img src=\"q.jpg\">", u"", true);
    EXPECT_EQ(model.loadRequests, (std::vector<std::u16string>{u"p.jpg", u"q.jpg"}));
    EXPECT_EQ(model.loadedTags[1].indent, -1);
    EXPECT_EQ(model.loadedTags[2].indent, 1);
}

TEST(MemoReaderTest, ReadFile)
{
    CTempFolder folder;
    CMemoModel model;
    CMemoReader reader(model, model);
    EXPECT_FALSE(reader.ReadFile(folder / u"missing.txt"));
    ASSERT_TRUE(vel::platform::MakeDirectory(folder / u"folder.txt"));
    EXPECT_FALSE(reader.ReadFile(folder / u"folder.txt"));
    // A memo whose text was all deleted is saved as 0 bytes; it, and a file holding nothing but
    // a byte-order mark, open as an empty memo.
    ASSERT_TRUE(PutBytes(folder / u"empty.txt", ""));
    EXPECT_TRUE(reader.ReadFile(folder / u"empty.txt"));
    ASSERT_TRUE(PutBytes(folder / u"mark16.txt", "\xFF\xFE"));
    EXPECT_TRUE(reader.ReadFile(folder / u"mark16.txt"));
    ASSERT_TRUE(PutBytes(folder / u"mark8.txt", "\xEF\xBB\xBF"));
    EXPECT_TRUE(reader.ReadFile(folder / u"mark8.txt"));
    ExpectChapters(model, {{u""}});
    // Bytes that decode to nothing are still no memo.
    ASSERT_TRUE(PutBytes(folder / u"zero.txt", std::string("\0", 1)));
    EXPECT_FALSE(reader.ReadFile(folder / u"zero.txt"));

    // Shift-JIS with an embedded zero byte, odd length.
    ASSERT_TRUE(PutBytes(folder / u"sjis.txt", std::string("\x93\xFA\x96\x7B\r\na\0b", 9)));
    EXPECT_TRUE(reader.ReadFile(folder / u"sjis.txt"));
    ExpectChapters(model, {{u"日本"}, {u"a.b"}});

    CMemoModel wide;
    CMemoReader wideReader(wide, wide);
    ASSERT_TRUE(PutBytes(folder / u"wide.txt", std::string("\xFF\xFEx\0\r\0\n\0<\0p\0a\0g\0e\0>\0\r\0\n\0y\0", 26)));
    EXPECT_TRUE(wideReader.ReadFile(folder / u"wide.txt"));
    ExpectChapters(wide, {{u"x", false, true}, {u"y"}});
    // Saved again, a memo read as UTF-16 is written in the code page.
    CMemoWriter writer(wide, wide);
    ASSERT_TRUE(writer.WriteFile(folder / u"wide.txt", CMemoWriter::kMemoFormat, true));
    EXPECT_EQ(GetBytes(folder / u"wide.txt"), "x\r\n<page>\r\ny");

    // UTF-8 with its mark, as other editors save it.
    CMemoModel utf8;
    CMemoReader utf8Reader(utf8, utf8);
    ASSERT_TRUE(PutBytes(folder / u"utf8.txt", "\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC\r\n<page>\r\ncaf\xC3\xA9"));
    EXPECT_TRUE(utf8Reader.ReadFile(folder / u"utf8.txt"));
    ExpectChapters(utf8, {{u"日本", false, true}, {u"café"}});
}

TEST(MemoReaderTest, EmptiedMemoRoundTrips)
{
    CTempFolder folder;
    CMemoModel emptied; // one empty text chapter, as the window leaves it when all is deleted
    CMemoWriter writer(emptied, emptied);
    ASSERT_TRUE(writer.WriteFile(folder / u"m.txt", CMemoWriter::kMemoFormat, true));
    EXPECT_EQ(GetBytes(folder / u"m.txt"), "");
    CMemoModel back;
    CMemoReader reader(back, back);
    EXPECT_TRUE(reader.ReadFile(folder / u"m.txt"));
    ExpectChapters(back, {{u""}});
}

TEST(MemoReaderTest, PicturePathsResolveAgainstTheFilesFolder)
{
    CTempFolder folder;
    ASSERT_TRUE(PutBytes(folder / u"m.txt", "<IMG SRC=\"m_1.tif\">"));
    CMemoModel model;
    CMemoReader reader(model, model);
    EXPECT_TRUE(reader.ReadFile(folder / u"m.txt"));
    EXPECT_EQ(model.loadRequests, (std::vector<std::u16string>{folder / u"m_1.tif"}));
}

TEST(MemoReaderTest, HugeHostileLinesReadInLinearTime)
{
    std::u16string text;
    for (int i = 0; i < 100000; ++i)
        text += u"<img ";
    text += u"\r\n";
    for (int i = 0; i < 100000; ++i)
        text += u"<a>";
    text += u"\r\n<IMG SRC=\"x\"";
    for (int i = 0; i < 100000; ++i)
        text += u" widt\"h=";
    text += u">";
    CMemoModel model;
    model.unloadable.insert(u"C:\\memo\\x");
    CMemoReader reader(model, model);
    EXPECT_TRUE(reader.ReadLines(text, u"C:\\memo\\m.txt", false));
    EXPECT_EQ(model.chapters.size(), 3u);
}
