#include <geoframe/coordsys/GxAffineTransform2D.h>
#include <geoframe/coordsys/GxCoordFrame.h>
#include <geoframe/coordsys/GxCoverage.h>
#include <geoframe/coordsys/GxScaleOffsetTrans2D.h>
#include <geoframe/geodesy/GxEllipsoid.h>
#include <geoframe/projection/GxUTMProjection.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using CRef = GxSmartRef<GxCoordSys>;
using BRef = GxSmartRef<GxCoordSysBase>;

CRef UtmSystem() {
    CRef cs(new GxCoordSys());
    cs->SetProjection(
        GxSmartRef<GxProjection>(new GxUTMProjection(new GxEllipsoid("WGS84"), 33, 0)));
    cs->SetUnits("Distance", "Meters");
    return cs;
}

gxVec2 To(const GxTransform2D* t, double x, double y) {
    gxVec2 out;
    EXPECT_TRUE(t && t->TransformTo(x, y, out[0], out[1]));
    return out;
}

TEST(CoordFrame, TransformKindAroundTheThresholds) {
    // The frame turns affine from |r| >= 1e-10; the affine transform itself only
    // rotates from |r| >= 1e-9.
    const struct {
        double rotation;
        bool affine;
        gxVec2 image; // of (1, 1) with origin (100, 200) and scales (2, 3)
    } cases[] = {{0, false, {102, 203}},           {5e-11, false, {102, 203}},
                 {-9.9e-11, false, {102, 203}},    {1e-10, true, {102, 203}},
                 {-1e-10, true, {102, 203}},       {5e-10, true, {102, 203}},
                 {std::nan(""), true, {NAN, NAN}}, {90, true, {97, 202}}};
    for (const auto& c : cases) {
        const GxCoordFrame frame(100, 200, 2, 3, CRef(), c.rotation);
        const GxTransform2D* t = frame.GetTransform();
        ASSERT_TRUE(t);
        EXPECT_EQ(dynamic_cast<const GxAffineTransform2D*>(t) != nullptr, c.affine) << c.rotation;
        EXPECT_STREQ(t->GetName(), c.affine ? "Affine Trans 2D" : "Scale Offset Trans 2D");
        const gxVec2 image = To(t, 1, 1);
        for (int i = 0; i < 2; ++i) {
            if (std::isnan(c.image[i]))
                EXPECT_TRUE(std::isnan(image[i]));
            else
                EXPECT_NEAR(image[i], c.image[i], 1e-8) << c.rotation;
        }
        double x, y;
        EXPECT_EQ(t->TransformFrom(102, 203, x, y), !std::isnan(c.rotation));
    }
}

TEST(CoordFrame, ConstructionSettersAndUpdate) {
    // Neither scale positive: the default frame, the system not taken.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double rejected[][2] = {{-1, 0}, {0, 0}, {nan, -2}, {nan, nan}};
    for (const auto& s : rejected) {
        const GxCoordFrame frame(5, 6, s[0], s[1], UtmSystem(), 30);
        double ox, oy, sx, sy, r;
        CRef cs;
        frame.GetOrigin(ox, oy);
        frame.GetScale(sx, sy);
        frame.GetRotation(r);
        frame.GetCoordSystem(cs);
        EXPECT_TRUE(ox == 0 && oy == 0 && sx == 0 && sy == 0 && r == 0 && !cs);
        EXPECT_EQ(frame.GetTransform(), nullptr);
    }
    EXPECT_EQ(GxCoordFrame().GetTransform(), nullptr);

    // One positive scale is enough; the values are taken as passed.
    GxCoordFrame frame(5, 6, -1, 2, CRef(), 0);
    EXPECT_EQ(To(frame.GetTransform(), 1, 1), gxVec2(4, 8));
    // Setters store; the transform follows at Update.
    frame.SetOrigin(10, 20);
    frame.SetScale(0, 1);
    frame.SetRotation(0);
    EXPECT_EQ(To(frame.GetTransform(), 1, 1), gxVec2(4, 8));
    frame.Update();
    EXPECT_EQ(To(frame.GetTransform(), 1, 1), gxVec2(10, 21));
    double x = 7, y = 8;
    EXPECT_FALSE(frame.GetTransform()->TransformFrom(1, 1, x, y)); // zero scale
    EXPECT_TRUE(x == 7 && y == 8);
}

