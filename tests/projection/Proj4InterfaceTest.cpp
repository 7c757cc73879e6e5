#include <geoframe/geodesy/GxGeoAngle.h>
#include <geoframe/projection/GxProj4Interface.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84B = 6356752.314245179;

std::vector<std::string> TakeList(int count, char** list) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) {
        texts.emplace_back(list[i]);
        delete[] list[i];
    }
    delete[] list;
    return texts;
}

std::vector<std::string> Parameters(GxProj4Interface& adapter) {
    char** list = nullptr;
    const int count = adapter.GetParameters(list);
    if (count == 0) {
        EXPECT_EQ(list, nullptr);
        return {};
    }
    return TakeList(count, list);
}

bool MakeUtm32(GxProj4Interface& adapter) {
    return adapter.SetParameters("proj=utm", "zone=32", "a=6378137.000000", "b=6356752.314245",
                                 nullptr);
}

/// Both conversions fail and leave their outputs as they were.
void ExpectCannotConvert(GxProj4Interface& adapter) {
    double x = 1.5, y = 2.5;
    EXPECT_FALSE(adapter.LatLong2Proj(GxGeoAngle(45.0), GxGeoAngle(9.0), x, y));
    EXPECT_EQ(x, 1.5);
    EXPECT_EQ(y, 2.5);
    GxGeoAngle lat(3.0), lon(4.0);
    EXPECT_FALSE(adapter.Proj2LatLong(500000.0, 4982950.4, lat, lon));
    EXPECT_EQ(lat.GetDecimalDegrees(), 3.0);
    EXPECT_EQ(lon.GetDecimalDegrees(), 4.0);
}

TEST(Proj4Interface, NewAdapterIsEmpty) {
    GxProj4Interface adapter;
    EXPECT_TRUE(Parameters(adapter).empty());
    ExpectCannotConvert(adapter);
}

TEST(Proj4Interface, AcceptedListConvertsBothWays) {
    GxProj4Interface adapter;
    ASSERT_TRUE(MakeUtm32(adapter));
    EXPECT_EQ(
        Parameters(adapter),
        (std::vector<std::string>{"proj=utm", "zone=32", "a=6378137.000000", "b=6356752.314245"}));
    // On the central meridian the easting is the false easting; the northing at
    // 45 N is the meridian arc times the scale factor 0.9996.
    double x = 0, y = 0;
    ASSERT_TRUE(adapter.LatLong2Proj(GxGeoAngle(45.0), GxGeoAngle(9.0), x, y));
    EXPECT_NEAR(x, 500000.0, 1e-6);
    EXPECT_NEAR(y, 4982950.4002, 1e-3);

    // Round trips across the zone and beyond it, both hemispheres of latitude.
    for (double lat = -80.0; lat <= 84.0; lat += 8.2) {
        for (double lon = 0.0; lon <= 18.0; lon += 1.5) {
            ASSERT_TRUE(adapter.LatLong2Proj(GxGeoAngle(lat, "N"), GxGeoAngle(lon, "E"), x, y));
            GxGeoAngle outLat(0.0, "N"), outLon(0.0, "E");
            ASSERT_TRUE(adapter.Proj2LatLong(x, y, outLat, outLon));
            EXPECT_NEAR(outLat.GetDecimalDegrees(), lat, 1e-9);
            EXPECT_NEAR(outLon.GetDecimalDegrees(), lon, 1e-9);
            // The axes of the output angles are kept.
            GeoHemiType hemi;
            EXPECT_TRUE(outLat.GetHemisphere(hemi));
            EXPECT_TRUE(hemi == HEMI_NORTH || hemi == HEMI_SOUTH);
        }
    }
}

TEST(Proj4Interface, SouthFlagAndPlusSignsAreAccepted) {
    GxProj4Interface north, south;
    ASSERT_TRUE(
        north.SetParameters("+proj=utm", "+zone=33", "+a=6378137", "+b=6356752.314245", nullptr));
    ASSERT_TRUE(south.SetParameters("proj=utm", "south", "zone=33", "a=6378137", "b=6356752.314245",
                                    nullptr));
    double xn, yn, xs, ys;
    ASSERT_TRUE(north.LatLong2Proj(GxGeoAngle(-30.0), GxGeoAngle(16.0), xn, yn));
    ASSERT_TRUE(south.LatLong2Proj(GxGeoAngle(-30.0), GxGeoAngle(16.0), xs, ys));
    EXPECT_NEAR(xn, xs, 1e-9);
    EXPECT_NEAR(ys - yn, 10000000.0, 1e-6); // the southern false northing
}

