#include <geoframe/projection/GxTrapezoidalProjection.h>

#include <utility>

GxTrapezoidalProjection::GxTrapezoidalProjection() : GxDegreeGridProjection(true) {
    Start(true);
}

GxTrapezoidalProjection::GxTrapezoidalProjection(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxDegreeGridProjection(true, std::move(ellipsoid)) {
    Start(true);
}

GxTrapezoidalProjection::GxTrapezoidalProjection(GxSmartRef<GxEllipsoidBase> ellipsoid,
                                                 GxGeoAngle originLat, GxGeoAngle originLon)
    : GxDegreeGridProjection(true, std::move(ellipsoid), originLat, originLon) {
    Start(true);
}

GxTrapezoidalProjection::GxTrapezoidalProjection(const GxTrapezoidalProjection& other)
    : GxDegreeGridProjection(other) {
    Start(false);
}

GxTrapezoidalProjection::~GxTrapezoidalProjection() = default;

GxSmartRef<GxProjection> GxTrapezoidalProjection::Clone() const {
    return GxSmartRef<GxProjection>(new GxTrapezoidalProjection(*this));
}

const char* GxTrapezoidalProjection::GetProjectionName() const {
    return "Trapezoidal_PROJ";
}

const char* GxTrapezoidalProjection::GetProjectionDesc() const {
    return "QRN Trapezoidal";
}
