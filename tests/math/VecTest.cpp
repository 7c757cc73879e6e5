#include <geoframe/math/gxVec2.h>

#include "Text.h"
#include "math/RandomMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <utility>

namespace {

using namespace testmath;

template <class V>
class VecFamily : public ::testing::Test {};
using VecTypes = ::testing::Types<gxVec2, gxVec3, gxVec4>;
TYPED_TEST_SUITE(VecFamily, VecTypes);

TYPED_TEST(VecFamily, CompoundAndPlainOperatorsAgreeAndComparisonsAreExact) {
    using V = TypeParam;
    std::mt19937 rng(7);
    V a(V::INIT_NONE), b(V::INIT_NONE), one = V() + 1.0, three = V() + 3.0, nan = three;
    for (int i = 0; i < V::kSize; ++i)
        a[i] = Uniform(rng, -10, 10), b[i] = Uniform(rng, 0.5, 10);
    V c[8] = {a, a, a, a, a, a, a, a};
    const std::pair<const char*, bool> ops[] = {
        {"+= V", (c[0] += b) == a + b},     {"-= V", (c[1] -= b) == a - b},
        {"*= V", (c[2] *= b) == a * b},     {"/= V", (c[3] /= b) == a / b},
        {"+= s", (c[4] += 3.0) == a + 3.0}, {"-= s", (c[5] -= 3.0) == a - 3.0},
        {"*= s", (c[6] *= 3.0) == a * 3.0}, {"/= s", (c[7] /= 3.0) == a / 3.0}};
    for (const auto& [op, agrees] : ops)
        EXPECT_TRUE(agrees) << op;
    c[0] = a;
    c[0].invert(); // reciprocals, not the negation
    nan[0] = NAN;
    EXPECT_EQ(Values((c[0] * a).equal(one, 1e-15), nan == nan), "true false") << "invert, NaN ==";
    EXPECT_EQ(Values((three - 1.0)[0], (three / 10.0)[0]), "2 0.29999999999999999"); // not 3 * 0.1
    // The tolerance is inclusive; == is exact; NaN is near nothing; tolerance 0 is exact.
    EXPECT_EQ(Values(one.equal(one + 0.5, 0.5), one.equal(one + 0.5, 0.4999), one == one + 1e-15,
                     nan.equal(nan, 1.0), one.equal(one + 1e-15, 0.0)),
              "true false false false false");
}

TEST(Vec, Vec3NormalizeRefusesTooShortTooLongAndNaNTheOthersFollowIeee) {
    const double eps = 1.1920928955078125e-7;
    for (const gxVec3& r : {gxVec3(0, 0, 0), gxVec3(0, -eps, 0), gxVec3(1e200, 0, 0),
                            gxVec3(INFINITY, 0, 0), gxVec3(NAN, 1, 0)}) {
        gxVec3 v = r;
        EXPECT_FALSE(v.normalize()) << r[0] << ' ' << r[1];
        EXPECT_EQ(std::memcmp(&v, &r, sizeof v), 0) << r[0] << ' ' << r[1];
    }
    for (gxVec3 v : {gxVec3(std::nextafter(eps, 1.0), 0, 0), gxVec3(1e150, -1e150, 1)}) {
        EXPECT_TRUE(v.normalize()) << v[0];
        EXPECT_NEAR(v.length(), 1, 1e-15) << v[0];
    }
    gxVec3 v(3, 4, 0);
    gxVec4 z4;
    v.normalize(), z4.normalize(); // the last divides 0 by 0
    EXPECT_EQ(Values(v[0], v[1], v[2], std::isnan(z4[0])), Values(0.6, 0.8, 0.0, true));
}

TEST(Vec, CrossIsAliasSafeAndDirectionsGetPerpendicularAxes) {
    const gxVec3 a(1, -2, 0.5), b(3, 0.25, -1);
    gxVec3 c, u = a, w = b;
    gxVec4 v(1, 2, 3, 4);
    c.cross(a, b), u.cross(u, b), w.cross(a, w);
    v.cross(gxVec4(1, 0, 0, 0), gxVec4(0, 1, 0, 0)); // has no effect
    EXPECT_EQ(Values(u == c, w == c, c.dot(a), c.dot(b), v == gxVec4(1, 2, 3, 4)),
              "true true 0 0 true");
    EXPECT_EQ(gxVec2(5, 5).cross(gxVec2(1, 0), gxVec2(0, 1)), 1);
    // a, b, axis, angle: equal and opposite directions, and a nearly along x, get
    // an axis perpendicular to a.
    const gxVec3 dirs[][4] = {
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {90, 0, 0}},
        {{0, 0, 1}, {0, 0, -1}, {-1, 0, 0}, {180, 0, 0}},
        {{1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 0, 0}},
        {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {180, 0, 0}},
        {{0.6, 0.8, 0}, {0.8, 0.6, 0}, {0, 0, -0.28}, {16.260204708311957, 0, 0}},
        {{1, 1e-9, 0}, {-1, -1e-9, 0}, {1e-9, -1, 0}, {180, 0, 0}}};
    for (const auto& d : dirs) {
        gxVec3 axis = d[0]; // computed into one of its operands
        EXPECT_NEAR(axis.getAxisAngle(axis, d[1]), d[3][0], 1e-12);
        EXPECT_TRUE(axis.equal(d[2], 1e-15));
    }
    // Homogeneous distances reduce by w: (1, 2, 2) and (4, 6, 14); length() stays 4-D.
    const gxVec4 h(2, 4, 4, 2), g(-2, -3, -7, -0.5);
    EXPECT_EQ(Values(h.lengthHom(), h.length(), h.distHom(g * 4.0), h.distSqrHom(g),
                     gxVec4(1, 2, 3, 0).lengthHom()),
              Values(3, std::sqrt(40), 13, 169, INFINITY));
}

