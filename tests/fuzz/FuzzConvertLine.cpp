// Fuzz target: any bytes as one input line of geoframe-convert, read as each kind
// of coordinates and converted all the way by a few converters.

#include "Fuzz.h"

#include "Converter.h"
#include "LineParser.h"
#include "Options.h"

#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace geoframe::convert;

namespace {

std::vector<std::unique_ptr<Converter>> MakeConverters() {
    const std::vector<std::vector<const char*>> commandLines = {
        {"geo", "utm:auto"},
        {"--dms=3", "utm:auto", "geo"},
        {"ups:s", "utm:auto"},
        {"ecef", "lcc:40,-96,33,45"},
        {"--origin", "100,200,5", "stere:90,0,k=0.994", "trap:10,20"},
        {"--to-ellipsoid", "clrk66", "flat:-33.8,151.2", "aea:-20,130,-18,-36"}};
    std::vector<std::unique_ptr<Converter>> converters;
    for (const auto& args : commandLines) {
        Options options;
        std::string error;
        Require(ParseOptions(static_cast<int>(args.size()), args.data(), options, error));
        converters.push_back(Converter::Create(options, error));
        Require(converters.back() != nullptr);
    }
    return converters;
}

bool Within(std::string_view inner, std::string_view outer) {
    return inner.empty() || (inner.data() >= outer.data() &&
                             inner.data() + inner.size() <= outer.data() + outer.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::vector<std::unique_ptr<Converter>> converters = MakeConverters();
    // One line, as the pipeline hands it over: up to its line end.
    std::string_view line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find('\n'));

    for (const FieldKind kind : {FieldKind::Geographic, FieldKind::Cartesian, FieldKind::Projected,
                                 FieldKind::ProjectedZone}) {
        ParsedLine parsed;
        if (ParseLine(line, kind, parsed)) {
            for (const double value : parsed.values)
                Require(std::isfinite(value));
            Require(Within(parsed.rest, line) && !parsed.error &&
                    (kind != FieldKind::Geographic || std::fabs(parsed.values[0]) <= 90.0) &&
                    (kind != FieldKind::ProjectedZone || (parsed.zone >= 0 && parsed.zone <= 60)));
        } else {
            Require(parsed.error && Within(parsed.errorField, line));
        }
    }

    std::string out;
    std::string reason;
    for (const auto& converter : converters) {
        out.clear();
        const bool ok = converter->ConvertLine(line, out, reason);
        // One output line for one input line, a reason for every failure, and
        // "nan nan nan" where, and only where, a line failed.
        Require(!out.empty() && out.find('\n') == std::string::npos);
        Require(ok ? out.find("nan") != 0
                   : !reason.empty() && out.compare(0, 11, "nan nan nan") == 0);
    }
    return 0;
}
