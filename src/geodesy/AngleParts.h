#ifndef GEOFRAME_SRC_GEODESY_ANGLEPARTS_H
#define GEOFRAME_SRC_GEODESY_ANGLEPARTS_H

// Degree-minute-second arithmetic shared by GxGeoAngle's numeric and text forms.

#include <climits>
#include <cmath>

namespace geoframe::detail {

/// Largest whole-degree magnitude handed out; leaves room for a one-degree carry.
constexpr int kMaxWholeDegrees = INT_MAX - 1;

/// Truncates toward zero into [-kMaxWholeDegrees, kMaxWholeDegrees]; NaN gives 0.
/// Values outside the range (only unnormalised decimal text can hold them) are
/// clamped instead of overflowing the conversion.
inline int TruncateToInt(double x) {
    if (!(x == x))
        return 0;
    if (x >= kMaxWholeDegrees)
        return kMaxWholeDegrees;
    if (x <= -kMaxWholeDegrees)
        return -kMaxWholeDegrees;
    return static_cast<int>(x);
}

/// Splits a non-negative number of minutes into whole minutes and seconds. A
/// fraction below 1e-8 is dropped; one above 0.9999999 rounds up to the next whole
/// minute. Returns true when that rounding reaches 60 minutes, which become 0 and
/// carry one degree.
inline bool SplitMinutes(double value, int& minutes, double& seconds) {
    minutes = TruncateToInt(value);
    double fraction = value - minutes;
    bool carry = false;
    if (fraction < 1e-8) {
        fraction = 0.0;
    } else if (fraction > 0.9999999) {
        minutes = minutes + 1;
        if (minutes == 60) {
            minutes = 0;
            carry = true;
        }
        fraction = 0.0;
    }
    seconds = fraction * 60.0;
    return carry;
}

/// Decimal degrees of a signed whole-degree magnitude with minutes and seconds.
/// The sign is separate from the magnitude so that -0 degrees 30 minutes is -0.5.
inline double DmsToDegrees(bool negative, double magnitude, double minutes, double seconds) {
    if (negative)
        return -magnitude - minutes / 60.0 - seconds / 3600.0;
    return magnitude + minutes / 60.0 + seconds / 3600.0;
}

} // namespace geoframe::detail

#endif
