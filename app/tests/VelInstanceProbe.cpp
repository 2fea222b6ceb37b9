// Looks at the running copies of VelText from outside, for the end-to-end tests:
//   VelInstanceProbe count     number of top-level windows carrying the instance marker
//   VelInstanceProbe styles    one line per marked window: "layered=0|1 topmost=0|1 <caption>"
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/CInstanceMarker.h"

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"count";
    int count = 0;
    CInstanceMarker::ForEachOther(nullptr, [&](HWND window) {
        ++count;
        if (mode == L"styles") {
            const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
            wchar_t caption[256] = {};
            GetWindowTextW(window, caption, 256);
            char utf8[1024] = {};
            WideCharToMultiByte(CP_UTF8, 0, caption, -1, utf8, sizeof utf8, nullptr, nullptr);
            std::printf("layered=%d topmost=%d %s\n", (style & WS_EX_LAYERED) ? 1 : 0,
                        (style & WS_EX_TOPMOST) ? 1 : 0, utf8);
        }
        return true;
    });
    if (mode == L"count") {
        std::printf("%d\n", count);
    }
    return 0;
}
