#ifndef GEOFRAME_MATH_GXVEC2_H
#define GEOFRAME_MATH_GXVEC2_H

#include <geoframe/geoframe_export.h>
#include <geoframe/math/detail/gxVecBase.h>

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
};

static_assert(sizeof(gxVec2) == 2 * sizeof(double), "gxVec2 is exactly two doubles");

#endif
