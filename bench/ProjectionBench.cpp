// The per-point cost of the projections: the PROJ-backed ones against bare
// proj_trans with the very parameter list the projection made, and the flat-earth
// and trapezoidal projections against their formulas written inline.

#include <geoframe/geoframe.h>

#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <proj.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kCount = 4096;

/// Longitude, latitude, elevation in a region around (lat0, lon0).
std::vector<gxVec3> Points(double lat0, double lon0, double halfWidth) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> lat(lat0 - halfWidth, lat0 + halfWidth);
    std::uniform_real_distribution<double> lon(lon0 - halfWidth, lon0 + halfWidth);
    std::vector<gxVec3> points;
    for (std::size_t i = 0; i < kCount; ++i)
        points.emplace_back(lon(random), lat(random), 100.0);
    return points;
}

GxSmartRef<GxEllipsoidBase> Wgs84() {
    return GxSmartRef<GxEllipsoidBase>(new GxEllipsoid("WGS84"));
}

/// A bare PROJ projector made from the projection's own parameter list.
class BareProj {
public:
    explicit BareProj(const GxProj4Projection& projection) : m_context(proj_context_create()) {
        proj_log_level(m_context, PJ_LOG_NONE);
        std::vector<std::string> texts = projection.GetParameterList();
        std::vector<char*> argv;
        for (std::string& text : texts)
            argv.push_back(text.data());
        m_projector = proj_create_argv(m_context, static_cast<int>(argv.size()), argv.data());
    }
    ~BareProj() {
        proj_destroy(m_projector);
        proj_context_destroy(m_context);
    }
    PJ* Get() const { return m_projector; }

private:
    PJ_CONTEXT* m_context;
    PJ* m_projector;
};

using geoframe::bench::Coord;

void Forward(benchmark::State& state, const GxProjection& projection,
             const std::vector<gxVec3>& points) {
    std::size_t i = 0;
    gxVec3 out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(projection.LatLong2Proj(points[i++ & (kCount - 1)], out));
        benchmark::DoNotOptimize(out);
    }
}

void ForwardBare(benchmark::State& state, const BareProj& bare, const std::vector<gxVec3>& points) {
    std::size_t i = 0;
    for (auto _ : state) {
        const gxVec3& p = points[i++ & (kCount - 1)];
        const PJ_COORD out =
            proj_trans(bare.Get(), PJ_FWD, Coord(p[0] * M_PI / 180.0, p[1] * M_PI / 180.0));
        benchmark::DoNotOptimize(out);
    }
}

/// The map coordinates of `points`, as the inverse benchmarks' input.
std::vector<gxVec3> Mapped(const GxProjection& projection, const std::vector<gxVec3>& points) {
    std::vector<gxVec3> map(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        projection.LatLong2Proj(points[i], map[i]);
    return map;
}

const GxUTMProjection& Utm() {
    static const GxUTMProjection utm(Wgs84(), 32, 0);
    return utm;
}

const GxLCCProjection& Lcc() {
    static const GxLCCProjection lcc(Wgs84(), 23, -96, 45, 33);
    return lcc;
}

const std::vector<gxVec3>& UtmPoints() {
    static const std::vector<gxVec3> points = Points(45, 9, 3);
    return points;
}

const std::vector<gxVec3>& LccPoints() {
    static const std::vector<gxVec3> points = Points(39, -96, 10);
    return points;
}

void BM_UtmForward(benchmark::State& state) {
    Forward(state, Utm(), UtmPoints());
}
BENCHMARK(BM_UtmForward);

void BM_UtmForwardBareProj(benchmark::State& state) {
    ForwardBare(state, BareProj(Utm()), UtmPoints());
}
BENCHMARK(BM_UtmForwardBareProj);

void BM_UtmInverse(benchmark::State& state) {
    const std::vector<gxVec3> map = Mapped(Utm(), UtmPoints());
    std::size_t i = 0;
    gxVec3 out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Utm().Proj2LatLong(map[i++ & (kCount - 1)], out));
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_UtmInverse);

