#ifndef GEOFRAME_MATH_GXMATRIX4_H
#define GEOFRAME_MATH_GXMATRIX4_H

#include <geoframe/geoframe_export.h>
#include <geoframe/math/gxQuat.h>
#include <geoframe/math/gxVec2.h>
#include <geoframe/math/gxVec3.h>
#include <geoframe/math/gxVec4.h>

#include <cmath>
#include <utility>

/// A 4x4 double matrix, stored row-major: M[r][c] is the (4r + c)-th double.
///
/// Points and vectors are row vectors multiplied on the left, p' = p * M: the
/// translation of an affine matrix is row 3 and A * B applies A first, then B.
/// For each transform T the make member sets M = T, the pre member M = T * M (T
/// applied before the existing transform) and the post member M = M * T (T
/// applied after). Angles are in degrees.
class GEOFRAME_EXPORT gxMatrix4 {
public:
    /// Passed to the constructor to leave the elements uninitialised.
    enum InitState : int { INIT_NONE = 0 };
    /// A coordinate axis for makeRot, preRot and postRot; any other value makes
    /// those leave the matrix unchanged.
    enum RotAxis : int { AXIS_X = 0, AXIS_Y = 1, AXIS_Z = 2 };

    /// The identity.
    gxMatrix4() { makeIdent(); }
    /// Leaves the elements uninitialised, whatever the value given.
    explicit gxMatrix4(InitState) {}
    /// Elements in row-major order.
    gxMatrix4(double m00, double m01, double m02, double m03, double m10, double m11, double m12,
              double m13, double m20, double m21, double m22, double m23, double m30, double m31,
              double m32, double m33) {
        set(m00, m01, m02, m03, m10, m11, m12, m13, m20, m21, m22, m23, m30, m31, m32, m33);
    }
    /// Copies sixteen doubles, row-major.
    explicit gxMatrix4(const double* m) { set(m); }
    gxMatrix4(const gxMatrix4&) = default;
    gxMatrix4& operator=(const gxMatrix4&) = default;
    ~gxMatrix4() = default;

    void set(double m00, double m01, double m02, double m03, double m10, double m11, double m12,
             double m13, double m20, double m21, double m22, double m23, double m30, double m31,
             double m32, double m33) {
        setRow(0, m00, m01, m02, m03);
        setRow(1, m10, m11, m12, m13);
        setRow(2, m20, m21, m22, m23);
        setRow(3, m30, m31, m32, m33);
    }
    void set(const double* m) {
        for (int i = 0; i < 16; ++i)
            m_m[i / 4][i % 4] = m[i];
    }

    void makeIdent() {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                m_m[r][c] = r == c ? gxDoubleTrait::oneVal : gxDoubleTrait::zeroVal;
    }

    /// Row r (not range-tested: 0 .. 3), so that M[r][c] is an element.
    double* operator[](int r) { return m_m[r]; }
    const double* operator[](int r) const { return m_m[r]; }
    operator double*() { return &m_m[0][0]; }
    operator const double*() const { return &m_m[0][0]; }

    // Rows and columns. The three-value forms touch elements 0 .. 2 only.
    void setRow(int r, double a, double b, double c, double d) {
        setRow(r, a, b, c);
        m_m[r][3] = d;
    }
    void setRow(int r, const gxVec4& v) { setRow(r, v[0], v[1], v[2], v[3]); }
    void setRow(int r, double a, double b, double c) {
        m_m[r][0] = a;
        m_m[r][1] = b;
        m_m[r][2] = c;
    }
    void setRow(int r, const gxVec3& v) { setRow(r, v[0], v[1], v[2]); }
    void getRow(int r, double& a, double& b, double& c, double& d) const {
        getRow(r, a, b, c);
        d = m_m[r][3];
    }
    void getRow(int r, gxVec4& v) const { getRow(r, v[0], v[1], v[2], v[3]); }
    void getRow(int r, double& a, double& b, double& c) const {
        a = m_m[r][0];
        b = m_m[r][1];
        c = m_m[r][2];
    }
    void getRow(int r, gxVec3& v) const { getRow(r, v[0], v[1], v[2]); }

