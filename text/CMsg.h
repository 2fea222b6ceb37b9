#pragma once
// One request to a worker or one reply from it: a code, two parameters, and optionally a
// rectangle (four values) and a text (a path or a message). The record owns both buffers.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CMsg {
public:
    using Rect = std::array<std::int32_t, 4>;  // left, top, right, bottom, or x, y, width, height

    explicit CMsg(std::int32_t code = 0, std::int32_t first = 0, std::int32_t second = 0)
        : m_code(code), m_first(first), m_second(second)
    {
    }
    virtual ~CMsg() = default;
    CMsg(const CMsg&) = delete;
    CMsg& operator=(const CMsg&) = delete;

    std::int32_t Code() const { return m_code; }
    std::int32_t First() const { return m_first; }
    std::int32_t Second() const { return m_second; }
    void SetCode(std::int32_t code) { m_code = code; }
    void SetFirst(std::int32_t value) { m_first = value; }
    void SetSecond(std::int32_t value) { m_second = value; }

    // Four values, or three and the fourth 0.
    void SetRect(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d = 0)
    {
        m_rect = std::make_unique<Rect>(Rect{a, b, c, d});
    }
    bool HasRect() const { return m_rect != nullptr; }
    // All zero when no rectangle is set.
    Rect GetRect() const { return m_rect ? *m_rect : Rect{0, 0, 0, 0}; }

    void SetText(std::u16string_view text) { m_text = std::make_unique<std::u16string>(text); }
    bool HasText() const { return m_text != nullptr; }
    // Empty when no text is set.
    const std::u16string& Text() const;

    static std::unique_ptr<CMsg> Make(std::int32_t code, std::int32_t first = 0, std::int32_t second = 0)
    {
        return std::make_unique<CMsg>(code, first, second);
    }

private:
    std::int32_t m_code;
    std::int32_t m_first;
    std::int32_t m_second;
    std::unique_ptr<Rect> m_rect;
    std::unique_ptr<std::u16string> m_text;
};
