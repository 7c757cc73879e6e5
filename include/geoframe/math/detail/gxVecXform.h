#ifndef GEOFRAME_MATH_DETAIL_GXVECXFORM_H
#define GEOFRAME_MATH_DETAIL_GXVECXFORM_H

// Transforms of the vectors by a matrix or a quaternion. They are declared in the
// vector classes and defined here, where gxMatrix4 and gxQuat are complete;
// gxMatrix4.h includes this file last.

#include <geoframe/math/gxMatrix4.h>

namespace geoframe::detail {

/// The vector part of q^-1 * (x, y, z, 0) * q with the library's product order.
inline gxQuat rotateByQuat(double x, double y, double z, const gxQuat& q) {
    gxQuat inv = q;
    inv.invert();
    return inv * gxQuat(x, y, z, 0) * q;
}

} // namespace geoframe::detail

inline void gxVec2::ApplyTextureMap(const gxMatrix4& M, const gxVec3& p, bool perspective) {
    double u = M[0][0] * p[0] + M[0][1] * p[1] + M[0][2] * p[2] + M[0][3];
    double v = M[1][0] * p[0] + M[1][1] * p[1] + M[1][2] * p[2] + M[1][3];
    if (perspective) {
        const double w = M[3][0] * p[0] + M[3][1] * p[1] + M[3][2] * p[2] + M[3][3];
        if (gxDoubleTrait::abs(w) > 1.1920928955078125e-7) {
            u /= w;
            v /= w;
        }
    }
    set(u, v);
}

inline void gxVec2::ApplyTextureMap(const gxVec3& p, const gxMatrix4& M, bool perspective) {
    double u = p[0] * M[0][0] + p[1] * M[1][0] + p[2] * M[2][0] + M[3][0];
    double v = p[0] * M[0][1] + p[1] * M[1][1] + p[2] * M[2][1] + M[3][1];
    if (perspective) {
        const double w = p[0] * M[0][3] + p[1] * M[1][3] + p[2] * M[2][3] + M[3][3];
        if (gxDoubleTrait::abs(w) > gxDoubleTrait::fuzzVal) {
            u /= w;
            v /= w;
        }
    }
    set(u, v);
}

inline void gxVec3::xformPt(const gxVec3& v, const gxMatrix4& M) {
    const double x = v[0] * M[0][0] + v[1] * M[1][0] + v[2] * M[2][0] + M[3][0];
    const double y = v[0] * M[0][1] + v[1] * M[1][1] + v[2] * M[2][1] + M[3][1];
    const double z = v[0] * M[0][2] + v[1] * M[1][2] + v[2] * M[2][2] + M[3][2];
    set(x, y, z);
}

inline void gxVec3::xformVec(const gxVec3& v, const gxMatrix4& M) {
    const double x = v[0] * M[0][0] + v[1] * M[1][0] + v[2] * M[2][0];
    const double y = v[0] * M[0][1] + v[1] * M[1][1] + v[2] * M[2][1];
    const double z = v[0] * M[0][2] + v[1] * M[1][2] + v[2] * M[2][2];
    set(x, y, z);
}

inline void gxVec3::xformVec(const gxVec3& v, const gxQuat& q) {
    const gxQuat r = geoframe::detail::rotateByQuat(v[0], v[1], v[2], q);
    set(r[0], r[1], r[2]);
}

inline void gxVec4::xformPt(const gxVec4& v, const gxMatrix4& M) {
    double r[4];
    for (int j = 0; j < 4; ++j)
        r[j] = v[0] * M[0][j] + v[1] * M[1][j] + v[2] * M[2][j] + v[3] * M[3][j];
    set(r[0], r[1], r[2], r[3]);
}

inline void gxVec4::xformPt(const gxMatrix4& M, const gxVec4& v) {
    double r[4];
    for (int i = 0; i < 4; ++i)
        r[i] = M[i][0] * v[0] + M[i][1] * v[1] + M[i][2] * v[2] + M[i][3] * v[3];
    set(r[0], r[1], r[2], r[3]);
}

inline void gxVec4::xformVec(const gxVec4& v, const gxQuat& q) {
    const double w = v[3];
    const gxVec4 t = v / w;
    const gxQuat r = geoframe::detail::rotateByQuat(t[0], t[1], t[2], q);
    *this = gxVec4(r[0], r[1], r[2], 1) * w;
}

#endif
