// The document in the started program: writing the memo back into the memo store and the
// fallbacks when that fails, the temporary files, the "Save Max" limit, loading and new memos.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include <string>
#include <vector>

#include "app/CFileName.h"
#include "app/CInstanceMarker.h"
#include "app/Resource.h"
#include "app/WideText.h"
#include "app/tests/AppTestSupport.h"
#include "doc/CDocList.h"
#include "doc/CSaveTypeDlg.h"
#include "doc/CVelTextDoc.h"
#include "doc/CVelTextView.h"
#include "framework/CUserMessage.h"
#include "platform/FileSystem.h"
#include "platform/FileSystemFaults.h"

namespace {

using apptest::Pump;

constexpr wchar_t kSectionKey[] = L"Software\\Norvaly\\VelText\\VelText Section";

std::u16string TempFolder(const std::u16string& name)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return CFileName::AddSeparator(ToU16(temp) + name);
}

void RemoveTree(const std::u16string& folder)
{
    std::wstring from = ToWide(folder);
    while (!from.empty() && from.back() == L'\\')
        from.pop_back();
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&operation);
}

std::string ReadBytes(const std::u16string& path)
{
    std::vector<std::uint8_t> bytes;
    if (!vel::platform::ReadWholeFile(path, bytes))
        return "<unreadable>";
    return std::string(bytes.begin(), bytes.end());
}

void WriteBytes(const std::u16string& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

FILETIME WriteTime(const std::u16string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Memo folders of a base, newest first.
std::vector<std::u16string> MemoFolders(const std::u16string& base)
{
    std::vector<std::u16string> names;
    for (const std::u16string& name : vel::platform::ListMatching(base, u"*")) {
        if (CFileName::IsMemoFolder(base + name))
            names.push_back(name);
    }
    std::sort(names.rbegin(), names.rend());
    return names;
}

class DocumentTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSectionKey);
        CUserMessage::SetRecorder(&messages);
        base = TempFolder(u"vel-document-base");
        RemoveTree(base);
        CreateDirectoryW(ToWide(base).c_str(), nullptr);
        app = std::make_unique<CVelTextApp>();
        app->SetRegistryKey(CVelTextApp::kRegistryKey);
        app->WriteMemoBase(0, {L"テスト", ToWide(base), 0});
        ASSERT_TRUE(app->StartUp(L"VelText.exe"));
        frame = app->MainFrame();
        view = dynamic_cast<CVelTextView*>(frame->ActiveView());
        document = dynamic_cast<CVelTextDoc*>(view->Document());
        ASSERT_NE(document, nullptr);
        Pump();
    }
    void TearDown() override
    {
        if (frame->Handle() != nullptr)
            frame->DestroyWindow();
        Pump();
        app.reset();
        CUserMessage::SetRecorder(nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSectionKey);
        RemoveTree(base);
    }

    void Type(std::u16string_view text) { apptest::TypeInto(view->EditWindow().Handle(), text); }
    CDocList& Doc() { return view->EditWindow().Doc(); }
    std::u16string MemoPath() { return ToU16(view->MemoFolder() + view->MemoFileName()); }

    std::vector<std::wstring> messages;
    std::u16string base;
    std::unique_ptr<CVelTextApp> app;
    CMainFrame* frame = nullptr;
    CVelTextView* view = nullptr;
    CVelTextDoc* document = nullptr;
};

TEST_F(DocumentTest, PictureTypeFollowsSaveExt)
{
    EXPECT_EQ(CVelTextDoc::PictureTypeFor(0), L"jpg");
    EXPECT_EQ(CVelTextDoc::PictureTypeFor(1), L"bmp");
    EXPECT_EQ(CVelTextDoc::PictureTypeFor(2), L"png");
    EXPECT_EQ(CVelTextDoc::PictureTypeFor(3), L"tif");
    EXPECT_EQ(CVelTextDoc::PictureTypeFor(4), L"gif");
    EXPECT_EQ(CVelTextDoc::PictureTypeFor(7), L"jpg");
    EXPECT_EQ(CVelTextDoc::PictureTypeFor(-1), L"jpg");
    EXPECT_EQ(document->PictureQuality(), 95);
}

TEST_F(DocumentTest, ANewMemoIsWrittenIntoATimeStampedFolderOfTheCurrentBase)
{
    Type(u"買い物メモ\rたまご");
    EXPECT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWrittenAsNew);
    const std::vector<std::u16string> folders = MemoFolders(base);
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_NE(folders[0].find(u"秒("), std::u16string::npos);
    EXPECT_EQ(ToU16(view->MemoFolder()), base + folders[0] + u"\\");
    EXPECT_EQ(ToU16(view->MemoFileName()), folders[0] + u".txt");
    EXPECT_EQ(ReadBytes(MemoPath()), "\x94\x83\x82\xa2\x95\xa8\x83\x81\x83\x82\r\n\x82\xbd\x82\xdc\x82\xb2");
    EXPECT_FALSE(Doc().Modified());
}

