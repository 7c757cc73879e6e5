// Projects well-known cities through each of the six map projections: each
// projection is set up for a region, its cities go to map coordinates and back,
// and the projection's instance description is printed with them.
//
//   geoframe_projection_demo

#include <geoframe/geoframe.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct City {
    const char* name;
    double lat, lon;
};

struct Region {
    GxSmartRef<GxProjection> projection;
    std::vector<City> cities;
};

void Show(const Region& region) {
    std::printf("%s\n", region.projection->GetProjectionInstanceDesc());
    std::printf("  %-12s %11s %11s   %14s %14s   %11s %11s\n", "city", "lat", "lon", "x (m)",
                "y (m)", "lat back", "lon back");
    for (const City& city : region.cities) {
        gxVec3 map, back;
        if (!region.projection->LatLong2Proj(gxVec3(city.lon, city.lat, 0.0), map) ||
            !region.projection->Proj2LatLong(map, back)) {
            std::printf("  %-12s cannot be converted\n", city.name);
            continue;
        }
        std::printf("  %-12s %11.6f %11.6f   %14.3f %14.3f   %11.6f %11.6f\n", city.name, city.lat,
                    city.lon, map[0], map[1], back[1], back[0]);
    }
    std::printf("\n");
}

} // namespace

int main() {
    GxSmartRef<GxEllipsoidBase> wgs84(new GxEllipsoid("WGS84"));

    // UTM: each city in the zone of its longitude and its own hemisphere.
    const City world[] = {{"London", 51.507222, -0.1275},    {"New York", 40.712778, -74.006},
                          {"Sao Paulo", -23.55, -46.633333}, {"Cape Town", -33.925278, 18.423889},
                          {"Mumbai", 19.076, 72.8777},       {"Tokyo", 35.689722, 139.692222},
                          {"Sydney", -33.867778, 151.21},    {"Honolulu", 21.306944, -157.858333}};
    for (const City& city : world) {
        int zone = 0;
        GxUTMProjection().ZoneOfLong(city.lon, zone);
        Show({new GxUTMProjection(wgs84, zone, city.lat < 0 ? 1 : 0), {city}});
    }

    Show({new GxLCCProjection(wgs84, 52, 10, 65, 35),
          {{"Paris", 48.8566, 2.3522}, {"Berlin", 52.52, 13.405}, {"Madrid", 40.4168, -3.7038}}});
    Show({new GxACEAProjection(wgs84, 23, -96, 45.5, 29.5),
          {{"New York", 40.712778, -74.006},
           {"Los Angeles", 34.05, -118.25},
           {"Chicago", 41.881944, -87.627778}}});
    Show({new GxStereographicProjection(wgs84, 90, 0, 0.994),
          {{"Reykjavik", 64.146667, -21.94},
           {"Anchorage", 61.216667, -149.9},
           {"Murmansk", 68.970556, 33.075}}});
    Show({new GxFlatEarthProjection(wgs84, -33.867778, 151.21),
          {{"Sydney", -33.867778, 151.21},
           {"Canberra", -35.293056, 149.126944},
           {"Auckland", -36.850833, 174.764444}}});
    Show({new GxTrapezoidalProjection(wgs84, 35.689722, 139.692222),
          {{"Tokyo", 35.689722, 139.692222},
           {"Osaka", 34.693889, 135.502222},
           {"Seoul", 37.56, 126.99}}});
    return 0;
}
