// Saves that go wrong on the way: a full disk, a read-only memo, a folder that went away, and
// temporaries that earlier saves left behind.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/FileSystem.h"
#include "platform/FileSystemFaults.h"
#include "text/CSafeFileWriter.h"
#include "text/tests/CTempFolder.h"
#include "text/tests/MemoTestFiles.h"
#include "text/tests/MemoSaveTesting.h"

namespace {

namespace vp = vel::platform;

// Lifts the disk-full simulation however the test ends.
struct CFullDiskGuard {
    ~CFullDiskGuard() { vp::testing::ClearWriteFailures(); }
};

} // namespace

TEST(MemoSaveFaultTest, DiskFullMidwayLeavesTheOldMemoWhole)
{
    CTempFolder folder;
    const std::u16string path = folder / u"m.txt";
    const std::string old = MemoVersionBytes(0);
    ASSERT_TRUE(PutBytes(path, old));
    CMemoModel next = MemoVersion(1);
    const std::size_t size = MemoVersionBytes(1).size();
    CFullDiskGuard guard;
    for (const std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{4096}, size / 2, size - 1}) {
        SCOPED_TRACE("disk full after " + std::to_string(limit) + " bytes");
        vp::testing::FailWritesAfter(limit);
        EXPECT_EQ(SaveMemo(next, path).status, CMemoWriteResult::kNotWritten);
        vp::testing::ClearWriteFailures();
        EXPECT_TRUE(GetBytes(path) == old);
        EXPECT_TRUE(Temporaries(folder.Path(), u"m.txt").empty());
    }
    vp::testing::FailWritesAfter(size); // exactly enough room
    EXPECT_EQ(SaveMemo(next, path).status, CMemoWriteResult::kWritten);
    vp::testing::ClearWriteFailures();
    EXPECT_TRUE(GetBytes(path) == MemoVersionBytes(1));
}

TEST(MemoSaveFaultTest, ReadOnlyMemoIsNotReplaced)
{
    CTempFolder folder;
    const std::u16string path = folder / u"m.txt";
    ASSERT_TRUE(PutBytes(path, "old memo"));
    ASSERT_TRUE(vp::ChangeAttributes(path, true, false));
    CMemoModel next = MemoVersion(0);
    EXPECT_EQ(SaveMemo(next, path).status, CMemoWriteResult::kNotWritten);
    EXPECT_EQ(GetBytes(path), "old memo");
    EXPECT_TRUE(vp::ReadAttributes(path).readOnly);
    EXPECT_TRUE(Temporaries(folder.Path(), u"m.txt").empty());
}

TEST(MemoSaveFaultTest, VanishedFolder)
{
    CTempFolder folder;
    const std::u16string sub = folder / u"memo";
    const std::u16string path = sub + u"\\m.txt";
    ASSERT_TRUE(vp::MakeDirectory(sub));
    CMemoModel m = MemoVersion(0);
    ASSERT_EQ(SaveMemo(m, path).status, CMemoWriteResult::kWritten);
    // Another copy of the program deletes the memo while this one still shows it.
    ASSERT_TRUE(vp::RemoveFile(path));
    ASSERT_TRUE(vp::RemoveFolder(sub));
    EXPECT_EQ(SaveMemo(m, path).status, CMemoWriteResult::kNotWritten);
    EXPECT_FALSE(vp::ReadAttributes(sub).exists);
}

TEST(MemoSaveFaultTest, StaleTemporariesGoAndLiveOnesNeverBlockASave)
{
    CTempFolder folder;
    const std::u16string path = folder / u"m.txt";
    const auto now = std::chrono::system_clock::now();
    // More temporaries than a save would ever try names for: crashes left 2 and 50 (and one of
    // another program's making), other copies may still be writing the rest.
    for (unsigned n = 1; n <= 120; ++n)
        ASSERT_TRUE(PutBytes(CSafeFileWriter::TemporaryName(path, n), "part"));
    ASSERT_TRUE(PutBytes(path + u".~x", "not ours"));
    for (const std::u16string& stale : {CSafeFileWriter::TemporaryName(path, 2), CSafeFileWriter::TemporaryName(path, 50),
                                        path + u".~x"})
        ASSERT_TRUE(vp::SetLastWriteTime(stale, now - CSafeFileWriter::kStaleAge - std::chrono::seconds(5)));
    // Half a minute old: possibly still being written.
    ASSERT_TRUE(vp::SetLastWriteTime(CSafeFileWriter::TemporaryName(path, 3), now - std::chrono::seconds(30)));

    CMemoModel m = MemoVersion(0);
    EXPECT_EQ(SaveMemo(m, path).status, CMemoWriteResult::kWritten);
    EXPECT_TRUE(GetBytes(path) == MemoVersionBytes(0));
    const std::vector<std::u16string> left = Temporaries(folder.Path(), u"m.txt");
    EXPECT_EQ(left.size(), 119u); // 118 live ones and the one that is not ours
    EXPECT_FALSE(vp::ReadAttributes(CSafeFileWriter::TemporaryName(path, 2)).exists);
    EXPECT_FALSE(vp::ReadAttributes(CSafeFileWriter::TemporaryName(path, 50)).exists);
    EXPECT_TRUE(vp::ReadAttributes(CSafeFileWriter::TemporaryName(path, 3)).exists);
    EXPECT_TRUE(vp::ReadAttributes(path + u".~x").exists);
    EXPECT_EQ(GetBytes(CSafeFileWriter::TemporaryName(path, 1)), "part");
}
