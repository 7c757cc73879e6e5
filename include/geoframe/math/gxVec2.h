#ifndef GEOFRAME_MATH_GXVEC2_H
#define GEOFRAME_MATH_GXVEC2_H

#include <geoframe/geoframe_export.h>
#include <geoframe/math/detail/gxVecBase.h>

class gxMatrix4;
class gxVec3;

/// A 2-D point or texture coordinate of two doubles, x then y. The object is
/// exactly its component array; copying copies the components. Arithmetic,
/// comparison, products and distances are those of every vector (see gxVecBase).
class GEOFRAME_EXPORT gxVec2 : public geoframe::detail::gxVecBase<gxVec2, 2> {
public:
    /// Passed to the constructor to leave the components uninitialised.
    enum InitState : int { INIT_NONE = 0 };

    /// The zero vector.
    gxVec2() { makeIdent(); }
    /// Leaves the components uninitialised, whatever the value given.
    explicit gxVec2(InitState) {}
    gxVec2(double x, double y) { set(x, y); }
    /// Copies two doubles from the array.
    explicit gxVec2(const double* v) { set(v[0], v[1]); }
    gxVec2(const gxVec2&) = default;
    gxVec2& operator=(const gxVec2&) = default;

    void set(double x, double y) {
        m_v[0] = x;
        m_v[1] = y;
    }

    double GetX() const { return m_v[0]; }
    double GetY() const { return m_v[1]; }

    /// Divides by the length without a test: a zero vector becomes NaN.
    void normalize() { divideByLength(); }

    /// The z component of the 3-D cross product of a and b (a.x * b.y - b.x * a.y).
    /// Reads and changes nothing of this vector.
    double cross(const gxVec2& a, const gxVec2& b) const { return a[0] * b[1] - b[0] * a[1]; }

    /// Texture coordinate of the point p by the matrix first, in column form:
    /// u = row 0 . (p, 1), v = row 1 . (p, 1). With perspective, both are divided
    /// by w = row 3 . (p, 1) when |w| > 2^-23; row 2 is never read.
    inline void ApplyTextureMap(const gxMatrix4& M, const gxVec3& p, bool perspective);
    /// Texture coordinate of the point p by the point first, in row form:
    /// u = (p, 1) . column 0, v = (p, 1) . column 1. With perspective, both are
    /// divided by w = (p, 1) . column 3 when |w| > 2^-52; column 2 is never read.
    inline void ApplyTextureMap(const gxVec3& p, const gxMatrix4& M, bool perspective);
};

static_assert(sizeof(gxVec2) == 2 * sizeof(double), "gxVec2 is exactly two doubles");

// The transforms above need the complete matrix; it brings their definitions.
#include <geoframe/math/gxMatrix4.h>

#endif
