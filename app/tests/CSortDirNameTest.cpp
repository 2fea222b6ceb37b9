#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "app/CFileName.h"
#include "app/CSortDirName.h"
#include "platform/FileSystem.h"
#include "text/tests/CTempFolder.h"
#include "text/tests/MemoTestFiles.h"

namespace {

std::unique_ptr<CDirData> Entry(const std::u16string& folder)
{
    return std::make_unique<CDirData>(folder, u"m.txt");
}

// The ordered walk from position 0 that the list's binary search must agree with.
int WalkInsert(std::vector<std::u16string>& list, const std::u16string& folder)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == folder)
            return -1;
        if (list[i] < folder) {
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(i), folder);
            return static_cast<int>(i);
        }
    }
    list.push_back(folder);
    return static_cast<int>(list.size()) - 1;
}

} // namespace

TEST(SortDirNameTest, NewestFirstAndNoDuplicates)
{
    CSortDirName list;
    EXPECT_EQ(list.Insert(Entry(u"C:\\Base\\2012年01月02日10時00分00秒(月)_001")), 0);
    EXPECT_EQ(list.Insert(Entry(u"C:\\Base\\2012年01月10日10時00分00秒(火)_001")), 0);
    EXPECT_EQ(list.Insert(Entry(u"c:\\base\\2012年01月10日10時00分00秒(火)_001\\")), -1);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.EntryAt(0)->Folder(), u"c:\\base\\2012年01月10日10時00分00秒(火)_001\\");
    EXPECT_EQ(list.EntryAt(1)->Folder(), u"c:\\base\\2012年01月02日10時00分00秒(月)_001\\");
    EXPECT_FALSE(list.EntryAt(2));
    EXPECT_FALSE(list.EntryAt(-1));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(SortDirNameTest, CurrentEntry)
{
    CSortDirName list;
    for (const char16_t* f : {u"c:\\b\\a\\", u"c:\\b\\b\\", u"c:\\b\\c\\"})
        list.Insert(Entry(f));
    EXPECT_EQ(list.CurrentIndex(), -1);
    EXPECT_FALSE(list.CurrentData());
    EXPECT_FALSE(list.RemoveCurrent());

    const auto b = list.SelectFolder(u"C:\\B\\B\\");
    ASSERT_TRUE(b);
    EXPECT_EQ(list.CurrentIndex(), 1);
    EXPECT_FALSE(list.SelectFolder(u"c:\\b\\x\\"));
    EXPECT_EQ(list.CurrentIndex(), 1);

    ASSERT_TRUE(list.RemoveCurrent());
    EXPECT_EQ(list.ChangeCount(), 1);
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_EQ(list.CurrentData()->Folder(), u"c:\\b\\c\\");
    ASSERT_TRUE(list.RemoveCurrent());
    EXPECT_EQ(list.ChangeCount(), 2);
    EXPECT_EQ(list.CurrentIndex(), -1);
    EXPECT_EQ(list.Count(), 1);
    list.SetCurrentIndex(0);
    EXPECT_EQ(list.ChangeCount(), 0);
}

TEST(SortDirNameTest, BinarySearchAgreesWithTheOrderedWalk)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> digit(0, 5000);
    CSortDirName list;
    std::vector<std::u16string> reference;
    for (int i = 0; i < 6000; ++i) { // several blocks, with splits and duplicates
        const std::string n = std::to_string(digit(rng));
        const std::u16string folder = u"c:\\m\\" + std::u16string(n.begin(), n.end()) + u"\\";
        ASSERT_EQ(list.Insert(Entry(folder)), WalkInsert(reference, folder));
    }
    ASSERT_EQ(list.Count(), static_cast<int>(reference.size()));
    for (std::size_t i = 0; i < reference.size(); i += 97)
        EXPECT_EQ(list.EntryAt(static_cast<int>(i))->Folder(), reference[i]);
    ASSERT_TRUE(list.SelectFolder(reference[3000]));
    EXPECT_EQ(list.CurrentIndex(), 3000);
    ASSERT_TRUE(list.RemoveCurrent());
    EXPECT_EQ(list.EntryAt(3000)->Folder(), reference[3001]);
}

TEST(SortDirNameTest, ReadableWhileItGrows)
{
    CSortDirName list;
    std::thread writer([&list] {
        for (int i = 0; i < 3000; ++i)
            list.Insert(Entry(u"c:\\m\\" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                              std::u16string(1, static_cast<char16_t>(0x4E00 + i))));
    });
    int seen = 0;
    while (seen < 3000) {
        seen = list.Count();
        if (const auto e = list.EntryAt(seen / 2)) {
            EXPECT_FALSE(e->Folder().empty());
        }
    }
    writer.join();
    EXPECT_EQ(list.Count(), 3000);
}

TEST(DirDataTest, TextFileOfAFolder)
{
    CTempFolder base;
    ASSERT_TRUE(vel::platform::MakeDirectory(base / u"Memo"));
    EXPECT_EQ(CDirData::FromFolder(base / u"Memo").FileName(), u"");
    ASSERT_TRUE(PutBytes(base / u"Memo\\x.jpg", "x"));
    ASSERT_TRUE(PutBytes(base / u"Memo\\Memo.TXT", "x"));
    const CDirData d = CDirData::FromFolder(base / u"Memo");
    EXPECT_EQ(d.FileName(), u"memo.txt");
    EXPECT_EQ(d.Folder(), CFileName::ToLower(base / u"Memo\\"));
}

TEST(SortDirNameTest, ListingABase)
{
    CTempFolder base;
    for (const char16_t* memo : {u"2012年01月02日_001", u"2012年01月10日_001", u"2012年01月05日_001"}) {
        ASSERT_TRUE(vel::platform::MakeDirectory(base / memo));
        ASSERT_TRUE(PutBytes(base / memo + u"\\" + memo + u".txt", "x"));
    }
    ASSERT_TRUE(vel::platform::MakeDirectory(base / u"no text"));
    ASSERT_TRUE(vel::platform::MakeDirectory(base / u"cntlbasepic"));
    ASSERT_TRUE(PutBytes(base / u"cntlbasepic\\a.txt", "x"));
    ASSERT_TRUE(PutBytes(base / u"plain.txt", "x"));

    CSortDirName list;
    list.ListBase(base.Path(), false, {});
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.EntryAt(0)->Folder(), CFileName::ToLower(base / u"2012年01月10日_001\\"));
    EXPECT_EQ(list.EntryAt(2)->FileName(), u"2012年01月02日_001.txt");

    // Kept current across a new listing, although a newer memo now stands before it.
    ASSERT_TRUE(list.SelectFolder(base / u"2012年01月05日_001\\"));
    ASSERT_TRUE(vel::platform::MakeDirectory(base / u"2013年01月01日_001"));
    ASSERT_TRUE(PutBytes(base / u"2013年01月01日_001\\m.txt", "x"));
    list.ListBase(base.Path(), true, {});
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.CurrentIndex(), 2);

    int entries = 0;
    list.ListBase(base.Path(), false, [&entries] { return ++entries <= 0; });
    EXPECT_EQ(list.Count(), 0); // stopped before the first entry
}
