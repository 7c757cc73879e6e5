#include <geoframe/geodesy/GxEllipsoid.h>
#include <geoframe/geodesy/GxGeoAngle.h>
#include <geoframe/projection/GxProj4Interface.h>

#include <benchmark/benchmark.h>
#include <proj.h>

#include <random>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

struct Point {
    double lat, lon, height;
};

/// The same pseudo-random points for every benchmark: inside UTM zone 32 and up
/// to 10 km high.
const std::vector<Point>& Points() {
    static const std::vector<Point> points = [] {
        std::mt19937_64 random(42);
        std::uniform_real_distribution<double> lat(-80.0, 84.0), lon(6.0, 12.0), h(0.0, 10000.0);
        std::vector<Point> p(4096);
        for (Point& point : p)
            point = {lat(random), lon(random), h(random)};
        return p;
    }();
    return points;
}

void BM_LatLongToGeocentric(benchmark::State& state) {
    const GxEllipsoid wgs84("WGS84");
    const std::vector<Point>& points = Points();
    std::size_t i = 0;
    for (auto _ : state) {
        const Point& p = points[i++ & 4095];
        double x, y, z;
        wgs84.LatLongToGeocentric(p.lat, p.lon, p.height, x, y, z);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(z);
    }
}
BENCHMARK(BM_LatLongToGeocentric);

void BM_GeocentricToLatLong(benchmark::State& state) {
    const GxEllipsoid wgs84("WGS84");
    std::vector<Point> xyz;
    for (const Point& p : Points()) {
        Point c;
        wgs84.LatLongToGeocentric(p.lat, p.lon, p.height, c.lat, c.lon, c.height);
        xyz.push_back(c);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const Point& c = xyz[i++ & 4095];
        double lat, lon, h;
        benchmark::DoNotOptimize(
            wgs84.GeocentricToLatLong(c.lat, c.lon, c.height, lat, lon, h, true));
        benchmark::DoNotOptimize(lat);
        benchmark::DoNotOptimize(lon);
        benchmark::DoNotOptimize(h);
    }
}
BENCHMARK(BM_GeocentricToLatLong);

// UTM zone 32 on WGS 84, forward, once through the adapter and once through bare
// PROJ with the same parameters and points: the difference is the adapter's cost.
void BM_UtmForwardAdapter(benchmark::State& state) {
    GxProj4Interface adapter;
    if (!adapter.SetParameters("proj=utm", "zone=32", "a=6378137.000000", "b=6356752.314245",
                               nullptr)) {
        state.SkipWithError("PROJ refused the UTM parameters");
        return;
    }
    std::vector<GxGeoAngle> lat, lon;
    for (const Point& p : Points()) {
        lat.emplace_back(p.lat, "N");
        lon.emplace_back(p.lon, "E");
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t k = i++ & 4095;
        double x, y;
        benchmark::DoNotOptimize(adapter.LatLong2Proj(lat[k], lon[k], x, y));
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(BM_UtmForwardAdapter);

void BM_UtmForwardProjDirect(benchmark::State& state) {
    PJ_CONTEXT* ctx = proj_context_create();
    proj_log_level(ctx, PJ_LOG_NONE);
    char* args[] = {const_cast<char*>("proj=utm"), const_cast<char*>("zone=32"),
                    const_cast<char*>("a=6378137.000000"), const_cast<char*>("b=6356752.314245")};
    PJ* projector = proj_create_argv(ctx, 4, args);
    if (!projector) {
        proj_context_destroy(ctx);
        state.SkipWithError("PROJ refused the UTM parameters");
        return;
    }
    const std::vector<Point>& points = Points();
    std::size_t i = 0;
    for (auto _ : state) {
        const Point& p = points[i++ & 4095];
        PJ_COORD in;
        in.v[0] = p.lon * kPi / 180.0;
        in.v[1] = p.lat * kPi / 180.0;
        in.v[2] = 0.0;
        in.v[3] = 0.0;
        const PJ_COORD out = proj_trans(projector, PJ_FWD, in);
        benchmark::DoNotOptimize(out);
    }
    proj_destroy(projector);
    proj_context_destroy(ctx);
}
BENCHMARK(BM_UtmForwardProjDirect);

void BM_EllipsoidByProjName(benchmark::State& state) {
    for (auto _ : state) {
        GxEllipsoid e("WGS84");
        benchmark::DoNotOptimize(e.GetSemiMinorRadius());
    }
}
BENCHMARK(BM_EllipsoidByProjName);

} // namespace
