#include <geoframe/math/gxMatrix4.h>

#include "math/RandomMath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

using namespace testmath;
using M4 = gxMatrix4;
using Edit = std::function<void(M4&)>;

M4 Made(const Edit& edit) {
    M4 m;
    edit(m);
    return m;
}
M4 Axis(double angle, M4::RotAxis axis) {
    return Made([&](M4& m) { m.makeRot(angle, axis); });
}
bool SameBits(const M4& a, const M4& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(Matrix, RowMajorStorageAndPartialRowsAndColumns) {
    static_assert(std::is_trivially_copyable_v<M4> && sizeof(M4) == 16 * sizeof(double));
    double e[16];
    for (int i = 0; i < 16; ++i)
        e[i] = i;
    M4 m(e);
    for (int i = 0; i < 16; ++i)
        EXPECT_TRUE(m[i / 4][i % 4] == i && static_cast<double*>(m)[i] == i);
    m.setRow(1, 50, 60, 70);
    m.setCol(2, gxVec3(-1, -2, -3));
    gxVec4 row, col;
    m.getRow(1, row);
    m.getCol(2, col);
    EXPECT_TRUE(row == gxVec4(50, 60, -2, 7) && col == gxVec4(-1, -2, -3, 14));
}

TEST(Matrix, PreAndPostMembersComposeOnEitherSide) {
    const gxQuat q(0.1, -0.5, 0.3, 0.8);
    const M4::RotAxis y = M4::AXIS_Y;
    struct Family {
        Edit make, pre, post; // pre: M = T * M, post: M = M * T
    } const families[] = {
        {[](M4& m) { m.makeTrans(1, -2, 3); }, [](M4& m) { m.preTrans(gxVec3(1, -2, 3)); },
         [](M4& m) { m.postTrans(1, -2, 3); }},
        {[](M4& m) { m.makeRot(33, 0.6, 0, 0.8); },
         [](M4& m) { m.preRot(33, gxVec3(0.6, 0, 0.8)); },
         [](M4& m) { m.postRot(33, 0.6, 0, 0.8); }},
        {[&](M4& m) { m.makeRot(-70, y); }, [&](M4& m) { m.preRot(-70, y); },
         [&](M4& m) { m.postRot(-70, y); }},
        {[&](M4& m) { m.makeQuat(q); }, [&](M4& m) { m.preQuat(q); },
         [&](M4& m) { m.postQuat(q[0], q[1], q[2], q[3]); }},
        {[](M4& m) { m.makeScale(2, -3, 0.5); }, [](M4& m) { m.preScale(2, -3, 0.5); },
         [](M4& m) { m.postScale(gxVec3(2, -3, 0.5)); }},
    };
    std::mt19937 rng(31);
    for (const Family& f : families) {
        const M4 t = Made(f.make), m = AnyMatrix(rng);
        M4 pre = m, post = m;
        f.pre(pre);
        f.post(post);
        EXPECT_TRUE(pre.equal(t * m, 1e-13) && post.equal(m * t, 1e-13));
    }
    M4 m = Made([](M4& m) { m.makeTrans(1, 2, 3); });
    m.postScale(2, 2, 2); // scales the translation too
    EXPECT_TRUE(m == M4(2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 2, 4, 6, 1));
    EXPECT_TRUE(
        Made([](M4& m) {
            m.makeEuler(30, 20, 10);
        }).equal(Axis(10, M4::AXIS_Y) * Axis(20, M4::AXIS_X) * Axis(30, M4::AXIS_Z), 1e-15));
    // Axis values outside 0 .. 2 change nothing; makeQuat keeps row 3 and column 3.
    const M4 before = AnyMatrix(rng);
    m = before;
    m.makeRot(30, static_cast<M4::RotAxis>(3));
    m.preRot(30, static_cast<M4::RotAxis>(-1));
    m.postRot(30, static_cast<M4::RotAxis>(99));
    EXPECT_TRUE(SameBits(m, before));
    m.makeQuat(q);
    EXPECT_TRUE(m[3][1] == before[3][1] && m[2][3] == before[2][3]);
    m = before; // products are formed before they are stored
    m.preMult(m);
    EXPECT_TRUE(m == before * before && (m = before, m *= m) == before * before);
    EXPECT_TRUE(((before + m) - m).equal(before, 1e-12) && (m * 4.0 / 4.0) == m);
}

TEST(Matrix, InverseTimesMatrixIsIdentityAndFailureTouchesNothing) {
    std::mt19937 rng(32);
    for (int n = 0; n < 1000; ++n) {
        const M4 a = AnyMatrix(rng), b = AnyMatrix(rng);
        M4 inv = a, c = a;
        ASSERT_TRUE(inv.invert());
        EXPECT_TRUE((inv * a).equal(M4(), 1e-9) && (a * inv).equal(M4(), 1e-9));
        EXPECT_TRUE(((a / b) * b).equal(a, 1e-8) && SameBits(c /= b, a / b));
    }
    M4 t = Made([](M4&m) { m.makeTrans(1, 2, 3); }), s = Made([](M4&m) { m.makeScale(2, 4, 8); });
    M4 perm(0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1), pt = perm; // needs row exchanges
    pt.transpose();
    EXPECT_TRUE(t.invert() && s.invert() && perm.invert() && perm == pt);
    EXPECT_TRUE(t == M4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, -2, -3, 1));
    EXPECT_TRUE(s == M4(0.5, 0, 0, 0, 0, 0.25, 0, 0, 0, 0, 0.125, 0, 0, 0, 0, 1));

    const double nan = std::nan(""), inf = INFINITY;
    const M4 singular[] = {
        M4(0, 1, 2, 3, 0, 5, 6, 7, 0, 9, 1, 1, 0, 3, 4, 5),     // zero first column
        M4(1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 9, 1, 2, 3),     // zero row, found late
        M4(1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 1, 0, 0, 1, 1),     // dependent rows
        M4(1, 0, 0, 0, 0, nan, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1),   // not a number
        M4(inf, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1),   // infinite
        M4(1e-310, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1) // the inverse overflows
    };
    for (const M4& m : singular) {
        M4 copy = m;
        const M4 q = t / m;
        EXPECT_TRUE(!copy.invert() && SameBits(copy, m));
        EXPECT_TRUE(std::isnan(q[0][0]) && std::isnan(q[3][3]));
    }
}

