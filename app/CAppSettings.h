#pragma once
#include <windows.h>

#include <functional>
#include <string>

class CRegistryProfile;

// The persistent settings of VelText, one read and one write accessor per setting, in the section
// "VelText Section" of the application's registry key. Nothing is cached: every read goes to the
// registry, every write is stored at once. Indexed settings append the index as two digits
// ("Font Color" + 3 -> "Font Color03").
class CAppSettings {
public:
    struct MemoBase {
        std::wstring name;
        std::wstring folder;
        int type = 0;
    };

    static constexpr wchar_t kSection[] = L"VelText Section";
    static constexpr wchar_t kSaveAsSection[] = L"名前を付けて保存する";

    // `defaultMemoFolder` gives the folder of memo base 00 while that base has no name.
    CAppSettings(const CRegistryProfile& profile, std::function<std::wstring()> defaultMemoFolder);
    virtual ~CAppSettings() = default;

    static std::wstring IndexedKey(const wchar_t* key, int index);

    // Display types
    COLORREF FontColor(int type) const;
    void SetFontColor(int type, COLORREF color) const;
    LOGFONTW LogicalFont(int type) const;
    void SetLogicalFont(int type, const LOGFONTW& font) const;
    int ViewFontSize(int type) const;
    void SetViewFontSize(int type, int points) const;
    std::wstring CntlPic(int type) const;
    void SetCntlPic(int type, const std::wstring& file) const;
    std::wstring ViewPic(int type) const;
    void SetViewPic(int type, const std::wstring& file) const;
    std::wstring GrayPic() const;
    void SetGrayPic(const std::wstring& file) const;

    // Text layout
    int TabColumn() const;
    void SetTabColumn(int columns) const;
    int ColumnNum() const;
    void SetColumnNum(int columns) const;
    int LineSpace() const;
    void SetLineSpace(int pixels) const;
    bool RuledLine() const;
    void SetRuledLine(bool on) const;
    bool Kinsoku() const;
    void SetKinsoku(bool on) const;
    std::wstring TopKinsoku() const;
    void SetTopKinsoku(const std::wstring& characters) const;
    std::wstring LastKinsoku() const;
    void SetLastKinsoku(const std::wstring& characters) const;
    std::wstring TopKigo() const;
    void SetTopKigo(const std::wstring& characters) const;

    // Pictures and saving
    int PictureSize() const;
    void SetPictureSize(int size) const;
    int SaveExt() const;
    void SetSaveExt(int format) const;
    int SaveQuality() const;
    void SetSaveQuality(int quality) const;
    bool SaveOrignal() const;
    void SetSaveOrignal(bool on) const;
    int SaveMax() const;
    void SetSaveMax(int count) const;
    int FileDlg() const;
    void SetFileDlg(int style) const;
    // The folder last used by a file dialog; the save-as dialog keeps its own in kSaveAsSection.
    std::wstring Path(const wchar_t* section = kSection) const;
    void SetPath(const std::wstring& folder, const wchar_t* section = kSection) const;

    // Printing
    int LeftSpace() const;
    void SetLeftSpace(int characters) const;
    int PrintTopSpace() const;
    void SetPrintTopSpace(int lines) const;
    int PrintBtmSpace() const;
    void SetPrintBtmSpace(int lines) const;
    int PrintFontSize() const;
    void SetPrintFontSize(int points) const;
    bool PrintPageNo() const;
    void SetPrintPageNo(bool on) const;

    // Memo bases
    MemoBase ReadMemoBase(int index) const;
    void WriteMemoBase(int index, const MemoBase& base) const;

private:
    int Int(const std::wstring& key, int defaultValue) const;
    void WriteInt(const std::wstring& key, int value) const;
    std::wstring String(const std::wstring& key, const std::wstring& defaultValue) const;
    void WriteString(const std::wstring& key, const std::wstring& value) const;

    const CRegistryProfile& m_profile;
    std::function<std::wstring()> m_defaultMemoFolder;
};
