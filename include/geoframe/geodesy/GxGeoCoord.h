#ifndef GEOFRAME_GEODESY_GXGEOCOORD_H
#define GEOFRAME_GEODESY_GXGEOCOORD_H

#include <geoframe/foundation/GxSmartRef.h>
#include <geoframe/geodesy/GxEllipsoidBase.h>
#include <geoframe/geodesy/GxGeoAngle.h>
#include <geoframe/geoframe_export.h>

class gxVec3;

/// A position on or above the Earth: latitude, longitude, elevation (metres above
/// the ellipsoid) and an optional ellipsoid, shared with its other holders. A value
/// type: copies share the ellipsoid object.
///
/// With an ellipsoid it converts to and from geocentric X, Y, Z (the ellipsoid's
/// own frame; no datum shift). With or without one it converts to and from a
/// direction from the Earth's centre plus a radial scalar: the distance from the
/// centre in units of 6378245.0 m, so scalar 1.0 is elevation 0 whatever the
/// ellipsoid.
class GEOFRAME_EXPORT GxGeoCoord {
public:
    /// Latitude and longitude 0 (axes unset), elevation 0, no ellipsoid.
    GxGeoCoord();
    explicit GxGeoCoord(GxSmartRef<GxEllipsoidBase> ellipsoid);
    /// The angles are copied with their axes.
    GxGeoCoord(const GxGeoAngle& lat, const GxGeoAngle& lon, double elevation,
               GxSmartRef<GxEllipsoidBase> ellipsoid);
    GxGeoCoord(const GxGeoCoord&) = default;
    GxGeoCoord& operator=(const GxGeoCoord&) = default;
    virtual ~GxGeoCoord();

    /// Replaces the ellipsoid; latitude, longitude and elevation stay as they are.
    bool SetEllipsoid(GxSmartRef<GxEllipsoidBase> ellipsoid);
    GxSmartRef<GxEllipsoidBase> GetEllipsoid() const { return m_ellipsoid; }

    /// False, nothing changed, when an angle or the elevation is not finite. Every
    /// setter and conversion below likewise refuses non-finite input, and a
    /// coordinate holding a non-finite value converts to nothing.
    bool SetLatLong(const GxGeoAngle& lat, const GxGeoAngle& lon, double elevation);
    bool GetLatLong(GxGeoAngle& lat, GxGeoAngle& lon, double& elevation) const;
    /// Latitude and longitude in decimal degrees.
    bool GetLatLong(double& lat, double& lon, double& elevation) const;

    /// elevation / 6378245.0 + 1.0
    double Elevation2Scalar(double elevation) const;
    /// (scalar - 1.0) * 6378245.0
    double Scalar2Elevation(double scalar) const;

    /// From geocentric X, Y, Z through the ellipsoid's GeocentricToLatLong. With
    /// `wantHeight` the elevation becomes the height above the ellipsoid, without it
    /// 0. False without an ellipsoid or for non-finite input (nothing changes), or
    /// when the conversion fails to converge (angles unchanged, elevation written).
    bool SetGeocentricCoord(double x, double y, double z, bool wantHeight);
    bool SetGeocentricCoord(const gxVec3& xyz, bool wantHeight);
    /// To geocentric X, Y, Z, at the elevation when `useElevation` is set, otherwise
    /// on the ellipsoid's surface. False without an ellipsoid or for a non-finite
    /// value used (outputs untouched).
    bool GetGeocentricCoord(double& x, double& y, double& z, bool useElevation) const;
    bool GetGeocentricCoord(gxVec3& xyz, bool useElevation) const;

    /// From a direction and a radial scalar. Without an ellipsoid, or on a sphere
    /// (radii exactly equal), (x, y, z) is taken as a unit vector: longitude
    /// atan2(y, x), latitude asin(z), z limited to [-1, 1] so that rounding
    /// cannot turn a unit vector into a NaN latitude. On other ellipsoids the
    /// direction may have any length: the geodetic latitude and longitude are those
    /// of the surface point in that direction, however long or short it is. The
    /// elevation is then set from the scalar. False, nothing changed, for a
    /// non-finite direction or elevation, and on the ellipsoid path for the zero
    /// direction, which has no surface point.
    bool SetDirCos(double x, double y, double z, double scalar);
    bool SetDirCos(const gxVec3& direction, double scalar);
    /// To a unit direction and a radial scalar. Without an ellipsoid or on a sphere
    /// the direction is that of latitude and longitude; otherwise it is the
    /// geocentric direction of the surface point below the coordinate (not the
    /// ellipsoid normal). False, outputs untouched, when a result is not finite.
    bool GetDirCos(double& x, double& y, double& z, double& scalar) const;
    bool GetDirCos(gxVec3& direction, double& scalar) const;

    /// Latitude, longitude (normalised, on this coordinate's axes) and elevation
    /// added; the ellipsoid stays.
    GxGeoCoord& operator+=(const GxGeoCoord& other);
    /// Sum and difference with this coordinate's ellipsoid.
    GxGeoCoord operator+(const GxGeoCoord& other) const;
    GxGeoCoord operator-(const GxGeoCoord& other) const;

    static constexpr double kScalarRadius = 6378245.0;

private:
    /// No ellipsoid, or one whose radii are exactly equal: directions are taken as
    /// unit vectors of latitude and longitude.
    bool OnSphere() const;

    GxGeoAngle m_lat;
    GxGeoAngle m_lon;
    double m_elevation;
    GxSmartRef<GxEllipsoidBase> m_ellipsoid;
};

#endif
