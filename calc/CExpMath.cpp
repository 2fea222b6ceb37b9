#include "calc/CExpMath.h"

#include "calc/CDoubleDouble.h"
#include "calc/CExpSymbols.h"

#include <cmath>
#include <limits>

namespace {

using DD = CDoubleDouble;

constexpr DD kLn2{0.6931471805599453, 2.3190468138462996e-17};
constexpr DD kHalfPi{1.5707963267948966, 6.123233995736766e-17};
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Far enough below 1e-32 that the sums are exact to the last bit of hi + lo.
constexpr double kNegligible = 1e-36;

bool Negligible(const DD& term, const DD& sum)
{
    return std::fabs(term.hi) <= kNegligible * std::fabs(sum.hi);
}

// ln a for a finite a > 0: a = m·2^e with m near 1, ln m = 2·atanh((m-1)/(m+1)).
DD Log(double a)
{
    int e = 0;
    double m = std::frexp(a, &e);
    if (m < 0.7071067811865476) {
        m *= 2.0;
        --e;
    }
    const DD s = DD(m - 1.0) / DD::TwoSum(m, 1.0);
    const DD s2 = s * s;
    DD sum = s;
    DD power = s;
    for (int k = 3; k < 200; k += 2) {
        power = power * s2;
        const DD term = power / DD(k);
        sum = sum + term;
        if (Negligible(term, sum))
            break;
    }
    return kLn2 * DD(e) + DD(2.0 * sum.hi, 2.0 * sum.lo);
}

// e^t for |t.hi| up to a few thousand; out of range it gives inf or 0 through ldexp.
double Exp(const DD& t)
{
    const double n = std::floor(t.hi / kLn2.hi + 0.5);
    const DD r = t - kLn2 * DD(n);
    DD sum(1.0);
    DD term(1.0);
    for (int k = 1; k < 60; ++k) {
        term = term * r / DD(k);
        sum = sum + term;
        if (Negligible(term, sum))
            break;
    }
    return std::ldexp(sum.Value(), static_cast<int>(n));
}

double PowerOfPositive(double a, double y)
{
    const DD lnA = Log(a);
    if (lnA.hi == 0.0)
        return 1.0;
    // Decide overflow and underflow on the rough product first: it also keeps y small enough
    // for the exact product below.
    const double rough = y * lnA.hi;
    if (rough > 2000.0)
        return kInf;
    if (rough < -2000.0)
        return 0.0;
    return Exp(lnA * DD(y));
}

// Taylor series of sine and cosine for |r| <= π/4.
void SinCosSeries(const DD& r, DD& sine, DD& cosine)
{
    const DD r2 = r * r;
    sine = r;
    DD term = r;
    for (int k = 2; k < 60; k += 2) {
        term = -(term * r2 / DD(k * (k + 1.0)));
        sine = sine + term;
        if (Negligible(term, sine))
            break;
    }
    cosine = DD(1.0);
    term = DD(1.0);
    for (int k = 1; k < 60; k += 2) {
        term = -(term * r2 / DD(k * (k + 1.0)));
        cosine = cosine + term;
        if (Negligible(term, cosine))
            break;
    }
}

// Sine and cosine of a radian angle in [0, 2π], reduced by quarter turns exactly enough that
// sin π is the true sine of the double nearest π.
void SinCos(double x, DD& sine, DD& cosine)
{
    const double n = std::floor(x / kHalfPi.hi + 0.5);
    const DD r = DD(x) - kHalfPi * DD(n);
    DD s, c;
    SinCosSeries(r, s, c);
    switch (static_cast<int>(n) & 3) {
    case 0:
        sine = s;
        cosine = c;
        break;
    case 1:
        sine = c;
        cosine = -s;
        break;
    case 2:
        sine = -s;
        cosine = -c;
        break;
    default:
        sine = -c;
        cosine = s;
        break;
    }
}

bool IsOddInteger(double y)
{
    return std::fabs(y) < 9007199254740992.0 && std::floor(y) == y && std::fmod(y, 2.0) != 0.0;
}

} // namespace

double CExpMath::SquareRoot(double a)
{
    if (std::isnan(a) || a <= 0.0)
        return a == 0.0 ? 0.0 : a;
    if (std::isinf(a))
        return a;
    // Newton from above falls monotonically towards the root, so the iteration ends as soon as
    // it stops getting smaller. Below 1 the start a would lie under the root; 1 lies above it.
    // The step is written as (x - a/x)/2 so that x*x cannot overflow near the largest doubles.
    double smallest = a >= 1.0 ? a : 1.0;
    for (;;) {
        const double x = smallest - (smallest - a / smallest) / 2.0;
        if (!(x < smallest))
            return smallest;
        smallest = x;
    }
}

double CExpMath::Power(double x, double y)
{
    if (y == 0.0 || x == 1.0)
        return 1.0;
    if (std::isnan(x) || std::isnan(y))
        return kNaN;
    if (std::isinf(y)) {
        const double ax = std::fabs(x);
        if (ax == 1.0)
            return 1.0;
        return (ax < 1.0) == (y > 0.0) ? 0.0 : kInf;
    }
    const bool negative = std::signbit(x) && IsOddInteger(y);
    if (x == 0.0 || std::isinf(x)) {
        const bool large = (x == 0.0) == (y < 0.0);
        const double magnitude = large ? kInf : 0.0;
        return negative ? -magnitude : magnitude;
    }
    if (x < 0.0 && std::floor(y) != y)
        return kNaN;
    const double magnitude = PowerOfPositive(std::fabs(x), y);
    return negative ? -magnitude : magnitude;
}

double CExpMath::ReduceDegrees(double degrees)
{
    // fmod is exact, so this equals stepping by 360 wherever such steps would be exact, and it
    // takes no time for angles too large to step through.
    double a = std::fmod(degrees, 360.0);
    if (a < 0.0)
        a += 360.0;
    if (a >= 360.0)
        a -= 360.0;
    return a;
}

double CExpMath::SinDegrees(double degrees)
{
    const double a = ReduceDegrees(degrees);
    if (std::isnan(a))
        return kNaN;
    DD s, c;
    SinCos(a / 180.0 * CExpSymbols::kPiValue, s, c);
    return s.Value();
}

double CExpMath::CosDegrees(double degrees)
{
    const double a = ReduceDegrees(degrees);
    if (std::isnan(a))
        return kNaN;
    DD s, c;
    SinCos(a * CExpSymbols::kPiValue / 180.0, s, c);
    return c.Value();
}

double CExpMath::TanDegrees(double degrees)
{
    const double a = ReduceDegrees(degrees);
    if (std::isnan(a))
        return kNaN;
    DD s, c;
    SinCos(a * CExpSymbols::kPiValue / 180.0, s, c);
    return (s / c).Value();
}
