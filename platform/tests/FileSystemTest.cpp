// The parts of the file system seam that saving leans on: write times, the disk-full
// simulation, and replacing a file.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/FileSystem.h"
#include "platform/FileSystemFaults.h"
#include "text/tests/CTempFolder.h"
#include "text/tests/MemoTestFiles.h"

namespace vp = vel::platform;

TEST(FileSystemTest, LastWriteTime)
{
    CTempFolder folder;
    const std::u16string path = folder / u"a.txt";
    std::chrono::system_clock::time_point written;
    EXPECT_FALSE(vp::LastWriteTime(path, written));
    const auto before = std::chrono::system_clock::now();
    ASSERT_TRUE(PutBytes(path, "a"));
    ASSERT_TRUE(vp::LastWriteTime(path, written));
    // File systems keep coarser times than the clock: allow for rounding either way.
    EXPECT_LT(std::chrono::abs(written - before), std::chrono::seconds(5));

    const auto old = before - std::chrono::hours(30);
    ASSERT_TRUE(vp::SetLastWriteTime(path, old));
    ASSERT_TRUE(vp::LastWriteTime(path, written));
    EXPECT_LT(std::chrono::abs(written - old), std::chrono::seconds(2));
    EXPECT_EQ(GetBytes(path), "a");
    EXPECT_FALSE(vp::SetLastWriteTime(folder / u"missing.txt", old));
}

TEST(FileSystemTest, FullDiskStopsWritesAtTheLimit)
{
    CTempFolder folder;
    vp::testing::FailWritesAfter(6);
    auto a = vp::CreateNewFile(folder / u"a.txt");
    auto b = vp::CreateNewFile(folder / u"b.txt");
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(a->Write("1234", 4));
    EXPECT_FALSE(b->Write("56789", 5)); // the limit counts all files together
    EXPECT_TRUE(a->Commit());
    EXPECT_FALSE(b->Commit()); // a file that missed bytes never commits
    auto c = vp::CreateNewFile(folder / u"c.txt");
    ASSERT_TRUE(c);
    EXPECT_FALSE(c->Write("x", 1));
    EXPECT_FALSE(c->Commit());
    vp::testing::ClearWriteFailures();
    EXPECT_EQ(GetBytes(folder / u"a.txt"), "1234");
    EXPECT_EQ(GetBytes(folder / u"b.txt"), "56");

    auto d = vp::CreateNewFile(folder / u"d.txt");
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->Write("abc", 3));
    EXPECT_TRUE(d->Commit());
}

TEST(FileSystemTest, ReplaceWith)
{
    CTempFolder folder;
    const std::u16string target = folder / u"t.txt";
    ASSERT_TRUE(PutBytes(target, "old"));
    ASSERT_TRUE(PutBytes(folder / u"n.txt", "new"));
    ASSERT_TRUE(vp::ChangeAttributes(target, true, false));
    EXPECT_FALSE(vp::ReplaceWith(folder / u"n.txt", target)); // read-only: not replaced
    EXPECT_EQ(GetBytes(target), "old");
    EXPECT_EQ(GetBytes(folder / u"n.txt"), "new");
    ASSERT_TRUE(vp::ChangeAttributes(target, false, false));
    EXPECT_TRUE(vp::ReplaceWith(folder / u"n.txt", target));
    EXPECT_EQ(GetBytes(target), "new");
    EXPECT_FALSE(vp::ReadAttributes(folder / u"n.txt").exists);
}
