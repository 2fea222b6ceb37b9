#include "calc/CExpToken.h"

#include "calc/CExpSymbols.h"
#include "calc/CNumberFormat.h"
#include "calc/CNumberReader.h"

namespace {

bool IsWhite(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

} // namespace

CExpToken::CExpToken(std::u16string_view source)
{
    size_t first = 0;
    size_t last = source.size();
    while (first < last && IsWhite(source[first]))
        ++first;
    while (last > first && IsWhite(source[last - 1]))
        --last;
    text.assign(source.substr(first, last - first));
    Classify();
}

CExpToken::CExpToken(double number)
    : text(CNumberFormat::Format(number, 10)), kind(Number), value(number)
{
}

void CExpToken::Classify()
{
    value = 0.0;
    if (text.empty()) {
        kind = Blank;
        return;
    }
    if (text.size() == 1 && CExpSymbols::IsOperator(text[0])) {
        kind = Operator;
        return;
    }
    double number = 0.0;
    if (CNumberReader::Read(text, number)) {
        kind = Number;
        value = number;
    } else {
        kind = Invalid;
    }
}
