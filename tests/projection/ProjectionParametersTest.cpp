// Each projection's own parameters: the PROJ lists they make, their setters and
// equality, and the library's own flat-earth and trapezoidal formulas; the
// PROJ-backed ones against GeographicLib where it is installed.

#include "CommaLocale.h"
#include "ProjectionKinds.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#ifdef GEOFRAME_HAVE_GEOGRAPHICLIB
#include <GeographicLib/AlbersEqualArea.hpp>
#include <GeographicLib/LambertConformalConic.hpp>
#include <GeographicLib/PolarStereographic.hpp>
#include <GeographicLib/TransverseMercator.hpp>
#endif

namespace {

using namespace testproj;

const std::string kA = "a=6378137.000000", kB = "b=6356752.314245";

bool Converts(const GxProjection& p, double lat = 45.0, double lon = 9.0) {
    double x, y;
    return p.LatLong2Proj(GxGeoAngle(lat), GxGeoAngle(lon), x, y);
}

TEST(UTMProjection, ZonesHemispheresAndTheirLists) {
    for (const auto& c : {std::pair{0, 1}, {-7, 1}, {33, 33}, {60, 60}, {75, 60}}) {
        int zone = -1;
        EXPECT_EQ(Values(GxUTMProjection(Wgs84(), c.first, 0).GetZone(zone), zone),
                  Values(true, c.second));
    }
    GxUTMProjection utm; // zone 10, north, not configured yet
    // "zone hemisphere: PROJ list", -1 for a getter that fails.
    auto state = [&utm] {
        int zone = -1, hemisphere = -1;
        const bool z = utm.GetZone(zone), h = utm.GetHemisphere(hemisphere);
        std::string text = Values(z ? zone : -1, h ? hemisphere : -1) + ":";
        for (const std::string& t : Parameters(utm))
            text += " " + t;
        return text;
    };
    const char* description = utm.GetProjectionInstanceDesc();
    EXPECT_EQ(Values(utm.SetZone(61), utm.SetZone(0)), "false false");
    EXPECT_EQ(state(), "10 0:");
    EXPECT_EQ(utm.GetProjectionInstanceDesc(), description);
    EXPECT_EQ(Succeeded({{"south", utm.SetHemisphere(2)}, {"converts", Converts(utm, -45, -123)}}),
              " south converts");
    EXPECT_EQ(state(), "10 2: proj=utm south zone=10 " + kA + " " + kB);
    EXPECT_EQ(Values(utm.SetHemisphere(0), utm.SetZone(60)), "true true");
    EXPECT_EQ(state(), "60 0: proj=utm zone=60 " + kA + " " + kB);

    // Both 1 and 2 mean south, but the values differ.
    Ellipsoid e = Wgs84();
    EXPECT_FALSE(GxUTMProjection(e, 33, 1).IsEqual(new GxUTMProjection(e, 33, 2)));
}

TEST(UTMProjection, ZoneOfLong) {
    const double cases[][2] = {{-179.5, 1}, {-174, 2},      {-74, 18},      {-0.0, 31}, {5.999, 31},
                               {6, 32},     {179.5, 60},    {190, 2},       {-190, 59}, {180, 1},
                               {-180, 1},   {540, 1},       {-540, 1},      {720, 31},  {1e6, 17},
                               {NAN, -1},   {INFINITY, -1}, {-INFINITY, -1}};
    for (const auto& c : cases) {
        int zone = -1;
        EXPECT_EQ(GxUTMProjection().ZoneOfLong(c[0], zone), c[1] > 0) << c[0];
        EXPECT_EQ(zone, c[1]) << c[0];
    }
}

// The UTM/UPS zone of a point: the edges of the UPS caps, of the Norway and
// Svalbard exceptions and of longitude.
TEST(UTMProjection, StandardZone) {
    const double below84 = std::nextafter(84.0, 0.0), below3 = std::nextafter(3.0, 0.0);
    const double cases[][4] = {
        // lat, lon, zone, hemisphere; zone -1: refused
        {84, 0, 0, 0},     {below84, 0, 31, 0},   {-80, 0, 31, 1},     {-80.000001, 0, 0, 1},
        {90, 45, 0, 0},    {-90, 0, 0, 1},        {-0.0, 5, 31, 0},    {-1e-300, 5, 31, 1},
        {56, 3, 32, 0},    {56, below3, 31, 0},   {63.99, 5.9, 32, 0}, {64, 3, 31, 0},
        {72, 8.99, 31, 0}, {78, 9, 33, 0},        {83.9, 20.9, 33, 0}, {80, 21, 35, 0},
        {80, 33, 37, 0},   {80, 41.9, 37, 0},     {80, 42, 38, 0},     {71.99, 9, 32, 0},
        {0, 180, 1, 0},    {0, -180, 1, 0},       {0, -190, 59, 0},    {0, 179.99, 60, 0},
        {0, 540, 1, 0},    {0, -1e-300, 30, 0},   {91, 0, -1, -1},     {NAN, 0, -1, -1},
        {0, NAN, -1, -1},  {0, INFINITY, -1, -1}, {-90.5, 0, -1, -1},
    };
    for (const auto& c : cases) {
        int zone = -1, hemisphere = -1;
        EXPECT_EQ(GxUTMProjection::StandardZone(c[0], c[1], zone, hemisphere), c[2] >= 0);
        EXPECT_EQ(Values(zone, hemisphere), Values(c[2], c[3])) << c[0] << ", " << c[1];
    }
    // The projection of each kind of zone.
    Ellipsoid e = Wgs84();
    using U = GxUTMProjection; // UPS for zone 0, none for zones 61 and -1
    EXPECT_EQ(Values(U::NewStandardZone(e, 0, 1)->IsEqual(new GxUPSProjection(e, 1)),
                     U::NewStandardZone(e, 60, 1)->IsEqual(new GxUTMProjection(e, 60, 1)),
                     !U::NewStandardZone(e, 61, 0), !U::NewStandardZone(e, -1, 0)),
              "true true true true");
}

// UPS: a polar stereographic with k0 0.994 and the false origin in its local origin,
// which converts its pole exactly and refuses the other one.
TEST(UPSProjection, PolesOriginAndEquality) {
    Ellipsoid e = Wgs84();
    for (const int hemisphere : {0, 1}) {
        const double pole = hemisphere ? -90.0 : 90.0;
        GxUPSProjection ups(e, hemisphere);
        GxStereographicProjection stere(e, pole, 0, 0.994);
        const gxVec2 origin(2e6, 2e6);
        for (const double lon : {0.0, 45.0, -180.0}) {
            EXPECT_EQ(Map(ups, pole, lon), origin) << lon;
            EXPECT_TRUE(Refuses(ups, -pole, lon)) << lon;
        }
        // Within 1.1 m of the pole the base class would move the point.
        const double nearPole = pole * (1 - 1e-8);
        EXPECT_NEAR((Map(ups, nearPole, 30) - origin).length(), 0.994 * 111694.0 * 9e-7, 1e-4);
        EXPECT_GT(Map(stere, nearPole, 30).length(), 1.0);
        EXPECT_EQ(Map(ups, pole * 0.9, 30), Map(stere, pole * 0.9, 30) + origin);

        // Never equal to a plain stereographic projection of the same parameters,
        // either way round.
        stere.SetLocalOrigin(-2e6, -2e6, 0);
        EXPECT_EQ(Values(ups.IsEqual(stere.Clone()), stere.IsEqual(ups.Clone())), "false false");
    }
}

TEST(ConicProjections, SettersListsAndRefusedParallels) {
    using Conic = GxConicProjection;
    for (const char* proj : {"proj=lcc", "proj=aea"}) {
        SCOPED_TRACE(proj);
        const bool lcc = proj[5] == 'l';
        // Made on an ellipsoid alone: not configured until its parameters are set.
        GxSmartRef<Conic> made(lcc ? static_cast<Conic*>(new GxLCCProjection(Wgs84()))
                                   : new GxACEAProjection(Wgs84()));
        Conic& conic = *made;
        EXPECT_EQ(Succeeded({{"converts early", Converts(conic)},
                             {"origin", conic.SetOriginLatLong(23, -96)},
                             {"upper", conic.SetUpperLat(45)},
                             {"lower", conic.SetLowerLat(33)},
                             {"converts", Converts(conic, 40, -100)}}),
                  " origin upper lower converts");
        EXPECT_EQ(Parameters(conic), (Texts{proj, "lat_0=23.000000", "lon_0=-96.000000",
                                            "lat_1=33.000000", "lat_2=45.000000", kA, kB}));
        Projection copy = conic.Clone();

        // PROJ refuses opposite parallels: the setter still succeeds, the angle is
        // kept and shown, conversions fail.
        EXPECT_TRUE(conic.SetLowerLat(-45));
        EXPECT_NE(std::string(conic.GetProjectionInstanceDesc()).find("45~0'0.00\" S"),
                  std::string::npos);
        EXPECT_EQ(Values(Converts(conic, 40, -100), conic.SetLocalOrigin(0, 0, 0)), "false false");
        EXPECT_FALSE(conic.IsEqual(copy)); // differ in the lower latitude only
    }
}

TEST(StereographicProjection, ScaleSwitchAndPoles) {
    Ellipsoid e = Wgs84();
    GxStereographicProjection stere(e, 90, -45, 0.9999);
    Texts list = {"proj=stere", "lat_0=90.000000", "lon_0=-45.000000", "k=0.999900", kA, kB};
    EXPECT_EQ(Parameters(stere), list);
    EXPECT_TRUE(stere.SetScaleLat(70));
    EXPECT_TRUE(stere.SetOriginLatLong(-90, 30));
    list[1] = "lat_0=-90.000000", list[2] = "lon_0=30.000000", list[3] = "lat_1=70.000000";
    EXPECT_EQ(Parameters(stere), list);

    // The scale latitude reaches PROJ as "lat_1", which "stere" does not read: two
    // scale latitudes give one mapping (true scale at the pole), unlike a factor.
    // (A plain number as the last argument is a scale factor.)
    GxStereographicProjection lat60(e, 90, 0, GxGeoAngle(60)), lat90(e, 90, 0, GxGeoAngle(90)),
        k1(e, 90, 0, 1.0), k994(e, 90, 0, 0.994), south(e, -90, 0, 0.994);
    const gxVec2 a = Map(lat60, 70, 30);
    EXPECT_EQ(Values(a == Map(lat90, 70, 30), a.equal(Map(k1, 70, 30), 1e-9),
                     a.equal(Map(k994, 70, 30), 1.0)),
              "true true false");

    // Poles convert as +-89.99999.
    for (GxStereographicProjection* p : {&k994, &south})
        for (const double pole : {90.0, -90.0})
            EXPECT_EQ(Map(*p, pole, 10), Map(*p, std::copysign(89.99999, pole), 10)) << pole;

    // Equality compares the scale the switch selects.
    GxStereographicProjection other(e, 90, 0, GxGeoAngle(60));
    other.SetScaleK0(0.994);
    k994.SetScaleLat(10);
    k994.SetScaleK0(0.994);
    EXPECT_TRUE(k994.IsEqual(other.Clone()));
    other.SetScaleLat(10);
    EXPECT_FALSE(k994.IsEqual(other.Clone()));
    k994.SetScaleLat(10);
    EXPECT_TRUE(k994.IsEqual(other.Clone()));
}

TEST(ProjectionParameters, FullPrecisionListsDescriptionsAndEquality) {
    // Texas South Central's origin 27 deg 50' and the k0 of a polar system: six
    // decimals move points, full precision hands PROJ the doubles themselves.
    const double lat0 = 27.0 + 50.0 / 60.0, k0 = 0.97276901289;
    Ellipsoid e = Wgs84();
    for (Projection p : {Projection(new GxLCCProjection(e, lat0, -99, 30.0 + 17.0 / 60, 28.3)),
                         Projection(new GxStereographicProjection(e, -90, 0, k0))}) {
        SCOPED_TRACE(p->GetProjectionName());
        auto& proj4 = dynamic_cast<GxProj4Projection&>(*p);
        Projection classic = p->Clone();
        const std::string description = p->GetProjectionInstanceDesc();
        gxVec3 before, after;
        const gxVec3 in(-98, lat0 > 0 ? 29 : -70, 0);
        ASSERT_TRUE(p->LatLong2Proj(in, before));

        EXPECT_EQ(Succeeded({{"was", proj4.GetFullPrecision()},
                             {"set", proj4.SetFullPrecision(true)},
                             {"is", proj4.GetFullPrecision()},
                             {"converts", p->LatLong2Proj(in, after)}}),
                  " set is converts");
        const Texts list = Parameters(*p);
        EXPECT_TRUE(std::find(list.begin(), list.end(), "a=6378137") != list.end());
        EXPECT_TRUE(std::find(list.begin(), list.end(), "lat_0=27.833333333333332") != list.end() ||
                    std::find(list.begin(), list.end(), "k=0.97276901289") != list.end());
        EXPECT_GT(std::hypot(after[0] - before[0], after[1] - before[1]), 0.01);
        const std::string exact = p->GetProjectionInstanceDesc();
        EXPECT_NE(exact.find("\nParameters: full precision\nDatum: WGS84"), std::string::npos);
        EXPECT_EQ(Values(p->IsEqual(classic), classic->IsEqual(p), p->IsEqual(p->Clone())),
                  "false false true"); // clones keep full precision

        EXPECT_TRUE(proj4.SetFullPrecision(false));
        EXPECT_EQ(Values(p->LatLong2Proj(in, after), p->IsEqual(classic)), "true true");
        EXPECT_TRUE(after == before);
        EXPECT_EQ(p->GetProjectionInstanceDesc(), description);
    }
}

TEST(DegreeGridProjections, FormulasBitForBit) {
    const double pi = 3.1415927, m = 111120.0;
    const struct {
        Projection p;
        double lat, lon, x, y;
    } cases[] = {
        {new GxFlatEarthProjection(Wgs84(), 45, 0), 60, 1, m* std::cos(45 * pi / 180), 15 * m},
        {new GxFlatEarthProjection(Wgs84(), 0, 179), 0, -179, 2 * m, 0},
        {new GxFlatEarthProjection(Wgs84(), 90, 0), 90, 1, m* std::cos(90 * pi / 180), 0},
        {new GxFlatEarthProjection(Wgs84(), 0, 0), 60, 1, m, 60 * m},
        {new GxTrapezoidalProjection, 60, 1, m* std::cos(60 * pi / 180), 60 * m},
        {new GxTrapezoidalProjection(Wgs84(), 0, -179.5), 90, 179.5, -m* std::cos(90 * pi / 180),
         90 * m},
    };
    for (const auto& c : cases) {
        const gxVec2 xy = Map(*c.p, c.lat, c.lon);
        double lat, lon;
        EXPECT_EQ(Values(xy[0], xy[1]), Values(c.x, c.y))
            << c.p->GetProjectionName() << " " << c.lat;
        ASSERT_TRUE(c.p->Proj2LatLong(xy[0], xy[1], lat, lon));
        EXPECT_NEAR(lat, c.lat, 1e-9);
        EXPECT_NEAR(GxGeoAngle(lon - c.lon), 0.0, 1e-6); // 1e-6: the cosine near 0 at 90
    }
    // SetOrigin rederives the cosine: moved there, it converts as one made there.
    GxFlatEarthProjection moved(Wgs84(), 0, 0);
    ASSERT_TRUE(moved.SetOrigin(45.0, 0.0));
    EXPECT_EQ(Map(moved, 60, 1), gxVec2(cases[0].x, cases[0].y));

    // An inverse beyond +-90 before wrapping is off the Earth; longitudes wrap.
    const struct {
        double originLat, localY, y;
        bool converts;
    } inverses[] = {{0, 0, 90 * m, true},     {0, 0, 90 * m + 1, false},
                    {0, 0, 15e6, false},      {0, 0, 1e12, false},
                    {45, 0, -135 * m, true},  {45, 0, -135 * m - 1, false},
                    {-80, -11 * m, 0, false}, {-80, -10 * m, 0, true}};
    GxFlatEarthProjection flat(Wgs84());
    GxTrapezoidalProjection trapezoidal(Wgs84());
    for (GxDegreeGridProjection* p :
         std::initializer_list<GxDegreeGridProjection*>{&flat, &trapezoidal}) {
        for (const auto& r : inverses) {
            p->SetOrigin(r.originLat, 0), p->SetLocalOrigin(0, r.localY, 0);
            double lat = 7, lon = 8;
            EXPECT_EQ(p->Proj2LatLong(1e7, r.y, lat, lon), r.converts)
                << p->GetProjectionName() << " " << r.originLat << " " << r.y;
            if (!r.converts) { // the outputs untouched
                EXPECT_EQ(Values(lat, lon), "7 8") << p->GetProjectionName() << " " << r.y;
            }
        }
    }
}

TEST(ProjectionParameters, RefusedRadiiAndTheProcessLocale) {
    // PROJ refuses a zero radius: the UTM setters report it.
    GxUTMProjection utm(new GxEllipsoid(0.0, 0.0, 0, 0, 0, "none"), 33, 0);
    EXPECT_EQ(Values(utm.SetZone(32), utm.SetLocalOrigin(1, 2, 3), Converts(utm, 45, 9)),
              "false false false");
    EXPECT_TRUE(utm.SetEllipsoid(Wgs84()));
    EXPECT_TRUE(Converts(utm, 45, 9));

    // Parameter texts use a decimal point whatever the process locale.
    const CommaLocale german;
    if (!german.Active())
        GTEST_SKIP() << "no comma-decimal locale available";
    EXPECT_EQ(Parameters(GxACEAProjection(Wgs84(), 23.5, -96.25, 45.125, 29.5)),
              (Texts{"proj=aea", "lat_0=23.500000", "lon_0=-96.250000", "lat_1=29.500000",
                     "lat_2=45.125000", kA, kB}));
}

#ifdef GEOFRAME_HAVE_GEOGRAPHICLIB
// The PROJ-backed projections against an independent implementation on random
// points in both hemispheres.
TEST(ProjectionAgreement, MatchesGeographicLibInBothHemispheres) {
    // The radii exactly as the projections hand them to PROJ.
    const double a = 6378137.0, f = 1.0 - 6356752.314245 / a;
    using namespace GeographicLib;
    const TransverseMercator tm(a, f, 0.9996);
    const LambertConformalConic lccNorth(a, f, 33, 45, 1), lccSouth(a, f, -36, -28, 1);
    // GeographicLib 2.1's southern Albers is off (scale 1.47 between its parallels),
    // so the southern case is checked as the mirror image of a northern one.
    const AlbersEqualArea aeaNorth(a, f, 29.5, 45.5, 1), aeaMirror(a, f, 36, 18, 1);
    const PolarStereographic k994(a, f, 0.994), k97(a, f, 0.97);
    using Reference = std::function<void(double lat, double lon, double& x, double& y)>;
    // A conic's y counts from the origin latitude; a mirrored one maps -lat. UTM:
    // the transverse Mercator from the equator, with false easting and northing.
    const auto conic = [](const auto& c, double lat0, double lon0, double mirror = 1, double x0 = 0,
                          double y0 = 0) {
        return Reference([=, &c](double lat, double lon, double& x, double& y) {
            double xOrigin, yOrigin;
            c.Forward(lon0, mirror * lat0, lon0, xOrigin, yOrigin);
            c.Forward(lon0, mirror * lat, lon, x, y);
            x += x0, y = mirror * (y - yOrigin) + y0;
        });
    };
    // UPS: the polar stereographic with k0 0.994 and a false origin of 2e6, 2e6.
    const auto polar = [](const PolarStereographic& ps, bool north, double lon0, double o = 0) {
        return Reference([&ps, north, lon0, o](double lat, double lon, double& x, double& y) {
            ps.Forward(north, lat, lon - lon0, x, y);
            x += o, y += o;
        });
    };
    GxSmartRef<GxEllipsoidBase> e = Wgs84();
    const struct {
        GxSmartRef<GxProjection> p;
        Reference reference;
        double latMin, latMax, lonMin, lonMax;
    } cases[] = {
        {new GxUTMProjection(e, 32, 0), conic(tm, 0, 9, 1, 5e5), 0, 84, 5, 13},
        {new GxUTMProjection(e, 56, 1), conic(tm, 0, 153, 1, 5e5, 1e7), -80, 0, 149, 157},
        {new GxLCCProjection(e, 23, -96, 45, 33), conic(lccNorth, 23, -96), 15, 60, -130, -62},
        {new GxLCCProjection(e, -32, 135, -28, -36), conic(lccSouth, -32, 135), -45, -10, 110, 160},
        {new GxACEAProjection(e, 23, -96, 45.5, 29.5), conic(aeaNorth, 23, -96), 15, 60, -130, -62},
        {new GxACEAProjection(e, -30, 132, -18, -36), conic(aeaMirror, -30, 132, -1), -45, -10, 110,
         160},
        {new GxStereographicProjection(e, 90, -45, 0.994), polar(k994, true, -45), 55, 89.9, -180,
         180},
        {new GxStereographicProjection(e, -90, 0, 0.97), polar(k97, false, 0), -89.9, -55, -180,
         180},
        {new GxUPSProjection(e, 0), polar(k994, true, 0, 2e6), 83.5, 90, -180, 180},
        {new GxUPSProjection(e, 1), polar(k994, false, 0, 2e6), -90, -79.5, -180, 180},
    };
    for (const auto& c : cases) {
        const testproj::Kind region{nullptr, c.latMin, c.latMax, c.lonMin, c.lonMax};
        for (const gxVec3& point : testproj::Points(region, 500, 11)) {
            double x, y, refX, refY;
            gxVec3 back;
            c.reference(point[1], point[0], refX, refY);
            ASSERT_TRUE(c.p->LatLong2Proj(GxGeoAngle(point[1]), GxGeoAngle(point[0]), x, y));
            EXPECT_NEAR(x, refX, 1e-5) << c.p->GetProjectionInstanceDesc() << "\n" << point[1];
            EXPECT_NEAR(y, refY, 1e-5) << c.p->GetProjectionInstanceDesc() << "\n" << point[0];
            ASSERT_TRUE(c.p->Proj2LatLong(gxVec3(refX, refY, 0.0), back));
            EXPECT_NEAR(back[1], point[1], 1e-9);
            EXPECT_NEAR(GxGeoAngle(back[0] - point[0]), 0.0, 1e-9);
        }
    }
}
#endif

} // namespace
