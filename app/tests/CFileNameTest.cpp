#include <gtest/gtest.h>

#include <algorithm>

#include "app/CFileName.h"
#include "platform/FileSystem.h"
#include "text/tests/CTempFolder.h"
#include "text/tests/MemoTestFiles.h"

namespace vp = vel::platform;

namespace {

class CRecordedMessages : public CFileName::CMessageSink {
public:
    void Show(const std::u16string& text) override { shown.push_back(text); }
    std::vector<std::u16string> shown;
};

std::u16string Trimmed(std::u16string folder)
{
    if (!folder.empty() && folder.back() == u'\\')
        folder.pop_back();
    return folder;
}

std::vector<std::u16string> Sorted(std::vector<std::u16string> names)
{
    names.erase(std::remove_if(names.begin(), names.end(), [](const std::u16string& n) { return n == u"." || n == u".."; }),
                names.end());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(FileNamePiecesTest, PathPieces)
{
    EXPECT_EQ(CFileName::FileName(u"C:\\a\\memo.txt"), u"memo.txt");
    EXPECT_EQ(CFileName::FileName(u"memo.txt"), u"memo.txt");
    EXPECT_EQ(CFileName::FileName(u"C:\\a\\"), u"");
    EXPECT_EQ(CFileName::Extension(u"C:\\a\\memo.tar.gz"), u"gz");
    EXPECT_EQ(CFileName::Extension(u"C:\\a.b\\memo"), u""); // a dot in a folder is no extension
    EXPECT_EQ(CFileName::Title(u"C:\\a\\memo.txt"), u"memo");
    EXPECT_EQ(CFileName::Title(u"C:\\a\\memo"), u"memo");
    EXPECT_EQ(CFileName::Title(u"C:\\a\\memo."), u"memo.");
    EXPECT_EQ(CFileName::Directory(u"C:\\a\\memo.txt"), u"C:\\a\\");
    EXPECT_EQ(CFileName::Directory(u"memo.txt"), u"");
    EXPECT_EQ(CFileName::RelativeDirectory(u"C:\\base\\m1\\x.txt", u"C:\\base\\"), u"m1\\");
    EXPECT_EQ(CFileName::RelativeDirectory(u"C:\\base\\x.txt", u"C:\\base\\"), u"");
    EXPECT_EQ(CFileName::AddSeparator(u"C:\\a"), u"C:\\a\\");
    EXPECT_EQ(CFileName::AddSeparator(u"C:\\a\\"), u"C:\\a\\");
    EXPECT_TRUE(CFileName::IsInside(u"c:\\BASE\\m\\x.txt", u"C:\\base\\"));
    EXPECT_FALSE(CFileName::IsInside(u"C:\\bas", u"C:\\base\\"));
    EXPECT_EQ(CFileName::PrefixName(u"C:\\a\\", u"memo"), u"C:\\a\\memo_");
    EXPECT_EQ(CFileName::CompanionName(u"C:\\A\\Memo.TXT", 3, u"TIF"), u"memo_3.tif");
}

TEST(FileNamePiecesTest, Companions)
{
    EXPECT_TRUE(CFileName::IsCompanionOf(u"abc_1.jpg", u"abc"));
    EXPECT_TRUE(CFileName::IsCompanionOf(u"ABC_2.png", u"abc"));
    EXPECT_FALSE(CFileName::IsCompanionOf(u"abc.txt", u"abc"));
    EXPECT_FALSE(CFileName::IsCompanionOf(u".jpg", u"abc"));
    EXPECT_FALSE(CFileName::IsCompanionOf(u"xabc_1.jpg", u"abc"));
}

TEST(FileNamePiecesTest, TimeStamp)
{
    EXPECT_EQ(CFileName::TimeStamp({2012, 3, 5, 14, 7, 9, 1}), u"2012年03月05日14時07分09秒(月)");
    EXPECT_EQ(CFileName::TimeStamp({2012, 3, 4, 0, 0, 0, 0}), u"2012年03月04日00時00分00秒(日)");
    EXPECT_EQ(CFileName::TimeStamp({2012, 3, 10, 23, 59, 59, 6}), u"2012年03月10日23時59分59秒(土)");
    EXPECT_EQ(CFileName::TimeStamp({2012, 3, 10, 23, 59, 59, 7}), u"2012年03月10日23時59分59秒(＊)");
}

TEST(FileSystemTest, AttributeTests)
{
    CTempFolder base;
    ASSERT_TRUE(vp::MakeDirectory(base / u"memo1"));
    ASSERT_TRUE(vp::MakeDirectory(base / u"cntlbasepic"));
    ASSERT_TRUE(PutBytes(base / u"plain.txt", "x"));
    ASSERT_TRUE(PutBytes(base / u"pic.jpg", "x"));

    EXPECT_TRUE(CFileName::IsDirectory(base / u"memo1"));
    EXPECT_FALSE(CFileName::IsDirectory(base / u"plain.txt"));
    EXPECT_FALSE(CFileName::IsDirectory(base / u"missing"));
    EXPECT_TRUE(CFileName::IsMemoFolder(base / u"memo1"));
    EXPECT_FALSE(CFileName::IsMemoFolder(base / u"cntlbasepic"));
    EXPECT_FALSE(CFileName::IsMemoFolder(base / u"."));
    EXPECT_FALSE(CFileName::IsMemoFolder(base / u".."));
    EXPECT_FALSE(CFileName::IsMemoFolder(base / u"plain.txt"));
    EXPECT_FALSE(CFileName::IsUsableDirectory(base / u".."));
    EXPECT_TRUE(CFileName::IsUsableDirectory(base / u"memo1"));
    EXPECT_TRUE(CFileName::IsReadableFile(base / u"plain.txt"));
    EXPECT_FALSE(CFileName::IsReadableFile(base / u"memo1"));
    EXPECT_TRUE(CFileName::IsWritableFile(base / u"plain.txt"));
    EXPECT_TRUE(CFileName::IsPictureFile(base / u"pic.jpg"));
    EXPECT_FALSE(CFileName::IsPictureFile(base / u"plain.txt"));
    EXPECT_FALSE(CFileName::IsPictureFile(base / u"gone.jpg"));
    EXPECT_TRUE(CFileName::IsWritableDirectory(base.Path()));

    ASSERT_TRUE(vp::ChangeAttributes(base / u"plain.txt", true, false));
    EXPECT_FALSE(CFileName::IsWritableFile(base / u"plain.txt"));
    EXPECT_TRUE(CFileName::IsReadableFile(base / u"plain.txt"));
    // Wine keeps no read-only attribute on folders; Windows and POSIX do.
    if (vp::ChangeAttributes(base / u"memo1", true, false) && vp::ReadAttributes(base / u"memo1").readOnly) {
        EXPECT_FALSE(CFileName::IsWritableDirectory(base / u"memo1"));
        EXPECT_TRUE(CFileName::IsMemoFolder(base / u"memo1"));
    }

    if (!vp::ChangeAttributes(base / u"pic.jpg", false, true))
        GTEST_SKIP() << "no system attribute on this platform";
    EXPECT_FALSE(CFileName::IsReadableFile(base / u"pic.jpg"));
    EXPECT_FALSE(CFileName::IsPictureFile(base / u"pic.jpg"));
}

TEST(FileSystemTest, DefaultMemoBase)
{
    CTempFolder docs;
    const std::u16string expected = docs / u"Norvaly\\VelText\\";
    EXPECT_EQ(CFileName::DefaultMemoBase(Trimmed(docs.Path())), expected);
    EXPECT_TRUE(CFileName::IsDirectory(expected));
    EXPECT_EQ(CFileName::DefaultMemoBase(Trimmed(docs.Path())), expected); // exists already

    const std::u16string missing = docs / u"nowhere";
    EXPECT_EQ(CFileName::DefaultMemoBase(missing), missing);

    CTempFolder blocked;
    ASSERT_TRUE(PutBytes(blocked / u"Norvaly", "a file in the way"));
    EXPECT_EQ(CFileName::DefaultMemoBase(Trimmed(blocked.Path())), u"");
}

TEST(FileSystemTest, NewMemoFolder)
{
    CTempFolder base;
    const vp::LocalDateTime when{2012, 3, 5, 9, 5, 3, 1};
    std::u16string folder, file;
    ASSERT_TRUE(CFileName::NewMemoFolder(Trimmed(base.Path()), when, folder, file));
    EXPECT_EQ(folder, base / u"2012年03月05日09時05分03秒(月)_001\\");
    EXPECT_EQ(file, u"2012年03月05日09時05分03秒(月)_001.txt");
    EXPECT_TRUE(CFileName::IsMemoFolder(Trimmed(folder)));
    ASSERT_TRUE(CFileName::NewMemoFolder(base.Path(), when, folder, file));
    EXPECT_EQ(folder, base / u"2012年03月05日09時05分03秒(月)_002\\");
    EXPECT_EQ(file, u"2012年03月05日09時05分03秒(月)_002.txt");

    EXPECT_FALSE(CFileName::NewMemoFolder(base / u"missing", when, folder, file));
    if (vp::ChangeAttributes(base.Path(), true, false) && vp::ReadAttributes(base.Path()).readOnly) {
        EXPECT_FALSE(CFileName::NewMemoFolder(base.Path(), when, folder, file));
        ASSERT_TRUE(vp::ChangeAttributes(base.Path(), false, false));
    }
    if (vp::ChangeAttributes(base.Path(), false, true) && vp::ReadAttributes(base.Path()).system) {
        EXPECT_FALSE(CFileName::NewMemoFolder(base.Path(), when, folder, file)); // a system folder
        ASSERT_TRUE(vp::ChangeAttributes(base.Path(), false, false));
    }

    ASSERT_TRUE(CFileName::NewMemoFolder(base.Path(), folder, file)); // the real clock
    EXPECT_TRUE(CFileName::IsDirectory(folder));
}

TEST(FileSystemTest, UniqueFileNameAndReservedTempFile)
{
    CTempFolder base;
    const std::u16string pics = base / u"cntlbasepic\\";
    EXPECT_EQ(CFileName::UniqueFileName(pics, u"back", u"bmp"), pics + u"back_001.bmp");
    EXPECT_TRUE(CFileName::IsDirectory(pics));
    ASSERT_TRUE(PutBytes(pics + u"back_001.bmp", "x"));
    EXPECT_EQ(CFileName::UniqueFileName(pics, u"back", u"bmp"), pics + u"back_002.bmp");
    ASSERT_TRUE(PutBytes(base / u"file", "x"));
    EXPECT_EQ(CFileName::UniqueFileName(base / u"file", u"back", u"bmp"), u"");

    const std::u16string first = CFileName::ReserveTempFile(base.Path(), u"memo");
    EXPECT_EQ(first, base / u"memo_0001r.dum");
    EXPECT_EQ(GetBytes(first), "\r\n");
    ASSERT_TRUE(PutBytes(base / u"memo_0002r.bmp", "x"));
    EXPECT_EQ(CFileName::ReserveTempFile(base.Path(), u"memo"), base / u"memo_0003r.dum");
    EXPECT_EQ(CFileName::ReserveTempFile(base / u"missing\\", u"memo"), u"");
}

TEST(SaveCheckTest, MessagesNameThePath)
{
    CTempFolder base;
    CRecordedMessages m;
    const std::u16string fresh = base / u"new.txt";
    EXPECT_TRUE(CFileName::CheckSaveTarget(fresh, m));
    ASSERT_TRUE(PutBytes(base / u"old.txt", "x"));
    EXPECT_TRUE(CFileName::CheckSaveTarget(base / u"old.txt", m));
    EXPECT_TRUE(m.shown.empty());

    EXPECT_FALSE(CFileName::CheckSaveTarget(u"", m));
    const std::u16string folder = Trimmed(base.Path());
    EXPECT_FALSE(CFileName::CheckSaveTarget(folder, m));
    const std::u16string lost = base / u"missing\\m.txt";
    EXPECT_FALSE(CFileName::CheckSaveTarget(lost, m));
    const std::u16string dots = base / u"..\\m.txt";
    EXPECT_FALSE(CFileName::CheckSaveTarget(dots, m));
    ASSERT_TRUE(vp::ChangeAttributes(base / u"old.txt", true, false));
    EXPECT_FALSE(CFileName::CheckSaveTarget(base / u"old.txt", m));

    ASSERT_EQ(m.shown.size(), 5u);
    EXPECT_EQ(m.shown[0], u"\n有効なファイル名を指定してください");
    EXPECT_EQ(m.shown[1], folder + u"\nディレクトリを指定しています\n別の名前で保存してください");
    EXPECT_EQ(m.shown[2], lost + u"\n保存ディレクトリがありません\n別のディレクトリに保存してください");
    EXPECT_EQ(m.shown[3], dots + u"\n読み取り専用ディレクトリに保存しようとしています\n別のディレクトリに保存してください");
    EXPECT_EQ(m.shown[4], (base / u"old.txt") + u"\n読み取り専用ファイルに上書きできません\n別の名前で保存してください");

    ASSERT_TRUE(PutBytes(base / u"sys.txt", "x"));
    if (!vp::ChangeAttributes(base / u"sys.txt", false, true))
        GTEST_SKIP() << "no system attribute on this platform";
    EXPECT_FALSE(CFileName::CheckSaveTarget(base / u"sys.txt", m));
    ASSERT_EQ(m.shown.size(), 6u);
    EXPECT_EQ(m.shown[5], (base / u"sys.txt") + u"\nシステムファイルに上書きできません\n別の名前で保存してください");
}

TEST(SaveCheckTest, CompanionsAreCheckedToo)
{
    CTempFolder base;
    CRecordedMessages m;
    ASSERT_TRUE(PutBytes(base / u"abc.txt", "x"));
    ASSERT_TRUE(PutBytes(base / u"abc_1.jpg", "x"));
    ASSERT_TRUE(PutBytes(base / u"ABC_2.png", "x"));
    ASSERT_TRUE(PutBytes(base / u"abcd.txt", "x"));
    EXPECT_TRUE(CFileName::CheckSaveTargetWithCompanions(base / u"abc.txt", m));
    ASSERT_TRUE(vp::ChangeAttributes(base / u"abcd.txt", true, false)); // no companion: ignored
    EXPECT_TRUE(CFileName::CheckSaveTargetWithCompanions(base / u"abc.txt", m));
    ASSERT_TRUE(vp::ChangeAttributes(base / u"ABC_2.png", true, false));
    EXPECT_FALSE(CFileName::CheckSaveTargetWithCompanions(base / u"abc.txt", m));
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0], (base / u"ABC_2.png") + u"\n読み取り専用ファイルに上書きできません\n別の名前で保存してください");
}

