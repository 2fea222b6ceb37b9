#include "app/CAppSettings.h"

#include <algorithm>
#include <cwchar>

#include "framework/CRegistryProfile.h"

namespace {

// Key names and defaults, each defined once.
constexpr wchar_t kFontColor[] = L"Font Color";
constexpr wchar_t kFontHeight[] = L"FontHeight";
constexpr wchar_t kFontWidth[] = L"FontWidth";
constexpr wchar_t kFontEscapement[] = L"FontEscapement";
constexpr wchar_t kFontOrientation[] = L"FontOrientation";
constexpr wchar_t kFontWeight[] = L"FontWeight";
constexpr wchar_t kFontItalic[] = L"FontItalic";
constexpr wchar_t kFontUnderline[] = L"FontUnderline";
constexpr wchar_t kFontStrikeOut[] = L"FontStrikeOut";
constexpr wchar_t kFontCharSet[] = L"FontCharSet";
constexpr wchar_t kFontOutPrecision[] = L"FontOutPrecision";
constexpr wchar_t kFontClipPrecision[] = L"FontClipPrecision";
constexpr wchar_t kFontQuality[] = L"FontQuality";
constexpr wchar_t kFontPitchAndFamily[] = L"FontPitchAndFamily";
constexpr wchar_t kFontFaceName[] = L"FontFaceName";
constexpr wchar_t kTabColumn[] = L"Tab Column";
constexpr wchar_t kColumnNum[] = L"Column Num";
constexpr wchar_t kLineSpace[] = L"Line Space";
constexpr wchar_t kRuledLine[] = L"Ruled Line";
constexpr wchar_t kPictureSize[] = L"Picture Size";
constexpr wchar_t kSaveExt[] = L"Save Ext";
constexpr wchar_t kFileDlg[] = L"FileDlg";
constexpr wchar_t kSaveQuality[] = L"Save Quality";
constexpr wchar_t kLeftSpace[] = L"Left Space";
constexpr wchar_t kPrintTopSpace[] = L"Print Top Space";
constexpr wchar_t kPrintBtmSpace[] = L"Print Btm Space";
constexpr wchar_t kPath[] = L"Path";
constexpr wchar_t kSaveMax[] = L"Save Max";
constexpr wchar_t kBaseName[] = L"BaseName";
constexpr wchar_t kBaseDir[] = L"BaseDir";
constexpr wchar_t kBaseType[] = L"BaseType";
constexpr wchar_t kCntlPic[] = L"CntlPic";
constexpr wchar_t kViewPic[] = L"ViewPic";
constexpr wchar_t kGrayPic[] = L"GrayPic";
constexpr wchar_t kKinsoku[] = L"Kinsoku";
constexpr wchar_t kSaveOrignal[] = L"SaveOrignal";
constexpr wchar_t kTopKinsoku[] = L"TopKinsoku";
constexpr wchar_t kLastKinsoku[] = L"LastKinsoku";
constexpr wchar_t kTopKigo[] = L"TopKigo";
constexpr wchar_t kViewFontSize[] = L"View Font Size";
constexpr wchar_t kPrintFontSize[] = L"Print Font Size";
constexpr wchar_t kPrintPageNo[] = L"Print PageNo";

constexpr wchar_t kDefaultFaceName[] = L"ＭＳ ゴシック";
constexpr wchar_t kDefaultTopKinsoku[] =
    L"、。,.』≫)>]}’”〉》」】〕〟）＞］｝ー？！ぁぃぅぇぉっゃゅょァィゥェォヵヶッャュョ々ゝ";
constexpr wchar_t kDefaultLastKinsoku[] = L"『≪(<[{‘“〈《「【〔〝（＜［｛";
constexpr wchar_t kDefaultTopKigo[] = L"・※●■◆○□◇①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳";
constexpr wchar_t kFirstBaseName[] = L"メモ帳";

}  // namespace

CAppSettings::CAppSettings(const CRegistryProfile& profile, std::function<std::wstring()> defaultMemoFolder)
    : m_profile(profile), m_defaultMemoFolder(std::move(defaultMemoFolder))
{
}

std::wstring CAppSettings::IndexedKey(const wchar_t* key, int index)
{
    wchar_t digits[16];
    std::swprintf(digits, std::size(digits), L"%02d", index);
    return std::wstring(key) + digits;
}

int CAppSettings::Int(const std::wstring& key, int defaultValue) const
{
    return m_profile.GetInt(kSection, key, defaultValue);
}

void CAppSettings::WriteInt(const std::wstring& key, int value) const
{
    m_profile.WriteInt(kSection, key, value);
}

std::wstring CAppSettings::String(const std::wstring& key, const std::wstring& defaultValue) const
{
    return m_profile.GetString(kSection, key, defaultValue);
}

