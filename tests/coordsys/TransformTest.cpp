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

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Placement {
    double tx, ty, sx, sy, r;
};

/// Scale, then rotate counter-clockwise (pi as 3.1415926535; no rotation below
/// 1e-9 degrees), then move.
gxVec2 Place(const Placement& p, double x, double y) {
    const double t = std::fabs(p.r) < 1e-9 ? 0 : p.r * 3.1415926535 / 180;
    const double u = x * p.sx, v = y * p.sy;
    return gxVec2(p.tx + u * std::cos(t) - v * std::sin(t),
                  p.ty + u * std::sin(t) + v * std::cos(t));
}

/// Maps random points forward as `expected` does and back to where they started.
template <class Expected>
void ExpectMapsLike(const GxTransform2D& t, Expected expected, double tol) {
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> coord(-1e4, 1e4);
    for (int i = 0; i < 200; ++i) {
        const double x = coord(random), y = coord(random);
        const gxVec2 want = expected(x, y);
        double X, Y, bx, by;
        ASSERT_TRUE(t.TransformTo(x, y, X, Y));
        EXPECT_NEAR(X, want[0], tol * (1 + std::fabs(want[0])));
        EXPECT_NEAR(Y, want[1], tol * (1 + std::fabs(want[1])));
        ASSERT_TRUE(t.TransformFrom(X, Y, bx, by));
        EXPECT_NEAR(bx, x, 1e-9 * (1 + std::fabs(x)));
        EXPECT_NEAR(by, y, 1e-9 * (1 + std::fabs(y)));
    }
}

TEST(Transform2D, PlacementsMapRandomPointsBothWays) {
    const Placement placements[] = {{10, 20, 2, 3, 0},           {0, 0, 1, 1, 90},
                                    {-5e5, 4e6, 0.5, 30, 37.5},  {1, -2, 0.25, 40, -120},
                                    {7, 8, -2, 4, 5e-10},        {7, 8, 2, -4, 1e-9},
                                    {3e5, 5e6, 1, 1, 179.99999}, {0, 0, 1, 1, -720}};
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.r);
        const auto expected = [&](double x, double y) { return Place(p, x, y); };
        const GxAffineTransform2D placed(p.tx, p.ty, p.sx, p.sy, p.r);
        ExpectMapsLike(placed, expected, 1e-13);
        GxAffineTransform2D set;
        EXPECT_TRUE(set.Set(p.tx, p.ty, p.sx, p.sy, p.r));
        ExpectMapsLike(set, expected, 1e-13);
        // The six coefficients read off the placement give the same map.
        double a11, a21, a12, a22, a13, a23;
        placed.TransformTo(0, 0, a13, a23);
        placed.TransformTo(1, 0, a11, a21);
        placed.TransformTo(0, 1, a12, a22);
        ExpectMapsLike(GxAffineTransform2D(a11 - a13, a12 - a13, a13, a21 - a23, a22 - a23, a23),
                       expected, 1e-9);
        if (p.r == 0) {
            const auto scaled = [&](double x, double y) {
                return gxVec2(x * p.sx + p.tx, y * p.sy + p.ty);
            };
            ExpectMapsLike(GxScaleOffsetTrans2D(p.tx, p.ty, p.sx, p.sy), scaled, 0);
            GxScaleOffsetTrans2D ignoresRotation;
            EXPECT_TRUE(ignoresRotation.Set(p.tx, p.ty, p.sx, p.sy, 45));
            ExpectMapsLike(ignoresRotation, scaled, 0);
        }
    }
    // Below 1e-9 degrees no trigonometry enters: (0, 1) keeps x exactly; from
    // 1e-9 on it moves by -sin(r).
    double x, y;
    GxAffineTransform2D(0, 0, 1, 1, 9.99e-10).TransformTo(0, 1, x, y);
    EXPECT_EQ(x, 0.0);
    GxAffineTransform2D(0, 0, 1, 1, 1e-9).TransformTo(0, 1, x, y);
    EXPECT_DOUBLE_EQ(x, -std::sin(1e-9 * 3.1415926535 / 180));
    // A quarter turn with pi as 3.1415926535: very nearly, not exactly, (tx, ty + 1).
    GxAffineTransform2D(5, 6, 1, 1, 90).TransformTo(1, 0, x, y);
    EXPECT_EQ(x, 5 + std::cos(90 * 3.1415926535 / 180));
    EXPECT_NE(x, 5.0);
    EXPECT_EQ(y, 7.0);
}

