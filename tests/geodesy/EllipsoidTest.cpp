#include <geoframe/geodesy/GxEllipsoid.h>
#include <geoframe/geodesy/GxGeoAngle.h>
#include <geoframe/projection/GxProj4Interface.h>

#include "geodesy/DatumFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84B = 6356752.314245179;
constexpr double kPi = 3.141592653589793;

std::string Name(const GxEllipsoidBase& e) {
    return e.GetEllipsoid() ? e.GetEllipsoid() : "(null)";
}

void ExpectShift(const GxEllipsoidBase& e, double dx, double dy, double dz) {
    EXPECT_EQ(e.GetDatumShiftX(), dx);
    EXPECT_EQ(e.GetDatumShiftY(), dy);
    EXPECT_EQ(e.GetDatumShiftZ(), dz);
}

TEST(Ellipsoid, BuiltInSpheres) {
    const struct {
        const char* id;
        double radius;
    } spheres[] = {
        {"Sphere", 6378245.0}, {"gx14Sphere", 6378000.0}, {"gxFlatEarthSphere", 6366707.019493707}};
    for (const auto& s : spheres) {
        GxEllipsoid e(s.id);
        EXPECT_EQ(Name(e), s.id);
        EXPECT_EQ(e.GetSemiMajorRadius(), s.radius) << s.id;
        EXPECT_EQ(e.GetSemiMinorRadius(), s.radius) << s.id;
        EXPECT_EQ(e.GetEccentricity(), 0.0);
        EXPECT_EQ(e.GetEccentricitySq(), 0.0);
        ExpectShift(e, 0, 0, 0);
    }
    const GxEllipsoid defaults;
    EXPECT_EQ(Name(defaults), "Sphere");
    EXPECT_EQ(defaults.GetSemiMajorRadius(), 6378245.0);
}

TEST(Ellipsoid, ProjNamesByIdAndFullName) {
    for (const char* name : {"WGS84", "WGS 84"}) {
        GxEllipsoid e(name);
        EXPECT_EQ(Name(e), name);
        EXPECT_EQ(e.GetSemiMajorRadius(), kWgs84A);
        EXPECT_NEAR(e.GetSemiMinorRadius(), kWgs84B, 1e-9);
        const double f = 1.0 / 298.257223563;
        EXPECT_DOUBLE_EQ(e.GetEccentricitySq(), f * (2 - f));
        EXPECT_DOUBLE_EQ(e.GetEccentricity(), std::sqrt(f * (2 - f)));
    }
    GxEllipsoid clarke("clrk66");
    EXPECT_EQ(clarke.GetSemiMinorRadius(), 6356583.8);
}

TEST(Ellipsoid, UnknownNamesGiveTheDefaultSphere) {
    for (const char* name : {"wgs84", "", "no such ellipsoid", static_cast<const char*>(nullptr)}) {
        GxEllipsoid e(name);
        EXPECT_EQ(Name(e), "Sphere");
        EXPECT_EQ(e.GetSemiMajorRadius(), 6378245.0);
        EXPECT_EQ(e.GetSemiMinorRadius(), 6378245.0);
        EXPECT_EQ(e.GetEccentricitySq(), 0.0);
    }
}

TEST(Ellipsoid, FromRadii) {
    GxEllipsoid e(kWgs84A, kWgs84B, 1, 2, 3, "mine");
    EXPECT_EQ(Name(e), "mine");
    EXPECT_NEAR(e.GetEccentricitySq(), 0.00669437999014, 1e-14);
    EXPECT_DOUBLE_EQ(e.GetEccentricity() * e.GetEccentricity(), e.GetEccentricitySq());
    ExpectShift(e, 1, 2, 3);
    EXPECT_EQ(Name(GxEllipsoid(1, 1, 0, 0, 0, "")), "(null)");
    EXPECT_EQ(Name(GxEllipsoid(1, 1, 0, 0, 0, nullptr)), "(null)");
}