    void setCol(int c, double a, double b, double cc, double d) {
        setCol(c, a, b, cc);
        m_m[3][c] = d;
    }
    void setCol(int c, const gxVec4& v) { setCol(c, v[0], v[1], v[2], v[3]); }
    void setCol(int c, double a, double b, double cc) {
        m_m[0][c] = a;
        m_m[1][c] = b;
        m_m[2][c] = cc;
    }
    void setCol(int c, const gxVec3& v) { setCol(c, v[0], v[1], v[2]); }
    void getCol(int c, double& a, double& b, double& cc, double& d) const {
        getCol(c, a, b, cc);
        d = m_m[3][c];
    }
    void getCol(int c, gxVec4& v) const { getCol(c, v[0], v[1], v[2], v[3]); }
    void getCol(int c, double& a, double& b, double& cc) const {
        a = m_m[0][c];
        b = m_m[1][c];
        cc = m_m[2][c];
    }
    void getCol(int c, gxVec3& v) const { getCol(c, v[0], v[1], v[2]); }

    // Translation: the identity with row 3 = (x, y, z, 1).
    void makeTrans(double x, double y, double z) {
        makeIdent();
        setRow(3, x, y, z);
    }
    void makeTrans(const gxVec3& v) { makeTrans(v[0], v[1], v[2]); }
    void preTrans(double x, double y, double z) {
        gxMatrix4 t(INIT_NONE);
        t.makeTrans(x, y, z);
        preMult(t);
    }
    void preTrans(const gxVec3& v) { preTrans(v[0], v[1], v[2]); }
    void postTrans(double x, double y, double z) {
        for (int r = 0; r < 4; ++r) {
            m_m[r][0] += x * m_m[r][3];
            m_m[r][1] += y * m_m[r][3];
            m_m[r][2] += z * m_m[r][3];
        }
    }
    void postTrans(const gxVec3& v) { postTrans(v[0], v[1], v[2]); }

    /// Rotation by angle degrees about (x, y, z), counter-clockwise for row
    /// vectors about a unit axis; the axis is used as given (not normalised).
    void makeRot(double angle, double x, double y, double z) {
        const double a = gxDoubleTrait::d2r(angle);
        const double ca = gxDoubleTrait::cos(a), sa = gxDoubleTrait::sin(a), t = 1 - ca;
        set(t * x * x + ca, t * x * y + sa * z, t * x * z - sa * y, 0, //
            t * x * y - sa * z, t * y * y + ca, t * y * z + sa * x, 0, //
            t * x * z + sa * y, t * y * z - sa * x, t * z * z + ca, 0, //
            0, 0, 0, 1);
    }
    void makeRot(double angle, const gxVec3& axis) { makeRot(angle, axis[0], axis[1], axis[2]); }
    void preRot(double angle, double x, double y, double z) {
        gxMatrix4 t(INIT_NONE);
        t.makeRot(angle, x, y, z);
        preMult(t);
    }
    void preRot(double angle, const gxVec3& axis) { preRot(angle, axis[0], axis[1], axis[2]); }
    void postRot(double angle, double x, double y, double z) {
        gxMatrix4 t(INIT_NONE);
        t.makeRot(angle, x, y, z);
        postMult(t);
    }
    void postRot(double angle, const gxVec3& axis) { postRot(angle, axis[0], axis[1], axis[2]); }

