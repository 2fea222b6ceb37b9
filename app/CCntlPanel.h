#pragma once
// The control bar docked above the view (dialog 318): the drop-down of the usable memo bases,
// "前", "後" and "新" for the memo commands, and the search and replace fields with "↑", "↓" and
// "置換". Its buttons are the frame's commands and follow the frame's enable rules like the menu;
// the frame passes its search, replace and memo-base commands back here (OnFrameCommand).
#include <string>

#include "app/CAppSettings.h"
#include "doc/CViewPanel.h"
#include "framework/CDialogBar.h"

class CCntlBackgroundPainter;
class CCntlPanelHost;
class CFrameWnd;
class CSortDirName;

class CCntlPanel : public CDialogBar, public CViewPanel {
public:
    static constexpr wchar_t kNoSuchBase[] = L"選択した項目が存在しません\n選択できません";
    static constexpr wchar_t kBaseReadOnly[] = L"選択した項目のディレクトリが読み出し専用にされました\n選択できません。";
    static constexpr wchar_t kBaseDeleted[] = L"選択した項目はディレクトリが削除されました\n選択できません";
    static constexpr int kBases = 11;

    CCntlPanel(const CAppSettings& settings, CSortDirName& list, CCntlPanelHost& host);
    ~CCntlPanel() override;

    // Makes the bar at the top of frame (bar id 318) and fills the base drop-down.
    bool Create(CFrameWnd& frame);

    // The drop-down afresh from the usable bases; the current base stays selected.
    void FillBases();
    // Renumbers the stored bases so that the usable ones come first without gaps, lists them and
    // makes current the base that holds path.
    void SyncBases(const std::wstring& path);
    // "メモ選択": the memo selection settings; on OK the bases are stored and listed again.
    void EditMemoBases();
    // Makes base index (0 when out of range) current and has it listed; returns the index.
    int SelectBase(int index);

    std::wstring SearchText();
    std::wstring ReplacementText();

    // Cut, copy and paste for the search and replace fields; false when neither has the focus.
    bool Cut();
    bool Copy();
    bool Paste();

    // The frame's commands that belong to the bar: 32855 (memo selection settings), 32880 (open
    // the base drop-down), 32875, 32876, 32877 (search backward, forward, replace). Runs the
    // command (ui null) or sets its state; false for any other id.
    bool OnFrameCommand(UINT id, CCmdUI* ui, bool pictureEditing);
    void OnSearchBackward();
    void OnSearchForward();
    void OnReplace();
    void OpenBaseList();

    // CViewPanel
    HWND FocusedTextBox() const override;
    int CurrentMemoBase() const override { return m_currentBase; }
    void SelectMemoBase(int index) override { SelectBase(index); }
    // The folder of the current base with its separator (the frame re-lists it for WM_USER+108).
    std::wstring CurrentBaseFolder() const;

    // The tiled background of the bar; null leaves the plain face.
    void SetBackgroundPainter(CCntlBackgroundPainter* painter) { m_painter = painter; }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnControlNotify(UINT id, UINT code, HWND control) override;

private:
    HWND BaseList() const;
    void AddBaseItem(const std::wstring& name, int index);
    // Selects the drop-down item of base index; false when the drop-down does not list it.
    bool SelectItemOfBase(int index);
    std::wstring SelectedItemText() const;
    void OnBaseSelected();
    void SwitchToBase(int index, const std::wstring& folder);
    // Stores the usable rows from index 0 on, then the others, and clears what is left.
    void StoreBases(const std::vector<CAppSettings::MemoBase>& usable,
                    const std::vector<CAppSettings::MemoBase>& unusable);
    bool SendToFocusedBox(UINT message);
    void Repaint();

    const CAppSettings& m_settings;
    CSortDirName& m_list;
    CCntlPanelHost& m_host;
    CCntlBackgroundPainter* m_painter = nullptr;
    std::wstring m_search;
    std::wstring m_replacement;
    int m_currentBase = 0;
};