TEST(Ellipsoid, SetEllipsoidLookupOrder) {
    GxEllipsoid e("WGS84");
    // The name it already has: nothing changes, the shift is not applied.
    EXPECT_TRUE(e.SetEllipsoid("WGS84", 10, 20, 30));
    ExpectShift(e, 0, 0, 0);
    // A PROJ ellipsoid never takes the shift argument.
    EXPECT_TRUE(e.SetEllipsoid("intl", 10, 20, 30));
    EXPECT_EQ(e.GetSemiMajorRadius(), 6378388.0);
    ExpectShift(e, 0, 0, 0);
    // A built-in sphere does.
    EXPECT_TRUE(e.SetEllipsoid("gx14Sphere", 10, 20, 30));
    EXPECT_EQ(e.GetSemiMajorRadius(), 6378000.0);
    EXPECT_EQ(e.GetEccentricity(), 0.0);
    ExpectShift(e, 10, 20, 30);
    // Same name again with another shift: unchanged.
    EXPECT_TRUE(e.SetEllipsoid("gx14Sphere", 1, 1, 1));
    ExpectShift(e, 10, 20, 30);

    // An unknown (or null) name keeps an existing figure, takes the name "Sphere"
    // and the given shift, and reports false.
    EXPECT_TRUE(e.SetEllipsoid("krass", 0, 0, 0));
    EXPECT_FALSE(e.SetEllipsoid("unknown", 4, 5, 6));
    EXPECT_EQ(Name(e), "Sphere");
    EXPECT_EQ(e.GetSemiMajorRadius(), 6378245.0); // Krassovsky's a, by coincidence
    EXPECT_NEAR(e.GetSemiMinorRadius(), 6356863.018773, 1e-6);
    EXPECT_GT(e.GetEccentricity(), 0.08);
    ExpectShift(e, 4, 5, 6);
    EXPECT_FALSE(e.SetEllipsoid(nullptr, 7, 8, 9));
    EXPECT_NEAR(e.GetSemiMinorRadius(), 6356863.018773, 1e-6);
    ExpectShift(e, 7, 8, 9);

    // A figure with no radius falls back to the default sphere.
    GxEllipsoid zero(0, 0, 0, 0, 0, "zero");
    EXPECT_FALSE(zero.SetEllipsoid("unknown", 0, 0, 0));
    EXPECT_EQ(zero.GetSemiMajorRadius(), 6378245.0);
    EXPECT_EQ(zero.GetEccentricitySq(), 0.0);
}

using EllipsoidDatum = DatumFixture;

TEST_F(EllipsoidDatum, DatumNamesGiveFigureAndShift) {
    ASSERT_TRUE(Load("\tNorth American 1927,CONUS,x,\nNAS-C,CC,-8,160,176,5,5,6,\n"
                     // A datum named like a PROJ ellipsoid or a sphere is shadowed by them.
                     "\tShadow,PROJ,x,\nintl,CC,1,2,3,0,0,0,\n"
                     "\tShadow,sphere,x,\nSphere,CC,1,2,3,0,0,0,\n"
                     // An ellipsoid PROJ does not know, and an unrecognised code.
                     "\tIndonesian,1974,x,\nIDN,ID,-24,-15,5,25,25,25,\n"
                     "\tBroken,code,x,\nBROKEN,XX,1,2,3,0,0,0,\n"));

    GxEllipsoid nad27("NAS-C");
    EXPECT_EQ(Name(nad27), "NAS-C");
    EXPECT_EQ(nad27.GetSemiMajorRadius(), 6378206.4);
    EXPECT_EQ(nad27.GetSemiMinorRadius(), 6356583.8);
    ExpectShift(nad27, -8, 160, 176);
    // Equal to Clarke 1866 with that shift, whatever the names.
    EXPECT_TRUE(nad27 == GxEllipsoid(6378206.4, 6356583.8, -8, 160, 176, nullptr));

    GxEllipsoid shadowed("intl");
    ExpectShift(shadowed, 0, 0, 0);
    EXPECT_EQ(shadowed.GetSemiMajorRadius(), 6378388.0);
    GxEllipsoid sphere("Sphere");
    ExpectShift(sphere, 0, 0, 0);
    EXPECT_EQ(sphere.GetSemiMinorRadius(), 6378245.0);

    for (const char* name : {"IDN", "BROKEN", "nas-c"}) {
        GxEllipsoid e(name);
        EXPECT_EQ(Name(e), "Sphere") << name;
        EXPECT_EQ(e.GetSemiMajorRadius(), 6378245.0) << name;
        ExpectShift(e, 0, 0, 0);
    }

    // After cleanup the datum name is unknown again.
    GxDatum::CleanupDatum();
    EXPECT_FALSE(GxEllipsoid().SetEllipsoid("NAS-C", 0, 0, 0));
}

