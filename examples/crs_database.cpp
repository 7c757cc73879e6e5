// Builds a terrain database's coordinate system from the EPSG code a GeoTIFF
// names (Lambert-93, EPSG:2154, unless another CRS text is given), places the
// database with a frame and a coverage, converts a corner to latitude and
// longitude, and prints the WKT a GIS reads back.
//
//   geoframe_crs_database [EPSG:n | WKT | PROJ string]

#include <geoframe/geoframe.h>

#include <cstdio>

int main(int argc, char** argv) {
    const char* code = argc > 1 ? argv[1] : "EPSG:2154";
    GxCrsDefinition crs;
    if (!crs.Read(code)) {
        std::fprintf(stderr, "%s: %s\n", code, crs.GetMessage());
        return 1;
    }
    const GxSmartRef<GxCoordSys> system = crs.GetCoordSys();
    std::printf("%s (%s)\n", crs.GetName(), code);
    if (*crs.GetMessage())
        std::printf("Note: %s\n", crs.GetMessage());
    GxSmartRef<GxProjection> projection;
    system->GetProjection(projection);
    if (!projection) {
        std::printf("Not a projected CRS: no database frame to place.\n");
        return 0;
    }
    std::printf("%s\n", projection->GetProjectionInstanceDesc());

    // A 20 km by 15 km database in 1 m local units, its corner at a round map
    // position near the middle of the CRS's area (here Lyon for Lambert-93).
    double lat = 45.76, lon = 4.84, x, y;
    projection->LatLong2Proj(GxGeoAngle(lat), GxGeoAngle(lon), x, y);
    const double scale = crs.GetUnitScale(); // metres per map unit
    const double originX = static_cast<long>(x / scale / 1000) * 1000.0;
    const double originY = static_cast<long>(y / scale / 1000) * 1000.0;
    const GxSmartRef<GxCoordFrame> frame(new GxCoordFrame(originX, originY, 1.0, 1.0, system, 0.0));
    const GxSmartRef<GxCoverage> coverage(
        new GxCoverage(originX, originY, 20000.0, 15000.0, system));
    std::printf("\nFrame origin (%.0f, %.0f), coverage %.0f x %.0f map units\n", originX, originY,
                coverage->GetExtentX(), coverage->GetExtentY());
    if (projection->Proj2LatLong(originX * scale, originY * scale, lat, lon))
        std::printf("Database corner: latitude %.6f, longitude %.6f\n", lat, lon);

    // What a GIS reads back: WKT2:2019 written by PROJ from what geoframe holds.
    if (crs.Write(*system, GxCrsDefinition::FORMAT_WKT2_2019, scale))
        std::printf("\n%s\n", crs.GetText());
    if (crs.Write(*system, GxCrsDefinition::FORMAT_PROJ_STRING, scale))
        std::printf("\n%s\n", crs.GetText());
    return 0;
}
