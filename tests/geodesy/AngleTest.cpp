#include <geoframe/geodesy/GxGeoAngle.h>

#include "CommaLocale.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string DmsText(const GxGeoAngle& angle, int precision) {
    char* text = angle.GetDMSString(precision);
    std::string result = text;
    angle.FreeString(text);
    return result;
}

/// The first letter of the hemisphere's name ('-' for none), after checking that
/// the name and the enumerated hemisphere agree.
char Hemi(const GxGeoAngle& angle) {
    static const char* const kNames[] = {"-", "WEST", "EAST", "NORTH", "SOUTH"};
    char* text = angle.GetHemisphere();
    const std::string name = text ? text : "-";
    angle.FreeString(text);
    GeoHemiType type = HEMI_EAST;
    const bool set = angle.GetHemisphere(type);
    EXPECT_EQ(Values(set, name), Values(type != HEMI_NONE, kNames[type]));
    return name[0];
}

using Reader = bool (GxGeoAngle::*)(const char*);

/// Reads `text` into an angle and checks the degrees and the hemisphere.
void ExpectReads(const char* text, double degrees, char hemi, double tol = 1e-12,
                 Reader read = &GxGeoAngle::SetDMSString) {
    GxGeoAngle angle;
    EXPECT_TRUE((angle.*read)(text)) << text;
    EXPECT_NEAR(angle.GetDecimalDegrees(), degrees, tol) << text;
    EXPECT_EQ(Hemi(angle), hemi) << text;
}

TEST(GeoAngle, NormalisesIntoOneTurnExactly) {
    // Exactly modulo 360 however large (zeros positive), through the setter, the
    // constructor and the sums; latitudes wrap like longitudes.
    const double cases[][2] = {
        {190, -170},     {-190, 170}, {180, 180},  {-180, 180},   {360, 0},
        {-540, 180},     {540, -180}, {1e6, -80},  {1e17, -80},   {3.5e14 + 0.25, 80.25},
        {-0x1p60, -136}, {8e18, 80},  {-1e300, 0}, {DBL_MAX, 128}};
    for (const auto& c : cases) {
        GxGeoAngle set(0.0, "N");
        set.SetDecimalDegrees(c[0]);
        for (const double r : {double(set), double(GxGeoAngle(c[0])), double(GxGeoAngle() + c[0])})
            EXPECT_EQ(Values(r), Values(c[1])) << c[0]; // -0 and 0 differ as text
    }
    GxGeoAngle radians;
    EXPECT_TRUE(radians.SetRadians(-1.5 * 3.141592653589793));
    EXPECT_NEAR(radians.GetDecimalDegrees(), 90.0, 1e-13);
}

TEST(GeoAngle, DegreesMinutesSecondsAndTheirCarry) {
    // in, degrees, minutes, seconds: near a whole minute the carry goes away from
    // zero on the angle's own side.
    const double secs = 12.0 + 30.0 / 60 + 15.5 / 3600;
    const double cases[][4] = {
        {10.5, 10, 30, 0},          {-10.5, -10, 30, 0},        {10.999999999, 11, 0, 0},
        {-10.999999999, -11, 0, 0}, {-0.5, 0, 30, 0},           {179.999999999, 180, 0, 0},
        {secs, 12, 30, 15.5},       {-0.99999999999, -1, 0, 0}, {0.99999999999, 1, 0, 0}};
    for (const auto& c : cases) {
        int d = 99, m = 99;
        double s = 99;
        EXPECT_TRUE(GxGeoAngle(c[0]).GetDMS(d, m, s)) << c[0];
        EXPECT_EQ(Values(d, m), Values(c[1], c[2])) << c[0];
        EXPECT_NEAR(s, c[3], 1e-6) << c[0];
    }
    // The sign comes from the whole degrees alone; the axis stays.
    GxGeoAngle set(0.0, "W");
    for (const auto& c : {std::pair{-10, -10.5}, {10, 10.5}, {0, 0.5}, {190, -169.5}}) {
        EXPECT_TRUE(set.SetDMS(c.first, 30, 0.0)) << c.first;
        EXPECT_EQ(set.GetDecimalDegrees(), c.second) << c.first;
    }
    EXPECT_EQ(Hemi(set), 'W');
}

