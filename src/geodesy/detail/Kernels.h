// The batch kernels themselves, compiled once per instruction set: a source
// defines GEOFRAME_KERNEL_NS, includes <cstdint> and BatchKernels.h, then this
// file, and gets a KernelSet named kKernels in that namespace. Every conversion
// loop runs over exactly kBlock lanes of aligned local arrays, with selects
// instead of branches, so that it vectorises and a point's result does not depend
// on its lane. Nothing here is an inline function shared with other sources: the
// instruction sets never mix.

namespace geoframe::detail::GEOFRAME_KERNEL_NS {
namespace {

#include "geodesy/detail/KernelMath.h"

using namespace kmath;

/// Degrees to radians, within a unit in the last place of GxGeoAngle::GetRadians.
inline double Radians(double degrees) {
    return degrees * 0.017453292519943295;
}

/// offset + (rad + step radians in degrees), rounded once, as the per-point
/// geocentric conversion rounds its latitude (180/pi as the sum of the nearest
/// double and the rest).
inline double DegreesRoundedOnce(double rad, double step, double offset = 0.0) {
    constexpr double hi = geoframe::detail::kDegPerRadHi, lo = geoframe::detail::kDegPerRadLo;
    const double p = rad * hi;
    const double sum = p + offset;
    return sum + (((ProductError(rad, hi, p) + SumError(p, offset, sum)) + step * hi) + rad * lo);
}

/// offset + scale * (hi + lo), rounded once.
inline double Scaled(double scale, double hi, double lo, double offset) {
    const double product = scale * hi;
    const double sum = product + offset;
    return sum + ((SumError(product, offset, sum) + ProductError(scale, hi, product)) + scale * lo);
}

/// Degrees to radians exactly as GxGeoAngle::GetRadians computes them.
inline double RadiansAsPerPoint(double degrees) {
    return degrees * kPi / 180.0;
}

/// Sum of c[k] sin(2(k+1) angle) for k = 0..5, from sin and cos of 2 angle.
inline double Clenshaw(const double* c, double sin2, double cos2) {
    const double twoCos = 2.0 * cos2;
    double h1 = c[5];
    double h2 = 0.0;
    for (int k = 4; k >= 0; --k) {
        const double h = twoCos * h1 - h2 + c[k];
        h2 = h1;
        h1 = h;
    }
    return h1 * sin2;
}

/// The complex sum of c[k] sin(2(k+1)(xi + i eta)), from sin/cos of 2 xi and
/// sinh/cosh of 2 eta: real part to `re`, imaginary to `im`.
inline void ClenshawComplex(const double* c, double sin2, double cos2, double sinh2, double cosh2,
                            double& re, double& im) {
    const double ar = 2.0 * cos2 * cosh2;
    const double ai = -2.0 * sin2 * sinh2;
    double hr = c[5], hi = 0.0, hr1 = 0.0, hi1 = 0.0;
    for (int k = 4; k >= 0; --k) {
        const double hr2 = hr1, hi2 = hi1;
        hr1 = hr;
        hi1 = hi;
        hr = -hr2 + ar * hr1 - ai * hi1 + c[k];
        hi = -hi2 + ai * hr1 + ar * hi1;
    }
    const double sr = sin2 * cosh2;
    const double si = cos2 * sinh2;
    re = sr * hr - si * hi;
    im = sr * hi + si * hr;
}

/// PROJ refuses normalised eastings beyond this (about 150 degrees of arc).
constexpr double kEtaLimit = 2.623395162778;
/// Normalised northings beyond this lie past the far pole: no point maps there.
constexpr double kXiLimit = kPi;

// Kept out of line: inlined into its driver, the loop no longer vectorises.
__attribute__((noinline)) void TmForward(const TmSeries& series, const double* __restrict latDeg,
                                         const double* __restrict lonDeg, double* __restrict xOut,
                                         double* __restrict yOut) {
    // Everything the lanes read, in locals: loads under a condition do not vectorise.
    const TmSeries s = series;
    const double scale = s.scale, fe = s.falseEasting, fn = s.falseNorthing;
    const double lam0 = s.centralMeridian;
    const double nan = __builtin_nan("");
#pragma GCC unroll 1
    for (std::size_t j = 0; j < kBlock; ++j) {
        // Latitude: beyond +-90 by more than PROJ's 1e-12 rad is refused, the
        // rest clamped; the longitude is taken from the central meridian.
        double phi = RadiansAsPerPoint(latDeg[j]);
        bool ok = Abs(phi) - kHalfPi <= 1e-12;
        phi = ok ? Min(Max(phi, -kHalfPi), kHalfPi) : 0.0;
        // The longitude from the central meridian in radians, wrapped as PROJ
        // wraps it: its roundings (6 nm on the ground for a unit in the last place
        // of 2 pi, next to the antimeridian) are the per-point path's, kept.
        double lam = RadiansAsPerPoint(lonDeg[j]) - lam0;
        const double turns = Floor((lam + kPi) * (1.0 / kTwoPi));
        lam = Abs(lam) < kPi + 1e-12 ? lam : ((lam + kPi) - kTwoPi * turns) - kPi;
        const bool inTurn = Abs(lam) <= kPi + 1e-12;
        ok = ok & inTurn;
        lam = ok ? lam : 0.0;

        double sp, cp;
        SinCos(phi, sp, cp);
        // Conformal latitude chi = phi + d by its series; sin and cos of chi by
        // turning through the small angle d.
        const double d = Clenshaw(s.toConformal, 2.0 * sp * cp, (cp - sp) * (cp + sp));
        const double d2 = d * d;
        const double sd =
            d * (1.0 - d2 * (1.0 / 6) * (1.0 - d2 * (1.0 / 20) * (1.0 - d2 * (1.0 / 42))));
        const double cd =
            1.0 -
            d2 * 0.5 * (1.0 - d2 * (1.0 / 12) * (1.0 - d2 * (1.0 / 30) * (1.0 - d2 * (1.0 / 56))));
        const double sChi = sp * cd + cp * sd;
        const double cChi = cp * cd - sp * sd;

        double sl, cl;
        SinCos(lam, sl, cl);
        // The spherical transverse Mercator of (chi, lam): xi' and eta' =
        // asinh(t); sin/cos 2xi' and sinh/cosh 2eta' follow without more
        // transcendental functions.
        const double cc = cChi * cl;
        const double h2 = sChi * sChi + cc * cc;
        const double invH2 = 1.0 / h2;
        const double invHyp = Sqrt(invH2);
        double xiP, xiRest;
        Atan2(sChi, cc, xiP, xiRest);
        const double t = sl * cChi * invHyp;
        const double at = Abs(t);
        const double root = Sqrt(1.0 + t * t);
        const double etaP = CopySign(Log1p(at + at * at / (1.0 + root)), t);
        const double sin2 = 2.0 * sChi * cc * invH2;
        const double cos2 = (cc - sChi) * (cc + sChi) * invH2;
        const double sinh2 = 2.0 * t * root;
        const double cosh2 = 1.0 + 2.0 * t * t;
        double re, im;
        ClenshawComplex(s.alpha, sin2, cos2, sinh2, cosh2, re, im);
        const bool inLimit = Abs(etaP + im) <= kEtaLimit;
        ok = ok & inLimit;
        // x and y rounded once from xi = xiP + (xiRest + re), eta = etaP + im.
        const double x = Scaled(scale, etaP, im, fe);
        const double y = Scaled(scale, xiP, xiRest + re, fn);
        xOut[j] = ok ? x : nan;
        yOut[j] = ok ? y : nan;
    }
}

// Kept out of line: inlined into its driver, the loop no longer vectorises.
__attribute__((noinline)) void TmInverse(const TmSeries& series, const double* __restrict xIn,
                                         const double* __restrict yIn, double* __restrict latOut,
                                         double* __restrict lonOut) {
    const TmSeries s = series;
    const double scale = s.scale, fe = s.falseEasting, fn = s.falseNorthing;
    const double lon0 = s.centralMeridianDegrees, invScale = 1.0 / scale;
    const double nan = __builtin_nan("");
#pragma GCC unroll 1
    for (std::size_t j = 0; j < kBlock; ++j) {
        double xi = (yIn[j] - fn) * invScale;
        double eta = (xIn[j] - fe) * invScale;
        const bool etaOk = Abs(eta) <= kEtaLimit, xiOk = Abs(xi) <= kXiLimit;
        const bool ok = etaOk & xiOk;
        xi = ok ? xi : 0.0;
        eta = ok ? eta : 0.0;

        double sx, cx;
        SinCos(xi, sx, cx);
        const double e = Exp(2.0 * eta);
        const double ei = 1.0 / e;
        double re, im;
        ClenshawComplex(s.beta, 2.0 * sx * cx, (cx - sx) * (cx + sx), 0.5 * (e - ei),
                        0.5 * (e + ei), re, im);
        const double xiP = xi - re;
        const double etaP = eta - im;

        // Conformal latitude and the longitude from the central meridian.
        double sxP, cxP;
        SinCos(xiP, sxP, cxP);
        const double ep = Exp(etaP);
        const double sinhP = 0.5 * (ep - 1.0 / ep);
        const double modulus = Sqrt(sinhP * sinhP + cxP * cxP);
        double lam, lamRest, chi, chiRest;
        Atan2(sinhP, cxP, lam, lamRest);
        Atan2(sxP, modulus, chi, chiRest);
        const double k = 2.0 * modulus / (sinhP * sinhP + 1.0);
        const double dPhi = Clenshaw(s.fromConformal, sxP * k, k * modulus - 1.0);
        const double lat = DegreesRoundedOnce(chi, chiRest + dPhi);
        // The central meridian added in degrees (GxGeoAngle wraps the sum exactly).
        const double lon = DegreesRoundedOnce(lam, lamRest, lon0);
        latOut[j] = ok ? lat : nan;
        lonOut[j] = ok ? lon : nan;
    }
}

// Kept out of line: inlined into its driver, the loop no longer vectorises.
__attribute__((noinline)) void
GeocentricForward(const GeocentricFigure& figure, const double* __restrict latDeg,
                  const double* __restrict lonDeg, const double* __restrict h,
                  double* __restrict xOut, double* __restrict yOut, double* __restrict zOut) {
    const double a = figure.a, e2 = figure.e2;
    const double nan = __builtin_nan("");
#pragma GCC unroll 1
    for (std::size_t j = 0; j < kBlock; ++j) {
        const bool latOk = Abs(latDeg[j]) <= 90.0, lonOk = Abs(lonDeg[j]) <= 180.0;
        const bool hOk = Abs(h[j]) <= 1.7976931348623157e308;
        const bool ok = latOk & lonOk & hOk;
        double sp, cp, sl, cl;
        const double phi = Radians(latDeg[j]);
        const double lam = Radians(lonDeg[j]);
        SinCos(ok ? phi : 0.0, sp, cp);
        SinCos(ok ? lam : 0.0, sl, cl);
        const double n = a / Sqrt(1.0 - e2 * sp * sp);
        const double nh = n + h[j];
        const double x = nh * cp * cl;
        const double y = nh * cp * sl;
        const double z = ((1.0 - e2) * n + h[j]) * sp;
        xOut[j] = ok ? x : nan;
        yOut[j] = ok ? y : nan;
        zOut[j] = ok ? z : nan;
    }
}

// Kept out of line: inlined into its driver, the loop no longer vectorises.
__attribute__((noinline)) void
GeocentricReverse(const GeocentricFigure& figure, const double* __restrict xIn,
                  const double* __restrict yIn, const double* __restrict zIn,
                  double* __restrict latOut, double* __restrict lonOut, double* __restrict hOut) {
    const double a = figure.a, e2 = figure.e2, axisB = figure.b;
    const double ratio = Sqrt(1.0 - e2); // b / a of the figure e2 describes
    const double b = a * ratio;
    const double ep2b = e2 / (1.0 - e2) * b; // e'^2 b
    const double e2a = e2 * a;
#pragma GCC unroll 1
    for (std::size_t j = 0; j < kBlock; ++j) {
        const double x = xIn[j], y = yIn[j], z = zIn[j];
        // p = sqrt(x^2 + y^2) + pLo to twice the precision: the latitude's
        // direction and the height are differences against it.
        const double xx = x * x, yy = y * y, ss = xx + yy;
        const double ssLo = ProductError(x, x, xx) + ProductError(y, y, yy) + SumError(xx, yy, ss);
        const double p = Sqrt(ss);
        const double pp = p * p;
        const double pLo = p > 0.0 ? ((ss - pp) - ProductError(p, p, pp) + ssLo) / (2.0 * p) : 0.0;
        const bool pFinite = Abs(p) <= 1.7976931348623157e308;
        const bool zFinite = Abs(z) <= 1.7976931348623157e308;
        const bool finite = pFinite & zFinite;
        // The centre has no normal; it takes latitude 0 and height -b, as the
        // per-point conversion gives it.
        const bool centre = (p == 0.0) & (z == 0.0);
        // Bowring's iteration on the parametric latitude beta, carried as the
        // unit vector (cos, sin): no tangent, so no loss next to the poles. Two
        // steps reach the rounding of the coordinates from 5,000 km below the
        // surface to 10,000 km above it.
        double cb = p * ratio, sb = z;
        double len = Sqrt(cb * cb + sb * sb);
        cb /= len;
        sb /= len;
#pragma GCC unroll 2
        for (int step = 0; step < 2; ++step) {
            const double nc = p - e2a * cb * cb * cb;
            const double ns = z + ep2b * sb * sb * sb;
            // tan beta = (b/a) tan phi
            const double bs = ns * ratio;
            const double inv = 1.0 / Sqrt(nc * nc + bs * bs);
            cb = nc * inv;
            sb = bs * inv;
        }
        // The normal's direction (nc, ns) to twice the precision.
        const double tc = e2a * cb * cb * cb, ts = ep2b * sb * sb * sb;
        const double nc = p - tc, ns = z + ts;
        const double ncLo = SumError(p, -tc, nc) + pLo, nsLo = SumError(z, ts, ns);
        // Its angle in two parts, the low parts of (nc, ns) taken in to first order.
        double phi, phiRest;
        Atan2(ns, nc, phi, phiRest);
        const double n2 = nc * nc + ns * ns;
        phiRest += (nsLo * nc - ncLo * ns) / n2;
        const double inv = 1.0 / Sqrt(n2);
        // The height below is stationary in the latitude: its direction's rounding
        // does not reach it.
        const double sp = ns * inv, cp = nc * inv;
        const double n = a / Sqrt(1.0 - e2 * sp * sp);
        const double nb = n * (1.0 - e2);
        // Height along the normal, from the two differences to its foot.
        const double qp = n * cp, qz = nb * sp;
        const double dp = (p - qp) + (pLo - ProductError(n, cp, qp));
        const double dz = (z - qz) - ProductError(nb, sp, qz);
        const double hp = dp * cp, hz = dz * sp;
        const double height = (hp + hz) + (ProductError(dp, cp, hp) + ProductError(dz, sp, hz));
        const double lat = DegreesRoundedOnce(phi, phiRest);
        const double lon = DegreesRoundedOnce(Atan2(y, x), 0.0);
        // Deep inside, next to the centre, the steps may leave the normal's
        // range: no solution.
        const bool solved = Abs(lat) <= 90.0;
        const double nan = __builtin_nan("");
        const double outLat = centre ? 0.0 : lat;
        const double outLon = centre ? 0.0 : lon;
        const double outH = centre ? -axisB : height;
        const bool ok = finite & (solved | centre);
        latOut[j] = ok ? outLat : nan;
        lonOut[j] = ok ? outLon : nan;
        hOut[j] = ok ? outH : nan;
    }
}

// The drivers: each copies a block in (padding the last one with harmless zeros),
// converts it and copies it out, so outputs may be the input arrays themselves and
// nothing past n is touched.

/// The block's values from `from`: `count` of them, zeros after.
inline void CopyIn(double* __restrict block, const double* from, std::size_t count) {
    if (count == kBlock) {
        for (std::size_t j = 0; j < kBlock; ++j)
            block[j] = from[j];
        return;
    }
    for (std::size_t j = 0; j < kBlock; ++j)
        block[j] = 0.0;
    for (std::size_t j = 0; j < count; ++j)
        block[j] = from[j];
}

/// Angles in degrees wrapped into one turn as GxGeoAngle wraps them; most blocks
/// have nothing to wrap (a NaN needs nothing either).
inline void WrapDegrees(double* block) {
    double outside = 0.0;
    for (std::size_t j = 0; j < kBlock; ++j)
        outside = ((block[j] <= -180.0) | (block[j] > 180.0)) ? 1.0 : outside;
    if (outside != 0.0)
        WrapDegreesSlowly(block);
}

/// The block's first `count` points to the M outputs, a point with any value
/// that is not finite as NaN in all of them; how many were finite.
template <std::size_t M>
std::size_t CopyOut(double* const (&to)[M], const double (&block)[M][kBlock], std::size_t count) {
    double bad[kBlock];
    for (std::size_t j = 0; j < kBlock; ++j) {
        double worst = 0.0;
        for (std::size_t m = 0; m < M; ++m)
            worst = Abs(block[m][j]) <= 1.7976931348623157e308 ? worst : 1.0;
        bad[j] = worst;
    }
    double failed = 0.0;
    for (std::size_t j = 0; j < count; ++j) {
        failed += bad[j];
        for (std::size_t m = 0; m < M; ++m)
            to[m][j] = bad[j] == 0.0 ? block[m][j] : __builtin_nan("");
    }
    return count - static_cast<std::size_t>(failed);
}

std::size_t TmForwardArray(const TmSeries& series, double x0, double y0, std::size_t n,
                           const double* lat, const double* lon, double* x, double* y) {
    std::size_t converted = 0;
    for (std::size_t first = 0; first < n; first += kBlock) {
        const std::size_t count = n - first < kBlock ? n - first : kBlock;
        alignas(64) double la[kBlock], lo[kBlock], out[2][kBlock];
        CopyIn(la, lat + first, count);
        CopyIn(lo, lon + first, count);
        WrapDegrees(la);
        WrapDegrees(lo);
        TmForward(series, la, lo, out[0], out[1]);
        for (std::size_t j = 0; j < kBlock; ++j) {
            out[0][j] -= x0;
            out[1][j] -= y0;
        }
        converted += CopyOut({x + first, y + first}, out, count);
    }
    return converted;
}

std::size_t TmInverseArray(const TmSeries& series, double x0, double y0, std::size_t n,
                           const double* x, const double* y, double* lat, double* lon) {
    std::size_t converted = 0;
    for (std::size_t first = 0; first < n; first += kBlock) {
        const std::size_t count = n - first < kBlock ? n - first : kBlock;
        alignas(64) double ix[kBlock], iy[kBlock], out[2][kBlock];
        CopyIn(ix, x + first, count);
        CopyIn(iy, y + first, count);
        for (std::size_t j = 0; j < kBlock; ++j) {
            ix[j] += x0;
            iy[j] += y0;
        }
        TmInverse(series, ix, iy, out[0], out[1]);
        WrapDegrees(out[1]);
        converted += CopyOut({lat + first, lon + first}, out, count);
    }
    return converted;
}

std::size_t GeocentricForwardArray(const GeocentricFigure& figure, std::size_t n, const double* lat,
                                   const double* lon, const double* h, double* x, double* y,
                                   double* z) {
    std::size_t converted = 0;
    for (std::size_t first = 0; first < n; first += kBlock) {
        const std::size_t count = n - first < kBlock ? n - first : kBlock;
        alignas(64) double la[kBlock], lo[kBlock], ih[kBlock], out[3][kBlock];
        CopyIn(la, lat + first, count);
        CopyIn(lo, lon + first, count);
        CopyIn(ih, h + first, count);
        WrapDegrees(la);
        WrapDegrees(lo);
        GeocentricForward(figure, la, lo, ih, out[0], out[1], out[2]);
        converted += CopyOut({x + first, y + first, z + first}, out, count);
    }
    return converted;
}

std::size_t GeocentricReverseArray(const GeocentricFigure& figure, std::size_t n, const double* x,
                                   const double* y, const double* z, double* lat, double* lon,
                                   double* h) {
    std::size_t converted = 0;
    for (std::size_t first = 0; first < n; first += kBlock) {
        const std::size_t count = n - first < kBlock ? n - first : kBlock;
        alignas(64) double ix[kBlock], iy[kBlock], iz[kBlock], out[3][kBlock];
        CopyIn(ix, x + first, count);
        CopyIn(iy, y + first, count);
        CopyIn(iz, z + first, count);
        GeocentricReverse(figure, ix, iy, iz, out[0], out[1], out[2]);
        converted += CopyOut({lat + first, lon + first, h + first}, out, count);
    }
    return converted;
}

} // namespace

const KernelSet kKernels = {TmForwardArray, TmInverseArray, GeocentricForwardArray,
                            GeocentricReverseArray};

} // namespace geoframe::detail::GEOFRAME_KERNEL_NS