TEST_F(EllipsoidDatum, NameListOrder) {
    GxProj4Interface adapter;
    char** ids = nullptr;
    char** names = nullptr;
    const int projCount = adapter.GetSupportedEllipsoids(ids, names);
    const std::string firstProjId = ids[0];
    GxEllipsoid().FreeEllipsoidNames(projCount, ids, names);

    auto list = [](std::vector<std::string>& out) {
        const GxEllipsoid e;
        char** ids = nullptr;
        char** descriptions = nullptr;
        const int n = e.GetEllipsoidNames(ids, descriptions);
        for (int i = 0; i < n; ++i)
            out.push_back(std::string(ids[i]) + "|" + descriptions[i]);
        e.FreeEllipsoidNames(n, ids, descriptions);
    };
    const std::vector<std::string> spheres = {
        "gxFlatEarthSphere|Quorin FlatEarth Sphere (R=111120*180/PI)", "Sphere|Sphere",
        "gx14Sphere|Quorin v14 Sphere"};

    std::vector<std::string> without;
    list(without);
    ASSERT_EQ(without.size(), static_cast<std::size_t>(projCount) + 3);
    EXPECT_EQ(without[0].substr(0, without[0].find('|')), firstProjId);
    EXPECT_EQ(std::vector<std::string>(without.end() - 3, without.end()), spheres);

    ASSERT_TRUE(Load("\tB,datum,x,\nB,CC,1,2,3,0,0,0,\n\tA,datum,x,\nA,CD,1,2,3,0,0,0,\n"));
    std::vector<std::string> with;
    list(with);
    ASSERT_EQ(with.size(), static_cast<std::size_t>(projCount) + 2 + 3);
    EXPECT_EQ(with[projCount], "A|A datum");
    EXPECT_EQ(with[projCount + 1], "B|B datum");
    EXPECT_EQ(std::vector<std::string>(with.end() - 3, with.end()), spheres);
}

TEST(Ellipsoid, SettersAndTheName) {
    GxEllipsoid e("WGS84");
    const double ecc = e.GetEccentricity();
    e.SetSemiMajorRadius(6378000.0, false);
    EXPECT_EQ(Name(e), "WGS84");
    e.SetSemiMinorRadius(6357000.0, false);
    e.SetDatumShiftX(1, false);
    e.SetDatumShiftY(2, false);
    e.SetDatumShiftZ(3, false);
    EXPECT_EQ(Name(e), "WGS84");
    EXPECT_EQ(e.GetEccentricity(), ecc); // never recomputed by the setters
    ExpectShift(e, 1, 2, 3);

    void (GxEllipsoidBase::*setters[])(double, bool) = {
        &GxEllipsoidBase::SetSemiMajorRadius, &GxEllipsoidBase::SetSemiMinorRadius,
        &GxEllipsoidBase::SetDatumShiftX, &GxEllipsoidBase::SetDatumShiftY,
        &GxEllipsoidBase::SetDatumShiftZ};
    for (auto setter : setters) {
        GxEllipsoid named("WGS84");
        (named.*setter)(5.0, true);
        EXPECT_EQ(named.GetEllipsoid(), nullptr);
        EXPECT_EQ(named.GetEccentricity(), ecc);
    }

    // SetDatumShift keeps the name; with no name, SetEllipsoid of any name is a
    // real lookup again.
    GxEllipsoid kept("WGS84");
    EXPECT_TRUE(kept.SetDatumShift(7, 8, 9));
    EXPECT_EQ(Name(kept), "WGS84");
    ExpectShift(kept, 7, 8, 9);
    kept.SetDatumShiftX(7, true);
    EXPECT_TRUE(kept.SetEllipsoid("WGS84", 1, 1, 1));
    ExpectShift(kept, 0, 0, 0);
}

