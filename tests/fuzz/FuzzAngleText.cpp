// Fuzz target: any text through GxGeoAngle::SetDMSString, then the angle written
// back at a few precisions and the written text read again: a wrapped angle must
// come back with the same value and axis.

#include "Fuzz.h"

#include <geoframe/geodesy/GxGeoAngle.h>

#include <cmath>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    GxGeoAngle angle(12.5, "N");
    const GxGeoAngle before = angle;
    if (!angle.SetDMSString(text.c_str())) {
        Require(angle == before); // a refused text leaves the angle as it was
        return 0;
    }

    const double degrees = angle.GetDecimalDegrees();
    // Inside the turn (180 and -180 are one meridian written with E or W).
    const bool wrapped = degrees > -180.0 && degrees < 180.0;
    for (const int precision : {-1, 0, 2, 20}) {
        char* written = angle.GetDMSString(precision);
        Require(written && std::strlen(written) > 0);
        // What the library writes it reads back, whatever the angle.
        GxGeoAngle again;
        Require(again.SetDMSString(written));
        if (precision == 20 && wrapped) {
            // Minutes within 1e-7 of a whole minute are rounded to it, so an angle
            // next to the antimeridian may come back as the other side's 180.
            const double back = again.GetDecimalDegrees();
            const double error = std::fabs(std::remainder(back - degrees, 360.0));
            GeoHemiType a = HEMI_NONE, b = HEMI_NONE;
            angle.GetHemisphere(a);
            again.GetHemisphere(b);
            // A text whose digits are all zero has no sign left for its letter.
            Require(!(error > 2e-9 || (a != b && back != 0.0 && std::fabs(back) != 180.0)));
        }
        angle.FreeString(written);
    }

    int whole = 0, minutes = 0;
    double seconds = 0.0;
    angle.GetDMS(whole, minutes, seconds);
    char* hemisphere = angle.GetHemisphere();
    angle.FreeString(hemisphere);
    return 0;
}
