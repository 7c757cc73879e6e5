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

TEST(GeoCoord, WithoutEllipsoidAndSharingIt) {
    // Without an ellipsoid the geocentric conversions fail and change nothing.
    GxGeoCoord c = At(10, 20, 30, Ref());
    gxVec3 v(4, 5, 6);
    EXPECT_FALSE(c.GetGeocentricCoord(v, true) ||
                 c.SetGeocentricCoord(gxVec3(6378137.0, 0, 0), true));
    EXPECT_EQ(v, gxVec3(4, 5, 6));
    ExpectAt(c, 10, 20, 30);
    // Copies share the ellipsoid object rather than copy it.
    const Ref shared(new GxEllipsoid("WGS84"));
    c.SetEllipsoid(shared);
    EXPECT_EQ(GxGeoCoord(c).GetEllipsoid().Get(), shared.Get());
}

TEST(GeoCoord, GeocentricRoundTripsAndTheHeightFlags) {
    // Over the globe, from -10 km to 1000 km, on figures from a sphere to a very
    // flat one.
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> lat(-89.99, 89.99), lon(-180, 180), h(-10000, 1e6);
    for (const char* name : {"WGS84", "clrk80", "Sphere", "mprts"}) {
        const Ref e(new GxEllipsoid(name));
        for (int i = 0; i < 500; ++i) {
            const GxGeoCoord c = At(lat(random), lon(random), h(random), e);
            double la, lo, el;
            c.GetLatLong(la, lo, el);
            gxVec3 above, surface;
            ASSERT_TRUE(c.GetGeocentricCoord(above, true) && c.GetGeocentricCoord(surface, false));
            // The point lies `el` metres along the ellipsoid normal from the surface point.
            const double phi = la * M_PI / 180, lambda = lo * M_PI / 180;
            const gxVec3 normal(std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda),
                                std::sin(phi));
            EXPECT_LT((above - surface - normal * el).length(), 1e-6) << name;

            GxGeoCoord back(e);
            ASSERT_TRUE(back.SetGeocentricCoord(above, true));
            ExpectAt(back, la, lo, el, 1e-10);
            ASSERT_TRUE(back.SetGeocentricCoord(above, false));
            ExpectAt(back, la, lo, 0.0, 1e-10);
        }
    }
}

TEST(GeoCoord, DirectionCosines) {
    // Without an ellipsoid, as on a sphere, the direction gives the angles directly;
    // the scalar 2 is one Earth radius up.
    // The last z is a unit vector's, rounded past 1.
    const double cases[][5] = {{0, 0, -1, -90, 0},
                               {-1, 0, 0, 0, 180},
                               {0.5, 0.5, M_SQRT1_2, 45, 45},
                               {0, 1e-9, 1 + 4e-16, 90, 90}};
    for (const auto& c : cases) {
        GxGeoCoord coord;
        ASSERT_TRUE(coord.SetDirCos(c[0], c[1], c[2], 2.0));
        ExpectAt(coord, c[3], c[4], 6378245.0);
    }
    // On WGS 84, toward 45 degrees geocentric the geodetic latitude is larger; any
    // length works.
    const Ref wgs84(new GxEllipsoid("WGS84"));
    GxGeoCoord c(wgs84);
    ASSERT_TRUE(c.SetDirCos(3, 0, 3, 1.0));
    double lat, lon, elevation;
    c.GetLatLong(lat, lon, elevation);
    EXPECT_TRUE(lat > 45.18 && lat < 45.2) << lat;
    // GetDirCos gives back the unit direction that went in, and the scalar.
    std::mt19937_64 random(3);
    std::normal_distribution<double> n;
    for (const Ref& e : {Ref(), Ref(new GxEllipsoid("Sphere")), wgs84}) {
        GxGeoCoord coord(e);
        for (int i = 0; i < 100; ++i) {
            gxVec3 in(n(random), n(random), n(random)), out;
            in.normalize();
            double scalar;
            ASSERT_TRUE(coord.SetDirCos(in, 1.5) && coord.GetDirCos(out, scalar));
            EXPECT_TRUE((out - in).length() < 1e-12 && scalar == 1.5);
        }
    }
    // Directions without a surface point change nothing.
    for (const Ref& any : {Ref(), wgs84}) {
        GxGeoCoord kept = At(12, 34, 56, any);
        EXPECT_FALSE(kept.SetDirCos(double(NAN), 0, 0, 3.0) ||
                     kept.SetDirCos(0, double(INFINITY), 0, 3.0));
        EXPECT_EQ(kept.SetDirCos(0, 0, 0, 3.0), any.IsNull()); // zero: fine on a sphere
        if (!any.IsNull())
            ExpectAt(kept, 12, 34, 56);
    }
}

TEST(GeoCoord, Arithmetic) {
    // Angles and elevations add and subtract, wrapping; results keep the left
    // operand's ellipsoid.
    const Ref mine(new GxEllipsoid("WGS84")), theirs(new GxEllipsoid("Sphere"));
    const GxGeoCoord a = At(10, 175, 100, mine);
    const GxGeoCoord b(GxGeoAngle(-20), GxGeoAngle(-175), 30, theirs);
    const GxGeoCoord difference = a - b, sum = a + b;
    ExpectAt(difference, 30, -10, 70); // 350 wraps to -10
    ExpectAt(sum, -10, 0, 130);
    EXPECT_TRUE(difference.GetEllipsoid().Get() == mine.Get() &&
                sum.GetEllipsoid().Get() == mine.Get());
}

} // namespace
