#pragma once
// A fresh folder for one test, removed with everything in it afterwards. Its path ends with
// "\" like every folder string of the memo store.
#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/FileSystem.h"

class CTempFolder {
public:
    CTempFolder()
    {
        static std::atomic<int> serial{0};
        std::error_code ec;
        const auto base = std::filesystem::temp_directory_path(ec);
        for (int attempt = 0; attempt < 1000; ++attempt) {
            m_native = base / ("vel-memo-" + std::to_string(Pid()) + "-" + std::to_string(serial++));
            if (std::filesystem::create_directory(m_native, ec))
                break;
        }
        m_path = m_native.u16string();
        if (m_path.empty() || m_path.back() != u'\\')
            m_path += u'\\';
    }
    ~CTempFolder()
    {
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(m_native, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
            vel::platform::ChangeAttributes(it->path().u16string(), false, false);
        vel::platform::ChangeAttributes(m_native.u16string(), false, false);
        std::filesystem::remove_all(m_native, ec);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    // The folder with its trailing separator.
    const std::u16string& Path() const { return m_path; }
    std::u16string operator/(const std::u16string& name) const { return m_path + name; }

private:
    static long Pid();

    std::filesystem::path m_native;
    std::u16string m_path;
};

#ifdef _WIN32
#include <process.h>
inline long CTempFolder::Pid() { return _getpid(); }
#else
#include <unistd.h>
inline long CTempFolder::Pid() { return static_cast<long>(getpid()); }
#endif