TEST(RemovingTest, CompanionsFolderFilesAndFolders)
{
    CTempFolder base;
    for (const char16_t* name : {u"abc.txt", u"abc_1.jpg", u"ABC_2.png", u"abcd.txt", u"other_1.jpg"})
        ASSERT_TRUE(PutBytes(base / name, "x"));
    CFileName::DeleteCompanions(base / u"abc.txt");
    EXPECT_EQ(Sorted(vp::ListMatching(base.Path(), u"*.*")),
              (std::vector<std::u16string>{u"abc.txt", u"abcd.txt", u"other_1.jpg"}));

    ASSERT_TRUE(vp::MakeDirectory(base / u"sub"));
    ASSERT_TRUE(vp::ChangeAttributes(base / u"abcd.txt", true, false));
    EXPECT_TRUE(CFileName::DeleteFolderFiles(base.Path()));
    EXPECT_EQ(Sorted(vp::ListMatching(base.Path(), u"*.*")), (std::vector<std::u16string>{u"abcd.txt", u"sub"}));
    EXPECT_FALSE(CFileName::DeleteFolderFiles(base / u"missing\\"));

    // Removing the current folder steps out of it first.
    const std::u16string memo = base / u"memo\\";
    ASSERT_TRUE(vp::MakeDirectory(memo));
    ASSERT_TRUE(PutBytes(memo + u"memo.txt", "x"));
    const std::u16string before = vp::WorkingDirectory();
    ASSERT_TRUE(vp::SetWorkingDirectory(memo));
    CFileName::RemoveMemoFolder(memo, base.Path());
    const std::u16string after = vp::WorkingDirectory();
    vp::SetWorkingDirectory(before);
    EXPECT_FALSE(CFileName::IsDirectory(memo));
    EXPECT_TRUE(CFileName::IsInside(after + u"\\", Trimmed(base.Path())));
}
