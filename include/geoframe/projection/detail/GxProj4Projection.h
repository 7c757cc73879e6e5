#ifndef GEOFRAME_PROJECTION_DETAIL_GXPROJ4PROJECTION_H
#define GEOFRAME_PROJECTION_DETAIL_GXPROJ4PROJECTION_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/detail/GxProjectionOverloads.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

class GxProj4Interface;

namespace geoframe::detail {

/// What the UTM, Lambert, Albers and stereographic projections share: each owns a
/// PROJ adapter of its own (never shared, never copied: a copy makes a new one),
/// configures it from a parameter list built from its parameters and its
/// ellipsoid, and converts every point with one call into PROJ.
///
/// The list is the projection's PROJ name ("proj=utm"), its own parameters, then
/// "a=" and "b=" with the ellipsoid's radii. By default numbers are written as C's
/// "%f" and "%d" would write them in the "C" locale (six decimals for angles, scale
/// factors and radii), whatever the process locale, and are never cut short:
/// stored databases were made with exactly those lists. Six decimals of a degree
/// are up to 5 cm on the ground, and a scale factor rounded to 1e-6 moves points
/// by up to a metre at 1000 km, so a projection that must convert as an outside
/// definition does (one read from an EPSG code, see GxCrsDefinition) is set to
/// full precision with SetFullPrecision(true): every number then reaches PROJ as
/// the shortest text that reads back as the same double ("0.9996",
/// "27.833333333333332"). The setting is copied with the projection, compared by
/// IsEqual, and shown in the description by a line "Parameters: full precision"
/// before the "Datum: " line (no line in the default setting, so default
/// descriptions stay as they were). Without an ellipsoid there is no list to make:
/// the projection is then unconfigured and every conversion fails.
class GEOFRAME_EXPORT GxProj4Projection : public GxProjectionOverloads<GxProj4Projection> {
public:
    ~GxProj4Projection() override;

    using GxProjectionOverloads::LatLong2Proj;
    using GxProjectionOverloads::Proj2LatLong;

    /// PROJ's forward mapping less the local origin's x and y, with the latitude
    /// first limited to the projection's latitude limit (if it has one). False, x
    /// and y untouched, for non-finite angles, an unconfigured projection, a point
    /// PROJ cannot convert or a non-finite result.
    bool LatLong2Proj(GxGeoAngle lat, GxGeoAngle lon, double& x, double& y) const final;
    /// PROJ's inverse mapping of (x + local origin x, y + local origin y); the
    /// angles keep their axes. False, angles untouched, for non-finite x or y, an
    /// unconfigured projection, or a point PROJ cannot convert.
    bool Proj2LatLong(double x, double y, GxGeoAngle& lat, GxGeoAngle& lon) const final;

    /// Copies of the PROJ parameters the projection was last configured with
    /// (accepted or refused), as GxProjectionStrategy::GetParameters hands them
    /// out: the caller releases each string with delete[], then the array. Null and
    /// 0 before the projection was first configured.
    int GetParameters(char**& list) const;

    /// Chooses full-precision numbers (true) or the six-decimal texts (false, the
    /// default), rebuilds the description and reconfigures PROJ; returns whether
    /// PROJ accepted the new list.
    bool SetFullPrecision(bool fullPrecision);
    /// True when numbers reach PROJ at full precision.
    bool GetFullPrecision() const { return m_fullPrecision; }

protected:
    /// `projParameter` names the PROJ projection ("proj=utm") and must outlive the
    /// projection (a string literal).
    explicit GxProj4Projection(const char* projParameter);
    GxProj4Projection(const char* projParameter, GxSmartRef<GxEllipsoidBase> ellipsoid);
    /// The base copy and a new adapter of its own; not yet configured.
    GxProj4Projection(const GxProj4Projection& other);

    /// Configures PROJ from the projection's name, `parameters` in order, and the
    /// ellipsoid's "a=" and "b=". False, with every conversion failing until the
    /// next successful call, when there is no ellipsoid or PROJ refuses the list.
    bool Configure(std::initializer_list<std::string> parameters);

    /// "key" followed by Number(value): "lat_0=" and 23 give "lat_0=23.000000"
    /// (or "lat_0=23" at full precision).
    std::string Parameter(const char* key, double value) const;
    /// "key" followed by `value` written as "%d" writes it.
    static std::string Parameter(const char* key, int value);
    /// `value` as "%f" writes it, or its shortest exact text at full precision.
    std::string Number(double value) const;

    /// The base's frame comparison (name, ellipsoid, local origin) and the same
    /// precision setting: what IsEqual requires before the projection's own
    /// parameters are compared.
    bool HasEqualFrame(const GxProj4Projection& other) const;
    /// The base's description with the precision line added at full precision.
    void SetInstanceDesc(std::string_view lines);

    /// Forward conversions move latitudes beyond +-`limit` degrees to +-`limit`
    /// before PROJ sees them (none by default).
    void SetLatitudeLimit(double limit) { m_latitudeLimit = limit; }

private:
    GxProj4Projection& operator=(const GxProj4Projection&) { return *this; }

    const char* m_projParameter;
    double m_latitudeLimit;
    bool m_fullPrecision;
    std::unique_ptr<GxProj4Interface> m_adapter;
};

} // namespace geoframe::detail

#endif
