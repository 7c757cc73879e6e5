#include <geoframe/geoframe.h>

#include "Text.h"

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
    // Without an ellipsoid, as on a sphere, the direction gives the angles directly
    // (the last z is a unit vector's, rounded past 1); the scalar 2 is one Earth
    // radius up.
    const struct {
        double x, y, z, lat, lon;
    } cases[] = {{0, 0, -1, -90, 0},
                 {-1, 0, 0, 0, 180},
                 {0.5, 0.5, M_SQRT1_2, 45, 45},
                 {0, 1e-9, 1 + 4e-16, 90, 90}};
    for (const auto& c : cases) {
        GxGeoCoord coord;
        ASSERT_TRUE(coord.SetDirCos(c.x, c.y, c.z, 2.0));
        ExpectAt(coord, c.lat, c.lon, 6378245.0);
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
    const double inf = INFINITY, nan = NAN;
    const double values[][3] = {{nan, 0, 0}, {0, -inf, 0}, {0, 0, inf}, {1, 2, nan}};
    for (const auto& v : values) {
        double out[3] = {1, 2, 3};
        GxGeoAngle lat(12.0, "N"), lon(34.0, "E");
        const GxEllipsoidBase& e = *wgs84;
        // To angles (numbers, GxGeoAngles), to geocentric, to and from WGS 84: all refuse.
        EXPECT_EQ(Values(e.GeocentricToLatLong(v[0], v[1], v[2], out[0], out[1], out[2], true),
                         e.GeocentricToLatLong(v[0], v[1], v[2], lat, lon, out[2], true),
                         e.LatLongToGeocentric(v[0], v[1], v[2], out[0], out[1], out[2]),
                         e.GeocentricToWGS84(v[0], v[1], v[2], out[0], out[1], out[2]),
                         e.WGS84ToGeocentric(v[0], v[1], v[2], out[0], out[1], out[2])),
                  "false false false false false")
            << v[0] << " " << v[1] << " " << v[2];
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
                      "false false false false")
                << v[0] << " " << v[1] << " " << v[2];
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
    // Angles and elevations add and subtract, wrapping; results share the left
    // operand's ellipsoid object.
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
