// geoframe-convert: converts points between geographic, geocentric and map
// projection coordinates, as a streaming filter. See --help.

#include "Converter.h"
#include "Options.h"
#include "Pipeline.h"

#include <geoframe/geodesy/GxDatum.h>
#include <geoframe/geodesy/GxEllipsoid.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace geoframe::convert;

int Usage(const std::string& reason) {
    std::fprintf(stderr, "geoframe-convert: %s (see --help)\n", reason.c_str());
    return 2;
}

bool Readable(const std::string& path) {
    return !path.empty() && access(path.c_str(), R_OK) == 0;
}

/// The installed datums.txt: beside the program as installed (bin/ and
/// share/geoframe/ under one prefix, wherever that prefix was moved to), else at
/// the path it was installed to.
std::string DefaultDatumFile() {
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        std::string path(exe, static_cast<std::size_t>(n));
        path = path.substr(0, path.rfind('/') + 1) + GEOFRAME_CONVERT_DATUM_RELPATH;
        if (Readable(path))
            return path;
    }
    return Readable(GEOFRAME_CONVERT_DATUM_ABSPATH) ? GEOFRAME_CONVERT_DATUM_ABSPATH : "";
}

void ListEllipsoids() {
    GxEllipsoid ellipsoid;
    char** ids = nullptr;
    char** descriptions = nullptr;
    const int count = ellipsoid.GetEllipsoidNames(ids, descriptions);
    for (int i = 0; i < count; ++i)
        std::printf("%s\t%s\n", ids[i], descriptions[i]);
    ellipsoid.FreeEllipsoidNames(count, ids, descriptions);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(argc - 1, argv + 1, options, error))
        return Usage(error);
    if (options.help) {
        std::fputs(HelpText(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("geoframe-convert %s\n", GEOFRAME_VERSION);
        return 0;
    }

    const std::string datumFile =
        options.datumFile.empty() ? DefaultDatumFile() : options.datumFile;
    if (!datumFile.empty() && !GxDatum::InitDatum(datumFile.c_str()) && !options.datumFile.empty())
        return Usage("cannot read the datum file " + datumFile);

    if (options.listEllipsoids) {
        ListEllipsoids();
        return 0;
    }

    const unsigned cores = std::thread::hardware_concurrency();
    const int threads = options.threads > 0 ? options.threads : static_cast<int>(cores ? cores : 1);
    std::vector<std::unique_ptr<Converter>> converters;
    converters.push_back(Converter::Create(options, error));
    if (!converters.back())
        return Usage(error);
    while (converters.size() < static_cast<std::size_t>(threads))
        converters.push_back(converters.front()->Clone());
    if (options.describe) {
        std::fputs(converters.front()->Describe().c_str(), stdout);
        return 0;
    }

    int in = 0;
    if (!options.input.empty()) {
        in = open(options.input.c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0)
            return Usage("cannot open " + options.input + ": " + std::strerror(errno));
        // A folder opens but cannot be read: a bad command line, not a failed run.
        struct stat info;
        if (fstat(in, &info) == 0 && S_ISDIR(info.st_mode)) {
            close(in);
            return Usage("cannot read " + options.input + ": " + std::strerror(EISDIR));
        }
    }
    const PipelineResult result = RunPipeline(in, 1, 2, converters);
    if (in != 0)
        close(in);
    converters.clear();
    GxDatum::CleanupDatum();
    if (result.ioFailed) {
        std::fprintf(stderr, "geoframe-convert: %s\n", result.ioError.c_str());
        return 1;
    }
    return result.linesFailed ? 1 : 0;
}
