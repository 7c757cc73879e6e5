#include <geoframe/math/gxVec2.h>
#include <geoframe/math/gxVec3.h>
#include <geoframe/math/gxVec4.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <type_traits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const double kPi = 3.141592653589793;

template <class V>
V Make(std::mt19937& rng, double lo = -10.0, double hi = 10.0) {
    std::uniform_real_distribution<double> d(lo, hi);
    V v(V::INIT_NONE);
    for (int i = 0; i < V::kSize; ++i)
        v[i] = d(rng);
    return v;
}

template <class V>
class VecFamily : public ::testing::Test {};
using VecTypes = ::testing::Types<gxVec2, gxVec3, gxVec4>;
TYPED_TEST_SUITE(VecFamily, VecTypes);

TYPED_TEST(VecFamily, IsExactlyItsComponentArray) {
    using V = TypeParam;
    static_assert(std::is_trivially_copyable_v<V> && std::is_standard_layout_v<V>);
    static_assert(sizeof(V) == V::kSize * sizeof(double));
    const double src[4] = {1.5, -2.5, 3.5, -4.5};
    V v(src);
    double* p = v;
    EXPECT_EQ(p, &v[0]);
    for (int i = 0; i < V::kSize; ++i) {
        EXPECT_EQ(v[i], src[i]);
        EXPECT_EQ(reinterpret_cast<double*>(&v) + i, &v[i]);
    }
    V zero;
    for (int i = 0; i < V::kSize; ++i)
        EXPECT_EQ(zero[i], 0.0);
    v.makeIdent();
    EXPECT_TRUE(v == zero);
}

TYPED_TEST(VecFamily, OperatorsAgreeWithEachOtherAndKeepOperandOrder) {
    using V = TypeParam;
    std::mt19937 rng(7);
    for (int n = 0; n < 200; ++n) {
        const V a = Make<V>(rng), b = Make<V>(rng);
        const double s = std::uniform_real_distribution<double>(0.5, 4.0)(rng);
        V c = a;
        EXPECT_TRUE((c += b) == a + b);
        c = a;
        EXPECT_TRUE((c -= b) == a - b);
        c = a;
        EXPECT_TRUE((c *= b) == a * b);
        c = a;
        EXPECT_TRUE((c /= b) == a / b);
        c = a;
        EXPECT_TRUE((c += s) == a + s);
        c = a;
        EXPECT_TRUE((c -= s) == a - s);
        c = a;
        EXPECT_TRUE((c *= s) == a * s);
        c = a;
        EXPECT_TRUE((c /= s) == a / s);

        V comb(V::INIT_NONE);
        comb.combine(s, a, -2.0, b);
        EXPECT_TRUE(comb == a * s + b * -2.0);
        comb = a; // combine into one of its own operands
        comb.combine(s, comb, 1.0, b);
        EXPECT_TRUE(comb == a * s + b);

        V neg = a;
        neg.negate();
        EXPECT_TRUE(neg == a * -1.0);
        EXPECT_EQ(a.dist(b), (a - b).length());
        EXPECT_NEAR(a.distSqr(b), a.dist(b) * a.dist(b), 1e-12 * a.distSqr(b));
        EXPECT_NEAR(a.dot(a), a.length() * a.length(), 1e-12 * a.dot(a));
        EXPECT_EQ(a.dot(b), b.dot(a));
    }
    // c - s and c / s, never s - c or c * (1 / s): 3 / 10 differs from 3 * 0.1.
    V three;
    for (int i = 0; i < V::kSize; ++i)
        three[i] = 3.0;
    EXPECT_EQ((three - 1.0)[0], 2.0);
    EXPECT_EQ((three / 10.0)[V::kSize - 1], 0.3);
    EXPECT_NE((three / 10.0)[0], 3.0 * (1.0 / 10.0));
}

TYPED_TEST(VecFamily, InvertIsReciprocalAndZeroFollowsIeee) {
    using V = TypeParam;
    const double src[4] = {2.0, 4.0, 0.5, -8.0};
    V v(src);
    v.invert();
    for (int i = 0; i < V::kSize; ++i)
        EXPECT_EQ(v[i], 1.0 / src[i]);
    v.invert();
    EXPECT_TRUE(v == V(src));
    V z;
    z.invert();
    EXPECT_EQ(z[0], kInf);
}

TYPED_TEST(VecFamily, ExactAndTolerantComparison) {
    using V = TypeParam;
    std::mt19937 rng(11);
    const V a = Make<V>(rng);
    V b = a;
    b[V::kSize - 1] = std::nextafter(a[V::kSize - 1], kInf);
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(a.equal(b, 0.0));
    EXPECT_TRUE(a.equal(b, 1e-12));
    EXPECT_TRUE(a.equal(a, 0.0));
    // The tolerance bounds are inclusive.
    V one, other;
    one[0] = 1.0;
    other[0] = 1.5;
    EXPECT_TRUE(one.equal(other, 0.5));
    EXPECT_TRUE(other.equal(one, 0.5));
    EXPECT_FALSE(one.equal(other, 0.4999));
    b = a;
    b[0] = kNaN;
    EXPECT_FALSE(b == b);
    EXPECT_FALSE(b.equal(b, 1.0));
}

