#include "Options.h"

#include "LineParser.h"
#include "MapKinds.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace geoframe::convert {
namespace {

std::vector<std::string_view> SplitCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t comma = text.find(',');
        parts.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos)
            return parts;
        text.remove_prefix(comma + 1);
    }
}

bool ParseInt(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool ParseAngles(std::string_view name, const std::vector<std::string_view>& parts,
                 std::size_t count, double* angles, std::string& error) {
    for (std::size_t i = 0; i < count; ++i) {
        if (!ParseAngle(parts[i], angles[i]) || !std::isfinite(angles[i])) {
            error = std::string(name) + ": not an angle: '" + std::string(parts[i]) + "'";
            return false;
        }
    }
    return true;
}

/// A CRS for PROJ rather than one of the converter's own names: "@FILE", a PROJ
/// string, WKT or PROJJSON, a URN, or an authority code (letters, a colon, then
/// more), as "EPSG:2154" or "esri:102003".
bool IsCrsText(std::string_view text) {
    if (text.empty())
        return false;
    if (text[0] == '@' || text[0] == '+' || text[0] == '{' ||
        text.find('[') != std::string_view::npos || text.substr(0, 4) == "urn:")
        return true;
    const std::size_t colon = text.find(':');
    if (colon == 0 || colon == std::string_view::npos || colon + 1 == text.size())
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = text[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    }
    // The converter's own names keep their own parameter checks.
    const std::string_view name = text.substr(0, colon);
    for (const char* own : {"geo", "ecef", "utm", "ups"})
        if (name == own)
            return false;
    return FindMapKind(name) == nullptr;
}

} // namespace

bool ParseCoordArg(std::string_view text, CoordArg& coords, std::string& error) {
    using Kind = CoordArg::Kind;
    coords = CoordArg();
    coords.text = std::string(text);
    const std::size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    const std::string_view args =
        colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
    const bool hasArgs = colon != std::string_view::npos;

    if (IsCrsText(text)) {
        coords.kind = Kind::Crs;
        return true;
    }
    if (name == "geo" || name == "ecef") {
        coords.kind = name == "geo" ? Kind::Geo : Kind::Ecef;
        if (hasArgs) {
            error = std::string(name) + " takes no parameters";
            return false;
        }
        return true;
    }
    if (name == "utm") {
        if (args == "auto") {
            coords.kind = Kind::UtmAuto;
            return true;
        }
        coords.kind = Kind::Utm;
        if (!ParseZone(args, coords.zone, coords.south)) {
            error = "utm needs a zone 1 to 60 with n or s (utm:32n, utm:56s) or auto";
            return false;
        }
        return true;
    }
    if (name == "ups") {
        coords.kind = Kind::Ups;
        coords.south = args == "s" || args == "S";
        if (!coords.south && args != "n" && args != "N") {
            error = "ups needs its pole: ups:n or ups:s";
            return false;
        }
        return true;
    }

    if (const MapKind* map = FindMapKind(name)) {
        coords.kind = Kind::Map;
        coords.map = map;
        std::vector<std::string_view> parts = SplitCommas(args);
        if (!hasArgs || parts.size() != map->angles) {
            error = std::string("expected ") + map->usage;
            return false;
        }
        std::size_t angles = map->angles;
        if (map->scaleFactor && parts.back().substr(0, 2) == "k=") {
            coords.useK0 = true;
            if (!ParseNumber(parts.back().substr(2), coords.k0) || !std::isfinite(coords.k0) ||
                coords.k0 <= 0.0) {
                error = std::string(map->name) + ": the scale factor k= must be a positive number";
                return false;
            }
            --angles;
        }
        return ParseAngles(map->name, parts, angles, coords.angles, error);
    }
    error = "unknown coordinates '" + std::string(text) +
            "' (geo, ecef, utm:ZONE, utm:auto, ups:n, ups:s";
    for (const MapKind& map : MapKinds())
        error += std::string(", ") + map.name + ":";
    error += ")";
    return false;
}

bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& error) {
    options = Options();
    std::vector<std::string_view> positional;
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-' || arg == "-") {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // --name=value or --name value.
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const bool inlineValue = equals != std::string_view::npos;
        std::string_view value = inlineValue ? arg.substr(equals + 1) : std::string_view();
        auto needValue = [&]() {
            if (inlineValue)
                return true;
            if (i + 1 >= argc) {
                error = std::string(name) + " needs a value";
                return false;
            }
            value = argv[++i];
            return true;
        };
        // Switches: options without a value.
        static const struct {
            const char* name;
            bool Options::*flag;
        } kSwitches[] = {{"--help", &Options::help},
                         {"-h", &Options::help},
                         {"--version", &Options::version},
                         {"--describe", &Options::describe},
                         {"--list-ellipsoids", &Options::listEllipsoids}};
        bool isSwitch = false;
        for (const auto& entry : kSwitches) {
            if (name == entry.name) {
                if (inlineValue) {
                    error = std::string(name) + " takes no value";
                    return false;
                }
                options.*entry.flag = true;
                isSwitch = true;
            }
        }

        if (isSwitch) {
            continue;
        } else if (name == "--dms") {
            options.dms = true;
            if (inlineValue && (!ParseInt(value, options.dmsPrecision) ||
                                options.dmsPrecision < 0 || options.dmsPrecision > 12)) {
                error = "--dms=P needs P from 0 to 12";
                return false;
            }
        } else if (name == "--dms-style") {
            if (!needValue())
                return false;
            options.dms = true;
            if (value == "~" || value == "tilde") {
                options.dmsMark = "~";
            } else if (value == "\xC2\xB0" || value == "degree") {
                options.dmsMark = "\xC2\xB0";
            } else if (value == "d") {
                options.dmsMark = "d";
            } else {
                error = "--dms-style needs tilde, degree or d";
                return false;
            }
        } else if (name == "--skip") {
            if (!needValue())
                return false;
            const char* end = value.data() + value.size();
            const auto result = std::from_chars(value.data(), end, options.skip);
            if (value.empty() || result.ec != std::errc() || result.ptr != end) {
                error = "--skip needs a number of lines";
                return false;
            }
        } else if (name == "--ellipsoid" || name == "--to-ellipsoid" || name == "--datum-file" ||
                   name == "--input") {
            if (!needValue())
                return false;
            if (value.empty()) {
                error = std::string(name) + " needs a value";
                return false;
            }
            std::string& target = name == "--ellipsoid"      ? options.ellipsoid
                                  : name == "--to-ellipsoid" ? options.toEllipsoid
                                  : name == "--datum-file"   ? options.datumFile
                                                             : options.input;
            target = std::string(value);
        } else if (name == "--precision") {
            if (!needValue())
                return false;
            if (!ParseInt(value, options.precision) || options.precision < 0 ||
                options.precision > 12) {
                error = "--precision needs a number from 0 to 12";
                return false;
            }
        } else if (name == "--threads") {
            if (!needValue())
                return false;
            if (!ParseInt(value, options.threads) || options.threads < 1 || options.threads > 256) {
                error = "--threads needs a number from 1 to 256";
                return false;
            }
        } else if (name == "--origin") {
            if (!needValue())
                return false;
            const std::vector<std::string_view> parts = SplitCommas(value);
            bool ok = parts.size() == 3;
            for (std::size_t k = 0; ok && k < 3; ++k)
                ok = ParseNumber(parts[k], options.origin[k]) && std::isfinite(options.origin[k]);
            if (!ok) {
                error = "--origin needs X,Y,Z in metres";
                return false;
            }
            options.hasOrigin = true;
        } else {
            error = "unknown option " + std::string(name);
            return false;
        }
    }

    if (options.help || options.version)
        return true;
    if (options.listEllipsoids) {
        if (!positional.empty())
            error = "--list-ellipsoids takes no FROM and TO";
        return positional.empty();
    }
    if (positional.size() != 2) {
        error = positional.size() < 2 ? "expected FROM and TO coordinates"
                                      : "unexpected argument '" + std::string(positional[2]) + "'";
        return false;
    }
    if (!ParseCoordArg(positional[0], options.from, error) ||
        !ParseCoordArg(positional[1], options.to, error))
        return false;
    if (options.from.kind == CoordArg::Kind::UtmAuto &&
        options.to.kind == CoordArg::Kind::UtmAuto) {
        error = "utm:auto cannot be both FROM and TO";
        return false;
    }
    if (options.hasOrigin && !options.from.IsProjected() && !options.to.IsProjected()) {
        error = "--origin needs projected FROM or TO coordinates";
        return false;
    }
    if (options.dms && options.to.kind != CoordArg::Kind::Geo) {
        error = "--dms needs geo as TO";
        return false;
    }
    return true;
}

namespace {

// The manual page around the rows of MapKinds.h.
const char* const kHelpHead = R"(NAME
    geoframe-convert - convert coordinates between geographic, geocentric and map projections

SYNOPSIS
    geoframe-convert [OPTIONS] FROM TO
    geoframe-convert --list-ellipsoids | --help | --version

DESCRIPTION
    Reads one point per line from standard input (or --input FILE), converts it
    from the FROM coordinates to the TO coordinates and writes it to standard
    output, one line for each line read, in the order read. Any FROM converts to
    any TO, through geographic coordinates on the ellipsoid.

COORDINATES
    geo                      latitude longitude [height]: degrees, metres
    ecef                     geocentric X Y Z, metres
    utm:ZONE[n|s]            UTM zone 1 to 60, north (default) or south: x y [height]
    utm:auto                 the UTM/UPS system: as TO, the standard zone of
                             each point, with the Norway (32V) and Svalbard
                             exceptions, and UPS from 84 degrees north and
                             south of 80 degrees south; written as a last
                             column: the zone and hemisphere such as 32n or
                             56s, or n or s alone for UPS north or south. As
                             FROM: that column is read back from the end of
                             the line, and a line whose last field has no n
                             or s is a bad line
    ups:n, ups:s             Universal Polar Stereographic, north or south:
                             x y [height], false easting and northing
                             2000000 m, scale 0.994 at the pole
)";

