// The settings accessors of the application against the registry of the test prefix.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/CFileName.h"
#include "app/CVelTextApp.h"
#include "app/WideText.h"

namespace {

constexpr wchar_t kSectionKey[] = L"Software\\Norvaly\\VelText\\VelText Section";

bool ValueExists(const std::wstring& name)
{
    return RegGetValueW(HKEY_CURRENT_USER, kSectionKey, name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

class AppSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSectionKey);
        app.SetRegistryKey(CVelTextApp::kRegistryKey);
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kSectionKey); }
    CVelTextApp app;
};

TEST_F(AppSettingsTest, EmptyRegistryGivesTheDefaults)
{
    for (int type = 0; type <= 10; ++type) {
        EXPECT_EQ(app.FontColor(type), 0u);
        const LOGFONTW font = app.LogicalFont(type);
        EXPECT_EQ(font.lfHeight, 0);
        EXPECT_EQ(font.lfWidth, 0);
        EXPECT_EQ(font.lfEscapement, 0);
        EXPECT_EQ(font.lfOrientation, 0);
        EXPECT_EQ(font.lfWeight, 400);
        EXPECT_EQ(font.lfItalic, 0);
        EXPECT_EQ(font.lfUnderline, 0);
        EXPECT_EQ(font.lfStrikeOut, 0);
        EXPECT_EQ(font.lfCharSet, 1);
        EXPECT_EQ(font.lfOutPrecision, 0);
        EXPECT_EQ(font.lfClipPrecision, 0);
        EXPECT_EQ(font.lfQuality, 0);
        EXPECT_EQ(font.lfPitchAndFamily, 1);
        EXPECT_STREQ(font.lfFaceName, L"ＭＳ ゴシック");
        EXPECT_EQ(app.ViewFontSize(type), 12);
        EXPECT_EQ(app.CntlPic(type), L"");
        EXPECT_EQ(app.ViewPic(type), L"");
    }
    EXPECT_EQ(app.TabColumn(), 2);
    EXPECT_EQ(app.ColumnNum(), 80);
    EXPECT_EQ(app.LineSpace(), 2);
    EXPECT_FALSE(app.RuledLine());
    EXPECT_EQ(app.PictureSize(), 500);
    EXPECT_EQ(app.SaveExt(), 0);
    EXPECT_EQ(app.FileDlg(), 0);
    EXPECT_EQ(app.SaveQuality(), 95);
    EXPECT_EQ(app.LeftSpace(), 16);
    EXPECT_EQ(app.PrintTopSpace(), 4);
    EXPECT_EQ(app.PrintBtmSpace(), 4);
    EXPECT_EQ(app.Path(), L"");
    EXPECT_EQ(app.SaveMax(), -1);
    EXPECT_EQ(app.GrayPic(), L"");
    EXPECT_TRUE(app.Kinsoku());
    EXPECT_FALSE(app.SaveOrignal());
    EXPECT_EQ(app.TopKinsoku(),
              L"、。,.』≫)>]}’”〉》」】〕〟）＞］｝ー？！ぁぃぅぇぉっゃゅょァィゥェォヵヶッャュョ々ゝ");
    EXPECT_EQ(app.LastKinsoku(), L"『≪(<[{‘“〈《「【〔〝（＜［｛");
    EXPECT_EQ(app.TopKigo(), L"・※●■◆○□◇①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳");
    EXPECT_EQ(app.PrintFontSize(), 10);
    EXPECT_TRUE(app.PrintPageNo());

    // Base 00 is the notepad in the default memo folder; the others are empty.
    const CAppSettings::MemoBase first = app.ReadMemoBase(0);
    EXPECT_EQ(first.name, L"メモ帳");
    EXPECT_EQ(first.folder, ToWide(CFileName::DefaultMemoBase()));
    EXPECT_TRUE(first.folder.ends_with(L"\\Norvaly\\VelText\\")) << first.folder.c_str();
    EXPECT_EQ(first.type, 0);
    for (int index = 1; index <= 10; ++index) {
        const CAppSettings::MemoBase base = app.ReadMemoBase(index);
        EXPECT_EQ(base.name, L"");
        EXPECT_EQ(base.folder, L"");
        EXPECT_EQ(base.type, 0);
    }
    // Reading never writes.
    EXPECT_FALSE(ValueExists(L"Save Max"));
}