TEST(Vec3Normalize, RefusesTooShortTooLongAndNaN) {
    struct Case {
        gxVec3 v;
        bool ok;
    };
    const double eps = 1.1920928955078125e-7;
    const Case cases[] = {
        {{0, 0, 0}, false},
        {{eps, 0, 0}, false},
        {{0, -eps, 0}, false},
        {{std::nextafter(eps, 1.0), 0, 0}, true},
        {{1e200, 1e200, 0}, false},
        {{kInf, 0, 0}, false},
        {{kNaN, 1, 0}, false},
        {{3, 4, 0}, true},
        {{1e150, -1e150, 1e150}, true},
    };
    for (const Case& c : cases) {
        gxVec3 v = c.v;
        EXPECT_EQ(v.normalize(), c.ok) << c.v[0];
        if (c.ok)
            EXPECT_NEAR(v.length(), 1.0, 1e-15);
        else
            EXPECT_EQ(std::memcmp(&v, &c.v, sizeof v), 0);
    }
    gxVec3 v(3, 4, 0);
    v.normalize();
    EXPECT_TRUE(v == gxVec3(0.6, 0.8, 0.0));

    gxVec4 z4;
    z4.normalize(); // divides without a test
    EXPECT_TRUE(std::isnan(z4[0]));
    gxVec2 v2(3, 4);
    v2.normalize();
    EXPECT_TRUE(v2 == gxVec2(0.6, 0.8));
}

TEST(VecCross, PerpendicularAliasSafeAndFamilyDifferences) {
    std::mt19937 rng(3);
    for (int n = 0; n < 100; ++n) {
        const gxVec3 a = Make<gxVec3>(rng), b = Make<gxVec3>(rng);
        gxVec3 c(gxVec3::INIT_NONE);
        c.cross(a, b);
        EXPECT_NEAR(c.dot(a), 0.0, 1e-12);
        EXPECT_NEAR(c.dot(b), 0.0, 1e-12);
        gxVec3 u = a, w = b;
        u.cross(u, b);
        w.cross(a, w);
        EXPECT_TRUE(u == c);
        EXPECT_TRUE(w == c);
        // The 2-D cross is the z of the 3-D one.
        gxVec3 a0(a[0], a[1], 0), b0(b[0], b[1], 0), c0(gxVec3::INIT_NONE);
        c0.cross(a0, b0);
        EXPECT_EQ(gxVec2(9, 9).cross(gxVec2(a[0], a[1]), gxVec2(b[0], b[1])), c0[2]);
    }
    EXPECT_EQ(gxVec2(5, 5).cross(gxVec2(1, 0), gxVec2(0, 1)), 1.0);
    gxVec4 v(1, 2, 3, 4);
    v.cross(gxVec4(1, 0, 0, 0), gxVec4(0, 1, 0, 0));
    EXPECT_TRUE(v == gxVec4(1, 2, 3, 4));
}

TEST(Vec3AxisAngle, DegenerateDirectionsGetPerpendicularAxes) {
    struct Case {
        gxVec3 a, b;
        double angle;
        gxVec3 axis;
    };
    const Case cases[] = {
        {{1, 0, 0}, {0, 1, 0}, 90, {0, 0, 1}},
        {{0, 0, 1}, {0, 0, -1}, 180, {-1, 0, 0}},
        {{1, 0, 0}, {1, 0, 0}, 0, {0, -1, 0}},
        {{-1, 0, 0}, {1, 0, 0}, 180, {0, -1, 0}},
    };
    for (const Case& c : cases) {
        gxVec3 axis(7, 7, 7);
        EXPECT_EQ(axis.getAxisAngle(c.a, c.b), c.angle);
        EXPECT_TRUE(axis.equal(c.axis, 1e-15));
    }
    // Random unit directions: the angle is the arc between them, the axis their
    // normal of length sin(angle), also when the axis is computed into a or b.
    std::mt19937 rng(5);
    for (int n = 0; n < 100; ++n) {
        gxVec3 a = Make<gxVec3>(rng), b = Make<gxVec3>(rng);
        a.normalize();
        b.normalize();
        gxVec3 axis = a;
        const double angle = axis.getAxisAngle(axis, b);
        EXPECT_NEAR(std::cos(angle * kPi / 180.0), a.dot(b), 1e-12);
        EXPECT_NEAR(axis.length(), std::sin(angle * kPi / 180.0), 1e-12);
        EXPECT_NEAR(axis.dot(a), 0.0, 1e-12);
        EXPECT_NEAR(axis.dot(b), 0.0, 1e-12);
    }
}

TEST(Vec4Homogeneous, DistancesIgnoreTheScaleOfEachPoint) {
    const gxVec4 v(2, 4, 4, 2);
    EXPECT_EQ(v.lengthHom(), 3.0);
    EXPECT_EQ(v.length(), std::sqrt(40.0));
    std::mt19937 rng(9);
    for (int n = 0; n < 50; ++n) {
        gxVec4 a = Make<gxVec4>(rng, 0.5, 5.0), b = Make<gxVec4>(rng, 0.5, 5.0);
        const double d = a.distHom(b);
        EXPECT_NEAR(d * d, a.distSqrHom(b), 1e-12 * d * d);
        EXPECT_NEAR((a * -3.0).distHom(b * 0.25), d, 1e-12 * d);
        EXPECT_NEAR(a.distHom(b), b.distHom(a), 1e-12 * d);
    }
    EXPECT_EQ(gxVec4(1, 2, 3, 0).lengthHom(), kInf);
}

} // namespace
