#pragma once
// The functions of the calculation line: Newton square root, powers, and sine, cosine and
// tangent of an angle in degrees. Each ends for every double, infinities and NaN included, and
// gives the same bits on every platform (no C runtime transcendental functions are used).
class CExpMath {
public:
    // For a >= 0 (and +∞); NaN gives NaN. Negative arguments are the caller's failure.
    static double SquareRoot(double a);

    // x to the power y with the usual IEEE special cases (a negative base with a non-integer
    // exponent gives NaN).
    static double Power(double x, double y);

    // Brings an angle in degrees into [0, 360); ±∞ and NaN give NaN.
    static double ReduceDegrees(double degrees);

    static double SinDegrees(double degrees);
    static double CosDegrees(double degrees);
    static double TanDegrees(double degrees);
};
