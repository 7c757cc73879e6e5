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
    // Lengths whose squares overflow or vanish give the angles of an ordinary one.
    const double extremes[][6] = {{0, 1e200, 0, 0, 1, 0},     {0, 1e-160, 0, 0, 1, 0},
                                  {1e300, 0, 1e300, 1, 0, 1}, {-1e-310, 0, 1e-310, -1, 0, 1},
                                  {4.9e-324, 0, 0, 1, 0, 0},  {1e308, -1e308, 1e308, 1, -1, 1}};
    for (const auto& d : extremes) {
        GxGeoCoord extreme(wgs84), ordinary(wgs84);
        ASSERT_TRUE(extreme.SetDirCos(d[0], d[1], d[2], 1.0) &&
                    ordinary.SetDirCos(d[3], d[4], d[5], 1.0))
            << d[0] << " " << d[1];
        ordinary.GetLatLong(lat, lon, elevation);
        ExpectAt(extreme, lat, lon, 0.0);
    }
    // The zero direction has no surface point on an ellipsoid; on a sphere it is fine.
    for (const Ref& any : {Ref(), wgs84}) {
        GxGeoCoord kept = At(12, 34, 56, any);
        EXPECT_EQ(kept.SetDirCos(0, 0, 0, 3.0), any.IsNull());
        if (!any.IsNull())
            ExpectAt(kept, 12, 34, 56);
    }
}

TEST(GeoCoord, NonFiniteValuesAreRefusedAndChangeNothing) {
    // NaN or an infinity in each place, through every geodesy conversion and every
    // coordinate setter: false, with outputs and coordinate as they were.
    const Ref wgs84(new GxEllipsoid("WGS84"));
    const double inf = INFINITY, nan = NAN;
    const double values[][3] = {{nan, 0, 0}, {0, -inf, 0}, {0, 0, inf}, {1, 2, nan}};
    for (const auto& v : values) {
        double out[3] = {1, 2, 3};
        GxGeoAngle lat(12.0, "N"), lon(34.0, "E");
        const GxEllipsoidBase& e = *wgs84;
        EXPECT_FALSE(e.GeocentricToLatLong(v[0], v[1], v[2], out[0], out[1], out[2], true) ||
                     e.GeocentricToLatLong(v[0], v[1], v[2], lat, lon, out[2], true) ||
                     e.LatLongToGeocentric(v[0], v[1], v[2], out[0], out[1], out[2]) ||
                     e.GeocentricToWGS84(v[0], v[1], v[2], out[0], out[1], out[2]) ||
                     e.WGS84ToGeocentric(v[0], v[1], v[2], out[0], out[1], out[2]))
            << v[0] << " " << v[1] << " " << v[2];
        EXPECT_TRUE(out[0] == 1 && out[1] == 2 && out[2] == 3 && lat == GxGeoAngle(12.0, "N") &&
                    lon == GxGeoAngle(34.0, "E"));
        for (const Ref& any : {Ref(), wgs84}) {
            GxGeoCoord c = At(12, 34, 56, any);
            EXPECT_FALSE(c.SetGeocentricCoord(v[0], v[1], v[2], true) ||
                         c.SetLatLong(GxGeoAngle(v[0]), GxGeoAngle(v[1]), v[2]) ||
                         c.SetDirCos(v[0], v[1], v[2], 1.0) ||
                         c.SetDirCos(1, 0, 0, v[0] + v[1] + v[2]));
            ExpectAt(c, 12, 34, 56);
            // A coordinate holding a non-finite value converts to nothing.
            gxVec3 direction(4, 5, 6), xyz(7, 8, 9);
            double scalar = 10;
            const GxGeoCoord broken = At(v[0], v[1], v[2], any);
            EXPECT_FALSE(broken.GetDirCos(direction, scalar) ||
                         broken.GetGeocentricCoord(xyz, true));
            EXPECT_TRUE(direction == gxVec3(4, 5, 6) && xyz == gxVec3(7, 8, 9) && scalar == 10);
        }
    }
    GxGeoCoord c = At(12, 34, 56, wgs84); // a scalar whose elevation overflows
    EXPECT_FALSE(c.SetDirCos(1, 0, 0, 1e303));
    ExpectAt(c, 12, 34, 56);
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
