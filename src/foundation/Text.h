#ifndef GEOFRAME_SRC_FOUNDATION_TEXT_H
#define GEOFRAME_SRC_FOUNDATION_TEXT_H

// Text helpers shared by every class that hands out or reads texts.

#include <string>
#include <string_view>

namespace geoframe::detail {

/// A new[] copy of `text` (null for null), released by the caller with delete[].
char* NewText(const char* text);

/// A new[] copy of the bytes of `text` with a terminating zero.
char* NewText(std::string_view text);

/// Releases `count` texts of `list` and then the array itself; null is ignored.
void DeleteTextList(int count, char** list);

/// Reads the number at the start of `text` with strtod's rules in the "C" locale,
/// so '.' is the decimal point whatever the program has set. Text that does not
/// start with a number reads as 0.
double ReadLeadingDouble(std::string_view text);

/// `value` as printf's "%.6f" writes it in the "C" locale, for every double.
std::string FixedText(double value);

/// The shortest text that reads back as exactly `value` ("0.9996", "1e-07",
/// "27.833333333333332"), whatever the locale.
std::string ShortestText(double value);

} // namespace geoframe::detail

#endif
