// CRS definitions read and written through PROJ, checked against PROJ's own
// conversions on a grid of points.

#include <geoframe/geoframe.h>

#include "Text.h"

#include <gtest/gtest.h>

#include <proj.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Crs = GxCrsDefinition;

struct PjFree {
    void operator()(PJ* p) const { proj_destroy(p); }
};
using Pj = std::unique_ptr<PJ, PjFree>;

struct Proj {
    PJ_CONTEXT* ctx = proj_context_create();
    Proj() { proj_log_level(ctx, PJ_LOG_NONE); }
    ~Proj() { proj_context_destroy(ctx); }

    /// From longitude and latitude in degrees from Greenwich to the CRS's easting
    /// and northing in its units, without a datum change (from a datum PROJ does
    /// not know, so that it takes the ballpark way, a null shift); a CRS bound to
    /// WGS 84 is taken unbound.
    Pj Mapping(const std::string& text) const {
        Pj crs(proj_create(ctx, text.c_str()));
        if (!crs)
            return Pj();
        Pj target(proj_get_type(crs.get()) == PJ_TYPE_BOUND_CRS
                      ? proj_get_source_crs(ctx, crs.get())
                      : proj_clone(ctx, crs.get()));
        Pj base(proj_create(ctx, "+proj=longlat +a=6378137 +b=6356752 +type=crs"));
        Pj op(proj_create_crs_to_crs_from_pj(ctx, base.get(), target.get(), nullptr, nullptr));
        return op ? Pj(proj_normalize_for_visualization(ctx, op.get())) : Pj();
    }
};

struct Region {
    const char* code;
    double unitScale, latMin, latMax, lonMin, lonMax;
};

// Every mapped kind: UTM north and south, Lambert 2SP, 1SP with k0 = 1 and 1SP
// with k0 < 1 (in grads on the Paris meridian), Albers, polar stereographic A and
// B on both poles (UPS north to the pole itself, which a plain stereographic
// projection would not reach), and a US survey foot system.
const Region kRegions[] = {
    {"EPSG:32633", 1, 40, 60, 10, 20},    {"EPSG:32733", 1, -40, -5, 12, 18},
    {"EPSG:2154", 1, 42, 51, -4, 8},      {"EPSG:24200", 1, 17.5, 18.6, -78.5, -76},
    {"EPSG:27572", 1, 42, 51, -4, 8},     {"EPSG:5070", 1, 25, 49, -124, -67},
    {"EPSG:32661", 1, 60, 90, -180, 180}, {"EPSG:3031", 1, -89, -60, -180, 180},
    {"EPSG:3413", 1, 60, 89, -180, 180},  {"EPSG:2227", 1200.0 / 3937.0, 36, 38.5, -123, -120},
};

/// Largest distance in metres between the projection's points and PROJ's over a
/// grid of the region, or infinity when a point fails on either side.
double Largest(const GxProjection& projection, PJ* mapping, const Region& r) {
    double largest = 0.0;
    for (int i = 0; i <= 6; ++i) {
        for (int j = 0; j <= 6; ++j) {
            const double lat = r.latMin + (r.latMax - r.latMin) * i / 6.0;
            const double lon = r.lonMin + (r.lonMax - r.lonMin) * j / 6.0;
            double x, y;
            const PJ_COORD out = proj_trans(mapping, PJ_FWD, proj_coord(lon, lat, 0, 0));
            if (!projection.LatLong2Proj(GxGeoAngle(lat), GxGeoAngle(lon), x, y) ||
                !std::isfinite(out.xy.x))
                return INFINITY;
            largest = std::max(largest,
                               std::hypot(x - out.xy.x * r.unitScale, y - out.xy.y * r.unitScale));
        }
    }
    return largest;
}

