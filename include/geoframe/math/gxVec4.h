#ifndef GEOFRAME_MATH_GXVEC4_H
#define GEOFRAME_MATH_GXVEC4_H

#include <geoframe/geoframe_export.h>
#include <geoframe/math/detail/gxVecBase.h>
#include <geoframe/math/gxVec3.h>

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
    double lengthHom() const { return reduced().length(); }
    /// Distance between (x, y, z) / w of both vectors.
    double distHom(const gxVec4& v) const { return reduced().dist(v.reduced()); }
    double distSqrHom(const gxVec4& v) const { return reduced().distSqr(v.reduced()); }

private:
    gxVec3 reduced() const { return gxVec3(m_v[0] / m_v[3], m_v[1] / m_v[3], m_v[2] / m_v[3]); }
};

static_assert(sizeof(gxVec4) == 4 * sizeof(double), "gxVec4 is exactly four doubles");

#endif
