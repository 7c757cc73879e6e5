#include <geoframe/projection/GxFlatEarthProjection.h>

#include <utility>

GxFlatEarthProjection::GxFlatEarthProjection() : GxDegreeGridProjection(false) {
    // The ellipsoid object the base made is re-set in place, not replaced.
    if (GxEllipsoidBase* ellipsoid = Ellipsoid())
        ellipsoid->SetEllipsoid("gxFlatEarthSphere", 0.0, 0.0, 0.0);
    Start(true);
}

GxFlatEarthProjection::GxFlatEarthProjection(GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxDegreeGridProjection(false, std::move(ellipsoid)) {
    Start(true);
}

GxFlatEarthProjection::GxFlatEarthProjection(GxSmartRef<GxEllipsoidBase> ellipsoid,
                                             GxGeoAngle originLat, GxGeoAngle originLon)
    : GxDegreeGridProjection(false, std::move(ellipsoid), originLat, originLon) {
    Start(true);
}

GxFlatEarthProjection::GxFlatEarthProjection(const GxFlatEarthProjection& other)
    : GxDegreeGridProjection(other) {
    Start(false);
}

GxFlatEarthProjection::~GxFlatEarthProjection() = default;

GxSmartRef<GxProjection> GxFlatEarthProjection::Clone() const {
    return GxSmartRef<GxProjection>(new GxFlatEarthProjection(*this));
}

const char* GxFlatEarthProjection::GetProjectionName() const {
    return "FlatEarth_PROJ";
}

const char* GxFlatEarthProjection::GetProjectionDesc() const {
    return "QRN Flat Earth";
}
