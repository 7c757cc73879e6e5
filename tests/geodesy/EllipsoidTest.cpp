#include <geoframe/geoframe.h>

#include "Text.h"
#include "geodesy/detail/BatchKernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kA = 6378137.0, kB = 6356752.314245179; // WGS 84
const char* const kSphere = "Sphere|6378245.0000 6378245.0000 0.000000 0 0 0";

/// "name|a b es dx dy dz"
std::string Figure(const GxEllipsoidBase& e) {
    char text[200];
    std::snprintf(text, sizeof text, "%s|%.4f %.4f %.6f %g %g %g",
                  e.GetEllipsoid() ? e.GetEllipsoid() : "(null)", e.GetSemiMajorRadius(),
                  e.GetSemiMinorRadius(), e.GetEccentricitySq(), e.GetDatumShiftX(),
                  e.GetDatumShiftY(), e.GetDatumShiftZ());
    return text;
}

/// A line "name|description|ellipsoid|dx dy dz|sx sy sz" for every datum, in table order.
std::string Table() {
    char **names = nullptr, **descriptions = nullptr;
    const int count = GxDatum::GetDatumNames(names, descriptions);
    std::string rows;
    for (int i = 0; i < count; ++i) {
        double d[6] = {-1, -1, -1, -1, -1, -1};
        char row[400];
        GxDatum::GetDatumShift(names[i], d[0], d[1], d[2]),
            GxDatum::GetDatumSigma(names[i], d[3], d[4], d[5]);
        std::snprintf(row, sizeof row, "%s|%s|%s|%g %g %g|%g %g %g\n", names[i], descriptions[i],
                      GxDatum::GetEllipsoid(names[i]), d[0], d[1], d[2], d[3], d[4], d[5]);
        rows += row;
    }
    GxDatum::FreeDatumNames(count, names, descriptions);
    return rows;
}

/// An empty datum table for each test (the table is process-wide, so it is emptied
/// again afterwards) and a datum file of the test's own.
class Datums : public ::testing::Test {
protected:
    void SetUp() override { GxDatum::CleanupDatum(); }
    void TearDown() override {
        GxDatum::CleanupDatum();
        std::remove(m_path.c_str());
    }
    bool Load(const std::string& text) {
        std::ofstream(m_path, std::ios::binary) << text;
        return GxDatum::InitDatum(m_path.c_str());
    }
    const std::string m_path = ::testing::TempDir() + "geoframe-" + std::to_string(::getpid());
};