TEST(CrsDefinition, CodesConvertAsProjDoesAndWriteThemselvesBack) {
    Proj proj;
    for (const Region& r : kRegions) {
        SCOPED_TRACE(r.code);
        GxCrsDefinition crs;
        ASSERT_TRUE(crs.Read(r.code)) << crs.GetMessage();
        const GxSmartRef<GxCoordSys> system = crs.GetCoordSys();
        GxSmartRef<GxProjection> projection;
        ASSERT_TRUE(system);
        ASSERT_TRUE(system->GetProjection(projection));
        ASSERT_TRUE(projection);
        Pj mapping = proj.Mapping(r.code);
        ASSERT_TRUE(mapping);
        EXPECT_LT(Largest(*projection, mapping.get(), r), 1e-3);

        // Written back in each format and read by PROJ: the same points.
        for (const auto format :
             {Crs::FORMAT_PROJ_STRING, Crs::FORMAT_WKT2_2019, Crs::FORMAT_PROJJSON}) {
            ASSERT_TRUE(crs.Write(*system, format, crs.GetUnitScale())) << crs.GetMessage();
            Pj written = proj.Mapping(crs.GetText());
            ASSERT_TRUE(written) << crs.GetText();
            EXPECT_LT(Largest(*projection, written.get(), r), 1e-3) << crs.GetText();
        }
    }
}

TEST(CrsDefinition, RefusalsNameTheReasonAndKeepTheLastResult) {
    GxCrsDefinition crs;
    ASSERT_TRUE(crs.Read("EPSG:32632"));
    const GxSmartRef<GxCoordSys> kept = crs.GetCoordSys();
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"EPSG:27700", "Transverse Mercator other than a UTM zone"},
        {"EPSG:28992", "Oblique Stereographic projection"},
        {"EPSG:3395", "Mercator (variant A) projection"},
        {"EPSG:99999", "crs not found"},
        {"", "unrecognized format"},
        {"GEOGCS[\"x\",\nDATUM[", "missing"},
        {"+proj=pipeline +step +proj=utm +zone=32", "coordinate operation"},
        {"EPSG:5773", "vertical CRS"},
        {"EPSG:5972", "compound CRS"},
        {"EPSG:4807", "Paris meridian"},
        {"+proj=lcc +lat_0=45 +lat_1=45 +k_0=1.01", "scale factor 1.01 has no standard parallels"},
        {"+proj=tmerc +lat_0=0 +lon_0=10 +k=0.9996 +x_0=500000", "other than a UTM zone"},
        {nullptr, "no CRS text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "null");
        EXPECT_FALSE(crs.Read(c.text));
        EXPECT_NE(std::string(crs.GetMessage()).find(c.reason), std::string::npos)
            << crs.GetMessage();
        EXPECT_EQ(std::string(crs.GetMessage()).find('\n'), std::string::npos);
        EXPECT_EQ(Values(crs.GetCoordSys() == kept, crs.GetKind()),
                  Values(true, Crs::KIND_PROJECTED));
    }
}

