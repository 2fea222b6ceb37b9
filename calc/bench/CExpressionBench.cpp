#include "calc/CExpression.h"
#include "calc/CNumberFormat.h"
#include "calc/tests/oracle/CPreviousCalc.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

namespace {

// A 200-character memo line: some words in front, then a long expression with every kind of
// token, closed by "=".
std::u16string Line200(std::u16string line = u"Monthly total: ",
                       std::u16string_view part = u"(12.5*3+hff/b101)-sqrt(16)*sin30+2^3^2/50%-")
{
    while (line.size() + part.size() + 2 <= 200)
        line += part;
    while (line.size() < 198)
        line += u"1+";
    line.resize(198);
    if (line.back() == u'+' || line.back() == u'-')
        line.back() = u'1';
    line += u"1=";
    return line;
}

void BM_Compute200(benchmark::State& state)
{
    const std::u16string line = Line200();
    for (auto _ : state) {
        CExpression expression;
        benchmark::DoNotOptimize(expression.Compute(line));
        benchmark::DoNotOptimize(expression.FormatResult(10));
    }
    state.SetLabel(std::to_string(line.size()) + " chars");
}
BENCHMARK(BM_Compute200);

// The same line through the evaluator as it was before memo amounts were read: the new forms
// must not make plain lines slower. Only the evaluation, without formatting, on both sides.
void BM_Compute200_EvaluateOnly(benchmark::State& state)
{
    const std::u16string line = Line200();
    for (auto _ : state) {
        CExpression expression;
        benchmark::DoNotOptimize(expression.Compute(line));
    }
}
BENCHMARK(BM_Compute200_EvaluateOnly);

void BM_Compute200_Previous(benchmark::State& state)
{
    const std::u16string line = Line200();
    for (auto _ : state)
        benchmark::DoNotOptimize(CPreviousCalc::Compute(line));
}
BENCHMARK(BM_Compute200_Previous);

// The same length written the way memos note amounts: "×", "÷", thousands separators and "円".
void BM_Compute200Amounts(benchmark::State& state)
{
    const std::u16string line = Line200(u"合計 ", u"1,980円×3+12,345.5÷5-１，０００円×２-");
    if (!CExpression().Compute(line))
        state.SkipWithError("the line must evaluate");
    for (auto _ : state) {
        CExpression expression;
        benchmark::DoNotOptimize(expression.Compute(line));
        benchmark::DoNotOptimize(expression.FormatResult(10));
    }
    state.SetLabel(std::to_string(line.size()) + " chars");
}
BENCHMARK(BM_Compute200Amounts);

// Baseline: the plainest typed line, "1+2=".
void BM_ComputeShort(benchmark::State& state)
{
    for (auto _ : state) {
        CExpression expression;
        benchmark::DoNotOptimize(expression.Compute(u"1+2="));
    }
}
BENCHMARK(BM_ComputeShort);

// Scaling check: a long line of additions should cost about linearly in its length.
void BM_ComputeLong(benchmark::State& state)
{
    std::u16string line;
    for (int i = 0; i < state.range(0); ++i)
        line += u"1+";
    line += u"1=";
    for (auto _ : state) {
        CExpression expression;
        benchmark::DoNotOptimize(expression.Compute(line));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ComputeLong)->RangeMultiplier(8)->Range(64, 262144)->Complexity();

void BM_FormatThird(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CNumberFormat::Format(1.0 / 3.0, 10));
}
BENCHMARK(BM_FormatThird);

} // namespace
