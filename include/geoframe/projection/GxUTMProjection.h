#ifndef GEOFRAME_PROJECTION_GXUTMPROJECTION_H
#define GEOFRAME_PROJECTION_GXUTMPROJECTION_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxProj4Projection.h>

#include <memory>

namespace geoframe::detail {
struct TmSeries;
}

/// Universal Transverse Mercator: one of sixty 6-degree zones, northern or
/// southern hemisphere, computed by PROJ ("proj=utm", "south" for the southern
/// hemisphere, "zone=", then the ellipsoid's "a=" and "b=").
///
/// The array conversions do not go through PROJ: they evaluate the same
/// 6th-order Krueger series (PROJ's utm algorithm) vectorised, on the radii of
/// the list PROJ was given, within 10 nm of the per-point results within 30
/// degrees of the central meridian and 84 degrees of the equator; they fail
/// where PROJ fails (an unconfigured projection, latitudes beyond 90, eastings
/// beyond PROJ's limit of about 16,700 km from the central meridian) and, in the
/// inverse, for northings more than about 20,000 km from the false northing,
/// which no point on the ellipsoid has.
///
/// The zone is always 1 to 60. The hemisphere value is 0 for north; any other
/// value means south and is kept as given (IsEqual compares the values, so 1 and
/// 2 are not equal).
///
/// Domain and accuracy: PROJ evaluates the 6th-order Krueger series. Against the
/// exact transverse Mercator on the same radii the map coordinates agree within
/// 2e-7 m up to 40 degrees of longitude from the central meridian and 1e-5 m at
/// 60 degrees, but only within 0.32 m at 75 and 138 m at 80 degrees (on the
/// equator), and such points are still reported as converted. Keep points within
/// the zone and its usual overlap (a few degrees) for survey-grade results.
///
/// Description:
///   UTM (Universal Transverse Mercator)
///   Zone: 10, NORTH
///   Datum: WGS84
class GEOFRAME_EXPORT GxUTMProjection : public GxProj4Projection {
public:
    /// Zone 10, northern hemisphere, a new "WGS84" ellipsoid. Not configured:
    /// conversions fail until a setter, SetLocalOrigin or SetEllipsoid runs.
    GxUTMProjection();
    /// Zone 10, northern hemisphere on `ellipsoid`; not configured either.
    explicit GxUTMProjection(GxSmartRef<GxEllipsoidBase> ellipsoid);
    /// The zone clamped into 1 to 60, the hemisphere value as given; configured.
    GxUTMProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, int zone, int hemisphere);
    /// Same parameters, ellipsoid object, local origin and description; a PROJ
    /// adapter of its own, configured when `other` had been (so that a copy of an
    /// unconfigured projection fails as its original does).
    GxUTMProjection(const GxUTMProjection& other);
    ~GxUTMProjection() override;

    GxSmartRef<GxProjection> Clone() const override;
    /// "UTM_PROJ"
    const char* GetProjectionName() const override;
    /// "UTM (Universal Transverse Mercator)"
    const char* GetProjectionDesc() const override;
    bool IsEqual(GxSmartRef<GxProjection> other) const override;

    bool GetZone(int& zone) const;
    bool GetHemisphere(int& hemisphere) const;
    /// A zone outside 1 to 60: false, nothing changes. Otherwise stores it, rebuilds
    /// the description, reconfigures PROJ and returns whether PROJ accepted it.
    bool SetZone(int zone);
    /// Stores the value unchecked, then as SetZone.
    bool SetHemisphere(int hemisphere);

    /// The zone of a longitude in decimal degrees, counting 6-degree bands eastward
    /// from 180 degrees west after bringing the longitude into range by whole turns
    /// (190 gives 2, -190 gives 59). A boundary belongs to the zone east of it, and
    /// 180 degrees east is 180 degrees west: 180, -180, 540 give 1. False, zone
    /// untouched, for a NaN or infinite longitude. The projection is not changed.
    bool ZoneOfLong(double lon, int& zone) const;

    /// The zone of the UTM/UPS system that a point belongs to, as MGRS and
    /// GeographicLib's UTMUPS choose it. Zone 0 is UPS (GxUPSProjection): latitudes
    /// from 84 degrees north (included) and south of 80 degrees south (-80 itself is
    /// UTM). Elsewhere the zone of ZoneOfLong's 6-degree bands, with two exceptions:
    /// from 56 (included) to 64 degrees north, longitudes from 3 to 6 degrees east
    /// are zone 32 (Norway); from 72 degrees north on, longitudes from 0 to 42 east
    /// are zones 31, 33, 35 and 37, split at 9, 21 and 33 degrees east (Svalbard).
    /// Edges are exact: each boundary belongs to the band east of it (or north of
    /// it), and 180 degrees is 180 degrees west (zone 1). The hemisphere is 0 for
    /// latitudes from 0 on (-0 included) and 1 south of the equator. False, outputs
    /// untouched, for a latitude outside -90 to 90 or a longitude that is not
    /// finite.
    static bool StandardZone(double lat, double lon, int& zone, int& hemisphere);
    /// A new projection of the standard zone `zone` (as StandardZone gives it) on
    /// `ellipsoid`: a GxUTMProjection for zones 1 to 60, a GxUPSProjection for zone
    /// 0, each of `hemisphere`. Empty for any other zone.
    static GxSmartRef<GxProjection> NewStandardZone(GxSmartRef<GxEllipsoidBase> ellipsoid, int zone,
                                                    int hemisphere);

    std::size_t LatLong2ProjArray(std::size_t n, const double* lat, const double* lon, double* x,
                                  double* y) const override;
    std::size_t Proj2LatLongArray(std::size_t n, const double* x, const double* y, double* lat,
                                  double* lon) const override;

private:
    GxUTMProjection& operator=(const GxUTMProjection&) { return *this; }

    bool SetProjection() override;
    bool UpdateInstanceDesc() override;

    int m_zone;
    int m_hemisphere;
    /// The series of the configured projection; null while it is not configured.
    /// Mutable: a change of the shared ellipsoid reconfigures from const calls.
    mutable std::unique_ptr<const geoframe::detail::TmSeries> m_series;
};

#endif
