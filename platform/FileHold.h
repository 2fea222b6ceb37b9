#pragma once
// A file held open for as long as its owner runs: others may read it but not open it for writing,
// so another running copy of the program can tell a file of a live copy from one a copy left
// behind when it died (the system lets go of a dead process's files).
#include <memory>
#include <string>

namespace vel::platform {

class CHeldFile {
public:
    virtual ~CHeldFile() = default;
};

// Holds path (made when missing); none when it cannot be opened or another process holds it.
std::unique_ptr<CHeldFile> HoldFile(const std::u16string& path);
// True while some process holds the file; false when it is free or missing.
bool IsFileHeld(const std::u16string& path);

} // namespace vel::platform
