#pragma once
#include <memory>
#include <string>

#include "app/CCntlBackgroundPainter.h"
#include "app/CCntlPanelHost.h"
#include "app/CDirListClient.h"
#include "framework/CFrameWnd.h"
#include "framework/CStatusBar.h"

class CBackPictureList;
class CCntlPanel;
class CVelTextView;

// The program's only top-level window: the control bar, the status bar and the view, the caption
// with the open memo's name, the memo list of the current memo base with its listing worker and
// the moves between memos, always-on-top and opacity, and the instance marker's removal when the
// window goes.
class CMainFrame : public CFrameWnd, private CCntlPanelHost, private CCntlBackgroundPainter {
public:
    static constexpr wchar_t kTitlePrefix[] = L"Ｖｅｌのメモ帳 - ";
    static constexpr BYTE kOpaque = 255;
    static constexpr BYTE kAlpha60 = 153;
    static constexpr BYTE kAlpha30 = 76;

    CMainFrame();
    ~CMainFrame() override;

    // Caption from the memo list's current entry: the file name when it is a .txt file.
    void UpdateTitle() override;
    // Caption from a file path, shortened to the file name and its folder's start when long.
    void UpdateTitleFromPath(const std::wstring& path);

    // An empty memo after the memo shown is written back; false (nothing changes) when it could
    // not be written.
    bool StartNewMemo();
    // Shows the memo of the list whose folder and file name are those of path.
    bool ShowMemoWithPath(const std::wstring& path);
    // Asks the listing worker for the memo folders of a memo base; until it answers the moves
    // between memos are off.
    void ListMemoBase(const std::wstring& folder) override;
    // "前のメモ" (older, +1) and "後ろのメモ" (newer, -1).
    bool StepMemo(int direction);
    CCntlPanel* ControlBar() const { return m_panel.get(); }
    // The control-bar background pictures ("basecntl"), for the view options.
    CBackPictureList* ControlBarPictures() const { return m_cntlPictures.get(); }

    static std::wstring TitleFromPath(const std::wstring& path);
    static std::wstring TitleFromEntry(const std::wstring& folderAndFile);

    BYTE Opacity() const { return m_opacity; }
    bool TopMost() const { return m_topMost; }
    CStatusBar& StatusBar() { return m_statusBar; }

protected:
    void PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnFrameCmdMsg(UINT id, CCmdUI* ui) override;

private:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnListingReplies(WPARAM wParam, LPARAM lParam);
    LRESULT OnRefreshMemoList(WPARAM wParam, LPARAM lParam);

    CVelTextView* TextView() const;
    // A document and its view exist, and the edit window neither waits nor edits a picture, and
    // nothing is being printed.
    bool DocumentReady() const;
    bool PictureEditing() const;
    // Writes the memo shown back; a memo written anew joins the memo list as the current one.
    bool SaveShownMemo();

    // The memo commands.
    void OnPreviousMemo() { StepMemo(+1); }
    void OnNextMemo() { StepMemo(-1); }
    void OnNewMemo() { StartNewMemo(); }
    void OnImeOff();
    void OnUpdatePreviousMemo(CCmdUI& ui);
    void OnUpdateNextMemo(CCmdUI& ui);
    void OnUpdateNewMemo(CCmdUI& ui);
    void OnUpdateImeOff(CCmdUI& ui);

    // CCntlPanelHost
    void SaveMemo(bool cleanUp) override;
    void NewMemo() override;
    void ApplyDisplayType() override;
    bool SearchBackward(const std::u16string& text) override;
    bool SearchForward(const std::u16string& text) override;
    bool Replace(const std::u16string& search, const std::u16string& replacement) override;

    // The control bar's background: the frame's picture list, the bar's paint hook.
    void SetUpControlBarPictures();
    void ConnectControlBarPictures(bool connect);
    bool PaintTiled(HDC dc, const RECT& client, int displayType) override;

    void ApplyOpacity();
    void SetOpacity(BYTE alpha);
    void OnTopMost();
    void OnUpdateTopMost(CCmdUI& ui);
    void OnOpaque() { SetOpacity(kOpaque); }
    void OnAlpha60() { SetOpacity(kAlpha60); }
    void OnAlpha30() { SetOpacity(kAlpha30); }
    void OnUpdateOpaque(CCmdUI& ui);
    void OnUpdateAlpha60(CCmdUI& ui);
    void OnUpdateAlpha30(CCmdUI& ui);

    static const MessageEntry<CMainFrame> kMessageMap[];
    static const CommandEntry<CMainFrame> kCommandMap[];

    CStatusBar m_statusBar;
    CDirListClient m_dirList;
    std::unique_ptr<CBackPictureList> m_cntlPictures;
    std::unique_ptr<CCntlPanel> m_panel;
    bool m_topMost = false;
    BYTE m_opacity = kOpaque;
};
