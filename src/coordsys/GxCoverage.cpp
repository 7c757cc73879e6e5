#include <geoframe/coordsys/GxCoverage.h>

#include <geoframe/coordsys/GxCoordSys.h>
#include <geoframe/geodesy/GxEllipsoid.h>

namespace {

/// A latitude/longitude system without projection on a new WGS84 ellipsoid, with
/// the units "Angular Distance" and "Degrees" when `withUnits` is set.
GxSmartRef<GxCoordSysBase> NewLatLongSystem(bool withUnits) {
    GxSmartRef<GxCoordSysBase> coordSys(new GxCoordSys());
    coordSys->SetEllipsoid(GxSmartRef<GxEllipsoidBase>(new GxEllipsoid("WGS84")));
    if (withUnits)
        coordSys->SetUnits("Angular Distance", "Degrees");
    return coordSys;
}

} // namespace

GxCoverage::GxCoverage() : GxCoverage(-180.0, -90.0, 180.0, 90.0, GxSmartRef<GxCoordSysBase>()) {}

GxCoverage::GxCoverage(double originX, double originY, double extentX, double extentY,
                       GxSmartRef<GxCoordSysBase> coordSys)
    : m_originY(originY), m_originX(originX), m_extentY(extentY), m_extentX(extentX),
      m_coordSys(coordSys ? std::move(coordSys) : NewLatLongSystem(true)) {}

GxCoverage::GxCoverage(const GxCoverage& other)
    : GxCoverageBase(), m_originY(other.m_originY), m_originX(other.m_originX),
      m_extentY(other.m_extentY), m_extentX(other.m_extentX),
      m_coordSys(other.m_coordSys ? other.m_coordSys->Clone() : GxSmartRef<GxCoordSysBase>()) {}

GxCoverage& GxCoverage::operator=(const GxCoverage& other) {
    m_originY = other.m_originY;
    m_originX = other.m_originX;
    m_extentY = other.m_extentY;
    m_extentX = other.m_extentX;
    m_coordSys = other.m_coordSys;
    return *this;
}

GxCoverage::~GxCoverage() = default;

GxSmartRef<GxCoverageBase> GxCoverage::Clone() const {
    return GxSmartRef<GxCoverageBase>(new GxCoverage(*this));
}

bool GxCoverage::SetOrigin(double x, double y) {
    m_originX = x;
    m_originY = y;
    return true;
}

bool GxCoverage::SetOriginX(double x) {
    m_originX = x;
    return true;
}

bool GxCoverage::SetOriginY(double y) {
    m_originY = y;
    return true;
}

bool GxCoverage::SetExtent(double x, double y) {
    m_extentX = x;
    m_extentY = y;
    return true;
}

bool GxCoverage::SetExtentX(double x) {
    m_extentX = x;
    return true;
}

bool GxCoverage::SetExtentY(double y) {
    m_extentY = y;
    return true;
}

bool GxCoverage::SetCoordSystem(GxSmartRef<GxCoordSysBase> coordSys) {
    m_coordSys = coordSys ? std::move(coordSys) : NewLatLongSystem(false);
    return true;
}

bool GxCoverage::GetOrigin(double& x, double& y) const {
    x = m_originX;
    y = m_originY;
    return true;
}

double GxCoverage::GetOriginX() const {
    return m_originX;
}

double GxCoverage::GetOriginY() const {
    return m_originY;
}

bool GxCoverage::GetExtent(double& x, double& y) const {
    x = m_extentX;
    y = m_extentY;
    return true;
}

double GxCoverage::GetExtentX() const {
    return m_extentX;
}

double GxCoverage::GetExtentY() const {
    return m_extentY;
}

bool GxCoverage::GetCoordSystem(GxSmartRef<GxCoordSysBase>& coordSys) const {
    if (!m_coordSys)
        return false;
    coordSys = m_coordSys;
    return true;
}

bool GxCoverage::operator==(const GxCoverageBase& other) const {
    if (&other == this)
        return true;
    double x, y;
    if (!other.GetOrigin(x, y) || x != m_originX || y != m_originY)
        return false;
    if (!other.GetExtent(x, y) || x != m_extentX || y != m_extentY)
        return false;
    GxSmartRef<GxCoordSysBase> coordSys;
    if (!other.GetCoordSystem(coordSys) || !coordSys)
        return !m_coordSys;
    return m_coordSys && *m_coordSys == *coordSys;
}

bool GxCoverage::operator!=(const GxCoverageBase& other) const {
    return !operator==(other);
}