TEST(Transform2D, PointPairsAndMatrices) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> value(-100, 100);
    for (int i = 0; i < 20; ++i) {
        const Placement p = {value(random), value(random), value(random) / 10, value(random) / 10,
                             value(random) * 3};
        const auto expected = [&](double x, double y) { return Place(p, x, y); };
        // Three pairs fix the map; a fourth, inconsistent one is ignored.
        const gxVec2 from[4] = {{value(random), value(random)},
                                {value(random), value(random)},
                                {value(random), value(random)},
                                {0, 0}};
        const gxVec2 to[4] = {Place(p, from[0][0], from[0][1]),
                              Place(p, from[1][0], from[1][1]),
                              Place(p, from[2][0], from[2][1]),
                              {1e6, -1e6}};
        ExpectMapsLike(GxAffineTransform2D(4, from, to), expected, 1e-9);
        ExpectMapsLike(GxAffineTransform2D(3, from, to), expected, 1e-9);

        // A matrix acting on column vectors, translation in the last column.
        const gxVec2 o = Place(p, 0, 0), ex = Place(p, 1, 0), ey = Place(p, 0, 1);
        const gxMatrix4 m(ex[0] - o[0], ey[0] - o[0], 0, o[0], //
                          ex[1] - o[1], ey[1] - o[1], 0, o[1], //
                          0, 0, 1, 0,                          //
                          0, 0, 0, 1);
        ExpectMapsLike(GxAffineTransform2D(m), expected, 1e-9);
    }
    // Too few pairs, a missing array, or a translation kept in row 3, which is not
    // read: the identity both ways.
    const gxVec2 pts[3] = {{0, 0}, {1, 0}, {0, 1}}, moved[3] = {{5, 5}, {6, 5}, {5, 6}};
    gxMatrix4 rowTranslation;
    rowTranslation.makeTrans(5, 6, 0);
    const auto identity = [](double x, double y) { return gxVec2(x, y); };
    const GxAffineTransform2D identities[] = {GxAffineTransform2D(),
                                              GxAffineTransform2D(2, pts, moved),
                                              GxAffineTransform2D(-3, pts, moved),
                                              GxAffineTransform2D(3, nullptr, moved),
                                              GxAffineTransform2D(3, pts, nullptr),
                                              GxAffineTransform2D(rowTranslation)};
    for (const auto& t : identities)
        ExpectMapsLike(t, identity, 0);
    ExpectMapsLike(GxScaleOffsetTrans2D(), identity, 0);
}

TEST(Transform2D, SingularMapsAreReported) {
    // Set returns false and TransformFrom writes nothing; TransformTo still maps
    // forward.
    const Placement singular[] = {{1, 2, 0, 1, 0},    {1, 2, 1, 0, 30},   {1, 2, 0, 0, 0},
                                  {kNaN, 2, 1, 1, 0}, {1, 2, kInf, 1, 0}, {1, 2, 1, 1, kNaN}};
    for (const Placement& p : singular) {
        SCOPED_TRACE(testing::Message() << p.tx << " " << p.sx << " " << p.sy << " " << p.r);
        GxAffineTransform2D affine;
        GxScaleOffsetTrans2D scaled;
        GxTransform2D* const kinds[] = {&affine, &scaled};
        for (GxTransform2D* t : kinds) {
            if (t == &scaled && std::isnan(p.r))
                continue; // the scale-and-offset map has no rotation to spoil it
            EXPECT_FALSE(t->Set(p.tx, p.ty, p.sx, p.sy, p.r)) << t->GetName();
            double x = 3, y = 4;
            EXPECT_FALSE(t->TransformFrom(1, 1, x, y));
            EXPECT_EQ(x, 3);
            EXPECT_EQ(y, 4);
            EXPECT_TRUE(t->TransformTo(1, 1, x, y));
        }
    }

    // Collinear targets: the map exists and is singular. Collinear sources, also
    // off by rounding only: there is no map at all.
    const gxVec2 good[3] = {{0, 0}, {1, 0}, {0, 1}};
    const gxVec2 line[3] = {{0, 0}, {1, 1}, {2, 2}};
    const gxVec2 nearLine[3] = {{0.1, 0.3}, {0.2, 0.6}, {0.3, 0.9}};
    struct {
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
        if (!c.forward) {
            EXPECT_TRUE(x == 3 && y == 4);
        }
    }
    // A failed map mends with the next Set.
    GxAffineTransform2D mended(3, line, good);
    EXPECT_TRUE(mended.Set(0, 0, 1, 1, 0));
    ExpectMapsLike(
        mended, [](double x, double y) { return gxVec2(x, y); }, 0);
}

TEST(Transform2D, ClonesAndAssignmentCopyTheMap) {
    const Placement p = {100, -50, 2, 0.5, 33};
    const auto expected = [&](double x, double y) { return Place(p, x, y); };
    std::unique_ptr<GxTransform2D> sources[] = {
        std::make_unique<GxAffineTransform2D>(p.tx, p.ty, p.sx, p.sy, p.r),
        std::make_unique<GxScaleOffsetTrans2D>(p.tx, p.ty, p.sx, p.sy)};
    for (auto& source : sources) {
        std::unique_ptr<GxTransform2D> clone(source->Clone());
        EXPECT_STREQ(clone->GetName(), source->GetName());
        const bool affine = dynamic_cast<GxAffineTransform2D*>(source.get()) != nullptr;
        source.reset(); // the clone stands on its own
        if (affine)
            ExpectMapsLike(*clone, expected, 1e-13);
        else
            ExpectMapsLike(
                *clone,
                [&](double x, double y) { return gxVec2(x * p.sx + p.tx, y * p.sy + p.ty); }, 0);
    }
    EXPECT_STREQ(GxAffineTransform2D().GetName(), "Affine Trans 2D");
    EXPECT_STREQ(GxScaleOffsetTrans2D().GetName(), "Scale Offset Trans 2D");

    GxAffineTransform2D affine, singular(1, 2, 0, 0, 0);
    affine = GxAffineTransform2D(p.tx, p.ty, p.sx, p.sy, p.r);
    GxAffineTransform2D& self = affine;
    affine = self;
    ExpectMapsLike(affine, expected, 1e-13);
    affine = singular; // the missing inverse goes along
    double x, y;
    EXPECT_FALSE(affine.TransformFrom(1, 1, x, y));
}

} // namespace
