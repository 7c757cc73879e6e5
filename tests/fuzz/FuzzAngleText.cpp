// Fuzz target: any text through both readers of GxGeoAngle, then each angle read
// written back at a few precisions. A refused text leaves the angle as it was;
// the strict reader gives only angles within one turn (latitudes within 90); no
// written text of an angle within one turn has 60 minutes or seconds, and the
// strict reader reads every such text back as the angle written.

#include "Fuzz.h"

#include <geoframe/geodesy/GxGeoAngle.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

bool IsLatitude(const GxGeoAngle& angle) {
    GeoHemiType hemisphere = HEMI_NONE;
    angle.GetHemisphere(hemisphere);
    return hemisphere == HEMI_NORTH || hemisphere == HEMI_SOUTH;
}

void CheckWritten(const GxGeoAngle& angle) {
    const double degrees = angle.GetDecimalDegrees();
    // Within one turn; only the lenient reader keeps decimal degrees unwrapped.
    const bool wrapped = degrees >= -180.0 && degrees <= 180.0;
    for (const int precision : {-1, 0, 2, 4, 20}) {
        char* written = angle.GetDMSString(precision);
        Require(written && std::strlen(written) > 0);
        // What the library writes its lenient reader reads back, whatever the angle.
        GxGeoAngle lenient;
        Require(lenient.SetDMSString(written));
        if (wrapped) {
            // Refused only for a latitude beyond 90 degrees (which may round to 90): never
            // for 60 minutes or seconds, which the strict reader refuses.
            GxGeoAngle strict;
            const bool read = strict.SetAngleText(written);
            Require(read || (IsLatitude(angle) && std::fabs(degrees) > 90.0));
            if (read) {
                // Within half a unit of the last digit, plus the 1e-7 minute that
                // GetDMS rounds to a whole minute; 180 W comes back as 180 E.
                const double unit = std::pow(10.0, -(precision < 0 ? 6 : precision));
                const double error =
                    std::fabs(std::remainder(strict.GetDecimalDegrees() - degrees, 360.0));
                Require(error * 3600.0 <= 0.5 * unit + 6e-6 + 1e-8);
                Require(IsLatitude(strict) == IsLatitude(angle));
            }
        }
        angle.FreeString(written);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const GxGeoAngle before(12.5, "N");

    GxGeoAngle lenient = before;
    if (lenient.SetDMSString(text.c_str()))
        CheckWritten(lenient);
    else
        Require(lenient == before);

    GxGeoAngle strict = before;
    if (strict.SetAngleText(text.c_str())) {
        const double degrees = strict.GetDecimalDegrees();
        // Wrapped as SetDecimalDegrees wraps: 540 gives -180.
        Require(degrees >= -180.0 && degrees <= 180.0 &&
                (!IsLatitude(strict) || std::fabs(degrees) <= 90.0));
        CheckWritten(strict);
    } else {
        Require(strict == before);
    }
    return 0;
}
