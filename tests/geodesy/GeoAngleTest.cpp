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
    // Exactly modulo 360 however large (zeros positive), through the constructor,
    // the setter and the sums.
    const struct {
        double in, out;
    } cases[] = {{190, -170},       {-190, 170},
                 {180, 180},        {-180, 180},
                 {360, 0},          {-360, 0},
                 {720, 0},          {-540, 180},
                 {540, -180},       {179.5, 179.5},
                 {1e6, -80},        {-1e6, 80},
                 {3.6e12 + 90, 90}, {3.5e14 + 0.25, 80.25},
                 {1e17, -80},       {4e18, 40},
                 {8e18, 80},        {-1.152921504606847e18, -136},
                 {-1e300, 0},       {1.7976931348623157e308, 128}};
    for (const auto& c : cases) {
        GxGeoAngle set(0.0, "E");
        set.SetDecimalDegrees(c.in);
        const double results[] = {set.GetDecimalDegrees(), GxGeoAngle(c.in).GetDecimalDegrees(),
                                  double(GxGeoAngle() + c.in)};
        for (const double r : results)
            EXPECT_TRUE(r == c.out && !std::signbit(r) == (c.out >= 0)) << c.in << " " << r;
    }
    GxGeoAngle text; // 225 * 2^62 seconds: 2^58 degrees
    EXPECT_TRUE(text.SetDMSString("0 0 1037629354146162278400") && double(text) == -56);
    EXPECT_TRUE(std::isnan(GxGeoAngle(std::nan("")).GetDecimalDegrees()));
    EXPECT_TRUE(
        std::isnan(GxGeoAngle(std::numeric_limits<double>::infinity()).GetDecimalDegrees()));
    EXPECT_EQ(GxGeoAngle(100.0, "N").GetDecimalDegrees(), 100.0); // latitudes are not clamped
    GxGeoAngle radians;
    radians.SetRadians(-3.0 * 3.141592653589793 / 2.0);
    EXPECT_DOUBLE_EQ(radians.GetDecimalDegrees(), 90.0);
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
        {-0.5, 0, 30, 0.0},
        {179.999999999, 180, 0, 0.0},
        {12.0 + 30.0 / 60 + 15.5 / 3600, 12, 30, 15.5},
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
    GxGeoAngle set(0.0, "W");
    const struct {
        int d, m;
        double s, out;
    } sets[] = {{-10, 30, 0.0, -10.5}, {10, 30, 0.0, 10.5}, {0, 30, 0.0, 0.5}, {190, 0, 0.0, -170}};
    for (const auto& c : sets) {
        set.SetDMS(c.d, c.m, c.s);
        EXPECT_EQ(set.GetDecimalDegrees(), c.out);
    }
    EXPECT_EQ(Hemisphere(set), "WEST"); // the axis survives
}

TEST(GeoAngle, HemisphereFollowsAxisAndSign) {
    EXPECT_EQ(Hemisphere(GxGeoAngle(33.5, "S")), "NORTH"); // the letter never flips the sign
    EXPECT_EQ(Hemisphere(GxGeoAngle(0.0, "n")), "NORTH");
    EXPECT_EQ(Hemisphere(GxGeoAngle(-0.5, "e")), "WEST");
    EXPECT_EQ(Hemisphere(GxGeoAngle(-0.5, "s")), "SOUTH");
    EXPECT_EQ(Hemisphere(GxGeoAngle(5.0)), "(null)");

    GeoHemiType hemi = HEMI_EAST;
    EXPECT_FALSE(GxGeoAngle(5.0).GetHemisphere(hemi));
    EXPECT_EQ(hemi, HEMI_NONE);

    GxGeoAngle b(10.0);
    EXPECT_TRUE(b.SetHemisphere(HEMI_SOUTH));
    EXPECT_TRUE(b.GetHemisphere(hemi));
    EXPECT_EQ(hemi, HEMI_NORTH);
    EXPECT_TRUE(b.SetHemisphere("West"));
    EXPECT_TRUE(b.SetHemisphere(static_cast<const char*>(nullptr))); // axis kept
    EXPECT_EQ(Hemisphere(b), "EAST");
    EXPECT_FALSE(b.SetHemisphere("x"));
    EXPECT_EQ(Hemisphere(b), "(null)");
    EXPECT_TRUE(b.SetHemisphere(HEMI_NORTH));
    EXPECT_FALSE(b.SetHemisphere(static_cast<GeoHemiType>(17)));
    EXPECT_FALSE(b.GetHemisphere(hemi));
}

TEST(GeoAngle, ComparisonAndArithmeticRespectTheAxis) {
    const GxGeoAngle lat(10.0, "N"), lon(10.0, "E"), lat2(20.0, "N"), none(10.0);
    for (const GxGeoAngle& other : {lon, none}) {
        EXPECT_TRUE(lat != other);
        EXPECT_FALSE(lat == other || lat < other || lat <= other || lat > other || lat >= other);
    }
    EXPECT_TRUE(lat < lat2 && lat <= lat2 && lat2 > lat && lat >= GxGeoAngle(10.0, "S"));
    EXPECT_FALSE(lat == GxGeoAngle(10.0 + 1e-14, "N"));
    const GxGeoAngle nan(std::nan(""), "N");
    EXPECT_TRUE(nan != nan);
    EXPECT_FALSE(nan == nan || nan < lat || nan <= lat || nan > lat || nan >= lat);

    // Sums wrap and take the left operand's axis.
    const GxGeoAngle far(170.0, "N"), east(20.0, "E");
    EXPECT_EQ(far + east, GxGeoAngle(-170.0, "N"));
    EXPECT_EQ(east - far, GxGeoAngle(-150.0, "W"));
    EXPECT_EQ(far + 15.0, GxGeoAngle(-175.0, "S"));
    EXPECT_EQ(15.0 + east, GxGeoAngle(35.0, "E"));
}

} // namespace
