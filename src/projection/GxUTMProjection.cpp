#include <geoframe/projection/GxUTMProjection.h>

#include <geoframe/projection/GxUPSProjection.h>

#include "geodesy/detail/BatchKernels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace {

constexpr const char* kProjParameter = "proj=utm";
constexpr int kDefaultZone = 10;
constexpr int kFirstZone = 1;
constexpr int kLastZone = 60;

bool IsZone(int zone) {
    return zone >= kFirstZone && zone <= kLastZone;
}

/// What an unconfigured projection gives for every point: NaN in both outputs.
std::size_t NoneConverted(std::size_t n, double* a, double* b) {
    for (std::size_t i = 0; i < n; ++i)
        a[i] = b[i] = std::numeric_limits<double>::quiet_NaN();
    return 0;
}

} // namespace

GxUTMProjection::GxUTMProjection()
    : GxProj4Projection(kProjParameter), m_zone(kDefaultZone), m_hemisphere(0) {
    UpdateInstanceDesc();
}

GxUTMProjection::GxUTMProjection(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxProj4Projection(kProjParameter, std::move(ellipsoid)), m_zone(kDefaultZone),
      m_hemisphere(0) {
    UpdateInstanceDesc();
}

GxUTMProjection::GxUTMProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, int zone, int hemisphere)
    : GxProj4Projection(kProjParameter, std::move(ellipsoid)),
      m_zone(std::clamp(zone, kFirstZone, kLastZone)), m_hemisphere(hemisphere) {
    UpdateInstanceDesc();
    SetProjection();
}

GxUTMProjection::GxUTMProjection(const GxUTMProjection& other)
    : GxProj4Projection(other), m_zone(other.m_zone), m_hemisphere(other.m_hemisphere) {
    if (other.ConfigureHasRun())
        SetProjection();
}

GxUTMProjection::~GxUTMProjection() = default;

GxSmartRef<GxProjection> GxUTMProjection::Clone() const {
    return GxSmartRef<GxProjection>(new GxUTMProjection(*this));
}

const char* GxUTMProjection::GetProjectionName() const {
    return "UTM_PROJ";
}

const char* GxUTMProjection::GetProjectionDesc() const {
    return "UTM (Universal Transverse Mercator)";
}

bool GxUTMProjection::IsEqual(GxSmartRef<GxProjection> other) const {
    if (other.Get() == this)
        return true;
    const auto* utm = dynamic_cast<const GxUTMProjection*>(other.Get());
    return utm && HasEqualFrame(*utm) && m_zone == utm->m_zone && m_hemisphere == utm->m_hemisphere;
}

bool GxUTMProjection::GetZone(int& zone) const {
    zone = m_zone;
    return true;
}

bool GxUTMProjection::GetHemisphere(int& hemisphere) const {
    hemisphere = m_hemisphere;
    return true;
}

bool GxUTMProjection::SetZone(int zone) {
    if (!IsZone(zone))
        return false;
    m_zone = zone;
    return Changed();
}

bool GxUTMProjection::SetHemisphere(int hemisphere) {
    m_hemisphere = hemisphere;
    return Changed();
}

bool GxUTMProjection::ZoneOfLong(double lon, int& zone) const {
    if (!std::isfinite(lon))
        return false;
    // Whole turns come off as GxGeoAngle takes them off, which leaves 180 for
    // every longitude a whole number of turns from 180; that meridian is the
    // western edge of zone 1.
    const double wrapped = GxGeoAngle(lon).GetDecimalDegrees();
    if (!(wrapped >= -180.0 && wrapped <= 180.0))
        return false;
    const int band = static_cast<int>(std::trunc((wrapped + 180.0) / 6.0)) + 1;
    zone = band > kLastZone ? kFirstZone : band;
    return true;
}

std::size_t GxUTMProjection::LatLong2ProjArray(std::size_t n, const double* lat, const double* lon,
                                               double* x, double* y) const {
    Refresh();
    if (!m_series)
        return NoneConverted(n, x, y);
    return geoframe::detail::TmForwardArray(*m_series, LocalX(), LocalY(), n, lat, lon, x, y);
}

std::size_t GxUTMProjection::Proj2LatLongArray(std::size_t n, const double* x, const double* y,
                                               double* lat, double* lon) const {
    Refresh();
    if (!m_series)
        return NoneConverted(n, lat, lon);
    return geoframe::detail::TmInverseArray(*m_series, LocalX(), LocalY(), n, x, y, lat, lon);
}

bool GxUTMProjection::StandardZone(double lat, double lon, int& zone, int& hemisphere) {
    if (!std::isfinite(lon) || !(lat >= -90.0 && lat <= 90.0))
        return false;
    int chosen = 0;
    if (lat < 84.0 && lat >= -80.0) {
        // remainder is exact and gives -180 to 180; whole degrees from -180 to 179
        // then decide every band edge exactly.
        int degree = static_cast<int>(std::floor(std::remainder(lon, 360.0)));
        if (degree == 180)
            degree = -180;
        chosen = (degree + 186) / 6;
        if (lat >= 56.0 && lat < 64.0 && chosen == 31 && degree >= 3)
            chosen = 32;
        else if (lat >= 72.0 && degree >= 0 && degree < 42)
            chosen = 2 * ((degree + 183) / 12) + 1;
    }
    zone = chosen;
    hemisphere = lat < 0.0 ? 1 : 0;
    return true;
}

GxSmartRef<GxProjection> GxUTMProjection::NewStandardZone(GxSmartRef<GxEllipsoidBase> ellipsoid,
                                                          int zone, int hemisphere) {
    if (zone == 0)
        return GxSmartRef<GxProjection>(new GxUPSProjection(std::move(ellipsoid), hemisphere));
    if (!IsZone(zone))
        return GxSmartRef<GxProjection>();
    return GxSmartRef<GxProjection>(new GxUTMProjection(std::move(ellipsoid), zone, hemisphere));
}

bool GxUTMProjection::SetProjection() {
    const std::string zone = Parameter("zone=", m_zone);
    const bool south = m_hemisphere != 0;
    const bool configured = south ? Configure({"south", zone}) : Configure({zone});
    double a, b;
    if (configured && ConfiguredRadii(a, b))
        m_series.reset(
            new geoframe::detail::TmSeries(geoframe::detail::MakeUtmSeries(a, b, m_zone, south)));
    else
        m_series.reset();
    return configured;
}

bool GxUTMProjection::UpdateInstanceDesc() {
    std::string lines = "Zone: " + std::to_string(m_zone);
    lines += m_hemisphere != 0 ? ", SOUTH" : ", NORTH";
    SetInstanceDesc(lines);
    return true;
}