TEST_F(DocumentTest, NothingChangedWritesNothing)
{
    Type(u"once");
    ASSERT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWrittenAsNew);
    const std::u16string path = MemoPath();
    const FILETIME before = WriteTime(path);
    Sleep(30);
    EXPECT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kNothingToSave);
    const FILETIME after = WriteTime(path);
    EXPECT_EQ(CompareFileTime(&before, &after), 0);
    // A change goes back into the same memo file.
    Type(u" more");
    EXPECT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWritten);
    EXPECT_EQ(MemoPath(), path);
    EXPECT_EQ(ReadBytes(path), "once more");
    EXPECT_EQ(MemoFolders(base).size(), 1u);
}

TEST_F(DocumentTest, AReadOnlyMemoFileFallsBackToANewMemoAndKeepsTheOldFile)
{
    Type(u"first");
    ASSERT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWrittenAsNew);
    const std::u16string old = MemoPath();
    SetFileAttributesW(ToWide(old).c_str(), FILE_ATTRIBUTE_READONLY);
    Type(u" second");
    EXPECT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWrittenAsNew);
    EXPECT_NE(MemoPath(), old);
    EXPECT_EQ(ReadBytes(old), "first");
    EXPECT_EQ(ReadBytes(MemoPath()), "first second");
    SetFileAttributesW(ToWide(old).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DocumentTest, AMemoFolderDeletedBehindTheProgramsBackGetsANewMemo)
{
    Type(u"text");
    ASSERT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWrittenAsNew);
    const std::u16string folder = ToU16(view->MemoFolder());
    RemoveTree(folder);
    Type(u" kept");
    EXPECT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWrittenAsNew);
    EXPECT_EQ(ReadBytes(MemoPath()), "text kept");
}

TEST_F(DocumentTest, WhenNothingCanBeWrittenTheTextStaysAndTheUserIsToldOnce)
{
    Type(u"precious");
    // The memo base has gone: neither the memo file nor a new memo can be written.
    RemoveTree(base);
    EXPECT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kFailed);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(L"メモの保存に失敗しました\n", 0), 0u);
    EXPECT_TRUE(Doc().Modified());
    EXPECT_EQ(Doc().AllText(), u"precious");
    // The memo is not given up for another one.
    EXPECT_FALSE(frame->StartNewMemo());
    EXPECT_EQ(Doc().AllText(), u"precious");
    EXPECT_FALSE(app->LoadMemo(L"C:\\nowhere.txt"));
    EXPECT_EQ(Doc().AllText(), u"precious");
    // Once the base is back the next attempt succeeds.
    CreateDirectoryW(ToWide(base).c_str(), nullptr);
    EXPECT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWrittenAsNew);
    EXPECT_FALSE(Doc().Modified());
}

TEST_F(DocumentTest, AFullDiskKeepsTheSavedMemoWholeAndTheNewTextInTheWindow)
{
    Type(u"saved before");
    ASSERT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWrittenAsNew);
    const std::u16string path = MemoPath();
    Type(u", and typed since");
    vel::platform::testing::FailWritesAfter(5);
    EXPECT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kFailed);
    vel::platform::testing::ClearWriteFailures();
    EXPECT_EQ(ReadBytes(path), "saved before");
    EXPECT_EQ(MemoFolders(base).size(), 1u);  // the new memo's empty folder went again
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(Doc().Modified());
    EXPECT_EQ(Doc().AllText(), u"saved before, and typed since");
    EXPECT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWritten);
    EXPECT_EQ(ReadBytes(path), "saved before, and typed since");
}

TEST_F(DocumentTest, AnEmptiedMemoIsWrittenAndOpensAgainEmpty)
{
    Type(u"x");
    ASSERT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWrittenAsNew);
    const std::u16string path = MemoPath();
    apptest::TypeInto(view->EditWindow().Handle(), u"\b");
    EXPECT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWritten);
    EXPECT_EQ(ReadBytes(path), "");
    ASSERT_TRUE(frame->StartNewMemo());
    EXPECT_TRUE(app->LoadMemo(ToWide(path)));
    EXPECT_EQ(Doc().AllText(), u"");
    EXPECT_TRUE(messages.empty());
}

TEST_F(DocumentTest, LeftoverTempFilesGoOnlyWhenNoOtherCopyRuns)
{
    WriteBytes(base + u"DefBackup_0007r.dum", "\r\n");
    // Another running copy: a marked top-level window.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CInstanceMarker::Set(other);
    document->SaveMemo(true);
    EXPECT_TRUE(CFileName::IsReadableFile(base + u"DefBackup_0007r.dum"));
    CInstanceMarker::Remove(other);
    DestroyWindow(other);
    document->SaveMemo(true);
    EXPECT_FALSE(CFileName::IsReadableFile(base + u"DefBackup_0007r.dum"));
}

