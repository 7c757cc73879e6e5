#include <geoframe/math/gxVec4.h>

#include "math/RandomMath.h"

#include <gtest/gtest.h>

namespace {

using namespace testmath;
using M4 = gxMatrix4;

TEST(Xform, PointsTranslateDirectionsDoNotAndRowFormsAgree) {
    std::mt19937 rng(41);
    for (int n = 0; n < 100; ++n) {
        M4 a = AnyMatrix(rng), t;
        a.setCol(3, 0, 0, 0, 1); // affine: the 4-D row form agrees with the 3-D one
        (t = a).transpose();
        const gxVec3 v = UnitVec(rng) * 7.0;
        gxVec3 pt = v, dir = v;
        gxVec4 row(v[0], v[1], v[2], 1), col(gxVec4::INIT_NONE);
        pt.xformPt(pt, a); // in place
        dir.xformVec(dir, a);
        row.xformPt(row, a);
        col.xformPt(t, gxVec4(v[0], v[1], v[2], 1)); // column form by the transpose
        EXPECT_TRUE(row == gxVec4(pt[0], pt[1], pt[2], 1) && col == row);
        EXPECT_TRUE((pt - dir).equal(gxVec3(a[3][0], a[3][1], a[3][2]), 1e-13));
    }
}

TEST(Xform, QuaternionAndMatrixRotationsAgree) {
    std::mt19937 rng(42);
    for (int n = 0; n < 200; ++n) {
        const gxQuat p = UnitQuat(rng), q = UnitQuat(rng);
        const gxVec3 v = UnitVec(rng) * 3.0;
        const double w = Uniform(rng, 0.5, 3);
        M4 mp, mq, mpq, r;
        mp.makeQuat(p);
        mq.makeQuat(q);
        mpq.makeQuat(p * q);
        double angle;
        gxVec3 axis, byQuat = v, byMat, stepwise, byAxis;
        p.getRot(angle, axis);
        r.makeRot(angle, axis);
        byQuat.xformVec(byQuat, p * q); // rotating by p * q is p, then q
        byMat.xformVec(v, mpq);
        stepwise.xformVec(v, p);
        byAxis.xformVec(v, r);
        stepwise.xformVec(stepwise, q);
        EXPECT_TRUE(mpq.equal(mp * mq, 1e-14) && byQuat.equal(byMat, 1e-13));
        EXPECT_TRUE(byQuat.equal(stepwise, 1e-13));
        // gxVec4 rotates its reduced point and keeps w.
        gxVec4 h(v[0] * w, v[1] * w, v[2] * w, w);
        h.xformVec(h, p);
        EXPECT_TRUE(h.equal(gxVec4(byAxis[0] * w, byAxis[1] * w, byAxis[2] * w, w), 1e-12));
    }
}

TEST(Xform, TextureMapOrdersAndTheirThresholds) {
    std::mt19937 rng(43);
    for (int n = 0; n < 50; ++n) {
        const M4 m = AnyMatrix(rng);
        M4 t = m;
        t.transpose();
        gxVec2 a, b, c, d; // column form by M = row form by its transpose
        a.ApplyTextureMap(m, gxVec3(0.3, -1.2, 2.5), false);
        b.ApplyTextureMap(gxVec3(0.3, -1.2, 2.5), t, false);
        c.ApplyTextureMap(m, gxVec3(0.3, -1.2, 2.5), true);
        d.ApplyTextureMap(gxVec3(0.3, -1.2, 2.5), t, true);
        EXPECT_TRUE(a.equal(b, 1e-12) && c.equal(d, 1e-12));
    }
    M4 m; // w = 1e-10 lies between the two thresholds: only the point-first order divides
    m.setRow(3, 0, 0, 0, 1e-10);
    m.setCol(3, 0, 0, 0, 1e-10);
    gxVec2 a, b;
    a.ApplyTextureMap(m, gxVec3(2, 3, 0), true);
    b.ApplyTextureMap(gxVec3(2, 3, 0), m, true);
    EXPECT_TRUE(a == gxVec2(2, 3) && b.equal(gxVec2(2e10, 3e10), 1e-3));
}

} // namespace
