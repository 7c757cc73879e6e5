#ifndef GEOFRAME_MATH_GXVEC3_H
#define GEOFRAME_MATH_GXVEC3_H

#include <geoframe/geoframe_export.h>
#include <geoframe/math/detail/gxVecBase.h>

class gxMatrix4;
class gxQuat;

/// A 3-D position or direction of three doubles, x, y, z: the position type of the
/// whole library. The object is exactly its component array; copying copies the
/// components. Arithmetic, comparison, products and distances are those of every
/// vector (see gxVecBase).
class GEOFRAME_EXPORT gxVec3 : public geoframe::detail::gxVecBase<gxVec3, 3> {
public:
    /// Passed to the constructor to leave the components uninitialised.
    enum InitState : int { INIT_NONE = 0 };

    /// The zero vector.
    gxVec3() { makeIdent(); }
    /// Leaves the components uninitialised, whatever the value given.
    explicit gxVec3(InitState) {}
    gxVec3(double x, double y, double z) { set(x, y, z); }
    /// Copies three doubles from the array.
    explicit gxVec3(const double* v) { set(v[0], v[1], v[2]); }
    gxVec3(const gxVec3&) = default;
    gxVec3& operator=(const gxVec3&) = default;

    void set(double x, double y, double z) {
        m_v[0] = x;
        m_v[1] = y;
        m_v[2] = z;
    }

    double GetX() const { return m_v[0]; }
    double GetY() const { return m_v[1]; }
    double GetZ() const { return m_v[2]; }

    /// Scales to unit length. Refuses (false, vector unchanged) when the length is
    /// at most 2^-23 (the single-precision epsilon), NaN or infinite, so that a
    /// vector too short, too long or broken to have a usable direction never turns
    /// into zeros or NaN.
    bool normalize() {
        const double len = length();
        if (!(len > kMinLength) || len > gxDoubleTrait::maxVal)
            return false;
        for (int i = 0; i < 3; ++i)
            m_v[i] /= len;
        return true;
    }

    /// This vector becomes a x b. Both are read before anything is written, so
    /// either may be this vector.
    void cross(const gxVec3& a, const gxVec3& b) {
        const double x = a[1] * b[2] - a[2] * b[1];
        const double y = a[2] * b[0] - a[0] * b[2];
        const double z = a[0] * b[1] - a[1] * b[0];
        set(x, y, z);
    }

    /// The rotation that carries direction a onto direction b (both expected to be
    /// unit vectors): returns the angle in degrees and makes this vector the axis,
    /// not normalised. For b = a the angle is 0 and for b = -a it is 180, each with
    /// an axis perpendicular to a and long enough to normalise; otherwise the axis
    /// is a x b, which may be too short to normalise when b is nearly a or -a.
    double getAxisAngle(const gxVec3& a, const gxVec3& b) {
        const double tol = gxDoubleTrait::fuzzVal;
        double angle;
        if (a.equal(b, tol)) {
            angle = gxDoubleTrait::zeroVal;
        } else if (a.equal(b * -1.0, tol)) {
            angle = gxDoubleTrait::piDegVal;
        } else {
            double d = a.dot(b);
            if (d > 1.0)
                d = 1.0;
            else if (d < -1.0)
                d = -1.0;
            cross(a, b);
            return gxDoubleTrait::r2d(gxDoubleTrait::acos(d));
        }
        // Perpendicular axis: a x (a x p), p the x axis unless a lies so close to it
        // that the axis would be too short to give a direction, then the y axis.
        gxVec3 axis(INIT_NONE);
        axis.cross(a, gxVec3(1.0, 0.0, 0.0));
        axis.cross(a, axis);
        if (!(axis.length() > kMinLength)) {
            axis.cross(a, gxVec3(0.0, 1.0, 0.0));
            axis.cross(a, axis);
        }
        *this = axis;
        return angle;
    }

    /// This becomes the point v transformed by M: v * M with the translation of
    /// row 3 (column 3 is not used, there is no division by w). v may be this.
    inline void xformPt(const gxVec3& v, const gxMatrix4& M);
    /// This becomes the direction v transformed by the upper-left 3x3 of M (no
    /// translation). v may be this.
    inline void xformVec(const gxVec3& v, const gxMatrix4& M);
    /// This becomes v rotated by q: the vector part of q^-1 * (v, 0) * q, the same
    /// as xformVec by gxMatrix4::makeQuat(q) for a unit q. v may be this.
    inline void xformVec(const gxVec3& v, const gxQuat& q);

private:
    static constexpr double kMinLength = 1.1920928955078125e-7;
};

static_assert(sizeof(gxVec3) == 3 * sizeof(double), "gxVec3 is exactly three doubles");

// The transforms above need the complete matrix; it brings their definitions.
#include <geoframe/math/gxMatrix4.h>

#endif
