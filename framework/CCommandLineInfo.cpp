#include "framework/CCommandLineInfo.h"

#include <windows.h>
#include <shellapi.h>

CCommandLineInfo CCommandLineInfo::Parse(const wchar_t* commandLine)
{
    CCommandLineInfo info;
    if (commandLine == nullptr || *commandLine == L'\0') {
        return info;
    }
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(commandLine, &count);
    if (args == nullptr) {
        return info;
    }
    for (int i = 1; i < count; ++i) {
        const std::wstring arg = args[i];
        if (arg.empty() || arg[0] == L'/' || arg[0] == L'-') {
            continue;
        }
        info.action = Action::FileOpen;
        info.fileName = arg;
        break;
    }
    LocalFree(args);
    return info;
}
