// Reading a CRS from PROJ's database and writing one back, against PROJ's own
// lookup of the same code.

#include <geoframe/geoframe.h>

#include <benchmark/benchmark.h>
#include <proj.h>

namespace {

/// A new object per read: a PROJ context made and proj.db opened each time.
void BM_CrsReadEpsgFresh(benchmark::State& state) {
    for (auto _ : state) {
        GxCrsDefinition crs;
        benchmark::DoNotOptimize(crs.Read("EPSG:2154"));
    }
}
BENCHMARK(BM_CrsReadEpsgFresh)->Unit(benchmark::kMillisecond);

/// One object reading again: the context and database stay open.
void BM_CrsReadEpsgReused(benchmark::State& state) {
    GxCrsDefinition crs;
    for (auto _ : state)
        benchmark::DoNotOptimize(crs.Read("EPSG:2154"));
}
BENCHMARK(BM_CrsReadEpsgReused)->Unit(benchmark::kMillisecond);

/// PROJ making the CRS object alone, context reused (PROJ caches the objects it
/// read from its database per context, so this is the lookup without the work).
void BM_CrsReadEpsgBareProj(benchmark::State& state) {
    PJ_CONTEXT* context = proj_context_create();
    for (auto _ : state) {
        PJ* crs = proj_create(context, "EPSG:2154");
        benchmark::DoNotOptimize(crs);
        proj_destroy(crs);
    }
    proj_context_destroy(context);
}
BENCHMARK(BM_CrsReadEpsgBareProj)->Unit(benchmark::kMillisecond);

void BM_CrsWriteWkt(benchmark::State& state) {
    GxCrsDefinition crs;
    crs.Read("EPSG:2154");
    const GxSmartRef<GxCoordSys> system = crs.GetCoordSys();
    for (auto _ : state)
        benchmark::DoNotOptimize(crs.Write(*system, GxCrsDefinition::FORMAT_WKT2_2019));
}
BENCHMARK(BM_CrsWriteWkt)->Unit(benchmark::kMillisecond);

} // namespace
