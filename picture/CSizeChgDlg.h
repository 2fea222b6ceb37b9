#pragma once
// The picture size dialog (313, "画像サイズ変更"): width "幅" and height "高さ", and "縦横比率固定"
// keeping the picture's ratio while either is typed. No width may pass the largest allowed one.
#include "framework/CDialog.h"
#include "picture/CPicSizeRule.h"

class CSizeChgDlg : public CDialog {
public:
    explicit CSizeChgDlg(HWND parent);

    // The size to show, the picture's own size (its ratio) and the largest width allowed.
    void SetPicture(int width, int height, int pictureWidth, int pictureHeight, int maxWidth);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool KeepRatio() const { return m_keepRatio; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnControlNotify(UINT id, UINT code, HWND control) override;

private:
    static constexpr int kMaxHeight = 32767;

    bool ReadField(int id, int& value) const;
    void ShowField(int id, int value);
    void WidthTyped();
    void HeightTyped();

    int m_width = 100;
    int m_height = 100;
    bool m_keepRatio = true;
    CPicSizeRule m_rule;
    bool m_showing = false;  // fields being set by the dialog itself
};
