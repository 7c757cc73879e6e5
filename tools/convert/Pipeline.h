#ifndef GEOFRAME_TOOLS_CONVERT_PIPELINE_H
#define GEOFRAME_TOOLS_CONVERT_PIPELINE_H

// The streaming part of geoframe-convert: lines read in large blocks, converted
// by worker threads chunk by chunk, written in input order.

#include "Converter.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace geoframe::convert {

/// Lines longer than this are not converted (and not kept in memory).
constexpr std::size_t kMaxLineLength = 1 << 20;

struct PipelineResult {
    bool linesFailed = false; ///< some line could not be read or converted
    bool ioFailed = false;    ///< reading or writing failed; `ioError` says how
    std::string ioError;
};

/// Reads lines from `inFd` until its end, converts each with one of `converters`
/// (one worker thread per converter, or the calling thread alone for one) and
/// writes one output line per input line to `outFd` in input order, with a message
/// for each failed line on `errFd` (at most 64 KiB of them per chunk, the rest of
/// the chunk summed up in one). Lines are answered as soon as the input pauses.
/// Memory stays bounded by about 16 * converters.size() * chunkBytes plus one line
/// of kMaxLineLength, whatever the input.
PipelineResult RunPipeline(int inFd, int outFd, int errFd,
                           std::vector<std::unique_ptr<Converter>>& converters,
                           std::size_t chunkBytes = 1 << 20);

} // namespace geoframe::convert

#endif