const char* const kHelpTail =
    R"(    EPSG:CODE, any CRS text  a coordinate reference system as PROJ reads it: an
                             authority code (EPSG:2154, ESRI:102003), a URN, a
                             PROJ string, WKT or PROJJSON, or @FILE for a file
                             holding one. A projected CRS reads and writes
                             easting then northing in its own units (US feet
                             for EPSG:2227), a geographic one latitude then
                             longitude in degrees, whatever axis order the CRS
                             declares; heights stay in metres. Its datum's
                             3-parameter shift to WGS 84 moves points as
                             --to-ellipsoid does; --ellipsoid and --origin apply
                             only to the other side. A CRS without a geoframe
                             equivalent (other transverse Mercators, Mercator,
                             oblique stereographic, ...) is a bad command line,
                             with the reason

    Angles in these parameters and in geographic input are decimal degrees or
    degree-minute-second text without spaces: 12.5, -33.8679, 12d30m15sN,
    33~52'4.56"S, 151~12'36"E, 45.5W, N51.5, 51°30'26"N, 12:30:15.5. A text
    that is not wholly an angle (45..5, --45, 12'30, 60 minutes or seconds, two
    hemisphere letters, a sign with S or W, a latitude beyond 90, a letter of
    the other axis) is a bad line.

OPTIONS
    --ellipsoid NAME      the ellipsoid or datum of FROM (and of TO): a PROJ
                          ellipsoid id or full name, Sphere, gx14Sphere,
                          gxFlatEarthSphere or a datum name (default WGS84)
    --to-ellipsoid NAME   another ellipsoid or datum for TO: the point moves
                          through geocentric coordinates and both datums'
                          shifts to WGS 84
    --datum-file PATH     the datum file (default: the installed datums.txt)
    --origin X,Y,Z        local origin of the projections, in metres: it is
                          subtracted from projected coordinates and heights
    --dms[=P]             write geographic output as degree-minute-second text
                          with P decimals of seconds (default 4)
    --dms-style STYLE     as --dms, with the degree mark STYLE: tilde
                          (12~30'15.0000"N, the default), degree (the sign
                          U+00B0 in UTF-8) or d (12d30'15.0000"N)
    --skip N              pass the first N lines through unchanged (a header)
    --precision N         decimals of metres, 0 to 12 (default 3); decimal
                          degrees get N + 5
    --describe            print each side: the description of its projection
                          and its WKT2 (for a CRS side, of what it became)
    --list-ellipsoids     print every ellipsoid and datum name and exit
    --threads N           worker threads (default: one per core)
    --input FILE          read FILE instead of standard input
    --help                print this page and exit
    --version             print the version and exit

INPUT AND OUTPUT
    Fields are separated by white space or commas. A third number is the height
    (for ecef it is required); the fields after the coordinates are carried to
    the output unchanged. Blank lines and lines starting with # pass through
    unchanged. Line ends are kept (LF or CRLF, none after a last line without).

    A line that cannot be read or converted is written as "nan nan nan" (and
    its remaining fields), with a message naming its line number on standard
    error; the run goes on. Past 64 KiB of messages in one block of input, the
    rest of the block's failed lines are summed up in one message.

    Memory use does not grow with the input: lines are read in large blocks,
    converted in parallel by the worker threads, each with projections of its
    own, and written in input order. When the input pauses (typed at a
    terminal, or piped from a program that writes a line at a time), the lines
    that have come are answered at once. The program is a pure filter, so it can be
    sharded across machines by any streaming tool, for example:
        parallel --pipe --keep-order geoframe-convert geo utm:32n < in > out

EXIT STATUS
    0   every line was converted
    1   at least one line failed, or reading or writing failed
    2   bad command line, unknown ellipsoid, unreadable file or projection
        parameters that PROJ refuses; nothing was converted

EXAMPLES
    echo "51.5072 -0.1275 11 London" | geoframe-convert geo utm:auto
    echo "60.39 5.32 Bergen" | geoframe-convert geo utm:auto
    geoframe-convert ups:s geo < antarctic.txt
    geoframe-convert --dms geo geo < points.txt
    geoframe-convert --ellipsoid NAS-C --to-ellipsoid WGS84 geo geo < nad27.txt
    geoframe-convert utm:33n ecef --input map.csv
)";

} // namespace

const char* HelpText() {
    static const std::string page = [] {
        std::string text = kHelpHead;
        for (const MapKind& map : MapKinds())
            text += map.help;
        return text + kHelpTail;
    }();
    return page.c_str();
}

} // namespace geoframe::convert
