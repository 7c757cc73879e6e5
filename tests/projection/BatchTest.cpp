// The array conversions, on every build of the library's kernels: agreement with
// the per-point conversions and the array contract (failures as NaN, counts,
// lanes, offsets, aliasing, nothing touched past n).

#include "ProjectionKinds.h"
#include "geodesy/detail/BatchKernels.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace {

using testproj::Ellipsoid;
using testproj::Wgs84;

/// An array conversion, forward or inverse, of a projection or (p null) of an
/// ellipsoid's geocentric coordinates, and the per-point call it must agree with.
struct Contract {
    const char* name;
    const GxProjection* p;
    const GxEllipsoidBase* e;
    bool inverse;
    double tolerance; ///< against the per-point call; 0: identical
    std::vector<std::array<double, 3>> points;
    std::size_t farOut = ~std::size_t(0); ///< this point may fail where the per-point one converts

    int outputs() const { return p ? 2 : 3; }
    /// n points from the arrays `in` to `out` (null with n = 0).
    std::size_t array(std::size_t n, const double* const* in, double* const* out) const {
        const double* i[3] = {};
        double* o[3] = {};
        for (int k = 0; n && k < 3; ++k)
            i[k] = in[k], o[k] = out[k];
        if (p)
            return inverse ? p->Proj2LatLongArray(n, i[0], i[1], o[0], o[1])
                           : p->LatLong2ProjArray(n, i[0], i[1], o[0], o[1]);
        return inverse ? e->GeocentricToLatLongArray(n, i[0], i[1], i[2], o[0], o[1], o[2])
                       : e->LatLongToGeocentricArray(n, i[0], i[1], i[2], o[0], o[1], o[2]);
    }
    bool point(const double* in, double* out) const {
        if (inverse)
            return p ? p->Proj2LatLong(in[0], in[1], out[0], out[1])
                     : e->GeocentricToLatLong(in[0], in[1], in[2], out[0], out[1], out[2], true);
        return std::fabs(GxGeoAngle(in[0]).GetDecimalDegrees()) <= 90 &&
               (p ? p->LatLong2Proj(GxGeoAngle(in[0]), GxGeoAngle(in[1]), out[0], out[1])
                  : e->LatLongToGeocentric(in[0], in[1], in[2], out[0], out[1], out[2]));
    }
};

/// Every point converts alone as the per-point call converts it (NaN where that
/// fails), and the same whatever the count, the offset or the lane it comes in,
/// in place too; nothing outside the n points is touched; n = 0 takes null.
void CheckContract(const Contract& c) {
    SCOPED_TRACE(c.name);
    const std::size_t total = c.points.size();
    std::vector<std::array<double, 3>> alone(total);
    for (std::size_t i = 0; i < total; ++i) {
        const double* in[3] = {&c.points[i][0], &c.points[i][1], &c.points[i][2]};
        double* out[3] = {&alone[i][0], &alone[i][1], &alone[i][2]};
        const std::size_t converted = c.array(1, in, out);
        double expected[3];
        const bool ok = c.point(c.points[i].data(), expected);
        if (i == c.farOut && !converted)
            continue;
        ASSERT_EQ(converted, std::size_t(ok)) << i;
        for (int k = 0; k < c.outputs(); ++k) // NaN where the point fails
            EXPECT_TRUE(ok ? std::fabs(alone[i][k] - expected[k]) <= c.tolerance
                           : std::isnan(alone[i][k]))
                << i << " " << k << ": " << alone[i][k] << " " << expected[k];
    }
    EXPECT_EQ(c.array(0, nullptr, nullptr), 0u);

    constexpr double kGuard = -12345.678;
    for (std::size_t n = 1; n <= 17; ++n) {
        for (std::size_t offset = 0; offset < 4; ++offset) {
            const std::size_t first = (n * 7 + offset) % total;
            std::vector<double> in[3], out[3];
            const double* inPtr[3];
            double* outPtr[3];
            for (int k = 0; k < 3; ++k) {
                in[k].assign(offset + n + 2, kGuard);
                out[k].assign(offset + n + 2, kGuard);
                for (std::size_t i = 0; i < n; ++i)
                    in[k][offset + i] = c.points[(first + i) % total][k];
                inPtr[k] = in[k].data() + offset;
                outPtr[k] = out[k].data() + offset;
            }
            // Into other arrays with guards around them, then in place in arrays of
            // exactly n values (AddressSanitizer sees any access past them).
            for (const bool inPlace : {false, true}) {
                std::vector<double> exact[3];
                double* exactPtr[3];
                for (int k = 0; k < 3; ++k)
                    exact[k].assign(&in[k][offset], &in[k][offset + n]),
                        exactPtr[k] = exact[k].data();
                const std::size_t converted =
                    inPlace ? c.array(n, exactPtr, exactPtr) : c.array(n, inPtr, outPtr);
                std::size_t expected = 0;
                for (std::size_t i = 0; i < n; ++i) {
                    const auto& want = alone[(first + i) % total];
                    expected += !std::isnan(want[0]);
                    for (int k = 0; k < c.outputs(); ++k) {
                        const double got = inPlace ? exact[k][i] : out[k][offset + i];
                        ASSERT_TRUE(got == want[k] || (std::isnan(got) && std::isnan(want[k])))
                            << "n " << n << " offset " << offset << " point " << i;
                    }
                }
                EXPECT_EQ(converted, expected);
            }
            for (int k = 0; k < 3; ++k) { // nothing written outside the n points
                out[k].erase(out[k].begin() + offset, out[k].begin() + offset + n);
                ASSERT_EQ(out[k], std::vector<double>(offset + 2, kGuard));
            }
        }
    }
}

