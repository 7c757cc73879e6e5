#ifndef GEOFRAME_PROJECTION_GXPROJ4PROJECTION_H
#define GEOFRAME_PROJECTION_GXPROJ4PROJECTION_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/detail/GxProjectionOverloads.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class GxProj4Interface;

/// The base of the PROJ-backed projections, and part of the API: a caller holding
/// any projection may dynamic_cast to it to ask whether PROJ accepted the
/// configuration (IsConfigured, GetConfigureError), read the parameter list or
/// choose full precision.
///
/// What the UTM, Lambert, Albers and stereographic projections share: each owns a
/// PROJ adapter of its own (never shared, never copied: a copy makes a new one),
/// configures it from a parameter list built from its parameters and its
/// ellipsoid, and converts every point with one call into PROJ.
///
/// The list is the projection's PROJ name ("proj=utm"), its own parameters, then
/// "a=" and "b=" with the ellipsoid's radii. By default numbers are written as C's
/// "%f" and "%d" would write them in the "C" locale (six decimals for angles, scale
/// factors and radii), whatever the process locale, and are never cut short.
/// Without an ellipsoid there is no list to make: the projection is then
/// unconfigured and every conversion fails.
///
/// Six decimals are what stored databases were made with, and they cost
/// precision: an angle moves by up to 5e-7 degrees (the Lambert origin 27 deg 50'
/// of Texas South Central loses 3.7 cm of northing), a scale factor given to
/// seven digits by up to 5e-7 (k0 = 0.9999079 reaches PROJ as 0.999908 and moves
/// points 1.27 m at the equator), a radius by up to 5e-7 m (WGS 84's semi-minor
/// radius, 6356752.3142452, becomes 6356752.314245: 216 nm of UTM northing). A
/// projection that must convert as an outside definition does (one read from an
/// EPSG code, see GxCrsDefinition) is therefore set to full precision with
/// SetFullPrecision(true): every number then reaches PROJ as the shortest text that
/// reads back as the same double ("0.9996", "27.833333333333332"). The setting is
/// copied with the projection, compared by IsEqual, and shown in the description
/// by a line "Parameters: full precision" before the "Datum: " line (no line in
/// the default setting, so default descriptions stay as they were).
///
/// The ellipsoid is shared: when it changes in place, the next conversion (or
/// description, parameter or configuration query) rebuilds the list from the
/// new figure; see GxProjection.
class GEOFRAME_EXPORT GxProj4Projection
    : public geoframe::detail::GxProjectionOverloads<GxProj4Projection> {
public:
    ~GxProj4Projection() override;

    using geoframe::detail::GxProjectionOverloads<GxProj4Projection>::LatLong2Proj;
    using geoframe::detail::GxProjectionOverloads<GxProj4Projection>::Proj2LatLong;

    /// PROJ's forward mapping less the local origin's x and y, with the latitude
    /// first limited to the projection's latitude limit (if it has one). False, x
    /// and y untouched, for non-finite angles, the projection's refused pole (if it
    /// has one), an unconfigured projection, a point PROJ cannot convert or a
    /// non-finite result.
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
    /// The same list as strings.
    std::vector<std::string> GetParameterList() const;

    /// Chooses full-precision numbers (true) or the six-decimal texts (false, the
    /// default), rebuilds the description and reconfigures PROJ; returns whether
    /// PROJ accepted the new list.
    bool SetFullPrecision(bool fullPrecision);
    /// True when numbers reach PROJ at full precision.
    bool GetFullPrecision() const { return m_fullPrecision; }

    /// True when PROJ accepted the projection's current parameter list (on the
    /// ellipsoid as it is now), so that points can convert.
    bool IsConfigured() const;
    /// Why the projection is not configured: PROJ's own message for a list it
    /// refused (such as "lcc: Invalid value for lat_1 and lat_2: |lat_1 + lat_2|
    /// should be > 0"), "no ellipsoid", or "not configured yet" for a projection
    /// made without its parameters and never set since; empty when configured.
    /// Owned by the projection, valid until it is reconfigured.
    const char* GetConfigureError() const;

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
    /// Forward conversions refuse a latitude of exactly `pole` degrees (90 or -90):
    /// a pole that the projection maps to infinity, and PROJ to a huge finite
    /// number (none by default).
    void RefusePole(double pole) { m_refusedPole = pole; }

    /// Whether Configure has run: a copy configures itself only when its original
    /// had, so that a clone converts exactly as its original does.
    bool ConfigureHasRun() const { return m_configureHasRun; }

    /// The radii PROJ works with: the "a=" and "b=" texts of the list PROJ last
    /// accepted, read back. False while the projection is not configured.
    bool ConfiguredRadii(double& a, double& b) const;

private:
    GxProj4Projection& operator=(const GxProj4Projection&) { return *this; }

    /// New PROJ parameters on a change of the ellipsoid only when the projection
    /// had been configured.
    bool ReconfiguresOnEllipsoidChange() const override { return m_configureHasRun; }

    const char* m_projParameter;
    double m_latitudeLimit;
    double m_refusedPole;
    bool m_fullPrecision;
    // Mutable: a change of the shared ellipsoid reconfigures from const calls.
    mutable std::unique_ptr<GxProj4Interface> m_adapter;
    mutable bool m_configureHasRun;
    /// The radii of the list PROJ last accepted; m_configured says whether it did.
    mutable bool m_configured;
    mutable double m_configuredA;
    mutable double m_configuredB;
};

#endif
