#ifndef GEOFRAME_TOOLS_CONVERT_OPTIONS_H
#define GEOFRAME_TOOLS_CONVERT_OPTIONS_H

// The command line of geoframe-convert.

#include <string>
#include <string_view>

namespace geoframe::convert {

struct MapKind;

/// One side of a conversion: FROM or TO.
struct CoordArg {
    enum class Kind { Geo, Ecef, Utm, UtmAuto, Ups, Map, Crs };
    Kind kind = Kind::Geo;
    std::string text;                ///< as written on the command line
    int zone = 0;                    ///< Utm
    bool south = false;              ///< Utm, Ups
    const MapKind* map = nullptr;    ///< Map: its row in MapKinds.h
    double angles[4] = {0, 0, 0, 0}; ///< Map: origin latitude, longitude, then the others
    bool useK0 = false;              ///< Map: the last parameter was k=K0
    double k0 = 0.0;                 ///< Map: that K0

    bool IsProjected() const { return kind != Kind::Geo && kind != Kind::Ecef; }
};

/// Reads "geo", "ecef", "utm:32n", "utm:auto", "ups:n", "ups:s", a map projection
/// of MapKinds.h ("lcc:LAT0,LON0,LAT1,LAT2", "stere:LAT0,LON0,k=K0", ...), or a CRS for PROJ
/// (Kind::Crs): an authority code such as "EPSG:2154", a URN, WKT, PROJJSON, a PROJ string, or
/// "@FILE" for a file holding one. False with a reason for anything else.
bool ParseCoordArg(std::string_view text, CoordArg& coords, std::string& error);

struct Options {
    CoordArg from;
    CoordArg to;
    std::string ellipsoid = "WGS84";
    std::string toEllipsoid; ///< empty: the same as `ellipsoid`, no datum change
    std::string datumFile;   ///< empty: the installed datums.txt, if there is one
    std::string input;       ///< empty: standard input
    bool hasOrigin = false;
    double origin[3] = {0, 0, 0};
    bool dms = false;
    int dmsPrecision = 4;        ///< decimals of the seconds
    std::string dmsMark = "~";   ///< the degree mark written: "~", "°" or "d"
    unsigned long long skip = 0; ///< leading lines passed through unchanged
    int precision = 3;           ///< decimals of metres; degrees get 5 more
    int threads = 0;             ///< 0: one per core
    bool describe = false;
    bool listEllipsoids = false;
    bool help = false;
    bool version = false;
};

/// Reads the arguments after the program name. False with a one-line reason for a
/// bad command line.
bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& error);

/// The manual page printed by --help.
const char* HelpText();

} // namespace geoframe::convert

#endif
