#include <geoframe/geodesy/GxGeoCoord.h>

#include <geoframe/math/gxVec3.h>

#include "foundation/Finite.h"

#include <cmath>
#include <utility>

using geoframe::detail::AllFinite;

GxGeoCoord::GxGeoCoord() : m_elevation(0.0) {}

GxGeoCoord::GxGeoCoord(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : m_elevation(0.0), m_ellipsoid(std::move(ellipsoid)) {}

GxGeoCoord::GxGeoCoord(const GxGeoAngle& lat, const GxGeoAngle& lon, double elevation,
                       GxSmartRef<GxEllipsoidBase> ellipsoid)
    : m_lat(lat), m_lon(lon), m_elevation(elevation), m_ellipsoid(std::move(ellipsoid)) {}

GxGeoCoord::~GxGeoCoord() = default;

bool GxGeoCoord::SetEllipsoid(GxSmartRef<GxEllipsoidBase> ellipsoid) {
    m_ellipsoid = std::move(ellipsoid);
    return true;
}

bool GxGeoCoord::SetLatLong(const GxGeoAngle& lat, const GxGeoAngle& lon, double elevation) {
    if (!AllFinite(lat.GetDecimalDegrees(), lon.GetDecimalDegrees(), elevation))
        return false;
    m_lat = lat;
    m_lon = lon;
    m_elevation = elevation;
    return true;
}

bool GxGeoCoord::GetLatLong(GxGeoAngle& lat, GxGeoAngle& lon, double& elevation) const {
    lat = m_lat;
    lon = m_lon;
    elevation = m_elevation;
    return true;
}

bool GxGeoCoord::GetLatLong(double& lat, double& lon, double& elevation) const {
    lat = m_lat.GetDecimalDegrees();
    lon = m_lon.GetDecimalDegrees();
    elevation = m_elevation;
    return true;
}

double GxGeoCoord::Elevation2Scalar(double elevation) const {
    return elevation / kScalarRadius + 1.0;
}

double GxGeoCoord::Scalar2Elevation(double scalar) const {
    return (scalar - 1.0) * kScalarRadius;
}

bool GxGeoCoord::SetGeocentricCoord(double x, double y, double z, bool wantHeight) {
    if (!m_ellipsoid)
        return false;
    return m_ellipsoid->GeocentricToLatLong(x, y, z, m_lat, m_lon, m_elevation, wantHeight);
}

bool GxGeoCoord::SetGeocentricCoord(const gxVec3& xyz, bool wantHeight) {
    return SetGeocentricCoord(xyz.GetX(), xyz.GetY(), xyz.GetZ(), wantHeight);
}

bool GxGeoCoord::GetGeocentricCoord(double& x, double& y, double& z, bool useElevation) const {
    if (!m_ellipsoid)
        return false;
    return m_ellipsoid->LatLongToGeocentric(m_lat, m_lon, useElevation ? m_elevation : 0.0, x, y,
                                            z);
}

bool GxGeoCoord::GetGeocentricCoord(gxVec3& xyz, bool useElevation) const {
    double x, y, z;
    if (!GetGeocentricCoord(x, y, z, useElevation))
        return false;
    xyz.set(x, y, z);
    return true;
}

bool GxGeoCoord::OnSphere() const {
    return !m_ellipsoid || m_ellipsoid->GetSemiMajorRadius() == m_ellipsoid->GetSemiMinorRadius();
}

bool GxGeoCoord::SetDirCos(double x, double y, double z, double scalar) {
    const double elevation = Scalar2Elevation(scalar);
    if (!AllFinite(x, y, z, elevation))
        return false;
    if (OnSphere()) {
        const double sinLat = z > 1.0 ? 1.0 : (z < -1.0 ? -1.0 : z);
        m_lon.SetRadians(std::atan2(y, x));
        m_lat.SetRadians(std::asin(sinLat));
    } else {
        // Scaled by a power of two so that the largest component lies in [0.5, 1):
        // the squares below can neither overflow nor vanish, and as the scaling is
        // exact the surface point is the one the unscaled arithmetic gives.
        int exponent = 0;
        std::frexp(std::fmax(std::fabs(x), std::fmax(std::fabs(y), std::fabs(z))), &exponent);
        x = std::ldexp(x, -exponent);
        y = std::ldexp(y, -exponent);
        z = std::ldexp(z, -exponent);
        const double a = m_ellipsoid->GetSemiMajorRadius();
        const double b = m_ellipsoid->GetSemiMinorRadius();
        // The factor that puts (x, y, z) on the ellipsoid's surface.
        const double t = std::sqrt(a * a * b * b / (b * b * (x * x + y * y) + a * a * z * z));
        GxGeoAngle lat = m_lat, lon = m_lon;
        double unusedHeight = 0.0;
        if (!std::isfinite(t) ||
            !m_ellipsoid->GeocentricToLatLong(x * t, y * t, z * t, lat, lon, unusedHeight, false))
            return false;
        m_lat = lat;
        m_lon = lon;
    }
    m_elevation = elevation;
    return true;
}

bool GxGeoCoord::SetDirCos(const gxVec3& direction, double scalar) {
    return SetDirCos(direction.GetX(), direction.GetY(), direction.GetZ(), scalar);
}

bool GxGeoCoord::GetDirCos(double& x, double& y, double& z, double& scalar) const {
    double dx, dy, dz;
    if (OnSphere()) {
        const double cosLat = m_lat.GetCos();
        dx = cosLat * m_lon.GetCos();
        dy = cosLat * m_lon.GetSin();
        dz = m_lat.GetSin();
    } else {
        double gx, gy, gz;
        if (!GetGeocentricCoord(gx, gy, gz, false))
            return false;
        const double r = std::sqrt(gx * gx + gy * gy + gz * gz);
        dx = gx / r;
        dy = gy / r;
        dz = gz / r;
    }
    const double s = Elevation2Scalar(m_elevation);
    if (!AllFinite(dx, dy, dz, s))
        return false;
    x = dx;
    y = dy;
    z = dz;
    scalar = s;
    return true;
}

bool GxGeoCoord::GetDirCos(gxVec3& direction, double& scalar) const {
    double x, y, z;
    if (!GetDirCos(x, y, z, scalar))
        return false;
    direction.set(x, y, z);
    return true;
}

GxGeoCoord& GxGeoCoord::operator+=(const GxGeoCoord& other) {
    m_lat = m_lat + other.m_lat;
    m_lon = m_lon + other.m_lon;
    m_elevation += other.m_elevation;
    return *this;
}

GxGeoCoord GxGeoCoord::operator+(const GxGeoCoord& other) const {
    GxGeoCoord sum(*this);
    sum += other;
    return sum;
}

GxGeoCoord GxGeoCoord::operator-(const GxGeoCoord& other) const {
    return GxGeoCoord(m_lat - other.m_lat, m_lon - other.m_lon, m_elevation - other.m_elevation,
                      m_ellipsoid);
}
