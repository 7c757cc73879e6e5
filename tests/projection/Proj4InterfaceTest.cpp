#include <geoframe/geodesy/GxGeoAngle.h>
#include <geoframe/projection/GxProj4Interface.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> Take(int count, char** list) {
    std::vector<std::string> texts(list, list + count);
    for (int i = 0; i < count; ++i)
        delete[] list[i];
    delete[] list;
    return texts;
}

std::vector<std::string> Parameters(GxProj4Interface& adapter) {
    char** list = nullptr;
    const int count = adapter.GetParameters(list);
    return count ? Take(count, list) : std::vector<std::string>{};
}

bool Utm32(GxProj4Interface& adapter) {
    return adapter.SetParameters("proj=utm", "zone=32", "a=6378137.0", "b=6356752.314245", nullptr);
}

/// Forward and inverse of 45 N 9 E (UTM 32: 500000, 4982950.4). On failure the
/// outputs must be untouched.
bool Converts(GxProj4Interface& adapter) {
    double x = 1.5, y = 2.5;
    GxGeoAngle lat(3.0), lon(4.0);
    const bool fwd = adapter.LatLong2Proj(GxGeoAngle(45.0), GxGeoAngle(9.0), x, y);
    EXPECT_EQ(fwd, adapter.Proj2LatLong(500000.0, 4982950.4002, lat, lon));
    EXPECT_TRUE(fwd ? std::fabs(x - 500000) + std::fabs(y - 4982950.4002) < 1e-3 &&
                          std::fabs(double(lat) - 45.0) + std::fabs(double(lon) - 9.0) < 1e-9
                    : x == 1.5 && y == 2.5 && double(lat) == 3.0 && double(lon) == 4.0);
    return fwd;
}

TEST(Proj4Interface, ParameterListStates) {
    GxProj4Interface adapter;
    EXPECT_TRUE(Parameters(adapter).empty());
    EXPECT_FALSE(Converts(adapter));
    EXPECT_FALSE(adapter.SetParameters(nullptr));

    ASSERT_TRUE(Utm32(adapter));
    const std::vector<std::string> utm = {"proj=utm", "zone=32", "a=6378137.0", "b=6356752.314245"};
    EXPECT_EQ(Parameters(adapter), utm);
    EXPECT_TRUE(Converts(adapter));
    EXPECT_FALSE(adapter.SetParameters(nullptr, "zone=31", nullptr)); // keeps list and projector
    EXPECT_EQ(Parameters(adapter), utm);
    EXPECT_TRUE(Converts(adapter));

    // Refused lists are kept, without a projector. The last two are accepted by PROJ
    // but do not convert from radians.
    EXPECT_FALSE(adapter.SetParameters("proj=nonsense", nullptr));
    EXPECT_EQ(Parameters(adapter), std::vector<std::string>{"proj=nonsense"});
    EXPECT_FALSE(Converts(adapter));
    EXPECT_TRUE(Utm32(adapter) && !adapter.SetParameters("proj=utm", "zone=99", nullptr));
    EXPECT_FALSE(Converts(adapter));
    EXPECT_FALSE(adapter.SetParameters("proj=longlat", "ellps=WGS84", "type=crs", nullptr));
    EXPECT_FALSE(adapter.SetParameters("proj=pipeline", "step", "proj=unitconvert", "xy_in=deg",
                                       "xy_out=rad", "step", "proj=utm", "zone=32", nullptr));
    EXPECT_EQ(Parameters(adapter).size(), 8u);
    EXPECT_FALSE(Converts(adapter));

    const char* f = "no_defs"; // at most twenty strings are taken
    EXPECT_TRUE(adapter.SetParameters("+proj=utm", "+zone=32", "+ellps=WGS84", f, f, f, f, f, f, f,
                                      f, f, f, f, f, f, f, f, f, "20th", "never", nullptr));
    EXPECT_EQ(Parameters(adapter).size(), 20u);
    EXPECT_EQ(Parameters(adapter).back(), "20th");
    EXPECT_TRUE(Converts(adapter));
}