TEST_F(DocumentTest, SaveMaxRemovesTheOldestMemosButNeverTheNewOne)
{
    const char16_t* names[] = {u"2012年01月02日10時00分00秒(月)_001", u"2012年01月03日10時00分00秒(火)_001",
                               u"2012年01月04日10時00分00秒(水)_001", u"2012年01月05日10時00分00秒(木)_001"};
    for (const char16_t* name : names) {
        const std::u16string folder = base + name + u"\\";
        CreateDirectoryW(ToWide(folder).c_str(), nullptr);
        WriteBytes(folder + name + u".txt", "old");
    }
    CreateDirectoryW(ToWide(base + u"cntlbasepic").c_str(), nullptr);
    app->SetSaveMax(3);
    Type(u"new");
    ASSERT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWrittenAsNew);
    const std::vector<std::u16string> left = MemoFolders(base);
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(base + left[0] + u"\\", ToU16(view->MemoFolder()));
    EXPECT_EQ(left[1], names[3]);
    EXPECT_EQ(left[2], names[2]);
    EXPECT_TRUE(CFileName::IsDirectory(base + u"cntlbasepic"));

    // 0 keeps only the memo just written; -1 keeps everything.
    CVelTextDoc::PruneMemoBase(base, -1, u"");
    EXPECT_EQ(MemoFolders(base).size(), 3u);
    CVelTextDoc::PruneMemoBase(base, 0, ToU16(view->MemoFolder()));
    EXPECT_EQ(MemoFolders(base).size(), 1u);
}

TEST_F(DocumentTest, LoadMemoShowsAMemoOfTheStoreAndNewMemoEmptiesTheView)
{
    const std::u16string folder = base + u"2013年05月06日07時08分09秒(月)_001\\";
    CreateDirectoryW(ToWide(folder).c_str(), nullptr);
    const std::u16string path = folder + u"2013年05月06日07時08分09秒(月)_001.txt";
    WriteBytes(path, "line one\r\nline two");
    ASSERT_TRUE(app->LoadMemo(ToWide(path)));
    EXPECT_EQ(Doc().AllText(), u"line one\r\nline two");
    EXPECT_FALSE(Doc().Modified());
    EXPECT_EQ(ToU16(view->MemoFolder()), folder);
    Type(u"!");
    ASSERT_TRUE(frame->StartNewMemo());  // writes it back first
    EXPECT_EQ(ReadBytes(path), "!line one\r\nline two");
    EXPECT_EQ(Doc().AllText(), u"");
    EXPECT_TRUE(view->MemoFolder().empty());
}

TEST_F(DocumentTest, AMemoShownAfterAnotherKeepsItsPicturesWorkingCopiesInItsOwnFolder)
{
    // Memo A shows a picture that lies beside it.
    const std::u16string folderA = base + u"2013年05月06日07時08分09秒(月)_001\\";
    CreateDirectoryW(ToWide(folderA).c_str(), nullptr);
    const std::u16string pathA = folderA + u"2013年05月06日07時08分09秒(月)_001.txt";
    // A 2 by 2 pixel 24-bit BMP.
    std::string bmp = std::string("BM") + std::string("\x46\0\0\0\0\0\0\0\x36\0\0\0", 12) +
                      std::string("\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x18\0", 16) + std::string(24, '\0');
    bmp += std::string(16, '\x7f');
    WriteBytes(folderA + u"pic.bmp", bmp);
    WriteBytes(pathA, "before\r\n<IMG SRC=\"pic.bmp\">\r\nafter");
    // Memo B was written last, so the window still carries its names when A is read.
    Type(u"b");
    ASSERT_EQ(document->SaveMemo(false), CVelTextDoc::SaveOutcome::kWrittenAsNew);
    const std::u16string folderB = ToU16(view->MemoFolder());
    ASSERT_TRUE(app->LoadMemo(ToWide(pathA)));
    Pump();
    ASSERT_NE(Doc().ChapterByPictureId(1), nullptr);
    EXPECT_TRUE(vel::platform::ListMatching(folderB, u"*.tif").empty());
    EXPECT_EQ(vel::platform::ListMatching(folderA, u"*.tif"),
              std::vector<std::u16string>{u"2013年05月06日07時08分09秒(月)_001_1.tif"});
    EXPECT_EQ(ReadBytes(pathA), "before\r\n<IMG SRC=\"pic.bmp\">\r\nafter");
}

TEST_F(DocumentTest, SaveWritesTheDocumentsPathInTheMemoFormat)
{
    const std::u16string outside = TempFolder(u"vel-document-outside");
    CreateDirectoryW(ToWide(outside).c_str(), nullptr);
    const std::u16string path = outside + u"note.txt";
    WriteBytes(path, "from outside");
    document->SetPathName(ToWide(path));
    Type(u"edited ");
    SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0);
    EXPECT_EQ(ReadBytes(path), "edited ");
    // A file from outside the memo store is saved now, not copied into the store later.
    EXPECT_FALSE(Doc().Modified());
    RemoveTree(outside);
}

void CALLBACK ClickSecondSaveType(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", L"保存タイプ選択");
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE_TYPE_NO_PARAGRAPHS, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_SAVE_TYPE_NO_PARAGRAPHS)));
}

TEST_F(DocumentTest, SaveTypeDialogEndsAtTheFirstClickWithThatChoice)
{
    CSaveTypeDlg dialog(frame->Handle());
    SetTimer(nullptr, 0, 100, &ClickSecondSaveType);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.Choice(), 1);
}

}  // namespace