TEST(GeoAngle, HemisphereAxisComparisonAndArithmetic) {
    // The letter chooses the axis, never the sign; a null text keeps the axis.
    EXPECT_EQ((std::string{Hemi(GxGeoAngle(33.5, "S")), Hemi(GxGeoAngle(0.0, "n")),
                           Hemi(GxGeoAngle(-0.5, "e")), Hemi(GxGeoAngle(-0.5, "s")),
                           Hemi(GxGeoAngle(5.0))}),
              "NNWS-");
    GxGeoAngle b(10.0);
    std::string steps; // each setter's result and the hemisphere after it
    auto step = [&](bool ok) { steps += (ok ? " +" : " -") + std::string(1, Hemi(b)); };
    step(b.SetHemisphere(HEMI_SOUTH)), step(b.SetHemisphere("West"));
    step(b.SetHemisphere(static_cast<const char*>(nullptr))), step(b.SetHemisphere("x"));
    step(b.SetHemisphere(HEMI_NORTH)), step(b.SetHemisphere(static_cast<GeoHemiType>(17)));
    EXPECT_EQ(steps, " +N +E +E -- +N --");
    // Angles on different axes are unequal and unordered; NaN is unordered. The
    // comparisons that hold, as text:
    auto holds = [](const GxGeoAngle& a, const GxGeoAngle& b) {
        return std::string(a == b ? " ==" : "") + (a != b ? " !=" : "") + (a < b ? " <" : "") +
               (a <= b ? " <=" : "") + (a > b ? " >" : "") + (a >= b ? " >=" : "");
    };
    const GxGeoAngle lat(10.0, "N"), lat2(20.0, "N"), nan(NAN, "N");
    for (const GxGeoAngle& other :
         {GxGeoAngle(10.0, "E"), GxGeoAngle(20.0, "E"), GxGeoAngle(5.0), nan})
        EXPECT_EQ(holds(lat, other), " !=") << double(other);
    EXPECT_EQ(holds(lat, lat2) + " |" + holds(lat2, lat) + " |" +
                  holds(lat, GxGeoAngle(10.0, "S")) + " |" + holds(nan, nan),
              " != < <= | != > >= | == <= >= | !=");
    EXPECT_FALSE(lat == GxGeoAngle(10.0 + 1e-14, "N"));
    // Sums wrap and take the left operand's axis.
    const GxGeoAngle far(170.0, "N"), east(20.0, "E");
    EXPECT_EQ(Values(far + east == GxGeoAngle(-170.0, "N"), east - far == GxGeoAngle(-150.0, "W"),
                     far + 15.0 == GxGeoAngle(-175.0, "S"), 15.0 + east == GxGeoAngle(35.0, "E")),
              "true true true true");
}

