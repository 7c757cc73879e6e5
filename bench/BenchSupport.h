#ifndef GEOFRAME_BENCH_BENCHSUPPORT_H
#define GEOFRAME_BENCH_BENCHSUPPORT_H

// What several benchmark programs share: the test transform of the matrix
// benchmarks and a PROJ coordinate from two values.

#include <geoframe/math/gxMatrix4.h>

#include <proj.h>

namespace geoframe::bench {

/// Rotation, non-uniform scale and translation: a typical model transform.
inline gxMatrix4 SomeTransform() {
    gxMatrix4 m;
    m.makeEuler(30, 20, 10);
    m.postScale(2, 3, 4);
    m.postTrans(100, -50, 25);
    return m;
}

inline PJ_COORD Coord(double a, double b) {
    PJ_COORD c;
    c.v[0] = a;
    c.v[1] = b;
    c.v[2] = 0.0;
    c.v[3] = 0.0;
    return c;
}

} // namespace geoframe::bench

#endif
