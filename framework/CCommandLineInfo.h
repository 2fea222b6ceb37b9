#pragma once
#include <string>

// What the command line asks for: a new document, or the file named by the first argument that is
// not a switch. An empty argument ("") counts as none.
struct CCommandLineInfo {
    enum class Action { FileNew, FileOpen };

    Action action = Action::FileNew;
    std::wstring fileName;

    static CCommandLineInfo Parse(const wchar_t* commandLine);
};