TEST_F(Datums, TrickyLinesAndLoadingOnceUntilCleanup) {
    for (const std::string& bad : {std::string("(null)"), m_path + "-no", ::testing::TempDir()})
        EXPECT_FALSE(GxDatum::InitDatum(bad == "(null)" ? nullptr : bad.c_str())) << bad;
    EXPECT_FALSE(GxDatum::IsInitialized());
    // Not headers, skipped: the first four lines. Dropped whole: short header (with
    // its data line), short data line, empty name, over-long header, over-long data
    // line. Lines of 199 characters (line end not counted) are read, of 200 dropped.
    ASSERT_TRUE(Load(
        "Datum list\n# comment\n\n   \n"
        "\t\tTitle, Area,third,ignored\n\t\tSPACED,   IN, 1.5,\t-2.25 ,3e2,0.5,0.25,0.125,tail\n"
        "\tTrailing,space,x,\nTRAIL,CD ,1,2,3,4,5,6,\n"
        "\tBad,numbers,x,\nBADNUM,cd,abc,inf,nan,1e999,,-0,\n"
        "\tFirst,copy,x,\nDUP,CC,1,1,1,1,1,1,\n\tSecond,copy,x,\nDUP,WE,2,2,2,2,2,2,\n"
        "\tlower,case,x,\nalpha,BR,1,2,3,1,1,1,\n\tUpper,case,x,\nZulu ,BR,4,5,6,1,1,1,\n"
        "\tCarriage,return,x,\r\nCRLF,KA,7,8,9,1,2,3,\r\n\tA,B,x,\r\nFITS,CD,1,2,3,4,5,6," +
        std::string(179, ' ') + "\r\n" +
        "\tShort,header\nSHORTHDR,CD,1,2,3,4,5,6,\n\tShort,data,x,\nSHORTDATA,CD,1,2,3,4,5\n"
        "\tNo,name,x,\n,CD,1,2,3,4,5,6,\n\tLong,header,x," +
        std::string(185, ' ') +
        "\nLONGHDR,CD,1,2,3,4,5,6,\n\tLong,data,x,\nLONGDATA,CD,1,2,3,4,5,6," +
        std::string(176, ' ') +
        "\n\tAfter,damage,x,\nAFTER,HO,1,2,3,4,5,6,\n\tDangling,header,x,\n"));
    const std::string table = Table();
    EXPECT_EQ(table,
              "AFTER|After damage|hough|1 2 3|4 5 6\nBADNUM|Bad numbers|Unknown|0 0 0|0 0 -0\n"
              "CRLF|Carriage return|krass|7 8 9|1 2 3\nDUP|Second copy|WGS84|2 2 2|2 2 2\n"
              "FITS|A B|clrk80|1 2 3|4 5 6\nSPACED|Title  Area|intl|1.5 -2.25 300|0.5 0.25 0.125\n"
              "TRAIL|Trailing space|Unknown|1 2 3|4 5 6\nZulu |Upper case|bessel|4 5 6|1 1 1\n"
              "alpha|lower case|bessel|1 2 3|1 1 1\n");
    // Misses: exact, case-sensitive names only; outputs untouched, nothing added.
    double x = 11, y = 12, z = 13;
    for (const char* miss : {"dup", "DU", "DUP ", "Zulu", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(Succeeded({{"shift", GxDatum::GetDatumShift(miss, x, y, z)},
                             {"sigma", GxDatum::GetDatumSigma(miss, x, y, z)},
                             {"ellipsoid", GxDatum::GetEllipsoid(miss) != nullptr}}),
                  "")
            << (miss ? miss : "(null)");
    EXPECT_EQ(Values(x, y, z, Table() == table), "11 12 13 true");
    // Loaded once: a second file is not read until the table is cleaned up.
    const std::string two = "\tTwo,x,x,\nTWO,CD,1,2,3,4,5,6,\n";
    EXPECT_EQ(Values(Load(two), GxDatum::IsInitialized()), "true true");
    EXPECT_EQ(Table(), table);
    GxDatum::CleanupDatum();
    EXPECT_EQ(Values(GxDatum::IsInitialized(), Table()), "false ");
    EXPECT_TRUE(Load(two));
    EXPECT_EQ(Table(), "TWO|Two x|clrk80|1 2 3|4 5 6\n");
}

TEST_F(Datums, EllipsoidNamesInLookupOrder) {
    ASSERT_TRUE(Load("\tNorth American 1927,CONUS,x,\nNAS-C,CC,-8,160,176,5,5,6,\n"
                     "\tShadowed,by PROJ,x,\nintl,CC,1,2,3,0,0,0,\n"
                     "\tShadowed,by sphere,x,\nSphere,CC,1,2,3,0,0,0,\n"
                     "\tUnknown,to PROJ,x,\nIDN,ID,-24,-15,5,25,25,25,\n"));
    // Each figure is that of the name before the bar. Unknown names, and a datum
    // whose ellipsoid PROJ lacks, give the default sphere.
    for (const std::string figure : {kSphere, "gx14Sphere|6378000.0000 6378000.0000 0.000000 0 0 0",
                                     "gxFlatEarthSphere|6366707.0195 6366707.0195 0.000000 0 0 0",
                                     "WGS84|6378137.0000 6356752.3142 0.006694 0 0 0",
                                     "WGS 84|6378137.0000 6356752.3142 0.006694 0 0 0",
                                     "intl|6378388.0000 6356911.9461 0.006723 0 0 0",
                                     "NAS-C|6378206.4000 6356583.8000 0.006769 -8 160 176"})
        EXPECT_EQ(Figure(GxEllipsoid(figure.substr(0, figure.find('|')).c_str())), figure);
    for (const char* unknown : {"IDN", "nas-c", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(Figure(GxEllipsoid(unknown)), kSphere);
    EXPECT_EQ(Figure(GxEllipsoid()), kSphere);

    GxEllipsoid e("WGS84");
    EXPECT_TRUE(e.SetEllipsoid("intl", 10, 20, 30)); // PROJ: shift argument ignored
    EXPECT_EQ(Figure(e), "intl|6378388.0000 6356911.9461 0.006723 0 0 0");
    EXPECT_TRUE(e.SetEllipsoid("gx14Sphere", 10, 20, 30)); // sphere: shift taken
    EXPECT_TRUE(e.SetEllipsoid("gx14Sphere", 1, 1, 1));    // its own name: nothing changes
    EXPECT_EQ(Figure(e), "gx14Sphere|6378000.0000 6378000.0000 0.000000 10 20 30");
    // Unknown names keep a figure, take the name "Sphere" and the shift.
    EXPECT_TRUE(e.SetEllipsoid("NAS-C", 0, 0, 0));
    EXPECT_FALSE(e.SetEllipsoid("nope", 4, 5, 6));
    EXPECT_EQ(Figure(e), "Sphere|6378206.4000 6356583.8000 0.006769 4 5 6");
    EXPECT_FALSE(e.SetEllipsoid(nullptr, 7, 8, 9));
    EXPECT_EQ(Figure(e), "Sphere|6378206.4000 6356583.8000 0.006769 7 8 9");

    // The name list: PROJ's, the datums, then the three spheres.
    char **ids = nullptr, **descriptions = nullptr;
    const int projCount = GxProj4Interface().GetSupportedEllipsoids(ids, descriptions);
    e.FreeEllipsoidNames(projCount, ids, descriptions);
    const int count = e.GetEllipsoidNames(ids, descriptions);
    std::string tail;
    for (int i = projCount; i < count; ++i)
        tail += std::string(ids[i]) + "|" + descriptions[i] + "; ";
    e.FreeEllipsoidNames(count, ids, descriptions);
    EXPECT_EQ(tail,
              "IDN|Unknown to PROJ; NAS-C|North American 1927 CONUS; Sphere|Shadowed by sphere; "
              "intl|Shadowed by PROJ; gxFlatEarthSphere|Quorin FlatEarth Sphere "
              "(R=111120*180/PI); Sphere|Sphere; gx14Sphere|Quorin v14 Sphere; ");
}

TEST(Ellipsoid, EqualityToleranceAndClone) {
    // Equal when each radius and shift differs by strictly less than 1e-8; names
    // and eccentricity play no part.
    const struct {
        double da, db, dx, dy, dz;
        bool equal;
    } deltas[] = {{0, 0, 5e-9, 0, 0, true},  {1.9e-9, -1.9e-9, 0, 0, -5e-9, true},
                  {0, 0, 0, 1e-8, 0, false}, {0, 0, -1e-8, 0, 0, false},
                  {0, 0, 0, 0, 1e-8, false}, {0, 0.01, 0, 0, 0, false},
                  {NAN, 0, 0, 0, 0, false}};
    for (const auto& d : deltas) {
        const GxEllipsoid left(kA, kB, 0, 0, 0, "left");
        const GxEllipsoid right(kA + d.da, kB + d.db, d.dx, d.dy, d.dz, nullptr);
        EXPECT_EQ(Values(left == right, right != left), Values(d.equal, !d.equal)) << Figure(right);
    }
    EXPECT_FALSE(GxEllipsoid(0, 0, 0, 0, 0, nullptr) == GxEllipsoid(1e-8, 0, 0, 0, 0, nullptr));
    GxEllipsoid e(kA, kB, 0, 0, 0, "x");
    EXPECT_TRUE(e.SetDatumShift(1, 2, 3));
    EXPECT_EQ(Figure(*e.Clone()), "x|6378137.0000 6356752.3142 0.006694 1 2 3");
    // The single setters keep the eccentricity and drop the name only when asked.
    e.SetSemiMinorRadius(kB - 1, false), e.SetDatumShiftZ(5, false);
    e.SetDatumShiftX(7, false), e.SetDatumShiftY(8, false);
    EXPECT_EQ(Figure(e), "x|6378137.0000 6356751.3142 0.006694 7 8 5");
    e.SetSemiMajorRadius(kA + 1, true);
    EXPECT_EQ(Figure(e), "(null)|6378138.0000 6356751.3142 0.006694 7 8 5");
}

TEST(Ellipsoid, GeocentricKnownValuesPolarAxisFarAndDeepPoints) {
    const GxEllipsoid wgs84("WGS84");
    double x, y, z, la, lo, h;
    // A published worked example: 53 48 33.820 N, 2 07 46.380 E, 73 m on WGS 84.
    ASSERT_TRUE(wgs84.LatLongToGeocentric(53 + 48 / 60.0 + 33.820 / 3600,
                                          2 + 7 / 60.0 + 46.380 / 3600, 73.0, x, y, z));
    EXPECT_LT(std::hypot(x - 3771793.968, y - 140253.342, z - 5124304.349), 2e-3);

    // On the polar axis (z, latitude, height): no iteration.
    for (const auto& p :
         {std::array{kB + 100, 90.0, 100.0}, {-kB + 50, -90.0, -50.0}, {0.0, 0.0, -kB}}) {
        EXPECT_TRUE(wgs84.GeocentricToLatLong(0, 0, p[0], la, lo, h, true)) << p[0];
        EXPECT_EQ(Values(la, lo), Values(p[1], 0)) << p[0];
        EXPECT_NEAR(h, p[2], 1e-9) << p[0];
        EXPECT_EQ(Values(wgs84.GeocentricToLatLong(0, 0, p[0], la, lo, h, false), h), "true 0")
            << p[0] << ", without the height";
    }

    // Near the centre the iteration may give up: false, with the height written
    // (the angle outputs are then left alone, as on any refusal below).
    h = 0;
    const bool solved = wgs84.GeocentricToLatLong(1000, 0, 1000, la, lo, h, true);
    EXPECT_EQ(Values(solved, h != 0.0), "false true");

    // Far out the height is coarser than the 2^-23 m step limit; the exact answer
    // must still count as converged.
    for (const double height : {1e9, 1e10, 1e13, 1e100}) {
        for (int i = 0; i <= 360; ++i) {
            wgs84.LatLongToGeocentric(i * 0.5 - 90, 10, height, x, y, z);
            ASSERT_TRUE(wgs84.GeocentricToLatLong(x, y, z, la, lo, h, true)) << height << " " << i;
            EXPECT_NEAR(la, i * 0.5 - 90, 1e-12) << height;
            EXPECT_NEAR(h / height, 1, 1e-15) << height << " " << i;
        }
    }
    // Deep inside the Earth the iteration can run whole turns past a pole (270.05,
    // 720.09 and -3239.1 came out): wrapped, they give the point back. One left
    // beyond +-90 (90.64) is not a solution.
    const struct {
        double x, y, z;
        bool solved;
    } deep[] = {{26.84062882965685, 26.84062882965685, -200, true},
                {-1.8511313340522806, -5.8220408992253336, -68.394997144714836, true},
                {-60.877921589559293, -51.1812687719313, -672.48643023489899, true},
                {-459.3924804020765, 78.245113540257535, -987.88424324135906, false}};
    for (const auto& p : deep) {
        ASSERT_EQ(wgs84.GeocentricToLatLong(p.x, p.y, p.z, la, lo, h, true), p.solved) << p.z;
        if (!p.solved)
            continue;
        wgs84.LatLongToGeocentric(la, lo, h, x, y, z);
        EXPECT_LE(std::fabs(la), 90) << p.z;
        EXPECT_LT(std::hypot(x - p.x, y - p.y, z - p.z), 1e-6) << p.z << " " << la;
    }
}

TEST(Ellipsoid, GeocentricToLatLongWithin5NanometresOfTheExactSolution) {
    // Bands of latitude and height; the reference is the latitude the point was made
    // from, polished in long double (tan(lat) = (z + e2 N sin(lat)) / p contracts by
    // e2 a step). The error is the latitude's times the distance from the centre,
    // and the height's. The same for the per-point conversion and for the array
    // conversion on each of its kernel builds.
    const GxEllipsoid wgs84("WGS84");
    const long double e2 = wgs84.GetEccentricitySq(), toRad = std::acos(-1.0L) / 180;
    const double bands[][4] = {{-90, 90, -100, 100},   {89.999, 90, -1e5, 1e5},
                               {-90, -89.999, 0, 1e7}, {89.9999999, 90, 100, 100},
                               {85, 89, 0, 1e5},       {-90, 90, 1e6, 1e7},
                               {-90, 90, -5e6, -1e6}};
    constexpr int kPoints = 5000;
    std::mt19937_64 random(14);
    std::vector<double> x(kPoints), y(kPoints), z(kPoints), la(kPoints), lo(kPoints), h(kPoints);
    std::vector<long double> phi(kPoints), exactH(kPoints);
    for (const auto& band : bands) {
        std::uniform_real_distribution<double> lat(band[0], band[1]), lon(-180, 180),
            height(band[2], band[3]);
        for (int i = 0; i < kPoints; ++i) {
            const double start = lat(random);
            wgs84.LatLongToGeocentric(start, lon(random), height(random), x[i], y[i], z[i]);
            const long double p = std::hypot((long double)x[i], (long double)y[i]);
            long double f = start * toRad, s = 0, n = 0;
            for (int step = 0; step <= 3; ++step) { // the last one for s and n only
                s = std::sin(f), n = kA / std::sqrt(1 - e2 * s * s);
                f = step < 3 ? std::atan2(z[i] + e2 * n * s, p) : f;
            }
            phi[i] = f;
            exactH[i] = p * std::cos(f) + z[i] * s - kA * kA / n;
        }
        using geoframe::detail::KernelBuild;
        // Per point (Best), then the array call on every kernel build there is.
        for (const KernelBuild path :
             {KernelBuild::Best, KernelBuild::Portable, KernelBuild::Avx2, KernelBuild::Avx512}) {
            if (!geoframe::detail::UseKernels(path))
                continue;
            std::size_t converted = 0;
            for (int i = 0; path == KernelBuild::Best && i < kPoints; ++i)
                converted += wgs84.GeocentricToLatLong(x[i], y[i], z[i], la[i], lo[i], h[i], true);
            if (path != KernelBuild::Best)
                converted = wgs84.GeocentricToLatLongArray(kPoints, x.data(), y.data(), z.data(),
                                                           la.data(), lo.data(), h.data());
            ASSERT_EQ(converted, std::size_t(kPoints));
            double worst = 0, worstLon = 0;
            for (int i = 0; i < kPoints; ++i) {
                const double r = std::hypot(std::hypot(x[i], y[i]), z[i]);
                const long double lonError = lo[i] * toRad - std::atan2((long double)y[i], x[i]);
                worst = std::max(
                    worst, (double)std::hypot((la[i] * toRad - phi[i]) * r, h[i] - exactH[i]));
                worstLon = std::max(worstLon, (double)std::fabs(lonError * r));
            }
            EXPECT_LT(worst, 5e-9) << band[0] << " " << band[2] << " path " << int(path);
            EXPECT_LT(worstLon, 1e-8) << band[0] << " " << band[2] << " path " << int(path);
        }
        geoframe::detail::UseKernels(KernelBuild::Best);
    }
}

TEST_F(Datums, ShippedFileMovesAPointOntoWgs84) {
    ASSERT_TRUE(GxDatum::InitDatum(GEOFRAME_SOURCE_DATA_DIR "/datums.txt"));
    const std::string table = Table(); // every datum on an ellipsoid PROJ knows
    EXPECT_EQ(Values(std::count(table.begin(), table.end(), '\n') >= 15,
                     table.find("|Unknown|") == std::string::npos),
              "true true");

    // Meades Ranch, origin of the North American Datum 1927, and its published
    // position on the 1983 datum (within about a metre of WGS 84). The mean CONUS
    // shift is good to a few metres; without it the point is off by tens.
    const GxEllipsoid nad27("NAS-C"), wgs84("WGS84");
    const double at27[] = {39 + 13 / 60.0 + 26.686 / 3600, -(98 + 32 / 60.0 + 30.506 / 3600)};
    const double at83[] = {39 + 13 / 60.0 + 26.712 / 3600, -(98 + 32 / 60.0 + 31.745 / 3600)};
    // Metres between `to` and the point `from` moved from datum `a` to datum `b`.
    auto metresOff = [](const GxEllipsoid& a, const double* from, const GxEllipsoid& b,
                        const double* to) {
        double x, y, z, lat, lon, h;
        a.LatLongToGeocentric(from[0], from[1], 0.0, x, y, z);
        a.GeocentricToWGS84(x, y, z, x, y, z), b.WGS84ToGeocentric(x, y, z, x, y, z);
        EXPECT_TRUE(b.GeocentricToLatLong(x, y, z, lat, lon, h, true));
        return std::hypot(lat - to[0], (lon - to[1]) * std::cos(to[0] * M_PI / 180)) * 111000;
    };
    EXPECT_LT(metresOff(nad27, at27, wgs84, at83), 10.0);
    EXPECT_LT(metresOff(wgs84, at83, nad27, at27), 10.0);
}

using Ref = GxSmartRef<GxEllipsoidBase>;

GxGeoCoord At(double lat, double lon, double elevation, Ref e) {
    return GxGeoCoord(GxGeoAngle(lat, "N"), GxGeoAngle(lon, "E"), elevation, e);
}

void ExpectAt(const GxGeoCoord& c, double lat, double lon, double elevation, double tol = 1e-12) {
    double la, lo, el;
    c.GetLatLong(la, lo, el);
    EXPECT_NEAR(la, lat, tol) << "latitude for " << Values(lat, lon, elevation);
    EXPECT_NEAR(lo, lon, tol) << "longitude for " << Values(lat, lon, elevation);
    EXPECT_NEAR(el, elevation, 1e-6) << "elevation for " << Values(lat, lon, elevation);
}

TEST(GeoCoord, GeocentricAndDirectionRoundTrips) {
    // Over the globe, from -10 km to 1000 km, without an ellipsoid and on figures
    // from a sphere to a very flat one.
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> lat(-89.99, 89.99), lon(-180, 180), h(-10000, 1e6);
    for (const char* name : {"", "WGS84", "clrk80", "Sphere", "mprts"}) {
        const Ref e(*name ? new GxEllipsoid(name) : nullptr);
        for (int i = 0; i < 500; ++i) {
            const GxGeoCoord c = At(lat(random), lon(random), h(random), e);
            double la, lo, el, scalar;
            gxVec3 above, surface, direction;
            GxGeoCoord back(e);
            ASSERT_TRUE(c.GetLatLong(la, lo, el));
            ASSERT_TRUE(c.GetDirCos(direction, scalar));
            ASSERT_TRUE(back.SetDirCos(direction, scalar));
            ExpectAt(back, la, lo, el, 1e-10);
            if (e.IsNull())
                continue;
            ASSERT_TRUE(c.GetGeocentricCoord(above, true));
            ASSERT_TRUE(c.GetGeocentricCoord(surface, false));
            // The point lies `el` metres along the ellipsoid normal from the surface
            // point, whose direction from the centre GetDirCos gives.
            const double phi = la * M_PI / 180, lambda = lo * M_PI / 180;
            const gxVec3 normal(std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda),
                                std::sin(phi));
            EXPECT_LT((above - surface - normal * el).length(), 1e-6) << name;
            EXPECT_LT((surface / surface.length() - direction).length(), 1e-15) << name;
            ASSERT_TRUE(back.SetGeocentricCoord(above, true));
            ExpectAt(back, la, lo, el, 1e-10);
            ASSERT_TRUE(back.SetGeocentricCoord(above, false));
            ExpectAt(back, la, lo, 0.0, 1e-10);
        }
    }
}

TEST(GeoCoord, DirectionCosines) {
    // Without an ellipsoid, as on a sphere, the direction (x, y, z) gives the angles
    // directly (the last z is a unit vector's, rounded past 1); the scalar 2 is one
    // Earth radius up.
    for (const auto& c :
         {std::array{-1.0, 0.0, 0.0, 0.0, 180.0}, {0.0, 1e-9, 1 + 4e-16, 90.0, 90.0}}) {
        GxGeoCoord coord;
        ASSERT_TRUE(coord.SetDirCos(c[0], c[1], c[2], 2.0));
        ExpectAt(coord, c[3], c[4], 6378245.0);
    }
    // On an ellipsoid the direction is that of the surface point (the round trips
    // above pin it); any length works, and lengths whose squares overflow or vanish
    // give the angles of an ordinary one.
    const Ref wgs84(new GxEllipsoid("WGS84"));
    double lat, lon, elevation;
    const struct {
        gxVec3 extreme, ordinary;
    } extremes[] = {{{0, 1e200, 0}, {0, 1, 0}},     {{0, 1e-160, 0}, {0, 1, 0}},
                    {{1e300, 0, 1e300}, {1, 0, 1}}, {{-1e-310, 0, 1e-310}, {-1, 0, 1}},
                    {{4.9e-324, 0, 0}, {1, 0, 0}},  {{1e308, -1e308, 1e308}, {1, -1, 1}}};
    for (const auto& d : extremes) {
        GxGeoCoord extreme(wgs84), ordinary(wgs84);
        ASSERT_TRUE(extreme.SetDirCos(d.extreme[0], d.extreme[1], d.extreme[2], 1.0))
            << d.extreme[0] << " " << d.extreme[1];
        ASSERT_TRUE(ordinary.SetDirCos(d.ordinary[0], d.ordinary[1], d.ordinary[2], 1.0));
        ASSERT_TRUE(ordinary.GetLatLong(lat, lon, elevation));
        ExpectAt(extreme, lat, lon, 0.0);
    }
}

TEST(GeoCoord, RefusalsChangeNothing) {
    // NaN or an infinity in each place, through every geodesy conversion and every
    // coordinate setter: false, with outputs and coordinate as they were.
    const Ref wgs84(new GxEllipsoid("WGS84"));
    const double values[][3] = {{NAN, 0, 0}, {0, -INFINITY, 0}, {0, 0, INFINITY}, {1, 2, NAN}};
    for (const auto& v : values) {
        SCOPED_TRACE(Values(v[0], v[1], v[2]));
        double out[3] = {1, 2, 3};
        GxGeoAngle lat(12.0, "N"), lon(34.0, "E");
        const GxEllipsoidBase& e = *wgs84;
        // To angles (numbers, GxGeoAngles), to geocentric, to and from WGS 84: all refuse.
        EXPECT_EQ(Values(e.GeocentricToLatLong(v[0], v[1], v[2], out[0], out[1], out[2], true),
                         e.GeocentricToLatLong(v[0], v[1], v[2], lat, lon, out[2], true),
                         e.LatLongToGeocentric(v[0], v[1], v[2], out[0], out[1], out[2]),
                         e.GeocentricToWGS84(v[0], v[1], v[2], out[0], out[1], out[2]),
                         e.WGS84ToGeocentric(v[0], v[1], v[2], out[0], out[1], out[2])),
                  "false false false false false");
        EXPECT_EQ(Values(out[0], out[1], out[2], lat == GxGeoAngle(12.0, "N"),
                         lon == GxGeoAngle(34.0, "E")),
                  "1 2 3 true true");
        for (const Ref& any : {Ref(), wgs84}) {
            GxGeoCoord c = At(12, 34, 56, any);
            // Geocentric, angles, direction, scalar: all refuse.
            EXPECT_EQ(Values(c.SetGeocentricCoord(v[0], v[1], v[2], true),
                             c.SetLatLong(GxGeoAngle(v[0]), GxGeoAngle(v[1]), v[2]),
                             c.SetDirCos(v[0], v[1], v[2], 1.0),
                             c.SetDirCos(1, 0, 0, v[0] + v[1] + v[2])),
                      "false false false false");
            ExpectAt(c, 12, 34, 56);
            // A coordinate holding a non-finite value converts to nothing.
            gxVec3 direction(4, 5, 6), xyz(7, 8, 9);
            double scalar = 10;
            const GxGeoCoord broken = At(v[0], v[1], v[2], any);
            EXPECT_EQ(
                Values(broken.GetDirCos(direction, scalar), broken.GetGeocentricCoord(xyz, true)),
                "false false");
            EXPECT_EQ(
                Values(direction[0], direction[1], direction[2], xyz[0], xyz[1], xyz[2], scalar),
                "4 5 6 7 8 9 10");
        }
    }
    // Refused too: the geocentric conversions without an ellipsoid, the zero
    // direction on an ellipsoid (it has no surface point; on a sphere it is fine) and
    // a scalar whose elevation overflows.
    GxGeoCoord bare = At(12, 34, 56, Ref()), held = At(12, 34, 56, wgs84);
    gxVec3 xyz(4, 5, 6);
    EXPECT_EQ(Values(bare.GetGeocentricCoord(xyz, true),
                     bare.SetGeocentricCoord(gxVec3(6378137.0, 0, 0), true),
                     held.SetDirCos(0, 0, 0, 3.0), held.SetDirCos(1, 0, 0, 1e303)),
              "false false false false");
    ExpectAt(bare, 12, 34, 56);
    ExpectAt(held, 12, 34, 56);
    EXPECT_EQ(Values(xyz == gxVec3(4, 5, 6), bare.SetDirCos(0, 0, 0, 3.0)), "true true");
}

TEST(GeoCoord, ArithmeticWrapsAndKeepsTheLeftEllipsoid) {
    const Ref mine(new GxEllipsoid("WGS84")), theirs(new GxEllipsoid("Sphere"));
    const GxGeoCoord a = At(10, 175, 100, mine), b(GxGeoAngle(-20), GxGeoAngle(-175), 30, theirs);
    const GxGeoCoord difference = a - b, sum = a + b;
    ExpectAt(difference, 30, -10, 70); // 350 wraps to -10
    ExpectAt(sum, -10, 0, 130);
    EXPECT_EQ(Values(difference.GetEllipsoid().Get() == mine.Get(),
                     sum.GetEllipsoid().Get() == mine.Get()),
              "true true");
}

} // namespace
