#include <geoframe/geodesy/GxEllipsoid.h>
#include <geoframe/geodesy/GxGeoAngle.h>
#include <geoframe/projection/GxProj4Interface.h>

#include "geodesy/DatumFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr double kA = 6378137.0, kB = 6356752.314245179; // WGS 84
const std::string kSphere = "Sphere 6378245.0000 6378245.0000 0.000000 0 0 0";

/// "name a b es dx dy dz"
std::string Figure(const GxEllipsoidBase& e) {
    char text[200];
    std::snprintf(text, sizeof text, "%s %.4f %.4f %.6f %g %g %g",
                  e.GetEllipsoid() ? e.GetEllipsoid() : "(null)", e.GetSemiMajorRadius(),
                  e.GetSemiMinorRadius(), e.GetEccentricitySq(), e.GetDatumShiftX(),
                  e.GetDatumShiftY(), e.GetDatumShiftZ());
    return text;
}

using Ellipsoid = DatumFixture;

TEST_F(Ellipsoid, NameLookupOrder) {
    ASSERT_TRUE(Load("\tNorth American 1927,CONUS,x,\nNAS-C,CC,-8,160,176,5,5,6,\n"
                     "\tShadowed,by PROJ,x,\nintl,CC,1,2,3,0,0,0,\n"
                     "\tShadowed,by sphere,x,\nSphere,CC,1,2,3,0,0,0,\n"
                     "\tUnknown,to PROJ,x,\nIDN,ID,-24,-15,5,25,25,25,\n"));
    const struct {
        const char* name;
        std::string figure;
    } cases[] = {
        {"Sphere", kSphere},
        {"gx14Sphere", "gx14Sphere 6378000.0000 6378000.0000 0.000000 0 0 0"},
        {"gxFlatEarthSphere", "gxFlatEarthSphere 6366707.0195 6366707.0195 0.000000 0 0 0"},
        {"WGS84", "WGS84 6378137.0000 6356752.3142 0.006694 0 0 0"},
        {"WGS 84", "WGS 84 6378137.0000 6356752.3142 0.006694 0 0 0"},
        {"intl", "intl 6378388.0000 6356911.9461 0.006723 0 0 0"},
        {"NAS-C", "NAS-C 6378206.4000 6356583.8000 0.006769 -8 160 176"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Figure(GxEllipsoid(c.name)), c.figure);
    // Unknown names, and a datum whose ellipsoid PROJ lacks: the default sphere.
    for (const char* unknown : {"IDN", "nas-c", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(Figure(GxEllipsoid(unknown)), kSphere);
    EXPECT_EQ(Figure(GxEllipsoid()), kSphere);

    GxEllipsoid e("WGS84");
    EXPECT_TRUE(e.SetEllipsoid("intl", 10, 20, 30)); // PROJ: shift argument ignored
    EXPECT_EQ(Figure(e), "intl 6378388.0000 6356911.9461 0.006723 0 0 0");
    EXPECT_TRUE(e.SetEllipsoid("gx14Sphere", 10, 20, 30)); // sphere: shift taken
    EXPECT_TRUE(e.SetEllipsoid("gx14Sphere", 1, 1, 1));    // its own name: nothing changes
    EXPECT_EQ(Figure(e), "gx14Sphere 6378000.0000 6378000.0000 0.000000 10 20 30");
    // Unknown names keep a figure, take the name "Sphere" and the shift.
    EXPECT_TRUE(e.SetEllipsoid("NAS-C", 0, 0, 0));
    EXPECT_FALSE(e.SetEllipsoid("nope", 4, 5, 6));
    EXPECT_EQ(Figure(e), "Sphere 6378206.4000 6356583.8000 0.006769 4 5 6");
    EXPECT_FALSE(e.SetEllipsoid(nullptr, 7, 8, 9));
    EXPECT_EQ(Figure(e), "Sphere 6378206.4000 6356583.8000 0.006769 7 8 9");
    GxEllipsoid zero(0, 0, 0, 0, 0, "zero"); // no figure: the default sphere
    EXPECT_FALSE(zero.SetEllipsoid("nope", 0, 0, 0) || zero != GxEllipsoid());

    // The name list: PROJ's, the datums, then the three spheres.
    GxProj4Interface proj;
    char **ids = nullptr, **descriptions = nullptr;
    const int projCount = proj.GetSupportedEllipsoids(ids, descriptions);
    e.FreeEllipsoidNames(projCount, ids, descriptions);
    const int count = e.GetEllipsoidNames(ids, descriptions);
    ASSERT_EQ(count, projCount + 4 + 3);
    std::vector<std::string> tail;
    for (int i = projCount; i < count; ++i)
        tail.push_back(std::string(ids[i]) + "|" + descriptions[i]);
    e.FreeEllipsoidNames(count, ids, descriptions);
    EXPECT_EQ(tail, (std::vector<std::string>{
                        "IDN|Unknown to PROJ", "NAS-C|North American 1927 CONUS",
                        "Sphere|Shadowed by sphere", "intl|Shadowed by PROJ",
                        "gxFlatEarthSphere|Quorin FlatEarth Sphere (R=111120*180/PI)",
                        "Sphere|Sphere", "gx14Sphere|Quorin v14 Sphere"}));
}

TEST(EllipsoidFigure, EqualityToleranceAndClone) {
    // Equal when each radius and shift differs by strictly less than 1e-8; names
    // and eccentricity play no part.
    const double deltas[][6] = {{0, 0, 5e-9, 0, 0, 1}, {1.9e-9, -1.9e-9, 0, 0, -5e-9, 1},
                                {0, 0, 0, 1e-8, 0, 0}, {0, 0, -1e-8, 0, 0, 0},
                                {0, 0.01, 0, 0, 0, 0}, {double(NAN), 0, 0, 0, 0, 0}};
    for (const auto& d : deltas) {
        const GxEllipsoid left(kA, kB, 0, 0, 0, "left");
        const GxEllipsoid right(kA + d[0], kB + d[1], d[2], d[3], d[4], nullptr);
        EXPECT_EQ(left == right, d[5] == 1) << d[0] << " " << d[1] << " " << d[2] << " " << d[3];
        EXPECT_EQ(right != left, d[5] == 0);
    }
    GxEllipsoid e("WGS84");
    e.SetDatumShift(1, 2, 3);
    EXPECT_EQ(Figure(*e.Clone()), "WGS84 6378137.0000 6356752.3142 0.006694 1 2 3");
}

TEST(EllipsoidFigure, KnownGeocentricValuesAndPolarCase) {
    const GxEllipsoid wgs84("WGS84");
    // A published worked example: 53 48 33.820 N, 2 07 46.380 E, 73 m on WGS 84.
    const double lat = 53 + 48 / 60.0 + 33.820 / 3600, lon = 2 + 7 / 60.0 + 46.380 / 3600;
    double x, y, z, la, lo, h;
    ASSERT_TRUE(wgs84.LatLongToGeocentric(lat, lon, 73.0, x, y, z));
    EXPECT_LT(std::hypot(x - 3771793.968, y - 140253.342, z - 5124304.349), 2e-3);

    // On (or within 2^-23 m of) the polar axis: no iteration.
    const double polar[][3] = {{kB + 100, 90, 100}, {-kB + 50, -90, -50}, {0, 0, -kB}};
    for (const auto& p : polar) {
        for (const double off : {0.0, 1.1920928955078125e-07}) {
            EXPECT_TRUE(wgs84.GeocentricToLatLong(off, 0, p[0], la, lo, h, true) && la == p[1] &&
                        lo == 0 && std::fabs(h - p[2]) < 1e-9)
                << p[0];
            EXPECT_TRUE(wgs84.GeocentricToLatLong(0, off, p[0], la, lo, h, false) && h == 0.0);
        }
    }
    ASSERT_TRUE(wgs84.GeocentricToLatLong(1e-6, 0, kB + 100, la, lo, h, true)); // just off it
    EXPECT_TRUE(std::fabs(la - 90.0) < 1e-9 && std::fabs(h - 100.0) < 1e-6);

    // Near the centre the iteration may give up: false, the height is written,
    // angle outputs are left alone.
    GxGeoAngle angleLat(12.0, "N"), angleLon(34.0, "E");
    h = 0;
    EXPECT_FALSE(wgs84.GeocentricToLatLong(1000, 0, 1000, angleLat, angleLon, h, true));
    EXPECT_TRUE(angleLat == GxGeoAngle(12.0, "N") && angleLon == GxGeoAngle(34.0, "E") && h != 0.0);
}

TEST(EllipsoidFigure, FarAndDeepPointsConvertBackWithLatitudesInRange) {
    const GxEllipsoid wgs84("WGS84");
    double x, y, z, lat, lon, h;
    // Far out the height is coarser than the 2^-23 m step limit; the exact answer
    // must still count as converged.
    for (const double height : {1e9, 1e10, 1e13, 1e100}) {
        for (int i = 0; i <= 360; ++i) {
            wgs84.LatLongToGeocentric(i * 0.5 - 90, 10, height, x, y, z);
            ASSERT_TRUE(wgs84.GeocentricToLatLong(x, y, z, lat, lon, h, true))
                << height << " " << i;
            EXPECT_TRUE(std::fabs(lat - (i * 0.5 - 90)) < 1e-12 &&
                        std::fabs(h / height - 1) < 1e-15);
        }
    }
    // Deep inside the Earth the iteration can run whole turns past a pole (270.05,
    // 720.09 and -3239.1 came out): wrapped, they give the point back. One left
    // beyond +-90 (90.64) is not a solution.
    const double deep[][4] = {{26.84062882965685, 26.84062882965685, -200, 1},
                              {-1.8511313340522806, -5.8220408992253336, -68.394997144714836, 1},
                              {-60.877921589559293, -51.1812687719313, -672.48643023489899, 1},
                              {-459.3924804020765, 78.245113540257535, -987.88424324135906, 0}};
    for (const auto& p : deep) {
        ASSERT_EQ(wgs84.GeocentricToLatLong(p[0], p[1], p[2], lat, lon, h, true), p[3] == 1)
            << p[2];
        wgs84.LatLongToGeocentric(lat, lon, h, x, y, z);
        EXPECT_TRUE(p[3] == 0 ||
                    (std::fabs(lat) <= 90 && std::hypot(x - p[0], y - p[1], z - p[2]) < 1e-6))
            << p[2] << " " << lat;
    }
}

TEST_F(Ellipsoid, ShippedDatumMovesAPointOntoWgs84) {
    // Meades Ranch, origin of the North American Datum 1927, and its published
    // position on the 1983 datum (within about a metre of WGS 84). The mean CONUS
    // shift is good to a few metres; without it the point is off by tens.
    ASSERT_TRUE(LoadShipped());
    const GxEllipsoid nad27("NAS-C"), wgs84("WGS84");
    const double at27[] = {39 + 13 / 60.0 + 26.686 / 3600, -(98 + 32 / 60.0 + 30.506 / 3600)};
    const double at83[] = {39 + 13 / 60.0 + 26.712 / 3600, -(98 + 32 / 60.0 + 31.745 / 3600)};
    // Metres between `to` and the point `from` moved from datum `a` to datum `b`.
    auto metresOff = [](const GxEllipsoid& a, const double* from, const GxEllipsoid& b,
                        const double* to, bool shift) {
        double x, y, z, lat, lon, h;
        a.LatLongToGeocentric(from[0], from[1], 0.0, x, y, z);
        if (shift) {
            a.GeocentricToWGS84(x, y, z, x, y, z);
            b.WGS84ToGeocentric(x, y, z, x, y, z);
        }
        EXPECT_TRUE(b.GeocentricToLatLong(x, y, z, lat, lon, h, true));
        return std::hypot(lat - to[0], (lon - to[1]) * std::cos(to[0] * M_PI / 180)) * 111000;
    };
    EXPECT_LT(metresOff(nad27, at27, wgs84, at83, true), 10.0);
    EXPECT_GT(metresOff(nad27, at27, wgs84, at83, false), 20.0);
    EXPECT_LT(metresOff(wgs84, at83, nad27, at27, true), 10.0);
}

} // namespace
