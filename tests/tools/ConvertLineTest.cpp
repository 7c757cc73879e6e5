// geoframe-convert in process: reading lines, the command line, and the
// conversions between every kind of coordinates.

#include "Converter.h"
#include "LineParser.h"
#include "Options.h"

#include <geoframe/geodesy/GxDatum.h>
#include <geoframe/geodesy/GxEllipsoid.h>

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace geoframe::convert;

namespace {

std::unique_ptr<Converter> Make(std::vector<const char*> args) {
    Options options;
    std::string error;
    EXPECT_TRUE(ParseOptions(static_cast<int>(args.size()), args.data(), options, error)) << error;
    std::unique_ptr<Converter> converter = Converter::Create(options, error);
    EXPECT_TRUE(converter) << error;
    return converter;
}

std::string Convert(Converter& converter, const std::string& line, bool expectOk = true) {
    std::string out, reason;
    EXPECT_EQ(converter.ConvertLine(line, out, reason), expectOk) << line << ": " << reason;
    return out;
}

std::vector<double> Numbers(const std::string& text) {
    std::vector<double> values;
    double v;
    int used = 0;
    const char* p = text.c_str();
    while (std::sscanf(p, "%lf%n", &v, &used) == 1) {
        values.push_back(v);
        p += used;
    }
    return values;
}

} // namespace

TEST(ConvertLine, FieldsSeparatorsAndCarriedText) {
    const struct {
        const char* line;
        FieldKind kind;
        double a, b, c;
        bool height;
        const char* rest;
    } good[] = {
        {"45.5 7.25", FieldKind::Geographic, 45.5, 7.25, 0, false, ""},
        {"  45.5\t7.25  100  ", FieldKind::Geographic, 45.5, 7.25, 100, true, ""},
        {"45.5,7.25,100,Name, with comma", FieldKind::Geographic, 45.5, 7.25, 100, true,
         "Name, with comma"},
        {"45.5 , 7.25 , Paris  France", FieldKind::Geographic, 45.5, 7.25, 0, false,
         "Paris  France"},
        {"33~52'4.56\"S 151~12'36\"E", FieldKind::Geographic, -33.8679333333, 151.21, 0, false, ""},
        {"12d30m15sN +45.5W 3", FieldKind::Geographic, 12.5041666667, -45.5, 3, true, ""},
        {"1 2 3 4", FieldKind::Cartesian, 1, 2, 3, true, "4"},
        {"500000 0 12x", FieldKind::Projected, 500000, 0, 0, false, "12x"},
        {"500000,0,5,a b,56S", FieldKind::ProjectedZone, 500000, 0, 5, true, "a b"},
    };
    for (const auto& c : good) {
        ParsedLine p;
        ASSERT_TRUE(ParseLine(c.line, c.kind, p)) << c.line << ": " << p.error;
        EXPECT_NEAR(p.values[0], c.a, 1e-9) << c.line;
        EXPECT_NEAR(p.values[1], c.b, 1e-9) << c.line;
        EXPECT_EQ(p.values[2], c.c) << c.line;
        EXPECT_EQ(p.hasHeight, c.height) << c.line;
        EXPECT_EQ(p.rest, c.rest) << c.line;
    }
    ParsedLine zone;
    ASSERT_TRUE(ParseLine("1 2 60n", FieldKind::ProjectedZone, zone));
    EXPECT_TRUE(zone.zone == 60 && !zone.south && zone.rest.empty());

    const struct {
        const char* line;
        FieldKind kind;
        const char* error;
    } bad[] = {
        {"45.5", FieldKind::Geographic, "too few fields"},
        {"45.5,,7", FieldKind::Geographic, "empty field"},
        {"45.5,7,", FieldKind::Geographic, "empty field"},
        {"abc 7", FieldKind::Geographic, "not a number or an angle"},
        {"N 7", FieldKind::Geographic, "not a number or an angle"}, // no digit
        {"nan 7", FieldKind::Geographic, "not a finite number"},
        {"45 inf", FieldKind::Geographic, "not a finite number"},
        {"45 7 nan", FieldKind::Geographic, "not a finite number"},
        {"90.0001 7", FieldKind::Geographic, "latitude outside -90 to 90 degrees"},
        {"1 2", FieldKind::Cartesian, "too few fields"},
        {"1 2 x", FieldKind::Cartesian, "not a number"},
        {"12d 7", FieldKind::Projected, "not a number"}, // angle text is no metre value
        {"1e999 2", FieldKind::Projected, "not a number"},
        {"1 2 3x", FieldKind::ProjectedZone, "not a UTM zone (such as 32n or 56s)"},
        {"1 2 61s", FieldKind::ProjectedZone, "not a UTM zone (such as 32n or 56s)"},
        {"1 32n", FieldKind::ProjectedZone, "too few fields"},
    };
    for (const auto& c : bad) {
        ParsedLine p;
        EXPECT_FALSE(ParseLine(c.line, c.kind, p)) << c.line;
        EXPECT_STREQ(p.error, c.error) << c.line;
    }
    EXPECT_TRUE(IsPassThrough("") && IsPassThrough(" \t") && IsPassThrough("  # note"));
    EXPECT_FALSE(IsPassThrough("1 # 2"));
}

