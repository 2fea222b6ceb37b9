#pragma once
#include <windows.h>

class CCmdUI;

// Anything that can take part in command routing: windows, documents, the application.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // ui == nullptr: run command `id`; otherwise fill in its state (enable, check) through `ui`.
    // Returns false when neither this target nor the targets it passes on to know the command.
    virtual bool OnCmdMsg(UINT id, CCmdUI* ui)
    {
        (void)id;
        (void)ui;
        return false;
    }
};
