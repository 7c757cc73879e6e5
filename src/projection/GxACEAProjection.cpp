#include <geoframe/projection/GxACEAProjection.h>

#include <utility>

namespace {

constexpr const char* kProjParameter = "proj=aea";

} // namespace

GxACEAProjection::GxACEAProjection() : GxConicProjection(kProjParameter) {
    Start(true, false);
}

GxACEAProjection::GxACEAProjection(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxConicProjection(kProjParameter, std::move(ellipsoid)) {
    Start(true, false);
}

GxACEAProjection::GxACEAProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                                   GxGeoAngle originLon, GxGeoAngle upperLat, GxGeoAngle lowerLat)
    : GxConicProjection(kProjParameter, std::move(ellipsoid), originLat, originLon, upperLat,
                        lowerLat) {
    Start(true, true);
}

GxACEAProjection::GxACEAProjection(const GxACEAProjection& other) : GxConicProjection(other) {
    Start(false, other.ConfigureHasRun());
}

GxACEAProjection::~GxACEAProjection() = default;

GxSmartRef<GxProjection> GxACEAProjection::Clone() const {
    return GxSmartRef<GxProjection>(new GxACEAProjection(*this));
}

const char* GxACEAProjection::GetProjectionName() const {
    return "ACEA_PROJ";
}

const char* GxACEAProjection::GetProjectionDesc() const {
    return "ACEA (Albers Conical Equal Area)";
}
