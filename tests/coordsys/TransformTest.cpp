#include <geoframe/geoframe.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>

namespace {

struct Placement {
    double tx, ty, sx, sy, r;
};
const Placement kIdentity = {0, 0, 1, 1, 0};
const gxVec2 kUnit[3] = {{0, 0}, {1, 0}, {0, 1}};

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
        const gxVec2 in(x, y), want = Place(p, x, y);
        gxVec2 out, back;
        ASSERT_TRUE(t.TransformTo(x, y, out[0], out[1])) << x << " " << y;
        ASSERT_TRUE(t.TransformFrom(out[0], out[1], back[0], back[1])) << x << " " << y;
        EXPECT_LE((out - want).length(), tol * (1 + want.length()));
        EXPECT_LE((back - in).length(), 1e-9 * (1 + in.length()));
    }
}

/// TransformFrom fails and writes nothing; TransformTo maps only when `forward`.
void ExpectSingular(const GxTransform2D& t, bool forward) {
    double x = 3, y = 4;
    EXPECT_FALSE(t.TransformFrom(1, 1, x, y));
    EXPECT_EQ(gxVec2(x, y), gxVec2(3, 4));
    EXPECT_EQ(t.TransformTo(1, 1, x, y), forward);
    if (!forward) {
        EXPECT_EQ(gxVec2(x, y), gxVec2(3, 4));
    }
}

TEST(Transform2D, EveryKindOfSourceMapsRandomPointsBothWays) {
    // 5e-10 and 1e-9 sit on either side of the threshold below which no
    // trigonometry enters; a quarter turn shows pi taken as 3.1415926535.
    const Placement placements[] = {{10, 20, 2, 3, 0},           {0, 0, 1, 1, 90},
                                    {-5e5, 4e6, 0.5, 30, 37.5},  {1, -2, 0.25, 40, -120},
                                    {7, 8, -2, 4, 5e-10},        {7, 8, 2, -4, 1e-9},
                                    {3e5, 5e6, 1, 1, 179.99999}, {0, 0, 1, 1, -720}};
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.r);
        // The placement's map, also through assignment from a temporary and through
        // Clone; the scale-and-offset transform ignores the rotation.
        GxAffineTransform2D assigned;
        GxScaleOffsetTrans2D scaled;
        assigned = GxAffineTransform2D(p.tx, p.ty, p.sx, p.sy, p.r);
        EXPECT_TRUE(scaled.Set(p.tx, p.ty, p.sx, p.sy, p.r));
        const std::unique_ptr<GxTransform2D> clone(assigned.Clone()), scaledClone(scaled.Clone());
        ExpectMapsLike(*clone, p, 1e-13);
        ExpectMapsLike(*scaledClone, {p.tx, p.ty, p.sx, p.sy, 0}, 0);
        // The same map from its six coefficients, from a matrix acting on column
        // vectors (translation in the last column), and from three point pairs (a
        // fourth, inconsistent one is ignored).
        const gxVec2 o = Place(p, 0, 0), ex = Place(p, 1, 0) - o, ey = Place(p, 0, 1) - o;
        ExpectMapsLike(GxAffineTransform2D(ex[0], ey[0], o[0], ex[1], ey[1], o[1]), p, 1e-9);
        const gxMatrix4 m(ex[0], ey[0], 0, o[0], ex[1], ey[1], 0, o[1], 0, 0, 1, 0, 0, 0, 0, 1);
        ExpectMapsLike(GxAffineTransform2D(m), p, 1e-9);
        const gxVec2 from[4] = {{-31, 7}, {53, 2}, {11, -47}, {}};
        const gxVec2 to[4] = {Place(p, -31, 7), Place(p, 53, 2), Place(p, 11, -47), {1e6, -1e6}};
        ExpectMapsLike(GxAffineTransform2D(4, from, to), p, 1e-9);
    }
    // Too few pairs, a missing array, or a translation kept in row 3, which is not
    // read: the identity both ways.
    const gxVec2 moved[3] = {{5, 5}, {6, 5}, {5, 6}};
    gxMatrix4 rowTranslation;
    rowTranslation.makeTrans(5, 6, 0);
    for (const GxAffineTransform2D& t :
         {GxAffineTransform2D(), GxAffineTransform2D(2, kUnit, moved),
          GxAffineTransform2D(-3, kUnit, moved), GxAffineTransform2D(3, nullptr, moved),
          GxAffineTransform2D(3, kUnit, nullptr), GxAffineTransform2D(rowTranslation)})
        ExpectMapsLike(t, kIdentity, 0);
    ExpectMapsLike(GxScaleOffsetTrans2D(), kIdentity, 0);
}

