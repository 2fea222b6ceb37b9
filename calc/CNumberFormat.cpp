#include "calc/CNumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr char16_t kDigits[] = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr double kMaxExactInteger = 9007199254740991.0; // 2^53 - 1
constexpr double kBiasLimit = 2147483648.0;             // 2^31
constexpr double kBiasUnit = 5e-15;

int CheckedRadix(int radix)
{
    return (radix == 2 || radix == 16) ? radix : 10;
}

// Half a unit of the last written digit, so that truncating the digits rounds the last one.
double RoundingBias(double magnitude, int radix)
{
    int k = 0;
    if (magnitude < kBiasLimit) {
        for (auto n = static_cast<std::int64_t>(magnitude); n > 0; n /= radix)
            ++k;
    }
    double scale = 1.0;
    for (int i = 0; i < k; ++i)
        scale *= radix;
    return kBiasUnit * scale;
}

} // namespace

int CNumberFormat::MaxDigits(int radix)
{
    switch (CheckedRadix(radix)) {
    case 2:
        return 44;
    case 16:
        return 11;
    default:
        return 14;
    }
}

const char16_t* CNumberFormat::Prefix(int radix)
{
    switch (CheckedRadix(radix)) {
    case 2:
        return u"B";
    case 16:
        return u"H";
    default:
        return u"";
    }
}

std::u16string CNumberFormat::Format(double value, int radix)
{
    if (std::isnan(value))
        return u"(NaN)";
    if (std::isinf(value))
        return value > 0 ? u"(+\u221E)" : u"(-\u221E)";

    radix = CheckedRadix(radix);
    const double magnitude = std::fabs(value);
    double x = magnitude + RoundingBias(magnitude, radix);

    // Beyond 2^53 - 1 the integer digits are no longer exact: drop low digits and put zeros back.
    int dropped = 0;
    while (x > kMaxExactInteger) {
        x /= radix;
        ++dropped;
    }

    const auto n = static_cast<std::int64_t>(x);
    std::u16string integer;
    for (std::int64_t rest = n; rest > 0; rest /= radix)
        integer.push_back(kDigits[rest % radix]);
    if (integer.empty())
        integer.push_back(u'0');
    std::reverse(integer.begin(), integer.end());
    int written = static_cast<int>(integer.size());

    std::u16string out = Prefix(radix);
    if (value < 0)
        out.push_back(u'-');
    out += integer;

    if (dropped > 0) {
        out.append(static_cast<size_t>(dropped), u'0');
        return out;
    }

    double f = x - static_cast<double>(n);
    if (f == 0.0)
        return out;
    out.push_back(u'.');
    const int maxDigits = MaxDigits(radix);
    while (written < maxDigits && f != 0.0) {
        f *= radix;
        const int digit = static_cast<int>(f);
        out.push_back(kDigits[digit]);
        f -= digit;
        ++written;
    }
    while (out.back() == u'0')
        out.pop_back();
    if (out.back() == u'.')
        out.pop_back();
    return out;
}
