#ifndef GEOFRAME_PROJECTION_GXDEGREEGRIDPROJECTION_H
#define GEOFRAME_PROJECTION_GXDEGREEGRIDPROJECTION_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/detail/GxProjectionOverloads.h>

/// The base of the library's own degree-grid projections, and part of the API:
/// their origin is read and set through it.
///
/// What the flat-earth and trapezoidal projections share: the library computes
/// them itself at 111120 metres per degree of arc (60 nautical miles) about an
/// origin latitude and longitude, north-south by the latitude difference and
/// east-west by the longitude difference times a cosine. The flat-earth projection
/// takes the cosine of the origin latitude, the trapezoidal one the cosine of each
/// point's own latitude. Differences and sums are GxGeoAngle arithmetic, so they
/// wrap into one turn (a point at longitude -179 lies 2 degrees east of an origin at
/// 179). Cosines take pi as 3.1415927: stored databases hold results made with that
/// value (at a latitude of exactly 90 the cosine is about -2.32e-8, not 0).
///
/// These are grids, not geodetic projections: 111120 m is a degree of 60
/// nautical miles, while on WGS 84 a degree of latitude spans 110574 m at the
/// equator and 111694 m at the poles, so north-south distances read from the map
/// are 0.49 % long at the equator and 0.51 % short near the poles (the same holds
/// east-west, scaled by the cosine).
///
/// The ellipsoid takes no part in the arithmetic; it shows in the description and
/// in IsEqual. Every finite point converts forwards (latitudes beyond +-90 are
/// not refused there); an inverse whose latitude, before any wrapping, lies beyond
/// +-90 is a point off the Earth and gives false. Non-finite input, or a result
/// that overflows to infinity, gives false too, always with the outputs
/// untouched. Description:
///   [projection description]
///   Origin: [latitude], [longitude]
///   Datum: [first 10 characters of the ellipsoid's name]
class GEOFRAME_EXPORT GxDegreeGridProjection
    : public geoframe::detail::GxProjectionOverloads<GxDegreeGridProjection> {
public:
    /// Whose latitude the east-west cosine is taken of.
    enum class Cosine { OfOrigin, OfPoint };
    /// What tells one degree-grid projection from another: data, so that a kind
    /// is this record, its constructors forwarding here, and Clone.
    struct Kind {
        const char* name;        ///< GetProjectionName, such as "FlatEarth_PROJ"
        const char* description; ///< GetProjectionDesc, the description's first line
        Cosine cosine;
        /// The name the default constructor sets its new ellipsoid to, in place
        /// (null: it stays "WGS84").
        const char* defaultEllipsoid;
    };

    ~GxDegreeGridProjection() override;

    const char* GetProjectionName() const override;
    const char* GetProjectionDesc() const override;

    using geoframe::detail::GxProjectionOverloads<GxDegreeGridProjection>::LatLong2Proj;
    using geoframe::detail::GxProjectionOverloads<GxDegreeGridProjection>::Proj2LatLong;

    /// y = dLat * 111120 - local y, x = dLon * 111120 * cosine - local x.
    bool LatLong2Proj(GxGeoAngle lat, GxGeoAngle lon, double& x, double& y) const final;
    /// lat = (y + local y) / 111120 + origin latitude, then lon = (x + local x) /
    /// 111120 / cosine + origin longitude; both take the axis of the origin angle.
    /// False when lat lies beyond +-90; longitudes wrap.
    bool Proj2LatLong(double x, double y, GxGeoAngle& lat, GxGeoAngle& lon) const final;

    /// Same name, ellipsoid and local origin, then equal origin latitude and
    /// longitude (exact GxGeoAngle equality).
    bool IsEqual(GxSmartRef<GxProjection> other) const override;

    /// Stores the origin, rebuilds the description and rederives the cosine; true.
    bool SetOrigin(GxGeoAngle lat, GxGeoAngle lon);
    /// The origin; also rederives the cosine (so not const); true.
    bool GetOrigin(GxGeoAngle& lat, GxGeoAngle& lon);
    /// The origin in decimal degrees; true.
    bool GetOrigin(double& lat, double& lon);

    static constexpr double kMetresPerDegree = 111120.0;
    static constexpr double kPi = 3.1415927;

protected:
    /// `kind` outlives the projection (static data). Each constructor builds the
    /// description and derives the cosine. Origin 0, 0 on a new "WGS84" ellipsoid
    /// (set in place to the kind's default ellipsoid, if it names one).
    explicit GxDegreeGridProjection(const Kind& kind);
    /// Origin 0, 0 on `ellipsoid`, kept as it is.
    GxDegreeGridProjection(const Kind& kind, GxSmartRef<GxEllipsoidBase> ellipsoid);
    GxDegreeGridProjection(const Kind& kind, GxSmartRef<GxEllipsoidBase> ellipsoid,
                           GxGeoAngle originLat, GxGeoAngle originLon);
    GxDegreeGridProjection(const GxDegreeGridProjection& other);

private:
    GxDegreeGridProjection& operator=(const GxDegreeGridProjection&) { return *this; }

    bool SetProjection() override;
    bool UpdateInstanceDesc() override;
    /// The formulas use no ellipsoid: a change of it touches only the description.
    bool ReconfiguresOnEllipsoidChange() const override { return false; }

    /// cos(degrees * 3.1415927 / 180)
    static double CosineOf(double degrees);

    const Kind* m_kind;
    GxGeoAngle m_originLat;
    GxGeoAngle m_originLon;
    /// Cosine of the origin latitude, for the flat-earth mapping.
    double m_originCosine;
};

#endif
