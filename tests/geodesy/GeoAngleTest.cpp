#include <geoframe/geodesy/GxGeoAngle.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

std::string Hemisphere(const GxGeoAngle& angle) {
    char* text = angle.GetHemisphere();
    std::string result = text ? text : "(null)";
    angle.FreeString(text);
    return result;
}

TEST(GeoAngle, NormalisesIntoOneTurn) {
    const struct {
        double in, out;
    } cases[] = {{190, -170},        {-190, 170},      {180, 180},  {-180, 180},
                 {360, 0},           {720, 0},         {-540, 180}, {540, -180},
                 {179.5, 179.5},     {-179.5, -179.5}, {0, 0},      {1e6, 280 - 360},
                 {-1e6, -280 + 360}, {3.6e12 + 90, 90}};
    for (const auto& c : cases) {
        EXPECT_EQ(GxGeoAngle(c.in).GetDecimalDegrees(), c.out) << c.in;
        GxGeoAngle set(0.0, "E");
        set.SetDecimalDegrees(c.in);
        EXPECT_EQ(set.GetDecimalDegrees(), c.out) << c.in;
    }
    EXPECT_TRUE(std::isnan(GxGeoAngle(std::nan("")).GetDecimalDegrees()));
    // Far beyond a 32-bit turn count and infinite inputs give no undefined behaviour.
    EXPECT_LE(std::fabs(GxGeoAngle(1e300).GetDecimalDegrees()), 180.0);
    EXPECT_TRUE(
        std::isnan(GxGeoAngle(std::numeric_limits<double>::infinity()).GetDecimalDegrees()));
    // Latitudes wrap like longitudes; they are not clamped.
    EXPECT_EQ(GxGeoAngle(100.0, "N").GetDecimalDegrees(), 100.0);
}

TEST(GeoAngle, RadiansAndDegrees) {
    GxGeoAngle a(90.0);
    EXPECT_EQ(a.GetRadians(), 90.0 * 3.141592653589793 / 180.0);
    EXPECT_DOUBLE_EQ(a.GetSin(), 1.0);
    EXPECT_NEAR(a.GetCos(), 0.0, 1e-16);
    a.SetRadians(-3.0 * 3.141592653589793 / 2.0);
    EXPECT_DOUBLE_EQ(a.GetDecimalDegrees(), 90.0);
    EXPECT_EQ(static_cast<float>(GxGeoAngle(0.1)), 0.1f);
    EXPECT_EQ(static_cast<double>(GxGeoAngle(0.1)), 0.1);
}

TEST(GeoAngle, DegreesMinutesSecondsAndTheirCarry) {
    const struct {
        double in;
        int d, m;
        double s;
    } cases[] = {
        {10.5, 10, 30, 0.0},
        {-10.5, -10, 30, 0.0},
        {10.999999999, 11, 0, 0.0},
        {-10.999999999, -11, 0, 0.0},
        {10.25, 10, 15, 0.0},
        {0.0, 0, 0, 0.0},
        {-0.5, 0, 30, 0.0},
        {179.999999999, 180, 0, 0.0},
        // Near -1 the carry goes away from zero on the angle's own side.
        {-0.99999999999, -1, 0, 0.0},
        {0.99999999999, 1, 0, 0.0},
    };
    for (const auto& c : cases) {
        int d = 99, m = 99;
        double s = 99;
        EXPECT_TRUE(GxGeoAngle(c.in).GetDMS(d, m, s));
        EXPECT_EQ(d, c.d) << c.in;
        EXPECT_EQ(m, c.m) << c.in;
        EXPECT_NEAR(s, c.s, 1e-6) << c.in;
    }
    int d, m;
    double s;
    GxGeoAngle(12.0 + 30.0 / 60 + 15.5 / 3600).GetDMS(d, m, s);
    EXPECT_EQ(d, 12);
    EXPECT_EQ(m, 30);
    EXPECT_NEAR(s, 15.5, 1e-9);

    GxGeoAngle set(0.0, "W");
    set.SetDMS(-10, 30, 0.0);
    EXPECT_EQ(set.GetDecimalDegrees(), -10.5);
    set.SetDMS(10, 30, 0.0);
    EXPECT_EQ(set.GetDecimalDegrees(), 10.5);
    set.SetDMS(0, 30, 0.0);
    EXPECT_EQ(set.GetDecimalDegrees(), 0.5);
    set.SetDMS(190, 0, 0.0);
    EXPECT_EQ(set.GetDecimalDegrees(), -170.0);
    GeoHemiType hemi;
    EXPECT_TRUE(set.GetHemisphere(hemi));
    EXPECT_EQ(hemi, HEMI_WEST);
}

