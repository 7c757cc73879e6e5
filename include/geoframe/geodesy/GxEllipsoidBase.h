#ifndef GEOFRAME_GEODESY_GXELLIPSOIDBASE_H
#define GEOFRAME_GEODESY_GXELLIPSOIDBASE_H

#include <geoframe/foundation/GxRefBase.h>
#include <geoframe/foundation/GxSmartRef.h>
#include <geoframe/geoframe_export.h>

#include <cstddef>
#include <cstdint>
#include <string>

class GxGeoAngle;

/// The figure of the Earth that projections, coordinates and coordinate systems
/// hold through GxSmartRef<GxEllipsoidBase>: semi-major and semi-minor radius,
/// first eccentricity, a datum shift from the ellipsoid's geocentric frame to
/// WGS84, and the name it was set from. Reference-counted and shared; never
/// assigned (assignment does nothing), copied only by a derived class's copy
/// constructor or Clone. Lengths are metres, angles decimal degrees.
class GEOFRAME_EXPORT GxEllipsoidBase : public GxRefBase {
public:
    /// The default sphere, radius 6378245.0, named "Sphere".
    GxEllipsoidBase();
    /// The default sphere named `name` (no name for a null or empty text).
    explicit GxEllipsoidBase(const char* name);
    ~GxEllipsoidBase() override;

    virtual GxSmartRef<GxEllipsoidBase> Clone() const = 0;

    /// The number of known names and two new arrays of new texts: ids and
    /// descriptions. Released with FreeEllipsoidNames.
    virtual int GetEllipsoidNames(char**& ids, char**& descriptions) const = 0;
    virtual void FreeEllipsoidNames(int count, char** ids, char** descriptions) const = 0;

    virtual bool operator==(const GxEllipsoidBase& other) const = 0;
    virtual bool operator!=(const GxEllipsoidBase& other) const = 0;

    // Every conversion here and below, in this class and derived ones, returns
    // false with its outputs untouched for non-finite input.

    /// Geodetic latitude, longitude (degrees) and height to geocentric X, Y, Z.
    virtual bool LatLongToGeocentric(double lat, double lon, double height, double& x, double& y,
                                     double& z) const = 0;
    virtual bool LatLongToGeocentric(const GxGeoAngle& lat, const GxGeoAngle& lon, double height,
                                     double& x, double& y, double& z) const = 0;
    /// Geocentric X, Y, Z to geodetic latitude, longitude (degrees) and, when
    /// `wantHeight` is set, the height (otherwise 0).
    virtual bool GeocentricToLatLong(double x, double y, double z, double& lat, double& lon,
                                     double& height, bool wantHeight) const = 0;
    virtual bool GeocentricToLatLong(double x, double y, double z, GxGeoAngle& lat, GxGeoAngle& lon,
                                     double& height, bool wantHeight) const = 0;

    /// The radius and shift setters store the value and, when `dropName` is set,
    /// drop the name. They leave the eccentricity as it was.
    virtual void SetSemiMajorRadius(double radius, bool dropName);
    virtual void SetSemiMinorRadius(double radius, bool dropName);
    virtual void SetDatumShiftX(double shift, bool dropName);
    virtual void SetDatumShiftY(double shift, bool dropName);
    virtual void SetDatumShiftZ(double shift, bool dropName);
    /// Stores the three shifts; the name stays.
    virtual bool SetDatumShift(double dx, double dy, double dz);

    /// Adds the datum shift to a geocentric position on this ellipsoid's datum.
    virtual bool GeocentricToWGS84(double x, double y, double z, double& wx, double& wy,
                                   double& wz) const;
    /// Subtracts the datum shift from a WGS84 geocentric position.
    virtual bool WGS84ToGeocentric(double wx, double wy, double wz, double& x, double& y,
                                   double& z) const;

    /// Takes `name` as the name (no name for a null or empty text) and the shift;
    /// the figure is not touched. GxEllipsoid looks the name up instead.
    virtual bool SetEllipsoid(const char* name, double dx, double dy, double dz);

    // The array conversions come after every other virtual function, so that the
    // earlier ones keep their places in the virtual table.

    /// LatLongToGeocentric for `n` points (degrees and metres). A point that does
    /// not convert (non-finite, a latitude beyond +-90 once wrapped into one turn)
    /// gets NaN in x[i], y[i] and z[i]; the others are written. Returns how many
    /// converted. Outputs may be the input arrays themselves (in place); inputs may
    /// overlap each other; nothing outside the n points is read or written, and
    /// null pointers are fine with n = 0. This loops over LatLongToGeocentric;
    /// GxEllipsoid converts with the library's own vectorised code instead.
    virtual std::size_t LatLongToGeocentricArray(std::size_t n, const double* lat,
                                                 const double* lon, const double* h, double* x,
                                                 double* y, double* z) const;
    /// GeocentricToLatLong with heights for `n` points, with failures, aliasing
    /// and the count as for LatLongToGeocentricArray.
    virtual std::size_t GeocentricToLatLongArray(std::size_t n, const double* x, const double* y,
                                                 const double* z, double* lat, double* lon,
                                                 double* h) const;

    double GetSemiMajorRadius() const { return m_semiMajor; }
    double GetSemiMinorRadius() const { return m_semiMinor; }
    double GetEccentricity() const { return m_eccentricity; }
    double GetEccentricitySq() const { return m_eccentricitySq; }
    double GetDatumShiftX() const { return m_shiftX; }
    double GetDatumShiftY() const { return m_shiftY; }
    double GetDatumShiftZ() const { return m_shiftZ; }
    /// The name, owned by the ellipsoid; null when it has none.
    const char* GetEllipsoid() const { return m_name.empty() ? nullptr : m_name.c_str(); }

    /// Counts the changes made to this object: every setter of the figure, the
    /// name or the shift adds one (a copy starts where its original stands). The
    /// projections that share an ellipsoid compare it with the count they were
    /// last built at, so that a change made to the ellipsoid in place reaches
    /// their conversions and descriptions. Like the ellipsoid itself it is not
    /// synchronised: changing an ellipsoid while another thread converts with a
    /// projection that holds it is a data race; change shared ellipsoids only
    /// while no other thread uses them or what holds them.
    std::uint64_t GetRevision() const { return m_revision; }

    static constexpr double kDefaultRadius = 6378245.0;

protected:
    /// Copies figure, shift and name; the copy starts with reference count 0.
    GxEllipsoidBase(const GxEllipsoidBase& other);

    /// Figure: both radii, eccentricity and its square.
    void SetFigure(double a, double b, double e, double es);
    void SetName(const char* name);
    /// Forgets the name when `drop` is set.
    void DropName(bool drop);

private:
    GxEllipsoidBase& operator=(const GxEllipsoidBase&) { return *this; }

    double m_semiMajor;
    double m_semiMinor;
    double m_shiftX;
    double m_shiftY;
    double m_shiftZ;
    double m_eccentricity;
    double m_eccentricitySq;
    std::string m_name; // empty: no name
    std::uint64_t m_revision;
};

#endif