TEST(Matrix, DecompositionsInvertTheirConstructions) {
    std::mt19937 rng(33);
    for (int n = 0; n < 300; ++n) {
        const gxQuat q = UnitQuat(rng);
        gxQuat back, neg;
        Made([&](M4& m) { m.makeQuat(q); }).getQuat(back);
        neg.combine(-1, back, 0, back);
        EXPECT_TRUE(back.equal(q, 1e-12) || neg.equal(q, 1e-12));

        // Every tenth angle is a half turn, where the axis comes from the symmetric part.
        const double angle = n % 10 ? Uniform(rng, 1e-3, 180) : 180, h = Uniform(rng, -179, 179),
                     p = Uniform(rng, -89, 89), r = Uniform(rng, -179, 179);
        M4 m = Made([&](M4& m) { m.makeRot(angle, UnitVec(rng)); });
        double a;
        gxVec3 ax, hpr, xyz;
        m.getRot(a, ax);
        EXPECT_TRUE(Made([&](M4& again) { again.makeRot(a, ax); }).equal(m, 1e-9));
        EXPECT_NEAR(a, angle, 1e-6);

        m.makeCoord(gxVec3(r, p, h), gxVec3(h, p, r));
        EXPECT_TRUE(m.getCoord(xyz, hpr) && xyz == gxVec3(r, p, h));
        EXPECT_TRUE(hpr.equal(gxVec3(h, p, r), 1e-9));
        const gxVec3 scale(Uniform(rng, -5, 5), Uniform(rng, 0.1, 5), Uniform(rng, -5, -0.1));
        m.postScale(scale);
        m.getScale(xyz);
        EXPECT_TRUE(xyz.equal(gxVec3(std::fabs(scale[0]), scale[1], -scale[2]), 1e-12));
    }
    // Degenerate rotations and scales give clean answers rather than NaN.
    double a0, a180, a1;
    gxVec3 x0, x180, x1;
    M4(1 + 1e-15, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1).getRot(a0, x0); // trace above 3
    Made([](M4& m) { m.makeQuat(0, 0, 1, 0); }).getRot(a180, x180); // no antisymmetric part
    Axis(60, M4::AXIS_X).getRot(a1, x1);
    EXPECT_TRUE(a0 == 0 && x0 == gxVec3(0, 0, 1) && a180 == 180 && std::fabs(x180[2]) == 1);
    EXPECT_TRUE(std::fabs(a1 - 60) < 1e-12 && x1.equal(gxVec3(1, 0, 0), 1e-15));
    gxQuat q;
    gxVec3 s, hpr;
    Axis(180, M4::AXIS_Z).getQuat(q);
    M4 flat = Made([](M4&m) { m.makeRot(40, 0.6, 0.8, 0); }), over = Axis(90, M4::AXIS_X);
    flat.postScale(0, 2, 3); // a zero scale factor leaves the others intact
    flat.getScale(s);
    over[1][2] = std::nextafter(1.0, 2.0); // pitch a rounding step past 90
    over.getEuler(hpr);
    EXPECT_TRUE(q.equal(gxQuat(0, 0, 1, 0), 1e-15) && s.equal(gxVec3(0, 2, 3), 1e-12));
    EXPECT_EQ(hpr[1], 90.0);
}

