#include <geoframe/math/gxMatStack.h>

#include "Text.h"
#include "math/RandomMath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// Every member compiles, also for a matrix type without a default constructor.
template class gxMatStack<gxMatrix4>;
struct ScratchOnly {
    enum InitState { INIT_NONE };
    explicit ScratchOnly(InitState) {}
};
template class gxMatStack<ScratchOnly>;

namespace {

using namespace testmath;
using M4 = gxMatrix4;

M4 Axis(double angle, M4::RotAxis axis) {
    M4 m;
    m.makeRot(angle, axis);
    return m;
}
bool SameBits(const M4& a, const M4& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
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
