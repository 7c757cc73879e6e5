#include <geoframe/projection/GxConicProjection.h>

#include <string>
#include <utility>

GxConicProjection::GxConicProjection(const char* projParameter)
    : GxProj4Projection(projParameter), m_upperLat(1.0) {}

GxConicProjection::GxConicProjection(const char* projParameter,
                                     GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxProj4Projection(projParameter, std::move(ellipsoid)) {}

GxConicProjection::GxConicProjection(const char* projParameter,
                                     GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                                     GxGeoAngle originLon, GxGeoAngle upperLat, GxGeoAngle lowerLat)
    : GxProj4Projection(projParameter, std::move(ellipsoid)), m_originLat(originLat),
      m_originLon(originLon), m_upperLat(upperLat), m_lowerLat(lowerLat) {}

GxConicProjection::GxConicProjection(const GxConicProjection& other)
    : GxProj4Projection(other), m_originLat(other.m_originLat), m_originLon(other.m_originLon),
      m_upperLat(other.m_upperLat), m_lowerLat(other.m_lowerLat) {}

GxConicProjection::~GxConicProjection() = default;

void GxConicProjection::Start(bool describe, bool configure) {
    if (describe)
        UpdateInstanceDesc();
    if (configure)
        SetProjection();
}

bool GxConicProjection::Changed() {
    SetProjection();
    UpdateInstanceDesc();
    return true;
}

bool GxConicProjection::SetOriginLatLong(GxGeoAngle lat, GxGeoAngle lon) {
    m_originLat = lat;
    m_originLon = lon;
    return Changed();
}

bool GxConicProjection::SetUpperLat(GxGeoAngle lat) {
    m_upperLat = lat;
    return Changed();
}

bool GxConicProjection::SetLowerLat(GxGeoAngle lat) {
    m_lowerLat = lat;
    return Changed();
}

bool GxConicProjection::GetOriginLatLong(GxGeoAngle& lat, GxGeoAngle& lon) const {
    lat = m_originLat;
    lon = m_originLon;
    return true;
}

bool GxConicProjection::GetOriginLatLong(double& lat, double& lon) const {
    lat = m_originLat;
    lon = m_originLon;
    return true;
}

bool GxConicProjection::GetUpperLat(GxGeoAngle& lat) const {
    lat = m_upperLat;
    return true;
}

bool GxConicProjection::GetUpperLat(double& lat) const {
    lat = m_upperLat;
    return true;
}

bool GxConicProjection::GetLowerLat(GxGeoAngle& lat) const {
    lat = m_lowerLat;
    return true;
}

bool GxConicProjection::GetLowerLat(double& lat) const {
    lat = m_lowerLat;
    return true;
}

bool GxConicProjection::IsEqual(GxSmartRef<GxProjection> other) const {
    if (other.Get() == this)
        return true;
    const auto* conic = dynamic_cast<const GxConicProjection*>(other.Get());
    return conic && HasEqualFrame(*conic) && m_originLat == conic->m_originLat &&
           m_originLon == conic->m_originLon && m_upperLat == conic->m_upperLat &&
           m_lowerLat == conic->m_lowerLat;
}

bool GxConicProjection::SetProjection() {
    return Configure({Parameter("lat_0=", m_originLat.GetDecimalDegrees()),
                      Parameter("lon_0=", m_originLon.GetDecimalDegrees()),
                      Parameter("lat_1=", m_lowerLat.GetDecimalDegrees()),
                      Parameter("lat_2=", m_upperLat.GetDecimalDegrees())});
}

bool GxConicProjection::UpdateInstanceDesc() {
    std::string lines = "Origin: ";
    AppendAngle(lines, m_originLat, false);
    lines += ", ";
    AppendAngle(lines, m_originLon, true);
    lines += "\nUpper, Lower: ";
    AppendAngle(lines, m_upperLat, false);
    lines += ", ";
    AppendAngle(lines, m_lowerLat, false);
    SetInstanceDesc(lines);
    return true;
}