TEST(ConvertLine, CommandLine) {
    Options o;
    std::string error;
    const char* full[] = {"--ellipsoid=clrk66",
                          "--to-ellipsoid",
                          "WGS84",
                          "--dms=2",
                          "--precision",
                          "4",
                          "--threads=3",
                          "--origin",
                          "1,2,3",
                          "stere:90,0,k=0.994",
                          "geo"};
    ASSERT_TRUE(ParseOptions(11, full, o, error)) << error;
    EXPECT_TRUE(o.ellipsoid == "clrk66" && o.toEllipsoid == "WGS84" && o.dms &&
                o.dmsPrecision == 2 && o.precision == 4 && o.threads == 3 && o.hasOrigin &&
                o.origin[2] == 3 && o.from.useK0 && o.from.k0 == 0.994 && o.from.angles[0] == 90);

    const std::vector<std::vector<const char*>> bad = {
        {},
        {"geo"},
        {"geo", "utm:32n", "extra"},
        {"geo", "utm:0n"},
        {"geo", "utm:61"},
        {"geo", "utm:32x"},
        {"geo", "lcc:1,2,3"},
        {"geo", "lcc:1,2,3,abc"},
        {"geo:1", "ecef"},
        {"geo", "stere:90,0,k=-1"},
        {"geo", "mercator"},
        {"utm:auto", "utm:auto"},
        {"--threads", "0", "geo", "ecef"},
        {"--precision", "13", "geo", "ecef"},
        {"--dms=x", "geo", "geo"},
        {"--dms", "geo", "ecef"},
        {"--origin", "1,2", "geo", "utm:32"},
        {"--origin", "1,2,3", "geo", "ecef"},
        {"--bogus", "geo", "ecef"},
        {"--help=1"},
        {"--ellipsoid"},
        {"--list-ellipsoids", "geo", "ecef"},
    };
    for (const auto& args : bad) {
        EXPECT_FALSE(ParseOptions(static_cast<int>(args.size()), args.data(), o, error))
            << (args.empty() ? "(none)" : args.back());
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

// Every kind of coordinates to geographic and back, on two ellipsoids, with and
// without a local origin: the point returns within a millimetre, with its text.
TEST(ConvertLine, EveryKindRoundTrips) {
    const char* kinds[] = {"ecef",           "utm:32n",        "utm:auto",
                           "lcc:45,9,40,50", "aea:45,9,40,50", "stere:45,9,k=0.9996",
                           "stere:45,9,60",  "flat:45,9",      "trap:45,9"};
    const struct {
        const char* line;
        const char* text;
    } points[] = {
        {"45.5 9.25 120 A", "A"}, {"44.9 8.5 -3 B C", "B C"}, {"46.1234567 10.7654321 0", ""}};
    for (const char* ellipsoid : {"WGS84", "intl"}) {
        for (const char* origin : {"", "1000,-2000,50"}) {
            for (const char* kind : kinds) {
                std::vector<const char*> args = {"--ellipsoid", ellipsoid, "--precision", "6"};
                const bool projected = std::string(kind) != "ecef";
                if (*origin && !projected)
                    continue;
                if (*origin) {
                    args.push_back("--origin");
                    args.push_back(origin);
                }
                std::vector<const char*> forward = args, inverse = args;
                forward.insert(forward.end(), {"geo", kind});
                inverse.insert(inverse.end(), {kind, "geo"});
                auto there = Make(forward), back = Make(inverse);
                for (const auto& point : points) {
                    const std::string mapped = Convert(*there, point.line);
                    const std::string returned = Convert(*back, mapped);
                    const std::vector<double> in = Numbers(point.line), out = Numbers(returned);
                    ASSERT_GE(out.size(), 3u) << kind << ' ' << returned;
                    EXPECT_NEAR(out[0], in[0], 1e-8) << kind << ' ' << mapped;
                    EXPECT_NEAR(out[1], in[1], 1e-8) << kind << ' ' << mapped;
                    EXPECT_NEAR(out[2], in[2], 1e-3) << kind << ' ' << mapped;
                    const std::string coords =
                        returned.substr(0, returned.find_last_of("0123456789") + 1);
                    EXPECT_EQ(returned.substr(std::min(returned.size(), coords.size() + 1)),
                              point.text)
                        << returned;
                }
            }
        }
    }
}

// The fast fixed-point writer gives exactly what std::to_chars (and printf) give:
// ties to even on the exact binary value, signed zeros, every magnitude.
TEST(ConvertLine, FixedNumbersAsPrintf) {
    std::mt19937_64 random(3);
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.125,
                                  0.375,
                                  2.5,
                                  -2.5,
                                  1e-300,
                                  -1e-7,
                                  5e-13,
                                  1e15,
                                  9.2e17,
                                  1.7e308,
                                  4503599627370497.0};
    for (int i = 0; i < 20000; ++i) {
        const double scale = std::pow(10.0, static_cast<int>(random() % 40) - 20);
        values.push_back((static_cast<double>(random() % 2000001) / 1000.0 - 1000.0) * scale);
        values.push_back(
            std::ldexp(static_cast<double>(random() % 4096), -static_cast<int>(random() % 14)));
    }
    for (const double value : values) {
        for (int decimals = 0; decimals <= 12; ++decimals) {
            char buffer[400];
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                           std::chars_format::fixed, decimals)
                                 .ptr;
            std::string mine;
            AppendFixed(mine, value, decimals);
            ASSERT_EQ(mine, std::string(buffer, end)) << value << " at " << decimals;
        }
    }
}

