// Fuzz target: any bytes as the contents of a datum file through
// GxDatum::InitDatum, then every lookup over the table it built.

#include "Fuzz.h"

#include <geoframe/geodesy/GxDatum.h>
#include <geoframe/geodesy/GxEllipsoid.h>

#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The input as an in-memory file whose path InitDatum opens.
    static const int fd = memfd_create("datums", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    Require(fd >= 0 && ftruncate(fd, 0) == 0 &&
            pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
    Require(GxDatum::InitDatum(path.c_str()) && GxDatum::IsInitialized());

    char** names = nullptr;
    char** descriptions = nullptr;
    const int count = GxDatum::GetDatumNames(names, descriptions);
    for (int i = 0; i < count; ++i) {
        double x, y, z;
        const char* ellipsoid = GxDatum::GetEllipsoid(names[i]);
        Require(ellipsoid && GxDatum::GetDatumShift(names[i], x, y, z) &&
                GxDatum::GetDatumSigma(names[i], x, y, z) && descriptions[i]);
        // A datum whose ellipsoid PROJ knows is an ellipsoid name too.
        const GxEllipsoid figure(ellipsoid);
        const GxEllipsoid byName(names[i]);
        Require(!(std::strcmp(figure.GetEllipsoid(), ellipsoid) == 0 &&
                  std::strcmp(byName.GetEllipsoid(), "Sphere") == 0 &&
                  std::strcmp(names[i], "Sphere") != 0));
    }
    GxDatum::FreeDatumNames(count, names, descriptions);

    GxDatum::CleanupDatum();
    Require(!GxDatum::IsInitialized() && !GxDatum::GetEllipsoid("ADI-M"));
    return 0;
}
