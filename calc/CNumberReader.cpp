#include "calc/CNumberReader.h"

#include "calc/CExpSymbols.h"

#include <cstdint>

namespace {

int DigitValue(char16_t c, int radix)
{
    int d = -1;
    if (c >= u'0' && c <= u'9')
        d = c - u'0';
    else if (c >= u'a' && c <= u'f')
        d = c - u'a' + 10;
    return d < radix ? d : -1;
}

} // namespace

bool CNumberReader::Read(std::u16string_view text, double& value)
{
    // An amount: only a plain decimal, without percent or radix prefix, takes "円" ("1500円").
    if (text.size() >= 2 && text.back() == CExpSymbols::kYen)
        return ReadDigits(text.substr(0, text.size() - 1), 10, kMaxDecimalDigits, value);
    return Read(text, value, true);
}

bool CNumberReader::Read(std::u16string_view text, double& value, bool percentAllowed)
{
    if (text.empty())
        return false;
    if (text.size() == 1 && text[0] == CExpSymbols::kPi) {
        value = CExpSymbols::kPiValue;
        return true;
    }
    if (text.back() == CExpSymbols::kPercent) {
        // One level only: "50%%" is not a number.
        if (!percentAllowed || text.size() < 2)
            return false;
        double base = 0.0;
        if (!Read(text.substr(0, text.size() - 1), base, false))
            return false;
        value = base / 100.0;
        return true;
    }
    if (text.size() >= 2 && text[0] == u'h')
        return ReadDigits(text.substr(1), 16, kMaxHexDigits, value);
    if (text.size() >= 2 && text[0] == u'b')
        return ReadDigits(text.substr(1), 2, kMaxBinaryDigits, value);
    return ReadDigits(text, 10, kMaxDecimalDigits, value);
}

bool CNumberReader::ReadDigits(std::u16string_view digits, int radix, int maxDigits, double& value)
{
    // The digit limits keep m and s well inside 64 bits (10^15, 16^12, 2^45).
    std::int64_t m = 0;
    std::int64_t s = 1;
    int count = 0;
    bool point = false;
    for (size_t i = 0; i < digits.size(); ++i) {
        const char16_t c = digits[i];
        if (c == u'.') {
            if (point)
                return false;
            point = true;
            continue;
        }
        const int d = DigitValue(c, radix);
        if (d < 0) {
            // Separators count as no digit towards the limit.
            if (radix == 10 && !point && IsGroupSeparator(digits, i))
                continue;
            return false;
        }
        m = m * radix + d;
        if (point)
            s *= radix;
        if (++count == maxDigits && i + 1 < digits.size()) {
            // Limit reached with text left: surplus fraction digits are dropped, anything else
            // (or surplus integer digits) means this is not a number of this form.
            if (!point)
                return false;
            for (size_t j = i + 1; j < digits.size(); ++j) {
                if (DigitValue(digits[j], radix) < 0)
                    return false;
            }
            break;
        }
    }
    value = static_cast<double>(m) / static_cast<double>(s);
    return true;
}

bool CNumberReader::IsGroupSeparator(std::u16string_view digits, size_t i)
{
    auto isDigit = [&](size_t at) { return digits[at] >= u'0' && digits[at] <= u'9'; };
    if (digits[i] != CExpSymbols::kGroupSeparator || i == 0 || !isDigit(i - 1) || i + 3 >= digits.size())
        return false;
    if (!isDigit(i + 1) || !isDigit(i + 2) || !isDigit(i + 3))
        return false;
    const size_t after = i + 4;
    return after == digits.size() || digits[after] == CExpSymbols::kGroupSeparator || digits[after] == u'.';
}