void CAppSettings::WriteString(const std::wstring& key, const std::wstring& value) const
{
    m_profile.WriteString(kSection, key, value);
}

COLORREF CAppSettings::FontColor(int type) const
{
    return static_cast<COLORREF>(Int(IndexedKey(kFontColor, type), 0));
}

void CAppSettings::SetFontColor(int type, COLORREF color) const
{
    WriteInt(IndexedKey(kFontColor, type), static_cast<int>(color));
}

LOGFONTW CAppSettings::LogicalFont(int type) const
{
    LOGFONTW font{};
    font.lfHeight = Int(IndexedKey(kFontHeight, type), 0);
    font.lfWidth = Int(IndexedKey(kFontWidth, type), 0);
    font.lfEscapement = Int(IndexedKey(kFontEscapement, type), 0);
    font.lfOrientation = Int(IndexedKey(kFontOrientation, type), 0);
    font.lfWeight = Int(IndexedKey(kFontWeight, type), 400);
    font.lfItalic = static_cast<BYTE>(Int(IndexedKey(kFontItalic, type), 0));
    font.lfUnderline = static_cast<BYTE>(Int(IndexedKey(kFontUnderline, type), 0));
    font.lfStrikeOut = static_cast<BYTE>(Int(IndexedKey(kFontStrikeOut, type), 0));
    font.lfCharSet = static_cast<BYTE>(Int(IndexedKey(kFontCharSet, type), 1));
    font.lfOutPrecision = static_cast<BYTE>(Int(IndexedKey(kFontOutPrecision, type), 0));
    font.lfClipPrecision = static_cast<BYTE>(Int(IndexedKey(kFontClipPrecision, type), 0));
    font.lfQuality = static_cast<BYTE>(Int(IndexedKey(kFontQuality, type), 0));
    font.lfPitchAndFamily = static_cast<BYTE>(Int(IndexedKey(kFontPitchAndFamily, type), 1));
    const std::wstring face = String(IndexedKey(kFontFaceName, type), kDefaultFaceName);
    // A logical font holds at most 31 characters of face name.
    const size_t length = std::min<size_t>(face.size(), LF_FACESIZE - 1);
    face.copy(font.lfFaceName, length);
    font.lfFaceName[length] = L'\0';
    return font;
}

