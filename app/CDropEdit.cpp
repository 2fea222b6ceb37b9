#include "app/CDropEdit.h"

#include <string>

void CDropEdit::OnAttached()
{
    DragAcceptFiles(Handle(), TRUE);
}

LRESULT CDropEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DROPFILES) {
        TakeDrop(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return CSubclassedControl::WindowProc(message, wParam, lParam);
}

void CDropEdit::TakeDrop(HDROP drop)
{
    if (drop == nullptr)
        return;
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0 && Handle() != nullptr) {
        // The whole path, however long: a cut-off folder name would name another folder.
        const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
        path.resize(DragQueryFileW(drop, 0, path.data(), length + 1));
        if (!path.empty()) {
            SendMessageW(Handle(), EM_SETSEL, 0, -1);
            SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
            SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
        }
    }
    DragFinish(drop);
}
