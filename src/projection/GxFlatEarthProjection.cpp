#include <geoframe/projection/GxFlatEarthProjection.h>

#include <utility>

namespace {

const GxDegreeGridProjection::Kind kFlatEarth = {"FlatEarth_PROJ", "QRN Flat Earth",
                                                 GxDegreeGridProjection::Cosine::OfOrigin,
                                                 "gxFlatEarthSphere"};

} // namespace

GxFlatEarthProjection::GxFlatEarthProjection() : GxDegreeGridProjection(kFlatEarth) {}

GxFlatEarthProjection::GxFlatEarthProjection(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxDegreeGridProjection(kFlatEarth, std::move(ellipsoid)) {}

GxFlatEarthProjection::GxFlatEarthProjection(GxSmartRef<GxEllipsoidBase> ellipsoid,
                                             GxGeoAngle originLat, GxGeoAngle originLon)
    : GxDegreeGridProjection(kFlatEarth, std::move(ellipsoid), originLat, originLon) {}

GxFlatEarthProjection::GxFlatEarthProjection(const GxFlatEarthProjection& other) = default;

GxFlatEarthProjection::~GxFlatEarthProjection() = default;

GxSmartRef<GxProjection> GxFlatEarthProjection::Clone() const {
    return GxSmartRef<GxProjection>(new GxFlatEarthProjection(*this));
}
