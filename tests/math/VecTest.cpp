#include <geoframe/math/gxVec2.h>

#include "math/RandomMath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

using namespace testmath;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

template <class V>
class VecFamily : public ::testing::Test {};
using VecTypes = ::testing::Types<gxVec2, gxVec3, gxVec4>;
TYPED_TEST_SUITE(VecFamily, VecTypes);

TYPED_TEST(VecFamily, OperatorsAgreeAndKeepOperandOrder) {
    using V = TypeParam;
    std::mt19937 rng(7);
    for (int n = 0; n < 100; ++n) {
        V a(V::INIT_NONE), b(V::INIT_NONE);
        for (int i = 0; i < V::kSize; ++i)
            a[i] = Uniform(rng, -10, 10), b[i] = Uniform(rng, -10, 10);
        const double s = Uniform(rng, 0.5, 4.0);
        V c[8] = {a, a, a, a, a, a, a, a};
        EXPECT_TRUE((c[0] += b) == a + b && (c[1] -= b) == a - b && (c[2] *= b) == a * b &&
                    (c[3] /= b) == a / b && (c[4] += s) == a + s && (c[5] -= s) == a - s &&
                    (c[6] *= s) == a * s && (c[7] /= s) == a / s);
        c[0] = c[1] = c[2] = a;
        c[0].combine(s, c[0], -2.0, b); // an operand may be the result
        c[1].negate();
        c[2].invert();
        EXPECT_TRUE(c[0] == a * s + b * -2.0 && c[1] == a * -1.0 && (c[2] * a).equal(b / b, 1e-15));
        EXPECT_EQ(a.dist(b), (a - b).length());
    }
    V three = V() + 3.0, nan = three, one = V() + 1.0, oneHalf = one + 0.5;
    nan[0] = kNaN;
    EXPECT_TRUE((three - 1.0)[0] == 2 && (three / 10.0)[0] == 0.3); // 3 * (1 / 10) is not 0.3
    EXPECT_TRUE(one.equal(oneHalf, 0.5) && !one.equal(oneHalf, 0.4999) && !(nan == nan));
    EXPECT_FALSE(one == one + 1e-15 || nan.equal(nan, 1.0) || one.equal(one + 1e-15, 0.0));
}

TEST(Vec3Normalize, RefusesTooShortTooLongAndNaN) {
    const double eps = 1.1920928955078125e-7;
    for (const gxVec3& r : {gxVec3(0, 0, 0), gxVec3(eps, 0, 0), gxVec3(0, -eps, 0),
                            gxVec3(1e200, 0, 0), gxVec3(kInf, 0, 0), gxVec3(kNaN, 1, 0)}) {
        gxVec3 v = r;
        EXPECT_TRUE(!v.normalize() && std::memcmp(&v, &r, sizeof v) == 0);
    }
    for (gxVec3 v : {gxVec3(std::nextafter(eps, 1.0), 0, 0), gxVec3(1e150, -1e150, 1)})
        EXPECT_TRUE(v.normalize() && std::fabs(v.length() - 1) < 1e-15);
    gxVec3 v(3, 4, 0);
    gxVec2 v2(3, 4);
    gxVec4 z4;
    v.normalize(), v2.normalize(), z4.normalize(); // the last divides 0 by 0
    EXPECT_TRUE(v == gxVec3(0.6, 0.8, 0.0) && v2 == gxVec2(0.6, 0.8) && std::isnan(z4[0]));
}

TEST(VecProducts, CrossIsAliasSafeAndDirectionsGetPerpendicularAxes) {
    const gxVec3 a(1, -2, 0.5), b(3, 0.25, -1);
    gxVec3 c, u = a, w = b;
    c.cross(a, b);
    u.cross(u, b);
    w.cross(a, w);
    EXPECT_TRUE(u == c && w == c && c.dot(a) == 0 && c.dot(b) == 0);
    gxVec4 v(1, 2, 3, 4);
    v.cross(gxVec4(1, 0, 0, 0), gxVec4(0, 1, 0, 0));
    EXPECT_TRUE(v == gxVec4(1, 2, 3, 4) && gxVec2(5, 5).cross(gxVec2(1, 0), gxVec2(0, 1)) == 1);

    struct Case {
        gxVec3 a, b;
        double angle;
        gxVec3 axis;
    } const cases[] = {{{1, 0, 0}, {0, 1, 0}, 90, {0, 0, 1}},
                       {{0, 0, 1}, {0, 0, -1}, 180, {-1, 0, 0}},
                       {{1, 0, 0}, {1, 0, 0}, 0, {0, -1, 0}},
                       {{-1, 0, 0}, {1, 0, 0}, 180, {0, -1, 0}},
                       {{0.6, 0.8, 0}, {0.8, 0.6, 0}, 16.260204708311957, {0, 0, -0.28}}};
    for (const Case& t : cases) {
        gxVec3 axis = t.a; // computed into one of its operands
        EXPECT_NEAR(axis.getAxisAngle(axis, t.b), t.angle, 1e-12);
        EXPECT_TRUE(axis.equal(t.axis, 1e-15));
    }
}

TEST(Vec4Homogeneous, DistancesDivideByW) {
    const gxVec4 a(2, 4, 4, 2), b(-2, -3, -7, -0.5); // (1, 2, 2) and (4, 6, 14)
    EXPECT_TRUE(a.lengthHom() == 3 && a.length() == std::sqrt(40) && a.distHom(b * 4.0) == 13);
    EXPECT_TRUE(a.distSqrHom(b) == 169 && gxVec4(1, 2, 3, 0).lengthHom() == kInf);
}

} // namespace
