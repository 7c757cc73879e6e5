#ifndef GEOFRAME_SRC_GEODESY_DEGREESPERRADIAN_H
#define GEOFRAME_SRC_GEODESY_DEGREESPERRADIAN_H

namespace geoframe::detail {

/// 180 / pi as the sum of the nearest double and the rest, so that radians turn
/// into degrees with a single rounding (the geocentric conversions, point by
/// point and in arrays).
constexpr double kDegPerRadHi = 57.29577951308232;
constexpr double kDegPerRadLo = -1.9878495670576283e-15;

} // namespace geoframe::detail

#endif