void BM_UtmInverseBareProj(benchmark::State& state) {
    const BareProj bare(Utm());
    const std::vector<gxVec3> map = Mapped(Utm(), UtmPoints());
    std::size_t i = 0;
    for (auto _ : state) {
        const gxVec3& p = map[i++ & (kCount - 1)];
        PJ_COORD out = proj_trans(bare.Get(), PJ_INV, Coord(p[0], p[1]));
        out.v[0] *= 180.0 / M_PI;
        out.v[1] *= 180.0 / M_PI;
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_UtmInverseBareProj);

void BM_LccForward(benchmark::State& state) {
    Forward(state, Lcc(), LccPoints());
}
BENCHMARK(BM_LccForward);

void BM_LccForwardBareProj(benchmark::State& state) {
    ForwardBare(state, BareProj(Lcc()), LccPoints());
}
BENCHMARK(BM_LccForwardBareProj);

// The library's own projections against the same formula written out inline: the
// angles made from the point and the differences formed as GxGeoAngle differences,
// as the projections form them. Once through the gxVec3 overload and once through
// the angle form that it calls.
const std::vector<gxVec3>& GridPoints() {
    static const std::vector<gxVec3> points = Points(45, 9, 5);
    return points;
}

constexpr double kGridPi = 3.1415927;

template <class Projection>
void GridForwardAngles(benchmark::State& state) {
    const Projection projection(Wgs84(), 45, 9);
    std::vector<GxGeoAngle> lat, lon;
    for (const gxVec3& p : GridPoints()) {
        lat.emplace_back(p[1]);
        lon.emplace_back(p[0]);
    }
    std::size_t i = 0;
    double x, y;
    for (auto _ : state) {
        const std::size_t k = i++ & (kCount - 1);
        benchmark::DoNotOptimize(projection.LatLong2Proj(lat[k], lon[k], x, y));
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    }
}

template <bool pointCosine>
void GridForwardInline(benchmark::State& state) {
    const GxGeoAngle lat0(45.0), lon0(9.0);
    const double originCosine = std::cos(45.0 * kGridPi / 180.0);
    const std::vector<gxVec3>& points = GridPoints();
    std::size_t i = 0;
    for (auto _ : state) {
        const gxVec3& p = points[i++ & (kCount - 1)];
        const GxGeoAngle lat(p[1]), lon(p[0]);
        const double k =
            pointCosine ? std::cos(lat.GetDecimalDegrees() * kGridPi / 180.0) : originCosine;
        const double dLat = lat - lat0, dLon = lon - lon0;
        gxVec3 out(dLon * 111120.0 * k, dLat * 111120.0, p[2]);
        benchmark::DoNotOptimize(out);
    }
}

void BM_FlatEarthForward(benchmark::State& state) {
    Forward(state, GxFlatEarthProjection(Wgs84(), 45, 9), GridPoints());
}
BENCHMARK(BM_FlatEarthForward);
BENCHMARK_TEMPLATE(GridForwardAngles, GxFlatEarthProjection)->Name("BM_FlatEarthForwardAngles");
BENCHMARK_TEMPLATE(GridForwardInline, false)->Name("BM_FlatEarthForwardInline");

void BM_TrapezoidalForward(benchmark::State& state) {
    Forward(state, GxTrapezoidalProjection(Wgs84(), 45, 9), GridPoints());
}
BENCHMARK(BM_TrapezoidalForward);
BENCHMARK_TEMPLATE(GridForwardAngles, GxTrapezoidalProjection)->Name("BM_TrapezoidalForwardAngles");
BENCHMARK_TEMPLATE(GridForwardInline, true)->Name("BM_TrapezoidalForwardInline");

// UTM zone 32 north forward over a million points held in arrays of latitudes and
// longitudes, into arrays of x, y and z: the loop that the Python module's
// UTM.forward runs over numpy arrays, for bench/python_bench.py to compare with.
// Points as there: latitudes uniform in [0, 84), longitudes in [6, 12). The same
// output arrays are written on every run; the module's new arrays cost their
// first touch on top (python_bench.py measures that separately).
void BM_UtmForwardMillion(benchmark::State& state) {
    constexpr std::size_t count = 1000000;
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> latitude(0.0, 84.0), longitude(6.0, 12.0);
    std::vector<double> lat(count), lon(count), x(count), y(count), z(count);
    for (std::size_t i = 0; i < count; ++i) {
        lat[i] = latitude(random);
        lon[i] = longitude(random);
    }
    const GxUTMProjection utm(Wgs84(), 32, 0);
    for (auto _ : state) {
        for (std::size_t i = 0; i < count; ++i) {
            gxVec3 out(gxVec3::INIT_NONE);
            const bool ok = utm.LatLong2Proj(gxVec3(lon[i], lat[i], 0.0), out);
            x[i] = ok ? out[0] : NAN;
            y[i] = ok ? out[1] : NAN;
            z[i] = ok ? out[2] : NAN;
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}
BENCHMARK(BM_UtmForwardMillion)->Unit(benchmark::kMillisecond);

} // namespace
