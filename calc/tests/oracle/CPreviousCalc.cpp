// Frozen: the line reading and evaluation as they stood before "×", "÷", "," and "円" were known.
#include "calc/tests/oracle/CPreviousCalc.h"

#include "calc/CExpMath.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace CPreviousCalc {
namespace {

constexpr char16_t kSqrt = u'\u221A';
constexpr char16_t kPi = u'\u03C0';
constexpr char16_t kSin = u'\uFF33';
constexpr char16_t kCos = u'\uFF23';
constexpr char16_t kTan = u'\uFF34';
constexpr std::u16string_view kDelimiters = u" :;()+-*/=^\u221A\uFF33\uFF23\uFF34";
constexpr std::u16string_view kOperators = u"()+-*/^=\u221A%\uFF33\uFF23\uFF34";
constexpr int kMaxDepth = 1000;

struct Replacement {
    std::u16string_view from;
    std::u16string_view to;
};

constexpr Replacement kTable[] = {
    {u"\t", u" "},      {u"\u3000", u" "},  {u"\uFF1A", u":"},  {u"\uFF1B", u";"}, {u"\uFF08", u"("},
    {u"\uFF09", u")"},  {u"\uFF0B", u"+"},  {u"\uFF0D", u"-"},  {u"\uFF0A", u"*"}, {u"\uFF0F", u"/"},
    {u"\uFF3E", u"^"},  {u"\uFF1D", u"="},  {u"\uFF10", u"0"},  {u"\uFF11", u"1"}, {u"\uFF12", u"2"},
    {u"\uFF13", u"3"},  {u"\uFF14", u"4"},  {u"\uFF15", u"5"},  {u"\uFF16", u"6"}, {u"\uFF17", u"7"},
    {u"\uFF18", u"8"},  {u"\uFF19", u"9"},  {u"sqrt", u"\u221A"}, {u"pi", u"\u03C0"}, {u"\uFF05", u"%"},
    {u"\uFF33", u"S"},  {u"sin", u"\uFF33"}, {u"\uFF23", u"C"}, {u"cos", u"\uFF23"}, {u"\uFF34", u"T"},
    {u"tan", u"\uFF34"},
};

std::u16string Normalize(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        else if (c >= u'\uFF41' && c <= u'\uFF5A')
            c = static_cast<char16_t>(c - u'\uFF41' + u'a');
    }
    for (const Replacement& r : kTable) {
        std::u16string replaced;
        size_t done = 0;
        for (size_t pos = out.find(r.from); pos != std::u16string::npos; pos = out.find(r.from, done)) {
            replaced.append(out, done, pos - done);
            replaced.append(r.to);
            done = pos + r.from.size();
        }
        replaced.append(out, done, std::u16string::npos);
        out.swap(replaced);
    }
    return out;
}

enum Kind { Invalid, Operator, Blank, Number };

struct Token {
    std::u16string text;
    Kind kind = Invalid;
    double value = 0.0;

    bool Is(char16_t op) const { return kind == Operator && text.size() == 1 && text[0] == op; }
};

int DigitValue(char16_t c, int radix)
{
    int d = -1;
    if (c >= u'0' && c <= u'9')
        d = c - u'0';
    else if (c >= u'a' && c <= u'f')
        d = c - u'a' + 10;
    return d < radix ? d : -1;
}

