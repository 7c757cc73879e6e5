#include <geoframe/coordsys/GxAffineTransform2D.h>
#include <geoframe/coordsys/GxScaleOffsetTrans2D.h>
#include <geoframe/math/gxMatrix4.h>
#include <geoframe/math/gxVec2.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>

namespace {

struct Placement {
    double tx, ty, sx, sy, r;
};
const Placement kIdentity = {0, 0, 1, 1, 0};

/// Scale, then rotate counter-clockwise (pi as 3.1415926535; no rotation below
/// 1e-9 degrees), then move.
gxVec2 Place(const Placement& p, double x, double y) {
    const double t = std::fabs(p.r) < 1e-9 ? 0 : p.r * 3.1415926535 / 180;
    const double u = x * p.sx, v = y * p.sy;
    return gxVec2(p.tx + u * std::cos(t) - v * std::sin(t),
                  p.ty + u * std::sin(t) + v * std::cos(t));
}

/// Maps random points forward as the placement does and back to where they started.
void ExpectMapsLike(const GxTransform2D& t, const Placement& p, double tol) {
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> coord(-1e4, 1e4);
    for (int i = 0; i < 200; ++i) {
        const double x = coord(random), y = coord(random);
        const gxVec2 want = Place(p, x, y);
        double X, Y, bx, by;
        ASSERT_TRUE(t.TransformTo(x, y, X, Y) && t.TransformFrom(X, Y, bx, by));
        EXPECT_NEAR(X, want[0], tol * (1 + std::fabs(want[0])));
        EXPECT_NEAR(Y, want[1], tol * (1 + std::fabs(want[1])));
        EXPECT_NEAR(bx, x, 1e-9 * (1 + std::fabs(x)));
        EXPECT_NEAR(by, y, 1e-9 * (1 + std::fabs(y)));
    }
}

TEST(Transform2D, PlacementsMapRandomPointsBothWays) {
    // 5e-10 and 1e-9 sit on either side of the threshold below which no
    // trigonometry enters; a quarter turn shows pi taken as 3.1415926535.
    const Placement placements[] = {{10, 20, 2, 3, 0},           {0, 0, 1, 1, 90},
                                    {-5e5, 4e6, 0.5, 30, 37.5},  {1, -2, 0.25, 40, -120},
                                    {7, 8, -2, 4, 5e-10},        {7, 8, 2, -4, 1e-9},
                                    {3e5, 5e6, 1, 1, 179.99999}, {0, 0, 1, 1, -720}};
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.r);
        const GxAffineTransform2D placed(p.tx, p.ty, p.sx, p.sy, p.r);
        ExpectMapsLike(placed, p, 1e-13);
        EXPECT_TRUE(GxAffineTransform2D().Set(p.tx, p.ty, p.sx, p.sy, p.r));
        // The six coefficients of the placement give the same map.
        double a13, a23, a11, a21, a12, a22;
        placed.TransformTo(0, 0, a13, a23);
        placed.TransformTo(1, 0, a11, a21);
        placed.TransformTo(0, 1, a12, a22);
        ExpectMapsLike(GxAffineTransform2D(a11 - a13, a12 - a13, a13, a21 - a23, a22 - a23, a23), p,
                       1e-9);
        // The scale-and-offset transform ignores the rotation.
        GxScaleOffsetTrans2D scaled;
        EXPECT_TRUE(scaled.Set(p.tx, p.ty, p.sx, p.sy, p.r));
        ExpectMapsLike(scaled, {p.tx, p.ty, p.sx, p.sy, 0}, 0);
    }
}

TEST(Transform2D, PointPairsAndMatrices) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> value(-100, 100);
    for (int i = 0; i < 20; ++i) {
        const Placement p = {value(random), value(random), value(random) / 10, value(random) / 10,
                             value(random) * 3};
        // Three pairs fix the map; a fourth, inconsistent one is ignored.
        gxVec2 from[4], to[4] = {{}, {}, {}, {1e6, -1e6}};
        for (int k = 0; k < 3; ++k) {
            from[k].set(value(random), value(random));
            to[k] = Place(p, from[k][0], from[k][1]);
        }
        ExpectMapsLike(GxAffineTransform2D(4, from, to), p, 1e-9);
        // A matrix acting on column vectors, translation in the last column.
        const gxVec2 o = Place(p, 0, 0), ex = Place(p, 1, 0) - o, ey = Place(p, 0, 1) - o;
        ExpectMapsLike(GxAffineTransform2D(gxMatrix4(ex[0], ey[0], 0, o[0], ex[1], ey[1], 0, o[1],
                                                     0, 0, 1, 0, 0, 0, 0, 1)),
                       p, 1e-9);
    }
    // Too few pairs, a missing array, or a translation kept in row 3, which is not
    // read: the identity both ways.
    const gxVec2 pts[3] = {{0, 0}, {1, 0}, {0, 1}}, moved[3] = {{5, 5}, {6, 5}, {5, 6}};
    gxMatrix4 rowTranslation;
    rowTranslation.makeTrans(5, 6, 0);
    const GxAffineTransform2D identities[] = {GxAffineTransform2D(),
                                              GxAffineTransform2D(2, pts, moved),
                                              GxAffineTransform2D(-3, pts, moved),
                                              GxAffineTransform2D(3, nullptr, moved),
                                              GxAffineTransform2D(3, pts, nullptr),
                                              GxAffineTransform2D(rowTranslation)};
    for (const auto& t : identities)
        ExpectMapsLike(t, kIdentity, 0);
    ExpectMapsLike(GxScaleOffsetTrans2D(), kIdentity, 0);
}