    /// Rotation by angle degrees about a coordinate axis.
    void makeRot(double angle, RotAxis axis) {
        if (!validAxis(axis))
            return;
        makeIdent();
        const double a = gxDoubleTrait::d2r(angle);
        const double ca = gxDoubleTrait::cos(a), sa = gxDoubleTrait::sin(a);
        switch (axis) {
        case AXIS_X:
            m_m[1][1] = ca, m_m[1][2] = sa, m_m[2][1] = -sa, m_m[2][2] = ca;
            break;
        case AXIS_Y:
            m_m[0][0] = ca, m_m[0][2] = -sa, m_m[2][0] = sa, m_m[2][2] = ca;
            break;
        default:
            m_m[0][0] = ca, m_m[0][1] = sa, m_m[1][0] = -sa, m_m[1][1] = ca;
            break;
        }
    }
    void preRot(double angle, RotAxis axis) {
        if (!validAxis(axis))
            return;
        gxMatrix4 t(INIT_NONE);
        t.makeRot(angle, axis);
        preMult(t);
    }
    /// In place; the same as postMult by makeRot(angle, axis).
    void postRot(double angle, RotAxis axis) {
        if (!validAxis(axis))
            return;
        const double a = gxDoubleTrait::d2r(angle);
        const double ca = gxDoubleTrait::cos(a), sa = gxDoubleTrait::sin(a);
        for (int r = 0; r < 4; ++r) {
            double* m = m_m[r];
            double u, v;
            switch (axis) {
            case AXIS_X:
                u = m[1] * ca - m[2] * sa;
                v = m[1] * sa + m[2] * ca;
                m[1] = u, m[2] = v;
                break;
            case AXIS_Y:
                u = m[0] * ca + m[2] * sa;
                v = m[2] * ca - m[0] * sa;
                m[0] = u, m[2] = v;
                break;
            default:
                u = m[0] * ca - m[1] * sa;
                v = m[0] * sa + m[1] * ca;
                m[0] = u, m[1] = v;
                break;
            }
        }
    }

    /// The rotation of the quaternion (x, y, z, w), written into the upper-left
    /// 3x3 only: the other seven elements keep their values. The quaternion is
    /// used as given; a non-unit one scales by its norm.
    void makeQuat(double x, double y, double z, double w) {
        setRow(0, w * w + x * x - y * y - z * z, 2 * (x * y + w * z), 2 * (x * z - w * y));
        setRow(1, 2 * (x * y - w * z), w * w - x * x + y * y - z * z, 2 * (w * x + y * z));
        setRow(2, 2 * (x * z + w * y), 2 * (y * z - w * x), w * w - x * x - y * y + z * z);
    }
    void makeQuat(const gxQuat& q) { makeQuat(q[0], q[1], q[2], q[3]); }
    void preQuat(double x, double y, double z, double w) { preMult(quatMatrix(x, y, z, w)); }
    void preQuat(const gxQuat& q) { preQuat(q[0], q[1], q[2], q[3]); }
    void postQuat(double x, double y, double z, double w) { postMult(quatMatrix(x, y, z, w)); }
    void postQuat(const gxQuat& q) { postQuat(q[0], q[1], q[2], q[3]); }

    /// Heading h about Z, pitch p about X, roll r about Y, in degrees:
    /// Ry(r) * Rx(p) * Rz(h), so roll is applied first and heading last.
    void makeEuler(double h, double p, double r) {
        makeIdent();
        postEuler(h, p, r);
    }
    void makeEuler(const gxVec3& hpr) { makeEuler(hpr[0], hpr[1], hpr[2]); }
    void preEuler(double h, double p, double r) {
        gxMatrix4 t(INIT_NONE);
        t.makeEuler(h, p, r);
        preMult(t);
    }
    void preEuler(const gxVec3& hpr) { preEuler(hpr[0], hpr[1], hpr[2]); }
    void postEuler(double h, double p, double r) {
        postRot(r, AXIS_Y);
        postRot(p, AXIS_X);
        postRot(h, AXIS_Z);
    }
    void postEuler(const gxVec3& hpr) { postEuler(hpr[0], hpr[1], hpr[2]); }

