#include <geoframe/geodesy/GxEllipsoid.h>
#include <geoframe/geodesy/GxGeoCoord.h>
#include <geoframe/math/gxVec3.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using Ref = GxSmartRef<GxEllipsoidBase>;

GxGeoCoord At(double lat, double lon, double elevation, Ref e) {
    return GxGeoCoord(GxGeoAngle(lat, "N"), GxGeoAngle(lon, "E"), elevation, e);
}

void ExpectAt(const GxGeoCoord& c, double lat, double lon, double elevation, double tol = 1e-12) {
    double la, lo, el;
    c.GetLatLong(la, lo, el);
    EXPECT_NEAR(la, lat, tol);
    EXPECT_NEAR(lo, lon, tol);
    EXPECT_NEAR(el, elevation, 1e-6);
}

TEST(GeoCoord, ScalarSharingAndNoEllipsoid) {
    const GxGeoCoord plain;
    EXPECT_EQ(plain.Elevation2Scalar(0.0), 1.0);
    EXPECT_EQ(plain.Scalar2Elevation(2.0), 6378245.0);
    for (const double h : {-10000.0, 0.5, 8848.0, 1e6})
        EXPECT_NEAR(plain.Scalar2Elevation(plain.Elevation2Scalar(h)), h, 1e-8);

    // Without an ellipsoid the geocentric conversions fail and change nothing.
    GxGeoCoord c = At(10, 20, 30, Ref());
    gxVec3 v(4, 5, 6);
    EXPECT_FALSE(c.GetGeocentricCoord(v, true));
    EXPECT_FALSE(c.SetGeocentricCoord(gxVec3(6378137.0, 0, 0), true));
    EXPECT_EQ(v, gxVec3(4, 5, 6));
    ExpectAt(c, 10, 20, 30);

    // Copies share the ellipsoid object: a change to it is seen through all of them.
    const Ref shared(new GxEllipsoid("WGS84"));
    c.SetEllipsoid(shared);
    const GxGeoCoord copy = c;
    gxVec3 before, after;
    ASSERT_TRUE(copy.GetGeocentricCoord(before, true));
    shared->SetEllipsoid("intl", 0, 0, 0);
    ASSERT_TRUE(c.GetGeocentricCoord(after, true));
    EXPECT_GT((after - before).length(), 10.0);
    EXPECT_EQ(copy.GetEllipsoid().Get(), shared.Get());
    ExpectAt(copy, 10, 20, 30);
}

TEST(GeoCoord, GeocentricRoundTripsAndTheHeightFlag) {
    const Ref e(new GxEllipsoid("WGS84"));
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> lat(-89.9, 89.9), lon(-180, 180), h(-10000, 1e6);
    for (int i = 0; i < 300; ++i) {
        const GxGeoCoord c = At(lat(random), lon(random), h(random), e);
        double la, lo, el;
        c.GetLatLong(la, lo, el);
        gxVec3 above, surface;
        ASSERT_TRUE(c.GetGeocentricCoord(above, true) && c.GetGeocentricCoord(surface, false));
        // The point lies `el` metres along the ellipsoid normal from the surface point.
        const double phi = la * M_PI / 180, lambda = lo * M_PI / 180;
        const gxVec3 normal(std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda),
                            std::sin(phi));
        EXPECT_LT((above - surface - normal * el).length(), 1e-6);

        GxGeoCoord back(e);
        ASSERT_TRUE(back.SetGeocentricCoord(above, true));
        ExpectAt(back, la, lo, el, 1e-10);
        ASSERT_TRUE(back.SetGeocentricCoord(above, false));
        ExpectAt(back, la, lo, 0.0, 1e-10);
    }
    GxGeoCoord stuck = At(10, 20, 30, e);
    EXPECT_FALSE(stuck.SetGeocentricCoord(1000, 0, 1000, true)); // no convergence
    double la, lo, el;
    stuck.GetLatLong(la, lo, el);
    EXPECT_TRUE(la == 10 && lo == 20 && el < -6e6); // angles kept, height written
}

