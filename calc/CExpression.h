#pragma once
// Evaluates the arithmetic expression that ends at the last "=" of a line of memo text. Made on
// the stack for each typed "=", used once or a few times and discarded; never throws, and every
// problem simply makes Compute return false.
#include "calc/CExpToken.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CExpression {
public:
    // A group or function argument entered at this depth fails; the whole line is depth 1.
    static constexpr int kMaxDepth = 1000;

    CExpression() = default;
    CExpression(const CExpression&) = delete;
    CExpression& operator=(const CExpression&) = delete;

    // text: the caret line from its start to the caret. When its token string equals that of the
    // previous call, the previous outcome is returned without evaluating again.
    bool Compute(std::u16string_view text);
    // The last result written in radix 2, 10 or 16; none without a successful result.
    std::optional<std::u16string> FormatResult(int radix) const;

    double Value() const { return m_value; }
    bool IsValid() const { return m_valid; }
    const std::u16string& CacheKey() const { return m_cacheKey; }
    const std::vector<CExpToken>& Tokens() const { return m_tokens; }

private:
    bool Evaluate(double& result) const;
    bool EvaluateGroup(size_t& pos, int depth, double& result) const;
    bool EvaluateOperand(size_t& pos, int depth, double& result) const;

    std::u16string m_cacheKey;
    // A plain vector rather than the locked indexed list: one thread uses an evaluator, and the
    // indexed list's per-insert index upkeep would make very long lines cost quadratic time.
    std::vector<CExpToken> m_tokens;
    double m_value = 0.0;
    bool m_valid = false;
};