void CAppSettings::SetLogicalFont(int type, const LOGFONTW& font) const
{
    WriteInt(IndexedKey(kFontHeight, type), font.lfHeight);
    WriteInt(IndexedKey(kFontWidth, type), font.lfWidth);
    WriteInt(IndexedKey(kFontEscapement, type), font.lfEscapement);
    WriteInt(IndexedKey(kFontOrientation, type), font.lfOrientation);
    WriteInt(IndexedKey(kFontWeight, type), font.lfWeight);
    WriteInt(IndexedKey(kFontItalic, type), font.lfItalic);
    WriteInt(IndexedKey(kFontUnderline, type), font.lfUnderline);
    WriteInt(IndexedKey(kFontStrikeOut, type), font.lfStrikeOut);
    WriteInt(IndexedKey(kFontCharSet, type), font.lfCharSet);
    WriteInt(IndexedKey(kFontOutPrecision, type), font.lfOutPrecision);
    WriteInt(IndexedKey(kFontClipPrecision, type), font.lfClipPrecision);
    WriteInt(IndexedKey(kFontQuality, type), font.lfQuality);
    WriteInt(IndexedKey(kFontPitchAndFamily, type), font.lfPitchAndFamily);
    const wchar_t* end = std::find(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
    WriteString(IndexedKey(kFontFaceName, type), std::wstring(std::begin(font.lfFaceName), end));
}

int CAppSettings::ViewFontSize(int type) const { return Int(IndexedKey(kViewFontSize, type), 12); }
void CAppSettings::SetViewFontSize(int type, int points) const { WriteInt(IndexedKey(kViewFontSize, type), points); }
std::wstring CAppSettings::CntlPic(int type) const { return String(IndexedKey(kCntlPic, type), L""); }
void CAppSettings::SetCntlPic(int type, const std::wstring& file) const { WriteString(IndexedKey(kCntlPic, type), file); }
std::wstring CAppSettings::ViewPic(int type) const { return String(IndexedKey(kViewPic, type), L""); }
void CAppSettings::SetViewPic(int type, const std::wstring& file) const { WriteString(IndexedKey(kViewPic, type), file); }
std::wstring CAppSettings::GrayPic() const { return String(kGrayPic, L""); }
void CAppSettings::SetGrayPic(const std::wstring& file) const { WriteString(kGrayPic, file); }

int CAppSettings::TabColumn() const { return Int(kTabColumn, 2); }
void CAppSettings::SetTabColumn(int columns) const { WriteInt(kTabColumn, columns); }
int CAppSettings::ColumnNum() const { return Int(kColumnNum, 80); }
void CAppSettings::SetColumnNum(int columns) const { WriteInt(kColumnNum, columns); }
int CAppSettings::LineSpace() const { return Int(kLineSpace, 2); }
void CAppSettings::SetLineSpace(int pixels) const { WriteInt(kLineSpace, pixels); }
bool CAppSettings::RuledLine() const { return Int(kRuledLine, 0) != 0; }
void CAppSettings::SetRuledLine(bool on) const { WriteInt(kRuledLine, on ? 1 : 0); }
bool CAppSettings::Kinsoku() const { return Int(kKinsoku, 1) != 0; }
void CAppSettings::SetKinsoku(bool on) const { WriteInt(kKinsoku, on ? 1 : 0); }
std::wstring CAppSettings::TopKinsoku() const { return String(kTopKinsoku, kDefaultTopKinsoku); }
void CAppSettings::SetTopKinsoku(const std::wstring& characters) const { WriteString(kTopKinsoku, characters); }
std::wstring CAppSettings::LastKinsoku() const { return String(kLastKinsoku, kDefaultLastKinsoku); }
void CAppSettings::SetLastKinsoku(const std::wstring& characters) const { WriteString(kLastKinsoku, characters); }
std::wstring CAppSettings::TopKigo() const { return String(kTopKigo, kDefaultTopKigo); }
void CAppSettings::SetTopKigo(const std::wstring& characters) const { WriteString(kTopKigo, characters); }

int CAppSettings::PictureSize() const { return Int(kPictureSize, 500); }
void CAppSettings::SetPictureSize(int size) const { WriteInt(kPictureSize, size); }
int CAppSettings::SaveExt() const { return Int(kSaveExt, 0); }
void CAppSettings::SetSaveExt(int format) const { WriteInt(kSaveExt, format); }
int CAppSettings::SaveQuality() const { return Int(kSaveQuality, 95); }
void CAppSettings::SetSaveQuality(int quality) const { WriteInt(kSaveQuality, quality); }
bool CAppSettings::SaveOrignal() const { return Int(kSaveOrignal, 0) != 0; }
void CAppSettings::SetSaveOrignal(bool on) const { WriteInt(kSaveOrignal, on ? 1 : 0); }
int CAppSettings::SaveMax() const { return Int(kSaveMax, -1); }
void CAppSettings::SetSaveMax(int count) const { WriteInt(kSaveMax, count); }
int CAppSettings::FileDlg() const { return Int(kFileDlg, 0); }
void CAppSettings::SetFileDlg(int style) const { WriteInt(kFileDlg, style); }

std::wstring CAppSettings::Path(const wchar_t* section) const
{
    return m_profile.GetString(section, kPath, L"");
}

void CAppSettings::SetPath(const std::wstring& folder, const wchar_t* section) const
{
    m_profile.WriteString(section, kPath, folder);
}

int CAppSettings::LeftSpace() const { return Int(kLeftSpace, 16); }
void CAppSettings::SetLeftSpace(int characters) const { WriteInt(kLeftSpace, characters); }
int CAppSettings::PrintTopSpace() const { return Int(kPrintTopSpace, 4); }
void CAppSettings::SetPrintTopSpace(int lines) const { WriteInt(kPrintTopSpace, lines); }
int CAppSettings::PrintBtmSpace() const { return Int(kPrintBtmSpace, 4); }
void CAppSettings::SetPrintBtmSpace(int lines) const { WriteInt(kPrintBtmSpace, lines); }
int CAppSettings::PrintFontSize() const { return Int(kPrintFontSize, 10); }
void CAppSettings::SetPrintFontSize(int points) const { WriteInt(kPrintFontSize, points); }
bool CAppSettings::PrintPageNo() const { return Int(kPrintPageNo, 1) != 0; }
void CAppSettings::SetPrintPageNo(bool on) const { WriteInt(kPrintPageNo, on ? 1 : 0); }

CAppSettings::MemoBase CAppSettings::ReadMemoBase(int index) const
{
    MemoBase base;
    base.name = String(IndexedKey(kBaseName, index), L"");
    base.folder = String(IndexedKey(kBaseDir, index), L"");
    base.type = Int(IndexedKey(kBaseType, index), 0);
    // The first base always exists: unnamed, it is the notepad in the default memo folder.
    if (index == 0 && base.name.empty()) {
        base.name = kFirstBaseName;
        base.folder = m_defaultMemoFolder ? m_defaultMemoFolder() : std::wstring();
    }
    return base;
}

void CAppSettings::WriteMemoBase(int index, const MemoBase& base) const
{
    WriteString(IndexedKey(kBaseName, index), base.name);
    WriteString(IndexedKey(kBaseDir, index), base.folder);
    WriteInt(IndexedKey(kBaseType, index), base.type);
}
