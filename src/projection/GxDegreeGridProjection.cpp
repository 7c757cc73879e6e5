#include <geoframe/projection/GxDegreeGridProjection.h>

#include "projection/ProjectionOverloads.h"

#include <cmath>
#include <string>
#include <utility>

GxDegreeGridProjection::GxDegreeGridProjection(bool pointCosine)
    : GxProjectionOverloads(), m_pointCosine(pointCosine), m_originCosine(1.0) {}

GxDegreeGridProjection::GxDegreeGridProjection(bool pointCosine,
                                               GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxProjectionOverloads(std::move(ellipsoid)), m_pointCosine(pointCosine), m_originCosine(1.0) {
}

GxDegreeGridProjection::GxDegreeGridProjection(bool pointCosine,
                                               GxSmartRef<GxEllipsoidBase> ellipsoid,
                                               GxGeoAngle originLat, GxGeoAngle originLon)
    : GxProjectionOverloads(std::move(ellipsoid)), m_originLat(originLat), m_originLon(originLon),
      m_pointCosine(pointCosine), m_originCosine(1.0) {}

GxDegreeGridProjection::GxDegreeGridProjection(const GxDegreeGridProjection& other)
    : GxProjectionOverloads(other), m_originLat(other.m_originLat), m_originLon(other.m_originLon),
      m_pointCosine(other.m_pointCosine), m_originCosine(other.m_originCosine) {}

GxDegreeGridProjection::~GxDegreeGridProjection() = default;

void GxDegreeGridProjection::Start(bool describe) {
    if (describe)
        UpdateInstanceDesc();
    SetProjection();
}

double GxDegreeGridProjection::Cosine(double degrees) {
    return std::cos(degrees * kPi / 180.0);
}

bool GxDegreeGridProjection::LatLong2Proj(GxGeoAngle lat, GxGeoAngle lon, double& x,
                                          double& y) const {
    const double k = m_pointCosine ? Cosine(lat) : m_originCosine;
    const double dLat = lat - m_originLat;
    const double dLon = lon - m_originLon;
    const double py = dLat * kMetresPerDegree - LocalY();
    const double px = dLon * kMetresPerDegree * k - LocalX();
    if (!std::isfinite(px) || !std::isfinite(py))
        return false;
    x = px;
    y = py;
    return true;
}

bool GxDegreeGridProjection::Proj2LatLong(double x, double y, GxGeoAngle& lat,
                                          GxGeoAngle& lon) const {
    // Before any wrapping: a latitude beyond +-90 is a point off the Earth, not
    // one to wrap back onto it.
    const double latitude = (y + LocalY()) / kMetresPerDegree + m_originLat.GetDecimalDegrees();
    if (!(std::fabs(latitude) <= 90.0))
        return false;
    const GxGeoAngle newLat = (y + LocalY()) / kMetresPerDegree + m_originLat;
    const double k = m_pointCosine ? Cosine(newLat) : m_originCosine;
    const GxGeoAngle newLon = (x + LocalX()) / kMetresPerDegree / k + m_originLon;
    if (!std::isfinite(newLat.GetDecimalDegrees()) || !std::isfinite(newLon.GetDecimalDegrees()))
        return false;
    lat = newLat;
    lon = newLon;
    return true;
}

bool GxDegreeGridProjection::IsEqual(GxSmartRef<GxProjection> other) const {
    if (other.Get() == this)
        return true;
    const auto* grid = dynamic_cast<const GxDegreeGridProjection*>(other.Get());
    return grid && HasEqualFrame(*grid) && m_originLat == grid->m_originLat &&
           m_originLon == grid->m_originLon;
}

bool GxDegreeGridProjection::SetOrigin(GxGeoAngle lat, GxGeoAngle lon) {
    m_originLat = lat;
    m_originLon = lon;
    UpdateInstanceDesc();
    return SetProjection();
}

bool GxDegreeGridProjection::GetOrigin(GxGeoAngle& lat, GxGeoAngle& lon) {
    lat = m_originLat;
    lon = m_originLon;
    return SetProjection();
}

bool GxDegreeGridProjection::GetOrigin(double& lat, double& lon) {
    lat = m_originLat;
    lon = m_originLon;
    return SetProjection();
}

bool GxDegreeGridProjection::SetProjection() {
    m_originCosine = Cosine(m_originLat);
    return true;
}

bool GxDegreeGridProjection::UpdateInstanceDesc() {
    std::string lines = "Origin: ";
    AppendAngle(lines, m_originLat, false);
    lines += ", ";
    AppendAngle(lines, m_originLon, true);
    SetInstanceDesc(lines);
    return true;
}

template class geoframe::detail::GxProjectionOverloads<GxDegreeGridProjection>;
