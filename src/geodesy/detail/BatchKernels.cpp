#include "geodesy/detail/BatchKernels.h"

#include <geoframe/geodesy/GxGeoAngle.h>

#include <atomic>

namespace geoframe::detail {

namespace {

/// The build UseKernels chose; null for the processor's best.
std::atomic<const KernelSet*> g_chosen{nullptr};

bool Supports(KernelBuild build) {
#ifdef GEOFRAME_X86_KERNELS
    __builtin_cpu_init();
    const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    if (build == KernelBuild::Avx512)
        return avx2 && __builtin_cpu_supports("avx512f");
    if (build == KernelBuild::Avx2)
        return avx2;
#endif
    return build == KernelBuild::Portable;
}

const KernelSet& Build(KernelBuild build) {
#ifdef GEOFRAME_X86_KERNELS
    if (build == KernelBuild::Avx512)
        return Avx512Kernels();
    if (build == KernelBuild::Avx2)
        return Avx2Kernels();
#endif
    return PortableKernels();
}

const KernelSet& BestKernels() {
    static const KernelSet& best = Build(Supports(KernelBuild::Avx512) ? KernelBuild::Avx512
                                         : Supports(KernelBuild::Avx2) ? KernelBuild::Avx2
                                                                       : KernelBuild::Portable);
    return best;
}

const KernelSet& Kernels() {
    const KernelSet* chosen = g_chosen.load(std::memory_order_relaxed);
    return chosen ? *chosen : BestKernels();
}

} // namespace

bool UseKernels(KernelBuild build) {
    if (build == KernelBuild::Best) {
        g_chosen.store(nullptr, std::memory_order_relaxed);
        return true;
    }
    if (!Supports(build))
        return false;
    g_chosen.store(&Build(build), std::memory_order_relaxed);
    return true;
}

TmSeries MakeUtmSeries(double a, double b, int zone, bool south) {
    constexpr double k0 = 0.9996;
    TmSeries s{};
    s.centralMeridian = (zone - 1 + 0.5) * 3.141592653589793 / 30.0 - 3.141592653589793;
    s.centralMeridianDegrees = zone * 6.0 - 183.0;
    s.falseEasting = 500000.0;
    s.falseNorthing = south ? 10000000.0 : 0.0;

    // Third flattening and the Krueger series to n^6 (Karney 2011, eqs. 14, 35, 36).
    const double n = (a - b) / (a + b);
    const double n2 = n * n;
    s.scale = a * k0 / (1.0 + n) * (1.0 + n2 * (1.0 / 4 + n2 * (1.0 / 64 + n2 / 256)));

    double* al = s.alpha;
    al[0] = n * (1.0 / 2 +
                 n * (-2.0 / 3 +
                      n * (5.0 / 16 + n * (41.0 / 180 + n * (-127.0 / 288 + n * 7891.0 / 37800)))));
    al[1] =
        n2 * (13.0 / 48 +
              n * (-3.0 / 5 + n * (557.0 / 1440 + n * (281.0 / 630 + n * -1983433.0 / 1935360))));
    al[2] =
        n2 * n * (61.0 / 240 + n * (-103.0 / 140 + n * (15061.0 / 26880 + n * 167603.0 / 181440)));
    al[3] = n2 * n2 * (49561.0 / 161280 + n * (-179.0 / 168 + n * 6601661.0 / 7257600));
    al[4] = n2 * n2 * n * (34729.0 / 80640 + n * -3418889.0 / 1995840);
    al[5] = n2 * n2 * n2 * 212378941.0 / 319334400;

    double* be = s.beta;
    be[0] =
        n * (1.0 / 2 +
             n * (-2.0 / 3 +
                  n * (37.0 / 96 + n * (-1.0 / 360 + n * (-81.0 / 512 + n * 96199.0 / 604800)))));
    be[1] =
        n2 * (1.0 / 48 +
              n * (1.0 / 15 + n * (-437.0 / 1440 + n * (46.0 / 105 + n * -1118711.0 / 3870720))));
    be[2] = n2 * n * (17.0 / 480 + n * (-37.0 / 840 + n * (-209.0 / 4480 + n * 5569.0 / 90720)));
    be[3] = n2 * n2 * (4397.0 / 161280 + n * (-11.0 / 504 + n * -830251.0 / 7257600));
    be[4] = n2 * n2 * n * (4583.0 / 161280 + n * -108847.0 / 3991680);
    be[5] = n2 * n2 * n2 * 20648693.0 / 638668800;

    // Geodetic <-> conformal latitude, to n^6.
    double* tc = s.toConformal;
    tc[0] =
        n * (-2.0 + n * (2.0 / 3 +
                         n * (4.0 / 3 + n * (-82.0 / 45 + n * (32.0 / 45 + n * 4642.0 / 4725)))));
    tc[1] =
        n2 * (5.0 / 3 + n * (-16.0 / 15 + n * (-13.0 / 9 + n * (904.0 / 315 + n * -1522.0 / 945))));
    tc[2] = n2 * n * (-26.0 / 15 + n * (34.0 / 21 + n * (8.0 / 5 + n * -12686.0 / 2835)));
    tc[3] = n2 * n2 * (1237.0 / 630 + n * (-12.0 / 5 + n * -24832.0 / 14175));
    tc[4] = n2 * n2 * n * (-734.0 / 315 + n * 109598.0 / 31185);
    tc[5] = n2 * n2 * n2 * 444337.0 / 155925;

    double* fc = s.fromConformal;
    fc[0] = n * (2.0 + n * (-2.0 / 3 +
                            n * (-2.0 + n * (116.0 / 45 + n * (26.0 / 45 + n * -2854.0 / 675)))));
    fc[1] =
        n2 * (7.0 / 3 + n * (-8.0 / 5 + n * (-227.0 / 45 + n * (2704.0 / 315 + n * 2323.0 / 945))));
    fc[2] = n2 * n * (56.0 / 15 + n * (-136.0 / 35 + n * (-1262.0 / 105 + n * 73814.0 / 2835)));
    fc[3] = n2 * n2 * (4279.0 / 630 + n * (-332.0 / 35 + n * -399572.0 / 14175));
    fc[4] = n2 * n2 * n * (4174.0 / 315 + n * -144838.0 / 6237);
    fc[5] = n2 * n2 * n2 * 601676.0 / 22275;
    return s;
}

void WrapDegreesSlowly(double* block) {
    for (std::size_t j = 0; j < kBlock; ++j)
        block[j] = GxGeoAngle(block[j]).GetDecimalDegrees();
}

std::size_t TmForwardArray(const TmSeries& series, double x0, double y0, std::size_t n,
                           const double* lat, const double* lon, double* x, double* y) {
    return Kernels().tmForward(series, x0, y0, n, lat, lon, x, y);
}

std::size_t TmInverseArray(const TmSeries& series, double x0, double y0, std::size_t n,
                           const double* x, const double* y, double* lat, double* lon) {
    return Kernels().tmInverse(series, x0, y0, n, x, y, lat, lon);
}

std::size_t GeocentricForwardArray(const GeocentricFigure& figure, std::size_t n, const double* lat,
                                   const double* lon, const double* h, double* x, double* y,
                                   double* z) {
    return Kernels().geocentricForward(figure, n, lat, lon, h, x, y, z);
}

std::size_t GeocentricReverseArray(const GeocentricFigure& figure, std::size_t n, const double* x,
                                   const double* y, const double* z, double* lat, double* lon,
                                   double* h) {
    return Kernels().geocentricReverse(figure, n, x, y, z, lat, lon, h);
}

} // namespace geoframe::detail