TEST(Proj4Interface, RoundTripsAndPointsProjRefuses) {
    GxProj4Interface adapter;
    ASSERT_TRUE(Utm32(adapter));
    for (double lat = -80.0; lat <= 84.0; lat += 8.2) {
        for (double lon = 0.0; lon <= 18.0; lon += 1.5) {
            double x, y;
            GxGeoAngle outLat(0.0, "N"), outLon(0.0, "E");
            ASSERT_TRUE(adapter.LatLong2Proj(GxGeoAngle(lat), GxGeoAngle(lon), x, y));
            ASSERT_TRUE(adapter.Proj2LatLong(x, y, outLat, outLon));
            EXPECT_NEAR(double(outLat), lat, 1e-9);
            EXPECT_NEAR(double(outLon), lon, 1e-9);
            EXPECT_EQ(outLon, GxGeoAngle(double(outLon), "E")); // axis kept
        }
    }
    // Refused points write nothing and leave the next point unaffected.
    for (const double bad : {100.0, -95.0, double(NAN)}) {
        double x = 7, y = 8;
        EXPECT_FALSE(adapter.LatLong2Proj(GxGeoAngle(bad), GxGeoAngle(9.0), x, y)) << bad;
        EXPECT_TRUE(x == 7 && y == 8 && Converts(adapter));
    }
    for (const double bad : {1e30, double(INFINITY), double(NAN)}) {
        GxGeoAngle lat(1.0), lon(2.0);
        EXPECT_FALSE(adapter.Proj2LatLong(bad, bad, lat, lon)) << bad;
        EXPECT_TRUE(double(lat) == 1.0 && double(lon) == 2.0 && Converts(adapter));
    }
}

TEST(Proj4Interface, EllipsoidTable) {
    GxProj4Interface adapter;
    char** ids = nullptr;
    char** names = nullptr;
    const int count = adapter.GetSupportedEllipsoids(ids, names);
    const std::vector<std::string> idList = Take(count, ids), nameList = Take(count, names);
    ASSERT_GT(count, 40);
    for (int i = 0; i < count; ++i) {
        for (const std::string& key : {idList[i], nameList[i]}) {
            double a = 0, b = 0, e = 0, es = 0;
            ASSERT_TRUE(adapter.GetEllipsoid(key.c_str(), a, b, e, es)) << key;
            EXPECT_TRUE(a > 6.3e6 && b <= a && es >= 0) << key;
            EXPECT_NEAR(e * e, es, 1e-15) << key;
            EXPECT_NEAR(es, (a * a - b * b) / (a * a), 1e-12) << key;
        }
    }
    for (const char* unknown : {"wgs84", "", "WGS84 ", static_cast<const char*>(nullptr)}) {
        double a = 42, b = 42, e = 42, es = 42;
        EXPECT_FALSE(adapter.GetEllipsoid(unknown, a, b, e, es));
        EXPECT_TRUE(a == 42 && b == 42 && e == 42 && es == 42);
    }
    EXPECT_TRUE(Parameters(adapter).empty()); // reading the table makes no projector
}

TEST(Proj4Interface, TwoAdaptersConvertOnTwoThreads) {
    auto run = [](int zone, std::vector<double>& out) {
        GxProj4Interface adapter;
        const std::string z = "zone=" + std::to_string(zone);
        if (!adapter.SetParameters("proj=utm", z.c_str(), "a=6378137", "b=6356752.3", nullptr))
            return;
        for (int i = 0; i < 20000; ++i) {
            double x = 0, y = 0;
            GxGeoAngle lat, lon;
            if (i % 97 == 0) // refused points mixed in
                adapter.LatLong2Proj(GxGeoAngle(120.0), GxGeoAngle(0.0), x, y);
            adapter.LatLong2Proj(GxGeoAngle(-70.0 + i % 140), GxGeoAngle(zone + i % 61 * 0.1), x,
                                 y);
            adapter.Proj2LatLong(x, y, lat, lon);
            out.insert(out.end(), {x, y, double(lat), double(lon)});
        }
    };
    std::vector<double> serial1, serial2, parallel1, parallel2;
    run(1, serial1);
    run(2, serial2);
    std::thread t1(run, 1, std::ref(parallel1)), t2(run, 2, std::ref(parallel2));
    t1.join();
    t2.join();
    ASSERT_EQ(serial1.size(), 80000u);
    EXPECT_EQ(parallel1, serial1);
    EXPECT_EQ(parallel2, serial2);
}

} // namespace
