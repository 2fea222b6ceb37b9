#pragma once
// Unevaluated sums hi + lo of two doubles (about 106 bits) built from plain IEEE operations only.
// The calculation functions use them so that their results are the same on every platform and
// compiler, whatever the C runtime's own sin, cos and pow would give.
// Relies on double arithmetic without extended precision or fused multiply-add (SSE2).

struct CDoubleDouble {
    double hi = 0.0;
    double lo = 0.0;

    constexpr CDoubleDouble() = default;
    constexpr CDoubleDouble(double h, double l = 0.0) : hi(h), lo(l) {}

    static CDoubleDouble TwoSum(double a, double b)
    {
        const double s = a + b;
        const double bb = s - a;
        return {s, (a - (s - bb)) + (b - bb)};
    }
    static CDoubleDouble QuickTwoSum(double a, double b)
    {
        const double s = a + b;
        return {s, b - (s - a)};
    }
    // Exact product; |a| and |b| must stay below about 2^995.
    static CDoubleDouble TwoProduct(double a, double b)
    {
        const double p = a * b;
        double ah = 0, al = 0, bh = 0, bl = 0;
        Split(a, ah, al);
        Split(b, bh, bl);
        return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
    }

    double Value() const { return hi + lo; }

    friend CDoubleDouble operator-(const CDoubleDouble& a) { return {-a.hi, -a.lo}; }
    friend CDoubleDouble operator+(const CDoubleDouble& a, const CDoubleDouble& b)
    {
        CDoubleDouble s = TwoSum(a.hi, b.hi);
        const CDoubleDouble t = TwoSum(a.lo, b.lo);
        s.lo += t.hi;
        s = QuickTwoSum(s.hi, s.lo);
        s.lo += t.lo;
        return QuickTwoSum(s.hi, s.lo);
    }
    friend CDoubleDouble operator-(const CDoubleDouble& a, const CDoubleDouble& b) { return a + -b; }
    friend CDoubleDouble operator*(const CDoubleDouble& a, const CDoubleDouble& b)
    {
        CDoubleDouble p = TwoProduct(a.hi, b.hi);
        p.lo += a.hi * b.lo + a.lo * b.hi;
        return QuickTwoSum(p.hi, p.lo);
    }
    friend CDoubleDouble operator/(const CDoubleDouble& a, const CDoubleDouble& b)
    {
        const double q1 = a.hi / b.hi;
        CDoubleDouble r = a - b * CDoubleDouble(q1);
        const double q2 = r.hi / b.hi;
        r = r - b * CDoubleDouble(q2);
        const double q3 = r.hi / b.hi;
        return QuickTwoSum(q1, q2) + CDoubleDouble(q3);
    }

private:
    static void Split(double a, double& hi, double& lo)
    {
        const double t = 134217729.0 * a; // 2^27 + 1
        hi = t - (t - a);
        lo = a - hi;
    }
};
