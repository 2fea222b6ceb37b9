#pragma once
// The current user's documents folder, without a trailing separator; empty when unknown.
#include <string>

namespace vel::platform {

std::u16string DocumentsFolder();

} // namespace vel::platform
