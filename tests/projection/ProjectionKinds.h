#ifndef GEOFRAME_TESTS_PROJECTION_PROJECTIONKINDS_H
#define GEOFRAME_TESTS_PROJECTION_PROJECTIONKINDS_H

#include <geoframe/geoframe.h>

#include "Text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

// One configured projection of each of the seven classes with a region where it
// converts well, and the helpers the projection tests share.
namespace testproj {

using Ellipsoid = GxSmartRef<GxEllipsoidBase>;
using Projection = GxSmartRef<GxProjection>;
using Texts = std::vector<std::string>;

inline Ellipsoid Wgs84() {
    return Ellipsoid(new GxEllipsoid("WGS84"));
}

struct Kind {
    Projection prototype; // configured on WGS 84
    double latMin, latMax, lonMin, lonMax;

    const char* Name() const { return prototype->GetProjectionName(); }
    /// A configured copy of the prototype on `ellipsoid`.
    Projection Make(Ellipsoid ellipsoid = Wgs84()) const {
        Projection p = prototype->Clone();
        p->SetEllipsoid(ellipsoid);
        return p;
    }
    /// Computed by the library itself, not by PROJ.
    bool OwnMath() const { return !dynamic_cast<const GxProj4Projection*>(prototype.Get()); }
};

inline const std::vector<Kind>& Kinds() {
    static const std::vector<Kind> kinds = {
        {new GxUTMProjection(Wgs84(), 56, 1), -60, -1, 150, 156},
        {new GxLCCProjection(Wgs84(), 40, -100, 50, 30), 20, 60, -130, -70},
        {new GxACEAProjection(Wgs84(), -30, 135, -20, -40), -45, -10, 110, 155},
        {new GxStereographicProjection(Wgs84(), -90, 0, 0.97), -89, -50, -180, 180},
        {new GxUPSProjection(Wgs84(), 0), 80, 90, -180, 180},
        {new GxFlatEarthProjection(Wgs84(), 45, 179), 40, 50, 170, 190},
        {new GxTrapezoidalProjection(Wgs84(), -33, 151), -60, -10, 140, 160},
    };
    return kinds;
}

/// `count` (longitude, latitude, elevation) points in the region.
inline std::vector<gxVec3> Points(const Kind& region, int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> lat(region.latMin, region.latMax);
    std::uniform_real_distribution<double> lon(region.lonMin, region.lonMax);
    std::uniform_real_distribution<double> height(-100.0, 9000.0);
    std::vector<gxVec3> points;
    for (int i = 0; i < count; ++i)
        points.emplace_back(GxGeoAngle(lon(rng)).GetDecimalDegrees(), lat(rng), height(rng));
    return points;
}

/// `count` points of the region forward, back, and moved to 95 N (off the Earth),
/// as text: a line "ok x y z ok lon lat elevation ok x y z" a point, outputs
/// written only where a call succeeds.
inline std::string RoundTrips(const GxProjection& p, const Kind& region, int count) {
    std::string text;
    for (const gxVec3& point : Points(region, count, 3)) {
        gxVec3 map, back, off;
        const bool forward = p.LatLong2Proj(point, map), inverse = p.Proj2LatLong(map, back);
        const bool offEarth = p.LatLong2Proj(gxVec3(point[0], 95.0, 0.0), off);
        text += Values(forward, map[0], map[1], map[2], inverse, back[0], back[1], back[2],
                       offEarth, off[0], off[1], off[2]) +
                "\n";
    }
    return text;
}

/// The map point of (lat, lon); a refusal fails the test.
inline gxVec2 Map(const GxProjection& p, double lat, double lon) {
    gxVec2 xy;
    EXPECT_TRUE(p.LatLong2Proj(GxGeoAngle(lat), GxGeoAngle(lon), xy[0], xy[1]))
        << lat << " " << lon;
    return xy;
}

/// Whether (lat, lon) is refused with the outputs left alone.
inline bool Refuses(const GxProjection& p, double lat, double lon) {
    double x = 7, y = 7;
    return !p.LatLong2Proj(GxGeoAngle(lat), GxGeoAngle(lon), x, y) && x == 7 && y == 7;
}

/// The texts of a list handed out with new[], released.
inline Texts Take(int count, char** list) {
    Texts texts(list, list + count);
    for (int i = 0; i < count; ++i)
        delete[] list[i];
    delete[] list;
    return texts;
}

/// The PROJ parameter list of a PROJ-backed projection.
inline Texts Parameters(const GxProjection& projection) {
    const auto* proj4 = dynamic_cast<const GxProj4Projection*>(&projection);
    return proj4 ? proj4->GetParameterList() : Texts();
}

} // namespace testproj

#endif
