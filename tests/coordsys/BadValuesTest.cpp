// Every public conversion of every class fed NaN, infinities, huge and
// out-of-range values: each reports a clean false or gives finite results; none
// crashes, hangs or trips a sanitizer.

#include "projection/ProjectionKinds.h"

#include <geoframe/geoframe.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

/// Values no conversion can use, and values far outside any sensible range.
const std::vector<double>& BadValues() {
    static const std::vector<double> values = {kNan,    kInf,     -kInf, DBL_MAX, -DBL_MAX,
                                               1e300,   -1e300,   1e20,  -1e20,   1000.0,
                                               -1000.0, 4.9e-324, 91.0,  -91.0};
    return values;
}

/// Every pair with at least one bad value, the other a good one.
std::vector<std::pair<double, double>> BadPairs(double good) {
    std::vector<std::pair<double, double>> pairs;
    for (const double bad : BadValues()) {
        pairs.push_back({bad, good});
        pairs.push_back({good, bad});
        pairs.push_back({bad, bad});
    }
    return pairs;
}

std::vector<double> Parts(const GxGeoCoord& coord) {
    double lat, lon, elevation;
    coord.GetLatLong(lat, lon, elevation);
    return {lat, lon, elevation};
}

/// A conversion's result: false, or true with every output finite.
void ExpectClean(const std::string& what, bool ok, const std::vector<double>& outputs) {
    if (!ok)
        return;
    for (const double value : outputs)
        EXPECT_TRUE(std::isfinite(value)) << what << " gave " << value;
}

// The call runs before its outputs are read.
#define EXPECT_CLEAN(what, call, ...)                                                              \
    do {                                                                                           \
        const bool ok_ = (call);                                                                   \
        ExpectClean(what, ok_, {__VA_ARGS__});                                                     \
    } while (0)

std::string Name(const char* what, double a, double b) {
    return std::string(what) + "(" + std::to_string(a) + ", " + std::to_string(b) + ")";
}

} // namespace

TEST(BadValues, AnglesEllipsoidsAndCoordinates) {
    GxEllipsoid wgs84("WGS84");
    GxSmartRef<GxEllipsoidBase> held(new GxEllipsoid("WGS84"));
    for (const auto& [a, b] : BadPairs(10.0)) {
        // An angle is a value: a finite one is wrapped into one turn, a non-finite
        // one is kept as NaN, which every conversion below refuses.
        GxGeoAngle angle(a);
        const double wrapped = angle.GetDecimalDegrees();
        EXPECT_TRUE(std::isfinite(a) ? std::fabs(wrapped) <= 180.0 : std::isnan(wrapped)) << a;
        angle.SetRadians(a); // radians beyond DBL_MAX degrees overflow to NaN
        EXPECT_FALSE(std::fabs(angle.GetDecimalDegrees()) > 180.0) << a;
        int d = 0, m = 0;
        double s = 0;
        angle.GetDMS(d, m, s); // no undefined conversion to int
        char* text = angle.GetDMSString(3);
        GxGeoAngle again;
        EXPECT_TRUE(again.SetDMSString(text)) << text;
        angle.FreeString(text);

        double x, y, z, lat, lon, h;
        EXPECT_CLEAN(Name("LatLongToGeocentric", a, b), wgs84.LatLongToGeocentric(a, b, a, x, y, z),
                     x, y, z);
        EXPECT_CLEAN(Name("GeocentricToLatLong", a, b),
                     wgs84.GeocentricToLatLong(a, b, 6e6, lat, lon, h, true), lat, lon, h);
        EXPECT_CLEAN(Name("GeocentricToWGS84", a, b), wgs84.GeocentricToWGS84(a, b, a, x, y, z), x,
                     y, z);
        EXPECT_CLEAN(Name("WGS84ToGeocentric", a, b), wgs84.WGS84ToGeocentric(a, b, a, x, y, z), x,
                     y, z);

        GxGeoCoord coord(GxGeoAngle(10.0), GxGeoAngle(20.0), 0.0, held);
        bool ok = coord.SetGeocentricCoord(a, b, 6e6, true);
        ExpectClean(Name("SetGeocentricCoord", a, b), ok, Parts(coord));
        ok = coord.SetDirCos(a, b, 0.5, a);
        ExpectClean(Name("SetDirCos", a, b), ok, Parts(coord));
        GxGeoCoord fromBad(GxGeoAngle(a), GxGeoAngle(b), a, held);
        EXPECT_CLEAN(Name("GetGeocentricCoord", a, b), fromBad.GetGeocentricCoord(x, y, z, true), x,
                     y, z);
        double scalar;
        EXPECT_CLEAN(Name("GetDirCos", a, b), fromBad.GetDirCos(x, y, z, scalar), x, y, z, scalar);
    }
}

