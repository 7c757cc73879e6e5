#include <geoframe/geodesy/GxGeoAngle.h>

#include <benchmark/benchmark.h>

namespace {

void BM_AngleNormalise(benchmark::State& state) {
    double degrees = -725.25;
    for (auto _ : state) {
        GxGeoAngle angle(degrees);
        benchmark::DoNotOptimize(angle.GetRadians());
        degrees += 0.001;
    }
}
BENCHMARK(BM_AngleNormalise);

void BM_AngleWriteDms(benchmark::State& state) {
    const GxGeoAngle angle(-33.8675, "S");
    for (auto _ : state) {
        char* text = angle.GetDMSString(2);
        benchmark::DoNotOptimize(text);
        angle.FreeString(text);
    }
}
BENCHMARK(BM_AngleWriteDms);

void BM_AngleReadDms(benchmark::State& state) {
    GxGeoAngle angle;
    for (auto _ : state) {
        benchmark::DoNotOptimize(angle.SetDMSString("33~52'3.00\" S"));
    }
}
BENCHMARK(BM_AngleReadDms);

void BM_AngleReadStrict(benchmark::State& state) {
    GxGeoAngle angle;
    for (auto _ : state) {
        benchmark::DoNotOptimize(angle.SetAngleText("33~52'3.00\" S"));
    }
}
BENCHMARK(BM_AngleReadStrict);

} // namespace