TEST(Vec, PointsTranslateDirectionsDoNotAndRowAndColumnFormsAgree) {
    std::mt19937 rng(41);
    for (int n = 0; n < 100; ++n) {
        gxMatrix4 a = AnyMatrix(rng), t;
        a.setCol(3, 0, 0, 0, 1); // affine: the 4-D row form agrees with the 3-D one
        (t = a).transpose();
        const gxVec3 v = UnitVec(rng) * 7.0;
        gxVec3 pt = v, dir = v;
        gxVec4 row(v[0], v[1], v[2], 1), col = row;
        pt.xformPt(pt, a), dir.xformVec(dir, a), row.xformPt(row, a); // in place
        col.xformPt(t, col); // column form by the transpose
        EXPECT_EQ(Values(row == gxVec4(pt[0], pt[1], pt[2], 1), col == row,
                         (pt - dir).equal(gxVec3(a[3][0], a[3][1], a[3][2]), 1e-13)),
                  "true true true")
            << n;
        gxVec2 tex[4]; // texture maps: column form by M = row form by its transpose
        for (bool persp : {false, true}) {
            tex[2 * persp].ApplyTextureMap(a, v, persp);
            tex[2 * persp + 1].ApplyTextureMap(v, t, persp);
        }
        EXPECT_EQ(Values(tex[0].equal(tex[1], 1e-12), tex[2].equal(tex[3], 1e-12)), "true true")
            << n;
    }
    gxMatrix4 m; // w = 1e-10 lies between the two thresholds: only the point-first order divides
    gxVec2 a, b;
    m.setRow(3, 0, 0, 0, 1e-10), m.setCol(3, 0, 0, 0, 1e-10);
    a.ApplyTextureMap(m, gxVec3(2, 3, 0), true), b.ApplyTextureMap(gxVec3(2, 3, 0), m, true);
    EXPECT_EQ(Values(a[0], a[1]), "2 3");
    EXPECT_TRUE(b.equal(gxVec2(2e10, 3e10), 1e-3));
}

} // namespace
