#ifndef GEOFRAME_TOOLS_CONVERT_LINEPARSER_H
#define GEOFRAME_TOOLS_CONVERT_LINEPARSER_H

// Reading one input line of geoframe-convert: its coordinate fields, the optional
// height, and the text after them that is carried through unchanged.

#include <string_view>

namespace geoframe::convert {

/// How the coordinate fields of a line are read.
enum class FieldKind {
    Geographic,    ///< latitude longitude [height]: numbers or angle text, then metres
    Cartesian,     ///< X Y Z: three numbers (geocentric metres)
    Projected,     ///< x y [height]: numbers in metres
    ProjectedZone, ///< x y [height] ... ZONE: as Projected, the zone ("32n", "n") last
};

/// What one line holds. Views point into the line that was parsed.
struct ParsedLine {
    double values[3] = {0.0, 0.0, 0.0}; ///< latitude, longitude, height (or x, y, z)
    bool hasHeight = false;             ///< a third value was given
    int zone = 0;                       ///< ProjectedZone: 1 to 60, 0 for UPS
    bool south = false;                 ///< ProjectedZone: the zone's hemisphere
    std::string_view rest;              ///< fields after the coordinates, verbatim
    const char* error = nullptr;        ///< why the line was refused, or null
    std::string_view errorField;        ///< the offending field, where there is one
};

/// True for a line that passes through unchanged: blank, or a comment whose first
/// character other than white space is '#'.
bool IsPassThrough(std::string_view line);

/// Reads the coordinate fields of `line` (without its line end). Fields are
/// separated by white space or by one comma with optional white space around it.
/// False, with `out.error` set, when a field is missing, empty or not a number of
/// the kind wanted, when a value is not finite, or when a latitude lies outside
/// -90 to 90 degrees. `out.rest` holds the carried fields also then, found by
/// position, so that a bad line keeps them.
bool ParseLine(std::string_view line, FieldKind kind, ParsedLine& out);

/// Reads the common line as ParseLine reads it, in one pass: plain decimal
/// coordinates ("47.2304555", "-0.1275") separated by white space, then an
/// optional height and carried fields. False, with `out` unchanged, for any
/// other line (ParseLine then reads it, or says why it cannot).
bool ReadPlainLine(std::string_view line, FieldKind kind, ParsedLine& out);

/// Reads a plain decimal number (std::from_chars, and a leading '+') from the
/// whole of `field`. False for anything else; non-finite values are returned as
/// read.
bool ParseNumber(std::string_view field, double& value);

/// Which angle a field holds, for its hemisphere letter.
enum class AngleAxis { Any, Latitude, Longitude };

/// Reads an angle from the whole of `field`: a plain number as ParseNumber reads
/// it, any other text with GxGeoAngle::SetAngleText (12d30m15sN, 33~52'4.56"S,
/// N51.5), whose decimal degrees are wrapped into one turn. False for text that
/// reader refuses, for a hemisphere letter of the other axis, and for a latitude
/// text beyond 90 degrees (which would wrap).
bool ParseAngle(std::string_view field, double& degrees, AngleAxis axis = AngleAxis::Any);

/// Reads a UTM zone written as in "utm:32n": 1 to 60 and n or s (either case);
/// the letter may be left out for north. With `zoneField` it reads the zone field
/// of a line instead, where the letter is required (a bare number is a height or a
/// label, never a zone) and the letter alone is UPS, zone 0.
bool ParseZone(std::string_view field, int& zone, bool& south, bool zoneField = false);

} // namespace geoframe::convert

#endif
