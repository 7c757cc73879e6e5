#include <geoframe/projection/GxTrapezoidalProjection.h>

#include <utility>

namespace {

const GxDegreeGridProjection::Kind kTrapezoidal = {
    "Trapezoidal_PROJ", "QRN Trapezoidal", GxDegreeGridProjection::Cosine::OfPoint, nullptr};

} // namespace

GxTrapezoidalProjection::GxTrapezoidalProjection() : GxDegreeGridProjection(kTrapezoidal) {}

GxTrapezoidalProjection::GxTrapezoidalProjection(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxDegreeGridProjection(kTrapezoidal, std::move(ellipsoid)) {}

GxTrapezoidalProjection::GxTrapezoidalProjection(GxSmartRef<GxEllipsoidBase> ellipsoid,
                                                 GxGeoAngle originLat, GxGeoAngle originLon)
    : GxDegreeGridProjection(kTrapezoidal, std::move(ellipsoid), originLat, originLon) {}

GxTrapezoidalProjection::GxTrapezoidalProjection(const GxTrapezoidalProjection& other) = default;

GxTrapezoidalProjection::~GxTrapezoidalProjection() = default;

GxSmartRef<GxProjection> GxTrapezoidalProjection::Clone() const {
    return GxSmartRef<GxProjection>(new GxTrapezoidalProjection(*this));
}
