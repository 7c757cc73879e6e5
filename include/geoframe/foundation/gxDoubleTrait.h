#ifndef GEOFRAME_FOUNDATION_GXDOUBLETRAIT_H
#define GEOFRAME_FOUNDATION_GXDOUBLETRAIT_H

#include <geoframe/geoframe_export.h>

#include <cmath>

/// Scalar trait for double: the constants, roots, trigonometry and tolerant
/// comparison that the vector, quaternion and matrix classes are written against.
/// Stateless; every member is static. The functions forward straight to the
/// standard math library with no range checking (asin(2.0) is NaN).
class GEOFRAME_EXPORT gxDoubleTrait {
public:
    static constexpr double zeroVal = 0.0;
    static constexpr double oneVal = 1.0;
    static constexpr double maxVal = 1.7976931348623157e+308;
    static constexpr double fuzzVal = 2.220446049250313e-16;
    static constexpr double piDegVal = 180.0;
    static constexpr double piRadVal = 3.141592653589793;

    gxDoubleTrait() {}
    gxDoubleTrait(const gxDoubleTrait&) {}
    ~gxDoubleTrait() {}
    gxDoubleTrait& operator=(const gxDoubleTrait&) { return *this; }

    static double abs(double x) { return std::fabs(x); }
    static double sqrt(double x) { return std::sqrt(x); }
    static double sin(double x) { return std::sin(x); }
    static double asin(double x) { return std::asin(x); }
    static double cos(double x) { return std::cos(x); }
    static double acos(double x) { return std::acos(x); }
    static double tan(double x) { return std::tan(x); }
    static double atan(double x) { return std::atan(x); }
    /// atan2 with y first, as the standard function.
    static double atan2(double y, double x) { return std::atan2(y, x); }

    /// Degrees to radians: (pi / 180) * x, the quotient formed first.
    static double d2r(double x) { return (piRadVal / piDegVal) * x; }
    /// Radians to degrees: (180 / pi) * x, the quotient formed first.
    static double r2d(double x) { return (piDegVal / piRadVal) * x; }

    // The same conversions multiplying first, x * pi / 180 and x * 180 / pi: the
    // rounding that geographic angles and the geodesy are written with. They differ
    // from d2r and r2d in the last bit for some x, so each caller keeps its own form.
    static double degToRad(double x) { return x * piRadVal / piDegVal; }
    static double radToDeg(double x) { return x * piDegVal / piRadVal; }

    /// True when a - tolerance <= b <= a + tolerance (absolute tolerance, both
    /// ends inclusive). NaN anywhere, or a negative tolerance, gives false.
    static bool equal(double a, double b, double tolerance) {
        if (a + tolerance < b)
            return false;
        return a - tolerance <= b;
    }
};

#endif
