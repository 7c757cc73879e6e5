// What holds for every projection: the conversion overloads and the local origin,
// cloning, equality, descriptions, the ellipsoid and threads (refused input: the
// bad-values test).

#include "ProjectionKinds.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <thread>

namespace {

using namespace testproj;

TEST(ProjectionFamily, EveryOverloadRoundTripsAndShiftsByTheLocalOrigin) {
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.Name());
        GxSmartRef<GxProjection> plain = kind.Make(), shifted = kind.Make();
        double ox, oy, oz; // a UPS projection's false origin, 0 for the others
        ASSERT_TRUE(plain->GetLocalOrigin(ox, oy, oz));
        ASSERT_TRUE(shifted->SetLocalOrigin(ox + 1000.0, oy + 2000.0, oz + 50.0));
        for (const gxVec3& p : Points(kind, 200, 7)) {
            gxVec3 map, local, back, fromCoord;
            ASSERT_TRUE(plain->LatLong2Proj(p, map)) << p[0] << " " << p[1];
            ASSERT_TRUE(shifted->LatLong2Proj(p, local)) << p[0] << " " << p[1];
            EXPECT_TRUE(local.equal(gxVec3(map[0] - 1000.0, map[1] - 2000.0, p[2] - 50.0), 1e-9))
                << p[0] << " " << p[1];
            ASSERT_TRUE(shifted->Proj2LatLong(local, back));
            EXPECT_TRUE(back.equal(gxVec3(p[0], p[1], local[2] + 50.0), 1e-8)) << back[0];
            EXPECT_EQ(back[2], local[2] + 50.0);

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
    std::vector<GxSmartRef<GxProjection>> all;
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.Name());
        GxSmartRef<GxProjection> p = kind.Make(wgs84);
        p->SetLocalOrigin(10.0, 20.0, 30.0);
        GxSmartRef<GxProjection> clone = p->Clone();
        EXPECT_EQ(Values(clone->IsEqual(p), p->IsEqual(clone),
                         p->IsEqual(GxSmartRef<GxProjection>()),
                         clone->GetEllipsoid().Get() == wgs84.Get()),
                  "true true false true");
        EXPECT_NE(clone->GetProjectionInstanceDesc(), p->GetProjectionInstanceDesc()); // a copy

        // Any difference in the local origin, however small, or in the ellipsoid.
        clone->SetLocalOrigin(10.0, 20.0, std::nextafter(30.0, 31.0));
        EXPECT_FALSE(p->IsEqual(clone));
        clone->SetLocalOrigin(10.0, 20.0, 30.0);
        clone->SetEllipsoid(new GxEllipsoid("GRS80"));
        EXPECT_FALSE(p->IsEqual(clone));
        all.push_back(p);
    }
    // Different classes are never equal, whatever their parameters.
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t j = 0; j < all.size(); ++j)
            EXPECT_EQ(all[i]->IsEqual(all[j]), i == j) << i << " " << j;
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
            GxSmartRef<GxProjection> p = kind.Make(shared), clone = p->Clone();
            const std::string before = p->GetProjectionInstanceDesc();
            change(*shared);
            Ellipsoid fresh = Wgs84();
            change(*fresh);
            GxSmartRef<GxProjection> expected = kind.Make(fresh);
            for (const GxSmartRef<GxProjection>& q : {p, clone, p->Clone()}) {
                EXPECT_EQ(Values(q->IsEqual(expected), expected->IsEqual(q)), "true true");
                EXPECT_STREQ(q->GetProjectionInstanceDesc(), expected->GetProjectionInstanceDesc());
                EXPECT_EQ(Parameters(*q), Parameters(*expected));
                for (const gxVec3& point : Points(kind, 20, 3)) {
                    gxVec3 got, want, back, wantBack;
                    ASSERT_TRUE(q->LatLong2Proj(point, got));
                    ASSERT_TRUE(expected->LatLong2Proj(point, want));
                    EXPECT_EQ(got, want);
                    EXPECT_EQ(
                        Values(q->Proj2LatLong(got, back), expected->Proj2LatLong(want, wantBack)),
                        "true true");
                    EXPECT_EQ(back, wantBack);
                }
            }
            const bool renamed =
                shared->GetEllipsoid() && std::strcmp(shared->GetEllipsoid(), "WGS84");
            EXPECT_EQ(p->GetProjectionInstanceDesc() != before, renamed);
        }
    }
}

TEST(ProjectionFamily, UnconfiguredAndRefusedProjectionsSayWhy) {
    // Made without parameters: not configured, and neither is a clone.
    for (GxSmartRef<GxProjection> p : {GxSmartRef<GxProjection>(new GxUTMProjection),
                                       GxSmartRef<GxProjection>(new GxLCCProjection),
                                       GxSmartRef<GxProjection>(new GxACEAProjection),
                                       GxSmartRef<GxProjection>(new GxStereographicProjection)}) {
        SCOPED_TRACE(p->GetProjectionName());
        for (GxSmartRef<GxProjection> q : {p, p->Clone()}) {
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
        GxSmartRef<GxProjection> p = kind.prototype->Clone();
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
        GxSmartRef<GxProjection> projection;
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

    // The local origin is not shown: the text, and its pointer, stay. A new
    // ellipsoid rebuilds the last line.
    GxSmartRef<GxProjection> p = cases[0].projection;
    const char* before = p->GetProjectionInstanceDesc();
    p->SetLocalOrigin(5.0, 6.0, 7.0);
    EXPECT_EQ(p->GetProjectionInstanceDesc(), before);
    p->SetEllipsoid(grs80);
    EXPECT_STREQ(p->GetProjectionInstanceDesc(),
                 "UTM (Universal Transverse Mercator)\nZone: 10, NORTH\nDatum: GRS 1980(I");
}

// Distinct projections, each with a PROJ context of its own, convert on distinct
// threads at once (refused points among them) and give the single-threaded results.
TEST(ProjectionFamily, DistinctProjectionsConvertConcurrently) {
    const auto run = [](std::vector<gxVec3>& out) {
        Ellipsoid e = Wgs84(); // one per thread: counts only
        for (const Kind& kind : Kinds()) {
            GxSmartRef<GxProjection> p = kind.Make(e);
            for (const gxVec3& point : Points(kind, 300, 5)) {
                gxVec3 map, back, refused;
                p->LatLong2Proj(point, map);
                p->Proj2LatLong(map, back);
                p->LatLong2Proj(gxVec3(point[0], 95.0, 0.0), refused);
                out.insert(out.end(), {map, back, refused});
            }
        }
    };
    std::vector<gxVec3> expected;
    run(expected);
    std::vector<std::vector<gxVec3>> results(4);
    std::vector<std::thread> threads;
    for (auto& result : results)
        threads.emplace_back(run, std::ref(result));
    for (std::thread& thread : threads)
        thread.join();
    for (const auto& result : results)
        EXPECT_TRUE(result == expected);
}

} // namespace
