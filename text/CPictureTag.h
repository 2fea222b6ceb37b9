#pragma once
// The picture tag of the memo format: reading a picture line and writing its tag.
#include <optional>
#include <string>
#include <string_view>

struct CPictureTag {
    static constexpr int kNotGiven = -1;

    int indent = kNotGiven; // leading TABs; -1 for clipboard text without them
    std::u16string src;     // as written in the tag, folder not yet resolved
    int width = kNotGiven;
    int height = kNotGiven;
    int cposX = kNotGiven;
    int cposY = kNotGiven;
    int csizeX = kNotGiven;
    int csizeY = kNotGiven;

    // Reads a picture line: false (tag untouched) when the line is none.
    static bool Parse(std::u16string_view line, bool fromClipboard, CPictureTag& tag);

    // Non-empty quoted SRC value of a tag's text, if any.
    static std::optional<std::u16string> SrcValue(std::u16string_view tag);
    // Value of a numeric key ("width=" ... in lower case) outside quotes; -1 when absent.
    static int NumericAttribute(std::u16string_view tag, std::u16string_view key);
    // Number of TABs at the very start of the line.
    static int LeadingTabs(std::u16string_view line);
    // Picture indent of a line: clipboard text without leading TABs gives "not given".
    static int IndentRule(std::u16string_view line, bool fromClipboard);
};

// What the memo writer puts into a tag besides the path.
struct CPictureAttributes {
    int width = 0;  // displayed size in pixels
    int height = 0;
    int cposX = 0;  // visible part, in picture pixels
    int cposY = 0;
    int csizeX = 0;
    int csizeY = 0;

    // The tag text: "<IMG SRC="path">", with the six numbers when attributes is given.
    static std::u16string FormatTag(std::u16string_view path, const CPictureAttributes* attributes);
};