TEST(CrsDefinition, DatumShiftsKindsAndNotes) {
    const struct {
        const char* text;
        Crs::Kind kind;
        double dx, dy, dz; // NAN: any non-zero shift
        const char* note;
    } cases[] = {
        {"EPSG:4326", Crs::KIND_GEOGRAPHIC, 0, 0, 0, ""},
        {"urn:ogc:def:crs:EPSG::4979", Crs::KIND_GEOGRAPHIC, 0, 0, 0, ""},
        {"EPSG:4978", Crs::KIND_GEOCENTRIC, 0, 0, 0, ""},
        {"EPSG:4230", Crs::KIND_GEOGRAPHIC, NAN, NAN, NAN, ""},
        {"EPSG:4314", Crs::KIND_GEOGRAPHIC, 0, 0, 0, "only 7-parameter or grid"},
        {"+proj=utm +zone=31 +ellps=intl +towgs84=-87,-98,-121", Crs::KIND_PROJECTED, -87, -98,
         -121, ""},
        {"+proj=longlat +ellps=bessel +towgs84=1,2,3,0,0,0,4", Crs::KIND_GEOGRAPHIC, 0, 0, 0,
         "7 parameters"},
        {"+proj=lcc +lat_0=46.8 +lat_1=46.8 +lon_0=2.337 +k_0=0.99987742 +ellps=clrk80ign",
         Crs::KIND_PROJECTED, 0, 0, 0, "standard parallels computed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        GxCrsDefinition crs;
        ASSERT_TRUE(crs.Read(c.text)) << crs.GetMessage();
        GxSmartRef<GxEllipsoidBase> e, again;
        ASSERT_TRUE(crs.GetCoordSys()->GetEllipsoid(e));
        ASSERT_TRUE(e);
        EXPECT_EQ(crs.GetKind(), c.kind);
        EXPECT_NE(std::string(crs.GetMessage()).find(c.note), std::string::npos)
            << crs.GetMessage();
        if (std::isnan(c.dx))
            EXPECT_NE(e->GetDatumShiftX(), 0.0);
        else
            EXPECT_EQ(Values(e->GetDatumShiftX(), e->GetDatumShiftY(), e->GetDatumShiftZ()),
                      Values(c.dx, c.dy, c.dz));
        // Written back, the system reads as the same kind with the same shift.
        ASSERT_TRUE(crs.Write(*crs.GetCoordSys(), Crs::FORMAT_PROJJSON));
        ASSERT_TRUE(crs.Read(std::string(crs.GetText()).c_str())) << crs.GetMessage();
        crs.GetCoordSys()->GetEllipsoid(again);
        EXPECT_EQ(Values(crs.GetKind(), again && *again == *e), Values(c.kind, true));
    }
}

TEST(CrsDefinition, LibraryProjectionsWriteWhatTheyCompute) {
    // The library's own formulas, the six-decimal lists and a local origin: PROJ
    // reading the written definition converts the same points.
    const GxSmartRef<GxEllipsoidBase> intl(new GxEllipsoid("intl"));
    intl->SetDatumShift(-87, -98, -121);
    const struct {
        GxSmartRef<GxProjection> projection;
        Region region;
    } cases[] = {
        {new GxFlatEarthProjection(intl, 47.3, 8.5), {"flat", 1, 46, 48.5, 6, 11}},
        {new GxTrapezoidalProjection(intl, -33, 151), {"trap", 1, -34, -32, 150, 152}},
        {new GxStereographicProjection(intl, 90, -45, GxGeoAngle(70)),
         {"stere", 1, 60, 89, -180, 180}},
        {new GxLCCProjection(intl, 27.0 + 50.0 / 60, -99, 30.28, 28.38),
         {"lcc", 1, 26, 31, -102, -96}},
        {new GxUTMProjection(intl, 56, 1), {"utm", 1, -40, -20, 150, 156}},
    };
    Proj proj;
    GxCrsDefinition crs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.region.code);
        for (const double origin : {0.0, -250000.0}) {
            c.projection->SetLocalOrigin(origin, 2 * origin, 5);
            ASSERT_TRUE(crs.Write(*c.projection, Crs::FORMAT_WKT2_2019)) << crs.GetMessage();
            EXPECT_NE(std::string(crs.GetText()).find("BOUNDCRS"), std::string::npos);
            Pj mapping = proj.Mapping(crs.GetText());
            ASSERT_TRUE(mapping);
            EXPECT_LT(Largest(*c.projection, mapping.get(), c.region), 1e-3) << crs.GetText();
        }
    }
    EXPECT_FALSE(crs.Write(GxCoordSys(), Crs::FORMAT_WKT2_2019));
    EXPECT_NE(std::string(crs.GetMessage()).find("without an ellipsoid"), std::string::npos);
}

TEST(CrsDefinition, DistinctObjectsReadOnDistinctThreads) {
    std::vector<std::thread> threads;
    std::atomic<int> read{0};
    for (const char* code : {"EPSG:2154", "EPSG:3031", "EPSG:32733", "EPSG:27572"})
        threads.emplace_back([code, &read] {
            GxCrsDefinition crs;
            for (int i = 0; i < 3; ++i)
                read += crs.Read(code) && crs.Write(*crs.GetCoordSys(), Crs::FORMAT_WKT2_2019);
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(read, 12);
}

TEST(CrsDefinition, MissingDatabaseIsAReason) {
    const char* previous = std::getenv("PROJ_DATA");
    const std::string saved = previous ? previous : "";
    setenv("PROJ_DATA", "/nonexistent", 1);
    GxCrsDefinition crs;
    EXPECT_FALSE(crs.Read("EPSG:32633"));
    EXPECT_NE(std::string(crs.GetMessage()).find("proj.db"), std::string::npos) << crs.GetMessage();
    previous ? setenv("PROJ_DATA", saved.c_str(), 1) : unsetenv("PROJ_DATA");
}

} // namespace
