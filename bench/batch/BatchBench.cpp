// The array conversions on a million points against their peers in the same run:
// the per-point path, bare proj_trans with the very parameter list the projection
// made, and GeographicLib. Each benchmark is named "<work>/<implementation>";
// the "per_point" counter is CPU time per point.

#include <geoframe/geoframe.h>

#include "../BenchSupport.h"
#include "geodesy/detail/BatchKernels.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/TransverseMercator.hpp>
#include <benchmark/benchmark.h>
#include <proj.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr std::size_t kPoints = 1000000;
constexpr double kDegree = M_PI / 180;

/// A million points in UTM zone 32 north with their map and geocentric coordinates.
struct Data {
    GxSmartRef<GxEllipsoidBase> wgs84{new GxEllipsoid("WGS84")};
    GxUTMProjection utm{wgs84, 32, 0};
    std::vector<double> lat, lon, h, x, y, gx, gy, gz;
    PJ_CONTEXT* context = proj_context_create();
    PJ* bare = nullptr;
    double a = 0, f = 0; // the radii of the parameter list
    // GeographicLib's geocentric conversion on the ellipsoid's own radii.
    GeographicLib::Geocentric geocentric{
        wgs84->GetSemiMajorRadius(), 1 - wgs84->GetSemiMinorRadius() / wgs84->GetSemiMajorRadius()};

    Data()
        : lat(kPoints), lon(kPoints), h(kPoints), x(kPoints), y(kPoints), gx(kPoints), gy(kPoints),
          gz(kPoints) {
        std::mt19937_64 random(7);
        std::uniform_real_distribution<double> la(30, 60), lo(6, 12), he(-100, 9000);
        for (std::size_t i = 0; i < kPoints; ++i)
            lat[i] = la(random), lon[i] = lo(random), h[i] = he(random);
        utm.LatLong2ProjArray(kPoints, lat.data(), lon.data(), x.data(), y.data());
        wgs84->LatLongToGeocentricArray(kPoints, lat.data(), lon.data(), h.data(), gx.data(),
                                        gy.data(), gz.data());
        proj_log_level(context, PJ_LOG_NONE);
        std::vector<std::string> texts = utm.GetParameterList();
        std::vector<char*> argv;
        double b = 0;
        for (std::string& text : texts) {
            argv.push_back(text.data());
            if (text.compare(0, 2, "a=") == 0)
                a = std::atof(text.c_str() + 2);
            if (text.compare(0, 2, "b=") == 0)
                b = std::atof(text.c_str() + 2);
        }
        bare = proj_create_argv(context, static_cast<int>(argv.size()), argv.data());
        f = (a - b) / a;
    }
};

Data& Points() {
    static Data data;
    return data;
}

std::vector<double> out1(kPoints), out2(kPoints), out3(kPoints);

