#pragma once
// A small document / view / frame / application set whose command tables record what ran, for
// the routing tests.
#include <string>
#include <vector>

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"

using CallLog = std::vector<std::string>;
CallLog& Calls();

class CTestDocument : public CDocument {
public:
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;
    bool sharedEnabled = true;

private:
    void OnDocument() { Calls().push_back("document"); }
    void OnShared() { Calls().push_back("document-shared"); }
    void OnUpdateShared(CCmdUI& ui) { ui.Enable(sharedEnabled); }
    static const CommandEntry<CTestDocument> kCommandMap[];
};

class CTestView : public CView {
public:
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

private:
    void OnView() { Calls().push_back("view"); }
    static const CommandEntry<CTestView> kCommandMap[];
};

class CTestFrame : public CFrameWnd {
public:
    bool checked = false;

protected:
    bool OnFrameCmdMsg(UINT id, CCmdUI* ui) override;

private:
    void OnFrame() { Calls().push_back("frame"); }
    void OnShared() { Calls().push_back("frame-shared"); }
    void OnChecked() { checked = !checked; }
    void OnUpdateChecked(CCmdUI& ui) { ui.Enable(true); ui.SetCheck(checked); }
    static const CommandEntry<CTestFrame> kCommandMap[];
};

class CTestApp : public CWinApp {
public:
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

private:
    void OnApp() { Calls().push_back("app"); }
    static const CommandEntry<CTestApp> kCommandMap[];
};

// Runs the messages waiting for this thread.
void PumpMessages();
