#include "platform/DocumentsFolder.h"

#include <windows.h>
#include <shlobj.h>

namespace vel::platform {

std::u16string DocumentsFolder()
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return std::u16string(reinterpret_cast<const char16_t*>(path));
}

} // namespace vel::platform
