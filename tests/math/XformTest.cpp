#include <geoframe/math/gxVec4.h>

#include "math/RandomMath.h"

#include <gtest/gtest.h>

namespace {

using namespace testmath;

TEST(Xform, PointsTranslateDirectionsDoNotAndRowAndColumnFormsAgree) {
    std::mt19937 rng(41);
    for (int n = 0; n < 100; ++n) {
        gxMatrix4 a = AnyMatrix(rng), t;
        a.setCol(3, 0, 0, 0, 1); // affine: the 4-D row form agrees with the 3-D one
        (t = a).transpose();
        const gxVec3 v = UnitVec(rng) * 7.0;
        gxVec3 pt = v, dir = v;
        gxVec4 row(v[0], v[1], v[2], 1), col = row;
        pt.xformPt(pt, a); // in place
        dir.xformVec(dir, a);
        row.xformPt(row, a);
        col.xformPt(t, col); // column form by the transpose
        EXPECT_TRUE(row == gxVec4(pt[0], pt[1], pt[2], 1) && col == row);
        EXPECT_TRUE((pt - dir).equal(gxVec3(a[3][0], a[3][1], a[3][2]), 1e-13));
        gxVec2 tex[4]; // texture maps: column form by M = row form by its transpose
        for (bool persp : {false, true}) {
            tex[2 * persp].ApplyTextureMap(a, v, persp);
            tex[2 * persp + 1].ApplyTextureMap(v, t, persp);
        }
        EXPECT_TRUE(tex[0].equal(tex[1], 1e-12) && tex[2].equal(tex[3], 1e-12));
    }
    gxMatrix4 m; // w = 1e-10 lies between the two thresholds: only the point-first order divides
    m.setRow(3, 0, 0, 0, 1e-10);
    m.setCol(3, 0, 0, 0, 1e-10);
    gxVec2 a, b;
    a.ApplyTextureMap(m, gxVec3(2, 3, 0), true);
    b.ApplyTextureMap(gxVec3(2, 3, 0), m, true);
    EXPECT_TRUE(a == gxVec2(2, 3) && b.equal(gxVec2(2e10, 3e10), 1e-3));
}

} // namespace
