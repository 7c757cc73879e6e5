#ifndef GEOFRAME_GEODESY_GXGEOANGLE_H
#define GEOFRAME_GEODESY_GXGEOANGLE_H

#include <geoframe/foundation/gxDoubleTrait.h>
#include <geoframe/geoframe_export.h>

#include <cmath>
#include <cstdint>

/// Hemisphere of a latitude or longitude.
enum GeoHemiType { HEMI_NONE = 0, HEMI_WEST = 1, HEMI_EAST = 2, HEMI_NORTH = 3, HEMI_SOUTH = 4 };

/// A latitude or longitude in decimal degrees, wrapped into one turn, with the
/// axis it belongs to. Degrees in (-180, 180] are kept; larger ones wrap into
/// [-180, 180) and those at or below -180 into (-180, 180], so 540 gives -180 and
/// -180 gives 180. The hemisphere follows from the axis and the sign: negative
/// latitudes are south, negative longitudes west, zero is north or east.
/// Latitudes are wrapped like longitudes, not clamped.
///
/// Hemisphere letters given to the constructor or to SetHemisphere only choose
/// the axis; they never change the sign (GxGeoAngle(33.5, "S") reads back as north).
class GEOFRAME_EXPORT GxGeoAngle {
public:
    GxGeoAngle() : m_degrees(0.0), m_axis(AXIS_NONE) {}
    GxGeoAngle(double degrees) : m_degrees(Normalize(degrees)), m_axis(AXIS_NONE) {}
    /// Degrees normalised, axis from the hemisphere text as SetHemisphere does.
    GxGeoAngle(double degrees, const char* hemisphere);
    GxGeoAngle(const GxGeoAngle&) = default;
    GxGeoAngle& operator=(const GxGeoAngle&) = default;
    // Inline, so that the angles made and dropped on every conversion cost nothing.
    virtual ~GxGeoAngle() {}

    operator double() const { return m_degrees; }
    operator float() const { return static_cast<float>(m_degrees); }

    double GetDecimalDegrees() const { return m_degrees; }
    double GetRadians() const { return gxDoubleTrait::degToRad(m_degrees); }
    double GetSin() const { return std::sin(GetRadians()); }
    double GetCos() const { return std::cos(GetRadians()); }

    // Setters keep the axis and always succeed.
    bool SetDecimalDegrees(double degrees) {
        m_degrees = Normalize(degrees);
        return true;
    }
    bool SetRadians(double radians) { return SetDecimalDegrees(gxDoubleTrait::radToDeg(radians)); }
    /// The sign comes from the whole degrees alone; minutes and seconds are
    /// magnitudes: (-10, 30, 0) is -10.5. With whole degrees 0 the result is never
    /// negative.
    bool SetDMS(const int& degrees, const int& minutes, const double& seconds);

    /// Whole degrees (carrying the sign), minutes and seconds as magnitudes. A
    /// fraction of a minute within 1e-7 of a whole minute rounds up to it, carrying
    /// into the degrees. Angles between -1 and 0 come out with whole degrees 0.
    bool GetDMS(int& degrees, int& minutes, double& seconds) const;

    /// Sets the axis from the first character: N/n/S/s latitude, E/e/W/w longitude,
    /// anything else unset. A null text leaves the axis as it was. True when the
    /// axis is set afterwards.
    bool SetHemisphere(const char* hemisphere);
    /// WEST/EAST set longitude, NORTH/SOUTH latitude (true); anything else unsets
    /// the axis (false).
    bool SetHemisphere(GeoHemiType hemisphere);
    /// The hemisphere from axis and sign; HEMI_NONE and false when the axis is unset.
    bool GetHemisphere(GeoHemiType& hemisphere) const;
    /// "NORTH", "SOUTH", "EAST" or "WEST" as a new text the caller releases with
    /// FreeString; null when the axis is unset.
    char* GetHemisphere() const;

