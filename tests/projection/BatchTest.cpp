// The array conversions, on every build of the library's kernels: agreement with
// the per-point conversions and the array contract (failures as NaN, counts,
// lanes, offsets, aliasing, nothing touched past n).

#include "ProjectionKinds.h"
#include "geodesy/detail/BatchKernels.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace {

using testproj::Ellipsoid;
using testproj::Wgs84;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

/// Runs `check` on every build of the kernels this processor can run.
template <class Check>
void OnEveryKernelBuild(Check&& check) {
    using geoframe::detail::KernelBuild;
    for (const KernelBuild build :
         {KernelBuild::Portable, KernelBuild::Avx2, KernelBuild::Avx512}) {
        if (!geoframe::detail::UseKernels(build))
            continue;
        SCOPED_TRACE("kernel build " + std::to_string(static_cast<int>(build)));
        check();
    }
    geoframe::detail::UseKernels(KernelBuild::Best);
}

/// An array conversion: n points, pointers to its inputs and to its outputs.
using ArrayCall = std::function<std::size_t(std::size_t, const double* const*, double* const*)>;
/// The same conversion for one point through the per-point call.
using PointCall = std::function<bool(const double*, double*)>;

struct Contract {
    const char* name;
    int inputs, outputs;
    ArrayCall array;
    PointCall point;
    double tolerance; ///< against the per-point call; 0: identical
    std::vector<std::array<double, 3>> points;
    std::size_t farOut = ~std::size_t(0); ///< this point may fail where the per-point one converts
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
        for (int k = 0; k < c.outputs; ++k) {
            if (ok)
                EXPECT_NEAR(alone[i][k], expected[k], c.tolerance) << i << " " << k;
            else
                EXPECT_TRUE(std::isnan(alone[i][k])) << i << " " << k;
        }
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
                for (int k = 0; k < 3; ++k) {
                    exact[k].assign(in[k].begin() + offset, in[k].begin() + offset + n);
                    exactPtr[k] = exact[k].data();
                }
                const std::size_t converted =
                    inPlace ? c.array(n, exactPtr, exactPtr) : c.array(n, inPtr, outPtr);
                std::size_t expected = 0;
                for (std::size_t i = 0; i < n; ++i) {
                    const auto& want = alone[(first + i) % total];
                    expected += !std::isnan(want[0]);
                    for (int k = 0; k < c.outputs; ++k) {
                        const double got = inPlace ? exact[k][i] : out[k][offset + i];
                        ASSERT_TRUE(got == want[k] || (std::isnan(got) && std::isnan(want[k])))
                            << "n " << n << " offset " << offset << " point " << i;
                    }
                }
                EXPECT_EQ(converted, expected);
            }
            for (int k = 0; k < 3; ++k) {
                for (std::size_t i = 0; i < offset; ++i)
                    ASSERT_EQ(out[k][i], kGuard);
                ASSERT_EQ(out[k][offset + n], kGuard);
                ASSERT_EQ(out[k][offset + n + 1], kGuard);
            }
        }
    }
}

