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
#include <vector>

namespace geoframe::convert {

/// Converts lines from one kind of coordinates to another. Each worker thread
/// owns one: its projections are its own (the ellipsoids, never changed once
/// made, are shared).
class Converter {
public:
    /// Builds the ellipsoids and projections `options` name. Null, with a one-line
    /// reason, when an ellipsoid is unknown or PROJ refuses a projection.
    static std::unique_ptr<Converter> Create(const Options& options, std::string& error);
    /// Another converter for another thread, with copies of the projections: a
    /// CRS is read once, not once per thread.
    std::unique_ptr<Converter> Clone() const;

    /// Appends the converted form of `line` (without its line end) to `out`, or
    /// "nan nan nan" and the line's remaining fields when it cannot be read or
    /// converted; then false, with the reason in `reason`.
    bool ConvertLine(std::string_view line, std::string& out, std::string& reason);

    /// True when lines may go through the batch below: a fixed projection or
    /// geographic or geocentric coordinates on each side, no datum change.
    bool Batches() const { return m_batches; }
    /// Lines a batch holds at most.
    static constexpr std::size_t kBatchLines = 256;
    /// Reads `line` (without its line end) into the batch. False, adding nothing,
    /// for a line that ConvertLine must take: one that cannot be read (ConvertLine
    /// then says why), or a full batch.
    bool AddToBatch(std::string_view line);
    /// The lines in the batch.
    std::size_t BatchSize() const { return m_batchSize; }
    /// Converts the lines of the batch, each way with one array call.
    void ConvertBatch();
    /// Appends the converted form of the batch's line `i` as ConvertLine would.
    /// False, appending nothing, for a point the array calls did not convert:
    /// ConvertLine then converts the line or says why it cannot.
    bool AppendBatched(std::size_t i, std::string& out) const;
    /// Empties the batch (the lines it read must stay in place until then).
    void ClearBatch() { m_batchSize = 0; }

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
    /// Writes converted coordinates and the fields carried after them.
    void AppendResult(const double* result, std::string_view rest, int zone, bool south,
                      std::string& out) const;

    Options m_options;
    Side m_from;
    Side m_to;
    bool m_datumChange = false;
    FieldKind m_fieldKind = FieldKind::Geographic;
    ParsedLine m_parsed;

    // The batch: values as read, then as converted, and the carried fields.
    bool m_batches = false;
    std::size_t m_batchSize = 0;
    std::vector<double> m_in[3];
    std::vector<double> m_out[3];
    std::vector<std::string_view> m_rest;
};

} // namespace geoframe::convert

#endif
