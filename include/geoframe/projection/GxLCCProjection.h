#ifndef GEOFRAME_PROJECTION_GXLCCPROJECTION_H
#define GEOFRAME_PROJECTION_GXLCCPROJECTION_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxConicProjection.h>

/// The Lambert conformal conic projection with two standard parallels, computed by PROJ
/// ("proj=lcc"). Parameters, setters, equality and description are those of
/// every conic projection (see GxConicProjection); the description's first line
/// is "LCC (Lambert Conformal Conic)", its name "LCC_PROJ".
///
/// Accuracy: on the radii it hands PROJ, it agrees with GeographicLib's
/// LambertConformalConic within 1e-8 m over latitudes 10 to 70 degrees and 40
/// degrees of longitude either side of the origin (parallels 30 and 50 degrees).
class GEOFRAME_EXPORT GxLCCProjection : public GxConicProjection {
public:
    /// Origin 0, 0, upper latitude 1, lower latitude 0, a new "WGS84" ellipsoid.
    /// Not configured: conversions fail until a setter, SetLocalOrigin or
    /// SetEllipsoid runs.
    GxLCCProjection();
    /// All four angles 0 on `ellipsoid`; not configured either.
    explicit GxLCCProjection(GxSmartRef<GxEllipsoidBase> ellipsoid);
    /// Configured from the given origin and parallels.
    GxLCCProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                    GxGeoAngle originLon, GxGeoAngle upperLat, GxGeoAngle lowerLat);
    /// Same parameters, ellipsoid object, local origin and description; a PROJ
    /// adapter of its own, configured.
    GxLCCProjection(const GxLCCProjection& other);
    ~GxLCCProjection() override;

    GxSmartRef<GxProjection> Clone() const override;

private:
    GxLCCProjection& operator=(const GxLCCProjection&) { return *this; }
};

#endif
