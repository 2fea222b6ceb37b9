#pragma once
// An edit field that takes a file or folder dropped on it from the shell: the first dropped path
// replaces the text as one undoable edit.
#include <windows.h>
#include <shellapi.h>

#include "app/CSubclassedControl.h"

class CDropEdit : public CSubclassedControl {
public:
    // Puts the first path of drop into the field (nothing for an empty drop) and releases the drop.
    void TakeDrop(HDROP drop);

protected:
    void OnAttached() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
