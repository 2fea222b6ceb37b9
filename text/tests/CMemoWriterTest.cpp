#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/FileSystemFaults.h"
#include "text/CMemoWriter.h"
#include "text/tests/CMemoModel.h"
#include "text/tests/CTempFolder.h"
#include "text/tests/MemoTestFiles.h"

namespace {

ModelChapter Text(std::u16string text, bool page = false)
{
    return TextChapter(std::move(text), page);
}

ModelChapter Picture(int id, int indent, bool page = false)
{
    return PictureChapter(id, indent, page);
}

// A memo with every kind of chapter: indented text laid out on two display lines, a picture
// with a page break, a picture without a record, a picture without id.
CMemoModel SampleMemo()
{
    CMemoModel m;
    m.chapters = {Text(u"\t\tfirst line wraps", true), Picture(1, 1, true), Text(u"日本語"), Picture(2, 0),
                  Picture(0, 3), Text(u"end")};
    m.chapters[0].displayLines = {{u"\t\tfirst ", 0}, {u"line wraps", 4}};
    m.records[1] = {320, 240, 5, 6, 0, 0, 640, 480};
    return m;
}

std::string Sjis(const char* ascii)
{
    return ascii;
}

const std::string kNihongo = "\x93\xFA\x96\x7B\x8C\xEA";

} // namespace

TEST(MemoWriterTest, MemoFormatWithAttributes)
{
    CTempFolder folder;
    CMemoModel m = SampleMemo();
    CMemoWriter writer(m, m);
    ASSERT_TRUE(writer.WriteFile(folder / u"m.txt", CMemoWriter::kMemoFormat, true));
    // Visible width and height of 0 fall back to the whole picture from position 0.
    EXPECT_EQ(GetBytes(folder / u"m.txt"),
              Sjis("\t\tfirst line wraps\r\n<page>\r\n"
                   "\t<IMG SRC=\"memo_1.tif\" WIDTH=320 HEIGHT=240 CPOSX=0 CPOSY=0 CSIZEX=640 CSIZEY=480>\r\n<page>\r\n") +
                  kNihongo + "\r\n<IMG SRC=\"memo_2.tif\">\r\n\r\nend");
}

TEST(MemoWriterTest, AttributeFlagClearWritesSrcOnly)
{
    CTempFolder folder;
    CMemoModel m = SampleMemo();
    m.records[1].visibleX = 7; // ignored without the flag
    CMemoWriter writer(m, m);
    ASSERT_TRUE(writer.WriteFile(folder / u"m.txt", CMemoWriter::kMemoFormat, false));
    EXPECT_EQ(GetBytes(folder / u"m.txt"), Sjis("\t\tfirst line wraps\r\n<page>\r\n\t<IMG SRC=\"memo_1.tif\">\r\n<page>\r\n") +
                                              kNihongo + "\r\n<IMG SRC=\"memo_2.tif\">\r\n\r\nend");
}

TEST(MemoWriterTest, VisiblePartIsWrittenWhenSet)
{
    CTempFolder folder;
    CMemoModel m;
    m.chapters = {Picture(4, 0)};
    m.records[4] = {100, 50, 10, 20, 30, 40, 640, 480};
    CMemoWriter writer(m, m);
    ASSERT_TRUE(writer.WriteFile(folder / u"m.txt", CMemoWriter::kMemoFormat, true));
    EXPECT_EQ(GetBytes(folder / u"m.txt"),
              "<IMG SRC=\"memo_4.tif\" WIDTH=100 HEIGHT=50 CPOSX=10 CPOSY=20 CSIZEX=30 CSIZEY=40>");
}

TEST(MemoWriterTest, ExportWithoutParagraphInformation)
{
    CTempFolder folder;
    CMemoModel m = SampleMemo();
    CMemoWriter writer(m, m);
    ASSERT_TRUE(writer.WriteFile(folder / u"m.txt", CMemoWriter::kWithoutParagraphs, true));
    EXPECT_EQ(GetBytes(folder / u"m.txt"),
              "first line wraps\r\n<IMG SRC=\"memo_1.tif\">\r\n" + kNihongo + "\r\n<IMG SRC=\"memo_2.tif\">\r\n\r\nend");
}

TEST(MemoWriterTest, ExportWithParagraphsAsSpaces)
{
    CTempFolder folder;
    CMemoModel m = SampleMemo();
    m.tabWidth = 3;
    CMemoWriter writer(m, m);
    ASSERT_TRUE(writer.WriteFile(folder / u"m.txt", CMemoWriter::kParagraphsAsSpaces, true));
    // Chapters without display lines are written as one line.
    EXPECT_EQ(GetBytes(folder / u"m.txt"), "      first \r\n    line wraps\r\n   <IMG SRC=\"memo_1.tif\">\r\n" + kNihongo +
                                              "\r\n<IMG SRC=\"memo_2.tif\">\r\n\r\nend");
}

TEST(MemoWriterTest, PageBreakOnTheLastChapterIsKept)
{
    CTempFolder folder;
    CMemoModel m;
    m.chapters = {Text(u"a"), Text(u"b", true)};
    CMemoWriter writer(m, m);
    ASSERT_TRUE(writer.WriteFile(folder / u"m.txt", CMemoWriter::kMemoFormat, true));
    EXPECT_EQ(GetBytes(folder / u"m.txt"), "a\r\nb\r\n<page>");
    ASSERT_TRUE(writer.WriteFile(folder / u"m.txt", CMemoWriter::kWithoutParagraphs, true));
    EXPECT_EQ(GetBytes(folder / u"m.txt"), "a\r\nb");
}