TEST(Proj4Interface, NullFirstParameterKeepsListAndProjector) {
    GxProj4Interface adapter;
    EXPECT_FALSE(adapter.SetParameters(nullptr));
    EXPECT_TRUE(Parameters(adapter).empty());

    ASSERT_TRUE(MakeUtm32(adapter));
    const std::vector<std::string> before = Parameters(adapter);
    EXPECT_FALSE(adapter.SetParameters(nullptr, "zone=31", nullptr));
    EXPECT_EQ(Parameters(adapter), before);
    double x = 0, y = 0;
    EXPECT_TRUE(adapter.LatLong2Proj(GxGeoAngle(45.0), GxGeoAngle(9.0), x, y));
    EXPECT_NEAR(x, 500000.0, 1e-6);
}

TEST(Proj4Interface, RefusedListsLeaveTheAdapterFailed) {
    const std::vector<std::vector<const char*>> refused = {
        {"proj=nonsense", nullptr},
        {"proj=utm", "zone=99", nullptr},
        {"proj=utm", "zone=32", "a=-5", nullptr},
        // Accepted by PROJ but not a conversion from radians.
        {"proj=longlat", "ellps=WGS84", "type=crs", nullptr},
        {"proj=pipeline", "step", "proj=unitconvert", "xy_in=deg", "xy_out=rad", "step", "proj=utm",
         "zone=32", nullptr},
    };
    for (const auto& list : refused) {
        GxProj4Interface adapter;
        ASSERT_TRUE(MakeUtm32(adapter)); // a working projector is replaced, not kept
        bool ok = false;
        switch (list.size()) {
        case 2:
            ok = adapter.SetParameters(list[0], list[1]);
            break;
        case 3:
            ok = adapter.SetParameters(list[0], list[1], list[2]);
            break;
        case 4:
            ok = adapter.SetParameters(list[0], list[1], list[2], list[3]);
            break;
        case 5:
            ok = adapter.SetParameters(list[0], list[1], list[2], list[3], list[4]);
            break;
        default:
            ok = adapter.SetParameters(list[0], list[1], list[2], list[3], list[4], list[5],
                                       list[6], list[7], list[8]);
            break;
        }
        EXPECT_FALSE(ok) << list[0];
        const std::vector<std::string> kept = Parameters(adapter);
        ASSERT_EQ(kept.size(), list.size() - 1) << list[0];
        for (std::size_t i = 0; i + 1 < list.size(); ++i)
            EXPECT_EQ(kept[i], list[i]);
        ExpectCannotConvert(adapter);

        // A later accepted list makes it work again.
        EXPECT_TRUE(MakeUtm32(adapter));
        double x = 0, y = 0;
        EXPECT_TRUE(adapter.LatLong2Proj(GxGeoAngle(45.0), GxGeoAngle(9.0), x, y));
    }
}

TEST(Proj4Interface, TakesAtMostTwentyParameters) {
    GxProj4Interface adapter;
    const char* f = "no_defs";
    EXPECT_TRUE(adapter.SetParameters("proj=utm", "zone=32", "ellps=WGS84", f, f, f, f, f, f, f, f,
                                      f, f, f, f, f, f, f, f, "last_taken", "never_read",
                                      "also_not_read", nullptr));
    const std::vector<std::string> list = Parameters(adapter);
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(list.front(), "proj=utm");
    EXPECT_EQ(list.back(), "last_taken");
}

TEST(Proj4Interface, PointsThatProjRefusesFailWithoutDisturbingTheNext) {
    GxProj4Interface adapter;
    ASSERT_TRUE(MakeUtm32(adapter));
    double goodX = 0, goodY = 0;
    ASSERT_TRUE(adapter.LatLong2Proj(GxGeoAngle(45.0), GxGeoAngle(9.0), goodX, goodY));

    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const double badLat : {100.0, -95.0, nan}) {
        double x = 7.0, y = 8.0;
        EXPECT_FALSE(adapter.LatLong2Proj(GxGeoAngle(badLat), GxGeoAngle(9.0), x, y)) << badLat;
        EXPECT_EQ(x, 7.0);
        EXPECT_EQ(y, 8.0);
        ASSERT_TRUE(adapter.LatLong2Proj(GxGeoAngle(45.0), GxGeoAngle(9.0), x, y));
        EXPECT_EQ(x, goodX);
        EXPECT_EQ(y, goodY);
    }
    for (const double bad : {1e30, std::numeric_limits<double>::infinity(), nan}) {
        GxGeoAngle lat(1.0), lon(2.0);
        EXPECT_FALSE(adapter.Proj2LatLong(bad, bad, lat, lon)) << bad;
        EXPECT_EQ(lat.GetDecimalDegrees(), 1.0);
        EXPECT_EQ(lon.GetDecimalDegrees(), 2.0);
        ASSERT_TRUE(adapter.Proj2LatLong(goodX, goodY, lat, lon));
        EXPECT_NEAR(lat.GetDecimalDegrees(), 45.0, 1e-9);
    }
}

