// Elementary functions for the batch kernels, written so that a loop over a block
// of points vectorises: no calls, no tables, no branches the compiler cannot turn
// into selects, nothing but +, -, *, /, sqrt, bit operations and comparisons.
// Accuracy is a few units in the last place over the arguments the kernels pass.
//
// Included only by the kernel sources, inside a namespace of their own (one per
// instruction set), after <cstdint>; it includes nothing itself, so that no inline
// function compiled for one instruction set can stand in for another's.

namespace kmath {

using Bits = std::uint64_t;

inline Bits ToBits(double x) {
    return __builtin_bit_cast(Bits, x);
}
inline double FromBits(Bits b) {
    return __builtin_bit_cast(double, b);
}

inline double Abs(double x) {
    return __builtin_fabs(x);
}
inline double Sqrt(double x) {
    return __builtin_sqrt(x);
}
inline double CopySign(double x, double sign) {
    return __builtin_copysign(x, sign);
}
inline double Min(double a, double b) {
    return a < b ? a : b;
}
inline double Max(double a, double b) {
    return a > b ? a : b;
}

/// The rounding error of the product a * b = p: a * b - p exactly.
inline double ProductError(double a, double b, double p) {
#ifdef __FP_FAST_FMA
    return __builtin_fma(a, b, -p);
#else
    // Dekker's product over halves of 26 bits (no fused multiply-add to contract
    // this into where the target has none).
    constexpr double split = 134217729.0; // 2^27 + 1
    const double ta = split * a, tb = split * b;
    const double ah = ta - (ta - a), al = a - ah;
    const double bh = tb - (tb - b), bl = b - bh;
    return ((ah * bh - p) + ah * bl + al * bh) + al * bl;
#endif
}

/// The rounding error of the sum a + b = s: a + b - s exactly.
inline double SumError(double a, double b, double s) {
    const double bb = s - a;
    return (a - (s - bb)) + (b - bb);
}

/// x rounded to the nearest integer (ties to even), for |x| < 2^51.
inline double Round(double x) {
    constexpr double magic = 6755399441055744.0; // 2^52 + 2^51
    return (x + magic) - magic;
}

inline double Floor(double x) {
    const double r = Round(x);
    return r > x ? r - 1.0 : r;
}

constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kTwoPi = 6.283185307179586;
/// pi/2 less its double: atan2 adds it back where it subtracts from pi/2 or pi.
constexpr double kHalfPiLow = 6.123233995736765886130e-17;

/// sin x and cos x for |x| up to a few thousand radians (exact reduction by pi/2
/// in two parts; the quotient stays far below 2^20).
inline void SinCos(double x, double& s, double& c) {
    constexpr double twoOverPi = 0.63661977236758134308;
    constexpr double pio2Hi = 1.57079632673412561417e+00; // 33 bits
    constexpr double pio2Lo = 6.07710050650619224932e-11;
    const double q = Round(x * twoOverPi);
    const double r = (x - q * pio2Hi) - q * pio2Lo; // |r| <= pi/4
    const double r2 = r * r;
    // Taylor series to r^17 and r^16: below 1e-19 on |r| <= pi/4.
    double ps = 1.0 / 355687428096000.0;
    ps = ps * r2 - 1.0 / 1307674368000.0;
    ps = ps * r2 + 1.0 / 6227020800.0;
    ps = ps * r2 - 1.0 / 39916800.0;
    ps = ps * r2 + 1.0 / 362880.0;
    ps = ps * r2 - 1.0 / 5040.0;
    ps = ps * r2 + 1.0 / 120.0;
    ps = ps * r2 - 1.0 / 6.0;
    const double sr = r + r * r2 * ps;
    double pc = 1.0 / 20922789888000.0;
    pc = pc * r2 - 1.0 / 87178291200.0;
    pc = pc * r2 + 1.0 / 479001600.0;
    pc = pc * r2 - 1.0 / 3628800.0;
    pc = pc * r2 + 1.0 / 40320.0;
    pc = pc * r2 - 1.0 / 720.0;
    pc = pc * r2 + 1.0 / 24.0;
    // 1 - r^2/2 + r^4 pc, with the rounding of 1 - r^2/2 carried along.
    const double half = 0.5 * r2;
    const double w = 1.0 - half;
    const double cr = w + (((1.0 - w) - half) + r2 * r2 * pc);
    // Quadrant q mod 4: 0 (s, c), 1 (c, -s), 2 (-s, -c), 3 (-c, s).
    const double quadrant = q - 4.0 * Floor(q * 0.25);
    const bool odd = (quadrant == 1.0) | (quadrant == 3.0);
    const double ss = odd ? cr : sr;
    const double cc = odd ? sr : cr;
    s = quadrant >= 2.0 ? -ss : ss;
    c = ((quadrant == 1.0) | (quadrant == 2.0)) ? -cc : cc;
}

/// atan(num / den) for 0 <= num <= den, as k pi/4 + the result: k is 0, or 1
/// (`high`) for quotients above 0.66, where the result is atan((num - den) /
/// (num + den)) (Cephes' rational form).
inline double AtanReduced(double num, double den, bool& high) {
    high = num > 0.66 * den;
    const double u = (high ? num - den : num) / (high ? num + den : den);
    const double z = u * u;
    double p = -8.750608600031904122785e-1;
    p = p * z - 1.615753718733365076637e1;
    p = p * z - 7.500855792314704667340e1;
    p = p * z - 1.228866684490136173410e2;
    p = p * z - 6.485021904942025371773e1;
    double q = z + 2.485846490142306297962e1;
    q = q * z + 1.650270098316988542046e2;
    q = q * z + 4.328810604912902668951e2;
    q = q * z + 4.853903996359136964868e2;
    q = q * z + 1.945506571482613964425e2;
    return u + u * (z * p / q);
}

/// atan2(y, x) in [-pi, pi] as hi + lo, the sum within about 1e-16 of the
/// angle of (x, y) whatever its size; (0, 0) gives 0. The angle is k pi/4 +- r
/// with |r| <= pi/4, the multiple of pi/4 carried in two parts.
inline void Atan2(double y, double x, double& hi, double& lo) {
    constexpr double quarterPi = 0.7853981633974483, quarterPiLo = 3.061616997868383e-17;
    const double ax = Abs(x);
    const double ay = Abs(y);
    const double big = Max(ax, ay);
    bool high;
    double rest = AtanReduced(Min(ax, ay), big > 0.0 ? big : 1.0, high);
    double k = high ? 1.0 : 0.0;
    const bool swap = ay > ax;
    k = swap ? 2.0 - k : k;
    rest = swap ? -rest : rest;
    const bool back = x < 0.0;
    k = back ? 4.0 - k : k;
    rest = back ? -rest : rest;
    const double base = k * quarterPi;
    const double baseLo = ProductError(k, quarterPi, base) + k * quarterPiLo;
    const double sum = base + rest;
    const double sumLo = SumError(base, rest, sum) + baseLo;
    hi = CopySign(sum, y);
    lo = CopySign(1.0, y) * sumLo;
}

/// atan2(y, x) in [-pi, pi]; (0, 0) gives 0.
inline double Atan2(double y, double x) {
    double hi, lo;
    Atan2(y, x, hi, lo);
    return hi + lo;
}

constexpr double kLn2Hi = 6.93147180369123816490e-01; // 32 bits
constexpr double kLn2Lo = 1.90821492927058770002e-10;

/// log(1 + v) for v >= 0, accurate relative to the result also for small v.
inline double Log1p(double v) {
    const double w = 1.0 + v;
    // w = 2^k m with m in [sqrt(1/2), sqrt(2)); k as a double without a conversion
    // instruction (the exponent bits under 2^52).
    constexpr Bits sqrtHalf = 0x3fe6a09e667f3bcdULL;
    const Bits shifted = ToBits(w) - sqrtHalf;
    const double k = FromBits((shifted >> 52) | 0x4330000000000000ULL) - 4503599627370496.0;
    const double m = FromBits((shifted & 0x000fffffffffffffULL) + sqrtHalf);
    // Below sqrt(2), m is w itself and v is m - 1 without the rounding of 1 + v.
    const double f = k == 0.0 ? v : m - 1.0;
    const double s = f / (2.0 + f);
    const double s2 = s * s;
    // log m = 2 atanh s = 2 (s + s^3/3 + ... + s^21/21); |s| <= 0.1716.
    double p = 1.0 / 21.0;
    p = p * s2 + 1.0 / 19.0;
    p = p * s2 + 1.0 / 17.0;
    p = p * s2 + 1.0 / 15.0;
    p = p * s2 + 1.0 / 13.0;
    p = p * s2 + 1.0 / 11.0;
    p = p * s2 + 1.0 / 9.0;
    p = p * s2 + 1.0 / 7.0;
    p = p * s2 + 1.0 / 5.0;
    p = p * s2 + 1.0 / 3.0;
    const double logM = 2.0 * s + 2.0 * s * s2 * p;
    return (k * kLn2Hi + logM) + k * kLn2Lo;
}

/// e^x for |x| <= 700.
inline double Exp(double x) {
    constexpr double log2e = 1.4426950408889634;
    const double k = Round(x * log2e);
    const double r = (x - k * kLn2Hi) - k * kLn2Lo; // |r| <= 0.347
    // Taylor series to r^13: below 5e-18 relative.
    double p = 1.0 / 6227020800.0;
    p = p * r + 1.0 / 479001600.0;
    p = p * r + 1.0 / 39916800.0;
    p = p * r + 1.0 / 3628800.0;
    p = p * r + 1.0 / 362880.0;
    p = p * r + 1.0 / 40320.0;
    p = p * r + 1.0 / 5040.0;
    p = p * r + 1.0 / 720.0;
    p = p * r + 1.0 / 120.0;
    p = p * r + 1.0 / 24.0;
    p = p * r + 1.0 / 6.0;
    p = p * r + 0.5;
    p = p * r + 1.0;
    p = p * r + 1.0;
    // 2^k: k + 1023 in the low bits of 2^52 + k + 1023, shifted into the exponent.
    const double scale = FromBits(ToBits(k + (4503599627370496.0 + 1023.0)) << 52);
    return p * scale;
}

} // namespace kmath
