#include <geoframe/geodesy/GxEllipsoid.h>
#include <geoframe/geodesy/GxGeoCoord.h>
#include <geoframe/math/gxVec3.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

constexpr double kPi = 3.141592653589793;

GxSmartRef<GxEllipsoidBase> Wgs84() {
    return GxSmartRef<GxEllipsoidBase>(new GxEllipsoid("WGS84"));
}

GxGeoCoord At(double lat, double lon, double elevation, GxSmartRef<GxEllipsoidBase> e) {
    return GxGeoCoord(GxGeoAngle(lat, "N"), GxGeoAngle(lon, "E"), elevation, e);
}

void ExpectLatLong(const GxGeoCoord& c, double lat, double lon, double elevation,
                   double tolerance) {
    double outLat, outLon, outElevation;
    EXPECT_TRUE(c.GetLatLong(outLat, outLon, outElevation));
    EXPECT_NEAR(outLat, lat, tolerance);
    EXPECT_NEAR(outLon, lon, tolerance);
    EXPECT_NEAR(outElevation, elevation, 1e-6);
}

TEST(GeoCoord, ScalarAndElevationAreInverse) {
    const GxGeoCoord c;
    EXPECT_EQ(c.Elevation2Scalar(0.0), 1.0);
    EXPECT_EQ(c.Scalar2Elevation(2.0), 6378245.0);
    EXPECT_EQ(c.Scalar2Elevation(1.0), 0.0);
    for (const double elevation : {-10000.0, -1.0, 0.0, 0.5, 8848.0, 1e6, 6378245.0}) {
        EXPECT_NEAR(c.Scalar2Elevation(c.Elevation2Scalar(elevation)), elevation, 1e-8);
    }
    // The scale is fixed, whatever the coordinate's ellipsoid.
    const GxGeoCoord onWgs84(Wgs84());
    EXPECT_EQ(onWgs84.Elevation2Scalar(6378245.0), 2.0);
}

TEST(GeoCoord, ConstructionAndSharing) {
    const GxGeoCoord empty;
    GxGeoAngle lat(1.0), lon(1.0);
    double elevation = 1.0;
    empty.GetLatLong(lat, lon, elevation);
    EXPECT_EQ(lat, GxGeoAngle(0.0));
    EXPECT_EQ(lon, GxGeoAngle(0.0));
    EXPECT_EQ(elevation, 0.0);
    EXPECT_TRUE(empty.GetEllipsoid().IsNull());

    GxSmartRef<GxEllipsoidBase> shared = Wgs84();
    const GxGeoCoord c = At(-33.5, 151.0, 12.0, shared);
    c.GetLatLong(lat, lon, elevation);
    EXPECT_EQ(lat, GxGeoAngle(-33.5, "S")); // axes copied
    EXPECT_EQ(lon, GxGeoAngle(151.0, "E"));
    EXPECT_EQ(elevation, 12.0);

    // Copies and assignments hold the same ellipsoid object, not a clone.
    GxGeoCoord copy(c);
    GxGeoCoord assigned;
    assigned = c;
    EXPECT_EQ(copy.GetEllipsoid().Get(), shared.Get());
    EXPECT_EQ(assigned.GetEllipsoid().Get(), shared.Get());
    double x1, y1, z1, x2, y2, z2;
    ASSERT_TRUE(copy.GetGeocentricCoord(x1, y1, z1, true));
    shared->SetEllipsoid("intl", 0, 0, 0); // seen by every holder
    ASSERT_TRUE(assigned.GetGeocentricCoord(x2, y2, z2, true));
    EXPECT_GT(std::fabs(x2 - x1) + std::fabs(z2 - z1), 10.0);

    // SetEllipsoid swaps the figure without recomputing the position.
    assigned.SetEllipsoid(GxSmartRef<GxEllipsoidBase>());
    ExpectLatLong(assigned, -33.5, 151.0, 12.0, 0.0);
    EXPECT_TRUE(assigned.GetEllipsoid().IsNull());
}

