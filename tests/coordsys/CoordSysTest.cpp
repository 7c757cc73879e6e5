#include <geoframe/geoframe.h>

#include "Text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using ERef = GxSmartRef<GxEllipsoidBase>;
using PRef = GxSmartRef<GxProjection>;
using CRef = GxSmartRef<GxCoordSys>;
using BRef = GxSmartRef<GxCoordSysBase>;

/// A projection reporting any name, for the names no class of the library reports.
struct Named : GxFlatEarthProjection {
    explicit Named(const char* name) : name(name) {}
    const char* GetProjectionName() const override { return name; }
    const char* name;
};

CRef System(PRef projection, const char* kind, const char* name, ERef ellipsoid = ERef()) {
    const CRef cs(new GxCoordSys());
    cs->SetProjection(projection); // an empty one changes nothing here
    if (ellipsoid)
        cs->SetEllipsoid(ellipsoid);
    cs->SetUnits(kind, name);
    return cs;
}

CRef Utm() {
    return System(new GxUTMProjection(new GxEllipsoid("WGS84"), 33, 0), "Distance", "Meters");
}

/// A frame's (CRef) or a coverage's (BRef) system, empty when refused.
template <class Ref = CRef, class Holder>
Ref SystemOf(const Holder& holder) {
    Ref cs;
    return holder.GetCoordSystem(cs) ? cs : Ref();
}

/// Origin, scale and rotation, as text.
std::string Numbers(const GxCoordFrame& frame) {
    double v[5];
    EXPECT_EQ(
        Values(frame.GetOrigin(v[0], v[1]), frame.GetScale(v[2], v[3]), frame.GetRotation(v[4])),
        "true true true");
    return Values(v[0], v[1], v[2], v[3], v[4]);
}

gxVec2 To(const GxTransform2D* t, double x, double y) {
    gxVec2 out;
    EXPECT_TRUE(t ? t->TransformTo(x, y, out[0], out[1]) : false) << (t ? "refused" : "none");
    return out;
}

TEST(CoordSys, SceneDatabaseCodes) {
    // The unit kind decides for "Latitude/Longitude" and for no projection:
    // angular when, upper-cased, it begins with either keyword.
    const std::string longKind = "angular distance" + std::string(200, '.');
    const char* const angular[] = {"Angular Distance", "angular DISTANCE", "ANGULAR_DISTANCE",
                                   "Angular_distance in degrees", longKind.c_str()};
    const char* const linear[] = {nullptr, "Angular Distanc", "Xngular Distance",
                                  " Angular Distance", "Angular-Distance"};
    const PRef projections[] = {
        new GxFlatEarthProjection(),     new GxTrapezoidalProjection(),   PRef(),
        new GxLCCProjection(),           new GxUTMProjection(),           new GxACEAProjection(),
        new GxStereographicProjection(), new Named("Latitude/Longitude"), new Named(nullptr),
        new Named("Mercator"),           new Named("latitude/longitude")};
    std::string codes; // each projection's code for the linear kinds, then the angular ones
    for (const PRef& projection : projections) {
        for (const char* const* kinds : {linear, angular})
            for (int i = 0; i < 5; ++i)
                codes += std::to_string(System(projection, kinds[i], "Meters")->GetScnProjection());
        codes += ' ';
    }
    EXPECT_EQ(codes, "0000000000 1111111111 6666655555 3333333333 4444444444 5555555555 "
                     "5555555555 6666655555 5555555555 5555555555 5555555555 ");

    const std::pair<const char*, int> units[] = {
        {"Meters", 0},  {"Kilometers", 1}, {"Feet", 4},     {"Inches", 5}, {"Nautical Miles", 8},
        {"meters", -1}, {"Meters ", -1},   {"Degrees", -1}, {"", -1},      {nullptr, -1}};
    for (const auto& [unit, code] : units)
        EXPECT_EQ(System(PRef(), "Distance", unit)->GetScnUnits(), code) << (unit ? unit : "null");
}

