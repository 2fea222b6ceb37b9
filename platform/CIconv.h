#pragma once
// An iconv conversion descriptor (native build only), closed on destruction.
#include <cstddef>
#include <iconv.h>

namespace vel::platform {

class CIconv {
public:
    CIconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CIconv()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    void Reset() { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }
    // Converts as much as possible; returns false with errno set when it stopped early.
    bool Run(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft)
    {
        return iconv(m_cd, const_cast<char**>(&in), &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    }

private:
    iconv_t m_cd;
};

} // namespace vel::platform
