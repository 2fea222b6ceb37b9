#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/CCmdTarget.h"
#include "framework/CMessageMap.h"
#include "framework/CRegistryProfile.h"

class CFrameWnd;
class CSingleDocTemplate;
struct CCommandLineInfo;

// The application object: instance start-up, the message loop, the document template, the
// registry profile and the last stop of command routing. One per process.
class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Current();

    virtual bool InitInstance();
    virtual int ExitInstance();
    // The message loop; returns the exit code of the quit message.
    int Run();
    // Offers a message to the main window's accelerator table before it is dispatched.
    virtual bool PreTranslateMessage(MSG& msg);
    // Idle-time work between messages: the command states of the main frame's bars.
    virtual bool OnIdle(long count);

    // The title from string resource 57344; also the application's registry name.
    const std::wstring& AppName() const { return m_appName; }
    void SetRegistryKey(const std::wstring& company);
    const CRegistryProfile& Profile() const { return m_profile; }

    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
    CSingleDocTemplate* DocTemplate() const { return m_docTemplate.get(); }
    bool ProcessShellCommand(const CCommandLineInfo& info);

    CFrameWnd* MainWnd() const { return m_mainWnd; }
    void SetMainWnd(CFrameWnd* frame) { m_mainWnd = frame; }
    // The frame tells the application when the main window is gone: the document closes and the
    // message loop ends.
    virtual void OnMainWindowDestroyed();

    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

protected:
    void OnAppExit();

private:
    static const CommandEntry<CWinApp> kCommandMap[];

    std::wstring m_appName;
    CRegistryProfile m_profile;
    std::unique_ptr<CSingleDocTemplate> m_docTemplate;
    CFrameWnd* m_mainWnd = nullptr;
};
