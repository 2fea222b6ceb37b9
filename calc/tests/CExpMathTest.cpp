#include "calc/CExpMath.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// glibc's pow, sin, cos and tan are within an ulp of the true result and serve as a reference;
// the MinGW runtime's pow is off by up to some twenty ulps, so under Windows only the exact cases
// and the fingerprint are checked.
#if defined(__GLIBC__)
constexpr bool kRuntimeIsReference = true;
#else
constexpr bool kRuntimeIsReference = false;
#endif

double Ulps(double a, double b)
{
    if (a == b || (std::isnan(a) && std::isnan(b)))
        return 0.0;
    return std::fabs(a - b) / std::fabs(std::nextafter(b, kInf) - b);
}

std::uint64_t Bits(double d)
{
    std::uint64_t u = 0;
    std::memcpy(&u, &d, sizeof u);
    return u;
}

} // namespace

TEST(CExpMathTest, SquareRootEndsAndIsCloseForEveryKindOfDouble)
{
    EXPECT_EQ(CExpMath::SquareRoot(0.0), 0.0);
    EXPECT_EQ(CExpMath::SquareRoot(-0.0), 0.0);
    EXPECT_EQ(CExpMath::SquareRoot(kInf), kInf);
    EXPECT_TRUE(std::isnan(CExpMath::SquareRoot(std::nan(""))));
    EXPECT_EQ(CExpMath::SquareRoot(16.0), 4.0);
    EXPECT_EQ(CExpMath::SquareRoot(0.25), 0.5);
    const double samples[] = {1e308, DBL_MAX, DBL_MIN, std::numeric_limits<double>::denorm_min(), 1e-310,
                              0.5, 0.999999, 1.0, 2.0, 3.0, 1e-20, 123456789.0, 1e154, 1.5e-154};
    for (const double a : samples)
        EXPECT_LE(Ulps(CExpMath::SquareRoot(a), std::sqrt(a)), 1.0) << a;
    for (double a = 1e-30; a < 1e30; a *= 1.37)
        EXPECT_LE(Ulps(CExpMath::SquareRoot(a), std::sqrt(a)), 1.0) << a;
}

TEST(CExpMathTest, PowerSpecialCasesAndAccuracy)
{
    EXPECT_EQ(CExpMath::Power(2, 60), std::ldexp(1.0, 60));
    EXPECT_EQ(CExpMath::Power(10, 3), 1000.0);
    EXPECT_EQ(CExpMath::Power(10, -3), std::pow(10.0, -3.0));
    EXPECT_EQ(CExpMath::Power(-2, 3), -8.0);
    EXPECT_EQ(CExpMath::Power(2, -1074), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(CExpMath::Power(2, 1024), kInf);
    EXPECT_EQ(CExpMath::Power(0.5, 1e300), 0.0);
    EXPECT_EQ(CExpMath::Power(-1, 1e300), 1.0);
    EXPECT_EQ(CExpMath::Power(std::nan(""), 0), 1.0);
    EXPECT_EQ(CExpMath::Power(0, -1), kInf);
    EXPECT_EQ(CExpMath::Power(-0.0, -3), -kInf);
    EXPECT_EQ(CExpMath::Power(-kInf, 3), -kInf);
    EXPECT_EQ(CExpMath::Power(kInf, -2), 0.0);
    EXPECT_EQ(CExpMath::Power(0.5, -kInf), kInf);
    EXPECT_TRUE(std::isnan(CExpMath::Power(-8, 1.0 / 3)));
    EXPECT_TRUE(std::isnan(CExpMath::Power(2, std::nan(""))));
    std::uint64_t seed = 12345;
    for (int i = 0; kRuntimeIsReference && i < 20000; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        double x = static_cast<double>(seed >> 11) / 9007199254740992.0 * 20.0;
        double y = static_cast<double>((seed >> 5) & 0xffff) / 1000.0 - 30.0;
        if (i % 2)
            y = std::floor(y);
        if (i % 5 == 0)
            x = -std::floor(x);
        EXPECT_LE(Ulps(CExpMath::Power(x, y), std::pow(x, y)), 1.0) << x << " ^ " << y;
    }
}

TEST(CExpMathTest, AngleReductionAndDegreeFunctions)
{
    EXPECT_EQ(CExpMath::ReduceDegrees(-60.0), 300.0);
    EXPECT_EQ(CExpMath::ReduceDegrees(720.0), 0.0);
    EXPECT_EQ(CExpMath::ReduceDegrees(360.5), 0.5);
    EXPECT_EQ(CExpMath::ReduceDegrees(-1e-20), 0.0);
    EXPECT_EQ(CExpMath::ReduceDegrees(-720.25), 359.75);
    for (const double a : {1e308, -1e308, DBL_MAX, 1e17, -1e17, 5e-324}) {
        const double r = CExpMath::ReduceDegrees(a);
        EXPECT_TRUE(r >= 0.0 && r < 360.0) << a;
    }
    EXPECT_TRUE(std::isnan(CExpMath::ReduceDegrees(kInf)));
    EXPECT_TRUE(std::isnan(CExpMath::TanDegrees(-kInf)));
    EXPECT_TRUE(std::isnan(CExpMath::SinDegrees(std::nan(""))));
    EXPECT_EQ(CExpMath::SinDegrees(30.0), 0.49999999999999994);
    EXPECT_EQ(CExpMath::SinDegrees(180.0), 1.2246467991473532e-16);
    EXPECT_EQ(CExpMath::CosDegrees(-60.0), 0.5000000000000001);
    EXPECT_EQ(CExpMath::TanDegrees(45.0), 0.9999999999999999);
    for (double d = -400.0; kRuntimeIsReference && d < 400.0; d += 0.37) {
        const double r = CExpMath::ReduceDegrees(d);
        EXPECT_LE(Ulps(CExpMath::SinDegrees(d), std::sin(r / 180.0 * 3.141592653589793)), 1.0) << d;
        EXPECT_LE(Ulps(CExpMath::CosDegrees(d), std::cos(r * 3.141592653589793 / 180.0)), 1.0) << d;
        EXPECT_LE(Ulps(CExpMath::TanDegrees(d), std::tan(r * 3.141592653589793 / 180.0)), 1.0) << d;
    }
}

// The results must not depend on the platform's C runtime: this fingerprint is the same in the
// native build and in the Windows builds.
TEST(CExpMathTest, SameBitsOnEveryPlatform)
{
    std::uint64_t hash = 0;
    for (int i = 0; i < 3000; ++i) {
        const double d = i * 0.731 - 1000.0;
        hash = hash * 31 + Bits(CExpMath::SinDegrees(d));
        hash = hash * 31 + Bits(CExpMath::CosDegrees(d));
        hash = hash * 31 + Bits(CExpMath::TanDegrees(d));
        hash = hash * 31 + Bits(CExpMath::Power(1.0 + i * 0.0137, d / 37.0));
        hash = hash * 31 + Bits(CExpMath::SquareRoot(i * 1.37e5));
    }
    EXPECT_EQ(hash, 0xc89c8909e88c129aull) << std::hex << hash;
}