TEST(Batch, ArrayContractOnEveryPath) {
    GxUTMProjection utm(Wgs84(), 33, 1), unconfigured(Wgs84());
    utm.SetLocalOrigin(100, -200, 5);
    const GxLCCProjection lcc(Wgs84(), 40, -100, 50, 30);
    const GxFlatEarthProjection flat(Wgs84(), 45, 179);
    const GxEllipsoid grs80("GRS80");

    // Geographic points: ordinary ones, a pole, wrapped angles, and what must fail.
    const std::vector<std::array<double, 3>> geographic = {
        {-33.9, 151.2, 10}, {-60, 12, 0},        {-1e-300, 15, -50}, {-90, 15, 0},
        {NAN, 15, 0},       {-20, INFINITY, 0},  {-45, 375, 1e4},    {90.5, 15, 0},
        {-91, 15, 0},       {-10, -INFINITY, 0}, {-5, 14.99, 8848},  {-400, 15, 0},
        {-72.5, 36.9, 1e6}, {-0.0, 15, NAN},     {-84, -14, 0},      {-44, 1e300, 3}};
    // Map points: near the zone, far outside it, not finite; and geocentric ones.
    const std::vector<std::array<double, 3>> map = {
        {500000, 6e6, 0}, {2e5, 1e6, 0},     {9e5, 9.9e6, 0}, {NAN, 5e6, 0},  {4e5, INFINITY, 0},
        {1e9, 5e6, 0},    {5e5, -1e9, 0},    {6.3e5, 2e6, 0}, {-1e6, 7e6, 0}, {5e5, 1e7, 0},
        {5e5, -8e6, 0},   {-INFINITY, 0, 0}, {1.2e6, 4e6, 0}};
    const std::vector<std::array<double, 3>> geocentric = {
        {6378137, 0, 0},     {0, 0, 6356752.3}, {0, 0, 0},        {0, 0, -7e6},
        {4e6, -4e6, 3e6},    {NAN, 1, 1},       {1, INFINITY, 1}, {1e-9, 0, 6.4e6},
        {-2e6, 1e5, -1.6e7}, {3e5, 4e5, 1e3},   {1e7, 1e7, 1e7},  {-6e6, -1, 2e6}};

    // Other figures, full-precision radii and an ellipsoid changed in place after the
    // projection was made (noticed by the next conversion, an array one), on random
    // points within 30 degrees of the central meridian and 84 of the equator.
    Ellipsoid intl(new GxEllipsoid("intl")), clrk66(new GxEllipsoid("clrk66"));
    GxUTMProjection south(intl, 56, 1), reshaped(clrk66, 2, 0);
    south.SetLocalOrigin(1500.25, -2500.5, 3);
    south.SetFullPrecision(true);
    reshaped.SetLocalOrigin(-300, 700, 3);
    std::vector<std::array<double, 3>> inDomain[2], mapped[2];
    for (int i = 0; i < 2; ++i) {
        const GxUTMProjection& p = i ? reshaped : south;
        const double lon0 = i ? -171 : 153;
        for (const gxVec3& v :
             testproj::Points({nullptr, -84, 84, lon0 - 30, lon0 + 30}, 1000, i)) {
            double x, y;
            p.LatLong2Proj(GxGeoAngle(v[1]), GxGeoAngle(v[0]), x, y);
            inDomain[i].push_back({v[1], v[0], 0});
            mapped[i].push_back({x, y, 0});
        }
    }
    clrk66->SetSemiMajorRadius(clrk66->GetSemiMajorRadius() + 1.2345678901, true);

    const Contract contracts[] = {
        {"intl UTM forward", &south, nullptr, false, 1e-8, inDomain[0]},
        {"intl UTM inverse", &south, nullptr, true, 1e-12, mapped[0]},
        {"reshaped UTM forward", &reshaped, nullptr, false, 1e-8, inDomain[1]},
        {"reshaped UTM inverse", &reshaped, nullptr, true, 1e-12, mapped[1]},
        {"UTM forward", &utm, nullptr, false, 1e-8, geographic},
        {"UTM inverse", &utm, nullptr, true, 1e-12, map, 6},
        {"unconfigured UTM", &unconfigured, nullptr, false, 0, geographic},
        {"Lambert forward (per-point loop)", &lcc, nullptr, false, 0, geographic},
        {"flat-earth inverse (per-point loop)", &flat, nullptr, true, 0, map},
        {"to geocentric", nullptr, &grs80, false, 1e-8, geographic},
        {"from geocentric", nullptr, &grs80, true, 1e-8, geocentric},
    };
    using geoframe::detail::KernelBuild;
    for (const KernelBuild build :
         {KernelBuild::Portable, KernelBuild::Avx2, KernelBuild::Avx512}) {
        if (!geoframe::detail::UseKernels(build)) // a build this processor cannot run
            continue;
        SCOPED_TRACE("kernel build " + std::to_string(static_cast<int>(build)));
        for (const Contract& c : contracts)
            CheckContract(c);
    }
    geoframe::detail::UseKernels(KernelBuild::Best);
}

} // namespace
