#ifndef GEOFRAME_PROJECTION_GXCONICPROJECTION_H
#define GEOFRAME_PROJECTION_GXCONICPROJECTION_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxProj4Projection.h>

/// The base of the two-parallel conic projections, and part of the API: their
/// parameters are read and set through it.
///
/// What the Albers and Lambert conic projections share: an origin latitude and
/// longitude and two standard parallels, the "upper" (PROJ's lat_2) and the
/// "lower" (PROJ's lat_1), handed to PROJ as "lat_0=", "lon_0=", "lat_1=" with the
/// lower and "lat_2=" with the upper latitude. The names are names only: nothing
/// requires the upper latitude to be the greater, and no angle is range-checked;
/// PROJ decides whether a combination is usable. Description:
///   [projection description]
///   Origin: [latitude], [longitude]
///   Upper, Lower: [upper latitude], [lower latitude]
///   Datum: [first 10 characters of the ellipsoid's name]
class GEOFRAME_EXPORT GxConicProjection : public GxProj4Projection {
public:
    /// What tells one conic projection from another: data, so that a kind is this
    /// record, its constructors forwarding here, and Clone.
    struct Kind {
        const char* projParameter; ///< PROJ's name, such as "proj=lcc"
        const char* name;          ///< GetProjectionName, such as "LCC_PROJ"
        const char* description;   ///< GetProjectionDesc, the description's first line
    };

    ~GxConicProjection() override;

    const char* GetProjectionName() const override;
    const char* GetProjectionDesc() const override;

    /// The setters store their angles, reconfigure PROJ, rebuild the description
    /// and return true even when PROJ refuses the new list; the refusal shows as
    /// failing conversions.
    bool SetOriginLatLong(GxGeoAngle lat, GxGeoAngle lon);
    bool SetUpperLat(GxGeoAngle lat);
    bool SetLowerLat(GxGeoAngle lat);

    bool GetOriginLatLong(GxGeoAngle& lat, GxGeoAngle& lon) const;
    /// In decimal degrees.
    bool GetOriginLatLong(double& lat, double& lon) const;
    bool GetUpperLat(GxGeoAngle& lat) const;
    bool GetUpperLat(double& lat) const;
    bool GetLowerLat(GxGeoAngle& lat) const;
    bool GetLowerLat(double& lat) const;

    /// Same name, ellipsoid and local origin, then equal origin latitude and
    /// longitude, upper and lower latitude (exact GxGeoAngle equality).
    bool IsEqual(GxSmartRef<GxProjection> other) const override;

protected:
    /// `kind` outlives the projection (static data). Each constructor builds the
    /// description; the one with parameters also configures PROJ.
    /// Origin 0, 0, upper latitude 1, lower 0 on a new "WGS84" ellipsoid.
    explicit GxConicProjection(const Kind& kind);
    /// All four angles 0 on `ellipsoid`.
    GxConicProjection(const Kind& kind, GxSmartRef<GxEllipsoidBase> ellipsoid);
    GxConicProjection(const Kind& kind, GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                      GxGeoAngle originLon, GxGeoAngle upperLat, GxGeoAngle lowerLat);
    /// The copy configures PROJ when `other` had been configured.
    GxConicProjection(const GxConicProjection& other);

private:
    GxConicProjection& operator=(const GxConicProjection&) { return *this; }

    bool SetProjection() override;
    bool UpdateInstanceDesc() override;

    const Kind* m_kind;
    GxGeoAngle m_originLat;
    GxGeoAngle m_originLon;
    GxGeoAngle m_upperLat;
    GxGeoAngle m_lowerLat;
};

#endif
