#include <geoframe/geodesy/GxGeoAngle.h>

#include "CommaLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace {

std::string DmsText(const GxGeoAngle& angle, int precision) {
    char* text = angle.GetDMSString(precision);
    std::string result = text;
    angle.FreeString(text);
    return result;
}

GeoHemiType Hemi(const GxGeoAngle& angle) {
    GeoHemiType hemi = HEMI_NONE;
    angle.GetHemisphere(hemi);
    return hemi;
}

constexpr double kDms = 12.0 + 30.0 / 60.0 + 15.0 / 3600.0;

TEST(AngleText, ReadsTheHandTypedForms) {
    const struct {
        const char* text;
        double degrees;
        GeoHemiType hemi; // HEMI_NONE: the axis stayed unset
    } cases[] = {
        {"45.5", 45.5, HEMI_NONE},
        {"45.5S", -45.5, HEMI_SOUTH},
        {"45.5W", -45.5, HEMI_WEST},
        {"200", 200.0, HEMI_NONE},
        {"-33.5S", 33.5, HEMI_NORTH},
        {"1E2", 100.0, HEMI_EAST},
        {"45.5 S", -45.0, HEMI_SOUTH},
        {"12~30.5", 12.0 + 30.0 / 60.0 + 30.0 / 3600.0, HEMI_NONE},
        {"12 30.5", 12.0 + 30.0 / 60.0 + 30.0 / 3600.0, HEMI_NONE},
        {"12~30'15\"", kDms, HEMI_NONE},
        {"12d30m15sN", kDms, HEMI_NORTH},
        {"12 30 15", kDms, HEMI_NONE},
        {"12~30.9'0\"", 12.5, HEMI_NONE},
        {"12~30'15\"   W", -kDms, HEMI_WEST},
        {"12~30'15 s", kDms, HEMI_NONE},
        {"12~59.99999999", 13.0, HEMI_NONE},
        {"-12~59.99999999", -13.0, HEMI_NONE},
        {"N", 0.0, HEMI_NORTH},
        {"", 0.0, HEMI_NONE},
        {"abc", 0.0, HEMI_NONE},
        {"33~52'4.56\" S", -(33.0 + 52.0 / 60.0 + 4.56 / 3600.0), HEMI_SOUTH},
        {"190~0'0\"", -170.0, HEMI_NONE},
        // Angles between -1 and 0 keep their sign through every form.
        {"-0~30'0.00\"", -0.5, HEMI_NONE},
        {"0~30'0.00\" S", -0.5, HEMI_SOUTH},
        {"-0~30'0.00\" S", 0.5, HEMI_NORTH},
        {"0 30 W", -0.5, HEMI_WEST},
        {"-0 30.5", -(30.0 / 60.0 + 30.0 / 3600.0), HEMI_NONE},
        {"0~59.99999999S", -1.0, HEMI_SOUTH},
        {"0~30'0\"", 0.5, HEMI_NONE},
    };
    for (const auto& c : cases) {
        GxGeoAngle angle;
        EXPECT_TRUE(angle.SetDMSString(c.text)) << c.text;
        EXPECT_NEAR(angle.GetDecimalDegrees(), c.degrees, 1e-12) << c.text;
        EXPECT_EQ(Hemi(angle), c.hemi) << c.text;
    }
}

TEST(AngleText, RefusalsChangeNothing) {
    GxGeoAngle angle(10.0, "E");
    for (const char* text :
         {"12~30'15\" X", "12~30'15\"1", "12d30m15s X", static_cast<const char*>(nullptr)}) {
        EXPECT_FALSE(angle.SetDMSString(text));
        EXPECT_EQ(angle, GxGeoAngle(10.0, "E"));
    }
    // Text after the letter is ignored.
    EXPECT_TRUE(angle.SetDMSString("12~30'15\" Sxyz"));
    EXPECT_NEAR(angle.GetDecimalDegrees(), -kDms, 1e-12);
    EXPECT_EQ(Hemi(angle), HEMI_SOUTH);
}

