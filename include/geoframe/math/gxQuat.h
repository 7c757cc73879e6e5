// The math classes refer to one another (vectors are transformed by matrices and
// quaternions, matrices are built from quaternions). gxMatrix4.h includes them all
// in dependency order and then completes the family, so any entry starts there.
#ifndef GEOFRAME_MATH_GXMATRIX4_H
#include <geoframe/math/gxMatrix4.h>
#endif

#ifndef GEOFRAME_MATH_GXQUAT_H
#define GEOFRAME_MATH_GXQUAT_H

#include <geoframe/geoframe_export.h>
#include <geoframe/math/gxVec3.h>
#include <geoframe/math/gxVec4.h>

#include <cmath>

/// A rotation quaternion: x, y, z the vector part, w the scalar part; the identity
/// is (0, 0, 0, 1). Angles are in degrees.
///
/// Products are arranged to compose like the library's matrices (row vectors,
/// p' = p * M): p * q is the rotation p followed by q and equals the Hamilton
/// product q (x) p, so gxMatrix4::makeQuat(p * q) == makeQuat(p) * makeQuat(q).
/// mult(a, b) is the plain Hamilton product a (x) b.
///
/// Everything of gxVec4 that is not redeclared here works on the four components
/// (set, dot, combine, negate, normalize to unit 4-D length, +=, -=, equal, ==);
/// the scalar *= and /= of gxVec4 are reached through the base class. Note that
/// length() is the sum of squares, the same as norm(), not its square root.
class GEOFRAME_EXPORT gxQuat : public gxVec4 {
public:
    /// The identity rotation (0, 0, 0, 1).
    gxQuat() : gxVec4(INIT_NONE) { makeIdent(); }
    /// Leaves the components uninitialised.
    explicit gxQuat(gxVec4::InitState s) : gxVec4(s) {}
    gxQuat(double x, double y, double z, double w) : gxVec4(x, y, z, w) {}
    /// Copies x, y, z, w from the array.
    explicit gxQuat(const double* v) : gxVec4(v) {}
    gxQuat(const gxQuat&) = default;
    gxQuat& operator=(const gxQuat&) = default;
    ~gxQuat() = default;

    void makeIdent() { set(0.0, 0.0, 0.0, 1.0); }

    /// Rotation by angle degrees about (x, y, z); the axis is used as given (a
    /// non-unit axis gives a non-unit quaternion).
    void makeRot(double angle, double x, double y, double z) {
        const double h = gxDoubleTrait::d2r(angle / 2);
        const double s = gxDoubleTrait::sin(h);
        set(x * s, y * s, z * s, gxDoubleTrait::cos(h));
    }
    void makeRot(double angle, const gxVec3& axis) { makeRot(angle, axis[0], axis[1], axis[2]); }

    /// Angle in degrees and axis of the rotation; always true. w is clamped into
    /// [-1, 1] first. A zero rotation (w = +-1) gives angle 0 and axis (0, 0, 1).
    bool getRot(double& angle, double& x, double& y, double& z) const {
        double w = m_v[3];
        if (w > 1.0)
            w = 1.0;
        else if (w < -1.0)
            w = -1.0;
        if (w == 1.0 || w == -1.0) {
            angle = 0.0;
            x = 0.0;
            y = 0.0;
            z = 1.0;
            return true;
        }
        const double h = gxDoubleTrait::acos(w);
        const double s = gxDoubleTrait::sin(h);
        x = m_v[0] / s;
        y = m_v[1] / s;
        z = m_v[2] / s;
        angle = gxDoubleTrait::r2d(2 * h);
        return true;
    }
    bool getRot(double& angle, gxVec3& axis) const {
        return getRot(angle, axis[0], axis[1], axis[2]);
    }

    /// x^2 + y^2 + z^2 + w^2.
    double norm() const {
        return m_v[0] * m_v[0] + m_v[1] * m_v[1] + m_v[2] * m_v[2] + m_v[3] * m_v[3];
    }
    /// The sum of squares, as norm() (not the Euclidean length of gxVec4).
    double length() const { return norm(); }

