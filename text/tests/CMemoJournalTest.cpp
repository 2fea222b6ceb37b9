// The crash journal's file format, its writer thread and the hold that tells a live journal from
// one a dead copy left behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/FileHold.h"
#include "platform/FileSystem.h"
#include "text/CJournalWriter.h"
#include "text/CMemoJournal.h"
#include "text/tests/CTempFolder.h"

namespace {

std::string FileBytes(const std::u16string& path)
{
    std::vector<std::uint8_t> bytes;
    if (!vel::platform::ReadWholeFile(path, bytes))
        return "<missing>";
    return std::string(bytes.begin(), bytes.end());
}

TEST(CMemoJournal, RoundTripsBothKindsOfHeaderAndAnyText)
{
    CJournalHeader memo;
    memo.newMemo = false;
    memo.folder = u"C:\\memos\\2024年03月05日09時05分03秒(火)_001\\";
    memo.file = u"2024年03月05日09時05分03秒(火)_001.txt";
    const std::u16string text = u"一行目\r\n\t字下げ 😀\r\n<IMG SRC=\"C:\\x\\a_1.tif\">\r\n";
    const std::string bytes = CMemoJournal::Encode(memo, text);
    CJournalHeader read;
    std::u16string readText;
    ASSERT_TRUE(CMemoJournal::Decode(bytes.data(), bytes.size(), read, readText));
    EXPECT_FALSE(read.newMemo);
    EXPECT_EQ(read.folder, memo.folder);
    EXPECT_EQ(read.file, memo.file);
    EXPECT_EQ(readText, text);

    CJournalHeader fresh;
    fresh.folder = u"C:\\memos\\";
    const std::string empty = CMemoJournal::Encode(fresh, u"");
    ASSERT_TRUE(CMemoJournal::Decode(empty.data(), empty.size(), read, readText));
    EXPECT_TRUE(read.newMemo);
    EXPECT_EQ(read.folder, u"C:\\memos\\");
    EXPECT_EQ(readText, u"");
}

TEST(CMemoJournal, DamagedOrForeignFilesAreNotJournals)
{
    CJournalHeader header;
    header.folder = u"C:\\memos\\";
    const std::string bytes = CMemoJournal::Encode(header, u"some text");
    CJournalHeader read;
    std::u16string text;
    // Cut short, one unit too many, not UTF-16, the reserved file's CR LF, nothing.
    EXPECT_FALSE(CMemoJournal::Decode(bytes.data(), bytes.size() - 2, read, text));
    const std::string longer = bytes + std::string("x\0", 2);
    EXPECT_FALSE(CMemoJournal::Decode(longer.data(), longer.size(), read, text));
    EXPECT_FALSE(CMemoJournal::Decode(bytes.data() + 2, bytes.size() - 2, read, text));
    EXPECT_FALSE(CMemoJournal::Decode("\r\n", 2, read, text));
    EXPECT_FALSE(CMemoJournal::Decode("", 0, read, text));
    std::string foreign = bytes;
    foreign[4] = 'X';  // the magic line changed
    EXPECT_FALSE(CMemoJournal::Decode(foreign.data(), foreign.size(), read, text));
    EXPECT_EQ(text, u"");
}

TEST(CJournalWriter, WritesTheNewestContentAndRemovesItWhenTheMemoIsSafe)
{
    CTempFolder folder;
    const std::u16string path = folder / u"DefBackup_0001r.jnl";
    {
        CJournalWriter writer;
        for (int i = 0; i < 50; ++i)
            writer.Submit(path, "version " + std::to_string(i));
        writer.Flush();
        EXPECT_EQ(FileBytes(path), "version 49");
        EXPECT_GE(writer.Written(), 1u);
        EXPECT_LE(writer.Written(), 50u);
        writer.Discard(path);
        writer.Flush();
        EXPECT_EQ(FileBytes(path), "<missing>");
        writer.Submit(path, "last");
    }
    // What was waiting is written before the thread ends.
    EXPECT_EQ(FileBytes(path), "last");
    // Nothing but the journal is left beside it.
    EXPECT_EQ(vel::platform::ListMatching(folder.Path(), u"*.~*").size(), 0u);
}

TEST(FileHold, AHeldFileIsSeenHeldUntilItsHolderLetsGo)
{
    CTempFolder folder;
    const std::u16string path = folder / u"DefBackup_0001r.dum";
    EXPECT_FALSE(vel::platform::IsFileHeld(path));  // missing
    {
        auto hold = vel::platform::HoldFile(path);
        ASSERT_NE(hold, nullptr);
        EXPECT_TRUE(vel::platform::IsFileHeld(path));
        EXPECT_EQ(vel::platform::HoldFile(path), nullptr);
    }
    EXPECT_FALSE(vel::platform::IsFileHeld(path));
    EXPECT_NE(vel::platform::HoldFile(path), nullptr);
}

}  // namespace
