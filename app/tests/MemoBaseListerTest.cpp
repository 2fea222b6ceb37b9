// Listing a memo base into the memo list (the listing worker's job) and stepping through it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CFileName.h"
#include "app/CMemoBaseLister.h"
#include "app/CMemoSteps.h"
#include "app/CSortDirName.h"
#include "platform/FileSystem.h"
#include "text/tests/CTempFolder.h"
#include "text/tests/MemoTestFiles.h"

namespace {

bool AddMemo(const CTempFolder& base, const std::u16string& name)
{
    return vel::platform::MakeDirectory(base / name) && PutBytes(base / name + u"\\" + name + u".txt", "x");
}

std::vector<std::u16string> Folders(const CSortDirName& list)
{
    std::vector<std::u16string> folders;
    for (int i = 0; i < list.Count(); ++i)
        folders.push_back(list.EntryAt(i)->Folder());
    return folders;
}

class MemoBaseListerTest : public testing::Test {
protected:
    std::u16string Lower(const std::u16string& name) { return CFileName::ToLower(base / name + u"\\"); }

    CTempFolder base;
    CSortDirName list;
};

TEST_F(MemoBaseListerTest, NewestFirstAndOnlyFoldersWithATextFile)
{
    ASSERT_TRUE(AddMemo(base, u"2012年01月02日10時00分00秒(月)_001"));
    ASSERT_TRUE(AddMemo(base, u"2012年01月10日10時00分00秒(火)_001"));
    ASSERT_TRUE(vel::platform::MakeDirectory(base / u"2013年01月01日00時00分00秒(火)_001")); // no text
    ASSERT_TRUE(PutBytes(base / u"2013年01月01日00時00分00秒(火)_001\\a.jpg", "x"));
    ASSERT_TRUE(vel::platform::MakeDirectory(base / u"cntlbasepic"));
    ASSERT_TRUE(PutBytes(base / u"cntlbasepic\\SavePic_001.txt", "x"));
    ASSERT_TRUE(PutBytes(base / u"2014年01月01日.txt", "x")); // a plain file

    CMemoBaseLister::List(list, base.Path(), false, {});
    EXPECT_EQ(Folders(list), (std::vector<std::u16string>{Lower(u"2012年01月10日10時00分00秒(火)_001"),
                                                          Lower(u"2012年01月02日10時00分00秒(月)_001")}));
    EXPECT_EQ(list.EntryAt(0)->FileName(), u"2012年01月10日10時00分00秒(火)_001.txt");
}

TEST_F(MemoBaseListerTest, TheMemosOwnTextFileIsTakenBeforeOthersInItsFolder)
{
    const std::u16string memo = u"2012年01月02日10時00分00秒(月)_001";
    ASSERT_TRUE(AddMemo(base, memo));
    for (const char16_t* other : {u"0.txt", u"a.txt", u"DefaultVdc.txt", u"zz.txt"})
        ASSERT_TRUE(PutBytes(base / memo + u"\\" + other, "x"));
    ASSERT_TRUE(vel::platform::MakeDirectory(base / u"renamed"));
    ASSERT_TRUE(PutBytes(base / u"renamed\\Other.TXT", "x"));
    CMemoBaseLister::List(list, base.Path(), false, {});
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.EntryAt(1)->FileName(), u"2012年01月02日10時00分00秒(月)_001.txt");
    EXPECT_EQ(list.EntryAt(0)->FileName(), u"other.txt") << "otherwise the text file found in it";
}

TEST_F(MemoBaseListerTest, KeepFlagFindsTheCurrentMemoAgainBehindNewerOnes)
{
    for (const char16_t* memo : {u"2012年01月02日_001", u"2012年01月05日_001", u"2012年01月10日_001"})
        ASSERT_TRUE(AddMemo(base, memo));
    CMemoBaseLister::List(list, base.Path(), false, {});
    ASSERT_TRUE(list.SelectFolder(base / u"2012年01月05日_001"));
    ASSERT_EQ(list.CurrentIndex(), 1);

    ASSERT_TRUE(AddMemo(base, u"2013年02月01日_001"));
    ASSERT_TRUE(AddMemo(base, u"2013年02月02日_001"));
    CMemoBaseLister::List(list, base.Path(), true, {});
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.CurrentIndex(), 3);
    EXPECT_EQ(list.CurrentData()->Folder(), Lower(u"2012年01月05日_001"));

    // Without the flag, or when the current memo has gone, no entry is current: the old position
    // would now name another memo.
    CMemoBaseLister::List(list, base.Path(), false, {});
    EXPECT_EQ(list.CurrentIndex(), -1);
    ASSERT_TRUE(list.SelectFolder(base / u"2012年01月05日_001"));
    ASSERT_TRUE(vel::platform::RemoveFile(base / u"2012年01月05日_001\\2012年01月05日_001.txt"));
    CMemoBaseLister::List(list, base.Path(), true, {});
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.CurrentIndex(), -1);
}