TEST(CoordSys, UnitTextsAndBufferSizes) {
    GxCoordSys cs;
    char b[2][16];
    cs.SetUnits("Distance", nullptr); // one text is not enough
    EXPECT_EQ(Values(cs.GetUnits(b[0], b[1]), cs.GetUnits(b[0], 16, b[1], 16)), "false false");
    cs.SetUnits(nullptr, "Feet");
    EXPECT_EQ(Values(cs.GetUnits(nullptr, b[1]), cs.GetUnits(b[0], nullptr)), "false false");
    // A text fits with its terminator, or nothing at all is written.
    const std::size_t sizes[][3] = {{8, 5, false}, {9, 4, false}, {9, 5, true}};
    for (const auto& s : sizes) {
        std::memset(b, '#', sizeof b);
        EXPECT_EQ(cs.GetUnits(b[0], s[0], b[1], s[1]), s[2] != 0) << s[0] << " " << s[1];
        EXPECT_EQ(std::string(b[0], 10) + std::string(b[1], 6),
                  s[2] ? std::string("Distance\0#Feet\0#", 16) : std::string(16, '#'));
    }
    ASSERT_TRUE(cs.GetUnits(b[0], b[1]));
    EXPECT_EQ(std::string(b[0]) + "/" + b[1], "Distance/Feet");
}

TEST(CoordSys, SharingAndCopies) {
    const ERef wgs84(new GxEllipsoid("WGS84")), clarke(new GxEllipsoid("clrk66"));
    const PRef utm(new GxUTMProjection(wgs84, 33, 0));
    GxCoordSys cs;
    ERef e;
    PRef p;
    // The ellipsoid a system reports, null when refused.
    const auto held = [&e](const GxCoordSysBase& s) {
        return s.GetEllipsoid(e) ? e.Get() : nullptr;
    };
    ASSERT_TRUE(cs.SetProjection(utm));
    // The ellipsoid reaches the shared projection.
    ASSERT_TRUE(cs.SetEllipsoid(clarke));
    EXPECT_EQ(utm->GetEllipsoid().Get(), clarke.Get());
    // An empty projection drops the projection and keeps the ellipsoid.
    ASSERT_TRUE(cs.SetProjection(PRef()));
    ASSERT_TRUE(cs.GetProjection(p));
    EXPECT_FALSE(p);
    EXPECT_EQ(held(cs), clarke.Get());

    // A clone holds a clone of the projection and the same ellipsoid.
    const CRef source = System(utm, "Distance", "Meters");
    source->SetVerticalDatum(GxCoordSysBase::VERTICAL_DATUM_GEOID);
    const BRef clone = source->Clone();
    EXPECT_EQ(Values(*clone == *source, held(*clone) == clarke.Get()), "true true");
    ASSERT_TRUE(clone->GetProjection(p));
    ASSERT_TRUE(p);
    static_cast<GxUTMProjection&>(*p).SetZone(34);
    EXPECT_TRUE(*clone != *source);
}