TEST(MemoWriterTest, TextOutsideTheCodePageIsWrittenAsUtf16)
{
    CTempFolder folder;
    CMemoModel m;
    m.chapters = {Text(u"ok"), Text(u"\U0001F600é")};
    CMemoWriter writer(m, m);
    ASSERT_TRUE(writer.WriteFile(folder / u"m.txt", CMemoWriter::kMemoFormat, true));
    EXPECT_EQ(GetBytes(folder / u"m.txt"), std::string("\xFF\xFEo\0k\0\r\0\n\0\x3D\xD8\x00\xDE\xE9\0", 16));
}

TEST(MemoWriterTest, NoChapterHandledIsFailureAndKeepsTheOldFile)
{
    CTempFolder folder;
    const std::u16string path = folder / u"m.txt";
    ASSERT_TRUE(PutBytes(path, "old memo"));
    CMemoModel m;
    m.chapters = {Picture(0, 0)};
    CMemoWriter writer(m, m);
    EXPECT_EQ(writer.WriteFile(path, CMemoWriter::kMemoFormat, true).status, CMemoWriteResult::kNotWritten);
    m.chapters.clear();
    EXPECT_FALSE(writer.WriteFile(path, CMemoWriter::kMemoFormat, true));
    // Nor does a memo of nothing but pictures that cannot be stored and have no file yet.
    m.chapters = {Picture(3, 0), Picture(4, 1)};
    m.failingStore = {3, 4};
    const CMemoWriteResult result = writer.WriteFile(path, CMemoWriter::kMemoFormat, true);
    EXPECT_EQ(result.status, CMemoWriteResult::kNotWritten);
    EXPECT_EQ(result.failedPictureIds, (std::vector<int>{3, 4}));
    EXPECT_EQ(GetBytes(path), "old memo");
}

TEST(MemoWriterTest, FailedSaveLeavesTheOldFile)
{
    CTempFolder folder;
    const std::u16string path = folder / u"m.txt";
    ASSERT_TRUE(PutBytes(path, "old memo"));
    CMemoModel m = SampleMemo();
    CMemoWriter writer(m, m);
    vel::platform::testing::FailWritesAfter(10); // the disk fills up during the save
    const CMemoWriteResult full = writer.WriteFile(path, CMemoWriter::kMemoFormat, true);
    vel::platform::testing::ClearWriteFailures();
    EXPECT_EQ(full.status, CMemoWriteResult::kNotWritten);
    EXPECT_EQ(GetBytes(path), "old memo");

    EXPECT_FALSE(writer.WriteFile(folder / u"no-such-folder\\m.txt", CMemoWriter::kMemoFormat, true));
    // Nothing but the memo is left in the folder (no temporary files).
    EXPECT_EQ(vel::platform::ListMatching(folder.Path(), u"m*"), std::vector<std::u16string>{u"m.txt"});

    EXPECT_TRUE(writer.WriteFile(path, CMemoWriter::kMemoFormat, true));
    EXPECT_NE(GetBytes(path), "old memo");
    EXPECT_EQ(vel::platform::ListMatching(folder.Path(), u"m*"), std::vector<std::u16string>{u"m.txt"});
}

TEST(MemoWriterTest, PictureThatCannotBeStoredNeverStopsTheText)
{
    CTempFolder folder;
    const std::u16string path = folder / u"m.txt";
    ASSERT_TRUE(PutBytes(path, "old memo"));
    CMemoModel m = SampleMemo();
    m.failingStore = {1, 2};
    m.existingPaths[1] = u"C:\\memo\\old_1.png"; // picture 2 never had a file
    CMemoWriter writer(m, m);
    const CMemoWriteResult result = writer.WriteFile(path, CMemoWriter::kMemoFormat, true);
    EXPECT_EQ(result.status, CMemoWriteResult::kPictureFailed);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.failedPictureIds, (std::vector<int>{1, 2}));
    EXPECT_EQ(result.omittedPictureIds, (std::vector<int>{2}));
    // Picture 1 keeps its tag on its existing file; picture 2's line is empty, like a picture
    // without id.
    EXPECT_EQ(GetBytes(path), Sjis("\t\tfirst line wraps\r\n<page>\r\n"
                                   "\t<IMG SRC=\"C:\\memo\\old_1.png\" WIDTH=320 HEIGHT=240 CPOSX=0 CPOSY=0 CSIZEX=640 "
                                   "CSIZEY=480>\r\n<page>\r\n") +
                                  kNihongo + "\r\n\r\n\r\nend");

    // Written in full once the pictures can be stored again.
    m.failingStore.clear();
    const CMemoWriteResult again = writer.WriteFile(path, CMemoWriter::kMemoFormat, true);
    EXPECT_EQ(again.status, CMemoWriteResult::kWritten);
    EXPECT_TRUE(again.failedPictureIds.empty());
}

TEST(MemoWriterTest, ComposeListsThePicturesItCouldNotStore)
{
    CMemoModel m = SampleMemo();
    m.failingStore = {2};
    CMemoWriter writer(m, m);
    const CMemoComposition c = writer.Compose(CMemoWriter::kWithoutParagraphs, false);
    EXPECT_EQ(c.handled, 4); // three texts and picture 1; picture 0 and the unstored picture 2 are not
    EXPECT_EQ(c.failedPictureIds, std::vector<int>{2});
    EXPECT_EQ(c.omittedPictureIds, std::vector<int>{2});
    EXPECT_EQ(c.text, u"first line wraps\r\n<IMG SRC=\"memo_1.tif\">\r\n日本語\r\n\r\n\r\nend");
}
