#include "FixedWriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace geoframe::convert {
namespace {

/// 10^0 to 10^19: the decimals' scales and the digit counts' thresholds.
constexpr std::uint64_t kPow10[] = {1,
                                    10,
                                    100,
                                    1000,
                                    10000,
                                    100000,
                                    1000000,
                                    10000000,
                                    100000000,
                                    1000000000,
                                    10000000000,
                                    100000000000,
                                    1000000000000,
                                    10000000000000,
                                    100000000000000,
                                    1000000000000000,
                                    10000000000000000,
                                    100000000000000000,
                                    1000000000000000000,
                                    10000000000000000000u};

/// "00" to "99": two digits per division by 100.
constexpr char kDigitPairs[] = "00010203040506070809"
                               "10111213141516171819"
                               "20212223242526272829"
                               "30313233343536373839"
                               "40414243444546474849"
                               "50515253545556575859"
                               "60616263646566676869"
                               "70717273747576777879"
                               "80818283848586878889"
                               "90919293949596979899";

#ifdef __SIZEOF_INT128__
/// m * 10^decimals * 2^e rounded half to even; the caller keeps the result below
/// 9.2e18.
std::uint64_t ScaledRounded(std::uint64_t m, int decimals, int e) {
    const unsigned __int128 scaled = static_cast<unsigned __int128>(m) * kPow10[decimals];
    if (e >= 0)
        return static_cast<std::uint64_t>(scaled << e);
    if (e <= -100)
        return 0; // below 2^-47: rounds to zero at 12 decimals or fewer
    const int shift = -e;
    std::uint64_t q = static_cast<std::uint64_t>(scaled >> shift);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    const unsigned __int128 rest = scaled & ((half << 1) - 1);
    if (rest > half || (rest == half && (q & 1)))
        ++q;
    return q;
}
#else
/// An unsigned 128-bit number as two 64-bit halves, with just what the writer
/// needs, in portable C++.
struct U128 {
    std::uint64_t hi = 0, lo = 0;

    static U128 Product(std::uint64_t a, std::uint64_t b) {
        const std::uint64_t a0 = a & 0xffffffffu, a1 = a >> 32;
        const std::uint64_t b0 = b & 0xffffffffu, b1 = b >> 32;
        const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
        const std::uint64_t middle = (p00 >> 32) + (p01 & 0xffffffffu) + (p10 & 0xffffffffu);
        return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32),
                (middle << 32) | (p00 & 0xffffffffu)};
    }
    /// This shifted right by 0 < n < 128.
    U128 ShiftedRight(int n) const {
        if (n >= 64)
            return {0, hi >> (n - 64)};
        return {hi >> n, (lo >> n) | (hi << (64 - n))};
    }
    /// The bits below bit n, 0 < n < 128.
    U128 Below(int n) const {
        if (n >= 64)
            return {n == 64 ? 0 : hi & ((std::uint64_t(1) << (n - 64)) - 1), lo};
        return {0, lo & ((std::uint64_t(1) << n) - 1)};
    }
    static U128 Bit(int n) {
        return n >= 64 ? U128{std::uint64_t(1) << (n - 64), 0} : U128{0, std::uint64_t(1) << n};
    }
    bool operator>(const U128& o) const { return hi != o.hi ? hi > o.hi : lo > o.lo; }
    bool operator==(const U128& o) const { return hi == o.hi && lo == o.lo; }
};

std::uint64_t ScaledRounded(std::uint64_t m, int decimals, int e) {
    const U128 scaled = U128::Product(m, kPow10[decimals]);
    if (e >= 0)
        return scaled.lo << e;
    if (e <= -100)
        return 0;
    const int shift = -e;
    std::uint64_t q = scaled.ShiftedRight(shift).lo;
    const U128 rest = scaled.Below(shift), half = U128::Bit(shift - 1);
    if (rest > half || (rest == half && (q & 1)))
        ++q;
    return q;
}
#endif

/// The number of decimal digits of q (1 for 0).
std::size_t DigitCount(std::uint64_t q) {
    // bits * log10(2) estimates the count from below by at most one.
#if defined(__GNUC__)
    const int bits = 64 - __builtin_clzll(q | 1);
#else
    int bits = 1;
    for (std::uint64_t rest = q >> 1; rest != 0; rest >>= 1)
        ++bits;
#endif
    const auto estimate = static_cast<std::size_t>((bits * 1233) >> 12);
    return estimate + (q >= kPow10[estimate]);
}

/// Writes the eight digits of v < 10^8, zeros in front, at p: two pairs of pairs.
void WriteEight(char* p, std::uint32_t v) {
    const std::uint32_t high = v / 10000, low = v % 10000;
    std::memcpy(p, kDigitPairs + (high / 100) * 2, 2);
    std::memcpy(p + 2, kDigitPairs + (high % 100) * 2, 2);
    std::memcpy(p + 4, kDigitPairs + (low / 100) * 2, 2);
    std::memcpy(p + 6, kDigitPairs + (low % 100) * 2, 2);
}

/// 9.2e18 / 10^decimals: the magnitudes below it take the integer path.
constexpr auto kLimits = [] {
    std::array<double, 13> limits{};
    for (std::size_t d = 0; d < limits.size(); ++d)
        limits[d] = 9.2e18 / static_cast<double>(kPow10[d]);
    return limits;
}();

} // namespace

char* WriteFixed(char* out, double value, int decimals) {
    const double magnitude = std::fabs(value);
    if (!(decimals >= 0 && decimals <= 12 && magnitude < kLimits[decimals]))
        return nullptr;
    // magnitude = m * 2^e exactly, m below 2^53, read from the bits; the digits
    // are m * 10^decimals * 2^e rounded half to even.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t m = bits & ((std::uint64_t(1) << 52) - 1);
    if (biased != 0)
        m |= std::uint64_t(1) << 52;
    const int e = (biased != 0 ? biased : 1) - 1075;
    const std::uint64_t q = ScaledRounded(m, decimals, e);
    // The last `count` of 24 digits written eight at a time; then copied out in
    // fixed-size blocks (the room WriteFixed asks for), the decimals one place
    // further on to make room for the point.
    const auto places = static_cast<std::size_t>(decimals);
    const std::size_t count = std::max(DigitCount(q), places + 1);
    char digits[48] = {};
    WriteEight(digits + 16, static_cast<std::uint32_t>(q % 100000000));
    if (count > 8) {
        const std::uint64_t upper = q / 100000000;
        WriteEight(digits + 8, static_cast<std::uint32_t>(upper % 100000000));
        if (count > 16)
            WriteEight(digits, static_cast<std::uint32_t>(upper / 100000000));
    }
    const char* const first = digits + 24 - count;
    const std::size_t whole = count - places;
    char* p = out;
    if (std::signbit(value))
        *p++ = '-';
    std::memcpy(p, first, 24);
    if (places == 0)
        return p + whole;
    p[whole] = '.';
    std::memcpy(p + whole + 1, first + whole, 16);
    return p + count + 1;
}

void AppendFixed(std::string& out, double value, int decimals) {
    char text[400]; // the largest double in fixed notation with 17 decimals fits
    const char* end = WriteFixed(text, value, decimals);
    if (!end)
        end =
            std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    out.append(text, static_cast<std::size_t>(end - text));
}

} // namespace geoframe::convert
