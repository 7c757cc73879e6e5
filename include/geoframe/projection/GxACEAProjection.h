#ifndef GEOFRAME_PROJECTION_GXACEAPROJECTION_H
#define GEOFRAME_PROJECTION_GXACEAPROJECTION_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxConicProjection.h>

/// The Albers conic equal-area projection with two standard parallels, computed by PROJ
/// ("proj=aea"). Parameters, setters, equality and description are those of
/// every conic projection (see GxConicProjection); the description's first line
/// is "ACEA (Albers Conical Equal Area)", its name "ACEA_PROJ".
///
/// Accuracy: on the radii it hands PROJ, it agrees with GeographicLib's
/// AlbersEqualArea within 2e-8 m over latitudes 10 to 70 degrees and 45 degrees
/// of longitude either side of the origin (parallels 29.5 and 45.5 degrees).
class GEOFRAME_EXPORT GxACEAProjection : public GxConicProjection {
public:
    /// Origin 0, 0, upper latitude 1, lower latitude 0, a new "WGS84" ellipsoid.
    /// Not configured: conversions fail until a setter, SetLocalOrigin or
    /// SetEllipsoid runs.
    GxACEAProjection();
    /// All four angles 0 on `ellipsoid`; not configured either.
    explicit GxACEAProjection(GxSmartRef<GxEllipsoidBase> ellipsoid);
    /// Configured from the given origin and parallels.
    GxACEAProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                     GxGeoAngle originLon, GxGeoAngle upperLat, GxGeoAngle lowerLat);
    /// Same parameters, ellipsoid object, local origin and description; a PROJ
    /// adapter of its own, configured.
    GxACEAProjection(const GxACEAProjection& other);
    ~GxACEAProjection() override;

    GxSmartRef<GxProjection> Clone() const override;

private:
    GxACEAProjection& operator=(const GxACEAProjection&) { return *this; }
};

#endif
