#ifndef GEOFRAME_TOOLS_CONVERT_MAPKINDS_H
#define GEOFRAME_TOOLS_CONVERT_MAPKINDS_H

// The map projections geoframe-convert makes from angles written after their
// name ("lcc:LAT0,LON0,LAT1,LAT2"): one row each, read by the command line, the
// manual page and the converter alike.

#include <geoframe/foundation/GxSmartRef.h>
#include <geoframe/geodesy/GxEllipsoidBase.h>
#include <geoframe/projection/GxProjection.h>

#include <cstddef>
#include <string_view>

namespace geoframe::convert {

struct CoordArg;

struct MapKind {
    const char* name;   ///< before the colon
    std::size_t angles; ///< parameters after the colon: degrees, or angle text
    bool scaleFactor;   ///< the last parameter may be k=K0 instead of an angle
    const char* usage;  ///< the parameters as a bad command line names them
    const char* help;   ///< its lines under COORDINATES in the manual page
    GxSmartRef<GxProjection> (*make)(const GxSmartRef<GxEllipsoidBase>& ellipsoid,
                                     const CoordArg& coords);
};

/// The row named `name`, or null.
const MapKind* FindMapKind(std::string_view name);

struct MapKindRange {
    const MapKind* first;
    const MapKind* last;
    const MapKind* begin() const { return first; }
    const MapKind* end() const { return last; }
};

/// Every row, in the order the manual page lists them.
MapKindRange MapKinds();

} // namespace geoframe::convert

#endif
