#pragma once
// Files and folders for the memo store. Paths are UTF-16 with "\" as the separator; the native
// build turns "\" into "/" and writes the names as UTF-8. Read-only and system are Windows
// attributes: natively read-only is a file without write permission and nothing is a system file.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vel::platform {

struct FileAttributes {
    bool exists = false;
    bool directory = false;
    bool readOnly = false;
    bool system = false;
};

FileAttributes ReadAttributes(const std::u16string& path);
// Sets or clears the read-only and system attributes; false when the platform cannot.
bool ChangeAttributes(const std::u16string& path, bool readOnly, bool system);

// When the file's content was last written, in the wall clock of std::chrono::system_clock;
// false when the file cannot be found. SetLastWriteTime is for tests that need old files.
bool LastWriteTime(const std::u16string& path, std::chrono::system_clock::time_point& time);
bool SetLastWriteTime(const std::u16string& path, std::chrono::system_clock::time_point time);

bool MakeDirectory(const std::u16string& path);
bool RemoveFolder(const std::u16string& path);
bool RemoveFile(const std::u16string& path);

// Names (not paths) of the entries of folder matching a pattern with "*" and "?", compared
// without regard to case; a pattern ending in ".*" also matches names without an extension.
// "." and ".." are included when the pattern matches them, as the system's search does.
std::vector<std::u16string> ListMatching(const std::u16string& folder, const std::u16string& pattern);
bool MatchesPattern(const std::u16string& name, const std::u16string& pattern);

bool CanOpenForReading(const std::u16string& path);
// The whole content of a file; false when it cannot be opened, read, or held in memory.
bool ReadWholeFile(const std::u16string& path, std::vector<std::uint8_t>& bytes);

// A file created for writing that must not exist yet; closed (and left on disk) on destruction.
// Writes honour the limit that tests set with testing::FailWritesAfter (FileSystemFaults.h).
class COutputFile {
public:
    virtual ~COutputFile() = default;
    virtual bool Write(const void* data, std::size_t size) = 0;
    // Flushes the content to the disk and closes; false when anything failed on the way.
    virtual bool Commit() = 0;
};
std::unique_ptr<COutputFile> CreateNewFile(const std::u16string& path);

// Puts from in the place of to in one step, replacing what was there. Fails, leaving both as
// they were, when to is read-only (Windows refuses that; the native build does the same).
bool ReplaceWith(const std::u16string& from, const std::u16string& to);

std::u16string WorkingDirectory();
bool SetWorkingDirectory(const std::u16string& path);

} // namespace vel::platform
