#include <geoframe/projection/GxDegreeGridProjection.h>

#include "projection/ProjectionOverloads.h"

#include <cmath>
#include <string>
#include <utility>

// The constructors call this class's own description and cosine (a
// constructor's virtual calls stay in its class).

GxDegreeGridProjection::GxDegreeGridProjection(const Kind& kind)
    : GxProjectionOverloads(), m_kind(&kind), m_originCosine(1.0) {
    // The ellipsoid object the base made is re-set in place, not replaced.
    if (GxEllipsoidBase* ellipsoid = Ellipsoid(); ellipsoid && kind.defaultEllipsoid)
        ellipsoid->SetEllipsoid(kind.defaultEllipsoid, 0.0, 0.0, 0.0);
    Changed();
}

GxDegreeGridProjection::GxDegreeGridProjection(const Kind& kind,
                                               GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxProjectionOverloads(std::move(ellipsoid)), m_kind(&kind), m_originCosine(1.0) {
    Changed();
}

GxDegreeGridProjection::GxDegreeGridProjection(const Kind& kind,
                                               GxSmartRef<GxEllipsoidBase> ellipsoid,
                                               GxGeoAngle originLat, GxGeoAngle originLon)
    : GxProjectionOverloads(std::move(ellipsoid)), m_kind(&kind), m_originLat(originLat),
      m_originLon(originLon), m_originCosine(1.0) {
    Changed();
}

GxDegreeGridProjection::GxDegreeGridProjection(const GxDegreeGridProjection& other)
    : GxProjectionOverloads(other), m_kind(other.m_kind), m_originLat(other.m_originLat),
      m_originLon(other.m_originLon), m_originCosine(other.m_originCosine) {}

GxDegreeGridProjection::~GxDegreeGridProjection() = default;

const char* GxDegreeGridProjection::GetProjectionName() const {
    return m_kind->name;
}

const char* GxDegreeGridProjection::GetProjectionDesc() const {
    return m_kind->description;
}

double GxDegreeGridProjection::CosineOf(double degrees) {
    return std::cos(degrees * kPi / 180.0);
}

bool GxDegreeGridProjection::LatLong2Proj(GxGeoAngle lat, GxGeoAngle lon, double& x,
                                          double& y) const {
    const double k = m_kind->cosine == Cosine::OfPoint ? CosineOf(lat) : m_originCosine;
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
    const double k = m_kind->cosine == Cosine::OfPoint ? CosineOf(newLat) : m_originCosine;
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
    return Changed();
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
    m_originCosine = CosineOf(m_originLat);
    return true;
}

bool GxDegreeGridProjection::UpdateInstanceDesc() {
    std::string lines;
    AppendOrigin(lines, m_originLat, m_originLon);
    SetInstanceDesc(lines);
    return true;
}

template class geoframe::detail::GxProjectionOverloads<GxDegreeGridProjection>;
