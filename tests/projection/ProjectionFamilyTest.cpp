// What holds for every projection: the conversion overloads and the local origin,
// cloning, equality, descriptions, the ellipsoid and threads (refused input: the
// bad-values test); the PROJ adapter underneath; and the array conversions.

#include "ProjectionKinds.h"
#include "Text.h"
#include "geodesy/detail/BatchKernels.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace testproj;

TEST(ProjectionFamily, EveryOverloadRoundTripsAndShiftsByTheLocalOrigin) {
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.Name());
        Projection plain = kind.Make(), shifted = kind.Make();
        double ox, oy, oz; // a UPS projection's false origin, 0 for the others
        ASSERT_TRUE(plain->GetLocalOrigin(ox, oy, oz));
        ASSERT_TRUE(shifted->SetLocalOrigin(ox + 1000.0, oy + 2000.0, oz + 50.0));
        for (const gxVec3& p : Points(kind, 200, 7)) {
            SCOPED_TRACE(Values(p[0], p[1]));
            gxVec3 map, local, back, fromCoord;
            ASSERT_TRUE(plain->LatLong2Proj(p, map));
            ASSERT_TRUE(shifted->LatLong2Proj(p, local));
            EXPECT_TRUE(local.equal(gxVec3(map[0] - 1000.0, map[1] - 2000.0, p[2] - 50.0), 1e-9));
            ASSERT_TRUE(shifted->Proj2LatLong(local, back));
            EXPECT_TRUE(back.equal(gxVec3(p[0], p[1], local[2] + 50.0), 1e-8)) << back[0];

            // The other forms agree with the gxVec3 ones.
            const GxGeoCoord coord(GxGeoAngle(p[1], "N"), GxGeoAngle(p[0], "E"), p[2], Wgs84());
            double x, y, z, lat, lon, elev;
            EXPECT_EQ(Values(shifted->GeoCoord2Proj(coord, x, y),
                             shifted->GeoCoord2Proj(coord, fromCoord)),
                      "true true");
            EXPECT_EQ(Values(x, y, fromCoord[0], fromCoord[1], fromCoord[2]),
                      Values(local[0], local[1], local[0], local[1], local[2]));
            shifted->LLE2Proj(GxGeoAngle(p[1]), GxGeoAngle(p[0]), p[2], x, y, z);
            EXPECT_EQ(gxVec3(x, y, z), local);
            EXPECT_TRUE(shifted->Proj2LatLong(local[0], local[1], lat, lon));
            EXPECT_EQ(gxVec3(lon, lat, back[2]), back);
            shifted->Proj2LLE(local[0], local[1], local[2], lat, lon, elev);
            EXPECT_EQ(gxVec3(lon, lat, elev), back);
            GxGeoCoord atZero, atHeight;
            ASSERT_TRUE(shifted->Proj2GeoCoord(local[0], local[1], atZero));
            ASSERT_TRUE(shifted->Proj2GeoCoord(local, atHeight));
            atZero.GetLatLong(lat, lon, elev);
            EXPECT_EQ(gxVec3(lon, lat, elev), gxVec3(back[0], back[1], 0.0));
            atHeight.GetLatLong(lat, lon, elev);
            EXPECT_EQ(gxVec3(lon, lat, elev), back);
        }
    }
}

TEST(ProjectionFamily, ClonesEqualityAndEllipsoidSharing) {
    Ellipsoid wgs84 = Wgs84();
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.Name());
        Projection p = kind.Make(wgs84);
        p->SetLocalOrigin(10.0, 20.0, 30.0);
        Projection clone = p->Clone();
        EXPECT_EQ(Values(clone->IsEqual(p), p->IsEqual(clone), p->IsEqual(Projection()),
                         clone->GetEllipsoid().Get() == wgs84.Get()),
                  "true true false true");
        EXPECT_NE(clone->GetProjectionInstanceDesc(), p->GetProjectionInstanceDesc()); // a copy

        // Any difference in the local origin, however small, or in the ellipsoid.
        clone->SetLocalOrigin(10.0, 20.0, std::nextafter(30.0, 31.0));
        EXPECT_FALSE(p->IsEqual(clone));
        clone->SetLocalOrigin(10.0, 20.0, 30.0);
        clone->SetEllipsoid(new GxEllipsoid("GRS80"));
        EXPECT_FALSE(p->IsEqual(clone));
    }
}