TEST_F(MemoBaseListerTest, StopsWhenToldAndAMissingBaseGivesAnEmptyList)
{
    for (const char16_t* memo : {u"a", u"b", u"c", u"d"})
        ASSERT_TRUE(AddMemo(base, memo));
    int asked = 0;
    CMemoBaseLister::List(list, base.Path(), false, [&asked] { return ++asked <= 2; });
    EXPECT_LE(list.Count(), 2);
    EXPECT_EQ(asked, 3);

    CMemoBaseLister::List(list, base / u"gone", false, {});
    EXPECT_EQ(list.Count(), 0);
    // The base without its separator lists the same.
    std::u16string bare = base.Path();
    bare.pop_back();
    CMemoBaseLister::List(list, bare, false, {});
    EXPECT_EQ(list.Count(), 4);
}

// ---- Stepping ----

class MemoStepsTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char16_t* f : {u"c:\\b\\3\\", u"c:\\b\\2\\", u"c:\\b\\1\\", u"c:\\b\\0\\"})
            list.Insert(std::make_unique<CDirData>(f, u"m.txt")); // order: 3 2 1 0
    }
    CSortDirName list;
};

TEST_F(MemoStepsTest, OlderIsOffWhileListingAndOnTheLastEntry)
{
    EXPECT_FALSE(CMemoSteps::CanStep(list, false, CMemoSteps::kOlder)) << "listing runs";
    EXPECT_TRUE(CMemoSteps::CanStep(list, true, CMemoSteps::kOlder)) << "a new memo steps to the newest";
    EXPECT_FALSE(CMemoSteps::CanStep(list, true, CMemoSteps::kNewer));
    list.SetCurrentIndex(3);
    EXPECT_FALSE(CMemoSteps::CanStep(list, true, CMemoSteps::kOlder));
    EXPECT_TRUE(CMemoSteps::CanStep(list, true, CMemoSteps::kNewer));
    EXPECT_FALSE(CMemoSteps::CanStep(list, false, CMemoSteps::kNewer));
    list.SetCurrentIndex(0);
    EXPECT_FALSE(CMemoSteps::CanStep(list, true, CMemoSteps::kNewer));
    CSortDirName empty;
    EXPECT_FALSE(CMemoSteps::CanStep(empty, true, CMemoSteps::kOlder));
}

TEST_F(MemoStepsTest, EntriesThatFailToLoadAreSkippedUpToTheEnd)
{
    std::vector<std::u16string> asked;
    const auto loadOnly = [&asked](std::u16string good) {
        return [&asked, good](const std::u16string& path) {
            asked.push_back(path);
            return path == good;
        };
    };
    EXPECT_TRUE(CMemoSteps::Step(list, CMemoSteps::kOlder, loadOnly(u"c:\\b\\1\\m.txt")));
    EXPECT_EQ(list.CurrentIndex(), 2);
    EXPECT_EQ(asked, (std::vector<std::u16string>{u"c:\\b\\3\\m.txt", u"c:\\b\\2\\m.txt", u"c:\\b\\1\\m.txt"}));

    asked.clear();
    EXPECT_FALSE(CMemoSteps::Step(list, CMemoSteps::kOlder, loadOnly(u"none")));
    EXPECT_EQ(list.CurrentIndex(), 3);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_FALSE(CMemoSteps::Step(list, CMemoSteps::kOlder, loadOnly(u"none"))) << "past the end: nothing";
    EXPECT_EQ(list.CurrentIndex(), 3);

    EXPECT_TRUE(CMemoSteps::Step(list, CMemoSteps::kNewer, loadOnly(u"c:\\b\\3\\m.txt")));
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_EQ(list.ChangeCount(), 0);
}

} // namespace
