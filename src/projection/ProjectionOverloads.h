#ifndef GEOFRAME_SRC_PROJECTION_PROJECTIONOVERLOADS_H
#define GEOFRAME_SRC_PROJECTION_PROJECTIONOVERLOADS_H

// The definitions of GxProjectionOverloads. A family's source includes them and
// instantiates the template, so that its angle conversions are compiled into the
// overloads.

#include <geoframe/projection/detail/GxProjectionOverloads.h>

#include <cmath>

namespace geoframe::detail {

template <class Family>
bool GxProjectionOverloads<Family>::LatLong2Proj(const gxVec3& in, gxVec3& out) const {
    double x, y;
    const double z = in.GetZ() - LocalZ();
    if (!std::isfinite(z) ||
        !Self().Family::LatLong2Proj(GxGeoAngle(in.GetY()), GxGeoAngle(in.GetX()), x, y))
        return false;
    out.set(x, y, z);
    return true;
}

template <class Family>
bool GxProjectionOverloads<Family>::GeoCoord2Proj(const GxGeoCoord& in, double& x,
                                                  double& y) const {
    GxGeoAngle lat, lon;
    double elevation;
    in.GetLatLong(lat, lon, elevation);
    return Self().Family::LatLong2Proj(lat, lon, x, y);
}

template <class Family>
bool GxProjectionOverloads<Family>::GeoCoord2Proj(const GxGeoCoord& in, gxVec3& out) const {
    GxGeoAngle lat, lon;
    double elevation, x, y;
    in.GetLatLong(lat, lon, elevation);
    const double z = elevation - LocalZ();
    if (!std::isfinite(z) || !Self().Family::LatLong2Proj(lat, lon, x, y))
        return false;
    out.set(x, y, z);
    return true;
}

template <class Family>
bool GxProjectionOverloads<Family>::Proj2LatLong(double x, double y, double& lat,
                                                 double& lon) const {
    GxGeoAngle latAngle, lonAngle;
    if (!Self().Family::Proj2LatLong(x, y, latAngle, lonAngle))
        return false;
    lat = latAngle.GetDecimalDegrees();
    lon = lonAngle.GetDecimalDegrees();
    return true;
}

template <class Family>
bool GxProjectionOverloads<Family>::Proj2LatLong(const gxVec3& in, gxVec3& out) const {
    GxGeoAngle lat, lon;
    const double z = in.GetZ() + LocalZ();
    if (!std::isfinite(z) || !Self().Family::Proj2LatLong(in.GetX(), in.GetY(), lat, lon))
        return false;
    out.set(lon.GetDecimalDegrees(), lat.GetDecimalDegrees(), z);
    return true;
}

template <class Family>
bool GxProjectionOverloads<Family>::Proj2GeoCoord(double x, double y, GxGeoCoord& out) const {
    GxGeoAngle lat, lon;
    if (!Self().Family::Proj2LatLong(x, y, lat, lon))
        return false;
    out.SetLatLong(lat, lon, 0.0);
    return true;
}

template <class Family>
bool GxProjectionOverloads<Family>::Proj2GeoCoord(const gxVec3& in, GxGeoCoord& out) const {
    GxGeoAngle lat, lon;
    const double z = in.GetZ() + LocalZ();
    if (!std::isfinite(z) || !Self().Family::Proj2LatLong(in.GetX(), in.GetY(), lat, lon))
        return false;
    out.SetLatLong(lat, lon, z);
    return true;
}

} // namespace geoframe::detail

#endif
