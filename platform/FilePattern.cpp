#include "platform/FileSystem.h"

namespace vel::platform {

namespace {

char16_t Fold(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0xFF21 && c <= 0xFF3A) // full-width Latin capitals
        return static_cast<char16_t>(c + 0x20);
    return c;
}

// Iterative wildcard match with backtracking to the last "*": linear in practice, never recursive.
bool Match(const std::u16string& name, const std::u16string& pattern)
{
    std::size_t n = 0, p = 0, starP = std::u16string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool MatchesPattern(const std::u16string& name, const std::u16string& pattern)
{
    if (Match(name, pattern))
        return true;
    // "x*.*" also finds "x1": the system treats a final ".*" as optional.
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, u".*") == 0)
        return Match(name, pattern.substr(0, pattern.size() - 2));
    return false;
}

} // namespace vel::platform
