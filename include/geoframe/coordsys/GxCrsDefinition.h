#ifndef GEOFRAME_COORDSYS_GXCRSDEFINITION_H
#define GEOFRAME_COORDSYS_GXCRSDEFINITION_H

#include <geoframe/coordsys/GxCoordSys.h>
#include <geoframe/foundation/GxSmartRef.h>
#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxProjection.h>

#include <memory>

/// Coordinate reference systems the GIS way, in and out, through PROJ: PROJ reads
/// and writes every text (EPSG codes, URNs, WKT1/WKT2, PROJJSON, PROJ strings) and
/// looks codes up in its database (proj.db); the library parses none of them.
///
/// Read() makes the GxCoordSys that means the same as a CRS, decided on the CRS's
/// kind, conversion method and parameters:
///  - projected, Transverse Mercator with a UTM zone's parameters (k0 0.9996,
///    origin latitude 0, central meridian 6z - 183, false easting 500000 m, false
///    northing 0 or 10000000 m): GxUTMProjection, zone z, north or south; any
///    other transverse Mercator is refused;
///  - Lambert conic conformal 2SP: GxLCCProjection; 1SP with k0 = 1: both
///    parallels at the origin latitude; 1SP with k0 < 1: the two standard
///    parallels where the 1SP scale is 1, computed (same cone, same scale); 1SP
///    with k0 > 1 has no such parallels and is refused;
///  - Albers equal area: GxACEAProjection;
///  - polar stereographic variant A and PROJ's "Stereographic": the
///    stereographic projection with k0; variant B: the k0 that gives the latitude
///    of true scale its scale 1 (EPSG's formula, exact at the pole); oblique
///    stereographic and every other method are refused with the method's name;
///  - false easting and northing become the projection's local origin, negated,
///    so that map coordinates are the CRS's (in metres; see GetUnitScale); a
///    prime meridian other than Greenwich moves the central meridian;
///  - geographic 2D/3D: no projection, units "Angular Distance" / "Degrees";
///    geocentric: no projection, units "Distance" / "Meters" (GetKind tells them
///    apart);
///  - the ellipsoid: a GxEllipsoid from the CRS's radii, named after its
///    ellipsoid, with the shift of the first 3-parameter (or null) transformation
///    to WGS 84 PROJ's database offers; when it offers only 7-parameter or grid
///    transformations, or none, no shift, and GetMessage says so.
/// Projections made here hand PROJ their parameters at full precision
/// (GxProj4Projection::SetFullPrecision), so they convert as the CRS does.
///
/// Write() builds the PROJ definition of a coordinate system or projection from
/// what it holds and lets PROJ write it as a PROJ string, WKT2:2019 or PROJJSON.
/// The flat-earth projection is written as equidistant cylindrical and the
/// trapezoidal as sinusoidal, on the sphere of radius 111120 * 180 / pi m about
/// the origin (111120 m per degree; the flat-earth latitude of true scale
/// carries the library's 3.1415927 for pi, so that the mapping is the same; the
/// trapezoidal one takes each point's cosine with PROJ's pi, a relative
/// difference of 1.5e-8 * latitude * tan(latitude) in x). A stereographic
/// projection whose scale is set by a scale latitude is written with k0 = 1, which
/// is what PROJ computes for it. Classic projections are written with the
/// six-decimal numbers they hand PROJ, full-precision ones with exact numbers. The
/// local origin's z, the latitude limit of the stereographic forward conversion
/// and names are not written.
///
/// Results are bool: false leaves the coordinate system, kind, scale and text of
/// the last success untouched and puts a one-line reason in GetMessage (PROJ's own
/// reason when PROJ refuses a text). Nothing is printed. Each object owns a PROJ
/// context (made on first use), so distinct objects work on distinct threads at
/// once; one object serves one thread at a time. Not copyable.
class GEOFRAME_EXPORT GxCrsDefinition {
public:
    enum Kind { KIND_NONE = 0, KIND_GEOGRAPHIC, KIND_GEOCENTRIC, KIND_PROJECTED };
    enum Format { FORMAT_PROJ_STRING = 0, FORMAT_WKT2_2019, FORMAT_PROJJSON };

    GxCrsDefinition();
    ~GxCrsDefinition();

    /// Reads any text PROJ accepts as a CRS ("EPSG:32633", "urn:ogc:def:crs:...",
    /// WKT, PROJJSON, a PROJ string with or without "+type=crs"; not a pipeline)
    /// and makes its coordinate system. False, with the reason, when PROJ refuses
    /// the text or the CRS has no geoframe equivalent. On success GetMessage holds
    /// what was approximated or left out ("" for nothing).
    bool Read(const char* text);

    /// The coordinate system of the last successful Read; empty before.
    GxSmartRef<GxCoordSys> GetCoordSys() const;
    /// What the last successful Read found; KIND_NONE before.
    Kind GetKind() const;
    /// Metres per CRS unit of the last projected CRS read (0.3048006096012192 for
    /// the US survey foot); 1 otherwise. Map coordinates in the CRS's units are
    /// the projection's metres divided by it.
    double GetUnitScale() const;
    /// The CRS's name from the last successful Read ("" before).
    const char* GetName() const;

    /// Writes `system` in `format`: its projection and ellipsoid (with the datum
    /// shift as a 3-parameter transformation to WGS 84), map units of `unitScale`
    /// metres, or when that is 0 the units its unit name says ("Meters",
    /// "Kilometers", "Feet" as the international foot, "Inches", "Nautical Miles").
    /// Without a projection: geographic when the unit kind is angular, geocentric
    /// otherwise. False, with the reason, without an ellipsoid or for parameters
    /// PROJ refuses.
    bool Write(const GxCoordSysBase& system, Format format, double unitScale = 0.0);
    /// Writes a projection with its ellipsoid, in metres.
    bool Write(const GxProjection& projection, Format format);
    /// The text of the last successful Write, owned by this object; "" before.
    const char* GetText() const;

    /// The reason for the last failure, or the note of the last successful Read
    /// ("" when there is nothing to say). Owned by this object.
    const char* GetMessage() const;

private:
    GxCrsDefinition(const GxCrsDefinition&) = delete;
    GxCrsDefinition& operator=(const GxCrsDefinition&) = delete;

    struct State;
    std::unique_ptr<State> m_state;
};

#endif
