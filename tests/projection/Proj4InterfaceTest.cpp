#include "ProjectionKinds.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>
#include <vector>

namespace {

using testproj::Take;

std::vector<std::string> Parameters(GxProj4Interface& adapter) {
    char** list = nullptr;
    const int count = adapter.GetParameters(list);
    return Take(count, list);
}

/// What `work` writes to the process's standard error (file descriptor 2).
template <class Work>
std::string StandardErrorOf(Work work) {
    testing::internal::CaptureStderr();
    work();
    return testing::internal::GetCapturedStderr();
}

bool Utm32(GxProj4Interface& adapter) {
    return adapter.SetParameters("proj=utm", "zone=32", "a=6378137.0", "b=6356752.314245", nullptr);
}

/// Forward and inverse of 45 N 9 E (UTM 32: 500000, 4982950.4). On failure the
/// outputs must be untouched; on success the angles keep their axes.
bool Converts(GxProj4Interface& adapter) {
    double x = 1.5, y = 2.5;
    GxGeoAngle lat(3.0, "N"), lon(4.0, "E");
    const bool fwd = adapter.LatLong2Proj(GxGeoAngle(45.0), GxGeoAngle(9.0), x, y);
    EXPECT_EQ(fwd, adapter.Proj2LatLong(500000.0, 4982950.4002, lat, lon));
    if (!fwd) {
        EXPECT_EQ(Values(x, y, double(lat), double(lon)), "1.5 2.5 3 4");
        return false;
    }
    EXPECT_LT(std::fabs(x - 500000) + std::fabs(y - 4982950.4002), 1e-3) << x << " " << y;
    EXPECT_LT(std::fabs(double(lat) - 45.0) + std::fabs(double(lon) - 9.0), 1e-9);
    EXPECT_EQ(lon, GxGeoAngle(double(lon), "E"));
    return true;
}

TEST(Proj4Interface, ParameterListStates) {
    GxProj4Interface adapter;
    EXPECT_EQ(Values(Parameters(adapter).size(), Converts(adapter)), "0 false");
    ASSERT_TRUE(Utm32(adapter));
    EXPECT_FALSE(adapter.SetParameters(nullptr, "zone=31", nullptr)); // keeps list and projector
    EXPECT_EQ(Parameters(adapter),
              (std::vector<std::string>{"proj=utm", "zone=32", "a=6378137.0", "b=6356752.314245"}));
    EXPECT_TRUE(Converts(adapter));

    // Refused lists are kept, without a projector. The last two are accepted by PROJ
    // but do not convert from radians.
    EXPECT_FALSE(adapter.SetParameters("proj=nonsense", nullptr));
    EXPECT_FALSE(Converts(adapter));
    EXPECT_TRUE(Utm32(adapter));
    EXPECT_FALSE(adapter.SetParameters("proj=utm", "zone=99", nullptr));
    EXPECT_FALSE(Converts(adapter));
    EXPECT_FALSE(adapter.SetParameters("proj=longlat", "ellps=WGS84", "type=crs", nullptr));
    EXPECT_FALSE(adapter.SetParameters("proj=pipeline", "step", "proj=unitconvert", "xy_in=deg",
                                       "xy_out=rad", "step", "proj=utm", "zone=32", nullptr));
    EXPECT_EQ(Parameters(adapter).size(), 8u);
    EXPECT_FALSE(Converts(adapter));

    const char* f = "no_defs"; // at most twenty strings are taken
    EXPECT_TRUE(adapter.SetParameters("+proj=utm", "+zone=32", "+ellps=WGS84", f, f, f, f, f, f, f,
                                      f, f, f, f, f, f, f, f, f, "20th", "never", nullptr));
    const std::vector<std::string> twenty = Parameters(adapter);
    ASSERT_EQ(twenty.size(), 20u);
    EXPECT_EQ(twenty.back(), "20th");
    EXPECT_TRUE(Converts(adapter));

    // The array entry takes any length; no strings or a null one change nothing.
    std::vector<const char*> many(25, f);
    many[0] = "proj=utm", many[1] = "zone=32", many[2] = "a=6378137.0",
    many[3] = "b=6356752.314245";
    EXPECT_FALSE(adapter.SetParameterList(0, many.data()));
    const char* withNull[] = {"proj=utm", nullptr};
    EXPECT_FALSE(adapter.SetParameterList(2, withNull));
    EXPECT_EQ(adapter.GetParameterList(), twenty);
    EXPECT_TRUE(adapter.SetParameterList(25, many.data()));
    EXPECT_TRUE(Converts(adapter));
    EXPECT_EQ(adapter.GetParameterList().size(), 25u);
    EXPECT_EQ(adapter.GetParameterList(), Parameters(adapter));
}

TEST(Proj4Interface, PointsProjRefuses) {
    GxProj4Interface adapter;
    ASSERT_TRUE(Utm32(adapter));
    // Refused points write nothing, print nothing and leave the next point unaffected.
    const std::string printed = StandardErrorOf([&] {
        for (const double bad : {100.0, -95.0, double(NAN)}) {
            double x = 7, y = 8;
            EXPECT_FALSE(adapter.LatLong2Proj(GxGeoAngle(bad), GxGeoAngle(9.0), x, y)) << bad;
            EXPECT_EQ(Values(x, y, Converts(adapter)), "7 8 true") << bad;
        }
        for (const double bad : {1e30, double(INFINITY), double(NAN)}) {
            GxGeoAngle lat(1.0), lon(2.0);
            EXPECT_FALSE(adapter.Proj2LatLong(bad, bad, lat, lon)) << bad;
            EXPECT_EQ(Values(double(lat), double(lon), Converts(adapter)), "1 2 true") << bad;
        }
    });
    EXPECT_EQ(printed, "");
}

TEST(Proj4Interface, EllipsoidTable) {
    // PROJ's records in PROJ's order; names are matched exactly and misses write nothing.
    GxProj4Interface adapter;
    char **ids = nullptr, **names = nullptr;
    const int count = adapter.GetSupportedEllipsoids(ids, names);
    const std::vector<std::string> list = Take(count, ids);
    Take(count, names);
    ASSERT_GT(list.size(), 40u);
    EXPECT_EQ(list.front(), "MERIT");
    double a = 42, b = 42, e = 42, es = 42;
    for (const char* unknown : {"wgs84", "", "WGS84 ", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(adapter.GetEllipsoid(unknown, a, b, e, es)) << (unknown ? unknown : "null");
    EXPECT_EQ(Values(a, b, e, es), "42 42 42 42");
}

TEST(Proj4Interface, ListsRefusedOnSeveralThreadsQuietly) {
    // PROJ races inside itself when it refuses lists on several threads at once
    // (seen under ThreadSanitizer), and it reports refusals on standard error unless
    // told not to. Kept small: under ThreadSanitizer each refusal takes about a second.
    std::vector<int> refused(4, 0);
    const std::string printed = StandardErrorOf([&] {
        std::vector<std::thread> threads;
        for (int& count : refused)
            threads.emplace_back([&count] {
                const char* lists[][2] = {
                    {"proj=bogus", nullptr}, {"proj=utm", "ellps=foo"}, {"proj=merc", "lat_ts=95"}};
                for (const auto& list : lists) // a new adapter, and so a new context, each
                    count += !GxProj4Interface().SetParameters(list[0], list[1], nullptr);
            });
        for (std::thread& t : threads)
            t.join();
    });
    EXPECT_EQ(printed, "");
    EXPECT_EQ(refused, std::vector<int>(4, 3));
}

} // namespace