    /// The diagonal (x, y, z, 1).
    void makeScale(double x, double y, double z) {
        makeIdent();
        m_m[0][0] = x;
        m_m[1][1] = y;
        m_m[2][2] = z;
    }
    void makeScale(const gxVec3& v) { makeScale(v[0], v[1], v[2]); }
    void preScale(double x, double y, double z) {
        gxMatrix4 t(INIT_NONE);
        t.makeScale(x, y, z);
        preMult(t);
    }
    void preScale(const gxVec3& v) { preScale(v[0], v[1], v[2]); }
    /// In place: columns 0, 1, 2 multiplied by x, y, z.
    void postScale(double x, double y, double z) {
        for (int r = 0; r < 4; ++r) {
            m_m[r][0] *= x;
            m_m[r][1] *= y;
            m_m[r][2] *= z;
        }
    }
    void postScale(const gxVec3& v) { postScale(v[0], v[1], v[2]); }

    /// M = a * M. The product is formed before M is written, so a may be M.
    void preMult(const gxMatrix4& a) { *this = product(a, *this); }
    /// M = M * a. The product is formed before M is written, so a may be M.
    void postMult(const gxMatrix4& a) { *this = product(*this, a); }
    gxMatrix4 operator*(const gxMatrix4& b) const { return product(*this, b); }
    gxMatrix4& operator*=(const gxMatrix4& a) {
        postMult(a);
        return *this;
    }

    gxMatrix4 operator+(const gxMatrix4& b) const {
        gxMatrix4 r = *this;
        return r += b;
    }
    gxMatrix4 operator-(const gxMatrix4& b) const {
        gxMatrix4 r = *this;
        return r -= b;
    }
    gxMatrix4& operator+=(const gxMatrix4& a) {
        for (int i = 0; i < 16; ++i)
            m_m[i / 4][i % 4] += a.m_m[i / 4][i % 4];
        return *this;
    }
    gxMatrix4& operator-=(const gxMatrix4& a) {
        for (int i = 0; i < 16; ++i)
            m_m[i / 4][i % 4] -= a.m_m[i / 4][i % 4];
        return *this;
    }
    gxMatrix4 operator*(double s) const {
        gxMatrix4 r = *this;
        return r *= s;
    }
    gxMatrix4 operator/(double s) const {
        gxMatrix4 r = *this;
        return r /= s;
    }
    gxMatrix4& operator*=(double s) {
        for (int i = 0; i < 16; ++i)
            m_m[i / 4][i % 4] *= s;
        return *this;
    }
    /// Divides every element by s (a true division, IEEE for s = 0).
    gxMatrix4& operator/=(double s) {
        for (int i = 0; i < 16; ++i)
            m_m[i / 4][i % 4] /= s;
        return *this;
    }

    /// A * B^-1 (apply A, then undo B). When B cannot be inverted (see invert)
    /// the result is a matrix of sixteen quiet NaNs, so that the failure cannot
    /// pass for a transform; call invert on a copy of B first to test for it.
    gxMatrix4 operator/(const gxMatrix4& b) const {
        gxMatrix4 inv(INIT_NONE);
        if (!inverse(b, inv))
            return nanMatrix();
        return product(*this, inv);
    }
    /// M = M * B^-1; M becomes all NaN when B cannot be inverted, as operator/.
    gxMatrix4& operator/=(const gxMatrix4& b) { return *this = *this / b; }

    /// Exact comparison of all sixteen elements.
    bool operator==(const gxMatrix4& b) const {
        for (int i = 0; i < 16; ++i)
            if (!(m_m[i / 4][i % 4] == b.m_m[i / 4][i % 4]))
                return false;
        return true;
    }
    /// Every element within tol of b's (gxDoubleTrait::equal), in index order.
    bool equal(const gxMatrix4& b, double tol) const {
        for (int i = 0; i < 16; ++i)
            if (!gxDoubleTrait::equal(m_m[i / 4][i % 4], b.m_m[i / 4][i % 4], tol))
                return false;
        return true;
    }

