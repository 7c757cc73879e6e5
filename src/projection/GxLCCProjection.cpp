#include <geoframe/projection/GxLCCProjection.h>

#include <utility>

namespace {

const GxConicProjection::Kind kLambert = {"proj=lcc", "LCC_PROJ", "LCC (Lambert Conformal Conic)"};

} // namespace

GxLCCProjection::GxLCCProjection() : GxConicProjection(kLambert) {}

GxLCCProjection::GxLCCProjection(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxConicProjection(kLambert, std::move(ellipsoid)) {}

GxLCCProjection::GxLCCProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                                 GxGeoAngle originLon, GxGeoAngle upperLat, GxGeoAngle lowerLat)
    : GxConicProjection(kLambert, std::move(ellipsoid), originLat, originLon, upperLat, lowerLat) {}

GxLCCProjection::GxLCCProjection(const GxLCCProjection& other) = default;

GxLCCProjection::~GxLCCProjection() = default;

GxSmartRef<GxProjection> GxLCCProjection::Clone() const {
    return GxSmartRef<GxProjection>(new GxLCCProjection(*this));
}
