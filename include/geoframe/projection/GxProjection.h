#ifndef GEOFRAME_PROJECTION_GXPROJECTION_H
#define GEOFRAME_PROJECTION_GXPROJECTION_H

#include <geoframe/foundation/GxRefBase.h>
#include <geoframe/foundation/GxSmartRef.h>
#include <geoframe/geodesy/GxEllipsoidBase.h>
#include <geoframe/geodesy/GxGeoAngle.h>
#include <geoframe/geodesy/GxGeoCoord.h>
#include <geoframe/geoframe_export.h>
#include <geoframe/math/gxVec3.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// Abstract base of the map projections: the ellipsoid a projection works on
/// (shared, never copied), a local origin that shifts every map coordinate, and a
/// multi-line description of the configured projection. Held through
/// GxSmartRef<GxProjection>; copied only by copy construction or Clone
/// (assignment does nothing).
///
/// Map coordinates are easting x and northing y in metres, measured from the local
/// origin: forward conversions subtract the local origin from x, y and elevation,
/// inverse conversions add it back. Latitudes and longitudes are GxGeoAngle values
/// or decimal degrees; a gxVec3 holds longitude in x, latitude in y and elevation
/// in z. No projection changes heights.
///
/// A concrete projection supplies the two angle conversions; the seven other
/// conversion overloads follow from them (the library's projections take them from
/// GxProjectionOverloads, written once for all).
/// Every conversion returns false and leaves all of its outputs untouched when the
/// point cannot be converted: non-finite input, a projection that is not
/// configured, or a point the projection's engine refuses.
///
/// The ellipsoid is shared, never copied: a change made to the ellipsoid object
/// itself (its SetEllipsoid, radius or shift setters) reaches every projection
/// that holds it. A projection notices the change at its next conversion or
/// description by comparing the ellipsoid's GetRevision with the one it was built
/// at (one integer compare a point), and rebuilds its description and its PROJ
/// configuration once.
///
/// Not synchronised: a projection is used by one thread at a time. Distinct
/// projections convert on distinct threads at once, also when they share an
/// ellipsoid, as long as no thread changes that ellipsoid meanwhile (see
/// GxEllipsoidBase::GetRevision).
class GEOFRAME_EXPORT GxProjection : public GxRefBase {
public:
    /// Holds a new ellipsoid GxEllipsoid("WGS84"); local origin (0, 0, 0).
    GxProjection();
    /// Holds the given ellipsoid object itself (it may be empty).
    explicit GxProjection(GxSmartRef<GxEllipsoidBase> ellipsoid);
    /// Holds the same ellipsoid object as `other` and copies its local origin and
    /// description text.
    GxProjection(const GxProjection& other);
    ~GxProjection() override;

    /// A new projection of the same class made by its copy constructor; it shares
    /// the ellipsoid and is IsEqual to this one.
    virtual GxSmartRef<GxProjection> Clone() const = 0;

    virtual bool GetLocalOrigin(double& x, double& y, double& z) const;
    /// The held ellipsoid; empty when none is held.
    virtual GxSmartRef<GxEllipsoidBase> GetEllipsoid() const;
    /// The name that coordinate systems key their codes on, such as "UTM_PROJ".
    virtual const char* GetProjectionName() const = 0;
    /// The first line of the instance description, such as
    /// "UTM (Universal Transverse Mercator)".
    virtual const char* GetProjectionDesc() const = 0;
    /// The description of the configured projection: GetProjectionDesc, the
    /// projection's own lines, and "Datum: " with the first 10 characters of the
    /// ellipsoid's name ("Unknown" without an ellipsoid or a name), joined by "\n".
    /// Owned by the projection; the pointer stays valid until the text is rebuilt
    /// (by a setter that changes what it shows) or the projection is destroyed.
    /// Null while no description has been built.
    virtual const char* GetProjectionInstanceDesc() const;

    /// The projection's own mapping of latitude and longitude, less the local
    /// origin's x and y.
    virtual bool LatLong2Proj(GxGeoAngle lat, GxGeoAngle lon, double& x, double& y) const = 0;
    /// (longitude, latitude, elevation) in degrees and metres to (x, y,
    /// elevation - local origin z).
    virtual bool LatLong2Proj(const gxVec3& in, gxVec3& out) const = 0;
    virtual bool GeoCoord2Proj(const GxGeoCoord& in, double& x, double& y) const = 0;
    /// As above; out = (x, y, elevation - local origin z).
    virtual bool GeoCoord2Proj(const GxGeoCoord& in, gxVec3& out) const = 0;
    /// To decimal degrees.
    virtual bool Proj2LatLong(double x, double y, double& lat, double& lon) const = 0;
    /// The projection's own inverse mapping of (x + local origin x, y + local
    /// origin y). The angles keep their axes unless the projection says otherwise.
    virtual bool Proj2LatLong(double x, double y, GxGeoAngle& lat, GxGeoAngle& lon) const = 0;
    /// (x, y, z) to (longitude, latitude, z + local origin z) in degrees and metres.
    virtual bool Proj2LatLong(const gxVec3& in, gxVec3& out) const = 0;
    /// Sets latitude and longitude of `out` with elevation 0.
    virtual bool Proj2GeoCoord(double x, double y, GxGeoCoord& out) const = 0;
    /// Sets latitude and longitude of `out` with elevation in.z + local origin z.
    virtual bool Proj2GeoCoord(const gxVec3& in, GxGeoCoord& out) const = 0;