TEST(CoordSys, Equality) {
    const ERef wgs84(new GxEllipsoid("WGS84")), clarke(new GxEllipsoid("clrk66"));
    const ERef near(new GxEllipsoid(6378137.000000001, 6356752.314245179, 0, 0, 0, "near"));
    // Zone 0: no projection. The ellipsoid, if any, is set after the projection.
    const auto make = [&](int zone, const char* kind, const char* name, ERef e) {
        return System(zone ? PRef(new GxUTMProjection(wgs84, zone, 0)) : PRef(), kind, name, e);
    };
    // Systems of the same group are equal (near is within 1e-8 m of WGS84), all
    // others differ. Without both unit texts a system equals only itself.
    const CRef systems[] = {
        make(33, "Distance", "Meters", {}),     make(33, "Distance", "Meters", near),
        make(33, "Distance", "Meters", clarke), make(32, "Distance", "Meters", {}),
        make(33, "distance", "Meters", {}),     make(33, "Distance", "meters", {}),
        make(33, "Distance", "Meters2", {}),    make(33, "Distance", "Meters", {}),
        make(33, "Distance", nullptr, {}),      make(33, nullptr, "Meters", {}),
        make(0, nullptr, nullptr, {}),          make(0, "Distance", "Meters", {}),
        make(0, "Distance", "Meters", {}),      make(0, "Distance", "Meters", wgs84),
        make(0, "Distance", "Meters", clarke)};
    systems[7]->SetVerticalDatum(GxCoordSysBase::VERTICAL_DATUM_GEOID);
    // Held as passed, on another ellipsoid than its projection's: it reports, and
    // so compares as, the projection's; so does its clone.
    const CRef asPassed(new GxCoordSys(PRef(new GxUTMProjection(wgs84, 33, 0)), clarke));
    asPassed->SetUnits("Distance", "Meters");
    std::vector<BRef> all(std::begin(systems), std::end(systems));
    all.push_back(asPassed);
    all.push_back(asPassed->Clone());
    // Row i of the table shows how system i compares with each: '=' equal, '.'
    // unequal, '?' where == and != disagree.
    const int group[] = {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 11, 12, 0, 0};
    for (int i = 0; i < 17; ++i) {
        std::string row, expected;
        for (int j = 0; j < 17; ++j) {
            const bool equal = *all[i] == *all[j], unequal = *all[i] != *all[j];
            row += equal == unequal ? '?' : equal ? '=' : '.';
            expected += group[i] == group[j] ? '=' : '.';
        }
        EXPECT_EQ(row, expected) << "system " << i;
    }
}

TEST(CoordFrame, TransformKindAroundTheThresholds) {
    // The frame turns affine from |r| >= 1e-10; the affine transform itself only
    // rotates from |r| >= 1e-9.
    const gxVec2 straight(102, 203);
    const struct {
        double rotation;
        bool affine;
        gxVec2 image;
    } rows[] = {{0, false, straight},     {-9.9e-11, false, straight}, {1e-10, true, straight},
                {-1e-10, true, straight}, {5e-10, true, straight},     {90, true, gxVec2(97, 202)}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.rotation);
        const GxCoordFrame frame(100, 200, 2, 3, CRef(), r.rotation);
        EXPECT_EQ(dynamic_cast<const GxAffineTransform2D*>(frame.GetTransform()) != nullptr,
                  r.affine);
        EXPECT_LT((To(frame.GetTransform(), 1, 1) - r.image).length(), 1e-8);
    }
}

