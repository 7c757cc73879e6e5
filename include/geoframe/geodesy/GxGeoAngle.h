#ifndef GEOFRAME_GEODESY_GXGEOANGLE_H
#define GEOFRAME_GEODESY_GXGEOANGLE_H

#include <geoframe/foundation/gxDoubleTrait.h>
#include <geoframe/geoframe_export.h>

#include <cmath>
#include <cstdint>
#include <string_view>

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

    /// Reads degree-minute-second text leniently, as stored texts may rely on
    /// (SetAngleText is the strict reader for typed input): decimal degrees
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
    /// The seconds are rounded once, at that precision: seconds that round to 60
    /// are written as 0 and carry into the minutes, and 60 minutes into the
    /// degrees, away from zero on the angle's side (179.9999999 as a longitude is
    /// "180~0'0.00\" E", -179.9999999 is "180~0'0.00\" W"), so minutes and seconds
    /// are always below 60 for an angle within one turn. SetAngleText reads every
    /// such text back as the angle written (a latitude beyond 90 degrees excepted).
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

    /// Reads an angle typed by a person, strictly: the whole text must have one of
    /// the forms below, or the result is false and the angle is left as it was.
    /// Every text GetDMSString writes reads back as the angle written, except for
    /// a latitude beyond 90 degrees (which is no latitude).
    ///
    ///     text  = [letter] [sign] part [mark] { sep part [mark] } [letter]
    ///
    /// One to three parts: degrees, minutes, seconds, in that order. A part is an
    /// unsigned number with '.' as decimal point whatever the locale; only the
    /// last part may have a fraction, and only lone degrees an exponent (an e or E
    /// not followed by a digit is the letter). Minutes and seconds are below 60.
    /// A part's mark, optional, stands right after its number: degrees '~', 'd' or
    /// '°', minutes '\'', 'm' or '′', seconds '"', 's' or '″' (UTF-8). Parts are
    /// separated by white space or nothing after a mark, and by white space or a
    /// colon after an unmarked number. The letter is one of N, S, E, W in either
    /// case, leading or trailing; a lowercase s right after the seconds is their
    /// mark. White space may surround the text and stand next to the letter, but
    /// not after the sign nor before a mark.
    ///
    /// Accepted, for example: -33.8679, 33.8679S, 33.8679 S, N51.5, W0.1275,
    /// 12~30.5, 12 30.5, 12d30.5m, 12:30:15.5, 12d30m15sN, S 33 52 4.56,
    /// 51°30'26"N, 33~52'4.56" S, 12.5e1.
    ///
    /// Refused: no digits, a doubled sign, two decimal points, a doubled or
    /// out-of-order mark, a fraction before the last part, minutes or seconds
    /// negative or of 60 or more, two letters, a sign with S or W, a minus sign
    /// with N or E (they contradict each other; '+' with N or E is accepted), a
    /// latitude of more than 90 degrees (by its letter, or without a letter on an
    /// angle whose axis is latitude), a number a double cannot hold
    /// (1e999, 1e-400), and anything left over that is not white space.
    ///
    /// The sign belongs to the whole angle, so "-0~30'" is -0.5; S and W negate.
    /// The degrees are wrapped as SetDecimalDegrees wraps them (200 gives -160,
    /// "180~0'0\" W" gives 180 on the eastern side); a letter sets the axis as
    /// SetHemisphere does, no letter keeps the axis. A plain decimal number reads
    /// as SetDecimalDegrees of its correctly rounded value.
    bool SetAngleText(const char* text);
    /// The same reader over `text` as it stands, without a closing zero (a zero
    /// byte within it is refused like any other stray character).
    bool SetAngleText(std::string_view text);

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