TEST(AngleText, ReadsTheHandTypedForms) {
    // Decimal degrees are stored as read (200); a trailing S or W negates; text
    // after the letter is ignored (Sxyz); 2^58 degrees in seconds wrap exactly
    // (-56); angles between -1 and 0 keep their sign. Hemisphere '-': axis unset.
    const double dms = 12.0 + 30.0 / 60.0 + 15.0 / 3600.0, dm = 12.0 + 30.5 / 60.0;
    const double south = -(33.0 + 52.0 / 60.0 + 4.56 / 3600.0);
    const char* const huge = "0 0 1037629354146162278400";
    const std::tuple<const char*, double, char> cases[] = {
        {"45.5", 45.5, '-'},        {"45.5S", -45.5, 'S'},         {"N", 0.0, 'N'},
        {"45.5W", -45.5, 'W'},      {"-33.5S", 33.5, 'N'},         {"", 0.0, '-'},
        {"200", 200.0, '-'},        {"1e300", 1e300, 'E'},         {"abc", 0.0, '-'},
        {"1E2", 100.0, 'E'},        {"45.5 S", -45.0, 'S'},        {huge, -56.0, '-'},
        {"12~30.5", dm, '-'},       {"12 30.5", dm, '-'},          {"12~30'15\" Sxyz", -dms, 'S'},
        {"12~30'15\"", dms, '-'},   {"12d30m15sN", dms, 'N'},      {"12~30'15\"   W", -dms, 'W'},
        {"12 30 15", dms, '-'},     {"12~30'15 s", dms, '-'},      {"-12~59.99999999", -13.0, '-'},
        {"12~30.9'0\"", 12.5, '-'}, {"12~59.99999999", 13.0, '-'}, {"33~52'4.56\" S", south, 'S'},
        {"190~0'0\"", -170.0, '-'}, {"-0~30'0.00\" S", 0.5, 'N'},  {"0~59.99999999S", -1.0, 'S'},
        {"0 30 W", -0.5, 'W'},      {"-0 30.5", 12 - dm, '-'},     {"0~30'0\"", 0.5, '-'},
        {"45.5w", -45.5, 'W'},      {"45.5 s", -45.0, 'S'}};
    for (const auto& [text, degrees, hemi] : cases)
        ExpectReads(text, degrees, hemi);
}

TEST(AngleText, RefusesOnlyABadLetterAfterTheSecondsAndReadsAnythingSafely) {
    GxGeoAngle angle(10.0, "E");
    for (const char* text :
         {"12~30'15\" X", "12~30'15\"1", "12d30m15s X", static_cast<const char*>(nullptr)}) {
        EXPECT_FALSE(angle.SetDMSString(text)) << (text ? text : "null");
        EXPECT_EQ(angle, GxGeoAngle(10.0, "E")) << (text ? text : "null");
    }
    // Marks out of order, huge numbers and stray characters are read and written back.
    for (const char* text : {"30'12~", "m~", "'", "~", "~'\"", "99999999999999999999~30'0\"",
                             "-99999999999999999999 59.99999999", "1e400", "1e300", "d", "12d", "s",
                             "   ", "\"~'", "12~'\"W", "12~99999999999999999'0\""}) {
        GxGeoAngle any;
        any.SetDMSString(text);
        EXPECT_FALSE(DmsText(any, 3).empty()) << text;
    }
}