TEST(CoordFrame, CopiesAndSharing) {
    const CRef utm = UtmSystem();
    CRef held;
    auto* source = new GxCoordFrame(1000, 2000, 2, 2, utm, 30);
    GxSmartRef<GxCoordFrame> sourceRef(source);
    source->GetCoordSystem(held);
    EXPECT_TRUE(held.Get() != utm.Get() && *held == *utm); // a copy of the one given

    GxCoordFrame assigned;
    assigned = *source;
    assigned = assigned;
    CRef assignedSys;
    assigned.GetCoordSystem(assignedSys);
    EXPECT_EQ(assignedSys.Get(), held.Get()); // assignment shares the system

    const GxCoordFrame copy(*source);
    CRef copySys;
    copy.GetCoordSystem(copySys);
    EXPECT_TRUE(copySys.Get() != held.Get() && *copySys == *held);

    const gxVec2 image = To(source->GetTransform(), 3, 4);
    EXPECT_NE(copy.GetTransform(), source->GetTransform());
    EXPECT_NE(assigned.GetTransform(), source->GetTransform());
    sourceRef = nullptr; // the copies keep transforms of their own
    EXPECT_EQ(To(copy.GetTransform(), 3, 4), image);
    EXPECT_EQ(To(assigned.GetTransform(), 3, 4), image);
    double r;
    copy.GetRotation(r);
    EXPECT_EQ(r, 30);

    // SetCoordSystem takes a copy; an empty reference keeps the system held.
    GxCoordFrame frame;
    frame.SetCoordSystem(utm);
    frame.GetCoordSystem(held);
    EXPECT_TRUE(held.Get() != utm.Get() && *held == *utm);
    frame.SetCoordSystem(CRef());
    CRef after;
    frame.GetCoordSystem(after);
    EXPECT_EQ(after.Get(), held.Get());
}

TEST(Coverage, DefaultsEqualityAndSharing) {
    const GxSmartRef<GxCoverage> a(new GxCoverage()), b(new GxCoverage());
    double x, y;
    a->GetOrigin(x, y);
    EXPECT_TRUE(x == -180 && y == -90);
    a->GetExtent(x, y);
    EXPECT_TRUE(x == 180 && y == 90);
    BRef cs;
    ASSERT_TRUE(a->GetCoordSystem(cs));
    GxSmartRef<GxProjection> projection;
    GxSmartRef<GxEllipsoidBase> ellipsoid;
    char kind[32], name[32];
    cs->GetProjection(projection);
    cs->GetEllipsoid(ellipsoid);
    EXPECT_TRUE(!projection && std::string(ellipsoid->GetEllipsoid()) == "WGS84");
    EXPECT_TRUE(cs->GetUnits(kind, sizeof kind, name, sizeof name));
    EXPECT_EQ(std::string(kind) + "/" + name, "Angular Distance/Degrees");
    EXPECT_EQ(cs->GetScnProjection(), 5);
    EXPECT_TRUE(*a == *b);

    // Each value is compared exactly.
    a->SetOriginX(10);
    EXPECT_TRUE(a->GetOriginX() == 10 && a->GetOriginY() == -90);
    EXPECT_TRUE(*a != *b);
    a->SetOriginX(-180);
    a->SetExtentY(90 + 1e-12);
    EXPECT_TRUE(*a != *b);
    a->SetExtent(180, 90);
    EXPECT_TRUE(*a == *b);

    // The copy constructor clones the system, assignment shares it.
    const GxCoverage copy(*a);
    BRef copySys;
    copy.GetCoordSystem(copySys);
    EXPECT_TRUE(copySys.Get() != cs.Get() && copy == *a);
    GxCoverage assigned(1, 2, 3, 4, UtmSystem());
    assigned = *a;
    assigned = assigned;
    BRef assignedSys;
    assigned.GetCoordSystem(assignedSys);
    EXPECT_TRUE(assignedSys.Get() == cs.Get() && assigned == *a);
    const GxSmartRef<GxCoverageBase> clone = a->Clone();
    clone->GetCoordSystem(copySys);
    EXPECT_TRUE(copySys.Get() != cs.Get() && *clone == *a);

    // Replacing the system converts nothing. The replacement for an empty one has
    // no unit texts, so it equals no default system.
    a->SetOrigin(500000, 4e6);
    a->SetCoordSystem(UtmSystem());
    EXPECT_TRUE(a->GetOriginX() == 500000 && a->GetOriginY() == 4e6 && a->GetExtentX() == 180);
    a->SetCoordSystem(BRef());
    a->SetOrigin(-180, -90);
    a->GetCoordSystem(cs);
    EXPECT_FALSE(cs->GetUnits(kind, name));
    EXPECT_TRUE(*a != *b);
    // A coverage built on an empty system takes the default one.
    EXPECT_TRUE(GxCoverage(-180, -90, 180, 90, BRef()) == *b);
}

} // namespace