TEST(GeoCoord, WithoutEllipsoidGeocentricConversionsFail) {
    GxGeoCoord c(GxGeoAngle(10.0), GxGeoAngle(20.0), 30.0, GxSmartRef<GxEllipsoidBase>());
    double x = 1, y = 2, z = 3;
    EXPECT_FALSE(c.GetGeocentricCoord(x, y, z, true));
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 2);
    EXPECT_EQ(z, 3);
    gxVec3 v(4, 5, 6);
    EXPECT_FALSE(c.GetGeocentricCoord(v, false));
    EXPECT_EQ(v, gxVec3(4, 5, 6));
    EXPECT_FALSE(c.SetGeocentricCoord(6378137.0, 0.0, 0.0, true));
    EXPECT_FALSE(c.SetGeocentricCoord(gxVec3(6378137.0, 0.0, 0.0), true));
    ExpectLatLong(c, 10.0, 20.0, 30.0, 0.0);
}

TEST(GeoCoord, GeocentricRoundTripsAndTheHeightFlag) {
    const GxSmartRef<GxEllipsoidBase> e = Wgs84();
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> latitude(-89.9, 89.9), longitude(-180.0, 180.0),
        height(-10000.0, 1000000.0);
    for (int i = 0; i < 500; ++i) {
        const double lat = latitude(random), lon = longitude(random), h = height(random);
        const GxGeoCoord c = At(lat, lon, h, e);
        gxVec3 above, surface;
        ASSERT_TRUE(c.GetGeocentricCoord(above, true));
        ASSERT_TRUE(c.GetGeocentricCoord(surface, false));
        // The point lies h metres along the ellipsoid normal from the surface point.
        const double phi = lat * kPi / 180, lambda = lon * kPi / 180;
        const gxVec3 normal(std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda),
                            std::sin(phi));
        const gxVec3 offset = above - surface;
        EXPECT_NEAR(offset.GetX(), h * normal.GetX(), 1e-6);
        EXPECT_NEAR(offset.GetY(), h * normal.GetY(), 1e-6);
        EXPECT_NEAR(offset.GetZ(), h * normal.GetZ(), 1e-6);

        GxGeoCoord back(e);
        ASSERT_TRUE(back.SetGeocentricCoord(above, true));
        ExpectLatLong(back, lat, lon, h, 1e-10);
        // Without the flag the elevation is 0.
        ASSERT_TRUE(back.SetGeocentricCoord(above, false));
        ExpectLatLong(back, lat, lon, 0.0, 1e-10);
    }
}

TEST(GeoCoord, NonConvergingGeocentricKeepsTheAngles) {
    GxGeoCoord c = At(10.0, 20.0, 30.0, Wgs84());
    EXPECT_FALSE(c.SetGeocentricCoord(1000.0, 0.0, 1000.0, true));
    double lat, lon, elevation;
    c.GetLatLong(lat, lon, elevation);
    EXPECT_EQ(lat, 10.0);
    EXPECT_EQ(lon, 20.0);
    EXPECT_LT(elevation, -6e6); // the height is written all the same
}

TEST(GeoCoord, DirCosOnASphereOrWithoutEllipsoid) {
    const GxSmartRef<GxEllipsoidBase> holders[] = {
        GxSmartRef<GxEllipsoidBase>(), GxSmartRef<GxEllipsoidBase>(new GxEllipsoid("Sphere"))};
    const struct {
        double x, y, z, lat, lon;
    } cases[] = {
        {1, 0, 0, 0, 0},
        {0, 0, 1, 90, 0},
        {0, 0, -1, -90, 0},
        {0, 1, 0, 0, 90},
        {-1, 0, 0, 0, 180},
        {0, -1, 0, 0, -90},
        {0.5, 0.5, M_SQRT1_2, 45, 45},
    };
    for (const auto& holder : holders) {
        for (const auto& c : cases) {
            GxGeoCoord coord(holder);
            ASSERT_TRUE(coord.SetDirCos(c.x, c.y, c.z, 1.0));
            ExpectLatLong(coord, c.lat, c.lon, 0.0, 1e-12);
            gxVec3 d;
            double scalar = 0;
            ASSERT_TRUE(coord.GetDirCos(d, scalar));
            EXPECT_NEAR(d.GetX(), c.x, 1e-12);
            EXPECT_NEAR(d.GetY(), c.y, 1e-12);
            EXPECT_NEAR(d.GetZ(), c.z, 1e-12);
            EXPECT_EQ(scalar, 1.0);
        }
        GxGeoCoord coord(holder);
        ASSERT_TRUE(coord.SetDirCos(gxVec3(1, 0, 0), 2.0));
        ExpectLatLong(coord, 0, 0, 6378245.0, 0.0);
        // A unit vector whose z rounded past 1 still gives the pole, not NaN.
        ASSERT_TRUE(coord.SetDirCos(0.0, 1e-9, 1.0 + 4e-16, 1.0));
        ExpectLatLong(coord, 90.0, 90.0, 0.0, 1e-12);
        // A direction that is not a number changes nothing.
        EXPECT_FALSE(coord.SetDirCos(std::nan(""), 0.0, 0.0, 5.0));
        EXPECT_FALSE(coord.SetDirCos(0.0, std::numeric_limits<double>::infinity(), 0.0, 5.0));
        ExpectLatLong(coord, 90.0, 90.0, 0.0, 1e-12);
    }
}

