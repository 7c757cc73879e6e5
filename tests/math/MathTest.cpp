#include <geoframe/math/gxMatStack.h>
#include <geoframe/math/gxMatrix4.h>
#include <geoframe/math/gxQuat.h>
#include <geoframe/math/gxVec2.h>

#include "Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <utility>

// Every member compiles, also for a matrix type without a default constructor.
template class gxMatStack<gxMatrix4>;
struct ScratchOnly {
    enum InitState { INIT_NONE };
    explicit ScratchOnly(InitState) {}
};
template class gxMatStack<ScratchOnly>;

namespace {

using M4 = gxMatrix4;

// Random inputs, always from a seeded generator.
double Uniform(std::mt19937& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

gxVec3 UnitVec(std::mt19937& rng) {
    gxVec3 v;
    while (v.length() < 0.1 || !v.normalize())
        v.set(Uniform(rng, -1, 1), Uniform(rng, -1, 1), Uniform(rng, -1, 1));
    return v;
}

gxQuat UnitQuat(std::mt19937& rng) {
    gxQuat q;
    q.makeRot(Uniform(rng, -360, 360), UnitVec(rng));
    return q;
}

gxMatrix4 AnyMatrix(std::mt19937& rng) {
    gxMatrix4 m(gxMatrix4::INIT_NONE);
    for (int i = 0; i < 16; ++i)
        static_cast<double*>(m)[i] = Uniform(rng, -5, 5);
    return m;
}

// The quaternion times f (f = -1: the same rotation from the other side of the sphere).
gxQuat Scaled(const gxQuat& q, double f) {
    return gxQuat(q[0] * f, q[1] * f, q[2] * f, q[3] * f);
}

M4 Axis(double angle, M4::RotAxis axis) {
    M4 m;
    m.makeRot(angle, axis);
    return m;
}
bool SameBits(const M4& a, const M4& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

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

TEST(Quat, AxisIsUsedAsGivenAndZeroRotationHasAnAxis) {
    gxQuat q;
    q.makeRot(90, 0, 0, 2); // length is the sum of squares
    EXPECT_EQ(q.norm(), q.length());
    EXPECT_NEAR(q.norm(), 2.5, 1e-15);
    // w = +-1, or a hair above 1 from rounding: angle 0 about z, never NaN.
    for (const gxQuat& z : {gxQuat(), gxQuat(0, 0, 0, -1), gxQuat(0, 0, 0, 1 + 2e-16),
                            gxQuat(1e-17, 0, 0, std::nextafter(1.0, 2.0))}) {
        double a = -1, x = -1, y = -1, zz = -1;
        EXPECT_TRUE(z.getRot(a, x, y, zz)) << z[3];
        EXPECT_EQ(Values(a, x, y, zz), "0 0 0 1") << z[3];
    }
}

TEST(Quat, AngleAxisRoundTripProductsComposeAndRotateLikeMatrices) {
    std::mt19937 rng(22);
    for (int n = 0; n < 200; ++n) {
        const double angle = Uniform(rng, -360, 360), w = Uniform(rng, 0.5, 3);
        const gxVec3 axis = UnitVec(rng), v = UnitVec(rng) * 3.0;
        const gxQuat q = UnitQuat(rng);
        gxQuat p, hamilton, alias = q, again;
        gxMatrix4 rot, mq, mpq;
        double a;
        gxVec3 back;
        p.makeRot(angle, axis), p.getRot(a, back), again.makeRot(a, back);
        rot.makeRot(angle, axis), mq.makeQuat(q), mpq.makeQuat(p * q), hamilton.mult(q, p);
        gxQuat c = p, inv = Scaled(p, 3.0); // inv: non-unit
        alias.mult(alias, p), inv.invert(); // an operand may be the result
        // Round trip, angle in [0, 360]; p * q, in place, aliased, undone; inverse; matrices.
        EXPECT_EQ(Values(again.equal(p, 1e-12), std::clamp(a, 0.0, 360.0) == a), "true true") << n;
        const bool times = (c *= q) == hamilton, by = (c /= q) == (p * q) / q;
        EXPECT_EQ(Values(p * q == hamilton, times, alias == hamilton, ((p * q) / q).equal(p, 1e-14),
                         by, (inv * Scaled(p, 3.0)).equal(gxQuat(), 1e-14),
                         mpq.equal(rot * mq, 1e-14)),
                  "true true true true true true true")
            << n;

        gxVec3 byP, byMat, byPq, stepwise; // rotating by p * q is p, then q
        byP.xformVec(v, p), byMat.xformVec(v, rot), byPq.xformVec(v, p * q);
        stepwise.xformVec(byP, q);
        EXPECT_EQ(Values(byP.equal(byMat, 1e-13), byPq.equal(stepwise, 1e-13)), "true true") << n;
        gxVec4 h(v[0] * w, v[1] * w, v[2] * w, w); // rotates its reduced point, keeps w
        h.xformVec(h, p);
        EXPECT_TRUE(h.equal(gxVec4(byP[0] * w, byP[1] * w, byP[2] * w, w), 1e-12));
    }
}

TEST(Quat, InterpolationTakesTheShortArcAndHitsTheEnds) {
    std::mt19937 rng(23);
    for (int n = 0; n < 200; ++n) {
        const gxQuat a = UnitQuat(rng), b = UnitQuat(rng);
        const double d = a.dot(b), whole = std::acos(std::fabs(d)), t = Uniform(rng, 0, 1);
        const gxQuat far = d < 0 ? Scaled(b, -1) : b; // the end actually reached
        gxQuat r0, r1, r = a;
        r0.slerp(0, a, b), r1.slerp(1, a, b), r.slerp(t, r, b); // the result may be an operand
        EXPECT_EQ(Values(r0.equal(a, 1e-14), r1.equal(far, 1e-14)), "true true") << n;
        if (std::fabs(d) < 0.99) { // constant angular speed along the arc
            EXPECT_NEAR(std::acos(std::min(1.0, r.dot(a))), t * whole, 1e-9);
            EXPECT_NEAR(std::acos(std::min(1.0, r.dot(far))), (1 - t) * whole, 1e-9);
        }
    }
    // With a . b above 0.99 slerp is the normalised lerp; lerp toward -a takes the
    // short arc and stays at a.
    gxQuat a, b, l, s, h;
    a.makeRot(10, 0, 0, 1), b.makeRot(12, 0, 0, 1);
    l.lerp(0.3, a, b), s.slerp(0.3, a, b), h.lerp(0.5, a, Scaled(a, -1));
    EXPECT_EQ(Values(l.equal(s, 1e-15), h.equal(a, 1e-15)), "true true");
}

TEST(Quat, LogExpAndSquadIdentities) {
    std::mt19937 rng(24);
    // -1, the identity, then unit and non-unit quaternions in turn.
    for (int n = 0; n < 100; ++n) {
        const gxQuat q =
            n > 1 ? Scaled(UnitQuat(rng), n % 2 ? 1 : 2.5) : gxQuat(0, 0, 0, n ? 1 : -1);
        gxQuat l = q, e;
        l.log(), e = l, e.exp();
        // Pure for unit ones.
        EXPECT_EQ(std::fabs(l[3]) < 1e-15, n % 2 == 1 || n == 0) << n;
        EXPECT_TRUE(e.equal(q, 1e-13)) << n;
    }
    // Squad reaches its keys, with a continuous tangent across key 2.
    gxQuat k[4], tan[4];
    for (int i = 0; i < 4; ++i) { // consecutive keys on one side of the sphere
        k[i] = UnitQuat(rng);
        tan[i] = k[i] = i && k[i - 1].dot(k[i]) < 0 ? Scaled(k[i], -1) : k[i];
    }
    for (int i = 1; i < 3; ++i)
        tan[i].meanTangent(k[i - 1], k[i], k[i + 1]);
    auto at = [&](int seg, double t) {
        gxQuat r;
        r.squad(t, k[seg], k[seg + 1], tan[seg], tan[seg + 1]);
        return r;
    };
    EXPECT_EQ(Values(at(1, 0).equal(k[1], 1e-14), at(1, 1).equal(k[2], 1e-14)), "true true");
    const double h = 1e-6;
    const gxVec4 before = (at(1, 1) - at(1, 1 - h)) / h, after = (at(2, h) - at(2, 0)) / h;
    EXPECT_EQ(Values(at(1, 1).equal(at(2, 0), 1e-14), before.equal(after, 1e-5)), "true true");
}

TEST(Matrix, PreAndPostMembersComposeOnEitherSide) {
    static_assert(std::is_trivially_copyable_v<M4> && sizeof(M4) == 16 * sizeof(double));
    std::mt19937 rng(31);
    const M4 m = AnyMatrix(rng);
    const gxQuat q(0.1, -0.5, 0.3, 0.8);
    const gxVec3 scale(2, -3, 0.5), hpr(30, 20, 10);
    const M4::RotAxis y = M4::AXIS_Y;
    M4 t, pre = m, post = m;
    auto check = [&](const char* what) { // pre: M = T * M, post: M = M * T
        EXPECT_EQ(Values(pre.equal(t * m, 1e-13), post.equal(m * t, 1e-13)), "true true") << what;
        pre = post = m;
    };
    t.makeTrans(1, -2, 3), pre.preTrans(gxVec3(1, -2, 3)), post.postTrans(1, -2, 3), check("t");
    t.makeRot(-70, y), pre.preRot(-70, y), post.postRot(-70, y), check("r");
    t.makeQuat(q), pre.preQuat(q), post.postQuat(q[0], q[1], q[2], q[3]), check("q");
    t.makeScale(2, -3, 0.5), pre.preScale(2, -3, 0.5), post.postScale(scale), check("s");
    t.makeEuler(30, 20, 10), pre.preEuler(30, 20, 10), post.postEuler(hpr), check("e");
    EXPECT_TRUE(t.equal(Axis(10, M4::AXIS_Y) * Axis(20, M4::AXIS_X) * Axis(30, M4::AXIS_Z), 1e-15));
    // Axis values outside 0 .. 2 change nothing; makeQuat keeps row 3 and column 3.
    t = m;
    t.makeRot(30, M4::RotAxis(3)), t.preRot(30, M4::RotAxis(-1)), t.postRot(30, M4::RotAxis(99));
    EXPECT_TRUE(SameBits(t, m));
    t.makeQuat(q);
    EXPECT_EQ(Values(t[3][1], t[2][3]), Values(m[3][1], m[2][3]));
    t = m; // products are formed before they are stored
    t.preMult(t);
    const bool preMult = t == m * m, inPlace = (t = m, t *= t) == m * m;
    EXPECT_EQ(
        Values(preMult, inPlace, ((m + m) - m) == m, m * 4.0 / 4.0 == m, &m[3][1] == &m[0][0] + 13),
        "true true true true true");
}

TEST(Matrix, InverseTimesMatrixIsIdentityAndFailureTouchesNothing) {
    std::mt19937 rng(32);
    for (int n = 0; n < 1000; ++n) {
        const M4 a = AnyMatrix(rng), b = AnyMatrix(rng);
        M4 inv = a, c = a;
        ASSERT_TRUE(inv.invert());
        EXPECT_EQ(Values((inv * a).equal(M4(), 1e-9), (a * inv).equal(M4(), 1e-9),
                         ((a / b) * b).equal(a, 1e-8), SameBits(c /= b, a / b)),
                  "true true true true")
            << n;
    }
    M4 perm(0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1), pt = perm; // needs row exchanges
    pt.transpose();
    ASSERT_TRUE(perm.invert());
    EXPECT_TRUE(perm == pt);

    const double nan = std::nan(""), big = 1e308;
    // Refused: a zero first column, a zero row found late, not a number, an
    // inverse that overflows, an elimination that does.
    const M4 refused[] = {M4(0, 1, 2, 3, 0, 5, 6, 7, 0, 9, 1, 1, 0, 3, 4, 5),
                          M4(1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 9, 1, 2, 3),
                          M4(1, 0, 0, 0, 0, nan, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1),
                          M4(1e-310, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1),
                          M4(big, big, 0, 0, big, -big, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1)};
    for (const M4& m : refused) {
        M4 copy = m;
        const M4 q = perm / m;
        const bool inverted = copy.invert();
        EXPECT_EQ(Values(inverted, SameBits(copy, m), std::isnan(q[0][0]), std::isnan(q[3][3])),
                  "false true true true")
            << "refused[" << &m - refused << "]: inverted, untouched, NaN quotient";
    }
}

TEST(Matrix, DecompositionsInvertTheirConstructions) {
    std::mt19937 rng(33);
    for (int n = 0; n < 300; ++n) {
        // Every tenth angle is a half turn, where the axis comes from the symmetric part.
        const double angle = n % 10 ? Uniform(rng, 1e-3, 180) : 180, h = Uniform(rng, -179, 179),
                     p = Uniform(rng, -89, 89), r = Uniform(rng, -179, 179);
        const gxQuat q = UnitQuat(rng);
        const gxVec3 scale(Uniform(rng, -5, 5), Uniform(rng, 0.1, 5), Uniform(rng, -5, -0.1));
        M4 m, again;
        gxQuat back;
        double a;
        gxVec3 axis, hpr, xyz;
        m.makeQuat(q), m.getQuat(back);
        EXPECT_TRUE(back.equal(q, 1e-12) || Scaled(back, -1).equal(q, 1e-12));
        m.makeRot(angle, UnitVec(rng)), m.getRot(a, axis), again.makeRot(a, axis);
        EXPECT_TRUE(again.equal(m, 1e-9)) << n;
        EXPECT_NEAR(a, angle, 1e-6) << n;
        m.makeCoord(gxVec3(r, p, h), gxVec3(h, p, r));
        const bool got = m.getCoord(xyz, hpr);
        EXPECT_EQ(Values(got, xyz == gxVec3(r, p, h), hpr.equal(gxVec3(h, p, r), 1e-9)),
                  "true true true")
            << n;
        m.postScale(scale), m.getScale(xyz);
        EXPECT_TRUE(xyz.equal(gxVec3(std::fabs(scale[0]), scale[1], -scale[2]), 1e-12));
    }
    // Degenerate rotations and scales give clean answers rather than NaN.
    double a0, a180;
    gxVec3 x0, x180, s, hpr, sheared;
    M4 half, flat, over = Axis(90, M4::AXIS_X);
    M4(1 + 1e-15, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1).getRot(a0, x0); // trace above 3
    half.makeQuat(0, 0, 1, 0), half.getRot(a180, x180); // no antisymmetric part
    EXPECT_EQ(Values(a0, x0[0], x0[1], x0[2], a180, std::fabs(x180[2])), "0 0 0 1 180 1");
    // A zero scale factor leaves the others intact; pitch a rounding step past 90.
    flat.makeRot(40, 0.6, 0.8, 0), flat.postScale(0, 2, 3), flat.getScale(s);
    over[1][2] = std::nextafter(1.0, 2.0), over.getEuler(hpr);
    M4(1, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1).getScale(sheared); // the shear is removed
    EXPECT_EQ(Values(s.equal(gxVec3(0, 2, 3), 1e-12), hpr[1],
                     sheared.equal(gxVec3(std::sqrt(2), std::sqrt(0.5), 1), 1e-15)),
              "true 90 true");
}

TEST(Matrix, CameraMatricesMapTheirVolumeCorners) {
    auto project = [](const M4& m, gxVec4 p) { // p * M, divided by w
        p.xformPt(p, m);
        return gxVec3(p[0] / p[3], p[1] / p[3], p[2] / p[3]);
    };
    const double l = -2, r = 3, b = -1, t = 4, n = 0.5, f = 20;
    M4 ortho, frustum, persp, view;
    ortho.makeOrtho(l, r, b, t, n, f), frustum.makeFrustum(l, r, b, t, n, f);
    for (int c = 0; c < 8; ++c) { // near corners go to z = -1, far ones to +1
        const gxVec3 unit(c & 1 ? 1 : -1, c & 2 ? 1 : -1, c & 4 ? 1 : -1);
        const double x = c & 1 ? r : l, y = c & 2 ? t : b, d = c & 4 ? f : n;
        EXPECT_TRUE(project(ortho, gxVec4(x, y, -d, 1)).equal(unit, 1e-14));
        EXPECT_TRUE(project(frustum, gxVec4(x * d / n, y * d / n, -d, 1)).equal(unit, 1e-13));
    }
    persp.makePerspective(90, 1, 1, 100), frustum.makeFrustum(-1, 1, -1, 1, 1, 100);
    view.makeViewport(10, 20, 640, 480);
    EXPECT_TRUE(persp.equal(frustum, 1e-15));
    EXPECT_TRUE(project(view, gxVec4(-1, -1, 0.5, 1)).equal(gxVec3(10, 20, 0.5), 1e-12));
    EXPECT_TRUE(project(view, gxVec4(1, 1, 0, 1)).equal(gxVec3(650, 500, 0), 1e-12));
}

TEST(Matrix, VecRotVecTurnsOneDirectionIntoTheOther) {
    // A rotation (rows r0 x r1 = r2, not a reflection) that takes a onto b: "" or what broke.
    auto turns = [](const gxVec3& a, const gxVec3& b) {
        M4 m, same;
        gxVec3 to, r0, r1, r2;
        m.makeVecRotVec(a, b), same.makeVecRotVec(a, a), to.xformVec(a, m);
        m.getRow(0, r0), m.getRow(1, r1), m.getRow(2, r2);
        r0.cross(r0, r1);
        return std::string(to.equal(b, 1e-12) ? "" : " misses b") +
               (r0.equal(r2, 1e-12) ? "" : " reflects") + (same == M4() ? "" : " a to a moves");
    };
    std::mt19937 rng(34);
    for (int n = 0; n < 200; ++n) { // every tenth pair opposite: a half turn
        const gxVec3 a = UnitVec(rng);
        EXPECT_EQ(turns(a, n % 10 ? UnitVec(rng) : a * -1.0), "") << n;
    }
    // Nearly along an axis, and nearly equal or opposite, where a x b is too short
    // to normalise.
    gxVec3 tilted(1, 1e-9, 0), near(1, 2e-9, 1e-10), far(-1, 1e-10, 3e-9);
    tilted.normalize(), near.normalize(), far.normalize();
    const gxVec3 pairs[][2] = {{tilted, tilted * -1.0},
                               {tilted, near},
                               {tilted, far},
                               {gxVec3(0, 0, 1), gxVec3(1e-9, 0, -1)}};
    for (const auto& p : pairs)
        EXPECT_EQ(turns(p[0], p[1]) + " |" + turns(p[1], p[0]), " |") << p[1][0] << " " << p[1][2];
}

TEST(MatStack, DepthIsClampedPushCopiesTheTopAndCopiesOwnTheirMatrices) {
    for (auto [asked, got] : {std::pair{1, 1}, {-7, 1}, {128, 128}, {129, 128}, {5, 5}}) {
        gxMatStack<M4> s(asked);
        ASSERT_EQ(s.getMaxDepth(), got);
        EXPECT_FALSE(s.pop());
        for (int i = 1; i < got; ++i)
            EXPECT_TRUE(s.push());
        EXPECT_FALSE(s.push());
        EXPECT_EQ(s.getCurDepth(), got - 1);
    }
    gxMatStack<M4> s(4), copy;
    const bool identity = *s == M4();
    s->postScale(2, 2, 2);
    const M4 bottom = *s;
    ASSERT_TRUE(s.push());
    const bool copied = *s == bottom;
    s->postTrans(1, 2, 3);
    const M4 moved = *s;
    copy = s; // has matrices of its own
    copy->makeScale(5, 5, 5);
    EXPECT_EQ(Values(identity, copied, *s == moved, copy.getMaxDepth(), copy.getCurDepth()),
              "true true true 4 1");
    ASSERT_TRUE(s.pop());
    EXPECT_EQ(Values(*s == bottom, s.getCurDepth()), "true 0");
    s.push(), s->makeIdent(), s.reset();
    EXPECT_EQ(Values(*s == bottom, s.getCurDepth()), "true 0");
}

} // namespace