void Finish(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * kPoints);
    // Seconds per point, shown with its prefix ("22.6n").
    state.counters["per_point"] = benchmark::Counter(
        kPoints, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

using geoframe::detail::KernelBuild;

/// The batch call on one build of the kernels (skipped where the processor has
/// not got it).
template <class Call>
void Batch(benchmark::State& state, KernelBuild build, Call call) {
    if (!geoframe::detail::UseKernels(build)) {
        state.SkipWithError("this processor has not got this build");
        return;
    }
    for (auto _ : state) {
        call();
        benchmark::ClobberMemory();
    }
    geoframe::detail::UseKernels(KernelBuild::Best);
    Finish(state);
}

/// Registers `function` on each build of the kernels as "<work>/geoframe batch",
/// "..., AVX2" and "..., portable".
#define BATCH_BENCHMARKS(function, work)                                                           \
    BENCHMARK_CAPTURE(function, best, KernelBuild::Best)->Name(work "/geoframe batch");            \
    BENCHMARK_CAPTURE(function, avx2, KernelBuild::Avx2)->Name(work "/geoframe batch, AVX2");      \
    BENCHMARK_CAPTURE(function, portable, KernelBuild::Portable)                                   \
        ->Name(work "/geoframe batch, portable")

template <class Step>
void Loop(benchmark::State& state, Step step) {
    for (auto _ : state) {
        for (std::size_t i = 0; i < kPoints; ++i)
            step(i);
        benchmark::ClobberMemory();
    }
    Finish(state);
}

void UtmForwardBatch(benchmark::State& state, KernelBuild build) {
    Data& d = Points();
    Batch(state, build, [&] {
        d.utm.LatLong2ProjArray(kPoints, d.lat.data(), d.lon.data(), out1.data(), out2.data());
    });
}
BATCH_BENCHMARKS(UtmForwardBatch, "UTM forward");

void UtmForwardPerPoint(benchmark::State& state) {
    Data& d = Points();
    Loop(state, [&](std::size_t i) {
        d.utm.LatLong2Proj(GxGeoAngle(d.lat[i]), GxGeoAngle(d.lon[i]), out1[i], out2[i]);
    });
}
BENCHMARK(UtmForwardPerPoint)->Name("UTM forward/geoframe per point");

void UtmForwardProj(benchmark::State& state) {
    Data& d = Points();
    Loop(state, [&](std::size_t i) {
        const PJ_COORD c = proj_trans(
            d.bare, PJ_FWD, geoframe::bench::Coord(d.lon[i] * kDegree, d.lat[i] * kDegree));
        out1[i] = c.v[0];
        out2[i] = c.v[1];
    });
}
BENCHMARK(UtmForwardProj)->Name("UTM forward/proj_trans");

void UtmForwardGeographicLib(benchmark::State& state) {
    Data& d = Points();
    const GeographicLib::TransverseMercator tm(d.a, d.f, 0.9996);
    Loop(state, [&](std::size_t i) { tm.Forward(9, d.lat[i], d.lon[i], out1[i], out2[i]); });
}
BENCHMARK(UtmForwardGeographicLib)->Name("UTM forward/GeographicLib");

void UtmInverseBatch(benchmark::State& state, KernelBuild build) {
    Data& d = Points();
    Batch(state, build, [&] {
        d.utm.Proj2LatLongArray(kPoints, d.x.data(), d.y.data(), out1.data(), out2.data());
    });
}
BATCH_BENCHMARKS(UtmInverseBatch, "UTM inverse");

void UtmInversePerPoint(benchmark::State& state) {
    Data& d = Points();
    Loop(state, [&](std::size_t i) { d.utm.Proj2LatLong(d.x[i], d.y[i], out1[i], out2[i]); });
}
BENCHMARK(UtmInversePerPoint)->Name("UTM inverse/geoframe per point");

void UtmInverseProj(benchmark::State& state) {
    Data& d = Points();
    Loop(state, [&](std::size_t i) {
        const PJ_COORD c = proj_trans(d.bare, PJ_INV, geoframe::bench::Coord(d.x[i], d.y[i]));
        out1[i] = c.v[1] / kDegree;
        out2[i] = c.v[0] / kDegree;
    });
}
BENCHMARK(UtmInverseProj)->Name("UTM inverse/proj_trans");

void UtmInverseGeographicLib(benchmark::State& state) {
    Data& d = Points();
    const GeographicLib::TransverseMercator tm(d.a, d.f, 0.9996);
    Loop(state, [&](std::size_t i) { tm.Reverse(9, d.x[i] - 500000, d.y[i], out1[i], out2[i]); });
}
BENCHMARK(UtmInverseGeographicLib)->Name("UTM inverse/GeographicLib");

void GeocentricForwardBatch(benchmark::State& state, KernelBuild build) {
    Data& d = Points();
    Batch(state, build, [&] {
        d.wgs84->LatLongToGeocentricArray(kPoints, d.lat.data(), d.lon.data(), d.h.data(),
                                          out1.data(), out2.data(), out3.data());
    });
}
BATCH_BENCHMARKS(GeocentricForwardBatch, "geocentric forward");

void GeocentricForwardPerPoint(benchmark::State& state) {
    Data& d = Points();
    const GxEllipsoidBase& e = *d.wgs84;
    Loop(state, [&](std::size_t i) {
        e.LatLongToGeocentric(d.lat[i], d.lon[i], d.h[i], out1[i], out2[i], out3[i]);
    });
}
BENCHMARK(GeocentricForwardPerPoint)->Name("geocentric forward/geoframe per point");

void GeocentricForwardGeographicLib(benchmark::State& state) {
    Data& d = Points();
    const GeographicLib::Geocentric& g = d.geocentric;
    Loop(state,
         [&](std::size_t i) { g.Forward(d.lat[i], d.lon[i], d.h[i], out1[i], out2[i], out3[i]); });
}
BENCHMARK(GeocentricForwardGeographicLib)->Name("geocentric forward/GeographicLib");

void GeocentricReverseBatch(benchmark::State& state, KernelBuild build) {
    Data& d = Points();
    Batch(state, build, [&] {
        d.wgs84->GeocentricToLatLongArray(kPoints, d.gx.data(), d.gy.data(), d.gz.data(),
                                          out1.data(), out2.data(), out3.data());
    });
}
BATCH_BENCHMARKS(GeocentricReverseBatch, "geocentric reverse");

void GeocentricReversePerPoint(benchmark::State& state) {
    Data& d = Points();
    const GxEllipsoidBase& e = *d.wgs84;
    Loop(state, [&](std::size_t i) {
        e.GeocentricToLatLong(d.gx[i], d.gy[i], d.gz[i], out1[i], out2[i], out3[i], true);
    });
}
BENCHMARK(GeocentricReversePerPoint)->Name("geocentric reverse/geoframe per point");

void GeocentricReverseGeographicLib(benchmark::State& state) {
    Data& d = Points();
    const GeographicLib::Geocentric& g = d.geocentric;
    Loop(state,
         [&](std::size_t i) { g.Reverse(d.gx[i], d.gy[i], d.gz[i], out1[i], out2[i], out3[i]); });
}
BENCHMARK(GeocentricReverseGeographicLib)->Name("geocentric reverse/GeographicLib");

} // namespace
