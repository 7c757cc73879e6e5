// Fuzz target: any bytes as the contents of a datum file through
// GxDatum::InitDatum, then every lookup over the table it built.

#include <geoframe/geodesy/GxDatum.h>
#include <geoframe/geodesy/GxEllipsoid.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

/// An in-memory file whose path InitDatum can open.
class MemoryFile {
public:
    MemoryFile() : m_fd(memfd_create("datums", 0)) {
        if (m_fd < 0)
            std::abort();
        m_path = "/proc/self/fd/" + std::to_string(m_fd);
    }
    ~MemoryFile() { close(m_fd); }

    const char* Fill(const std::uint8_t* data, std::size_t size) {
        if (ftruncate(m_fd, 0) != 0 || lseek(m_fd, 0, SEEK_SET) != 0)
            std::abort();
        while (size > 0) {
            const ssize_t n = write(m_fd, data, size);
            if (n <= 0)
                std::abort();
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        return m_path.c_str();
    }

private:
    int m_fd;
    std::string m_path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file;
    if (!GxDatum::InitDatum(file.Fill(data, size)) || !GxDatum::IsInitialized())
        std::abort();

    char** names = nullptr;
    char** descriptions = nullptr;
    const int count = GxDatum::GetDatumNames(names, descriptions);
    for (int i = 0; i < count; ++i) {
        double x, y, z;
        const char* ellipsoid = GxDatum::GetEllipsoid(names[i]);
        if (!ellipsoid || !GxDatum::GetDatumShift(names[i], x, y, z) ||
            !GxDatum::GetDatumSigma(names[i], x, y, z) || !descriptions[i])
            std::abort();
        // A datum whose ellipsoid PROJ knows is an ellipsoid name too.
        const GxEllipsoid figure(ellipsoid);
        const GxEllipsoid byName(names[i]);
        if (std::strcmp(figure.GetEllipsoid(), ellipsoid) == 0 &&
            std::strcmp(byName.GetEllipsoid(), "Sphere") == 0 &&
            std::strcmp(names[i], "Sphere") != 0)
            std::abort();
    }
    GxDatum::FreeDatumNames(count, names, descriptions);

    GxDatum::CleanupDatum();
    if (GxDatum::IsInitialized() || GxDatum::GetEllipsoid("ADI-M"))
        std::abort();
    return 0;
}