TEST(ProjectionFamily, EqualityComparesEachParameter) {
    // Pairs that differ in one parameter, on one ellipsoid.
    const Ellipsoid e = Wgs84();
    using Stere = GxStereographicProjection;
    const std::pair<Projection, Projection> pairs[] = {
        {new GxUTMProjection(e, 56, 1), new GxUTMProjection(e, 55, 1)},
        {new GxUTMProjection(e, 56, 1), new GxUTMProjection(e, 56, 0)},
        {new GxLCCProjection(e, 40, -100, 50, 30), new GxLCCProjection(e, 41, -100, 50, 30)},
        {new GxLCCProjection(e, 40, -100, 50, 30), new GxLCCProjection(e, 40, -101, 50, 30)},
        {new GxLCCProjection(e, 40, -100, 50, 30), new GxLCCProjection(e, 40, -100, 51, 30)},
        {new GxACEAProjection(e, -30, 135, -20, -40), new GxACEAProjection(e, -30, 135, -20, -41)},
        {new Stere(e, -90, 0, 0.97), new Stere(e, -89, 0, 0.97)},
        {new Stere(e, -90, 0, 0.97), new Stere(e, -90, 1, 0.97)},
        {new Stere(e, -90, 0, 0.97), new Stere(e, -90, 0, 0.98)},
        {new Stere(e, -90, 0, GxGeoAngle(-70)), new Stere(e, -90, 0, GxGeoAngle(-71))},
        {new GxFlatEarthProjection(e, 45, 179), new GxFlatEarthProjection(e, 46, 179)},
        {new GxTrapezoidalProjection(e, -33, 151), new GxTrapezoidalProjection(e, -33, 152)}};
    for (const auto& [a, b] : pairs)
        EXPECT_EQ(Values(a->IsEqual(b), b->IsEqual(a)), "false false")
            << a->GetProjectionInstanceDesc();
}

TEST(ProjectionFamily, AnEllipsoidChangedInPlaceReachesEveryHolder) {
    // The shared ellipsoid is changed through its name and through its radius
    // setters; holders and their clones then convert, describe and compare as a
    // projection made on the new figure.
    const std::function<void(GxEllipsoidBase&)> changes[] = {
        [](GxEllipsoidBase& e) { e.SetEllipsoid("clrk66", 0, 0, 0); },
        [](GxEllipsoidBase& e) {
            e.SetSemiMajorRadius(6378206.4, false), e.SetSemiMinorRadius(6356583.8, false);
        }};
    for (const auto& change : changes) {
        for (const Kind& kind : Kinds()) {
            SCOPED_TRACE(kind.Name());
            Ellipsoid shared = Wgs84();
            Projection p = kind.Make(shared), clone = p->Clone();
            change(*shared);
            Ellipsoid fresh = Wgs84();
            change(*fresh);
            Projection expected = kind.Make(fresh);
            for (const Projection& q : {p, clone, p->Clone()}) {
                EXPECT_EQ(Values(q->IsEqual(expected), expected->IsEqual(q)), "true true");
                EXPECT_STREQ(q->GetProjectionInstanceDesc(), expected->GetProjectionInstanceDesc());
                EXPECT_EQ(Parameters(*q), Parameters(*expected));
                EXPECT_EQ(RoundTrips(*q, kind, 20), RoundTrips(*expected, kind, 20));
            }
        }
    }
}

TEST(ProjectionFamily, UnconfiguredAndRefusedProjectionsSayWhy) {
    // Made without parameters: not configured, and neither is a clone.
    for (Projection p :
         {Projection(new GxUTMProjection), Projection(new GxLCCProjection),
          Projection(new GxACEAProjection), Projection(new GxStereographicProjection)}) {
        SCOPED_TRACE(p->GetProjectionName());
        for (Projection q : {p, p->Clone()}) {
            const auto& proj4 = dynamic_cast<const GxProj4Projection&>(*q);
            gxVec3 out(1, 2, 3);
            EXPECT_EQ(Values(q->LatLong2Proj(gxVec3(9, 45, 0), out), out[0], out[1], out[2]),
                      "false 1 2 3");
            EXPECT_EQ(Values(proj4.IsConfigured(), proj4.GetConfigureError()),
                      "false not configured yet");
            p->GetEllipsoid()->SetSemiMajorRadius(6378138.0, false); // still not configured
            EXPECT_FALSE(proj4.IsConfigured());
        }
    }
    // PROJ's own reason; none once configured; none without an ellipsoid.
    GxLCCProjection lcc(Wgs84(), 0, 0, 10, -10);
    const auto state = [&lcc] { return Values(lcc.IsConfigured(), lcc.GetConfigureError()); };
    EXPECT_EQ(state(),
              "false lcc: Invalid value for lat_1 and lat_2: |lat_1 + lat_2| should be > 0");
    EXPECT_TRUE(lcc.SetLowerLat(GxGeoAngle(20.0)));
    EXPECT_EQ(state(), "true ");
    EXPECT_FALSE(lcc.SetEllipsoid(Ellipsoid()));
    EXPECT_EQ(state(), "false no ellipsoid");
}

