#pragma once
// Walks a text line by line. CR LF, a lone LF and a lone CR each end one line; the text's end
// ends the last line without a line end.
#include <cstddef>
#include <string_view>

class CLineSplitter {
public:
    explicit CLineSplitter(std::u16string_view text) : m_text(text) {}

    // The next line without its line end, and whether a line end was consumed. False when
    // nothing is left: an empty text has no line, a text ending in a line end no empty tail.
    bool Next(std::u16string_view& line, bool& lineEnd);
    std::size_t Position() const { return m_pos; }

private:
    std::u16string_view m_text;
    std::size_t m_pos = 0;
};
