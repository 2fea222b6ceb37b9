// Feeds arbitrary lines to the evaluator and the formatter. Odd-sized inputs are read through a
// small alphabet of the characters expressions are made of, so that the fuzzer reaches deep
// nesting and long operator chains quickly; even-sized inputs are raw UTF-16. One first-byte
// value in eight instead feeds raw doubles to the functions and the formatter. Lines without the
// memo-amount characters ("×", "÷", ",", "，", "円") must give what the previous evaluator gave.
#include "calc/CExpMath.h"
#include "calc/CExpression.h"
#include "calc/CNumberFormat.h"
#include "calc/tests/oracle/CPreviousCalc.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr char16_t kAlphabet[] =
    u"0123456789.()+-*/^=% :;\tbhfxpisqrtncoS\u221A\u03C0\uFF33\uFF1D\uFF10\uFF41\u3000"
    u"\u00D7\u00F7,,,\uFF0C\u5186\u5186\uFF11";
constexpr std::u16string_view kAmountCharacters = u"\u00D7\u00F7,\uFF0C\u5186";

std::u16string LineFrom(const uint8_t* data, size_t size, int& radix)
{
    std::u16string line;
    const int radixes[] = {10, 16, 2};
    radix = size ? radixes[data[0] % 3] : 10;
    if (size % 2 == 1) {
        constexpr size_t count = sizeof(kAlphabet) / sizeof(kAlphabet[0]) - 1;
        for (size_t i = 1; i < size; ++i)
            line.push_back(kAlphabet[data[i] % count]);
    } else {
        for (size_t i = 0; i + 1 < size; i += 2)
            line.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    return line;
}

void CheckFunctions(const uint8_t* data, size_t size)
{
    double x = 0.0;
    double y = 0.0;
    std::memcpy(&x, data, std::min<size_t>(size, sizeof x));
    if (size > sizeof x)
        std::memcpy(&y, data + sizeof x, std::min<size_t>(size - sizeof x, sizeof y));
    const double results[] = {CExpMath::SquareRoot(std::fabs(x)), CExpMath::Power(x, y), CExpMath::SinDegrees(x),
                              CExpMath::CosDegrees(x), CExpMath::TanDegrees(x), x, y};
    for (const double r : results) {
        for (const int radix : {2, 10, 16}) {
            if (CNumberFormat::Format(r, radix).empty())
                std::abort();
        }
    }
    const double root = results[0];
    if (std::isnormal(x) && std::fabs(root - std::fabs(x) / root) > 1e-15 * root)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 && (data[0] / 3) % 8 == 7) {
        CheckFunctions(data + 1, size - 1);
        return 0;
    }
    int radix = 10;
    const std::u16string line = LineFrom(data, size, radix);

    CExpression expression;
    const bool ok = expression.Compute(line);
    const auto text = expression.FormatResult(radix);
    if (ok != text.has_value() || (text && text->empty()))
        std::abort();

    // The cached answer and a fresh evaluator must agree with the first one.
    if (expression.Compute(line) != ok)
        std::abort();
    CExpression fresh;
    if (fresh.Compute(line) != ok || fresh.FormatResult(radix) != text)
        std::abort();

    if (line.find_first_of(kAmountCharacters) == std::u16string::npos) {
        const std::optional<double> before = CPreviousCalc::Compute(line);
        const double now = expression.Value();
        if (before.has_value() != ok)
            std::abort();
        if (ok && std::memcmp(&*before, &now, sizeof now) != 0 && !(std::isnan(*before) && std::isnan(now)))
            std::abort();
    }
    return 0;
}
