#include "calc/CExpression.h"

#include "calc/CExpMath.h"
#include "calc/CExpScanner.h"
#include "calc/CExpSymbols.h"
#include "calc/CNumberFormat.h"

#include <cstddef>
#include <vector>

namespace {

bool IsEquals(const CExpToken& token)
{
    return token.IsOperator(CExpSymbols::kEquals);
}

// Index of the token that closes the expression off from what stands before it, or -1. Walking
// back from the end: an invalid token, the second "=" or the earlier of two numbers with only
// blanks between them closes it.
std::ptrdiff_t FindClosingToken(const std::vector<CExpToken>& tokens)
{
    int equalsSeen = 0;
    bool numberFollows = false;
    for (auto i = static_cast<std::ptrdiff_t>(tokens.size()) - 1; i >= 0; --i) {
        const CExpToken& token = tokens[static_cast<size_t>(i)];
        switch (token.kind) {
        case CExpToken::Blank:
            break;
        case CExpToken::Operator:
            numberFollows = false;
            if (IsEquals(token) && ++equalsSeen == 2)
                return i;
            break;
        case CExpToken::Number:
            if (numberFollows)
                return i;
            numberFollows = true;
            break;
        default:
            return i;
        }
    }
    return -1;
}

enum class Symbol { Start, Value, Plus, Minus, Multiply, Divide, Power };

struct Operand {
    Symbol opener; // the operator in front of it, or Start
    double value;
};

// Products and quotients bind first, then the terms are added from first to last.
double SumOfTerms(const std::vector<Operand>& operands)
{
    double sum = 0.0;
    double term = 0.0;
    for (const Operand& op : operands) {
        switch (op.opener) {
        case Symbol::Multiply:
            term *= op.value;
            break;
        case Symbol::Divide:
            term /= op.value;
            break;
        default:
            sum += term;
            term = op.opener == Symbol::Minus ? -op.value : op.value;
            break;
        }
    }
    return sum + term;
}

} // namespace

bool CExpression::Compute(std::u16string_view text)
{
    std::vector<CExpToken> tokens = CExpScanner::Tokenize(CExpScanner::Normalize(text));
    const std::ptrdiff_t closing = FindClosingToken(tokens);

    // The kept tokens up to the first "=", then the ")" that closes the outermost group.
    std::vector<size_t> kept;
    std::u16string key;
    bool closed = false;
    for (size_t i = static_cast<size_t>(closing + 1); i < tokens.size(); ++i) {
        const CExpToken& token = tokens[i];
        if (token.kind == CExpToken::Blank)
            continue;
        if (IsEquals(token)) {
            key += u") ";
            closed = true;
        }
        kept.push_back(i);
        key += token.text;
        key += u' ';
        if (closed)
            break;
    }
    if (key == m_cacheKey)
        return m_valid;

    m_cacheKey = std::move(key);
    m_valid = false;
    m_tokens.clear();
    m_tokens.reserve(kept.size() + 2);
    m_tokens.emplace_back(u"(");
    for (const size_t i : kept) {
        if (IsEquals(tokens[i]))
            m_tokens.emplace_back(u")");
        m_tokens.push_back(std::move(tokens[i]));
    }
    if (!closed)
        return false;

    double result = 0.0;
    if (!Evaluate(result))
        return false;
    m_value = result;
    m_valid = true;
    return true;
}

std::optional<std::u16string> CExpression::FormatResult(int radix) const
{
    if (!m_valid)
        return std::nullopt;
    return CNumberFormat::Format(m_value, radix);
}

bool CExpression::Evaluate(double& result) const
{
    size_t pos = 1; // past the added "("
    return EvaluateGroup(pos, 1, result);
}

// pos: the first token after the group's "("; on success, the token after its ")".
bool CExpression::EvaluateGroup(size_t& pos, int depth, double& result) const
{
    if (depth >= kMaxDepth)
        return false;
    std::vector<Operand> operands;
    Symbol previous = Symbol::Start;
    Symbol opener = Symbol::Start;

    // Powers are applied as soon as their exponent is known, so they go left to right and bind
    // more tightly than every other operator.
    auto take = [&](double value) {
        if (previous == Symbol::Power)
            operands.back().value = CExpMath::Power(operands.back().value, value);
        else
            operands.push_back({opener, value});
        previous = Symbol::Value;
    };

    while (pos < m_tokens.size()) {
        const CExpToken& token = m_tokens[pos];
        const char16_t op = token.kind == CExpToken::Operator ? token.text[0] : u'\0';
        switch (op) {
        case u'^':
            if (previous != Symbol::Value)
                return false;
            previous = Symbol::Power;
            ++pos;
            break;
        case u'*':
        case u'/':
        case u'+':
        case u'-': {
            const bool sign = op == u'+' || op == u'-';
            // A sign may open a group; "2*-3" and "2^-1" fail.
            if (previous != Symbol::Value && !(sign && previous == Symbol::Start))
                return false;
            opener = op == u'*' ? Symbol::Multiply : op == u'/' ? Symbol::Divide : op == u'+' ? Symbol::Plus : Symbol::Minus;
            previous = opener;
            ++pos;
            break;
        }
        case u')':
            // An empty group, or an operator left without its operand, is not an expression.
            if (previous != Symbol::Value)
                return false;
            ++pos;
            result = SumOfTerms(operands);
            return true;
        default: {
            // No implied multiplication: a value never directly follows a value.
            if (previous == Symbol::Value)
                return false;
            double value = 0.0;
            if (!EvaluateOperand(pos, depth, value))
                return false;
            take(value);
            break;
        }
        }
    }
    return false;
}

// One operand, possibly behind functions; each function argument lies one level deeper.
bool CExpression::EvaluateOperand(size_t& pos, int depth, double& result) const
{
    if (depth >= kMaxDepth || pos >= m_tokens.size())
        return false;
    const CExpToken* token = &m_tokens[pos++];
    if (token->kind == CExpToken::Number) {
        result = token->value;
        return true;
    }
    if (token->kind != CExpToken::Operator)
        return false;
    if (token->text[0] == u'(')
        return EvaluateGroup(pos, depth + 1, result);

    double argument = 0.0;
    switch (token->text[0]) {
    case CExpSymbols::kSqrt:
        if (!EvaluateOperand(pos, depth + 1, argument) || argument < 0.0)
            return false;
        result = CExpMath::SquareRoot(argument);
        return true;
    case CExpSymbols::kSin:
        if (!EvaluateOperand(pos, depth + 1, argument))
            return false;
        result = CExpMath::SinDegrees(argument);
        return true;
    case CExpSymbols::kCos:
        if (!EvaluateOperand(pos, depth + 1, argument))
            return false;
        result = CExpMath::CosDegrees(argument);
        return true;
    case CExpSymbols::kTan:
        if (!EvaluateOperand(pos, depth + 1, argument))
            return false;
        result = CExpMath::TanDegrees(argument);
        return true;
    default:
        return false;
    }
}