TEST(BadValues, Projections) {
    for (const testproj::Kind& made : testproj::Kinds()) {
        const GxSmartRef<GxProjection> projection = made.Make();
        const std::string kind = made.Name();
        for (const auto& [a, b] : BadPairs(45.0)) {
            double x = 0, y = 0, lat = 0, lon = 0, z = 0;
            GxGeoAngle latAngle(1.0, "N"), lonAngle(2.0, "E");
            gxVec3 out;
            GxGeoCoord coord;
            EXPECT_CLEAN(kind + Name(" LatLong2Proj", a, b),
                         projection->LatLong2Proj(GxGeoAngle(a), GxGeoAngle(b), x, y), x, y);
            EXPECT_CLEAN(kind + Name(" LatLong2Proj vec", a, b),
                         projection->LatLong2Proj(gxVec3(b, a, a), out), out[0], out[1], out[2]);
            EXPECT_CLEAN(kind + Name(" Proj2LatLong", a, b),
                         projection->Proj2LatLong(a, b, lat, lon), lat, lon);
            EXPECT_CLEAN(kind + Name(" Proj2LatLong angles", a, b),
                         projection->Proj2LatLong(a, b, latAngle, lonAngle), double(latAngle),
                         double(lonAngle));
            EXPECT_CLEAN(kind + Name(" Proj2LatLong vec", a, b),
                         projection->Proj2LatLong(gxVec3(a, b, a), out), out[0], out[1], out[2]);
            const bool ok = projection->Proj2GeoCoord(gxVec3(a, b, 0), coord);
            ExpectClean(kind + Name(" Proj2GeoCoord", a, b), ok, Parts(coord));
            const GxGeoCoord point(GxGeoAngle(a), GxGeoAngle(b), 0.0,
                                   GxSmartRef<GxEllipsoidBase>());
            EXPECT_CLEAN(kind + Name(" GeoCoord2Proj", a, b), projection->GeoCoord2Proj(point, out),
                         out[0], out[1], out[2]);
            projection->LLE2Proj(GxGeoAngle(a), GxGeoAngle(b), a, x, y, z);
            projection->Proj2LLE(a, b, a, lat, lon, z);
        }
        double x = 0, y = 0;
        const bool set = projection->SetLocalOrigin(kNan, 0, 0);
        EXPECT_CLEAN(kind + " with a NaN local origin",
                     set && projection->LatLong2Proj(GxGeoAngle(45.0), GxGeoAngle(9.0), x, y), x,
                     y);
    }
    int zone = 0;
    for (const double bad : BadValues())
        EXPECT_CLEAN("ZoneOfLong", GxUTMProjection().ZoneOfLong(bad, zone), double(zone));
}

TEST(BadValues, TransformsAndFrames) {
    for (const auto& [a, b] : BadPairs(2.0)) {
        GxAffineTransform2D affine;
        GxScaleOffsetTrans2D scaleOffset;
        GxTransform2D* transforms[] = {&affine, &scaleOffset};
        for (GxTransform2D* transform : transforms) {
            const std::string kind = transform->GetName();
            double x = 0, y = 0;
            EXPECT_CLEAN(kind + Name(" TransformTo", a, b), transform->TransformTo(a, b, x, y), x,
                         y);
            EXPECT_CLEAN(kind + Name(" TransformFrom", a, b), transform->TransformFrom(a, b, x, y),
                         x, y);
            transform->Set(a, b, a, b, a); // a map of bad values converts nothing
            EXPECT_CLEAN(kind + Name(" TransformTo after Set", a, b),
                         transform->TransformTo(1.0, 1.0, x, y), x, y);
            EXPECT_CLEAN(kind + Name(" TransformFrom after Set", a, b),
                         transform->TransformFrom(1.0, 1.0, x, y), x, y);
        }
        GxCoordFrame frame(a, b, a, b, GxSmartRef<GxCoordSys>(), a);
        frame.Update();
        if (const GxTransform2D* transform = frame.GetTransform()) {
            double x = 0, y = 0;
            EXPECT_CLEAN(Name("frame TransformTo", a, b), transform->TransformTo(1.0, 1.0, x, y), x,
                         y);
            EXPECT_CLEAN(Name("frame TransformFrom", a, b),
                         transform->TransformFrom(1.0, 1.0, x, y), x, y);
        }
    }
}
