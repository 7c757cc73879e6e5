// Describes a small terrain database the way a scene-database writer would: a UTM
// coordinate system in metres, a frame that places the database's local
// coordinates in it by an origin, scales and a rotation, and the area it covers.
// A few local points then go through the frame and the projection to latitude
// and longitude and back, and the scene-database codes are printed.
//
//   geoframe_terrain_database

#include <geoframe/geoframe.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string Dms(double degrees, const char* hemisphere) {
    const GxGeoAngle angle(degrees, hemisphere);
    char* text = angle.GetDMSString(2);
    std::string result = text;
    angle.FreeString(text);
    return result;
}

void PrintCodes(const char* what, GxCoordSysBase& cs) {
    char kind[64] = "", name[64] = "";
    cs.GetUnits(kind, sizeof kind, name, sizeof name);
    std::printf("  %-22s units \"%s\" / \"%s\": projection code %d, units code %d\n", what, kind,
                name, cs.GetScnProjection(), cs.GetScnUnits());
}

} // namespace

int main() {
    // UTM zone 33 north on WGS 84, in metres.
    const GxSmartRef<GxEllipsoidBase> wgs84(new GxEllipsoid("WGS84"));
    const GxSmartRef<GxProjection> utm(new GxUTMProjection(wgs84, 33, 0));
    const GxSmartRef<GxCoordSys> utmSystem(new GxCoordSys());
    utmSystem->SetProjection(utm);
    utmSystem->SetUnits("Distance", "Meters");
    utmSystem->SetVerticalDatum(GxCoordSysBase::VERTICAL_DATUM_ELLIPSOID);

    // Local database units of 2 m, the database's x axis turned 12.5 degrees
    // counter-clockwise from east, its origin at a corner near Vienna.
    const double originX = 590000.0, originY = 5330000.0;
    const GxSmartRef<GxCoordFrame> frame(
        new GxCoordFrame(originX, originY, 2.0, 2.0, utmSystem, 12.5));
    const GxSmartRef<GxCoverage> coverage(
        new GxCoverage(originX - 5000, originY - 1000, 25000, 22000, utmSystem));

    std::printf("Coordinate system\n%s\n", utm->GetProjectionInstanceDesc());
    double x, y, rotation;
    frame->GetOrigin(x, y);
    std::printf("\nFrame: origin (%.1f, %.1f) m", x, y);
    frame->GetScale(x, y);
    frame->GetRotation(rotation);
    std::printf(", scales (%.1f, %.1f) m per unit, rotation %.1f deg, %s\n", x, y, rotation,
                frame->GetTransform()->GetName());
    coverage->GetOrigin(x, y);
    std::printf("Coverage: origin (%.1f, %.1f) m", x, y);
    coverage->GetExtent(x, y);
    std::printf(", extent (%.1f, %.1f) m\n", x, y);

    std::printf("\n%-20s %-26s %-16s %-16s %s\n", "local (u, v)", "UTM 33N (E, N) m", "latitude",
                "longitude", "back to local");
    const double points[][2] = {{0, 0}, {1000, 0}, {0, 1000}, {2500, 3750}, {-400, 6000}};
    const GxTransform2D* toUtm = frame->GetTransform();
    for (const auto& p : points) {
        double e, n, lat, lon, u, v;
        if (!toUtm->TransformTo(p[0], p[1], e, n) || !utm->Proj2LatLong(e, n, lat, lon)) {
            std::printf("(%g, %g): cannot convert\n", p[0], p[1]);
            continue;
        }
        // Back: latitude/longitude to UTM, then out of the frame.
        double e2, n2;
        if (!utm->LatLong2Proj(GxGeoAngle(lat, "N"), GxGeoAngle(lon, "E"), e2, n2) ||
            !toUtm->TransformFrom(e2, n2, u, v)) {
            std::printf("(%g, %g): cannot convert back\n", p[0], p[1]);
            continue;
        }
        char local[32], grid[32], back[40];
        std::snprintf(local, sizeof local, "(%.0f, %.0f)", p[0], p[1]);
        std::snprintf(grid, sizeof grid, "(%.2f, %.2f)", e, n);
        // Rounding noise below the printed digits shows as 0, not -0.
        const auto shown = [](double d) { return std::fabs(d) < 5e-7 ? 0.0 : d; };
        std::snprintf(back, sizeof back, "(%.6f, %.6f)", shown(u), shown(v));
        std::printf("%-20s %-26s %-16s %-16s %s\n", local, grid, Dms(lat, "N").c_str(),
                    Dms(lon, "E").c_str(), back);
    }

    std::printf("\nScene-database codes\n");
    PrintCodes("UTM system:", *utmSystem);
    GxSmartRef<GxCoordSysBase> latLong;
    GxCoverage().GetCoordSystem(latLong);
    PrintCodes("default coverage:", *latLong);
    return 0;
}
