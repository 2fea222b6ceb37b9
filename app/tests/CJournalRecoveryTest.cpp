// Recovering the journals that copies which died left behind: new memos in the right base, the
// old memo untouched, live and foreign files left alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/CFileName.h"
#include "app/CJournalRecovery.h"
#include "platform/FileHold.h"
#include "platform/FileSystem.h"
#include "text/CMemoJournal.h"
#include "text/CSafeFileWriter.h"
#include "text/CTextCodec.h"
#include "text/tests/CTempFolder.h"

namespace {

namespace vp = vel::platform;

void Write(const std::u16string& path, const std::string& bytes)
{
    ASSERT_TRUE(CSafeFileWriter::Write(path, bytes.data(), bytes.size()));
}

std::u16string Text(const std::u16string& path)
{
    std::vector<std::uint8_t> bytes;
    if (!vp::ReadWholeFile(path, bytes))
        return u"<missing>";
    return CTextCodec::Decode(bytes.data(), bytes.size());
}

class JournalRecoveryTest : public testing::Test {
protected:
    void SetUp() override
    {
        memoFolder = base.Path() + u"2024年03月05日09時05分03秒(火)_001\\";
        memoFile = u"2024年03月05日09時05分03秒(火)_001.txt";
        ASSERT_TRUE(vp::MakeDirectory(memoFolder));
        Write(memoFolder + memoFile, CTextCodec::Encode(u"saved text"));
        stem = base.Path() + u"DefBackup_0001r";
    }
    void WriteJournal(const std::u16string& journalStem, bool newMemo, const std::u16string& text)
    {
        CJournalHeader header;
        header.newMemo = newMemo;
        header.folder = newMemo ? base.Path() : memoFolder;
        header.file = newMemo ? u"" : memoFile;
        Write(CJournalRecovery::JournalOf(journalStem), CMemoJournal::Encode(header, text));
        Write(CJournalRecovery::HoldOf(journalStem), "\r\n");
    }
    int MemoFolders()
    {
        int count = 0;
        for (const std::u16string& name : vp::ListMatching(base.Path(), u"*"))
            count += CFileName::IsMemoFolder(base.Path() + name) ? 1 : 0;
        return count;
    }

    CTempFolder base;
    std::u16string memoFolder;
    std::u16string memoFile;
    std::u16string stem;
};

TEST_F(JournalRecoveryTest, ChangedTextBecomesANewMemoAndTheOldMemoStaysAsItWas)
{
    WriteJournal(stem, false, u"saved text\r\nand what came after");
    const std::vector<std::u16string> recovered = CJournalRecovery::RecoverFolder(base.Path(), u"");
    ASSERT_EQ(recovered.size(), 1u);
    EXPECT_EQ(Text(recovered[0]), u"saved text\r\nand what came after");
    EXPECT_EQ(CFileName::Directory(CFileName::Directory(recovered[0]).substr(0, CFileName::Directory(recovered[0]).size() - 1)),
              base.Path());
    EXPECT_EQ(Text(memoFolder + memoFile), u"saved text");
    EXPECT_EQ(MemoFolders(), 2);
    // The journal is gone once its text is safe.
    EXPECT_FALSE(vp::ReadAttributes(CJournalRecovery::JournalOf(stem)).exists);
    EXPECT_FALSE(vp::ReadAttributes(CJournalRecovery::HoldOf(stem)).exists);
}

TEST_F(JournalRecoveryTest, AJournalOfUnchangedTextIsRemovedWithoutANewMemo)
{
    WriteJournal(stem, false, u"saved text");
    EXPECT_TRUE(CJournalRecovery::RecoverFolder(base.Path(), u"").empty());
    EXPECT_FALSE(vp::ReadAttributes(CJournalRecovery::JournalOf(stem)).exists);
    EXPECT_EQ(MemoFolders(), 1);
}

TEST_F(JournalRecoveryTest, ANewMemosJournalGoesToItsBaseAndAnEmptyOneIsDropped)
{
    WriteJournal(stem, true, u"typed before the crash");
    const std::u16string other = base.Path() + u"DefBackup_0002r";
    WriteJournal(other, true, u"");
    const std::vector<std::u16string> recovered = CJournalRecovery::RecoverFolder(base.Path(), u"");
    ASSERT_EQ(recovered.size(), 1u);
    EXPECT_EQ(Text(recovered[0]), u"typed before the crash");
    EXPECT_FALSE(vp::ReadAttributes(CJournalRecovery::JournalOf(other)).exists);
}

TEST_F(JournalRecoveryTest, LiveOwnAndForeignJournalsAreLeftAlone)
{
    WriteJournal(stem, true, u"a running copy's text");
    auto hold = vp::HoldFile(CJournalRecovery::HoldOf(stem));
    ASSERT_NE(hold, nullptr);
    const std::u16string own = base.Path() + u"DefBackup_0002r";
    WriteJournal(own, true, u"this copy's own text");
    const std::u16string foreign = base.Path() + u"DefBackup_0003r";
    Write(CJournalRecovery::JournalOf(foreign), "not a journal at all");
    EXPECT_TRUE(CJournalRecovery::RecoverFolder(base.Path(), own).empty());
    EXPECT_TRUE(vp::ReadAttributes(CJournalRecovery::JournalOf(stem)).exists);
    EXPECT_TRUE(vp::ReadAttributes(CJournalRecovery::JournalOf(own)).exists);
    EXPECT_TRUE(vp::ReadAttributes(CJournalRecovery::JournalOf(foreign)).exists);
    EXPECT_EQ(MemoFolders(), 1);
    // The clean-up keeps all three: live, own, and not recovered.
    EXPECT_FALSE(CJournalRecovery::MayRemove(base.Path(), u"DefBackup_0001r.dum", own));
    EXPECT_FALSE(CJournalRecovery::MayRemove(base.Path(), u"DefBackup_0002r.jnl", own));
    EXPECT_FALSE(CJournalRecovery::MayRemove(base.Path(), u"DefBackup_0003r.jnl", own));
    // Once the copy is gone its journal is recovered.
    hold.reset();
    EXPECT_EQ(CJournalRecovery::RecoverFolder(base.Path(), own).size(), 1u);
    EXPECT_TRUE(CJournalRecovery::MayRemove(base.Path(), u"DefBackup_0001r.dum", own));
}

TEST_F(JournalRecoveryTest, PicturesTheJournalNamesAreCopiedBesideTheNewMemo)
{
    const std::u16string pictures = CJournalRecovery::PicturesOf(stem);
    ASSERT_TRUE(vp::MakeDirectory(pictures));
    Write(pictures + u"picture_1.png", "PNG bytes");
    WriteJournal(stem, true,
                 u"before\r\n\t<IMG SRC=\"" + pictures + u"picture_1.png\" WIDTH=10 HEIGHT=10 CPOSX=0 CPOSY=0 "
                 u"CSIZEX=10 CSIZEY=10>\r\nafter");
    const std::vector<std::u16string> recovered = CJournalRecovery::RecoverFolder(base.Path(), u"");
    ASSERT_EQ(recovered.size(), 1u);
    const std::u16string text = Text(recovered[0]);
    const std::u16string folder = CFileName::Directory(recovered[0]);
    const std::u16string copy = CFileName::CompanionName(recovered[0], 1, u"png");
    EXPECT_NE(text.find(u"\t<IMG SRC=\"" + copy + u"\" WIDTH=10"), std::u16string::npos) << std::string(text.begin(), text.end());
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(vp::ReadWholeFile(folder + copy, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "PNG bytes");
    EXPECT_FALSE(vp::ReadAttributes(pictures).exists);
}

}  // namespace
