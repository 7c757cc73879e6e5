#include <geoframe/projection/GxStereographicProjection.h>

#include <string>
#include <typeinfo>
#include <utility>

namespace {

constexpr const char* kProjParameter = "proj=stere";
constexpr double kDefaultScaleLat = 90.0;
constexpr double kDefaultScaleK0 = 0.994;
/// Forward conversions limit latitudes to this magnitude, so that a pole converts.
constexpr double kLatitudeLimit = 89.99999;

} // namespace

GxStereographicProjection::GxStereographicProjection()
    : GxProj4Projection(kProjParameter), m_scaleLat(kDefaultScaleLat), m_scaleK0(kDefaultScaleK0),
      m_useScaleK0(false) {
    SetLatitudeLimit(kLatitudeLimit);
    UpdateInstanceDesc();
}

GxStereographicProjection::GxStereographicProjection(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxProj4Projection(kProjParameter, std::move(ellipsoid)), m_scaleLat(kDefaultScaleLat),
      m_scaleK0(kDefaultScaleK0), m_useScaleK0(false) {
    SetLatitudeLimit(kLatitudeLimit);
    UpdateInstanceDesc();
}

GxStereographicProjection::GxStereographicProjection(GxSmartRef<GxEllipsoidBase> ellipsoid,
                                                     GxGeoAngle originLat, GxGeoAngle originLon,
                                                     GxGeoAngle scaleLat)
    : GxProj4Projection(kProjParameter, std::move(ellipsoid)), m_originLat(originLat),
      m_originLon(originLon), m_scaleLat(scaleLat), m_scaleK0(kDefaultScaleK0),
      m_useScaleK0(false) {
    SetLatitudeLimit(kLatitudeLimit);
    UpdateInstanceDesc();
    SetProjection();
}

GxStereographicProjection::GxStereographicProjection(GxSmartRef<GxEllipsoidBase> ellipsoid,
                                                     GxGeoAngle originLat, GxGeoAngle originLon,
                                                     double scaleK0)
    : GxProj4Projection(kProjParameter, std::move(ellipsoid)), m_originLat(originLat),
      m_originLon(originLon), m_scaleLat(kDefaultScaleLat), m_scaleK0(scaleK0), m_useScaleK0(true) {
    SetLatitudeLimit(kLatitudeLimit);
    UpdateInstanceDesc();
    SetProjection();
}

GxStereographicProjection::GxStereographicProjection(const GxStereographicProjection& other)
    : GxProj4Projection(other), m_originLat(other.m_originLat), m_originLon(other.m_originLon),
      m_scaleLat(other.m_scaleLat), m_scaleK0(other.m_scaleK0), m_useScaleK0(other.m_useScaleK0) {
    UpdateInstanceDesc();
    if (other.ConfigureHasRun())
        SetProjection();
}

GxStereographicProjection::~GxStereographicProjection() = default;

GxSmartRef<GxProjection> GxStereographicProjection::Clone() const {
    return GxSmartRef<GxProjection>(new GxStereographicProjection(*this));
}

const char* GxStereographicProjection::GetProjectionName() const {
    return "Stereog_PROJ";
}

const char* GxStereographicProjection::GetProjectionDesc() const {
    return "Stereographic";
}

bool GxStereographicProjection::IsEqual(GxSmartRef<GxProjection> other) const {
    if (other.Get() == this)
        return true;
    // The same class: a UPS projection converts differently near its pole.
    const auto* stere = dynamic_cast<const GxStereographicProjection*>(other.Get());
    if (!stere || typeid(*stere) != typeid(*this) || !HasEqualFrame(*stere) ||
        m_originLat != stere->m_originLat || m_originLon != stere->m_originLon ||
        m_useScaleK0 != stere->m_useScaleK0)
        return false;
    return m_useScaleK0 ? m_scaleK0 == stere->m_scaleK0 : m_scaleLat == stere->m_scaleLat;
}

bool GxStereographicProjection::SetOriginLatLong(GxGeoAngle lat, GxGeoAngle lon) {
    m_originLat = lat;
    m_originLon = lon;
    Changed(); // true even when PROJ refuses: the refusal shows in conversions
    return true;
}

bool GxStereographicProjection::SetScaleLat(GxGeoAngle lat) {
    m_scaleLat = lat;
    m_useScaleK0 = false;
    Changed(); // true even when PROJ refuses: the refusal shows in conversions
    return true;
}

bool GxStereographicProjection::SetScaleK0(double k0) {
    m_scaleK0 = k0;
    m_useScaleK0 = true;
    Changed(); // true even when PROJ refuses: the refusal shows in conversions
    return true;
}

bool GxStereographicProjection::GetOriginLatLong(GxGeoAngle& lat, GxGeoAngle& lon) const {
    lat = m_originLat;
    lon = m_originLon;
    return true;
}

bool GxStereographicProjection::GetOriginLatLong(double& lat, double& lon) const {
    lat = m_originLat;
    lon = m_originLon;
    return true;
}

bool GxStereographicProjection::GetScaleLat(GxGeoAngle& lat) const {
    lat = m_scaleLat;
    return true;
}

bool GxStereographicProjection::GetScaleLat(double& lat) const {
    lat = m_scaleLat;
    return true;
}

bool GxStereographicProjection::GetScaleK0(double& k0) const {
    k0 = m_scaleK0;
    return true;
}

bool GxStereographicProjection::GetUseScaleK0(bool& useK0) const {
    useK0 = m_useScaleK0;
    return true;
}

bool GxStereographicProjection::SetProjection() {
    return Configure({Parameter("lat_0=", m_originLat.GetDecimalDegrees()),
                      Parameter("lon_0=", m_originLon.GetDecimalDegrees()),
                      m_useScaleK0 ? Parameter("k=", m_scaleK0)
                                   : Parameter("lat_1=", m_scaleLat.GetDecimalDegrees())});
}

bool GxStereographicProjection::UpdateInstanceDesc() {
    std::string lines;
    AppendOrigin(lines, m_originLat, m_originLon);
    if (m_useScaleK0) {
        lines += "\nK0: ";
        lines += Number(m_scaleK0);
    } else {
        lines += "\nScale Lat: ";
        AppendAngle(lines, m_scaleLat, false);
    }
    SetInstanceDesc(lines);
    return true;
}
