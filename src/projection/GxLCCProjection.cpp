#include <geoframe/projection/GxLCCProjection.h>

#include <utility>

namespace {

constexpr const char* kProjParameter = "proj=lcc";

} // namespace

GxLCCProjection::GxLCCProjection() : GxConicProjection(kProjParameter) {
    Start(true, false);
}

GxLCCProjection::GxLCCProjection(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxConicProjection(kProjParameter, std::move(ellipsoid)) {
    Start(true, false);
}

GxLCCProjection::GxLCCProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                                 GxGeoAngle originLon, GxGeoAngle upperLat, GxGeoAngle lowerLat)
    : GxConicProjection(kProjParameter, std::move(ellipsoid), originLat, originLon, upperLat,
                        lowerLat) {
    Start(true, true);
}

GxLCCProjection::GxLCCProjection(const GxLCCProjection& other) : GxConicProjection(other) {
    Start(false, other.ConfigureHasRun());
}

GxLCCProjection::~GxLCCProjection() = default;

GxSmartRef<GxProjection> GxLCCProjection::Clone() const {
    return GxSmartRef<GxProjection>(new GxLCCProjection(*this));
}

const char* GxLCCProjection::GetProjectionName() const {
    return "LCC_PROJ";
}

const char* GxLCCProjection::GetProjectionDesc() const {
    return "LCC (Lambert Conformal Conic)";
}
