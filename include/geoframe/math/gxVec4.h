#ifndef GEOFRAME_MATH_GXVEC4_H
#define GEOFRAME_MATH_GXVEC4_H

#include <geoframe/geoframe_export.h>
#include <geoframe/math/detail/gxVecBase.h>

class gxMatrix4;
class gxQuat;

/// A homogeneous point of four doubles, x, y, z, w; also the storage of gxQuat.
/// The object is exactly its component array; copying copies the components.
/// Arithmetic, comparison, products and distances are those of every vector (see
/// gxVecBase) and run over all four components; the ...Hom distances first divide
/// x, y, z by w.
class GEOFRAME_EXPORT gxVec4 : public geoframe::detail::gxVecBase<gxVec4, 4> {
public:
    /// Passed to the constructor to leave the components uninitialised.
    enum InitState : int { INIT_NONE = 0 };

    /// The zero vector.
    gxVec4() { makeIdent(); }
    /// Leaves the components uninitialised, whatever the value given.
    explicit gxVec4(InitState) {}
    gxVec4(double x, double y, double z, double w) { set(x, y, z, w); }
    /// Copies four doubles from the array.
    explicit gxVec4(const double* v) { set(v[0], v[1], v[2], v[3]); }
    gxVec4(const gxVec4&) = default;
    gxVec4& operator=(const gxVec4&) = default;

    void set(double x, double y, double z, double w) {
        m_v[0] = x;
        m_v[1] = y;
        m_v[2] = z;
        m_v[3] = w;
    }

    /// Divides by the 4-D length without a test: a zero vector becomes NaN.
    void normalize() { divideByLength(); }

    /// Has no 4-D meaning and leaves the vector as it is.
    void cross(const gxVec4&, const gxVec4&) {}

    /// Length of (x, y, z) / w. A zero w gives infinite or NaN values (IEEE).
    double lengthHom() const { return gxDoubleTrait::sqrt(distSqrHom(gxVec4(0, 0, 0, 1))); }
    /// Distance between (x, y, z) / w of both vectors.
    double distHom(const gxVec4& v) const { return gxDoubleTrait::sqrt(distSqrHom(v)); }
    double distSqrHom(const gxVec4& v) const {
        double sum = 0;
        for (int i = 0; i < 3; ++i) {
            const double d = m_v[i] / m_v[3] - v.m_v[i] / v.m_v[3];
            sum = i == 0 ? d * d : sum + d * d;
        }
        return sum;
    }

    /// This becomes v * M in row form over all four components (no division by w).
    /// v may be this.
    inline void xformPt(const gxVec4& v, const gxMatrix4& M);
    /// This becomes M * v in column form over all four components (no division by
    /// w). v may be this.
    inline void xformPt(const gxMatrix4& M, const gxVec4& v);
    /// This becomes the point (x, y, z) / w of v rotated by q as gxVec3::xformVec
    /// does, scaled back by w: (w r.x, w r.y, w r.z, w). A zero w gives NaN.
    inline void xformVec(const gxVec4& v, const gxQuat& q);
};

static_assert(sizeof(gxVec4) == 4 * sizeof(double), "gxVec4 is exactly four doubles");

// The transforms above need the complete matrix; it brings their definitions.
#include <geoframe/math/gxMatrix4.h>

#endif