TEST(GeoAngle, HemisphereFollowsAxisAndSign) {
    GxGeoAngle a(33.5, "S");
    EXPECT_EQ(a.GetDecimalDegrees(), 33.5);
    EXPECT_EQ(Hemisphere(a), "NORTH");

    GeoHemiType hemi = HEMI_EAST;
    EXPECT_FALSE(GxGeoAngle(5.0).GetHemisphere(hemi));
    EXPECT_EQ(hemi, HEMI_NONE);
    EXPECT_EQ(Hemisphere(GxGeoAngle(5.0)), "(null)");
    EXPECT_EQ(Hemisphere(GxGeoAngle(0.0, "n")), "NORTH");
    EXPECT_EQ(Hemisphere(GxGeoAngle(-0.5, "e")), "WEST");
    EXPECT_EQ(Hemisphere(GxGeoAngle(-0.5, "s")), "SOUTH");
    EXPECT_EQ(Hemisphere(GxGeoAngle(0.0, "w")), "EAST");

    GxGeoAngle b(10.0);
    EXPECT_TRUE(b.SetHemisphere(HEMI_SOUTH));
    EXPECT_TRUE(b.GetHemisphere(hemi));
    EXPECT_EQ(hemi, HEMI_NORTH);
    EXPECT_TRUE(b.SetHemisphere("West"));
    EXPECT_TRUE(b.GetHemisphere(hemi));
    EXPECT_EQ(hemi, HEMI_EAST);
    EXPECT_TRUE(b.SetHemisphere(static_cast<const char*>(nullptr)));
    EXPECT_EQ(Hemisphere(b), "EAST");
    EXPECT_FALSE(b.SetHemisphere("x"));
    EXPECT_EQ(Hemisphere(b), "(null)");
    EXPECT_FALSE(b.SetHemisphere(""));
    EXPECT_TRUE(b.SetHemisphere(HEMI_NORTH));
    EXPECT_FALSE(b.SetHemisphere(HEMI_NONE));
    EXPECT_FALSE(b.SetHemisphere(static_cast<GeoHemiType>(17)));
    EXPECT_FALSE(b.GetHemisphere(hemi));
    b.FreeString(nullptr);
}

TEST(GeoAngle, ComparisonNeedsTheSameAxis) {
    const GxGeoAngle lat(10.0, "N"), lon(10.0, "E"), lat2(20.0, "N"), none(10.0);
    EXPECT_FALSE(lat == lon);
    EXPECT_TRUE(lat != lon);
    EXPECT_FALSE(lat == none);
    for (const GxGeoAngle& other : {lon, none}) {
        EXPECT_FALSE(lat < other);
        EXPECT_FALSE(lat <= other);
        EXPECT_FALSE(lat > other);
        EXPECT_FALSE(lat >= other);
    }
    EXPECT_TRUE(lat < lat2);
    EXPECT_TRUE(lat <= lat2);
    EXPECT_TRUE(lat2 > lat);
    EXPECT_TRUE(lat >= GxGeoAngle(10.0, "S"));
    EXPECT_TRUE(lat == GxGeoAngle(10.0, "S"));
    EXPECT_FALSE(lat == GxGeoAngle(10.0 + 1e-14, "N"));

    const GxGeoAngle nan(std::nan(""), "N");
    EXPECT_FALSE(nan == nan);
    EXPECT_TRUE(nan != nan);
    EXPECT_FALSE(nan < lat || nan <= lat || nan > lat || nan >= lat);
}

TEST(GeoAngle, ArithmeticWrapsAndKeepsTheLeftAxis) {
    const GxGeoAngle lat(170.0, "N"), lon(20.0, "E");
    const GxGeoAngle sum = lat + lon;
    EXPECT_EQ(sum.GetDecimalDegrees(), -170.0);
    EXPECT_EQ(sum, GxGeoAngle(-170.0, "N"));
    const GxGeoAngle difference = lon - lat;
    EXPECT_EQ(difference.GetDecimalDegrees(), -150.0);
    EXPECT_EQ(difference, GxGeoAngle(-150.0, "W"));
    EXPECT_EQ((lat + 15.0), GxGeoAngle(-175.0, "S"));
    EXPECT_EQ((15.0 + lon), GxGeoAngle(35.0, "E"));
}

} // namespace
