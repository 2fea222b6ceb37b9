#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Messages to the user: a message box with an OK button. Tests install a recorder instead, so
// that nothing waits for a click.
class CUserMessage {
public:
    static void Show(HWND owner, const std::wstring& text);
    // While set, messages are appended here instead of being shown.
    static void SetRecorder(std::vector<std::wstring>* recorder);
};