TEST(CoordFrame, ConstructionCopiesAndSharing) {
    // Neither scale positive: the default frame; the system is not taken.
    const double rejected[][2] = {{-1, 0}, {0, 0}, {NAN, -2}, {NAN, NAN}};
    for (const auto& s : rejected) {
        const GxCoordFrame frame(5, 6, s[0], s[1], Utm(), 30);
        EXPECT_EQ(Values(Numbers(frame), !SystemOf(frame), !frame.GetTransform()),
                  "0 0 0 0 0 true true")
            << "numbers, no system, no transform for " << s[0] << " " << s[1];
    }
    // One positive scale is enough; the values are taken as passed. Setters store,
    // the transform follows at Update.
    GxCoordFrame frame(5, 6, -1, 2, CRef(), 0);
    EXPECT_EQ(To(frame.GetTransform(), 1, 1), gxVec2(4, 8));
    frame.SetOrigin(10, 20), frame.SetScale(0, 1), frame.SetRotation(90);
    EXPECT_EQ(To(frame.GetTransform(), 1, 1), gxVec2(4, 8));
    EXPECT_TRUE(frame.Update());
    EXPECT_TRUE(To(frame.GetTransform(), 1, 1).equal(gxVec2(9, 20), 1e-9));

    // The constructor and the copy constructor copy the system, assignment shares
    // it. The numbers and the transforms are copied: they outlive the source.
    const CRef utm = Utm();
    GxSmartRef<GxCoordFrame> source(new GxCoordFrame(1000, 2000, 2, 2, utm, 30));
    GxCoordFrame assigned, copy(*source);
    assigned = *source;
    assigned = *&assigned;
    const CRef held = SystemOf(*source);
    EXPECT_EQ(Values(held != utm.Get(), *held == *utm, SystemOf(assigned) == held,
                     SystemOf(copy) != held, *SystemOf(copy) == *held),
              "true true true true true");
    EXPECT_EQ(Numbers(copy) + " | " + Numbers(assigned),
              Numbers(*source) + " | " + Numbers(*source));
    const gxVec2 image = To(source->GetTransform(), 3, 4);
    source = nullptr;
    EXPECT_EQ(
        Values(To(copy.GetTransform(), 3, 4) == image, To(assigned.GetTransform(), 3, 4) == image),
        "true true");
    // SetCoordSystem takes a copy; an empty reference keeps the system held.
    frame.SetCoordSystem(utm);
    const CRef copied = SystemOf(frame);
    frame.SetCoordSystem(CRef());
    EXPECT_EQ(Values(copied != utm.Get(), *copied == *utm, SystemOf(frame) == copied),
              "true true true");
}

TEST(Coverage, DefaultsEqualityAndSharing) {
    const GxSmartRef<GxCoverage> a(new GxCoverage()), b(new GxCoverage());
    const CRef latLong = System(PRef(), "Angular Distance", "Degrees", new GxEllipsoid("WGS84"));
    const BRef cs = SystemOf<BRef>(*a);
    EXPECT_EQ(Values(*cs == *latLong, cs->GetScnProjection(), cs != SystemOf<BRef>(*b), *a == *b,
                     GxCoverage(-180, -90, 180, 90, BRef()) == *b),
              "true 5 true true true");
    // Each value is set on its own and compared exactly.
    for (int i = 0; i < 4; ++i) {
        double v[4] = {-180, -90, 180, 90};
        v[i] += 1e-12;
        GxCoverage c;
        c.SetOriginX(v[0]), c.SetOriginY(v[1]), c.SetExtentX(v[2]), c.SetExtentY(v[3]);
        EXPECT_EQ(Values(c == GxCoverage(v[0], v[1], v[2], v[3], BRef()), c != *b), "true true")
            << "equal to one made so, unequal to the default; value " << i;
    }

    // The copy constructor and Clone clone the system, assignment shares it.
    const GxCoverage copy(*a);
    GxCoverage assigned(1, 2, 3, 4, Utm());
    assigned = *a;
    assigned = *&assigned;
    EXPECT_EQ(Values(SystemOf<BRef>(copy) != cs, copy == *a, SystemOf<BRef>(*a->Clone()) != cs,
                     *a->Clone() == *a, SystemOf<BRef>(assigned) == cs, assigned == *a),
              "true true true true true true");

    // A system given is shared and converts nothing. The replacement for an empty
    // one has no unit texts, so it equals no default system.
    const CRef utm = Utm();
    a->SetOrigin(1, 2), a->SetExtent(3, 4), a->SetCoordSystem(utm);
    EXPECT_EQ(SystemOf<BRef>(*a), utm.Get());
    EXPECT_EQ(Values(a->GetOriginX(), a->GetOriginY(), a->GetExtentX(), a->GetExtentY()),
              "1 2 3 4");
    a->SetCoordSystem(BRef());
    char kind[32], name[32];
    EXPECT_EQ(
        Values(SystemOf<BRef>(*a)->GetUnits(kind, name), *a != GxCoverage(1, 2, 3, 4, BRef())),
        "false true");
}

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
