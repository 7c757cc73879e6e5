// The PROJ-backed projections against an independent implementation (GeographicLib)
// on random points in both hemispheres.

#include "ProjectionKinds.h"

#include <gtest/gtest.h>

#include <functional>

#ifdef GEOFRAME_HAVE_GEOGRAPHICLIB
#include <GeographicLib/AlbersEqualArea.hpp>
#include <GeographicLib/LambertConformalConic.hpp>
#include <GeographicLib/PolarStereographic.hpp>
#include <GeographicLib/TransverseMercator.hpp>
#include <GeographicLib/UTMUPS.hpp>
#endif

namespace {

using testproj::Wgs84;

#ifdef GEOFRAME_HAVE_GEOGRAPHICLIB
TEST(ProjectionAgreement, MatchesGeographicLibInBothHemispheres) {
    // The radii exactly as the projections hand them to PROJ.
    const double a = 6378137.0, f = 1.0 - 6356752.314245 / a;
    using namespace GeographicLib;
    const TransverseMercator tm(a, f, 0.9996);
    const LambertConformalConic lccNorth(a, f, 33, 45, 1), lccSouth(a, f, -36, -28, 1);
    // GeographicLib 2.1's southern Albers is off (scale 1.47 between its parallels),
    // so the southern case is checked as the mirror image of a northern one.
    const AlbersEqualArea aeaNorth(a, f, 29.5, 45.5, 1), aeaMirror(a, f, 36, 18, 1);
    const PolarStereographic k994(a, f, 0.994), k97(a, f, 0.97);
    using Reference = std::function<void(double lat, double lon, double& x, double& y)>;
    // A conic's y counts from the origin latitude; a mirrored one maps -lat. UTM:
    // the transverse Mercator from the equator, with false easting and northing.
    const auto conic = [](const auto& c, double lat0, double lon0, double mirror = 1, double x0 = 0,
                          double y0 = 0) {
        return Reference([=, &c](double lat, double lon, double& x, double& y) {
            double xOrigin, yOrigin;
            c.Forward(lon0, mirror * lat0, lon0, xOrigin, yOrigin);
            c.Forward(lon0, mirror * lat, lon, x, y);
            x += x0, y = mirror * (y - yOrigin) + y0;
        });
    };
    // UPS: the polar stereographic with k0 0.994 and a false origin of 2e6, 2e6.
    const auto polar = [](const PolarStereographic& ps, bool north, double lon0, double o = 0) {
        return Reference([&ps, north, lon0, o](double lat, double lon, double& x, double& y) {
            ps.Forward(north, lat, lon - lon0, x, y);
            x += o, y += o;
        });
    };
    GxSmartRef<GxEllipsoidBase> e = Wgs84();
    const struct {
        GxSmartRef<GxProjection> p;
        Reference reference;
        double latMin, latMax, lonMin, lonMax;
    } cases[] = {
        {new GxUTMProjection(e, 32, 0), conic(tm, 0, 9, 1, 5e5), 0, 84, 5, 13},
        {new GxUTMProjection(e, 56, 1), conic(tm, 0, 153, 1, 5e5, 1e7), -80, 0, 149, 157},
        {new GxLCCProjection(e, 23, -96, 45, 33), conic(lccNorth, 23, -96), 15, 60, -130, -62},
        {new GxLCCProjection(e, -32, 135, -28, -36), conic(lccSouth, -32, 135), -45, -10, 110, 160},
        {new GxACEAProjection(e, 23, -96, 45.5, 29.5), conic(aeaNorth, 23, -96), 15, 60, -130, -62},
        {new GxACEAProjection(e, -30, 132, -18, -36), conic(aeaMirror, -30, 132, -1), -45, -10, 110,
         160},
        {new GxStereographicProjection(e, 90, -45, 0.994), polar(k994, true, -45), 55, 89.9, -180,
         180},
        {new GxStereographicProjection(e, -90, 0, 0.97), polar(k97, false, 0), -89.9, -55, -180,
         180},
        {new GxUPSProjection(e, 0), polar(k994, true, 0, 2e6), 83.5, 90, -180, 180},
        {new GxUPSProjection(e, 1), polar(k994, false, 0, 2e6), -90, -79.5, -180, 180},
    };
    for (const auto& c : cases) {
        const testproj::Kind region{nullptr, c.latMin, c.latMax, c.lonMin, c.lonMax};
        for (const gxVec3& point : testproj::Points(region, 500, 11)) {
            double x, y, refX, refY;
            gxVec3 back;
            c.reference(point[1], point[0], refX, refY);
            ASSERT_TRUE(c.p->LatLong2Proj(GxGeoAngle(point[1]), GxGeoAngle(point[0]), x, y));
            EXPECT_NEAR(x, refX, 1e-5) << c.p->GetProjectionInstanceDesc() << "\n" << point[1];
            EXPECT_NEAR(y, refY, 1e-5) << c.p->GetProjectionInstanceDesc() << "\n" << point[0];
            ASSERT_TRUE(c.p->Proj2LatLong(gxVec3(refX, refY, 0.0), back));
            EXPECT_NEAR(back[1], point[1], 1e-9);
            EXPECT_NEAR(GxGeoAngle(back[0] - point[0]), 0.0, 1e-9);
        }
    }
}

// The zone of every point of a half-degree grid and of the closest doubles on
// either side of each band edge, as GeographicLib's UTMUPS chooses it.
TEST(ProjectionAgreement, StandardZoneAsGeographicLib) {
    std::vector<double> lats, lons;
    const auto around = [](std::vector<double>& values, double edge) {
        values.insert(values.end(), {std::nextafter(edge, -1e9), edge, std::nextafter(edge, 1e9)});
    };
    for (double lat = -90; lat <= 90; lat += 0.5)
        around(lats, lat);
    for (double lon = -540; lon <= 540; lon += 0.5)
        around(lons, lon);
    for (const double lat : lats) {
        for (const double lon : lons) {
            int zone = -1, hemisphere = -1;
            const bool ok = GxUTMProjection::StandardZone(lat, lon, zone, hemisphere);
            if (std::fabs(lat) > 90) {
                EXPECT_FALSE(ok) << lat;
                continue;
            }
            ASSERT_TRUE(ok) << lat << ", " << lon;
            ASSERT_EQ(zone, GeographicLib::UTMUPS::StandardZone(lat, lon)) << lat << ", " << lon;
            ASSERT_EQ(hemisphere, lat >= 0 ? 0 : 1) << lat << ", " << lon;
        }
    }
}
#endif

} // namespace