    /// Rotate by the Euler angles hpr, then translate by xyz; getCoord inverts it.
    void makeCoord(const gxVec3& xyz, const gxVec3& hpr) {
        makeEuler(hpr);
        postTrans(xyz);
    }

    /// The rotation that turns direction a into direction b (unit vectors); the
    /// identity when they are equal, a half turn about an axis perpendicular to a
    /// when b = -a. Always a rotation, also when a and b are so nearly equal or
    /// opposite that a x b is too short to give an axis.
    void makeVecRotVec(const gxVec3& a, const gxVec3& b) {
        if (a.equal(b, gxDoubleTrait::fuzzVal)) {
            makeIdent();
            return;
        }
        gxVec3 axis(gxVec3::INIT_NONE);
        const double angle = axis.getAxisAngle(a, b);
        if (axis.normalize()) {
            makeRot(angle, axis);
            return;
        }
        // b lies within about 2^-23 rad of a or of -a: turn by the short cross
        // product of the unit directions directly, after a half turn that takes a
        // to -a when b lies on the far side.
        gxVec3 from = a, to = b;
        from.normalize();
        to.normalize();
        if (from.dot(to) >= 0) {
            makeShortTurn(from, to);
            return;
        }
        const gxVec3 opposite = from * -1.0;
        axis.getAxisAngle(from, opposite);
        axis.normalize();
        makeRot(gxDoubleTrait::piDegVal, axis);
        gxMatrix4 rest(INIT_NONE);
        rest.makeShortTurn(opposite, to);
        postMult(rest);
    }

    /// Replaces the matrix by its inverse (Gauss-Jordan elimination with partial
    /// pivoting) and returns true. Returns false and leaves the matrix exactly as
    /// it was when a pivot is exactly zero (a singular matrix), or when any value
    /// of the matrix, of the elimination or of the inverse is infinite or NaN
    /// (overflow). Only an exactly zero pivot counts as singular, so a matrix that
    /// is singular but for rounding may "invert" to huge values.
    bool invert() {
        gxMatrix4 inv(INIT_NONE);
        if (!inverse(*this, inv))
            return false;
        *this = inv;
        return true;
    }

    void transpose() {
        for (int i = 0; i < 4; ++i)
            for (int j = i + 1; j < 4; ++j) {
                const double t = m_m[i][j];
                m_m[i][j] = m_m[j][i];
                m_m[j][i] = t;
            }
    }

    /// Row 3; always true.
    bool getTrans(double& x, double& y, double& z) const {
        getRow(3, x, y, z);
        return true;
    }
    bool getTrans(gxVec3& v) const { return getTrans(v[0], v[1], v[2]); }

    /// Angle (degrees, 0 .. 180) and unit axis of a rotation matrix; always true.
    /// A zero rotation gives the axis (0, 0, 1). Rounding that takes the cosine of
    /// the angle out of [-1, 1] is clamped, and a half turn, where the axis cannot
    /// be read from the antisymmetric part, takes it from the symmetric part.
    bool getRot(double& angle, gxVec3& axis) const {
        const double d = clampUnit((m_m[0][0] + m_m[1][1] + m_m[2][2] - 1) / 2);
        double theta = gxDoubleTrait::acos(d);
        const gxVec3 anti(m_m[1][2] - m_m[2][1], m_m[2][0] - m_m[0][2], m_m[0][1] - m_m[1][0]);
        if (gxDoubleTrait::equal(0, theta, gxDoubleTrait::fuzzVal)) {
            axis.set(0, 0, 1);
        } else if (1 + d <= kHalfTurn) {
            // The arc cosine is ill-conditioned here; the sine is |anti| / 2.
            theta = gxDoubleTrait::atan2(anti.length() / 2, d);
            halfTurnAxis(d, anti, axis);
        } else {
            const double s2 = 2 * gxDoubleTrait::sin(theta);
            axis.set(anti[0] / s2, anti[1] / s2, anti[2] / s2);
            axis.normalize();
        }
        angle = gxDoubleTrait::r2d(theta);
        return true;
    }
    bool getRot(double& angle, double& x, double& y, double& z) const {
        gxVec3 axis(gxVec3::INIT_NONE);
        getRot(angle, axis);
        x = axis[0];
        y = axis[1];
        z = axis[2];
        return true;
    }