TEST_F(AppSettingsTest, IndexedKeysAppendTwoDigits)
{
    app.SetViewFontSize(7, 20);
    app.WriteMemoBase(12, {L"十二", L"C:\\memo12\\", 3});
    app.SetFontColor(3, RGB(1, 2, 3));
    EXPECT_TRUE(ValueExists(L"View Font Size07"));
    EXPECT_TRUE(ValueExists(L"BaseType12"));
    EXPECT_TRUE(ValueExists(L"BaseName12"));
    EXPECT_TRUE(ValueExists(L"BaseDir12"));
    EXPECT_TRUE(ValueExists(L"Font Color03"));
    EXPECT_EQ(app.ViewFontSize(7), 20);
    EXPECT_EQ(app.ViewFontSize(8), 12);
    const CAppSettings::MemoBase base = app.ReadMemoBase(12);
    EXPECT_EQ(base.name, L"十二");
    EXPECT_EQ(base.folder, L"C:\\memo12\\");
    EXPECT_EQ(base.type, 3);
}

TEST_F(AppSettingsTest, WritesAreStoredAtOnceWithTheirTypes)
{
    LOGFONTW font = app.LogicalFont(2);
    font.lfHeight = -16;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfCharSet = SHIFTJIS_CHARSET;
    wcscpy_s(font.lfFaceName, L"ＭＳ 明朝");
    app.SetLogicalFont(2, font);
    const LOGFONTW back = app.LogicalFont(2);
    EXPECT_EQ(back.lfHeight, -16);
    EXPECT_EQ(back.lfWeight, 700);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(back.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_STREQ(back.lfFaceName, L"ＭＳ 明朝");
    EXPECT_EQ(app.LogicalFont(3).lfWeight, 400);  // other slots untouched

    app.SetSaveMax(30);
    app.SetKinsoku(false);
    app.SetPath(L"C:\\last\\");
    app.SetPath(L"C:\\saved\\", CAppSettings::kSaveAsSection);
    EXPECT_EQ(app.SaveMax(), 30);
    EXPECT_FALSE(app.Kinsoku());
    EXPECT_EQ(app.Path(), L"C:\\last\\");
    EXPECT_EQ(app.Path(CAppSettings::kSaveAsSection), L"C:\\saved\\");

    // A named base 00 is read as stored.
    app.WriteMemoBase(0, {L"仕事", L"D:\\work\\", 2});
    EXPECT_EQ(app.ReadMemoBase(0).name, L"仕事");
    EXPECT_EQ(app.ReadMemoBase(0).folder, L"D:\\work\\");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Norvaly\\VelText\\名前を付けて保存する");
}

TEST_F(AppSettingsTest, BooleansAreAnyNonZeroValueAndLongFaceNamesAreCut)
{
    app.Profile().WriteInt(CAppSettings::kSection, L"Ruled Line", 5);
    EXPECT_TRUE(app.RuledLine());
    app.Profile().WriteString(CAppSettings::kSection, L"FontFaceName01", std::wstring(40, L'あ'));
    EXPECT_EQ(std::wstring(app.LogicalFont(1).lfFaceName), std::wstring(31, L'あ'));
}

// Two runs of this program, one writing and one reading, show that settings outlive the process.
// The end-to-end script sets VEL_SETTINGS_PHASE.
TEST(AppSettingsPersistTest, WritePhase)
{
    const char* phase = std::getenv("VEL_SETTINGS_PHASE");
    if (phase == nullptr || std::string(phase) != "write") {
        GTEST_SKIP() << "run by the persistence script";
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kSectionKey);
    CVelTextApp app;
    app.SetRegistryKey(CVelTextApp::kRegistryKey);
    app.SetColumnNum(120);
    app.SetTopKigo(L"★☆");
    app.WriteMemoBase(4, {L"日記", L"C:\\diary\\", 5});
}

TEST(AppSettingsPersistTest, ReadPhase)
{
    const char* phase = std::getenv("VEL_SETTINGS_PHASE");
    if (phase == nullptr || std::string(phase) != "read") {
        GTEST_SKIP() << "run by the persistence script";
    }
    CVelTextApp app;
    app.SetRegistryKey(CVelTextApp::kRegistryKey);
    EXPECT_EQ(app.ColumnNum(), 120);
    EXPECT_EQ(app.TopKigo(), L"★☆");
    EXPECT_EQ(app.ReadMemoBase(4).name, L"日記");
    EXPECT_EQ(app.ReadMemoBase(4).type, 5);
    EXPECT_EQ(app.TabColumn(), 2);
    RegDeleteTreeW(HKEY_CURRENT_USER, kSectionKey);
}

}  // namespace
