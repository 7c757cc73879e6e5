// The angle and projection conversions, and the geocentric solution, fed NaN,
// infinities, huge and out-of-range values: each reports a clean false or gives
// finite results; none crashes, hangs or trips a sanitizer (the 2-D transforms'
// refusals are in the Transform2D tests, the other ellipsoid and coordinate ones in
// the GeoCoord tests).

#include "projection/ProjectionKinds.h"

#include <geoframe/geoframe.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

namespace {

/// Values no conversion can use, and values far outside any sensible range.
const double kBad[] = {NAN,  INFINITY, -INFINITY, DBL_MAX, -DBL_MAX, 1e300, -1e300,
                       1e20, -1e20,    1000.0,    -1000.0, 4.9e-324, 91.0,  -91.0};

/// Every pair with at least one bad value, the other a good one.
std::vector<std::pair<double, double>> BadPairs(double good) {
    std::vector<std::pair<double, double>> pairs;
    for (const double bad : kBad)
        pairs.insert(pairs.end(), {{bad, good}, {good, bad}, {bad, bad}});
    return pairs;
}

std::vector<double> Parts(const GxGeoCoord& coord) {
    double lat, lon, elevation;
    coord.GetLatLong(lat, lon, elevation);
    return {lat, lon, elevation};
}

// A conversion's result: false, or true with every output finite. The call runs
// before its outputs are read.
#define EXPECT_CLEAN(call, ...)                                                                    \
    do {                                                                                           \
        if (!(call))                                                                               \
            break;                                                                                 \
        for (const double value_ : std::vector<double>{__VA_ARGS__})                               \
            EXPECT_TRUE(std::isfinite(value_)) << #call << " gave " << value_;                     \
    } while (0)

} // namespace

TEST(BadValues, AnglesEllipsoidsAndCoordinates) {
    GxEllipsoid wgs84("WGS84");
    GxSmartRef<GxEllipsoidBase> held(new GxEllipsoid("WGS84"));
    for (const auto& [a, b] : BadPairs(10.0)) {
        SCOPED_TRACE(testing::Message() << a << ", " << b);
        // An angle is a value: a finite one is wrapped into one turn, a non-finite
        // one is kept as NaN, which every conversion below refuses.
        GxGeoAngle angle(a);
        const double wrapped = angle.GetDecimalDegrees();
        EXPECT_TRUE(std::isfinite(a) ? std::fabs(wrapped) <= 180.0 : std::isnan(wrapped));
        angle.SetRadians(a); // radians beyond DBL_MAX degrees overflow to NaN
        EXPECT_FALSE(std::fabs(angle.GetDecimalDegrees()) > 180.0);
        int d = 0, m = 0;
        double s = 0;
        angle.GetDMS(d, m, s); // no undefined conversion to int
        char* text = angle.GetDMSString(3);
        GxGeoAngle again;
        EXPECT_TRUE(again.SetDMSString(text)) << text;
        angle.FreeString(text);

        // Huge values: a solution is finite or refused (the refusals of NaN and the
        // infinities, and the other conversions, are in the GeoCoord tests).
        double lat, lon, h;
        EXPECT_CLEAN(wgs84.GeocentricToLatLong(a, b, 6e6, lat, lon, h, true), lat, lon, h);
        GxGeoCoord coord(GxGeoAngle(10.0), GxGeoAngle(20.0), 0.0, held);
        EXPECT_CLEAN(coord.SetGeocentricCoord(a, b, 6e6, true), Parts(coord));
    }
}