    /// (-x, -y, -z, w).
    void conj() {
        m_v[0] = -m_v[0];
        m_v[1] = -m_v[1];
        m_v[2] = -m_v[2];
    }
    /// The quaternion inverse: conj() divided by norm(). The zero quaternion
    /// becomes NaN (IEEE).
    void invert() {
        const double n = norm();
        conj();
        for (int i = 0; i < 4; ++i)
            m_v[i] /= n;
    }

    /// This becomes the Hamilton product a (x) b; a or b may be this quaternion.
    void mult(const gxQuat& a, const gxQuat& b) {
        const double x = a[3] * b[0] + a[0] * b[3] + a[1] * b[2] - a[2] * b[1];
        const double y = a[3] * b[1] + a[1] * b[3] + a[2] * b[0] - a[0] * b[2];
        const double z = a[3] * b[2] + a[2] * b[3] + a[0] * b[1] - a[1] * b[0];
        const double w = a[3] * b[3] - a[0] * b[0] - a[1] * b[1] - a[2] * b[2];
        set(x, y, z, w);
    }

    /// This rotation followed by q: q (x) this.
    gxQuat operator*(const gxQuat& q) const {
        gxQuat r(INIT_NONE);
        r.mult(q, *this);
        return r;
    }
    /// This becomes q (x) this.
    gxQuat& operator*=(const gxQuat& q) {
        mult(q, *this);
        return *this;
    }
    /// this * q^-1, that is q^-1 (x) this.
    gxQuat operator/(const gxQuat& q) const {
        gxQuat inv = q;
        inv.invert();
        return *this * inv;
    }
    gxQuat& operator/=(const gxQuat& q) {
        gxQuat inv = q;
        inv.invert();
        return *this *= inv;
    }

    /// Normalised linear interpolation from a (t = 0) to b (t = 1), through -b
    /// when a . b < 0 so that the shorter arc is taken.
    void lerp(double t, const gxQuat& a, const gxQuat& b) {
        const double d = a.dot(b);
        combine(1 - t, a, d < 0 ? -t : t, b);
        gxVec4::normalize();
    }

    /// Spherical linear interpolation from a (t = 0) to b (t = 1) along the shorter
    /// arc (through -b when a . b < 0). Nearly parallel ends (|a . b| >= 0.99) are
    /// interpolated by lerp. a or b may be this quaternion.
    void slerp(double t, const gxQuat& a, const gxQuat& b) {
        const double d = a.dot(b);
        if (gxDoubleTrait::abs(d) >= 0.99) {
            lerp(t, a, b);
            gxVec4::normalize();
            return;
        }
        gxVec4 b2 = b;
        if (d < 0)
            b2.negate();
        const double theta = gxDoubleTrait::acos(a.dot(b2));
        const double s = gxDoubleTrait::sin(theta);
        const gxVec4& a4 = a;
        const gxVec4 r = a4 * (gxDoubleTrait::sin((1 - t) * theta) / s) +
                         b2 * (gxDoubleTrait::sin(t * theta) / s);
        gxVec4::operator=(r);
        gxVec4::normalize();
    }

    /// Exponential: (v, w) becomes e^w (sin|v| v / |v|, cos|v|). For a pure
    /// quaternion (0 w) this is the unit quaternion of rotation angle 2|v| about v.
    void exp() {
        const double r = vectorLength();
        const double e = std::exp(m_v[3]);
        const double f = r > 0 ? e * gxDoubleTrait::sin(r) / r : e;
        set(m_v[0] * f, m_v[1] * f, m_v[2] * f, e * gxDoubleTrait::cos(r));
    }

