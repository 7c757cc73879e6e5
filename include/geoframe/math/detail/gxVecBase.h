#ifndef GEOFRAME_MATH_DETAIL_GXVECBASE_H
#define GEOFRAME_MATH_DETAIL_GXVECBASE_H

#include <geoframe/foundation/gxDoubleTrait.h>

namespace geoframe::detail {

/// Storage and the operations that gxVec2, gxVec3 and gxVec4 share: N doubles in
/// component order and component-wise arithmetic returning the derived vector V.
/// Holds nothing but the component array, so a V is exactly N contiguous doubles.
template <class V, int N>
class gxVecBase {
public:
    static constexpr int kSize = N;

    /// Component i; the index is not range-tested (valid: 0 .. N - 1).
    double& operator[](int i) { return m_v[i]; }
    const double& operator[](int i) const { return m_v[i]; }
    operator double*() { return m_v; }
    operator const double*() const { return m_v; }

    /// The zero vector.
    void makeIdent() {
        for (int i = 0; i < N; ++i)
            m_v[i] = gxDoubleTrait::zeroVal;
    }

    /// Exact comparison of every component (NaN never compares equal).
    bool operator==(const V& v) const {
        for (int i = 0; i < N; ++i)
            if (!(m_v[i] == v.m_v[i]))
                return false;
        return true;
    }

    /// Every component within tol of v's: own - tol <= other <= own + tol.
    bool equal(const V& v, double tol) const {
        for (int i = 0; i < N; ++i)
            if (!gxDoubleTrait::equal(m_v[i], v.m_v[i], tol))
                return false;
        return true;
    }

    // Scalar operands stand on the right only: s + c, c - s, s * c, c / s.
    V operator+(double s) const {
        V r(V::INIT_NONE);
        for (int i = 0; i < N; ++i)
            r.m_v[i] = s + m_v[i];
        return r;
    }
    V operator-(double s) const {
        V r(V::INIT_NONE);
        for (int i = 0; i < N; ++i)
            r.m_v[i] = m_v[i] - s;
        return r;
    }
    V operator*(double s) const {
        V r(V::INIT_NONE);
        for (int i = 0; i < N; ++i)
            r.m_v[i] = s * m_v[i];
        return r;
    }
    V operator/(double s) const {
        V r(V::INIT_NONE);
        for (int i = 0; i < N; ++i)
            r.m_v[i] = m_v[i] / s;
        return r;
    }

    V operator+(const V& v) const {
        V r(V::INIT_NONE);
        for (int i = 0; i < N; ++i)
            r.m_v[i] = m_v[i] + v.m_v[i];
        return r;
    }
    V operator-(const V& v) const {
        V r(V::INIT_NONE);
        for (int i = 0; i < N; ++i)
            r.m_v[i] = m_v[i] - v.m_v[i];
        return r;
    }
    V operator*(const V& v) const {
        V r(V::INIT_NONE);
        for (int i = 0; i < N; ++i)
            r.m_v[i] = m_v[i] * v.m_v[i];
        return r;
    }
    V operator/(const V& v) const {
        V r(V::INIT_NONE);
        for (int i = 0; i < N; ++i)
            r.m_v[i] = m_v[i] / v.m_v[i];
        return r;
    }

    V& operator+=(double s) {
        for (int i = 0; i < N; ++i)
            m_v[i] = s + m_v[i];
        return self();
    }
    V& operator-=(double s) {
        for (int i = 0; i < N; ++i)
            m_v[i] -= s;
        return self();
    }
    V& operator*=(double s) {
        for (int i = 0; i < N; ++i)
            m_v[i] = s * m_v[i];
        return self();
    }
    V& operator/=(double s) {
        for (int i = 0; i < N; ++i)
            m_v[i] /= s;
        return self();
    }

    V& operator+=(const V& v) {
        for (int i = 0; i < N; ++i)
            m_v[i] += v.m_v[i];
        return self();
    }
    V& operator-=(const V& v) {
        for (int i = 0; i < N; ++i)
            m_v[i] -= v.m_v[i];
        return self();
    }
    V& operator*=(const V& v) {
        for (int i = 0; i < N; ++i)
            m_v[i] *= v.m_v[i];
        return self();
    }
    V& operator/=(const V& v) {
        for (int i = 0; i < N; ++i)
            m_v[i] /= v.m_v[i];
        return self();
    }

    /// Every component becomes s * a_i + t * b_i; a or b may be this vector.
    void combine(double s, const V& a, double t, const V& b) {
        for (int i = 0; i < N; ++i)
            m_v[i] = s * a.m_v[i] + t * b.m_v[i];
    }

    /// Component reciprocals 1 / c_i (IEEE: a zero component becomes infinite).
    void invert() {
        for (int i = 0; i < N; ++i)
            m_v[i] = gxDoubleTrait::oneVal / m_v[i];
    }

    void negate() {
        for (int i = 0; i < N; ++i)
            m_v[i] = -m_v[i];
    }

    double dot(const V& v) const {
        double sum = m_v[0] * v.m_v[0];
        for (int i = 1; i < N; ++i)
            sum += m_v[i] * v.m_v[i];
        return sum;
    }

    double distSqr(const V& v) const {
        double d = m_v[0] - v.m_v[0];
        double sum = d * d;
        for (int i = 1; i < N; ++i) {
            d = m_v[i] - v.m_v[i];
            sum += d * d;
        }
        return sum;
    }

    double dist(const V& v) const { return gxDoubleTrait::sqrt(distSqr(v)); }

    double length() const { return gxDoubleTrait::sqrt(dot(self())); }

protected:
    gxVecBase() = default;

    V& self() { return static_cast<V&>(*this); }
    const V& self() const { return static_cast<const V&>(*this); }

    /// Divides every component by the length, without a test (IEEE for zero).
    void divideByLength() {
        const double len = length();
        for (int i = 0; i < N; ++i)
            m_v[i] /= len;
    }

    double m_v[N];
};

} // namespace geoframe::detail

#endif
