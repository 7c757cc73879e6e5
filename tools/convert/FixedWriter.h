#ifndef GEOFRAME_TOOLS_CONVERT_FIXEDWRITER_H
#define GEOFRAME_TOOLS_CONVERT_FIXEDWRITER_H

// The converter's number writer: fixed notation as printf writes it, faster.

#include <string>

namespace geoframe::convert {

/// Appends `value` with `decimals` digits after the point, exactly as printf's
/// "%.*f" writes it (the exact binary value rounded half to even). Values of
/// ordinary size with up to 12 decimals take an integer path (one 128-bit
/// product, then eight digits at a time from a table of digit pairs); the rest
/// go to std::to_chars.
void AppendFixed(std::string& out, double value, int decimals);

/// The room WriteFixed needs at `out`.
constexpr int kFixedRoom = 40;

/// Writes `value` at `out` as AppendFixed appends it and returns the end of the
/// text (at most 21 bytes), or null, writing nothing, for a value the integer
/// path does not take. It stores whole blocks, so `out` needs kFixedRoom bytes
/// of room, past the end of the text too.
char* WriteFixed(char* out, double value, int decimals);

} // namespace geoframe::convert

#endif