TEST(Matrix, CameraMatricesMapTheirVolumeCorners) {
    auto project = [](const M4& m, gxVec4 p) { // p * M, divided by w
        p.xformPt(p, m);
        return gxVec3(p[0] / p[3], p[1] / p[3], p[2] / p[3]);
    };
    const double l = -2, r = 3, b = -1, t = 4, n = 0.5, f = 20;
    M4 ortho, frustum, persp, view;
    ortho.makeOrtho(l, r, b, t, n, f);
    frustum.makeFrustum(l, r, b, t, n, f);
    for (int c = 0; c < 8; ++c) { // near corners go to z = -1, far ones to +1
        const gxVec3 unit(c & 1 ? 1 : -1, c & 2 ? 1 : -1, c & 4 ? 1 : -1);
        const double x = c & 1 ? r : l, y = c & 2 ? t : b, d = c & 4 ? f : n;
        EXPECT_TRUE(project(ortho, gxVec4(x, y, -d, 1)).equal(unit, 1e-14));
        EXPECT_TRUE(project(frustum, gxVec4(x * d / n, y * d / n, -d, 1)).equal(unit, 1e-13));
    }
    EXPECT_TRUE(frustum[3][3] == 0 && frustum[2][3] == -1 && ortho[2][3] == 0 && ortho[3][3] == 1);
    persp.makePerspective(90, 1, 1, 100);
    frustum.makeFrustum(-1, 1, -1, 1, 1, 100);
    view.makeViewport(10, 20, 640, 480);
    EXPECT_TRUE(persp.equal(frustum, 1e-15));
    EXPECT_TRUE(project(view, gxVec4(-1, -1, 0.5, 1)).equal(gxVec3(10, 20, 0.5), 1e-12));
    EXPECT_TRUE(project(view, gxVec4(1, 1, 0, 1)).equal(gxVec3(650, 500, 0), 1e-12));
}

TEST(Matrix, VecRotVecTurnsOneDirectionIntoTheOther) {
    std::mt19937 rng(34);
    for (int n = 0; n < 200; ++n) { // every tenth pair opposite: a half turn, not a reflection
        const gxVec3 a = UnitVec(rng), b = n % 10 == 0 ? a * -1.0 : UnitVec(rng);
        const M4 m = Made([&](M4& m) { m.makeVecRotVec(a, b); });
        gxVec3 to, r0, r1, r2;
        to.xformVec(a, m);
        m.getRow(0, r0), m.getRow(1, r1), m.getRow(2, r2);
        to -= b;
        r0.cross(r0, r1);
        EXPECT_TRUE(to.length() < 1e-12 && std::fabs(r1.length() - 1) < 1e-12 &&
                    r0.equal(r2, 1e-12));
    }
    EXPECT_TRUE(Made([](M4& m) { m.makeVecRotVec(gxVec3(0, 0, 1), gxVec3(0, 0, 1)); }) == M4());
}

} // namespace
