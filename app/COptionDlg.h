#pragma once
// "オプション" (dialog 314): the text layout, line-breaking, file-dialog, picture, automatic
// saving and printing settings. The fields are read from the settings when the dialog opens and
// stored when OK finds every field within its range; a field out of range shows the framework's
// message, takes the focus and keeps the dialog open. "初期値に戻す" puts the defaults in the
// fields without storing them.
#include <string>

#include "app/CAppSettings.h"
#include "framework/CDialog.h"

class COptionDlg : public CDialog {
public:
    static constexpr int kNoLimit = -1;
    // The maximum shown while there is no limit.
    static constexpr int kShownMaximum = 1000;

    struct Fields {
        int columns = 80;
        int lineSpace = 2;
        bool ruledLine = false;
        int tabColumn = 2;
        bool kinsoku = true;
        std::wstring topKinsoku;
        std::wstring lastKinsoku;
        std::wstring topKigo;
        int fileDialog = 0;
        int pictureSize = 500;
        int saveExt = 0;  // 0 JPEG, 1 BMP, 2 PNG, 3 TIF
        int quality = 95;
        bool saveOriginal = false;
        bool limit = false;
        int saveMax = kShownMaximum;
        int printFontSize = 10;
        int leftSpace = 16;
        int topSpace = 4;
        int bottomSpace = 4;
        bool pageNumbers = true;
    };

    COptionDlg(const CAppSettings& settings, HWND parent = nullptr);

    // The settings' defaults.
    static Fields Defaults();
    static Fields Read(const CAppSettings& settings);
    static void Store(const CAppSettings& settings, const Fields& fields);

    const Fields& Values() const { return m_fields; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

private:
    // Shows the maximum with its caption and spin only with a limit, the quality only for JPEG.
    void ShowDependentFields();
    void Show(int id, bool shown) const;
    void OnFormatChosen(int format);
    void OnLimitToggled();
    void OnReset();

    const CAppSettings& m_settings;
    Fields m_fields;
};
