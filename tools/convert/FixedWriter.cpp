#include "FixedWriter.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace geoframe::convert {
namespace {

constexpr std::uint64_t kPow10[] = {1,           10,           100,          1000,      10000,
                                    100000,      1000000,      10000000,     100000000, 1000000000,
                                    10000000000, 100000000000, 1000000000000};

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
    /// The low 64 bits of this shifted left by 0 <= n < 64.
    std::uint64_t ShiftedLeftLow(int n) const { return lo << n; }
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

} // namespace

void AppendFixed(std::string& out, double value, int decimals) {
    const double magnitude = std::fabs(value);
    if (decimals >= 0 && decimals <= 12 &&
        magnitude < 9.2e18 / static_cast<double>(kPow10[decimals])) {
        // magnitude = m * 2^e exactly, m below 2^53, read from the bits; the
        // digits are m * 10^decimals * 2^e rounded half to even.
        std::uint64_t bits = 0;
        std::memcpy(&bits, &magnitude, sizeof bits);
        const int biased = static_cast<int>(bits >> 52);
        std::uint64_t m = bits & ((std::uint64_t(1) << 52) - 1);
        if (biased != 0)
            m |= std::uint64_t(1) << 52;
        const int e = (biased != 0 ? biased : 1) - 1075;
        const U128 scaled = U128::Product(m, kPow10[decimals]);
        std::uint64_t q = 0;
        if (e >= 0) {
            q = scaled.ShiftedLeftLow(e); // below 9.2e18 by the test above
        } else if (-e < 100) {
            const int shift = -e;
            q = scaled.ShiftedRight(shift).lo;
            const U128 rest = scaled.Below(shift), half = U128::Bit(shift - 1);
            if (rest > half || (rest == half && (q & 1)))
                ++q;
        } // else below 2^-47: rounds to zero at 12 decimals or fewer
        char digits[48];
        std::size_t length =
            static_cast<std::size_t>(std::to_chars(digits, digits + 24, q).ptr - digits);
        const std::size_t places = static_cast<std::size_t>(decimals);
        if (length <= places) { // a zero before the point, zeros after it
            const std::size_t pad = places + 1 - length;
            std::memmove(digits + pad, digits, length);
            std::memset(digits, '0', pad);
            length = places + 1;
        }
        if (std::signbit(value))
            out += '-';
        out.append(digits, length - places);
        if (places > 0) {
            out += '.';
            out.append(digits + length - places, places);
        }
        return;
    }
    char buffer[400]; // the largest double in fixed notation with 17 decimals fits
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    out.append(buffer, result.ptr);
}

} // namespace geoframe::convert