// A projection conversion run with every possible output at 7: false must leave
// them all so, true must leave them finite.
#define EXPECT_CLEAN_OR_UNTOUCHED(call)                                                            \
    do {                                                                                           \
        double x = 7, y = 7, z = 7, lat = 7, lon = 7;                                              \
        gxVec3 v(7, 7, 7);                                                                         \
        GxGeoAngle gLat(7.0), gLon(7.0);                                                           \
        GxGeoCoord c(gLat, gLon, 7.0, GxSmartRef<GxEllipsoidBase>());                              \
        const bool ok = (call);                                                                    \
        std::vector<double> out = Parts(c);                                                        \
        out.insert(out.end(), {x, y, z, lat, lon, v[0], v[1], v[2], gLat, gLon});                  \
        for (const double value : out)                                                             \
            EXPECT_TRUE(ok ? std::isfinite(value) : value == 7.0) << #call << " gave " << value;   \
    } while (0)

TEST(BadValues, Projections) {
    for (const testproj::Kind& made : testproj::Kinds()) {
        SCOPED_TRACE(made.Name());
        const GxSmartRef<GxProjection> p = made.Make();
        for (const auto& [a, b] : BadPairs(45.0)) {
            SCOPED_TRACE(testing::Message() << a << ", " << b);
            const GxGeoCoord point(a, b, a, GxSmartRef<GxEllipsoidBase>());
            EXPECT_CLEAN_OR_UNTOUCHED(p->LatLong2Proj(GxGeoAngle(a), GxGeoAngle(b), x, y));
            EXPECT_CLEAN_OR_UNTOUCHED(p->LatLong2Proj(gxVec3(b, a, a), v));
            EXPECT_CLEAN_OR_UNTOUCHED(p->GeoCoord2Proj(point, x, y));
            EXPECT_CLEAN_OR_UNTOUCHED(p->GeoCoord2Proj(point, v));
            EXPECT_CLEAN_OR_UNTOUCHED(p->Proj2LatLong(a, b, lat, lon));
            EXPECT_CLEAN_OR_UNTOUCHED(p->Proj2LatLong(a, b, gLat, gLon));
            EXPECT_CLEAN_OR_UNTOUCHED(p->Proj2LatLong(gxVec3(a, b, a), v));
            EXPECT_CLEAN_OR_UNTOUCHED(p->Proj2GeoCoord(a, b, c));
            EXPECT_CLEAN_OR_UNTOUCHED(p->Proj2GeoCoord(gxVec3(a, b, a), c));
            // These report nothing: each output is written finite or left alone.
            EXPECT_CLEAN_OR_UNTOUCHED((p->LLE2Proj(a, b, 8.0, x, y, z), true));
            EXPECT_CLEAN_OR_UNTOUCHED((p->Proj2LLE(a, b, 8.0, lat, lon, z), true));
            // A good point with a bad elevation (a) is refused as a whole.
            gxVec3 map;
            ASSERT_TRUE(p->LatLong2Proj(gxVec3(made.lonMin, made.latMin, 0), map));
            const GxGeoCoord high(made.latMin, made.lonMin, a, GxSmartRef<GxEllipsoidBase>());
            EXPECT_CLEAN_OR_UNTOUCHED(p->LatLong2Proj(gxVec3(made.lonMin, made.latMin, a), v));
            EXPECT_CLEAN_OR_UNTOUCHED(p->GeoCoord2Proj(high, v));
            EXPECT_CLEAN_OR_UNTOUCHED(p->Proj2LatLong(gxVec3(map[0], map[1], a), v));
            EXPECT_CLEAN_OR_UNTOUCHED(p->Proj2GeoCoord(gxVec3(map[0], map[1], a), c));
        }
        p->SetLocalOrigin(0, 0, INFINITY);
        EXPECT_CLEAN_OR_UNTOUCHED(p->LatLong2Proj(gxVec3(made.lonMin, made.latMin, 0), v));
        EXPECT_CLEAN_OR_UNTOUCHED(p->SetLocalOrigin(NAN, 0, 0) &&
                                  p->LatLong2Proj(GxGeoAngle(45.0), GxGeoAngle(9.0), x, y));
    }
    int zone = 0;
    for (const double bad : kBad)
        EXPECT_CLEAN(GxUTMProjection().ZoneOfLong(bad, zone), double(zone));
}