    /// The unit quaternion of a rotation matrix (largest-component method); q or
    /// -q for a matrix made by makeQuat(q). Always true.
    bool getQuat(double& x, double& y, double& z, double& w) const {
        const double trace = m_m[0][0] + m_m[1][1] + m_m[2][2];
        int which = 0;
        double v = m_m[0][0];
        if (m_m[1][1] > v) {
            which = 1;
            v = m_m[1][1];
        }
        if (m_m[2][2] > v) {
            which = 2;
            v = m_m[2][2];
        }
        v = 2 * v - trace;
        if (trace > v) {
            which = 3;
            v = trace;
        }
        const double s = gxDoubleTrait::sqrt(gxDoubleTrait::abs(1 + v)) / 2;
        const double q4 = 4 * s;
        switch (which) {
        case 3:
            w = s;
            x = (m_m[1][2] - m_m[2][1]) / q4;
            y = (m_m[2][0] - m_m[0][2]) / q4;
            z = (m_m[0][1] - m_m[1][0]) / q4;
            break;
        case 0:
            x = s;
            w = (m_m[1][2] - m_m[2][1]) / q4;
            y = (m_m[1][0] + m_m[0][1]) / q4;
            z = (m_m[2][0] + m_m[0][2]) / q4;
            break;
        case 1:
            y = s;
            w = (m_m[2][0] - m_m[0][2]) / q4;
            x = (m_m[1][0] + m_m[0][1]) / q4;
            z = (m_m[2][1] + m_m[1][2]) / q4;
            break;
        default:
            z = s;
            w = (m_m[0][1] - m_m[1][0]) / q4;
            x = (m_m[2][0] + m_m[0][2]) / q4;
            y = (m_m[2][1] + m_m[1][2]) / q4;
            break;
        }
        return true;
    }
    bool getQuat(gxQuat& q) const { return getQuat(q[0], q[1], q[2], q[3]); }

    /// The Euler angles that makeEuler(h, p, r) was given, for pitch in
    /// (-90, 90). Always true; at pitch +-90 heading and roll are not separable.
    bool getEuler(double& h, double& p, double& r) const {
        h = gxDoubleTrait::r2d(gxDoubleTrait::atan2(-m_m[1][0], m_m[1][1]));
        p = gxDoubleTrait::r2d(gxDoubleTrait::asin(clampUnit(m_m[1][2])));
        r = gxDoubleTrait::r2d(gxDoubleTrait::atan2(-m_m[0][2], m_m[2][2]));
        return true;
    }
    bool getEuler(gxVec3& hpr) const { return getEuler(hpr[0], hpr[1], hpr[2]); }

    /// Scale factors: the lengths of the columns of the upper-left 3x3 after
    /// Gram-Schmidt orthogonalisation (shear removed, never negative); for a
    /// rotation followed by a scale, the absolute scale factors. A zero column
    /// gives a zero factor and does not disturb the others. Always true.
    bool getScale(double& x, double& y, double& z) const {
        gxVec3 c0(m_m[0][0], m_m[1][0], m_m[2][0]);
        gxVec3 c1(m_m[0][1], m_m[1][1], m_m[2][1]);
        gxVec3 c2(m_m[0][2], m_m[1][2], m_m[2][2]);
        x = c0.length();
        scaleDown(c0, x);
        c1 -= c0 * c0.dot(c1);
        y = c1.length();
        scaleDown(c1, y);
        const double d0 = c0.dot(c2), d1 = c1.dot(c2);
        c2 -= c0 * d0;
        c2 -= c1 * d1;
        z = c2.length();
        return true;
    }
    bool getScale(gxVec3& v) const { return getScale(v[0], v[1], v[2]); }

