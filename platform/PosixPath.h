#pragma once
// Path conversion shared by the POSIX implementations of the seam: UTF-16 with "\" separators
// to UTF-8 with "/" and back.
#include <string>

namespace vel::platform {

std::string ToNativePath(const std::u16string& path);
std::u16string FromNativePath(const std::string& path);

} // namespace vel::platform