bool ReadDigits(std::u16string_view digits, int radix, int maxDigits, double& value)
{
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
        if (d < 0)
            return false;
        m = m * radix + d;
        if (point)
            s *= radix;
        if (++count == maxDigits && i + 1 < digits.size()) {
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

bool ReadNumber(std::u16string_view text, double& value, bool percentAllowed)
{
    if (text.empty())
        return false;
    if (text.size() == 1 && text[0] == kPi) {
        value = 3.141592653589793;
        return true;
    }
    if (text.back() == u'%') {
        if (!percentAllowed || text.size() < 2)
            return false;
        double base = 0.0;
        if (!ReadNumber(text.substr(0, text.size() - 1), base, false))
            return false;
        value = base / 100.0;
        return true;
    }
    if (text.size() >= 2 && text[0] == u'h')
        return ReadDigits(text.substr(1), 16, 12, value);
    if (text.size() >= 2 && text[0] == u'b')
        return ReadDigits(text.substr(1), 2, 45, value);
    return ReadDigits(text, 10, 15, value);
}

bool IsWhite(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

Token MakeToken(std::u16string_view source)
{
    size_t first = 0;
    size_t last = source.size();
    while (first < last && IsWhite(source[first]))
        ++first;
    while (last > first && IsWhite(source[last - 1]))
        --last;
    Token token;
    token.text.assign(source.substr(first, last - first));
    double number = 0.0;
    if (token.text.empty())
        token.kind = Blank;
    else if (token.text.size() == 1 && kOperators.find(token.text[0]) != std::u16string_view::npos)
        token.kind = Operator;
    else if (ReadNumber(token.text, number, true)) {
        token.kind = Number;
        token.value = number;
    }
    return token;
}

std::vector<Token> Tokenize(std::u16string_view normalized)
{
    std::vector<Token> tokens;
    size_t start = 0;
    for (size_t i = 0; i < normalized.size(); ++i) {
        if (kDelimiters.find(normalized[i]) == std::u16string_view::npos)
            continue;
        if (i > start)
            tokens.push_back(MakeToken(normalized.substr(start, i - start)));
        tokens.push_back(MakeToken(normalized.substr(i, 1)));
        start = i + 1;
    }
    if (start < normalized.size())
        tokens.push_back(MakeToken(normalized.substr(start)));
    return tokens;
}

std::ptrdiff_t FindClosingToken(const std::vector<Token>& tokens)
{
    int equalsSeen = 0;
    bool numberFollows = false;
    for (auto i = static_cast<std::ptrdiff_t>(tokens.size()) - 1; i >= 0; --i) {
        const Token& token = tokens[static_cast<size_t>(i)];
        switch (token.kind) {
        case Blank:
            break;
        case Operator:
            numberFollows = false;
            if (token.Is(u'=') && ++equalsSeen == 2)
                return i;
            break;
        case Number:
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
    Symbol opener;
    double value;
};

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

class Evaluator {
public:
    explicit Evaluator(const std::vector<Token>& tokens) : m_tokens(tokens) {}

    bool Group(size_t& pos, int depth, double& result) const
    {
        if (depth >= kMaxDepth)
            return false;
        std::vector<Operand> operands;
        Symbol previous = Symbol::Start;
        Symbol opener = Symbol::Start;
        while (pos < m_tokens.size()) {
            const Token& token = m_tokens[pos];
            const char16_t op = token.kind == Operator ? token.text[0] : u'\0';
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
                if (previous != Symbol::Value && !(sign && previous == Symbol::Start))
                    return false;
                opener = op == u'*' ? Symbol::Multiply : op == u'/' ? Symbol::Divide : op == u'+' ? Symbol::Plus : Symbol::Minus;
                previous = opener;
                ++pos;
                break;
            }
            case u')':
                if (previous != Symbol::Value)
                    return false;
                ++pos;
                result = SumOfTerms(operands);
                return true;
            default: {
                if (previous == Symbol::Value)
                    return false;
                double value = 0.0;
                if (!Operand1(pos, depth, value))
                    return false;
                if (previous == Symbol::Power)
                    operands.back().value = CExpMath::Power(operands.back().value, value);
                else
                    operands.push_back({opener, value});
                previous = Symbol::Value;
                break;
            }
            }
        }
        return false;
    }

private:
    bool Operand1(size_t& pos, int depth, double& result) const
    {
        if (depth >= kMaxDepth || pos >= m_tokens.size())
            return false;
        const Token& token = m_tokens[pos++];
        if (token.kind == Number) {
            result = token.value;
            return true;
        }
        if (token.kind != Operator)
            return false;
        if (token.text[0] == u'(')
            return Group(pos, depth + 1, result);
        double argument = 0.0;
        switch (token.text[0]) {
        case kSqrt:
            if (!Operand1(pos, depth + 1, argument) || argument < 0.0)
                return false;
            result = CExpMath::SquareRoot(argument);
            return true;
        case kSin:
            if (!Operand1(pos, depth + 1, argument))
                return false;
            result = CExpMath::SinDegrees(argument);
            return true;
        case kCos:
            if (!Operand1(pos, depth + 1, argument))
                return false;
            result = CExpMath::CosDegrees(argument);
            return true;
        case kTan:
            if (!Operand1(pos, depth + 1, argument))
                return false;
            result = CExpMath::TanDegrees(argument);
            return true;
        default:
            return false;
        }
    }

    const std::vector<Token>& m_tokens;
};

} // namespace

std::optional<double> Compute(std::u16string_view text)
{
    std::vector<Token> tokens = Tokenize(Normalize(text));
    const std::ptrdiff_t closing = FindClosingToken(tokens);

    std::vector<Token> list;
    list.push_back(MakeToken(u"("));
    bool closed = false;
    for (size_t i = static_cast<size_t>(closing + 1); i < tokens.size() && !closed; ++i) {
        if (tokens[i].kind == Blank)
            continue;
        if (tokens[i].Is(u'=')) {
            list.push_back(MakeToken(u")"));
            closed = true;
        }
        list.push_back(std::move(tokens[i]));
    }
    if (!closed)
        return std::nullopt;
    size_t pos = 1;
    double result = 0.0;
    if (!Evaluator(list).Group(pos, 1, result))
        return std::nullopt;
    return result;
}

} // namespace CPreviousCalc