    /// getTrans(xyz) and getEuler(hpr): the inverse of makeCoord.
    bool getCoord(gxVec3& xyz, gxVec3& hpr) const { return getTrans(xyz) && getEuler(hpr); }

    // Camera matrices for row vectors. Degenerate volumes (l = r, b = t, n = f,
    // or n = 0 for the perspective ones) divide by zero and give infinite or NaN
    // elements.

    /// Orthographic projection of the box l..r, b..t, -n..-f onto the unit cube.
    void makeOrtho(double l, double r, double b, double t, double n, double f) {
        set(2 / (r - l), 0, 0, 0,  //
            0, 2 / (t - b), 0, 0,  //
            0, 0, -2 / (f - n), 0, //
            -(r + l) / (r - l), -(t + b) / (t - b), -(f + n) / (f - n), 1);
    }
    /// Perspective projection of the frustum with near-plane corners (l, b) and
    /// (r, t) at distance n and far plane at f.
    void makeFrustum(double l, double r, double b, double t, double n, double f) {
        set(2 * n / (r - l), 0, 0, 0,                                     //
            0, 2 * n / (t - b), 0, 0,                                     //
            (r + l) / (r - l), (t + b) / (t - b), -(f + n) / (f - n), -1, //
            0, 0, -2 * f * n / (f - n), 0);
    }
    /// Symmetric frustum of full vertical field of view fovy degrees.
    void makePerspective(double fovy, double aspect, double n, double f) {
        const double top = gxDoubleTrait::tan(gxDoubleTrait::d2r(fovy) / 2) * n;
        const double right = aspect * top;
        makeFrustum(-right, right, -top, top, n, f);
    }
    /// Maps u, v in [-1, 1] to x .. x + width, y .. y + height; z passes.
    void makeViewport(double x, double y, double width, double height) {
        makeTrans(1, 1, 0);
        postScale(width / 2, height / 2, 1);
        postTrans(x, y, 0);
    }

private:
    // Below this distance of the cosine from -1 the rotation angle is within about
    // 1.4e-6 rad of a half turn and the antisymmetric part is mostly rounding.
    static constexpr double kHalfTurn = 1e-12;

    static bool validAxis(RotAxis axis) { return axis >= AXIS_X && axis <= AXIS_Z; }
    static double clampUnit(double d) { return d > 1 ? 1.0 : d < -1 ? -1.0 : d; }
    static void scaleDown(gxVec3& c, double len) {
        if (len != 0)
            c /= len;
    }

    static bool allFinite(const gxMatrix4& m) {
        for (int i = 0; i < 16; ++i)
            if (!std::isfinite(m.m_m[i / 4][i % 4]))
                return false;
        return true;
    }

    static gxMatrix4 product(const gxMatrix4& a, const gxMatrix4& b) {
        gxMatrix4 p(INIT_NONE);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                p.m_m[r][c] = a.m_m[r][0] * b.m_m[0][c] + a.m_m[r][1] * b.m_m[1][c] +
                              a.m_m[r][2] * b.m_m[2][c] + a.m_m[r][3] * b.m_m[3][c];
        return p;
    }

    /// The rotation taking unit a onto unit b for a . b > 0, built from
    /// v = a x b without normalising it: c I - [v]x + v v^T / (1 + c), c = a . b
    /// (the transpose of the column-vector form, for row vectors). Exact however
    /// short v is.
    void makeShortTurn(const gxVec3& a, const gxVec3& b) {
        gxVec3 v(gxVec3::INIT_NONE);
        v.cross(a, b);
        const double c = a.dot(b), k = 1 / (1 + c);
        set(c + k * v[0] * v[0], k * v[0] * v[1] + v[2], k * v[0] * v[2] - v[1], 0, //
            k * v[1] * v[0] - v[2], c + k * v[1] * v[1], k * v[1] * v[2] + v[0], 0, //
            k * v[2] * v[0] + v[1], k * v[2] * v[1] - v[0], c + k * v[2] * v[2], 0, //
            0, 0, 0, 1);
    }

