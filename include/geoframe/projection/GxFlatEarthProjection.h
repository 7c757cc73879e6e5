#ifndef GEOFRAME_PROJECTION_GXFLATEARTHPROJECTION_H
#define GEOFRAME_PROJECTION_GXFLATEARTHPROJECTION_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxDegreeGridProjection.h>

/// The flat-earth projection: 111120 metres per degree of latitude and, at every
/// latitude, 111120 times the cosine of the origin latitude per degree of
/// longitude; a rectangular grid (see GxDegreeGridProjection). Computed by the
/// library; every finite point converts. The first line of its description is
/// "QRN Flat Earth", its name "FlatEarth_PROJ".
class GEOFRAME_EXPORT GxFlatEarthProjection : public GxDegreeGridProjection {
public:
    /// Origin 0, 0. The new ellipsoid the projection holds is set in place to the
    /// flat-earth sphere "gxFlatEarthSphere" with no datum shift, so the default
    /// description ends "Datum: gxFlatEart".
    GxFlatEarthProjection();
    /// Origin 0, 0 on `ellipsoid`, which is kept as it is.
    explicit GxFlatEarthProjection(GxSmartRef<GxEllipsoidBase> ellipsoid);
    GxFlatEarthProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                          GxGeoAngle originLon);
    /// Same origin, ellipsoid object, local origin and description.
    GxFlatEarthProjection(const GxFlatEarthProjection& other);
    ~GxFlatEarthProjection() override;

    GxSmartRef<GxProjection> Clone() const override;

private:
    GxFlatEarthProjection& operator=(const GxFlatEarthProjection&) { return *this; }
};

#endif
