#include <geoframe/projection/GxConicProjection.h>

#include <string>
#include <utility>

// The constructors call this class's own description and configuration, which
// are the family's (a constructor's virtual calls stay in its class).

GxConicProjection::GxConicProjection(const Kind& kind)
    : GxProj4Projection(kind.projParameter), m_kind(&kind), m_upperLat(1.0) {
    UpdateInstanceDesc();
}

GxConicProjection::GxConicProjection(const Kind& kind, GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxProj4Projection(kind.projParameter, std::move(ellipsoid)), m_kind(&kind) {
    UpdateInstanceDesc();
}

GxConicProjection::GxConicProjection(const Kind& kind, GxSmartRef<GxEllipsoidBase> ellipsoid,
                                     GxGeoAngle originLat, GxGeoAngle originLon,
                                     GxGeoAngle upperLat, GxGeoAngle lowerLat)
    : GxProj4Projection(kind.projParameter, std::move(ellipsoid)), m_kind(&kind),
      m_originLat(originLat), m_originLon(originLon), m_upperLat(upperLat), m_lowerLat(lowerLat) {
    UpdateInstanceDesc();
    SetProjection();
}

GxConicProjection::GxConicProjection(const GxConicProjection& other)
    : GxProj4Projection(other), m_kind(other.m_kind), m_originLat(other.m_originLat),
      m_originLon(other.m_originLon), m_upperLat(other.m_upperLat), m_lowerLat(other.m_lowerLat) {
    if (other.ConfigureHasRun())
        SetProjection();
}

GxConicProjection::~GxConicProjection() = default;

const char* GxConicProjection::GetProjectionName() const {
    return m_kind->name;
}

const char* GxConicProjection::GetProjectionDesc() const {
    return m_kind->description;
}

bool GxConicProjection::SetOriginLatLong(GxGeoAngle lat, GxGeoAngle lon) {
    m_originLat = lat;
    m_originLon = lon;
    Changed(); // true even when PROJ refuses: the refusal shows in conversions
    return true;
}

bool GxConicProjection::SetUpperLat(GxGeoAngle lat) {
    m_upperLat = lat;
    Changed();
    return true;
}

bool GxConicProjection::SetLowerLat(GxGeoAngle lat) {
    m_lowerLat = lat;
    Changed();
    return true;
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
    std::string lines;
    AppendOrigin(lines, m_originLat, m_originLon);
    lines += "\nUpper, Lower: ";
    AppendAngle(lines, m_upperLat, false);
    lines += ", ";
    AppendAngle(lines, m_lowerLat, false);
    SetInstanceDesc(lines);
    return true;
}