TEST(Proj4Interface, SupportedEllipsoidsAllResolve) {
    GxProj4Interface adapter;
    char** ids = nullptr;
    char** names = nullptr;
    const int count = adapter.GetSupportedEllipsoids(ids, names);
    const std::vector<std::string> idList = TakeList(count, ids);
    const std::vector<std::string> nameList = TakeList(count, names);
    ASSERT_GT(count, 40);
    bool sawWgs84 = false;
    for (int i = 0; i < count; ++i) {
        double a = 0, b = 0, e = 0, es = 0;
        ASSERT_TRUE(adapter.GetEllipsoid(idList[i].c_str(), a, b, e, es)) << idList[i];
        EXPECT_GT(a, 6.3e6) << idList[i];
        EXPECT_LE(b, a) << idList[i];
        EXPECT_GE(es, 0.0) << idList[i];
        EXPECT_NEAR(e * e, es, 1e-15) << idList[i];
        EXPECT_NEAR(es, (a * a - b * b) / (a * a), 1e-12) << idList[i];
        sawWgs84 = sawWgs84 || (idList[i] == "WGS84" && nameList[i] == "WGS 84");
    }
    EXPECT_TRUE(sawWgs84);
    // Listing needs no projector and leaves the adapter empty.
    EXPECT_TRUE(Parameters(adapter).empty());
}

TEST(Proj4Interface, EllipsoidFiguresFromRfOrB) {
    GxProj4Interface adapter;
    struct Case {
        const char* name;
        double a, b;
    };
    const Case cases[] = {
        {"WGS84", kWgs84A, kWgs84B},
        {"WGS 84", kWgs84A, kWgs84B},            // full name
        {"GRS80", 6378137.0, 6356752.314140356}, // "rf="
        {"clrk66", 6378206.4, 6356583.8},        // "b="
        {"Clarke 1866", 6378206.4, 6356583.8},
        {"krass", 6378245.0, 6356863.018773047},
        {"sphere", 6370997.0, 6370997.0},
    };
    for (const Case& c : cases) {
        double a = 0, b = 0, e = -1, es = -1;
        ASSERT_TRUE(adapter.GetEllipsoid(c.name, a, b, e, es)) << c.name;
        EXPECT_EQ(a, c.a) << c.name;
        EXPECT_NEAR(b, c.b, 1e-6) << c.name;
    }
    double a, b, e, es;
    ASSERT_TRUE(adapter.GetEllipsoid("WGS84", a, b, e, es));
    const double f = 1.0 / 298.257223563;
    EXPECT_DOUBLE_EQ(es, f * (2.0 - f));
    EXPECT_DOUBLE_EQ(b, a * std::sqrt(1.0 - es));
    ASSERT_TRUE(adapter.GetEllipsoid("sphere", a, b, e, es));
    EXPECT_EQ(e, 0.0);
    EXPECT_EQ(es, 0.0);

    for (const char* unknown : {"wgs84", "WGS8", "", "WGS84 ", static_cast<const char*>(nullptr)}) {
        a = b = e = es = 42.0;
        EXPECT_FALSE(adapter.GetEllipsoid(unknown, a, b, e, es));
        EXPECT_EQ(a, 42.0);
        EXPECT_EQ(b, 42.0);
        EXPECT_EQ(e, 42.0);
        EXPECT_EQ(es, 42.0);
    }
}

TEST(Proj4Interface, TwoAdaptersConvertOnTwoThreads) {
    // Each thread owns its adapter (and so its PROJ context); results must match the
    // same conversions made on one thread.
    auto run = [](int zone, std::vector<double>& out) {
        GxProj4Interface adapter;
        const std::string zoneText = "zone=" + std::to_string(zone);
        if (!adapter.SetParameters("proj=utm", zoneText.c_str(), "a=6378137", "b=6356752.314245",
                                   nullptr))
            return;
        const double centre = zone * 6.0 - 183.0;
        for (int i = 0; i < 20000; ++i) {
            const double lat = -70.0 + (i % 140);
            const double lon = centre - 3.0 + (i % 61) * 0.1;
            double x = 0, y = 0;
            if (i % 97 == 0) // refused points mixed in
                adapter.LatLong2Proj(GxGeoAngle(120.0), GxGeoAngle(lon), x, y);
            adapter.LatLong2Proj(GxGeoAngle(lat), GxGeoAngle(lon), x, y);
            GxGeoAngle outLat, outLon;
            adapter.Proj2LatLong(x, y, outLat, outLon);
            out.push_back(x);
            out.push_back(outLat.GetDecimalDegrees());
        }
    };
    std::vector<double> serial31, serial33, parallel31, parallel33;
    run(31, serial31);
    run(33, serial33);
    std::thread t1(run, 31, std::ref(parallel31));
    std::thread t2(run, 33, std::ref(parallel33));
    t1.join();
    t2.join();
    ASSERT_EQ(serial31.size(), 40000u);
    EXPECT_EQ(parallel31, serial31);
    EXPECT_EQ(parallel33, serial33);
}

} // namespace
