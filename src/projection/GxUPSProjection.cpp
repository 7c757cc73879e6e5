#include <geoframe/projection/GxUPSProjection.h>

#include <utility>

GxUPSProjection::GxUPSProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, int hemisphere)
    : GxStereographicProjection(std::move(ellipsoid), hemisphere != 0 ? -90.0 : 90.0, 0.0,
                                kScaleK0) {
    SetLatitudeLimit(90.0);
    RefusePole(hemisphere != 0 ? 90.0 : -90.0);
    SetLocalOrigin(-kFalseOrigin, -kFalseOrigin, 0.0);
    // The base built its description under its own title; rebuild it under this
    // class's (nothing else changes, PROJ stays configured as it is).
    UpdateInstanceDesc();
}

GxUPSProjection::GxUPSProjection(const GxUPSProjection& other) : GxStereographicProjection(other) {
    UpdateInstanceDesc();
}

GxUPSProjection::~GxUPSProjection() = default;

GxSmartRef<GxProjection> GxUPSProjection::Clone() const {
    return GxSmartRef<GxProjection>(new GxUPSProjection(*this));
}

const char* GxUPSProjection::GetProjectionDesc() const {
    return "UPS (Universal Polar Stereographic)";
}

bool GxUPSProjection::GetHemisphere(int& hemisphere) const {
    double lat = 0.0, lon = 0.0;
    GetOriginLatLong(lat, lon);
    hemisphere = lat < 0.0 ? 1 : 0;
    return true;
}