TEST(AngleText, WritesTheCanonicalFormRoundingTheSecondsOnce) {
    // Seconds that round to 60 carry into minutes and degrees, away from zero on the
    // angle's own side; seconds that round below 60 are written as before.
    const char* const no = nullptr; // no axis
    const std::tuple<double, const char*, int, const char*> cases[] = {
        {-0.5, no, 2, "-0~30'0.00\""},           {0.0003125, no, -1, "0~0'1.125000\""},
        {10.99986, no, 0, "10~59'59\""},         {10.5 - 1e-6, no, 2, "10~30'0.00\""},
        {-0.99999999, "N", 4, "1~0'0.0000\" S"}, {10.9999999999, no, -1, "11~0'0.000000\""},
        {-10.9999, no, 0, "-11~0'0\""},          {-0.5, "E", 2, "0~30'0.00\" W"},
        {-179.9999999, no, 3, "-180~0'0.000\""}, {89.99999999, "S", 4, "90~0'0.0000\" N"},
        {0.99999999, "N", 4, "1~0'0.0000\" N"},  {-179.9999999, "E", 2, "180~0'0.00\" W"},
        {-10.5, no, 2, "-10~30'0.00\""},         {-0.9999, "E", 0, "1~0'0\" W"},
        {-33.5, "S", 3, "33~30'0.000\" S"},      {-180.0, "E", 1, "180~0'0.0\" E"}};
    for (const auto& [degrees, hemi, precision, text] : cases)
        EXPECT_EQ(DmsText(GxGeoAngle(degrees, hemi), precision), text) << degrees;
    // Every digit asked for is written, up to the 1074 a double can have.
    EXPECT_EQ(DmsText(GxGeoAngle(-179.999, "W"), 20), "179~59'56.39999999998281055014\" W");
    for (int precision : {21, 34, 100, 400, 1 << 30}) {
        const std::string text = DmsText(GxGeoAngle(-179.999, "S"), precision);
        EXPECT_EQ(Values(text.substr(0, 10), text.substr(text.size() - 3), text.size()),
                  Values("179~59'56.", "\" S", 13u + std::min(precision, 1074)));
    }
    // Random angles on every axis, a quarter in (-1, 1) and a quarter just below a
    // whole minute, at every precision that can round to 60: both readers give the
    // angle and its axis back within half a unit of the last digit (plus the 1e-7
    // minute GetDMS rounds to a whole minute), and the strict one, which refuses
    // minutes or seconds of 60, reads every text.
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> wide(-180.0, 180.0), nearZero(-1, 1), below(0, 1e-3);
    std::uniform_int_distribution<int> minute(-180 * 60, 180 * 60);
    for (int i = 0; i < 24000; ++i) {
        const double degrees = i % 4 == 0   ? nearZero(rng)
                               : i % 4 == 1 ? (minute(rng) - below(rng) / 60) / 60
                                            : wide(rng);
        const bool latitude = i % 3 == 1 && std::fabs(degrees) <= 90;
        const GxGeoAngle angle(degrees, i % 3 == 0 ? nullptr : latitude ? "N" : "E");
        const int precision = i % 7 - 1;
        const std::string text = DmsText(angle, precision);
        const double unit = std::pow(10.0, -(precision < 0 ? 6 : precision));
        const Reader strict = &GxGeoAngle::SetAngleText;
        for (const Reader read : {&GxGeoAngle::SetDMSString, strict}) {
            GxGeoAngle back;
            ASSERT_TRUE((back.*read)(text.c_str())) << text;
            const double error = std::remainder(back.GetDecimalDegrees() - degrees, 360.0) * 3600;
            ASSERT_LE(std::fabs(error), 0.5 * unit + 6e-6 + 1e-9) << degrees << " -> " << text;
            if (double(back) != 0) { // "0~0'0\" S" reads as north
                ASSERT_EQ(Hemi(back), Hemi(angle)) << text;
            }
        }
    }
}

TEST(AngleText, StrictReaderTakesTheTypedForms) {
    // Hemisphere '-': axis unset. The sign belongs to the whole angle; S and W
    // negate; decimal degrees wrap; a lowercase s right after the seconds is their
    // mark; e or E is an exponent only when a digit follows.
    const double dm = 12.0 + 30.5 / 60, dms = 12.0 + 30.0 / 60 + 15.0 / 3600;
    const double london = 51.0 + 30.0 / 60 + 26.0 / 3600, sydney = 33.0 + 52.0 / 60 + 4.56 / 3600;
    const double colons = dms + 0.5 / 3600, west = -(59.0 / 60 + 59.5 / 3600);
    const char *const marked = "51\u00b030'26\"N", *const spaced = "51\u00b0 30\u2032 26\u2033 N";
    const std::tuple<const char*, double, char> cases[] = {
        {"-33.8679", -33.8679, '-'}, {"33.8679S", -33.8679, 'S'}, {" \t33.8679 s\n", -33.8679, 'S'},
        {"N51.5", 51.5, 'N'},        {"n 51.5", 51.5, 'N'},       {"W0.1275", -0.1275, 'W'},
        {"+45.5e", 45.5, 'E'},       {"51.5\u00b0N", 51.5, 'N'},  {"-0~30'", -0.5, '-'},
        {"200", -160.0, '-'},        {"200E", -160.0, 'W'},       {"180~0'0.00\" W", 180.0, 'E'},
        {"90N", 90.0, 'N'},          {"90~0'0\" s", -90.0, 'S'},  {"1E2", 100.0, '-'},
        {"12.5e-1N", 1.25, 'N'},     {"12e", 12.0, 'E'},          {".5", 0.5, '-'},
        {"45.", 45.0, '-'},          {"12~30.5", dm, '-'},        {"12 30.5", dm, '-'},
        {"12d30.5m", dm, '-'},       {"12 30.5s", -dm, 'S'},      {"12:30:15.5", colons, '-'},
        {"12d30m15sN", dms, 'N'},    {"12d30m15ss", -dms, 'S'},   {"12 30 15s", dms, '-'},
        {"12 30 15 s", -dms, 'S'},   {"12~ 30' 15\"", dms, '-'},  {"S 33 52 4.56", -sydney, 'S'},
        {"0 59 59.5 W", west, 'W'},  {marked, london, 'N'},       {spaced, london, 'N'}};
    for (const auto& [text, degrees, hemi] : cases)
        ExpectReads(text, degrees, hemi, 1e-12, &GxGeoAngle::SetAngleText);

    // No letter keeps the axis, and a latitude kept stays within 90 degrees; a
    // plain number, exponent signed or not, reads exactly as SetDecimalDegrees of
    // its value (-720 as +0).
    GxGeoAngle kept(0.0, "E"), latitude(0.0, "N"), plain;
    EXPECT_TRUE(kept.SetAngleText("-10"));
    EXPECT_EQ(kept, GxGeoAngle(-10.0, "W"));
    EXPECT_FALSE(latitude.SetAngleText("100"));
    EXPECT_TRUE(latitude.SetAngleText("-90"));
    EXPECT_EQ(latitude, GxGeoAngle(-90.0, "S"));
    for (const char* text : {"-7.2e2", "0.1", "-2.5e-300", "1.2345678901234567e+300", "-4.4E17"}) {
        EXPECT_TRUE(plain.SetAngleText(text)) << text;
        EXPECT_EQ(Values(double(plain)), Values(double(GxGeoAngle(std::strtod(text, nullptr)))))
            << text;
    }
}

