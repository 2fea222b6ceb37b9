#pragma once
// Writing and reading raw file bytes in tests, through the same seam as the code under test.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

inline bool PutBytes(const std::u16string& path, const std::string& bytes)
{
    vel::platform::RemoveFile(path);
    auto file = vel::platform::CreateNewFile(path);
    return file && file->Write(bytes.data(), bytes.size()) && file->Commit();
}

inline std::string GetBytes(const std::u16string& path)
{
    std::vector<std::uint8_t> bytes;
    if (!vel::platform::ReadWholeFile(path, bytes))
        return "<unreadable>";
    return std::string(bytes.begin(), bytes.end());
}