TEST(AngleText, MalformedTextIsReadSafely) {
    // Marks out of order, huge numbers and stray characters never crash.
    for (const char* text : {"30'12~", "m~", "'", "~", "~'\"", "99999999999999999999~30'0\"",
                             "-99999999999999999999 59.99999999", "1e400", "12~30'15\"", "d", "12d",
                             "s", "   ", "\"~'", "12~'\"W", "12~99999999999999999'0\""}) {
        GxGeoAngle angle;
        angle.SetDMSString(text);
        char* written = angle.GetDMSString(3);
        EXPECT_NE(written, nullptr);
        angle.FreeString(written);
    }
    GxGeoAngle huge;
    EXPECT_TRUE(huge.SetDMSString("1e300"));
    EXPECT_EQ(huge.GetDecimalDegrees(), 1e300);
    EXPECT_FALSE(DmsText(huge, 2).empty());
}

TEST(AngleText, WritesTheCanonicalForm) {
    const struct {
        double degrees;
        const char* hemi;
        int precision;
        const char* text;
    } cases[] = {
        {-33.5, "S", 3, "33~30'0.000\" S"},
        {151.25, "E", 1, "151~15'0.0\" E"},
        {-10.5, nullptr, 2, "-10~30'0.00\""},
        {10.5, "N", 0, "10~30'0\" N"},
        {-0.5, nullptr, 2, "-0~30'0.00\""},
        {-0.5, "N", 2, "0~30'0.00\" S"},
        {-0.5, "E", 2, "0~30'0.00\" W"},
        {0.5, nullptr, 2, "0~30'0.00\""},
        {-0.99999999999, "N", 2, "1~0'0.00\" S"},
        {-0.99999999999, nullptr, 2, "-1~0'0.00\""},
        {-180.0, "E", 1, "180~0'0.0\" E"},
        {12.5 + 1.25 / 3600, nullptr, -1, "12~30'1.250000\""},
        {-179.999, "W", 20, "179~59'56.39999999998281055014\" W"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DmsText(GxGeoAngle(c.degrees, c.hemi), c.precision), c.text) << c.degrees;
    }
}

TEST(AngleText, LargePrecisionsAreWrittenInFull) {
    const GxGeoAngle angle(-179.999, "S");
    for (int precision : {21, 34, 100, 400}) {
        const std::string text = DmsText(angle, precision);
        EXPECT_EQ(text.substr(0, 10), "179~59'56.");
        EXPECT_EQ(text.substr(text.size() - 3), "\" S");
        EXPECT_EQ(text.size(), 10u + precision + 3) << precision;
    }
    EXPECT_EQ(DmsText(angle, 1 << 30).size(), 10u + 1074 + 3);
}

// Random angles on every axis, including (-1, 0), survive text and back.
TEST(AngleText, RandomRoundTrips) {
    std::mt19937_64 rng(20261206);
    std::uniform_real_distribution<double> wide(-180.0, 180.0);
    std::uniform_real_distribution<double> nearZero(-1.0, 1.0);
    for (const char* hemi : {static_cast<const char*>(nullptr), "N", "E"}) {
        for (int i = 0; i < 4000; ++i) {
            const double degrees = i % 4 == 0 ? nearZero(rng) : wide(rng);
            const GxGeoAngle angle(degrees, hemi);
            GxGeoAngle back;
            ASSERT_TRUE(back.SetDMSString(DmsText(angle, 8).c_str()));
            EXPECT_NEAR(back.GetDecimalDegrees(), degrees, 1e-11) << DmsText(angle, 8);
            EXPECT_EQ(Hemi(back), Hemi(angle)) << DmsText(angle, 8);
        }
    }
}

// The test suite compiles a German locale into the build tree when it can.
TEST(AngleText, IgnoresTheProcessLocale) {
    bool read;
    std::string written;
    GxGeoAngle angle;
    {
        const CommaLocale german;
        if (!german.Active())
            GTEST_SKIP() << "no comma-decimal locale available";
        read = angle.SetDMSString("45.25");
        written = DmsText(GxGeoAngle(-10.5), 2);
    }
    EXPECT_TRUE(read);
    EXPECT_EQ(angle.GetDecimalDegrees(), 45.25);
    EXPECT_EQ(written, "-10~30'0.00\"");
}

} // namespace
