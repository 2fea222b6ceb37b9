#include "platform/DocumentsFolder.h"

#include <cstdlib>
#include <string>

#include "platform/PosixPath.h"

namespace vel::platform {

std::u16string DocumentsFolder()
{
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return {};
    return FromNativePath(std::string(home) + "/Documents");
}

} // namespace vel::platform