TEST(ConvertLine, OutputForms) {
    auto utm = Make({"geo", "utm:auto"});
    EXPECT_EQ(Convert(*utm, "51.507222 -0.1275 11 London"),
              "699337.826 5710144.785 11.000 London 30n");
    EXPECT_EQ(Convert(*utm, "-33.867778,151.21"), "334431.415 6251062.809 0.000 56s");
    EXPECT_EQ(Convert(*utm, "abc 1 Label", false), "nan nan nan");

    auto dms = Make({"--dms=2", "--precision", "1", "utm:auto", "geo"});
    EXPECT_EQ(Convert(*dms, "334431.415 6251062.809 0 Sydney 56s"),
              "33~52'4.00\"S 151~12'36.00\"E 0.0 Sydney");
    // An unconvertible point keeps its carried text.
    auto utm32 = Make({"utm:32n", "geo"});
    EXPECT_EQ(Convert(*utm32, "1e300 1e300 0 kept", false), "nan nan nan kept");

    auto describe = Make({"utm:56s", "flat:-33.8,151.2"});
    EXPECT_EQ(describe->Describe(), "FROM utm:56s\nUTM (Universal Transverse Mercator)\n"
                                    "Zone: 56, SOUTH\nDatum: WGS84\n\nTO flat:-33.8,151.2\n"
                                    "QRN Flat Earth\nOrigin: 33~48'0.00\" S, 151~12'0.00\" E\n"
                                    "Datum: WGS84\n");
    EXPECT_EQ(Make({"geo", "ecef"})->Describe(), "");
}

// A datum change goes through geocentric coordinates and both datums' shifts.
TEST(ConvertLine, DatumChange) {
    ASSERT_TRUE(GxDatum::InitDatum(GEOFRAME_SOURCE_DATA_DIR "/datums.txt"));
    auto change = Make(
        {"--ellipsoid", "NAS-C", "--to-ellipsoid", "WGS84", "--precision", "6", "geo", "ecef"});
    const std::vector<double> out = Numbers(Convert(*change, "39.224 -98.542 0"));
    GxEllipsoid nad27("NAS-C");
    double x, y, z;
    nad27.LatLongToGeocentric(39.224, -98.542, 0.0, x, y, z);
    nad27.GeocentricToWGS84(x, y, z, x, y, z);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_NEAR(out[0], x, 1e-6);
    EXPECT_NEAR(out[1], y, 1e-6);
    EXPECT_NEAR(out[2], z, 1e-6);
    // NAD 27 to WGS 84 moves a point in Kansas by tens of metres, and back again.
    auto there = Make({"--ellipsoid", "NAS-C", "--to-ellipsoid", "WGS84", "geo", "geo"});
    auto back =
        Make({"--ellipsoid", "WGS84", "--to-ellipsoid", "NAS-C", "--precision", "6", "geo", "geo"});
    const std::string moved = Convert(*there, "39.224 -98.542 0");
    EXPECT_NE(moved, "39.22400000 -98.54200000 0.000");
    const std::vector<double> returned = Numbers(Convert(*back, moved));
    EXPECT_NEAR(returned[0], 39.224, 1e-8);
    EXPECT_NEAR(returned[1], -98.542, 1e-8);
    EXPECT_NEAR(returned[2], 0.0, 1e-3);
    GxDatum::CleanupDatum();
}
