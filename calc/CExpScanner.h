#pragma once
// Turns a calculation line into tokens: folds case and full-width input-method forms into the
// evaluator's symbols, then cuts the text at the delimiters.
#include "calc/CExpToken.h"

#include <string>
#include <string_view>
#include <vector>

class CExpScanner {
public:
    static std::u16string Normalize(std::u16string_view text);
    // Each delimiter is a token of its own; each maximal run of other characters is one token.
    static std::vector<CExpToken> Tokenize(std::u16string_view normalized);
};
