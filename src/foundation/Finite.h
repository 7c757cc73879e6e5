#ifndef GEOFRAME_SRC_FOUNDATION_FINITE_H
#define GEOFRAME_SRC_FOUNDATION_FINITE_H

#include <cmath>

namespace geoframe::detail {

/// True when every value is finite (neither infinite nor NaN).
template <class... Values>
bool AllFinite(Values... values) {
    return (std::isfinite(values) && ...);
}

} // namespace geoframe::detail

#endif
