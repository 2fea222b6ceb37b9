#include "calc/CCalcSettings.h"

#include "calc/CExpression.h"

std::optional<std::u16string> CCalcSettings::ResultFor(std::u16string_view lineToCaret) const
{
    if (!calculateOnEquals)
        return std::nullopt;
    CExpression expression;
    if (!expression.Compute(lineToCaret))
        return std::nullopt;
    return expression.FormatResult(radix);
}
