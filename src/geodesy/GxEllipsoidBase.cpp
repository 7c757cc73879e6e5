#include <geoframe/geodesy/GxEllipsoidBase.h>

#include <geoframe/geodesy/GxGeoAngle.h>

#include "foundation/Finite.h"

#include <cmath>
#include <limits>

using geoframe::detail::AllFinite;

GxEllipsoidBase::GxEllipsoidBase() : GxEllipsoidBase("Sphere") {}

GxEllipsoidBase::GxEllipsoidBase(const char* name)
    : m_semiMajor(kDefaultRadius), m_semiMinor(kDefaultRadius), m_shiftX(0.0), m_shiftY(0.0),
      m_shiftZ(0.0), m_eccentricity(0.0), m_eccentricitySq(0.0), m_revision(0) {
    SetName(name);
}

GxEllipsoidBase::GxEllipsoidBase(const GxEllipsoidBase& other)
    : GxRefBase(), m_semiMajor(other.m_semiMajor), m_semiMinor(other.m_semiMinor),
      m_shiftX(other.m_shiftX), m_shiftY(other.m_shiftY), m_shiftZ(other.m_shiftZ),
      m_eccentricity(other.m_eccentricity), m_eccentricitySq(other.m_eccentricitySq),
      m_name(other.m_name), m_revision(other.m_revision) {}

GxEllipsoidBase::~GxEllipsoidBase() = default;

void GxEllipsoidBase::SetFigure(double a, double b, double e, double es) {
    m_semiMajor = a;
    m_semiMinor = b;
    m_eccentricity = e;
    m_eccentricitySq = es;
    ++m_revision;
}

void GxEllipsoidBase::SetName(const char* name) {
    if (name)
        m_name = name;
    else
        m_name.clear();
    ++m_revision;
}

void GxEllipsoidBase::DropName(bool drop) {
    if (drop)
        m_name.clear();
    ++m_revision;
}

void GxEllipsoidBase::SetSemiMajorRadius(double radius, bool dropName) {
    m_semiMajor = radius;
    DropName(dropName);
}

void GxEllipsoidBase::SetSemiMinorRadius(double radius, bool dropName) {
    m_semiMinor = radius;
    DropName(dropName);
}

void GxEllipsoidBase::SetDatumShiftX(double shift, bool dropName) {
    m_shiftX = shift;
    DropName(dropName);
}

void GxEllipsoidBase::SetDatumShiftY(double shift, bool dropName) {
    m_shiftY = shift;
    DropName(dropName);
}

void GxEllipsoidBase::SetDatumShiftZ(double shift, bool dropName) {
    m_shiftZ = shift;
    DropName(dropName);
}

bool GxEllipsoidBase::SetDatumShift(double dx, double dy, double dz) {
    m_shiftX = dx;
    m_shiftY = dy;
    m_shiftZ = dz;
    ++m_revision;
    return true;
}

bool GxEllipsoidBase::GeocentricToWGS84(double x, double y, double z, double& wx, double& wy,
                                        double& wz) const {
    if (!AllFinite(x, y, z))
        return false;
    wx = x + m_shiftX;
    wy = y + m_shiftY;
    wz = z + m_shiftZ;
    return true;
}

bool GxEllipsoidBase::WGS84ToGeocentric(double wx, double wy, double wz, double& x, double& y,
                                        double& z) const {
    if (!AllFinite(wx, wy, wz))
        return false;
    x = wx - m_shiftX;
    y = wy - m_shiftY;
    z = wz - m_shiftZ;
    return true;
}

bool GxEllipsoidBase::SetEllipsoid(const char* name, double dx, double dy, double dz) {
    SetName(name);
    return GxEllipsoidBase::SetDatumShift(dx, dy, dz);
}

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// Writes one converted point, or NaN in all three places; 1 when converted.
std::size_t Put(bool ok, const double (&value)[3], double& a, double& b, double& c) {
    a = ok ? value[0] : kNaN;
    b = ok ? value[1] : kNaN;
    c = ok ? value[2] : kNaN;
    return ok;
}

} // namespace

std::size_t GxEllipsoidBase::LatLongToGeocentricArray(std::size_t n, const double* lat,
                                                      const double* lon, const double* h, double* x,
                                                      double* y, double* z) const {
    std::size_t converted = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // Every input is read before an output is written: they may be the same
        // memory.
        const GxGeoAngle latitude(lat[i]);
        const GxGeoAngle longitude(lon[i]);
        double out[3];
        const bool ok = std::fabs(latitude.GetDecimalDegrees()) <= 90.0 &&
                        LatLongToGeocentric(latitude, longitude, h[i], out[0], out[1], out[2]);
        converted += Put(ok, out, x[i], y[i], z[i]);
    }
    return converted;
}

std::size_t GxEllipsoidBase::GeocentricToLatLongArray(std::size_t n, const double* x,
                                                      const double* y, const double* z, double* lat,
                                                      double* lon, double* h) const {
    std::size_t converted = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double out[3];
        const bool ok = GeocentricToLatLong(x[i], y[i], z[i], out[0], out[1], out[2], true);
        converted += Put(ok, out, lat[i], lon[i], h[i]);
    }
    return converted;
}
