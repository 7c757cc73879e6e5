#ifndef GEOFRAME_PROJECTION_GXTRAPEZOIDALPROJECTION_H
#define GEOFRAME_PROJECTION_GXTRAPEZOIDALPROJECTION_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxDegreeGridProjection.h>

/// The trapezoidal projection: 111120 metres per degree of latitude and 111120
/// times the cosine of the point's own latitude per degree of longitude, so
/// meridians converge towards the poles (see GxDegreeGridProjection). The inverse
/// takes the cosine of the latitude it has just computed, so the two conversions
/// undo each other. Computed by the library; every finite point converts. The first
/// line of its description is "QRN Trapezoidal", its name "Trapezoidal_PROJ".
class GEOFRAME_EXPORT GxTrapezoidalProjection : public GxDegreeGridProjection {
public:
    /// Origin 0, 0 on a new "WGS84" ellipsoid.
    GxTrapezoidalProjection();
    /// Origin 0, 0 on `ellipsoid`.
    explicit GxTrapezoidalProjection(GxSmartRef<GxEllipsoidBase> ellipsoid);
    GxTrapezoidalProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                            GxGeoAngle originLon);
    /// Same origin, ellipsoid object, local origin and description.
    GxTrapezoidalProjection(const GxTrapezoidalProjection& other);
    ~GxTrapezoidalProjection() override;

    GxSmartRef<GxProjection> Clone() const override;

private:
    GxTrapezoidalProjection& operator=(const GxTrapezoidalProjection&) { return *this; }
};

#endif
