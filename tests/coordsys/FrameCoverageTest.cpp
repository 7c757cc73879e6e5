#include <geoframe/coordsys/GxAffineTransform2D.h>
#include <geoframe/coordsys/GxCoordFrame.h>
#include <geoframe/coordsys/GxCoverage.h>
#include <geoframe/geodesy/GxEllipsoid.h>
#include <geoframe/projection/GxUTMProjection.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using CRef = GxSmartRef<GxCoordSys>;
using BRef = GxSmartRef<GxCoordSysBase>;

CRef UtmSystem() {
    CRef cs(new GxCoordSys());
    cs->SetProjection(new GxUTMProjection(new GxEllipsoid("WGS84"), 33, 0));
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
    const double rotations[] = {0, 5e-11, -9.9e-11, 1e-10, -1e-10, 5e-10, 90};
    const bool affine[] = {false, false, false, true, true, true, true};
    for (int i = 0; i < 7; ++i) {
        const GxCoordFrame frame(100, 200, 2, 3, CRef(), rotations[i]);
        const GxTransform2D* t = frame.GetTransform();
        ASSERT_TRUE(t);
        EXPECT_EQ(dynamic_cast<const GxAffineTransform2D*>(t) != nullptr, affine[i]);
        const gxVec2 image = To(t, 1, 1), want = i < 6 ? gxVec2(102, 203) : gxVec2(97, 202);
        EXPECT_LT((image - want).length(), 1e-8) << rotations[i];
    }
}

TEST(CoordFrame, ConstructionSettersAndUpdate) {
    // Neither scale positive: the default frame; the system is not taken.
    const double nan = std::nan("");
    const double rejected[][2] = {{-1, 0}, {0, 0}, {nan, -2}, {nan, nan}};
    for (const auto& s : rejected) {
        const GxCoordFrame frame(5, 6, s[0], s[1], UtmSystem(), 30);
        double v[5];
        CRef cs;
        frame.GetOrigin(v[0], v[1]);
        frame.GetScale(v[2], v[3]);
        frame.GetRotation(v[4]);
        frame.GetCoordSystem(cs);
        EXPECT_TRUE(!v[0] && !v[1] && !v[2] && !v[3] && !v[4] && !cs && !frame.GetTransform());
    }
    // One positive scale is enough; the values are taken as passed. Setters store,
    // the transform follows at Update.
    GxCoordFrame frame(5, 6, -1, 2, CRef(), 0);
    EXPECT_EQ(To(frame.GetTransform(), 1, 1), gxVec2(4, 8));
    frame.SetOrigin(10, 20);
    frame.SetScale(0, 1);
    EXPECT_EQ(To(frame.GetTransform(), 1, 1), gxVec2(4, 8));
    frame.Update();
    EXPECT_EQ(To(frame.GetTransform(), 1, 1), gxVec2(10, 21));
    double x = 7, y = 8;
    EXPECT_FALSE(frame.GetTransform()->TransformFrom(1, 1, x, y)); // zero scale
    EXPECT_TRUE(x == 7 && y == 8);
}

TEST(CoordFrame, CopiesAndSharing) {
    const CRef utm = UtmSystem();
    GxSmartRef<GxCoordFrame> source(new GxCoordFrame(1000, 2000, 2, 2, utm, 30));
    GxCoordFrame assigned, copy(*source);
    assigned = *source;
    assigned = *&assigned;
    CRef held, assignedSys, copySys;
    source->GetCoordSystem(held);
    assigned.GetCoordSystem(assignedSys);
    copy.GetCoordSystem(copySys);
    // The constructor and the copy constructor copy the system, assignment shares it.
    EXPECT_TRUE(held.Get() != utm.Get() && *held == *utm);
    EXPECT_TRUE(copySys.Get() != held.Get() && *copySys == *held);
    EXPECT_EQ(assignedSys.Get(), held.Get());
    // Transforms are copied: they outlive the source.
    const gxVec2 image = To(source->GetTransform(), 3, 4);
    EXPECT_TRUE(copy.GetTransform() != source->GetTransform() &&
                assigned.GetTransform() != source->GetTransform());
    source = nullptr;
    EXPECT_TRUE(To(copy.GetTransform(), 3, 4) == image &&
                To(assigned.GetTransform(), 3, 4) == image);

    // SetCoordSystem takes a copy; an empty reference keeps the system held.
    GxCoordFrame frame;
    CRef after;
    frame.SetCoordSystem(utm);
    frame.GetCoordSystem(held);
    frame.SetCoordSystem(CRef());
    frame.GetCoordSystem(after);
    EXPECT_TRUE(held.Get() != utm.Get() && *held == *utm && after.Get() == held.Get());
}

TEST(Coverage, DefaultsEqualityAndSharing) {
    const GxSmartRef<GxCoverage> a(new GxCoverage()), b(new GxCoverage());
    double x, y, ex, ey;
    a->GetOrigin(x, y);
    a->GetExtent(ex, ey);
    EXPECT_TRUE(x == -180 && y == -90 && ex == 180 && ey == 90);
    BRef cs, other;
    GxSmartRef<GxProjection> projection;
    GxSmartRef<GxEllipsoidBase> ellipsoid;
    char kind[32], name[32];
    ASSERT_TRUE(a->GetCoordSystem(cs) && cs->GetProjection(projection) &&
                cs->GetEllipsoid(ellipsoid) && cs->GetUnits(kind, 32, name, 32));
    EXPECT_TRUE(!projection && std::string(ellipsoid->GetEllipsoid()) == "WGS84");
    EXPECT_EQ(std::string(kind) + "/" + name, "Angular Distance/Degrees");
    EXPECT_EQ(cs->GetScnProjection(), 5);
    EXPECT_TRUE(*a == *b && GxCoverage(-180, -90, 180, 90, BRef()) == *b);

    // Each value is compared exactly.
    a->SetOriginX(10);
    EXPECT_TRUE(a->GetOriginX() == 10 && a->GetOriginY() == -90 && *a != *b);
    a->SetOriginX(-180);
    a->SetExtentY(90 + 1e-12);
    EXPECT_TRUE(*a != *b);
    a->SetExtent(180, 90);

    // The copy constructor and Clone clone the system, assignment shares it.
    const GxCoverage copy(*a);
    const GxSmartRef<GxCoverageBase> clone = a->Clone();
    GxCoverage assigned(1, 2, 3, 4, UtmSystem());
    assigned = *a;
    assigned = *&assigned;
    copy.GetCoordSystem(other);
    EXPECT_TRUE(other.Get() != cs.Get() && copy == *a);
    clone->GetCoordSystem(other);
    EXPECT_TRUE(other.Get() != cs.Get() && *clone == *a);
    assigned.GetCoordSystem(other);
    EXPECT_TRUE(other.Get() == cs.Get() && assigned == *a);

    // Replacing the system converts nothing. The replacement for an empty one has
    // no unit texts, so it equals no default system.
    a->SetCoordSystem(UtmSystem());
    EXPECT_TRUE(a->GetOriginX() == -180 && a->GetExtentY() == 90 && *a != *b);
    a->SetCoordSystem(BRef());
    a->GetCoordSystem(cs);
    EXPECT_FALSE(cs->GetUnits(kind, name));
    EXPECT_TRUE(*a != *b);
}

} // namespace
