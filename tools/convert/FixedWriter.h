#ifndef GEOFRAME_TOOLS_CONVERT_FIXEDWRITER_H
#define GEOFRAME_TOOLS_CONVERT_FIXEDWRITER_H

// The converter's number writer: fixed notation as printf writes it, faster.

#include <string>

namespace geoframe::convert {

/// Appends `value` with `decimals` digits after the point, exactly as printf's
/// "%.*f" writes it (the exact binary value rounded half to even). Values of
/// ordinary size with up to 12 decimals take an integer path (one 128-bit
/// product, then two digits per step from a table); the rest go to
/// std::to_chars.
void AppendFixed(std::string& out, double value, int decimals);

/// Writes `value` at `out` as AppendFixed appends it and returns the end of the
/// text (at most 22 bytes), or null, writing nothing, for a value the integer
/// path does not take.
char* WriteFixed(char* out, double value, int decimals);

} // namespace geoframe::convert

#endif