TEST(Transform2D, PointPairsAtMapMagnitudesReproduceThemselves) {
    // Three control points `spacing` apart about a centre, under a 30 degree turn
    // and a shift; each must map onto its target within 1e-9 of the spacing plus
    // rounding of the coordinates' magnitude, and back. Rows: centre x, y, spacing.
    const double rows[][3] = {
        {500123, 5000457, 1}, {500123, 5000457, 10}, {9.7e6, -9.9e6, 1}, {-3e6, 8e6, 0.01}};
    const Placement p = {-123456.5, 2e5, 1, 1, 30};
    for (const auto& r : rows) {
        const gxVec2 from[3] = {{r[0], r[1]}, {r[0] + r[2], r[1]}, {r[0], r[1] + r[2]}};
        const gxVec2 to[3] = {Place(p, from[0][0], from[0][1]), Place(p, from[1][0], from[1][1]),
                              Place(p, from[2][0], from[2][1])};
        const GxAffineTransform2D fit(3, from, to);
        const double tol = 1e-9 * r[2] + 8 * std::ldexp(1.0, std::ilogb(1e7) - 52);
        for (int i = 0; i < 3; ++i) {
            gxVec2 out, back;
            ASSERT_TRUE(fit.TransformTo(from[i][0], from[i][1], out[0], out[1])) << i;
            ASSERT_TRUE(fit.TransformFrom(to[i][0], to[i][1], back[0], back[1])) << i;
            EXPECT_LE((out - to[i]).length(), tol) << r[0] << " " << r[2];
            EXPECT_LE((back - from[i]).length(), tol) << r[0] << " " << r[2];
        }
    }
}

TEST(Transform2D, SingularMapsAreReported) {
    const Placement singular[] = {{1, 2, 0, 1, 0},   {1, 2, 1, 0, 30},       {1, 2, 0, 0, 0},
                                  {NAN, 2, 1, 1, 0}, {1, 2, INFINITY, 1, 0}, {1, 2, 1, 1, NAN}};
    for (const Placement& p : singular) {
        GxAffineTransform2D affine;
        GxScaleOffsetTrans2D scaled; // has no rotation to spoil
        EXPECT_FALSE(affine.Set(p.tx, p.ty, p.sx, p.sy, p.r));
        EXPECT_EQ(scaled.Set(p.tx, p.ty, p.sx, p.sy, p.r), std::isnan(p.r));
        // A map of non-finite values maps nothing forward either.
        const bool finite = std::isfinite(p.tx + p.ty + p.sx + p.sy);
        ExpectSingular(affine, finite && std::isfinite(p.r));
        if (!std::isnan(p.r))
            ExpectSingular(scaled, finite);
    }
    // Collinear targets, a singular matrix or coefficients: a singular map.
    // Collinear sources, also off by rounding only: no map at all.
    const gxVec2 line[3] = {{0, 0}, {1, 1}, {2, 2}},
                 nearLine[3] = {{0.1, 0.3}, {0.2, 0.6}, {0.3, 0.9}};
    const gxMatrix4 flat(1, 2, 0, 0, 2, 4, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    const GxAffineTransform2D cases[] = {
        GxAffineTransform2D(3, kUnit, line), GxAffineTransform2D(3, kUnit, nearLine),
        GxAffineTransform2D(flat),           GxAffineTransform2D(1, 2, 3, 2, 4, 6),
        GxAffineTransform2D(3, line, kUnit), GxAffineTransform2D(3, nearLine, kUnit)};
    for (int i = 0; i < 6; ++i)
        ExpectSingular(cases[i], i < 4);
    // Assignment, also onto itself, carries the missing map; the next Set mends it.
    GxAffineTransform2D mended;
    mended = cases[5];
    mended = *&mended;
    ExpectSingular(mended, false);
    EXPECT_TRUE(mended.Set(0, 0, 1, 1, 0));
    ExpectMapsLike(mended, kIdentity, 0);
}

} // namespace
