#pragma once
// One character record of a display line; painting draws runs of equal selection marks together.
#include <cstdint>

class CCharInfo {
public:
    CCharInfo() = default;
    virtual ~CCharInfo() = default;

    bool Selected() const { return m_selected != 0; }
    std::uint8_t Mark() const { return m_selected; }
    void SetMark(std::uint8_t mark) { m_selected = mark; }

private:
    std::uint8_t m_selected = 0;
};
