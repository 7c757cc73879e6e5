#include <geoframe/math/gxMatrix4.h>

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using geoframe::bench::SomeTransform;

void BM_MatrixMultiply(benchmark::State& state) {
    const gxMatrix4 a = SomeTransform();
    gxMatrix4 b = SomeTransform();
    for (auto _ : state) {
        benchmark::DoNotOptimize(b);
        gxMatrix4 c = a * b;
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_MatrixMultiply);

void BM_MatrixInvert(benchmark::State& state) {
    const gxMatrix4 a = SomeTransform();
    for (auto _ : state) {
        gxMatrix4 m = a;
        benchmark::DoNotOptimize(m);
        benchmark::DoNotOptimize(m.invert());
    }
}
BENCHMARK(BM_MatrixInvert);

// A block of vertices through one transform, the inner loop of a scene tool;
// the time is per vertex.
void BM_Vec3XformPt(benchmark::State& state) {
    const gxMatrix4 m = SomeTransform();
    std::vector<gxVec3> in(1024), out(1024);
    for (std::size_t i = 0; i < in.size(); ++i)
        in[i].set(i * 0.5, i * -0.25, 100.0 - i);
    for (auto _ : state) {
        for (std::size_t i = 0; i < in.size(); ++i)
            out[i].xformPt(in[i], m);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_Vec3XformPt);

void BM_QuatSlerp(benchmark::State& state) {
    gxQuat a, b, r;
    a.makeRot(20, 0, 0, 1);
    b.makeRot(130, 0.6, 0.8, 0);
    double t = 0;
    for (auto _ : state) {
        r.slerp(t, a, b);
        benchmark::DoNotOptimize(r);
        t = t > 1 ? 0 : t + 1e-3;
    }
}
BENCHMARK(BM_QuatSlerp);

void BM_MatrixEulerRoundTrip(benchmark::State& state) {
    gxMatrix4 m;
    gxVec3 hpr(30, 20, 10);
    for (auto _ : state) {
        m.makeEuler(hpr);
        m.getEuler(hpr);
        benchmark::DoNotOptimize(hpr);
    }
}
BENCHMARK(BM_MatrixEulerRoundTrip);

} // namespace
