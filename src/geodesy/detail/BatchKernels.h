#ifndef GEOFRAME_SRC_GEODESY_DETAIL_BATCHKERNELS_H
#define GEOFRAME_SRC_GEODESY_DETAIL_BATCHKERNELS_H

// The library's own array conversions: UTM (the 6th-order Krueger series, the
// algorithm PROJ's utm uses) and geodetic <-> geocentric. Each kernel converts one
// block of kBlock points held in aligned local arrays, so every point runs through
// the same vector code whatever its place in the caller's array; the drivers here
// copy the caller's points in and out block by block. The kernels are built for
// any processor and, on x86-64, for AVX2 with FMA and for AVX-512; the first array
// call picks the widest the processor has.

#include <geoframe/geoframe_export.h>

#include "geodesy/DegreesPerRadian.h"

#include <cstddef>

namespace geoframe::detail {

constexpr std::size_t kBlock = 16;

/// A transverse Mercator on a figure, with the series coefficients worked out once.
struct TmSeries {
    double centralMeridian; ///< radians, as PROJ computes it
    double centralMeridianDegrees;
    double scale; ///< metres per unit of the normalised coordinates (a k0 A/a)
    double falseEasting;
    double falseNorthing;
    double alpha[6];         ///< conformal latitude/longitude -> normalised coordinates
    double beta[6];          ///< and back
    double toConformal[6];   ///< geodetic -> conformal latitude
    double fromConformal[6]; ///< conformal -> geodetic latitude
};

/// UTM in `zone` (1..60), `south` with false northing 10,000,000, on radii a and b.
TmSeries MakeUtmSeries(double a, double b, int zone, bool south);

/// Semi-major radius and eccentricity squared, as the ellipsoid's per-point
/// conversions use them, and the semi-minor radius (the centre is at height -b).
struct GeocentricFigure {
    double a;
    double e2;
    double b;
};

/// The array conversions of one instruction set, as the drivers below describe
/// them. Inside, each converts blocks of kBlock points held in aligned local
/// arrays, angles in decimal degrees wrapped as GxGeoAngle wraps them.
struct KernelSet {
    std::size_t (*tmForward)(const TmSeries&, double x0, double y0, std::size_t n,
                             const double* lat, const double* lon, double* x, double* y);
    std::size_t (*tmInverse)(const TmSeries&, double x0, double y0, std::size_t n, const double* x,
                             const double* y, double* lat, double* lon);
    std::size_t (*geocentricForward)(const GeocentricFigure&, std::size_t n, const double* lat,
                                     const double* lon, const double* h, double* x, double* y,
                                     double* z);
    std::size_t (*geocentricReverse)(const GeocentricFigure&, std::size_t n, const double* x,
                                     const double* y, const double* z, double* lat, double* lon,
                                     double* h);
};

/// The kBlock angles of a block in degrees wrapped into one turn by GxGeoAngle
/// (infinity becomes NaN): what the kernels call for the rare block that needs it.
void WrapDegreesSlowly(double* block);

const KernelSet& PortableKernels();
#ifdef GEOFRAME_X86_KERNELS
const KernelSet& Avx2Kernels();
const KernelSet& Avx512Kernels();
#endif

/// The builds of the kernels: Best is the one the processor is given by default.
enum class KernelBuild { Best, Portable, Avx2, Avx512 };

/// For the test suite and the benchmarks: makes every array call from then on
/// use `build`. False, nothing changed, when this processor or this build of
/// the library has not got it. Not for applications.
GEOFRAME_EXPORT bool UseKernels(KernelBuild build);

// The array drivers: n points in, n out, outputs may be the input arrays
// themselves; each returns how many points converted (the others get NaN).

/// UTM forward less the local origin (x0, y0).
std::size_t TmForwardArray(const TmSeries& series, double x0, double y0, std::size_t n,
                           const double* lat, const double* lon, double* x, double* y);
/// UTM inverse of (x + x0, y + y0).
std::size_t TmInverseArray(const TmSeries& series, double x0, double y0, std::size_t n,
                           const double* x, const double* y, double* lat, double* lon);
std::size_t GeocentricForwardArray(const GeocentricFigure& figure, std::size_t n, const double* lat,
                                   const double* lon, const double* h, double* x, double* y,
                                   double* z);
std::size_t GeocentricReverseArray(const GeocentricFigure& figure, std::size_t n, const double* x,
                                   const double* y, const double* z, double* lat, double* lon,
                                   double* h);

} // namespace geoframe::detail

#endif
