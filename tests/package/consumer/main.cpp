// A program outside the project, built against the installed package (or, as a
// parent project, against the source tree).
#include <geoframe/geoframe.h>

#include <cstdio>
#include <cstring>

namespace {

class Counted : public GxRefBase {};

} // namespace

int main() {
    GxGeoAngle latitude(-33.5, "S");
    char* text = latitude.GetDMSString(2);
    const bool textOk = std::strcmp(text, "33~30'0.00\" S") == 0;
    latitude.FreeString(text);

    GxSmartRef<GxRefBase> ref(new Counted);
    GxSmartRef<GxRefBase> copy = ref;
    const bool refOk = copy->AddReference() == 3 && copy->ReleaseReference() == 2;

    const bool traitOk =
        gxDoubleTrait::equal(gxDoubleTrait::d2r(180.0), gxDoubleTrait::piRadVal, 0.0);

    // Named ellipsoids come from PROJ's table: this proves the installed library
    // reaches its PROJ dependency.
    GxSmartRef<GxEllipsoidBase> wgs84(new GxEllipsoid("WGS84"));
    const bool ellipsoidOk = wgs84->GetSemiMajorRadius() == 6378137.0 &&
                             wgs84->GetSemiMinorRadius() > 6356752.3 &&
                             wgs84->GetSemiMinorRadius() < 6356752.4;

    // The datum file installed with the package, its path handed in by the build.
    const bool datumOk = GxDatum::InitDatum(GEOFRAME_CONSUMER_DATUM_FILE) &&
                         GxDatum::GetEllipsoid("NAS-C") != nullptr &&
                         std::strcmp(GxDatum::GetEllipsoid("NAS-C"), "clrk66") == 0;
    GxDatum::CleanupDatum();

    if (!textOk || !refOk || !traitOk || !ellipsoidOk || !datumOk) {
        std::puts("geoframe consumer FAILED");
        return 1;
    }
    std::puts("geoframe consumer ok");
    return 0;
}