    /// Reads degree-minute-second text in the hand-typed forms: decimal degrees
    /// ("45.5", "45.5S"), degrees and decimal minutes ("12~30.5", "12 30.5") and
    /// degrees, minutes and seconds ("12~30'15\" N", "12d30m15sN", "12 30 15"). The
    /// degree sign is '~'. A trailing S or W negates the value read. Refuses (false,
    /// angle unchanged) only a degrees-minutes-seconds text whose first non-space
    /// character after the seconds mark is not a hemisphere letter, and a null text.
    /// Numbers are read with '.' as the decimal point whatever the process locale.
    bool SetDMSString(const char* text);

    /// Writes the angle as d~m's.sss" with `precision` digits after the seconds'
    /// decimal point, then " N", " S", " E" or " W" when the axis is set (southern
    /// and western angles are written as magnitudes with their letter). An angle
    /// with unset axis carries a leading minus sign when negative, also between -1
    /// and 0 ("-0~30'0.00\""). A negative precision gives six digits; precisions
    /// above 1074 are written with 1074 (every further digit of a double is zero).
    /// The text is new and is released with FreeString.
    char* GetDMSString(int precision) const;

    /// Releases a text returned by GetDMSString or GetHemisphere; null is ignored.
    void FreeString(char* text) const;

    // Exact comparisons. Angles on different axes are unequal and unordered.
    bool operator==(const GxGeoAngle& other) const {
        return m_axis == other.m_axis && m_degrees == other.m_degrees;
    }
    bool operator!=(const GxGeoAngle& other) const { return !(*this == other); }
    bool operator<(const GxGeoAngle& other) const {
        return m_axis == other.m_axis && m_degrees < other.m_degrees;
    }
    bool operator<=(const GxGeoAngle& other) const {
        return m_axis == other.m_axis && m_degrees <= other.m_degrees;
    }
    bool operator>(const GxGeoAngle& other) const {
        return m_axis == other.m_axis && m_degrees > other.m_degrees;
    }
    bool operator>=(const GxGeoAngle& other) const {
        return m_axis == other.m_axis && m_degrees >= other.m_degrees;
    }

    /// Sum or difference of the degrees, normalised, on the axis of `left`.
    friend GxGeoAngle operator+(const GxGeoAngle& left, const GxGeoAngle& right) {
        return OnAxis(left.m_degrees + right.m_degrees, left.m_axis);
    }
    friend GxGeoAngle operator-(const GxGeoAngle& left, const GxGeoAngle& right) {
        return OnAxis(left.m_degrees - right.m_degrees, left.m_axis);
    }
    friend GxGeoAngle operator+(const GxGeoAngle& angle, double degrees) {
        return OnAxis(angle.m_degrees + degrees, angle.m_axis);
    }
    friend GxGeoAngle operator+(double degrees, const GxGeoAngle& angle) {
        return OnAxis(angle.m_degrees + degrees, angle.m_axis);
    }

private:
    enum : std::int32_t { AXIS_NONE = 0, AXIS_LATITUDE = 1, AXIS_LONGITUDE = 2 };

    static GxGeoAngle OnAxis(double degrees, std::int32_t axis) {
        GxGeoAngle angle(degrees);
        angle.m_axis = axis;
        return angle;
    }

    /// Wraps x into one turn with an exact remainder, so that every finite value
    /// lands in range and is right modulo 360 however large it is. Values above 180
    /// land in [-180, 180) (540 gives -180), values at or below -180 in (-180, 180]
    /// (-180 gives 180), values between stay as they are. Infinity gives NaN; NaN
    /// passes through.
    static double Normalize(double x) {
        if (x > 180.0) {
            x = std::fmod(x, 360.0); // exact, in [0, 360)
            if (x >= 180.0)
                x -= 360.0; // exact: both within a factor of two
        } else if (x <= -180.0) {
            x = std::fmod(x, 360.0); // exact, in (-360, 0]
            // Exact as above; adding 0 turns a remainder of -0 into +0.
            x = x <= -180.0 ? x + 360.0 : x + 0.0;
        }
        return x;
    }

    double m_degrees;
    std::int32_t m_axis;
};

#endif