TEST(GeoCoord, DirCosOnAnEllipsoid) {
    const GxSmartRef<GxEllipsoidBase> e = Wgs84();
    GxGeoCoord c(e);
    ASSERT_TRUE(c.SetDirCos(0, 1, 0, 1.0));
    ExpectLatLong(c, 0, 90, 0, 1e-12);
    ASSERT_TRUE(c.SetDirCos(0, 0, 1, 1.0));
    ExpectLatLong(c, 90, 0, 0, 1e-12);

    // Toward 45 degrees geocentric, the geodetic latitude is larger (by about
    // 0.19 degrees on WGS 84), and the direction need not be of unit length.
    ASSERT_TRUE(c.SetDirCos(3, 0, 3, 1.5));
    double lat, lon, elevation;
    c.GetLatLong(lat, lon, elevation);
    EXPECT_GT(lat, 45.18);
    EXPECT_LT(lat, 45.2);
    EXPECT_EQ(elevation, 0.5 * 6378245.0);

    // GetDirCos gives back the geocentric direction that went in, normalised.
    std::mt19937_64 random(3);
    std::normal_distribution<double> component;
    for (int i = 0; i < 300; ++i) {
        gxVec3 in(component(random), component(random), component(random));
        ASSERT_TRUE(c.SetDirCos(in, 1.0));
        in.normalize();
        gxVec3 out;
        double scalar = 0;
        ASSERT_TRUE(c.GetDirCos(out, scalar));
        EXPECT_NEAR(out.GetX(), in.GetX(), 1e-12);
        EXPECT_NEAR(out.GetY(), in.GetY(), 1e-12);
        EXPECT_NEAR(out.GetZ(), in.GetZ(), 1e-12);
        EXPECT_NEAR(scalar, 1.0, 1e-15);
    }

    // The zero direction has no surface point: nothing changes.
    GxGeoCoord kept = At(12.0, 34.0, 56.0, e);
    EXPECT_FALSE(kept.SetDirCos(0, 0, 0, 3.0));
    ExpectLatLong(kept, 12.0, 34.0, 56.0, 0.0);
}

TEST(GeoCoord, Arithmetic) {
    const GxSmartRef<GxEllipsoidBase> mine = Wgs84();
    const GxSmartRef<GxEllipsoidBase> theirs(new GxEllipsoid("Sphere"));
    const GxGeoCoord a = At(10.0, 175.0, 100.0, mine);
    const GxGeoCoord b(GxGeoAngle(-20.0), GxGeoAngle(-175.0), 30.0, theirs);

    const GxGeoCoord difference = a - b;
    ExpectLatLong(difference, 30.0, -10.0, 70.0, 1e-12); // 350 wraps to -10
    EXPECT_EQ(difference.GetEllipsoid().Get(), mine.Get());
    GxGeoAngle lat, lon;
    double elevation;
    difference.GetLatLong(lat, lon, elevation);
    EXPECT_EQ(lat, GxGeoAngle(30.0, "N")); // this coordinate's axes
    EXPECT_EQ(lon, GxGeoAngle(-10.0, "E"));

    const GxGeoCoord sum = a + b;
    ExpectLatLong(sum, -10.0, 0.0, 130.0, 1e-12);
    EXPECT_EQ(sum.GetEllipsoid().Get(), mine.Get());

    GxGeoCoord accumulated = b;
    GxGeoCoord& self = (accumulated += a);
    EXPECT_EQ(&self, &accumulated);
    ExpectLatLong(accumulated, -10.0, 0.0, 130.0, 1e-12);
    EXPECT_EQ(accumulated.GetEllipsoid().Get(), theirs.Get());
}

} // namespace