    static gxMatrix4 quatMatrix(double x, double y, double z, double w) {
        gxMatrix4 t;
        t.makeQuat(x, y, z, w);
        return t;
    }

    static gxMatrix4 nanMatrix() {
        gxMatrix4 m(INIT_NONE);
        for (int i = 0; i < 16; ++i)
            m.m_m[i / 4][i % 4] = std::nan("");
        return m;
    }

    /// Gauss-Jordan elimination with partial pivoting on a copy of src, the
    /// inverse collecting the same row operations. For each column j: the row of
    /// the largest |element| at or below j becomes the pivot row (ties keep the
    /// upper row); an exactly zero pivot fails; the pivot row is divided by the
    /// pivot and subtracted from every other row. Writes out only on success.
    ///
    /// Fails on a non-finite value at any step. Testing each pivot and the finished
    /// inverse catches every one: a non-finite element of m later becomes a pivot
    /// or a row factor that spoils a row of the inverse, and non-finite elements of
    /// the inverse stay so under finite pivots. (An infinite pivot would quietly
    /// turn its row into zeros.)
    static bool inverse(const gxMatrix4& src, gxMatrix4& out) {
        if (!allFinite(src))
            return false;
        gxMatrix4 m = src;
        gxMatrix4 inv;
        for (int j = 0; j < 4; ++j) {
            int best = j;
            for (int k = j + 1; k < 4; ++k)
                if (gxDoubleTrait::abs(m.m_m[k][j]) > gxDoubleTrait::abs(m.m_m[best][j]))
                    best = k;
            if (best != j)
                for (int c = 0; c < 4; ++c) {
                    std::swap(m.m_m[best][c], m.m_m[j][c]);
                    std::swap(inv.m_m[best][c], inv.m_m[j][c]);
                }
            const double d = m.m_m[j][j];
            if (d == 0.0 || !std::isfinite(d))
                return false;
            for (int c = 0; c < 4; ++c) {
                inv.m_m[j][c] /= d;
                m.m_m[j][c] /= d;
            }
            for (int k = 0; k < 4; ++k) {
                if (k == j)
                    continue;
                const double f = m.m_m[k][j];
                for (int c = 0; c < 4; ++c) {
                    inv.m_m[k][c] -= f * inv.m_m[j][c];
                    m.m_m[k][c] -= f * m.m_m[j][c];
                }
            }
        }
        if (!allFinite(inv))
            return false;
        out = inv;
        return true;
    }

    /// Axis of a rotation by nearly half a turn (cosine d near -1): from the
    /// symmetric part, M[i][j] + M[j][i] = 2 (1 - d) a_i a_j off the diagonal and
    /// M[i][i] = d + (1 - d) a_i^2, led by the largest diagonal element; the sign
    /// follows the antisymmetric part anti = 2 sin(angle) a where it has one.
    void halfTurnAxis(double d, const gxVec3& anti, gxVec3& axis) const {
        int i = 0;
        if (m_m[1][1] > m_m[i][i])
            i = 1;
        if (m_m[2][2] > m_m[i][i])
            i = 2;
        const double t = 1 - d;
        const double sq = (m_m[i][i] - d) / t;
        if (!(sq > 0)) {
            axis.set(0, 0, 1);
            return;
        }
        const double ai = gxDoubleTrait::sqrt(sq);
        for (int j = 0; j < 3; ++j)
            axis[j] = j == i ? ai : (m_m[i][j] + m_m[j][i]) / (2 * t * ai);
        if (axis.dot(anti) < 0)
            axis.negate();
        axis.normalize();
    }

    double m_m[4][4];
};

static_assert(sizeof(gxMatrix4) == 16 * sizeof(double), "gxMatrix4 is exactly sixteen doubles");

#include <geoframe/math/detail/gxVecXform.h>

#endif
