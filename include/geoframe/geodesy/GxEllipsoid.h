#ifndef GEOFRAME_GEODESY_GXELLIPSOID_H
#define GEOFRAME_GEODESY_GXELLIPSOID_H

#include <geoframe/geodesy/GxEllipsoidBase.h>
#include <geoframe/geoframe_export.h>

/// An ellipsoid set from explicit radii or by name. Names are, in this order of
/// lookup: the built-in spheres "Sphere" (6378245.0), "gx14Sphere" (6378000.0)
/// and "gxFlatEarthSphere" (111120 * 180 / pi); the ids and full names of PROJ's
/// ellipsoids ("WGS84", "GRS 1980(IUGG, 1980)"); the names of the datums loaded by
/// GxDatum::InitDatum, which give their ellipsoid's figure and their shift to
/// WGS84.
class GEOFRAME_EXPORT GxEllipsoid : public GxEllipsoidBase {
public:
    /// The default sphere named "Sphere".
    GxEllipsoid();
    GxEllipsoid(const GxEllipsoid& other);
    /// The ellipsoid of that name; an unknown or null name gives the default
    /// sphere named "Sphere".
    explicit GxEllipsoid(const char* name);
    /// Radii a and b, eccentricity from them, shift and name (no name for a null or
    /// empty text).
    GxEllipsoid(double a, double b, double dx, double dy, double dz, const char* name);
    ~GxEllipsoid() override;

    GxSmartRef<GxEllipsoidBase> Clone() const override;

    /// PROJ's ellipsoids (id, full name), then the loaded datums (name,
    /// description), then "gxFlatEarthSphere", "Sphere" and "gx14Sphere".
    int GetEllipsoidNames(char**& ids, char**& descriptions) const override;
    void FreeEllipsoidNames(int count, char** ids, char** descriptions) const override;

    /// Equal when both radii and the three shifts each differ by less than 1e-8;
    /// names and eccentricities play no part.
    bool operator==(const GxEllipsoidBase& other) const override;
    bool operator!=(const GxEllipsoidBase& other) const override;

    /// False, outputs untouched, for a non-finite latitude, longitude or height.
    bool LatLongToGeocentric(double lat, double lon, double height, double& x, double& y,
                             double& z) const override;
    bool LatLongToGeocentric(const GxGeoAngle& lat, const GxGeoAngle& lon, double height, double& x,
                             double& y, double& z) const override;

    /// Newton iteration on latitude and height, at most 5 steps, until the latitude
    /// step is below 2^-23 rad and the height step below 2^-23 m (above 2^26 m of
    /// height, below |h| * 2^-49, as the height itself is coarser there). The
    /// cosine of latitude is taken of the latitude itself (never sqrt(1 - sin^2),
    /// which cancels near the poles), the height is then measured to the foot of
    /// the normal and the latitude rounded once into degrees.
    ///
    /// Accuracy (WGS 84): latitude and height agree with the exact solution
    /// within 5 nm (the latitude's error times the distance from the centre) at
    /// every latitude, poles included, for heights from -5,000 km to 10,000 km;
    /// the longitude is atan2(y, x) in degrees.
    ///
    /// A latitude that ran whole turns past a pole is wrapped back. False when the
    /// iteration has not converged by then or has reached no latitude within +-90
    /// (the outputs are written all the same; the angle overload then leaves its
    /// angles untouched), and for a non-finite x, y or z (nothing is written).
    /// Points on the polar axis (x = y = 0) take latitude +-90 (0 at the centre),
    /// longitude 0 and height |z| - b without iterating.
    bool GeocentricToLatLong(double x, double y, double z, double& lat, double& lon, double& height,
                             bool wantHeight) const override;
    bool GeocentricToLatLong(double x, double y, double z, GxGeoAngle& lat, GxGeoAngle& lon,
                             double& height, bool wantHeight) const override;

    /// Sets the ellipsoid by name, first match wins:
    ///  1. the name it already has: nothing changes (the shift is not applied), true;
    ///  2. a built-in sphere: that sphere with the given shift, true;
    ///  3. a PROJ id or full name: that figure, shift 0 (the given shift is not
    ///     applied), true;
    ///  4. a loaded datum whose ellipsoid PROJ knows: that figure, the datum's shift,
    ///     and the datum name as the name, true;
    ///  5. otherwise (a null name too): false; the name becomes "Sphere" and the
    ///     shift the given one; a figure with semi-major radius below 1e-5 becomes
    ///     the default sphere, any other figure stays.
    bool SetEllipsoid(const char* name, double dx, double dy, double dz) override;

    /// The library's own vectorised conversion on the same semi-major radius and
    /// eccentricity as the per-point one: within a few nanometres of it.
    std::size_t LatLongToGeocentricArray(std::size_t n, const double* lat, const double* lon,
                                         const double* h, double* x, double* y,
                                         double* z) const override;
    /// A fixed number of Bowring steps on the parametric latitude, vectorised:
    /// within a few nanometres of the exact solution from 5,000 km below the
    /// surface to 10,000 km above it, poles included. The centre gives latitude
    /// 0, longitude 0 and height -b.
    std::size_t GeocentricToLatLongArray(std::size_t n, const double* x, const double* y,
                                         const double* z, double* lat, double* lon,
                                         double* h) const override;

private:
    GxEllipsoid& operator=(const GxEllipsoid&) { return *this; }
};

#endif