TEST(GeoCoord, DirectionCosines) {
    for (const Ref& sphere : {Ref(), Ref(new GxEllipsoid("Sphere"))}) {
        const double cases[][5] = {{1, 0, 0, 0, 0},
                                   {0, 0, 1, 90, 0},
                                   {0, 0, -1, -90, 0},
                                   {-1, 0, 0, 0, 180},
                                   {0, -1, 0, 0, -90},
                                   {0.5, 0.5, M_SQRT1_2, 45, 45},
                                   {0, 1e-9, 1 + 4e-16, 90, 90}}; // z rounded past 1
        for (const auto& c : cases) {
            GxGeoCoord coord(sphere);
            ASSERT_TRUE(coord.SetDirCos(c[0], c[1], c[2], 2.0));
            ExpectAt(coord, c[3], c[4], 6378245.0);
            gxVec3 d;
            double scalar;
            ASSERT_TRUE(coord.GetDirCos(d, scalar));
            EXPECT_LT((d - gxVec3(c[0], c[1], c[2])).length(), 1e-8);
            EXPECT_EQ(scalar, 2.0);
        }
    }
    const Ref e(new GxEllipsoid("WGS84"));
    GxGeoCoord c(e);
    // Toward 45 degrees geocentric the geodetic latitude is larger; any length works.
    ASSERT_TRUE(c.SetDirCos(3, 0, 3, 1.0));
    double lat, lon, elevation;
    c.GetLatLong(lat, lon, elevation);
    EXPECT_TRUE(lat > 45.18 && lat < 45.2) << lat;
    // GetDirCos gives back the geocentric direction that went in, normalised.
    std::mt19937_64 random(3);
    std::normal_distribution<double> n;
    for (int i = 0; i < 300; ++i) {
        gxVec3 in(n(random), n(random), n(random)), out;
        double scalar;
        ASSERT_TRUE(c.SetDirCos(in, 1.0) && c.GetDirCos(out, scalar));
        in.normalize();
        EXPECT_LT((out - in).length(), 1e-12);
    }
    // Directions without a surface point change nothing.
    for (const Ref& any : {Ref(), e}) {
        GxGeoCoord kept = At(12, 34, 56, any);
        EXPECT_FALSE(kept.SetDirCos(double(NAN), 0, 0, 3.0));
        EXPECT_FALSE(kept.SetDirCos(0, double(INFINITY), 0, 3.0));
        EXPECT_EQ(kept.SetDirCos(0, 0, 0, 3.0), any.IsNull()); // zero: fine on a sphere
        if (!any.IsNull())
            ExpectAt(kept, 12, 34, 56);
    }
}

TEST(GeoCoord, Arithmetic) {
    const Ref mine(new GxEllipsoid("WGS84")), theirs(new GxEllipsoid("Sphere"));
    const GxGeoCoord a = At(10, 175, 100, mine);
    const GxGeoCoord b(GxGeoAngle(-20), GxGeoAngle(-175), 30, theirs);
    const GxGeoCoord difference = a - b, sum = a + b;
    ExpectAt(difference, 30, -10, 70); // 350 wraps to -10
    ExpectAt(sum, -10, 0, 130);
    EXPECT_TRUE(difference.GetEllipsoid().Get() == mine.Get() &&
                sum.GetEllipsoid().Get() == mine.Get());
    GxGeoAngle lat, lon;
    double elevation;
    difference.GetLatLong(lat, lon, elevation);
    EXPECT_TRUE(lat == GxGeoAngle(30, "N") && lon == GxGeoAngle(-10, "E")); // a's axes

    GxGeoCoord accumulated = b;
    EXPECT_EQ(&(accumulated += a), &accumulated);
    ExpectAt(accumulated, -10, 0, 130);
    EXPECT_EQ(accumulated.GetEllipsoid().Get(), theirs.Get());
}

} // namespace