    /// Exact equality: the same object; or the same projection name, equal
    /// ellipsoids (GxEllipsoidBase equality, or both empty), exactly equal local
    /// origins and exactly equal parameters of the projection's own.
    virtual bool IsEqual(GxSmartRef<GxProjection> other) const = 0;

    /// Stores the local origin (metres) and reconfigures the projection; returns
    /// whether that succeeded. The description does not show the local origin and
    /// is left as it was.
    virtual bool SetLocalOrigin(double x, double y, double z);
    /// Holds `ellipsoid` (which may be empty), rebuilds the description and
    /// reconfigures the projection; returns whether that succeeded. The ellipsoid
    /// stays held either way.
    virtual bool SetEllipsoid(GxSmartRef<GxEllipsoidBase> ellipsoid);

    /// Forward conversion with elevation: x and y as LatLong2Proj writes them (left
    /// as they were when it fails); z = elev - local origin z always.
    void LLE2Proj(GxGeoAngle lat, GxGeoAngle lon, double elev, double& x, double& y,
                  double& z) const;
    /// Inverse conversion with elevation: latitude and longitude in decimal degrees
    /// as Proj2LatLong writes them (left as they were when it fails); elev = z +
    /// local origin z always.
    void Proj2LLE(double x, double y, double z, double& lat, double& lon, double& elev) const;

protected:
    double LocalX() const { return m_localX; }
    double LocalY() const { return m_localY; }
    double LocalZ() const { return m_localZ; }
    /// The held ellipsoid, borrowed; null when none is held.
    GxEllipsoidBase* Ellipsoid() const { return m_ellipsoid.Get(); }

    /// Brings description and configuration in line with the held ellipsoid when
    /// the ellipsoid has changed in place since they were built. Const, as it runs from
    /// conversions; it touches only what a rebuild touches.
    void Refresh() const {
        if (m_ellipsoid && m_ellipsoid->GetRevision() != m_builtRevision)
            Rebuild();
    }

    /// Replaces the instance description by GetProjectionDesc, `lines` and the
    /// "Datum: " line, joined by "\n". `lines` holds the projection's own lines,
    /// already joined by "\n" (empty for none).
    void SetInstanceDesc(std::string_view lines);

    /// True when `other` has this projection's name, an equal ellipsoid and exactly
    /// the same local origin: what IsEqual requires before the projection's own
    /// parameters are compared.
    bool HasEqualFrame(const GxProjection& other) const;

    /// Appends `degrees` as degree-minute-second text with two decimals of seconds
    /// and the hemisphere letter of a latitude (N, S) or of a longitude (E, W).
    static void AppendAngle(std::string& text, double degrees, bool longitude);
    /// Appends the description line "Origin: [latitude], [longitude]".
    static void AppendOrigin(std::string& text, double lat, double lon);

    /// After a parameter changed: rebuilds the description, then reconfigures;
    /// returns SetProjection's result.
    bool Changed();

    /// Brings the projection's derived state in line with its parameters and its
    /// ellipsoid; false when the projection cannot convert with them.
    virtual bool SetProjection() = 0;
    /// Rebuilds the instance description.
    virtual bool UpdateInstanceDesc() = 0;

    /// Whether a change of the ellipsoid in place calls for SetProjection as well
    /// as UpdateInstanceDesc (true unless a projection says its conversions do
    /// not use the ellipsoid, or it has not been configured yet).
    virtual bool ReconfiguresOnEllipsoidChange() const;
    /// Runs the hooks when Refresh finds the ellipsoid changed in place.
    void Rebuild() const;

public:
    // The array conversions come after every other virtual function, so that the
    // earlier ones keep their places in the virtual table.

    /// Forward conversion of `n` points: lat[i], lon[i] in decimal degrees to x[i],
    /// y[i] in metres less the local origin, as LatLong2Proj converts one point.
    /// A point that does not convert (non-finite, a latitude beyond +-90 once
    /// wrapped into one turn, a point the projection refuses) gets NaN in x[i] and
    /// y[i]; the others are written. Returns how many converted. x and y may be
    /// the arrays lat and lon themselves (in place); inputs may overlap each other;
    /// nothing outside the n points is read or written, and null pointers are fine
    /// with n = 0. This loops over LatLong2Proj; UTM converts with the library's own
    /// vectorised series instead (within 10 nm of PROJ's per-point result).
    virtual std::size_t LatLong2ProjArray(std::size_t n, const double* lat, const double* lon,
                                          double* x, double* y) const;
    /// Inverse conversion of `n` points: x[i], y[i] (plus the local origin) to
    /// lat[i], lon[i] in decimal degrees, as Proj2LatLong converts one point, with
    /// failures, aliasing and the count as for LatLong2ProjArray.
    virtual std::size_t Proj2LatLongArray(std::size_t n, const double* x, const double* y,
                                          double* lat, double* lon) const;

private:
    GxProjection& operator=(const GxProjection&) { return *this; }

    double m_localX;
    double m_localY;
    double m_localZ;
    GxSmartRef<GxEllipsoidBase> m_ellipsoid;
    // Mutable: Refresh rebuilds the description from const conversions.
    mutable std::string m_description;
    mutable bool m_hasDescription;
    /// The ellipsoid's revision that description and configuration were built at.
    mutable std::uint64_t m_builtRevision;
};

#endif
