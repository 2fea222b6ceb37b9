#pragma once
#include <string>

#include "framework/CFrameWnd.h"
#include "framework/CStatusBar.h"

// The program's only top-level window: the status bar, the view, the caption with the open memo's
// name, always-on-top and opacity, and the instance marker's removal when the window goes.
class CMainFrame : public CFrameWnd {
public:
    static constexpr wchar_t kTitlePrefix[] = L"Ｖｅｌのメモ帳 - ";
    static constexpr BYTE kOpaque = 255;
    static constexpr BYTE kAlpha60 = 153;
    static constexpr BYTE kAlpha30 = 76;

    CMainFrame();
    ~CMainFrame() override;

    // Caption from the memo list's current entry: the file name when it is a .txt file.
    void UpdateTitle();
    // Caption from a file path, shortened to the file name and its folder's start when long.
    void UpdateTitleFromPath(const std::wstring& path);

    // An empty memo after the memo shown is written back; false (nothing changes) when it could
    // not be written.
    bool StartNewMemo();
    // Shows the memo of the list whose folder and file name are those of path.
    bool ShowMemoWithPath(const std::wstring& path);

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
    bool m_topMost = false;
    BYTE m_opacity = kOpaque;
};
