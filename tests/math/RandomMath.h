#ifndef GEOFRAME_TESTS_MATH_RANDOMMATH_H
#define GEOFRAME_TESTS_MATH_RANDOMMATH_H

#include <geoframe/math/gxMatrix4.h>

#include <random>

// Random inputs for the math tests, always from a seeded generator.
namespace testmath {

inline double Uniform(std::mt19937& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

inline gxVec3 UnitVec(std::mt19937& rng) {
    gxVec3 v;
    while (v.length() < 0.1 || !v.normalize())
        v.set(Uniform(rng, -1, 1), Uniform(rng, -1, 1), Uniform(rng, -1, 1));
    return v;
}

inline gxQuat UnitQuat(std::mt19937& rng) {
    gxQuat q;
    q.makeRot(Uniform(rng, -360, 360), UnitVec(rng));
    return q;
}

inline gxMatrix4 AnyMatrix(std::mt19937& rng) {
    gxMatrix4 m(gxMatrix4::INIT_NONE);
    for (int i = 0; i < 16; ++i)
        static_cast<double*>(m)[i] = Uniform(rng, -5, 5);
    return m;
}

// The quaternion times f (f = -1: the same rotation from the other side of the sphere).
inline gxQuat Scaled(const gxQuat& q, double f) {
    return gxQuat(q[0] * f, q[1] * f, q[2] * f, q[3] * f);
}

} // namespace testmath

#endif
