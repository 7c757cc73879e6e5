#ifndef GEOFRAME_TOOLS_CONVERT_CONVERTER_H
#define GEOFRAME_TOOLS_CONVERT_CONVERTER_H

// The conversion of one line, with the ellipsoids and projections of one worker.

#include "LineParser.h"
#include "Options.h"

#include <geoframe/foundation/GxSmartRef.h>
#include <geoframe/geodesy/GxEllipsoidBase.h>
#include <geoframe/projection/GxProjection.h>
#include <geoframe/projection/GxUTMProjection.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace geoframe::convert {

/// Converts lines from one kind of coordinates to another. Each worker thread
/// owns one: its ellipsoids and projections are its own.
class Converter {
public:
    /// Builds the ellipsoids and projections `options` name. Null, with a one-line
    /// reason, when an ellipsoid is unknown or PROJ refuses a projection.
    static std::unique_ptr<Converter> Create(const Options& options, std::string& error);

    /// Appends the converted form of `line` (without its line end) to `out`, or
    /// "nan nan nan" and the line's remaining fields when it cannot be read or
    /// converted; then false, with the reason in `reason`.
    bool ConvertLine(std::string_view line, std::string& out, std::string& reason);

    /// True for a line written out unchanged: one of the first --skip lines (line
    /// numbers count from 1), a blank line or a comment.
    bool PassesThrough(std::uint64_t lineNumber, std::string_view line) const;

    /// The instance descriptions of the projections in use, each after a line
    /// naming its side ("FROM utm:32n"); empty when no projection is in use.
    std::string Describe() const;

private:
    struct Side {
        CoordArg coords;
        GxSmartRef<GxEllipsoidBase> ellipsoid;
        GxSmartRef<GxProjection> projection;   ///< fixed projections
        GxSmartRef<GxProjection> zones[2][61]; ///< utm:auto, by hemisphere and zone (0: UPS)
        bool crs = false;                      ///< read from a CRS text
        double unitScale = 1.0;                ///< metres per map unit of a CRS
        std::string wkt;                       ///< a CRS side's WKT2, for Describe
    };

    explicit Converter(const Options& options);
    bool BuildSide(Side& side, std::string& error);
    /// Makes a CRS side what the CRS means: geo, ecef or its projection, on the
    /// CRS's ellipsoid. False with the reason when PROJ or the mapping refuses it.
    static bool ReadCrs(Side& side, const char* name, std::string& error);
    GxProjection* Projection(Side& side, int zone, bool south);
    bool Fail(const char* error, std::string_view field, std::string& out, std::string& reason);

    Options m_options;
    Side m_from;
    Side m_to;
    bool m_datumChange = false;
    FieldKind m_fieldKind = FieldKind::Geographic;
    ParsedLine m_parsed;
};

} // namespace geoframe::convert

#endif
