#include <geoframe/projection/GxProjection.h>

#include <geoframe/geodesy/GxEllipsoid.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace {

std::uint64_t RevisionOf(const GxSmartRef<GxEllipsoidBase>& ellipsoid) {
    return ellipsoid ? ellipsoid->GetRevision() : 0;
}

/// The "Datum: " line shows at most this many characters of the ellipsoid's name.
constexpr std::size_t kDatumNameLength = 10;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

// A constructor builds from the ellipsoid as it stands; a copy takes the
// original's description and so the revision that description was built at.

GxProjection::GxProjection()
    : m_localX(0.0), m_localY(0.0), m_localZ(0.0), m_ellipsoid(new GxEllipsoid("WGS84")),
      m_hasDescription(false), m_builtRevision(RevisionOf(m_ellipsoid)) {}

GxProjection::GxProjection(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : m_localX(0.0), m_localY(0.0), m_localZ(0.0), m_ellipsoid(std::move(ellipsoid)),
      m_hasDescription(false), m_builtRevision(RevisionOf(m_ellipsoid)) {}

GxProjection::GxProjection(const GxProjection& other)
    : GxRefBase(), m_localX(other.m_localX), m_localY(other.m_localY), m_localZ(other.m_localZ),
      m_ellipsoid(other.m_ellipsoid), m_description(other.m_description),
      m_hasDescription(other.m_hasDescription), m_builtRevision(other.m_builtRevision) {}

GxProjection::~GxProjection() = default;

bool GxProjection::GetLocalOrigin(double& x, double& y, double& z) const {
    x = m_localX;
    y = m_localY;
    z = m_localZ;
    return true;
}

GxSmartRef<GxEllipsoidBase> GxProjection::GetEllipsoid() const {
    return m_ellipsoid;
}

const char* GxProjection::GetProjectionInstanceDesc() const {
    Refresh();
    return m_hasDescription ? m_description.c_str() : nullptr;
}

bool GxProjection::SetLocalOrigin(double x, double y, double z) {
    m_localX = x;
    m_localY = y;
    m_localZ = z;
    return SetProjection();
}

bool GxProjection::SetEllipsoid(GxSmartRef<GxEllipsoidBase> ellipsoid) {
    m_ellipsoid = std::move(ellipsoid);
    m_builtRevision = RevisionOf(m_ellipsoid);
    return Changed();
}

bool GxProjection::ReconfiguresOnEllipsoidChange() const {
    return true;
}

void GxProjection::Rebuild() const {
    m_builtRevision = RevisionOf(m_ellipsoid);
    // The library's projections touch only mutable state here (description, PROJ
    // adapter), so the rebuild is sound on a projection defined const too.
    auto* self = const_cast<GxProjection*>(this);
    if (ReconfiguresOnEllipsoidChange())
        self->Changed();
    else
        self->UpdateInstanceDesc();
}

void GxProjection::LLE2Proj(GxGeoAngle lat, GxGeoAngle lon, double elev, double& x, double& y,
                            double& z) const {
    LatLong2Proj(lat, lon, x, y);
    z = elev - m_localZ;
}

void GxProjection::Proj2LLE(double x, double y, double z, double& lat, double& lon,
                            double& elev) const {
    Proj2LatLong(x, y, lat, lon);
    elev = z + m_localZ;
}

std::size_t GxProjection::LatLong2ProjArray(std::size_t n, const double* lat, const double* lon,
                                            double* x, double* y) const {
    std::size_t converted = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // Both inputs are read before either output is written: they may be the
        // same memory.
        const GxGeoAngle latitude(lat[i]);
        const GxGeoAngle longitude(lon[i]);
        double px, py;
        const bool ok = std::fabs(latitude.GetDecimalDegrees()) <= 90.0 &&
                        LatLong2Proj(latitude, longitude, px, py);
        x[i] = ok ? px : kNaN;
        y[i] = ok ? py : kNaN;
        converted += ok;
    }
    return converted;
}

std::size_t GxProjection::Proj2LatLongArray(std::size_t n, const double* x, const double* y,
                                            double* lat, double* lon) const {
    std::size_t converted = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double la, lo;
        const bool ok = Proj2LatLong(x[i], y[i], la, lo);
        lat[i] = ok ? la : kNaN;
        lon[i] = ok ? lo : kNaN;
        converted += ok;
    }
    return converted;
}

void GxProjection::SetInstanceDesc(std::string_view lines) {
    std::string text = GetProjectionDesc();
    text += '\n';
    if (!lines.empty()) {
        text += lines;
        text += '\n';
    }
    text += "Datum: ";
    const char* name = m_ellipsoid ? m_ellipsoid->GetEllipsoid() : nullptr;
    if (name)
        text.append(name, strnlen(name, kDatumNameLength));
    else
        text += "Unknown";
    m_description = std::move(text);
    m_hasDescription = true;
}

bool GxProjection::HasEqualFrame(const GxProjection& other) const {
    if (std::strcmp(other.GetProjectionName(), GetProjectionName()) != 0)
        return false;
    const GxSmartRef<GxEllipsoidBase> otherEllipsoid = other.GetEllipsoid();
    if (!m_ellipsoid || !otherEllipsoid) {
        if (m_ellipsoid || otherEllipsoid)
            return false;
    } else if (!(*m_ellipsoid == *otherEllipsoid)) {
        return false;
    }
    double x, y, z;
    other.GetLocalOrigin(x, y, z);
    return x == m_localX && y == m_localY && z == m_localZ;
}

void GxProjection::AppendOrigin(std::string& text, double lat, double lon) {
    text += "Origin: ";
    AppendAngle(text, lat, false);
    text += ", ";
    AppendAngle(text, lon, true);
}

bool GxProjection::Changed() {
    UpdateInstanceDesc();
    return SetProjection();
}

void GxProjection::AppendAngle(std::string& text, double degrees, bool longitude) {
    const GxGeoAngle angle(degrees, longitude ? "EAST" : "NORTH");
    char* dms = angle.GetDMSString(2);
    text += dms;
    angle.FreeString(dms);
}