TEST(ProjectionFamily, WithoutAnEllipsoid) {
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.Name());
        // Taking the ellipsoid away stops a PROJ-backed projection converting with its
        // old list; giving one back restores it.
        Projection p = kind.prototype->Clone();
        const gxVec3 in(kind.lonMin, kind.latMin, 0.0);
        gxVec3 out;
        EXPECT_EQ(p->SetEllipsoid(Ellipsoid()), kind.OwnMath());
        const char* desc = p->GetProjectionInstanceDesc();
        EXPECT_STREQ(desc + std::strlen(desc) - 15, "\nDatum: Unknown");
        EXPECT_EQ(p->SetLocalOrigin(1.0, 2.0, 3.0), kind.OwnMath());
        EXPECT_EQ(p->LatLong2Proj(in, out), kind.OwnMath());
        EXPECT_EQ(Values(p->IsEqual(p->Clone()), p->IsEqual(kind.Make())), "true false");
        EXPECT_EQ(
            Succeeded({{"set", p->SetEllipsoid(Wgs84())}, {"converts", p->LatLong2Proj(in, out)}}),
            " set converts");
    }
}

TEST(ProjectionFamily, DescriptionsAreExact) {
    Ellipsoid grs80(new GxEllipsoid("GRS 1980(IUGG, 1980)"));
    Ellipsoid nameless(new GxEllipsoid(6378137.0, 6356752.0, 0, 0, 0, nullptr));
    const struct {
        Projection projection;
        const char* text;
    } cases[] = {
        {new GxUTMProjection, "UTM (Universal Transverse Mercator)\nZone: 10, NORTH\nDatum: WGS84"},
        {new GxUTMProjection(grs80, 56, 2),
         "UTM (Universal Transverse Mercator)\nZone: 56, SOUTH\nDatum: GRS 1980(I"},
        {new GxFlatEarthProjection,
         "QRN Flat Earth\nOrigin: 0~0'0.00\" N, 0~0'0.00\" E\nDatum: gxFlatEart"},
        {new GxTrapezoidalProjection(nameless, -33.8675, -70.5),
         "QRN Trapezoidal\nOrigin: 33~52'3.00\" S, 70~30'0.00\" W\nDatum: Unknown"},
        {new GxLCCProjection(grs80, -33.5, 151.25, -30, -36.75),
         "LCC (Lambert Conformal Conic)\nOrigin: 33~30'0.00\" S, 151~15'0.00\" E\n"
         "Upper, Lower: 30~0'0.00\" S, 36~45'0.00\" S\nDatum: GRS 1980(I"},
        {new GxACEAProjection,
         "ACEA (Albers Conical Equal Area)\nOrigin: 0~0'0.00\" N, 0~0'0.00\" E\n"
         "Upper, Lower: 1~0'0.00\" N, 0~0'0.00\" N\nDatum: WGS84"},
        {new GxStereographicProjection, "Stereographic\nOrigin: 0~0'0.00\" N, 0~0'0.00\" E\nScale "
                                        "Lat: 90~0'0.00\" N\nDatum: WGS84"},
        {new GxStereographicProjection(nameless, 90, -45, 0.9999),
         "Stereographic\nOrigin: 90~0'0.00\" N, 45~0'0.00\" W\nK0: 0.999900\nDatum: Unknown"},
        {GxUPSProjection(Wgs84(), 1).Clone(),
         "UPS (Universal Polar Stereographic)\nOrigin: 90~0'0.00\" S, 0~0'0.00\" E\n"
         "K0: 0.994000\nDatum: WGS84"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.projection->GetProjectionInstanceDesc(), c.text);

    // The local origin is not shown: the text, and its pointer, stay.
    const char* before = cases[0].projection->GetProjectionInstanceDesc();
    cases[0].projection->SetLocalOrigin(5.0, 6.0, 7.0);
    EXPECT_EQ(cases[0].projection->GetProjectionInstanceDesc(), before);
}

std::vector<std::string> Parameters(GxProj4Interface& adapter) {
    char** list = nullptr;
    const int count = adapter.GetParameters(list);
    return Take(count, list);
}

/// What `work` writes to the process's standard error (file descriptor 2).
template <class Work>
std::string StandardErrorOf(Work work) {
    testing::internal::CaptureStderr();
    work();
    return testing::internal::GetCapturedStderr();
}

bool Utm32(GxProj4Interface& adapter) {
    return adapter.SetParameters("proj=utm", "zone=32", "a=6378137.0", "b=6356752.314245", nullptr);
}

/// Forward and inverse of 45 N 9 E (UTM 32: 500000, 4982950.4). On failure the
/// outputs must be untouched; on success the angles keep their axes.
bool Converts(GxProj4Interface& adapter) {
    double x = 1.5, y = 2.5;
    GxGeoAngle lat(3.0, "N"), lon(4.0, "E");
    const bool fwd = adapter.LatLong2Proj(GxGeoAngle(45.0), GxGeoAngle(9.0), x, y);
    EXPECT_EQ(fwd, adapter.Proj2LatLong(500000.0, 4982950.4002, lat, lon));
    if (!fwd) {
        EXPECT_EQ(Values(x, y, double(lat), double(lon)), "1.5 2.5 3 4");
        return false;
    }
    EXPECT_LT(std::fabs(x - 500000) + std::fabs(y - 4982950.4002), 1e-3) << x << " " << y;
    EXPECT_LT(std::fabs(double(lat) - 45.0) + std::fabs(double(lon) - 9.0), 1e-9);
    EXPECT_EQ(lon, GxGeoAngle(double(lon), "E"));
    return true;
}

TEST(Proj4Interface, ParameterListStates) {
    GxProj4Interface adapter;
    EXPECT_EQ(Values(Parameters(adapter).size(), Converts(adapter)), "0 false");
    ASSERT_TRUE(Utm32(adapter));
    EXPECT_FALSE(adapter.SetParameters(nullptr, "zone=31", nullptr)); // keeps list and projector
    EXPECT_EQ(Parameters(adapter),
              (Texts{"proj=utm", "zone=32", "a=6378137.0", "b=6356752.314245"}));
    EXPECT_TRUE(Converts(adapter));

    // Refused lists are kept, without a projector. The last two are accepted by PROJ
    // but do not convert from radians.
    EXPECT_FALSE(adapter.SetParameters("proj=nonsense", nullptr));
    EXPECT_FALSE(Converts(adapter));
    EXPECT_TRUE(Utm32(adapter));
    EXPECT_FALSE(adapter.SetParameters("proj=utm", "zone=99", nullptr));
    EXPECT_FALSE(Converts(adapter));
    EXPECT_FALSE(adapter.SetParameters("proj=longlat", "ellps=WGS84", "type=crs", nullptr));
    EXPECT_FALSE(adapter.SetParameters("proj=pipeline", "step", "proj=unitconvert", "xy_in=deg",
                                       "xy_out=rad", "step", "proj=utm", "zone=32", nullptr));
    EXPECT_EQ(Values(Parameters(adapter).size(), Converts(adapter)), "8 false");

    const char* f = "no_defs"; // at most twenty strings are taken
    EXPECT_TRUE(adapter.SetParameters("+proj=utm", "+zone=32", "+ellps=WGS84", f, f, f, f, f, f, f,
                                      f, f, f, f, f, f, f, f, f, "20th", "never", nullptr));
    const std::vector<std::string> twenty = Parameters(adapter);
    EXPECT_EQ(Values(twenty.size(), twenty.back(), Converts(adapter)), "20 20th true");

    // The array entry takes any length; no strings or a null one change nothing.
    std::vector<const char*> many = {"proj=utm", "zone=32", "a=6378137.0", "b=6356752.314245"};
    many.resize(25, f);
    const char* withNull[] = {"proj=utm", nullptr};
    EXPECT_EQ(
        Values(adapter.SetParameterList(0, many.data()), adapter.SetParameterList(2, withNull)),
        "false false");
    EXPECT_EQ(adapter.GetParameterList(), twenty);
    EXPECT_TRUE(adapter.SetParameterList(25, many.data()));
    EXPECT_EQ(Values(adapter.GetParameterList().size(), Converts(adapter)), "25 true");
    EXPECT_EQ(adapter.GetParameterList(), Parameters(adapter));
}

TEST(Proj4Interface, PointsProjRefuses) {
    GxProj4Interface adapter;
    ASSERT_TRUE(Utm32(adapter));
    // Refused points write nothing, print nothing and leave the next point unaffected.
    const std::string printed = StandardErrorOf([&] {
        for (const double bad : {100.0, -95.0, double(NAN)}) {
            double x = 7, y = 8;
            EXPECT_FALSE(adapter.LatLong2Proj(GxGeoAngle(bad), GxGeoAngle(9.0), x, y)) << bad;
            EXPECT_EQ(Values(x, y, Converts(adapter)), "7 8 true") << bad;
        }
        for (const double bad : {1e30, double(INFINITY), double(NAN)}) {
            GxGeoAngle lat(1.0), lon(2.0);
            EXPECT_FALSE(adapter.Proj2LatLong(bad, bad, lat, lon)) << bad;
            EXPECT_EQ(Values(double(lat), double(lon), Converts(adapter)), "1 2 true") << bad;
        }
    });
    EXPECT_EQ(printed, "");
}

TEST(Proj4Interface, EllipsoidTable) {
    // PROJ's records in PROJ's order; names are matched exactly and misses write nothing.
    GxProj4Interface adapter;
    char **ids = nullptr, **names = nullptr;
    const int count = adapter.GetSupportedEllipsoids(ids, names);
    const std::vector<std::string> list = Take(count, ids);
    Take(count, names);
    ASSERT_GT(list.size(), 40u);
    EXPECT_EQ(list.front(), "MERIT");
    double a = 42, b = 42, e = 42, es = 42;
    for (const char* unknown : {"wgs84", "", "WGS84 ", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(adapter.GetEllipsoid(unknown, a, b, e, es)) << (unknown ? unknown : "null");
    EXPECT_EQ(Values(a, b, e, es), "42 42 42 42");
}

// Distinct objects, each with a PROJ context of its own, on distinct threads at
// once: adapters refuse bad lists quietly (PROJ races inside itself there, seen
// under ThreadSanitizer, where each refusal takes about a second: kept small), and
// projections convert (refused points among them) as on a single thread.
TEST(ProjectionFamily, DistinctObjectsWorkOnDistinctThreads) {
    const auto run = [](int& refusals, std::string& out) {
        const char* lists[][2] = {
            {"proj=bogus", nullptr}, {"proj=utm", "ellps=foo"}, {"proj=merc", "lat_ts=95"}};
        for (const auto& list : lists) // a new adapter, and so a new context, each
            refusals += !GxProj4Interface().SetParameters(list[0], list[1], nullptr);
        Ellipsoid e = Wgs84(); // one per thread: counts only
        for (const Kind& kind : Kinds())
            out += RoundTrips(*kind.Make(e), kind, 300);
    };
    int single = 0;
    std::string expected;
    run(single, expected);
    std::vector<int> refusals(4, 0);
    std::vector<std::string> results(4);
    const std::string printed = StandardErrorOf([&] {
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back(run, std::ref(refusals[t]), std::ref(results[t]));
        for (std::thread& thread : threads)
            thread.join();
    });
    EXPECT_EQ(Values(printed, refusals == std::vector<int>(4, 3)), " true");
    for (const auto& result : results)
        EXPECT_TRUE(result == expected);
}

// The array conversions, on every build of the library's kernels: agreement with
// the per-point conversions and the array contract (failures as NaN, counts,
// lanes, offsets, aliasing, nothing touched past n).

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

    // Another figure, full-precision radii, the southern hemisphere across the
    // antimeridian, and the figure changed in place after the projection was made
    // (noticed by the next conversion, an array one), on random points within 30
    // degrees of the central meridian and 84 of the equator.
    Ellipsoid intl(new GxEllipsoid("intl"));
    GxUTMProjection south(intl, 1, 1);
    south.SetLocalOrigin(1500.25, -2500.5, 3);
    south.SetFullPrecision(true);
    std::vector<std::array<double, 3>> inDomain, mapped;
    for (const gxVec3& v : testproj::Points({nullptr, -84, 84, -207, -147}, 1000, 0)) {
        double x, y;
        south.LatLong2Proj(GxGeoAngle(v[1]), GxGeoAngle(v[0]), x, y);
        inDomain.push_back({v[1], v[0], 0});
        mapped.push_back({x, y, 0});
    }
    const GxUTMProjection southCopy(south); // each array direction meets the change first
    intl->SetSemiMajorRadius(intl->GetSemiMajorRadius() + 1.2345678901, true);

    const Contract contracts[] = {
        {"reshaped intl UTM forward", &south, nullptr, false, 1e-8, inDomain},
        {"reshaped intl UTM inverse", &southCopy, nullptr, true, 1e-12, mapped},
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
