// Loads a datum file, lists some of its datums with their ellipsoids and shifts to
// WGS 84, and moves a few well-known points from their local datum onto WGS 84
// and back: latitude/longitude -> geocentric -> shifted geocentric -> WGS 84.
//
//   geoframe_datum_demo data/datums.txt

#include <geoframe/geoframe.h>

#include <cstdio>
#include <string>

namespace {

std::string Dms(double degrees, const char* hemisphere) {
    const GxGeoAngle angle(degrees, hemisphere);
    char* text = angle.GetDMSString(3);
    std::string result = text;
    angle.FreeString(text);
    return result;
}

void ListDatums(const char* const* names, int count) {
    std::printf("%-7s %-10s %8s %8s %8s   %s\n", "datum", "ellipsoid", "dX", "dY", "dZ",
                "description");
    char** all = nullptr;
    char** descriptions = nullptr;
    const int total = GxDatum::GetDatumNames(all, descriptions);
    for (int i = 0; i < count; ++i) {
        double dx, dy, dz;
        if (!GxDatum::GetDatumShift(names[i], dx, dy, dz))
            continue;
        const char* description = "";
        for (int k = 0; k < total; ++k) {
            if (std::string(all[k]) == names[i])
                description = descriptions[k];
        }
        std::printf("%-7s %-10s %8.1f %8.1f %8.1f   %s\n", names[i],
                    GxDatum::GetEllipsoid(names[i]), dx, dy, dz, description);
    }
    GxDatum::FreeDatumNames(total, all, descriptions);
}

struct Landmark {
    const char* what;
    const char* datum;
    double lat, lon;
};

void MoveToWgs84(const Landmark& mark, const GxEllipsoid& wgs84) {
    const GxEllipsoid local(mark.datum);
    std::printf("\n%s, on %s (%s, a = %.3f m)\n", mark.what, mark.datum,
                GxDatum::GetEllipsoid(mark.datum), local.GetSemiMajorRadius());
    std::printf("  local      %s  %s\n", Dms(mark.lat, "N").c_str(), Dms(mark.lon, "E").c_str());

    double x, y, z, wx, wy, wz, lat, lon, h;
    local.LatLongToGeocentric(mark.lat, mark.lon, 0.0, x, y, z);
    std::printf("  geocentric %14.3f %14.3f %14.3f\n", x, y, z);
    local.GeocentricToWGS84(x, y, z, wx, wy, wz);
    std::printf("  + shift    %14.3f %14.3f %14.3f\n", wx, wy, wz);
    if (!wgs84.GeocentricToLatLong(wx, wy, wz, lat, lon, h, true)) {
        std::printf("  (no convergence)\n");
        return;
    }
    std::printf("  WGS 84     %s  %s  h = %.3f m\n", Dms(lat, "N").c_str(), Dms(lon, "E").c_str(),
                h);

    // And back: WGS 84 -> geocentric -> unshifted -> local datum.
    double bx, by, bz, backLat, backLon, backH;
    wgs84.LatLongToGeocentric(lat, lon, h, wx, wy, wz);
    local.WGS84ToGeocentric(wx, wy, wz, bx, by, bz);
    local.GeocentricToLatLong(bx, by, bz, backLat, backLon, backH, true);
    std::printf("  back       %s  %s  h = %.6f m\n", Dms(backLat, "N").c_str(),
                Dms(backLon, "E").c_str(), backH);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATUM_FILE\n", argv[0]);
        return 2;
    }
    if (!GxDatum::InitDatum(argv[1])) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }

    const char* shown[] = {"NAS-C", "OGB-M", "EUR-M", "TOY-M", "AUA", "ARF-M", "WGE"};
    ListDatums(shown, sizeof(shown) / sizeof(shown[0]));

    const GxEllipsoid wgs84("WGS84");
    const Landmark marks[] = {
        {"Meades Ranch, Kansas (origin of NAD 27)", "NAS-C", 39.0 + 13.0 / 60 + 26.686 / 3600,
         -(98.0 + 32.0 / 60 + 30.506 / 3600)},
        {"Airy transit circle, Greenwich (prime meridian of OSGB 36)", "OGB-M",
         51.0 + 28.0 / 60 + 38.0 / 3600, 0.0},
        {"Nihon Keido Genten, Tokyo (origin of the Tokyo datum)", "TOY-M",
         35.0 + 39.0 / 60 + 17.5148 / 3600, 139.0 + 44.0 / 60 + 40.502 / 3600},
    };
    for (const Landmark& mark : marks)
        MoveToWgs84(mark, wgs84);

    GxDatum::CleanupDatum();
    return 0;
}
