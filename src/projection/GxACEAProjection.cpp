#include <geoframe/projection/GxACEAProjection.h>

#include <utility>

namespace {

const GxConicProjection::Kind kAlbers = {"proj=aea", "ACEA_PROJ",
                                         "ACEA (Albers Conical Equal Area)"};

} // namespace

GxACEAProjection::GxACEAProjection() : GxConicProjection(kAlbers) {}

GxACEAProjection::GxACEAProjection(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxConicProjection(kAlbers, std::move(ellipsoid)) {}

GxACEAProjection::GxACEAProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                                   GxGeoAngle originLon, GxGeoAngle upperLat, GxGeoAngle lowerLat)
    : GxConicProjection(kAlbers, std::move(ellipsoid), originLat, originLon, upperLat, lowerLat) {}

GxACEAProjection::GxACEAProjection(const GxACEAProjection& other) = default;

GxACEAProjection::~GxACEAProjection() = default;

GxSmartRef<GxProjection> GxACEAProjection::Clone() const {
    return GxSmartRef<GxProjection>(new GxACEAProjection(*this));
}
