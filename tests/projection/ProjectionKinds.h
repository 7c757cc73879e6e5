#ifndef GEOFRAME_TESTS_PROJECTION_PROJECTIONKINDS_H
#define GEOFRAME_TESTS_PROJECTION_PROJECTIONKINDS_H

#include <geoframe/geoframe.h>

#include <random>
#include <string>
#include <vector>

// One configured projection of each of the six classes, with a region where it
// converts well, for the tests that hold for every projection.
namespace testproj {

struct Kind {
    const char* name; // GetProjectionName
    GxProjection* (*make)(GxSmartRef<GxEllipsoidBase>);
    double latMin, latMax, lonMin, lonMax;
};

inline const std::vector<Kind>& Kinds() {
    static const std::vector<Kind> kinds = {
        {"UTM_PROJ",
         [](GxSmartRef<GxEllipsoidBase> e) -> GxProjection* {
             return new GxUTMProjection(e, 56, 1);
         },
         -60, -1, 150, 156},
        {"LCC_PROJ",
         [](GxSmartRef<GxEllipsoidBase> e) -> GxProjection* {
             return new GxLCCProjection(e, 40, -100, 50, 30);
         },
         20, 60, -130, -70},
        {"ACEA_PROJ",
         [](GxSmartRef<GxEllipsoidBase> e) -> GxProjection* {
             return new GxACEAProjection(e, -30, 135, -20, -40);
         },
         -45, -10, 110, 155},
        {"Stereog_PROJ",
         [](GxSmartRef<GxEllipsoidBase> e) -> GxProjection* {
             return new GxStereographicProjection(e, -90, 0, 0.97);
         },
         -89, -50, -180, 180},
        {"FlatEarth_PROJ",
         [](GxSmartRef<GxEllipsoidBase> e) -> GxProjection* {
             return new GxFlatEarthProjection(e, 45, 179);
         },
         40, 50, 170, 190},
        {"Trapezoidal_PROJ",
         [](GxSmartRef<GxEllipsoidBase> e) -> GxProjection* {
             return new GxTrapezoidalProjection(e, -33, 151);
         },
         -60, -10, 140, 160},
    };
    return kinds;
}

inline GxSmartRef<GxEllipsoidBase> Wgs84() {
    return GxSmartRef<GxEllipsoidBase>(new GxEllipsoid("WGS84"));
}

/// `count` (longitude, latitude, elevation) points in the kind's region.
inline std::vector<gxVec3> Points(const Kind& kind, int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> lat(kind.latMin, kind.latMax);
    std::uniform_real_distribution<double> lon(kind.lonMin, kind.lonMax);
    std::uniform_real_distribution<double> height(-100.0, 9000.0);
    std::vector<gxVec3> points;
    for (int i = 0; i < count; ++i)
        points.emplace_back(GxGeoAngle(lon(rng)).GetDecimalDegrees(), lat(rng), height(rng));
    return points;
}

/// The PROJ parameter list of a PROJ-backed projection.
inline std::vector<std::string> Parameters(const GxProjection& projection) {
    const auto* proj4 = dynamic_cast<const geoframe::detail::GxProj4Projection*>(&projection);
    char** list = nullptr;
    const int count = proj4 ? proj4->GetParameters(list) : 0;
    std::vector<std::string> texts(list, list + count);
    for (int i = 0; i < count; ++i)
        delete[] list[i];
    delete[] list;
    return texts;
}

} // namespace testproj

#endif