TEST(Ellipsoid, EqualityToleranceAndNames) {
    const struct {
        double da, db, dx, dy, dz;
        bool equal;
    } cases[] = {
        {0, 0, 0, 0, 0, true},      {0, 0, 5e-9, 0, 0, true},    {0, 0, 0, -5e-9, 0, true},
        {0, 0, 0, 0, 1e-8, false},  {0, 0, -1e-8, 0, 0, false},  {0, 0, 0, 2e-8, 0, false},
        {1.9e-9, 0, 0, 0, 0, true}, {0, -1.9e-9, 0, 0, 0, true}, {0.01, 0, 0, 0, 0, false},
        {0, 0.01, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        const GxEllipsoid left(kWgs84A, kWgs84B, 0, 0, 0, "left");
        const GxEllipsoid right(kWgs84A + c.da, kWgs84B + c.db, c.dx, c.dy, c.dz, "right");
        EXPECT_EQ(left == right, c.equal) << c.da << " " << c.db << " " << c.dx;
        EXPECT_EQ(left != right, !c.equal);
        EXPECT_EQ(right == left, c.equal);
    }
    // Eccentricity plays no part: a sphere whose radii were edited equals an
    // ellipsoid of the same radii.
    GxEllipsoid edited("Sphere");
    edited.SetSemiMajorRadius(kWgs84A, true);
    edited.SetSemiMinorRadius(kWgs84B, true);
    EXPECT_TRUE(edited == GxEllipsoid("WGS84"));
    const GxEllipsoid nan(std::nan(""), kWgs84B, 0, 0, 0, nullptr);
    EXPECT_FALSE(nan == nan);
    EXPECT_TRUE(nan != nan);
}

TEST(Ellipsoid, CloneAndCopy) {
    GxEllipsoid original("WGS84");
    original.SetDatumShift(1, 2, 3);
    GxSmartRef<GxEllipsoidBase> clone = original.Clone();
    ASSERT_FALSE(clone.IsNull());
    EXPECT_NE(clone.Get(), &original);
    EXPECT_EQ(Name(*clone), "WGS84");
    EXPECT_EQ(clone->GetEccentricitySq(), original.GetEccentricitySq());
    ExpectShift(*clone, 1, 2, 3);
    EXPECT_TRUE(*clone == original);
    // The clone is held once; one more reference and its release leave it alive.
    EXPECT_EQ(clone->AddReference(), 2u);
    EXPECT_EQ(clone->ReleaseReference(), 1u);
    // Changing the clone leaves the original alone.
    clone->SetEllipsoid("intl", 0, 0, 0);
    EXPECT_EQ(original.GetSemiMajorRadius(), kWgs84A);

    const GxEllipsoid copy(original);
    EXPECT_EQ(Name(copy), "WGS84");
    EXPECT_TRUE(copy == original);
    GxSmartRef<GxEllipsoidBase> held(new GxEllipsoid(copy));
    EXPECT_EQ(held->AddReference(), 2u); // a copy starts at count 0
    held->ReleaseReference();
}

TEST(Ellipsoid, DatumShiftBothWays) {
    const GxEllipsoid e(6378206.4, 6356583.8, -8, 160, 176, nullptr);
    double wx, wy, wz, x, y, z;
    EXPECT_TRUE(e.GeocentricToWGS84(1000, 2000, 3000, wx, wy, wz));
    EXPECT_EQ(wx, 992);
    EXPECT_EQ(wy, 2160);
    EXPECT_EQ(wz, 3176);
    EXPECT_TRUE(e.WGS84ToGeocentric(wx, wy, wz, x, y, z));
    EXPECT_EQ(x, 1000);
    EXPECT_EQ(y, 2000);
    EXPECT_EQ(z, 3000);
}

TEST(Ellipsoid, KnownGeocentricValues) {
    const GxEllipsoid wgs84("WGS84");
    double x, y, z;
    // A worked example of the geographic/geocentric conversion on WGS 84:
    // 53 48 33.820 N, 2 07 46.380 E, 73.0 m.
    const double lat = 53.0 + 48.0 / 60 + 33.820 / 3600;
    const double lon = 2.0 + 7.0 / 60 + 46.380 / 3600;
    ASSERT_TRUE(wgs84.LatLongToGeocentric(lat, lon, 73.0, x, y, z));
    EXPECT_NEAR(x, 3771793.968, 1e-3);
    EXPECT_NEAR(y, 140253.342, 1e-3);
    EXPECT_NEAR(z, 5124304.349, 1e-3);
    double outLat, outLon, h;
    ASSERT_TRUE(
        wgs84.GeocentricToLatLong(3771793.968, 140253.342, 5124304.349, outLat, outLon, h, true));
    EXPECT_NEAR(outLat, lat, 1e-8);
    EXPECT_NEAR(outLon, lon, 1e-8);
    EXPECT_NEAR(h, 73.0, 1e-3);

    // Axis points.
    const struct {
        double lat, lon, x, y, z;
    } axes[] = {{0, 0, kWgs84A, 0, 0},    {0, 90, 0, kWgs84A, 0}, {0, 180, -kWgs84A, 0, 0},
                {0, -90, 0, -kWgs84A, 0}, {90, 0, 0, 0, kWgs84B}, {-90, 45, 0, 0, -kWgs84B}};
    for (const auto& a : axes) {
        ASSERT_TRUE(wgs84.LatLongToGeocentric(a.lat, a.lon, 0.0, x, y, z));
        EXPECT_NEAR(x, a.x, 1e-8) << a.lat << " " << a.lon;
        EXPECT_NEAR(y, a.y, 1e-8);
        EXPECT_NEAR(z, a.z, 1e-8);
    }
    // Degrees outside one turn are wrapped first.
    double x2, y2, z2;
    wgs84.LatLongToGeocentric(10.0, 20.0, 5.0, x, y, z);
    wgs84.LatLongToGeocentric(370.0, -340.0, 5.0, x2, y2, z2);
    EXPECT_NEAR(x, x2, 1e-6);
    EXPECT_NEAR(y, y2, 1e-6);
    EXPECT_NEAR(z, z2, 1e-6);
}

TEST(Ellipsoid, AgreesWithProjsCartesianConversion) {
    // PROJ's own geodetic-to-Cartesian step, driven through the adapter; the axis
    // swap brings Z into the first output.
    GxProj4Interface xy, zx;
    ASSERT_TRUE(xy.SetParameters("proj=cart", "ellps=GRS80", nullptr));
    ASSERT_TRUE(zx.SetParameters("proj=pipeline", "step", "proj=cart", "ellps=GRS80", "step",
                                 "proj=axisswap", "order=3,2,1", nullptr));
    const GxEllipsoid grs80("GRS80");
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> latitude(-90.0, 90.0), longitude(-180.0, 180.0);
    for (int i = 0; i < 2000; ++i) {
        const GxGeoAngle lat(latitude(random)), lon(longitude(random));
        double x, y, z, px, py, pz, unused;
        ASSERT_TRUE(grs80.LatLongToGeocentric(lat, lon, 0.0, x, y, z));
        ASSERT_TRUE(xy.LatLong2Proj(lat, lon, px, py));
        ASSERT_TRUE(zx.LatLong2Proj(lat, lon, pz, unused));
        EXPECT_NEAR(x, px, 1e-6);
        EXPECT_NEAR(y, py, 1e-6);
        EXPECT_NEAR(z, pz, 1e-6);
    }
}

TEST(Ellipsoid, RoundTripsOverTheGlobeAndInHeight) {
    const char* names[] = {"WGS84", "clrk80", "airy", "Sphere", "mprts"};
    const double heights[] = {-10000.0, -100.0, 0.0, 1.0, 8848.0, 100000.0, 400000.0, 1000000.0};
    for (const char* name : names) {
        const GxEllipsoid e(name);
        double worstLat = 0, worstLon = 0, worstH = 0;
        for (double lat = -90.0; lat <= 90.0; lat += 2.5) {
            for (double lon = -179.0; lon <= 180.0; lon += 7.0) {
                for (const double h : heights) {
                    double x, y, z, outLat, outLon, outH;
                    ASSERT_TRUE(e.LatLongToGeocentric(lat, lon, h, x, y, z));
                    ASSERT_TRUE(e.GeocentricToLatLong(x, y, z, outLat, outLon, outH, true))
                        << name << " " << lat << " " << lon << " " << h;
                    worstLat = std::max(worstLat, std::fabs(outLat - lat));
                    if (std::fabs(lat) < 90.0)
                        worstLon = std::max(worstLon, std::fabs(outLon - lon));
                    worstH = std::max(worstH, std::fabs(outH - h));
                }
            }
        }
        EXPECT_LT(worstLat, 1e-10) << name;
        EXPECT_LT(worstLon, 1e-10) << name;
        EXPECT_LT(worstH, 1e-6) << name;
    }
}

TEST(Ellipsoid, PolarCaseAndHeightFlag) {
    const GxEllipsoid e("WGS84");
    const struct {
        double z, lat, h;
    } cases[] = {{kWgs84B + 100.0, 90.0, 100.0},
                 {-(kWgs84B - 50.0), -90.0, -50.0},
                 {0.0, 0.0, -kWgs84B},
                 {1.0, 90.0, 1.0 - kWgs84B}};
    for (const auto& c : cases) {
        // Within 2^-23 m of the axis counts as on it.
        for (const double offAxis : {0.0, 1.1920928955078125e-07}) {
            double lat = 1, lon = 1, h = 1;
            EXPECT_TRUE(e.GeocentricToLatLong(offAxis, 0.0, c.z, lat, lon, h, true));
            EXPECT_EQ(lat, c.lat);
            EXPECT_EQ(lon, 0.0);
            EXPECT_NEAR(h, c.h, 1e-9);
            EXPECT_TRUE(e.GeocentricToLatLong(0.0, offAxis, c.z, lat, lon, h, false));
            EXPECT_EQ(h, 0.0);
        }
    }
    // Just off the axis the iteration takes over and agrees.
    double lat, lon, h;
    EXPECT_TRUE(e.GeocentricToLatLong(1e-6, 0.0, kWgs84B + 100.0, lat, lon, h, true));
    EXPECT_NEAR(lat, 90.0, 1e-9);
    EXPECT_NEAR(h, 100.0, 1e-6);
    // Without the flag the height output is 0 off the axis as well.
    EXPECT_TRUE(e.GeocentricToLatLong(kWgs84A + 5.0, 0.0, 0.0, lat, lon, h, false));
    EXPECT_EQ(h, 0.0);
}

TEST(Ellipsoid, NonConvergenceIsReported) {
    const GxEllipsoid e("WGS84");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Points near the centre defeat the iteration; so do NaN and infinity.
    const double points[][3] = {{1000, 0, 1000}, {1, 1, 1}, {nan, 0, 0}, {0, nan, 5}, {inf, 0, 0}};
    for (const auto& p : points) {
        double latD = 0, lonD = 0, h = 0;
        EXPECT_FALSE(e.GeocentricToLatLong(p[0], p[1], p[2], latD, lonD, h, true));
        GxGeoAngle lat(12.0, "N"), lon(34.0, "E");
        h = 0;
        EXPECT_FALSE(e.GeocentricToLatLong(p[0], p[1], p[2], lat, lon, h, true));
        EXPECT_EQ(lat, GxGeoAngle(12.0, "N"));
        EXPECT_EQ(lon, GxGeoAngle(34.0, "E"));
    }
    // The height is still written.
    double h = 0;
    GxGeoAngle lat, lon;
    e.GeocentricToLatLong(1000, 0, 1000, lat, lon, h, true);
    EXPECT_LT(h, -6e6);
}

TEST(Ellipsoid, AngleOutputsKeepTheirAxes) {
    const GxEllipsoid e("WGS84");
    double x, y, z;
    ASSERT_TRUE(
        e.LatLongToGeocentric(GxGeoAngle(-33.5, "S"), GxGeoAngle(151.25, "E"), 10.0, x, y, z));
    GxGeoAngle lat(0.0, "N"), lon(0.0, "E");
    double h = 0;
    ASSERT_TRUE(e.GeocentricToLatLong(x, y, z, lat, lon, h, true));
    EXPECT_NEAR(lat.GetDecimalDegrees(), -33.5, 1e-10);
    EXPECT_NEAR(lon.GetDecimalDegrees(), 151.25, 1e-10);
    GeoHemiType hemi;
    ASSERT_TRUE(lat.GetHemisphere(hemi));
    EXPECT_EQ(hemi, HEMI_SOUTH);
    ASSERT_TRUE(lon.GetHemisphere(hemi));
    EXPECT_EQ(hemi, HEMI_EAST);
    EXPECT_NEAR(h, 10.0, 1e-6);
}

TEST_F(EllipsoidDatum, ShippedDatumMovesAPointOntoWgs84) {
    ASSERT_TRUE(LoadShipped());
    // Meades Ranch, Kansas: the origin of the North American Datum 1927, and its
    // published coordinates on the 1983 datum, which agrees with WGS 84 to about a
    // metre. The mean CONUS shift is good to a few metres.
    const GxEllipsoid nad27("NAS-C");
    const GxEllipsoid wgs84("WGS84");
    const double lat27 = 39.0 + 13.0 / 60 + 26.686 / 3600;
    const double lon27 = -(98.0 + 32.0 / 60 + 30.506 / 3600);
    const double lat83 = 39.0 + 13.0 / 60 + 26.71220 / 3600;
    const double lon83 = -(98.0 + 32.0 / 60 + 31.74540 / 3600);
    double x, y, z, wx, wy, wz, lat, lon, h;
    ASSERT_TRUE(nad27.LatLongToGeocentric(lat27, lon27, 0.0, x, y, z));
    ASSERT_TRUE(nad27.GeocentricToWGS84(x, y, z, wx, wy, wz));
    ASSERT_TRUE(wgs84.GeocentricToLatLong(wx, wy, wz, lat, lon, h, true));
    const double metresPerDegree = 111000.0;
    EXPECT_LT(std::fabs(lat - lat83) * metresPerDegree, 10.0);
    EXPECT_LT(std::fabs(lon - lon83) * metresPerDegree * std::cos(lat83 * kPi / 180), 10.0);
    // The shift is what moves it: without it the point is tens of metres off.
    ASSERT_TRUE(wgs84.GeocentricToLatLong(x, y, z, lat, lon, h, true));
    EXPECT_GT(std::fabs(lon - lon83) * metresPerDegree * std::cos(lat83 * kPi / 180), 20.0);

    // And back again.
    double bx, by, bz;
    ASSERT_TRUE(wgs84.LatLongToGeocentric(lat83, lon83, 0.0, wx, wy, wz));
    ASSERT_TRUE(nad27.WGS84ToGeocentric(wx, wy, wz, bx, by, bz));
    ASSERT_TRUE(nad27.GeocentricToLatLong(bx, by, bz, lat, lon, h, true));
    EXPECT_LT(std::fabs(lat - lat27) * metresPerDegree, 10.0);
    EXPECT_LT(std::fabs(lon - lon27) * metresPerDegree * std::cos(lat27 * kPi / 180), 10.0);
}

} // namespace
