#pragma once
// "表示オプション" (dialog 322): the eleven display types, each with a control-bar background
// picture, a text background picture, a font with its size and a text colour. The type chosen in
// "No" is shown; what the user changes goes into that type's record. Pictures are added to and
// removed from the frame's and the view's background picture lists; OK stores every type and
// Cancel stores nothing and shows the removed pictures again.
#include <windows.h>
#include <commdlg.h>

#include <array>
#include <memory>
#include <string>
#include <type_traits>

#include "app/CAppSettings.h"
#include "app/CColorStatic.h"
#include "app/CDropEdit.h"
#include "framework/CDialog.h"
#include "picture/CBackPicData.h"
#include "picture/CPicSelCombo.h"

class CBackPictureList;

class CViewOptionDlg : public CDialog {
public:
    static constexpr int kTypes = 11;
    static constexpr wchar_t kNotAPicture[] = L"登録できる画像ファイルではありません";
    // The font dialog: screen fonts of fixed pitch, without the effects.
    static constexpr DWORD kFontDialogFlags = CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_INITTOLOGFONTSTRUCT;
    static constexpr int kMinimumSize = 1;
    static constexpr int kMaximumSize = 200;

    // Either list may be null (that kind of picture is then not offered).
    CViewOptionDlg(const CAppSettings& settings, CBackPictureList* controlBarPictures, CBackPictureList* textPictures,
                   HWND parent = nullptr);
    ~CViewOptionDlg() override;

    // The type shown when the dialog opens.
    void SetInitialType(int type);
    int ShownType() const { return m_shown; }
    const CBackPicData& Record(int type) const { return *m_records[static_cast<std::size_t>(type)]; }

    // A logical font's height for a size in points at the screen's resolution, and back from a
    // created font's character height without its internal leading.
    static int HeightForPoints(int points, int pixelsPerInch);
    static int PointsForCharacterHeight(int characterHeight, int pixelsPerInch);

    // Hooks of the system dialogs, for tests: they get the dialog's record structure and answer
    // what the dialog would (true for OK).
    using FontChooser = bool (*)(CHOOSEFONTW& choice);
    using ColourChooser = bool (*)(CHOOSECOLORW& choice);
    void SetChoosers(FontChooser font, ColourChooser colour);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;
    bool OnControlNotify(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The two kinds of background in the dialog.
    struct PictureKind {
        PictureKind(CBackPictureList* pictures, int combo, int file, std::wstring CBackPicData::*picture)
            : list(pictures), comboId(combo), fileId(file), setting(picture)
        {
        }
        CBackPictureList* list;
        int comboId;
        int fileId;
        std::wstring CBackPicData::*setting;
        CPicSelCombo combo;
        CDropEdit fileField;
    };

    CBackPicData& Shown() { return *m_records[static_cast<std::size_t>(m_shown)]; }
    // The shown type's values in the controls.
    void ShowType();
    void ShowPicture(PictureKind& kind);
    void ShowFont();
    // Reads the size field into the shown type; false (with the range message) when it is wrong.
    bool TakeSize();

    void OnTypeChanged();
    void OnPictureChosen(PictureKind& kind);
    void OnAddPicture(PictureKind& kind);
    void OnRemovePicture(PictureKind& kind);
    void OnChangeFont();
    void OnChangeColour();

    int PixelsPerInch() const;
    void Message(const std::wstring& text) const;

    const CAppSettings& m_settings;
    std::array<std::unique_ptr<CBackPicData>, kTypes> m_records;
    PictureKind m_controlBar;
    PictureKind m_text;
    CColorStatic m_colour;
    // The face name is shown in its own face.
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> m_sampleFont;
    int m_shown = 0;
    FontChooser m_chooseFont;
    ColourChooser m_chooseColour;
};