TEST(AngleText, StrictReaderRefusesAndLeavesTheAngle) {
    const std::string huge = "1" + std::string(400, '0');
    const std::vector<std::vector<const char*>> refused = {
        // No number, bad signs and points, numbers a double cannot hold.
        {"", "   ", "N", "abc", "north", "nan", "inf", "--45", "+-45", "- 45", "45..5", "45.5.5",
         "4-5", "1e999", "1e-400", huge.c_str(), "12e+", nullptr},
        // Marks doubled, out of order or misplaced; fractions before the last part.
        {"12d30d15sN", "12'30", "12~~30", "12~30~", "30'12~", "12m", "12 30d", "12 30 15m", "12\"",
         "12\xc2\xb0\xc2\xb0", "12 30 15\"\"", "12~:30", "12: 30", "12:30:", "12.5 30",
         "12~30.5'15\"", "1e5~30'"},
        // Minutes or seconds out of range, latitudes beyond 90, leftovers.
        {"12 -30", "12 60", "12 30 60", "12~60'", "91N", "90~0'0.01\"S", "109~23'20.2\" N",
         "12 30 15 40", "45.5x", "12 30 15 N x", "\xc2"},
        // Two letters, a sign with S or W, a minus with N or E.
        {"N51.5S", "NS45", "51.5NS", "S33 E151", "S-33", "-33S", "+33S", "-33N", "-10E"}};
    for (const auto& group : refused) {
        for (const char* text : group) {
            GxGeoAngle angle(10.0, "E");
            EXPECT_FALSE(angle.SetAngleText(text)) << (text ? text : "null");
            EXPECT_EQ(angle, GxGeoAngle(10.0, "E")) << (text ? text : "null");
        }
    }
    EXPECT_FALSE(GxGeoAngle().SetAngleText(std::string_view("12\0N", 4))); // read whole
}

TEST(AngleText, IgnoresTheProcessLocale) {
    const CommaLocale german;
    if (!german.Active())
        GTEST_SKIP() << "no comma-decimal locale available";
    ExpectReads("45.25", 45.25, '-', 0.0);
    ExpectReads("45.25", 45.25, '-', 0.0, &GxGeoAngle::SetAngleText);
    EXPECT_EQ(DmsText(GxGeoAngle(-10.5), 2), "-10~30'0.00\"");
}

} // namespace
