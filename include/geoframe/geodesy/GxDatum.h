#ifndef GEOFRAME_GEODESY_GXDATUM_H
#define GEOFRAME_GEODESY_GXDATUM_H

#include <geoframe/geoframe_export.h>

/// The process-wide table of geodetic datums: for each datum its name, a
/// description, the PROJ id of its ellipsoid, its shift to WGS84 and the standard
/// deviations of that shift, read from a datum file. Every operation is static;
/// GxDatum objects carry no state.
///
/// The datum file is text. Each record takes two lines:
///
///   - a header line that begins with a TAB; after the leading TABs come three
///     fields, each ended by a comma: two parts of the description and a third
///     field that is kept nowhere. Lines that do not begin with a TAB where a header
///     is expected (headings, comments, blank lines) are skipped;
///   - the next line, whatever it begins with: after leading TABs, the datum name,
///     a two-letter ellipsoid code (leading spaces dropped; "CD", "WE", "IN", ...),
///     shift X, Y, Z and sigma X, Y, Z in metres, every field ended by a comma.
///
/// Texts are taken exactly as written between the commas; anything after the last
/// comma a line needs is ignored. Numbers are read in the "C" locale; a field that
/// is not a finite number reads as 0. An unknown ellipsoid code gives the id
/// "Unknown". A later record replaces an earlier one of the same name.
///
/// Malformed records are dropped whole, never kept in part: a header line without
/// its three commas, a data line without its eight, a record with an empty datum
/// name, and a header line with no line after it. A line longer than 199
/// characters (line ends, "\n" or "\r\n", not counted) is never read as a header
/// or data line: where a header is expected it is skipped like any other
/// non-header line, unless it begins with a TAB, in which case it and the line
/// after it are dropped as one record; where a data line is expected its record is
/// dropped.
///
/// The table is not synchronised: InitDatum and CleanupDatum must not run while
/// another thread uses the table, directly or through GxEllipsoid.
class GEOFRAME_EXPORT GxDatum {
public:
    explicit GxDatum(const char* unused = nullptr);
    GxDatum(const GxDatum&);
    virtual ~GxDatum();

    /// Loads the table from the datum file at `path`. True at once, reading
    /// nothing, when the table is already loaded. False, table unchanged, for a
    /// null path or a file that cannot be opened or read.
    static bool InitDatum(const char* path);
    static bool IsInitialized();
    /// Empties the table; InitDatum may then load a file again.
    static void CleanupDatum();

    /// The number of datums and two new arrays of new texts: the names and the
    /// descriptions, in ascending byte order of the names. Released with
    /// FreeDatumNames.
    static int GetDatumNames(char**& names, char**& descriptions);
    static void FreeDatumNames(int count, char** names, char** descriptions);

    /// The PROJ ellipsoid id of the named datum (exact, case-sensitive match),
    /// owned by the table until CleanupDatum; null for an unknown or null name.
    static const char* GetEllipsoid(const char* name);
    /// Shift X, Y, Z of the named datum; false, outputs untouched, when unknown.
    static bool GetDatumShift(const char* name, double& dx, double& dy, double& dz);
    /// Sigma X, Y, Z of the named datum; false, outputs untouched, when unknown.
    static bool GetDatumSigma(const char* name, double& sx, double& sy, double& sz);

private:
    GxDatum& operator=(const GxDatum&) { return *this; }
};

#endif
