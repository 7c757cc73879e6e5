// What holds for every projection: the conversion overloads and the local origin,
// refused input, cloning, equality, descriptions and the ellipsoid.

#include "ProjectionKinds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using testproj::Kind;
using testproj::Kinds;
using testproj::Wgs84;

GxSmartRef<GxProjection> Make(const Kind& kind, GxSmartRef<GxEllipsoidBase> e = Wgs84()) {
    return GxSmartRef<GxProjection>(kind.make(e));
}

TEST(ProjectionFamily, EveryOverloadRoundTripsAndShiftsByTheLocalOrigin) {
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        GxSmartRef<GxProjection> plain = Make(kind);
        GxSmartRef<GxProjection> shifted = Make(kind);
        ASSERT_TRUE(shifted->SetLocalOrigin(1000.0, 2000.0, 50.0));
        for (const gxVec3& p : testproj::Points(kind, 200, 7)) {
            gxVec3 map, back;
            ASSERT_TRUE(plain->LatLong2Proj(p, map));
            gxVec3 local;
            ASSERT_TRUE(shifted->LatLong2Proj(p, local));
            EXPECT_EQ(local, gxVec3(map[0] - 1000.0, map[1] - 2000.0, p[2] - 50.0));

            ASSERT_TRUE(shifted->Proj2LatLong(local, back));
            EXPECT_NEAR(back[0], p[0], 1e-8);
            EXPECT_NEAR(back[1], p[1], 1e-8);
            EXPECT_EQ(back[2], local[2] + 50.0);

            // The other forms agree with the gxVec3 ones.
            const GxGeoCoord coord(GxGeoAngle(p[1], "N"), GxGeoAngle(p[0], "E"), p[2], Wgs84());
            double x, y, z, lat, lon, elev;
            gxVec3 fromCoord;
            EXPECT_TRUE(shifted->GeoCoord2Proj(coord, x, y) && x == local[0] && y == local[1]);
            EXPECT_TRUE(shifted->GeoCoord2Proj(coord, fromCoord) && fromCoord == local);
            shifted->LLE2Proj(GxGeoAngle(p[1]), GxGeoAngle(p[0]), p[2], x, y, z);
            EXPECT_EQ(gxVec3(x, y, z), local);
            EXPECT_TRUE(shifted->Proj2LatLong(local[0], local[1], lat, lon));
            EXPECT_TRUE(lat == back[1] && lon == back[0]);
            shifted->Proj2LLE(local[0], local[1], local[2], lat, lon, elev);
            EXPECT_EQ(gxVec3(lon, lat, elev), back);
            GxGeoCoord atZero, atHeight;
            ASSERT_TRUE(shifted->Proj2GeoCoord(local[0], local[1], atZero));
            ASSERT_TRUE(shifted->Proj2GeoCoord(local, atHeight));
            atZero.GetLatLong(lat, lon, elev);
            EXPECT_TRUE(lat == back[1] && lon == back[0] && elev == 0.0);
            atHeight.GetLatLong(lat, lon, elev);
            EXPECT_TRUE(lat == back[1] && lon == back[0] && elev == back[2]);
        }
    }
}

TEST(ProjectionFamily, NonFiniteInputFailsWithOutputsUntouched) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const Kind& kind : Kinds()) {
        GxSmartRef<GxProjection> p = Make(kind);
        const double good[2] = {kind.latMin, kind.lonMin};
        for (const double bad : {nan, inf, -inf}) {
            for (int slot = 0; slot < 2; ++slot) {
                SCOPED_TRACE(std::string(kind.name) + " " + std::to_string(bad) +
                             (slot ? " second" : " first"));
                double a[2] = {good[0], good[1]};
                a[slot] = bad;
                double x = 1, y = 2, z = 3, lat = 4, lon = 5, elev = 6;
                gxVec3 v(7, 8, 9);
                GxGeoAngle gLat(10.0), gLon(11.0);
                GxGeoCoord c(GxGeoAngle(12.0), GxGeoAngle(13.0), 14.0, Wgs84());
                EXPECT_FALSE(p->LatLong2Proj(GxGeoAngle(a[0]), GxGeoAngle(a[1]), x, y));
                EXPECT_FALSE(p->LatLong2Proj(gxVec3(a[1], a[0], 0.0), v));
                EXPECT_FALSE(p->GeoCoord2Proj(GxGeoCoord(a[0], a[1], 0.0, Wgs84()), v));
                EXPECT_FALSE(p->Proj2LatLong(a[0], a[1], lat, lon));
                EXPECT_FALSE(p->Proj2LatLong(a[0], a[1], gLat, gLon));
                EXPECT_FALSE(p->Proj2LatLong(gxVec3(a[0], a[1], 0.0), v));
                EXPECT_FALSE(p->Proj2GeoCoord(a[0], a[1], c));
                EXPECT_FALSE(p->Proj2GeoCoord(gxVec3(a[0], a[1], 0.0), c));
                p->LLE2Proj(GxGeoAngle(a[0]), GxGeoAngle(a[1]), 60.0, x, y, z);
                p->Proj2LLE(a[0], a[1], 70.0, lat, lon, elev);
                EXPECT_EQ(gxVec3(x, y, z), gxVec3(1, 2, 60)); // only z is written
                EXPECT_EQ(gxVec3(lat, lon, elev), gxVec3(4, 5, 70));
                EXPECT_EQ(v, gxVec3(7, 8, 9));
                EXPECT_TRUE(double(gLat) == 10.0 && double(gLon) == 11.0);
                c.GetLatLong(lat, lon, elev);
                EXPECT_EQ(gxVec3(lat, lon, elev), gxVec3(12, 13, 14));
            }
        }
    }
}

