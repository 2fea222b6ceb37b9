// The crash journal's file format, its writer thread and the hold that tells a live journal from
// one a dead copy left behind.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <new>
#include <vector>

#include "platform/FileHold.h"
#include "platform/FileSystem.h"
#include "text/CJournalWriter.h"
#include "text/CMemoJournal.h"
#include "text/CMemoSnapshot.h"
#include "text/CMemoWriter.h"
#include "text/tests/CMemoModel.h"
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

// Counts what the snapshot asks of the real store: it must ask while it is taken, on the window's
// thread, and never again when the memo is composed elsewhere.
class CountingStore : public CMemoModel {
public:
    bool Store(int id, std::u16string& src) override
    {
        ++stores;
        return CMemoModel::Store(id, src);
    }
    int stores = 0;
};

TEST(CMemoSnapshot, ComposesExactlyWhatTheLiveMemoComposes)
{
    CountingStore live;
    live.chapters.clear();
    // Stored, failing with a file to fall back on, failing without one, no id, the same picture
    // twice, and a page break on the last chapter.
    live.chapters = {TextChapter(u"\t見出し", true), PictureChapter(1, 1), PictureChapter(2, 0, true),
                     PictureChapter(3, 2), PictureChapter(0, 0), TextChapter(u""), PictureChapter(1, 0),
                     TextChapter(u"end", true)};
    live.records[1] = {320, 240, 5, 6, 0, 0, 640, 480};
    live.records[2] = {10, 10, 0, 0, 4, 4, 20, 20};
    live.failingStore = {2, 3};
    live.existingPaths[2] = u"old_2.png";

    CMemoWriter direct(live, live);
    const CMemoComposition expected = direct.Compose(CMemoWriter::kMemoFormat, true);
    live.stores = 0;

    CMemoSnapshot snapshot(live.tabWidth);
    for (const ModelChapter& c : live.chapters) {
        if (c.picture)
            snapshot.AddPicture(c.indent, c.pictureId, c.pageBreak, live);
        else
            snapshot.AddText(c.text, c.pageBreak);
    }
    snapshot.EndRun();
    EXPECT_EQ(live.stores, 3);  // once per picture, however often it stands in the memo
    // The live memo changes on after the copy; the copy does not.
    live.chapters[0].text = u"changed";
    CMemoWriter fromCopy(snapshot, snapshot);
    const CMemoComposition composed = fromCopy.Compose(CMemoWriter::kMemoFormat, true);
    EXPECT_EQ(live.stores, 3);
    EXPECT_EQ(composed.text, expected.text);
    EXPECT_EQ(composed.handled, expected.handled);
    EXPECT_EQ(composed.failedPictureIds, expected.failedPictureIds);
    EXPECT_EQ(composed.omittedPictureIds, expected.omittedPictureIds);
}

TEST(CJournalWriter, ContentIsComposedOnTheWritersThreadAndOnlyTheNewestIsMade)
{
    CTempFolder folder;
    const std::u16string path = folder / u"DefBackup_0002r.jnl";
    std::atomic<int> made{0};
    {
        CJournalWriter writer;
        for (int i = 0; i < 20; ++i)
            writer.Submit(path, std::function<std::string()>([i, &made] {
                ++made;
                return "composed " + std::to_string(i);
            }));
        writer.Flush();
        EXPECT_EQ(FileBytes(path), "composed 19");
        EXPECT_LE(made.load(), 20);
        // Content that cannot be made leaves the journal as it was.
        writer.Submit(path, std::function<std::string()>([]() -> std::string { throw std::bad_alloc(); }));
        writer.Flush();
        EXPECT_EQ(FileBytes(path), "composed 19");
    }
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
