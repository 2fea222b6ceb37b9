#pragma once
// The calculator as it read and evaluated a line before it knew "×", "÷", thousands separators
// and "円": a frozen copy kept only as the oracle of the differential tests and the fuzz target.
// Do not bring it up to date; the numeric functions it uses (CExpMath) are the shipped ones.
#include <optional>
#include <string_view>

namespace CPreviousCalc {

// What a fresh evaluator's Compute gave for the line: its value, or none when it failed.
std::optional<double> Compute(std::u16string_view text);

} // namespace CPreviousCalc
