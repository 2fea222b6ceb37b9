#include "framework/CUserMessage.h"

#include "framework/CWinApp.h"

namespace {
std::vector<std::wstring>* g_recorder = nullptr;
}

void CUserMessage::Show(HWND owner, const std::wstring& text)
{
    if (g_recorder != nullptr) {
        g_recorder->push_back(text);
        return;
    }
    const CWinApp* app = CWinApp::Current();
    MessageBoxW(owner, text.c_str(), app != nullptr ? app->AppName().c_str() : L"", MB_OK | MB_ICONEXCLAMATION);
}

void CUserMessage::SetRecorder(std::vector<std::wstring>* recorder)
{
    g_recorder = recorder;
}