TEST(Transform2D, SingularMapsAreReported) {
    // Set returns false and TransformFrom writes nothing; TransformTo still maps a
    // map of finite values.
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = 1 / 0.0;
    const Placement singular[] = {{1, 2, 0, 1, 0},   {1, 2, 1, 0, 30},  {1, 2, 0, 0, 0},
                                  {nan, 2, 1, 1, 0}, {1, 2, inf, 1, 0}, {1, 2, 1, 1, nan}};
    for (const Placement& p : singular) {
        GxAffineTransform2D affine;
        GxScaleOffsetTrans2D scaled; // has no rotation to spoil
        GxTransform2D* const kinds[] = {&affine, &scaled};
        for (GxTransform2D* t : kinds) {
            const bool spoilt = t == &affine || !std::isnan(p.r);
            double x = 3, y = 4;
            EXPECT_EQ(t->Set(p.tx, p.ty, p.sx, p.sy, p.r), !spoilt) << t->GetName() << p.sx;
            EXPECT_EQ(t->TransformFrom(1, 1, x, y), !spoilt);
            EXPECT_TRUE(!spoilt || (x == 3 && y == 4));
            const bool finite =
                std::isfinite(p.tx + p.ty + p.sx + p.sy) && (t == &scaled || std::isfinite(p.r));
            EXPECT_EQ(t->TransformTo(1, 1, x, y), finite); // no non-finite results
        }
    }
    // Collinear targets: a singular map. Collinear sources, also off by rounding
    // only: no map at all.
    const gxVec2 good[3] = {{0, 0}, {1, 0}, {0, 1}}, line[3] = {{0, 0}, {1, 1}, {2, 2}};
    const gxVec2 nearLine[3] = {{0.1, 0.3}, {0.2, 0.6}, {0.3, 0.9}};
    const struct {
        GxAffineTransform2D t;
        bool forward;
    } cases[] = {
        {GxAffineTransform2D(3, good, line), true},
        {GxAffineTransform2D(3, good, nearLine), true},
        {GxAffineTransform2D(3, line, good), false},
        {GxAffineTransform2D(3, nearLine, good), false},
        {GxAffineTransform2D(gxMatrix4(1, 2, 0, 0, 2, 4, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1)), true},
        {GxAffineTransform2D(1, 2, 3, 2, 4, 6), true}};
    for (const auto& c : cases) {
        double x = 3, y = 4;
        EXPECT_FALSE(c.t.TransformFrom(1, 1, x, y));
        EXPECT_EQ(c.t.TransformTo(1, 1, x, y), c.forward);
        EXPECT_TRUE(c.forward || (x == 3 && y == 4));
    }
    // Assignment carries the missing inverse; the next Set mends it.
    GxAffineTransform2D mended(2, 3, 1, 1, 0);
    mended = cases[2].t;
    double x, y;
    EXPECT_FALSE(mended.TransformFrom(1, 1, x, y));
    EXPECT_TRUE(mended.Set(0, 0, 1, 1, 0));
    ExpectMapsLike(mended, kIdentity, 0);
}

TEST(Transform2D, ClonesAndAssignmentCopyTheMap) {
    const Placement p = {100, -50, 2, 0.5, 33}, unrotated = {100, -50, 2, 0.5, 0};
    std::unique_ptr<GxTransform2D> affine(new GxAffineTransform2D(100, -50, 2, 0.5, 33));
    std::unique_ptr<GxTransform2D> scaled(new GxScaleOffsetTrans2D(100, -50, 2, 0.5));
    const std::unique_ptr<GxTransform2D> affineClone(affine->Clone()), scaledClone(scaled->Clone());
    affine.reset(); // the clones stand on their own
    scaled.reset();
    ExpectMapsLike(*affineClone, p, 1e-13);
    ExpectMapsLike(*scaledClone, unrotated, 0);
    EXPECT_STREQ(affineClone->GetName(), "Affine Trans 2D");
    EXPECT_STREQ(scaledClone->GetName(), "Scale Offset Trans 2D");

    GxAffineTransform2D assigned;
    assigned = static_cast<const GxAffineTransform2D&>(*affineClone);
    assigned = *&assigned;
    ExpectMapsLike(assigned, p, 1e-13);
}

} // namespace
