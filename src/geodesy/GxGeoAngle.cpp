#include <geoframe/geodesy/GxGeoAngle.h>

#include "foundation/Text.h"
#include "geodesy/AngleParts.h"

using geoframe::detail::NewText;

GxGeoAngle::GxGeoAngle(double degrees, const char* hemisphere) : GxGeoAngle(degrees) {
    SetHemisphere(hemisphere);
}

bool GxGeoAngle::SetDMS(const int& degrees, const int& minutes, const double& seconds) {
    return SetDecimalDegrees(geoframe::detail::DmsToDegrees(
        degrees < 0, std::fabs(static_cast<double>(degrees)), minutes, seconds));
}

bool GxGeoAngle::GetDMS(int& degrees, int& minutes, double& seconds) const {
    const int whole = geoframe::detail::TruncateToInt(m_degrees);
    double m = (m_degrees - whole) * 60.0;
    if (m_degrees < 0)
        m = -m;
    degrees = whole;
    if (geoframe::detail::SplitMinutes(m, minutes, seconds)) {
        // The carry moves away from zero on the side of the angle itself, so that
        // -0.99999999999 gives -1 degree rather than +1.
        degrees = m_degrees < 0 ? whole - 1 : whole + 1;
    }
    return true;
}

bool GxGeoAngle::SetHemisphere(const char* hemisphere) {
    if (hemisphere) {
        switch (hemisphere[0]) {
        case 'N':
        case 'n':
        case 'S':
        case 's':
            m_axis = AXIS_LATITUDE;
            break;
        case 'E':
        case 'e':
        case 'W':
        case 'w':
            m_axis = AXIS_LONGITUDE;
            break;
        default:
            m_axis = AXIS_NONE;
            break;
        }
    }
    return m_axis != AXIS_NONE;
}

bool GxGeoAngle::SetHemisphere(GeoHemiType hemisphere) {
    switch (hemisphere) {
    case HEMI_WEST:
    case HEMI_EAST:
        m_axis = AXIS_LONGITUDE;
        return true;
    case HEMI_NORTH:
    case HEMI_SOUTH:
        m_axis = AXIS_LATITUDE;
        return true;
    default:
        m_axis = AXIS_NONE;
        return false;
    }
}

bool GxGeoAngle::GetHemisphere(GeoHemiType& hemisphere) const {
    switch (m_axis) {
    case AXIS_LATITUDE:
        hemisphere = m_degrees < 0 ? HEMI_SOUTH : HEMI_NORTH;
        return true;
    case AXIS_LONGITUDE:
        hemisphere = m_degrees < 0 ? HEMI_WEST : HEMI_EAST;
        return true;
    default:
        hemisphere = HEMI_NONE;
        return false;
    }
}

char* GxGeoAngle::GetHemisphere() const {
    switch (m_axis) {
    case AXIS_LATITUDE:
        return NewText(m_degrees < 0 ? "SOUTH" : "NORTH");
    case AXIS_LONGITUDE:
        return NewText(m_degrees < 0 ? "WEST" : "EAST");
    default:
        return nullptr;
    }
}

void GxGeoAngle::FreeString(char* text) const {
    delete[] text;
}