    /// Logarithm, the inverse of exp(): (v, w) becomes (atan2(|v|, w) v / |v|,
    /// ln|q|); a unit quaternion gives a pure one (w = 0) with half its rotation
    /// angle along the axis. A real negative quaternion gives (0, 0, pi, ln|w|),
    /// the zero quaternion a w of -infinity.
    void log() {
        const double r = vectorLength();
        const double n = gxDoubleTrait::sqrt(norm());
        const double lnN = std::log(n);
        if (r > 0) {
            const double f = gxDoubleTrait::atan2(r, m_v[3]) / r;
            set(m_v[0] * f, m_v[1] * f, m_v[2] * f, lnN);
        } else {
            set(0.0, 0.0, m_v[3] < 0 ? gxDoubleTrait::piRadVal : 0.0, lnN);
        }
    }

    /// Spherical quadrangle interpolation between the keys q1 (t = 0) and q2
    /// (t = 1) with the inner control points a (at q1) and b (at q2):
    /// arc(2t(1 - t), arc(t, q1, q2), arc(t, a, b)), where arc is the exact
    /// spherical interpolation along the shorter arc (slerp without its switch to
    /// lerp for close ends, so that the tangent stays exact). The end points are
    /// reached as q1 and +-q2 (the same rotation). With a and b from meanTangent
    /// the curve through a sequence of keys has a continuous tangent, provided
    /// consecutive keys lie on one side of the sphere (non-negative dot product;
    /// negate a key where needed, it is the same rotation).
    void squad(double t, const gxQuat& q1, const gxQuat& q2, const gxQuat& a, const gxQuat& b) {
        const gxQuat keys = arc(t, q1, q2);
        const gxQuat inner = arc(t, a, b);
        *this = arc(2 * t * (1 - t), keys, inner);
    }

    /// The inner control point at the unit key q for squad, between its
    /// neighbours prev and next: q (x) exp(-(log(q^-1 (x) next) + log(q^-1 (x) prev)) / 4).
    /// The neighbours are first taken on q's side of the sphere (negated when
    /// their dot product with q is negative).
    void meanTangent(const gxQuat& prev, const gxQuat& q, const gxQuat& next) {
        gxQuat inv = q;
        inv.invert();
        gxQuat toPrev(INIT_NONE), toNext(INIT_NONE);
        toPrev.mult(inv, q.dot(prev) < 0 ? negated(prev) : prev);
        toNext.mult(inv, q.dot(next) < 0 ? negated(next) : next);
        toPrev.log();
        toNext.log();
        gxQuat e(INIT_NONE);
        for (int i = 0; i < 4; ++i)
            e[i] = -(toPrev[i] + toNext[i]) / 4;
        e.exp();
        mult(q, e);
    }

private:
    double vectorLength() const {
        return gxDoubleTrait::sqrt(m_v[0] * m_v[0] + m_v[1] * m_v[1] + m_v[2] * m_v[2]);
    }
    static gxQuat negated(const gxQuat& q) { return gxQuat(-q[0], -q[1], -q[2], -q[3]); }

    /// Exact spherical interpolation from a to b or -b, whichever is nearer,
    /// normalised. The arc angle comes from the chord lengths, which stay
    /// accurate for close ends where the arc cosine of the dot product does not.
    static gxQuat arc(double t, const gxQuat& a, const gxQuat& b) {
        const gxVec4& a4 = a;
        const gxVec4 b2 = a.dot(b) < 0 ? gxVec4(negated(b)) : gxVec4(b);
        const double theta = 2 * gxDoubleTrait::atan2((a4 - b2).length(), (a4 + b2).length());
        const double s = gxDoubleTrait::sin(theta);
        gxQuat r(INIT_NONE);
        if (s > 0)
            r.combine(gxDoubleTrait::sin((1 - t) * theta) / s, a4,
                      gxDoubleTrait::sin(t * theta) / s, b2);
        else
            r.combine(1 - t, a4, t, b2);
        r.gxVec4::normalize();
        return r;
    }
};

static_assert(sizeof(gxQuat) == 4 * sizeof(double), "gxQuat adds no data to gxVec4");

#endif