TEST(ProjectionFamily, ClonesEqualityAndEllipsoidSharing) {
    GxSmartRef<GxEllipsoidBase> wgs84 = Wgs84();
    std::vector<GxSmartRef<GxProjection>> all;
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        GxSmartRef<GxProjection> p = Make(kind, wgs84);
        p->SetLocalOrigin(10.0, 20.0, 30.0);
        GxSmartRef<GxProjection> clone = p->Clone();
        EXPECT_TRUE(clone->IsEqual(p) && p->IsEqual(clone) && p->IsEqual(p));
        EXPECT_FALSE(p->IsEqual(GxSmartRef<GxProjection>()));
        EXPECT_EQ(clone->GetEllipsoid().Get(), wgs84.Get());
        EXPECT_STREQ(clone->GetProjectionInstanceDesc(), p->GetProjectionInstanceDesc());
        EXPECT_NE(clone->GetProjectionInstanceDesc(), p->GetProjectionInstanceDesc());
        EXPECT_STREQ(p->GetProjectionName(), kind.name);
        const gxVec3 in(0.5 * (kind.lonMin + kind.lonMax), kind.latMin, 1.0);
        gxVec3 a, b;
        EXPECT_TRUE(p->LatLong2Proj(in, a) && clone->LatLong2Proj(in, b) && a == b);

        // Any difference in the local origin, however small, or in the ellipsoid.
        clone->SetLocalOrigin(10.0, 20.0, std::nextafter(30.0, 31.0));
        EXPECT_FALSE(p->IsEqual(clone));
        clone->SetLocalOrigin(10.0, 20.0, 30.0);
        clone->SetEllipsoid(new GxEllipsoid("GRS80"));
        EXPECT_FALSE(p->IsEqual(clone));
        clone->SetEllipsoid(Wgs84()); // another object with equal radii
        EXPECT_TRUE(p->IsEqual(clone));
        all.push_back(p);
    }
    // Different classes are never equal, whatever their parameters.
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t j = 0; j < all.size(); ++j)
            EXPECT_EQ(all[i]->IsEqual(all[j]), i == j) << i << " " << j;
}

TEST(ProjectionFamily, WithoutAnEllipsoid) {
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        GxSmartRef<GxProjection> p = Make(kind, GxSmartRef<GxEllipsoidBase>());
        const bool ownMath = std::strncmp(kind.name, "FlatEarth", 9) == 0 ||
                             std::strncmp(kind.name, "Trapezoidal", 11) == 0;
        const gxVec3 in(kind.lonMin, kind.latMin, 0.0);
        gxVec3 out;
        const char* desc = p->GetProjectionInstanceDesc();
        EXPECT_STREQ(desc + std::strlen(desc) - 15, "\nDatum: Unknown");
        EXPECT_EQ(p->SetLocalOrigin(1.0, 2.0, 3.0), ownMath);
        EXPECT_EQ(p->LatLong2Proj(in, out), ownMath);
        EXPECT_TRUE(p->IsEqual(p->Clone()));
        EXPECT_FALSE(p->IsEqual(Make(kind)));

        // Taking the ellipsoid away from a working projection stops it converting;
        // giving one back restores it.
        GxSmartRef<GxProjection> q = Make(kind);
        EXPECT_EQ(q->SetEllipsoid(GxSmartRef<GxEllipsoidBase>()), ownMath);
        EXPECT_EQ(q->LatLong2Proj(in, out), ownMath);
        EXPECT_TRUE(q->SetEllipsoid(Wgs84()) && q->LatLong2Proj(in, out));
    }
}

TEST(ProjectionFamily, DescriptionsAreExact) {
    GxSmartRef<GxEllipsoidBase> grs80(new GxEllipsoid("GRS 1980(IUGG, 1980)"));
    GxSmartRef<GxEllipsoidBase> nameless(new GxEllipsoid(6378137.0, 6356752.0, 0, 0, 0, nullptr));
    GxUTMProjection south(grs80, 56, 2);
    const struct {
        GxSmartRef<GxProjection> projection;
        const char* text;
    } cases[] = {
        {new GxUTMProjection, "UTM (Universal Transverse Mercator)\nZone: 10, NORTH\nDatum: WGS84"},
        {south.Clone(), "UTM (Universal Transverse Mercator)\nZone: 56, SOUTH\nDatum: GRS 1980(I"},
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

} // namespace