TEST(Batch, ArrayContractOnEveryPath) {
    GxSmartRef<GxProjection> utm(new GxUTMProjection(Wgs84(), 33, 1));
    utm->SetLocalOrigin(100, -200, 5);
    GxSmartRef<GxProjection> unconfigured(new GxUTMProjection(Wgs84()));
    GxSmartRef<GxProjection> lcc(new GxLCCProjection(Wgs84(), 40, -100, 50, 30));
    GxSmartRef<GxProjection> flat(new GxFlatEarthProjection(Wgs84(), 45, 179));
    GxSmartRef<GxEllipsoidBase> grs80(new GxEllipsoid("GRS80"));

    // The array calls take null pointers with n = 0.
    const auto at = [](auto* const* list, int k) { return list ? list[k] : nullptr; };
    const auto projection = [at](const GxProjection* p, bool inverse) {
        return ArrayCall([=](std::size_t n, const double* const* in, double* const* out) {
            return inverse ? p->Proj2LatLongArray(n, at(in, 0), at(in, 1), at(out, 0), at(out, 1))
                           : p->LatLong2ProjArray(n, at(in, 0), at(in, 1), at(out, 0), at(out, 1));
        });
    };
    const auto forward = [&](const GxProjection* p) { return projection(p, false); };
    const auto inverse = [&](const GxProjection* p) { return projection(p, true); };
    const auto forwardPoint = [](const GxProjection* p) {
        return PointCall([p](const double* in, double* out) {
            return std::fabs(GxGeoAngle(in[0]).GetDecimalDegrees()) <= 90 &&
                   p->LatLong2Proj(GxGeoAngle(in[0]), GxGeoAngle(in[1]), out[0], out[1]);
        });
    };
    const auto inversePoint = [](const GxProjection* p) {
        return PointCall([p](const double* in, double* out) {
            return p->Proj2LatLong(in[0], in[1], out[0], out[1]);
        });
    };
    const GxEllipsoidBase* e = grs80.Get();
    const ArrayCall toGeocentric = [=](std::size_t n, const double* const* in, double* const* out) {
        return e->LatLongToGeocentricArray(n, at(in, 0), at(in, 1), at(in, 2), at(out, 0),
                                           at(out, 1), at(out, 2));
    };
    const ArrayCall fromGeocentric = [=](std::size_t n, const double* const* in,
                                         double* const* out) {
        return e->GeocentricToLatLongArray(n, at(in, 0), at(in, 1), at(in, 2), at(out, 0),
                                           at(out, 1), at(out, 2));
    };
    const PointCall toGeocentricPoint = [e](const double* in, double* out) {
        return std::fabs(GxGeoAngle(in[0]).GetDecimalDegrees()) <= 90 &&
               e->LatLongToGeocentric(in[0], in[1], in[2], out[0], out[1], out[2]);
    };
    const PointCall fromGeocentricPoint = [e](const double* in, double* out) {
        return e->GeocentricToLatLong(in[0], in[1], in[2], out[0], out[1], out[2], true);
    };

    // Geographic points: ordinary ones, a pole, wrapped angles, and what must fail.
    const std::vector<std::array<double, 3>> geographic = {
        {-33.9, 151.2, 10}, {-60, 12, 0},     {-1e-300, 15, -50}, {-90, 15, 0},
        {kNaN, 15, 0},      {-20, kInf, 0},   {-45, 375, 1e4},    {90.5, 15, 0},
        {-91, 15, 0},       {-10, -kInf, 0},  {-5, 14.99, 8848},  {-400, 15, 0},
        {-72.5, 36.9, 1e6}, {-0.0, 15, kNaN}, {-84, -14, 0},      {-44, 1e300, 3}};
    // Map points: near the zone, far outside it, not finite; and geocentric ones.
    const std::vector<std::array<double, 3>> map = {
        {500000, 6e6, 0}, {2e5, 1e6, 0},  {9e5, 9.9e6, 0}, {kNaN, 5e6, 0}, {4e5, kInf, 0},
        {1e9, 5e6, 0},    {5e5, -1e9, 0}, {6.3e5, 2e6, 0}, {-1e6, 7e6, 0}, {5e5, 1e7, 0},
        {5e5, -8e6, 0},   {-kInf, 0, 0},  {1.2e6, 4e6, 0}};
    const std::vector<std::array<double, 3>> geocentric = {
        {6378137, 0, 0},     {0, 0, 6356752.3}, {0, 0, 0},       {0, 0, -7e6},
        {4e6, -4e6, 3e6},    {kNaN, 1, 1},      {1, kInf, 1},    {1e-9, 0, 6.4e6},
        {-2e6, 1e5, -1.6e7}, {3e5, 4e5, 1e3},   {1e7, 1e7, 1e7}, {-6e6, -1, 2e6}};

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
        {"intl UTM forward", 2, 2, forward(&south), forwardPoint(&south), 1e-8, inDomain[0]},
        {"intl UTM inverse", 2, 2, inverse(&south), inversePoint(&south), 1e-12, mapped[0]},
        {"reshaped UTM forward", 2, 2, forward(&reshaped), forwardPoint(&reshaped), 1e-8,
         inDomain[1]},
        {"reshaped UTM inverse", 2, 2, inverse(&reshaped), inversePoint(&reshaped), 1e-12,
         mapped[1]},
        {"UTM forward", 2, 2, forward(utm.Get()), forwardPoint(utm.Get()), 1e-8, geographic},
        {"UTM inverse", 2, 2, inverse(utm.Get()), inversePoint(utm.Get()), 1e-12, map, 6},
        {"unconfigured UTM", 2, 2, forward(unconfigured.Get()), forwardPoint(unconfigured.Get()), 0,
         geographic},
        {"Lambert forward (per-point loop)", 2, 2, forward(lcc.Get()), forwardPoint(lcc.Get()), 0,
         geographic},
        {"flat-earth inverse (per-point loop)", 2, 2, inverse(flat.Get()), inversePoint(flat.Get()),
         0, map},
        {"to geocentric", 3, 3, toGeocentric, toGeocentricPoint, 1e-8, geographic},
        {"from geocentric", 3, 3, fromGeocentric, fromGeocentricPoint, 1e-8, geocentric},
    };
    OnEveryKernelBuild([&] {
        for (const Contract& c : contracts)
            CheckContract(c);
    });
}

} // namespace
