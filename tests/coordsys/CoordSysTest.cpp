#include <geoframe/coordsys/GxCoordSys.h>
#include <geoframe/geodesy/GxEllipsoid.h>
#include <geoframe/projection/GxACEAProjection.h>
#include <geoframe/projection/GxFlatEarthProjection.h>
#include <geoframe/projection/GxLCCProjection.h>
#include <geoframe/projection/GxStereographicProjection.h>
#include <geoframe/projection/GxTrapezoidalProjection.h>
#include <geoframe/projection/GxUTMProjection.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

using ERef = GxSmartRef<GxEllipsoidBase>;
using PRef = GxSmartRef<GxProjection>;
using CRef = GxSmartRef<GxCoordSys>;

/// A projection known only by its name, for the names no class of the library
/// reports ("Latitude/Longitude", unknown ones, none).
class NamedProjection : public GxProjection {
public:
    explicit NamedProjection(const char* name) : m_name(name) {}
    PRef Clone() const override { return PRef(new NamedProjection(*this)); }
    const char* GetProjectionName() const override { return m_name; }
    const char* GetProjectionDesc() const override { return "Named"; }
    bool LatLong2Proj(GxGeoAngle, GxGeoAngle, double&, double&) const override { return false; }
    bool Proj2LatLong(double, double, GxGeoAngle&, GxGeoAngle&) const override { return false; }
    bool IsEqual(PRef other) const override { return other && HasEqualFrame(*other); }

private:
    bool SetProjection() override { return true; }
    bool UpdateInstanceDesc() override { return true; }
    const char* m_name;
};

CRef System(PRef projection, const char* kind, const char* name) {
    CRef cs(new GxCoordSys());
    if (projection)
        cs->SetProjection(projection);
    cs->SetUnits(kind, name);
    return cs;
}

TEST(CoordSys, SceneDatabaseCodes) {
    // The unit kind decides for "Latitude/Longitude" and for no projection:
    // angular when, upper-cased, it begins with either keyword.
    const std::string longKind = "angular distance" + std::string(200, '.');
    const struct {
        const char* kind;
        bool angular;
    } kinds[] = {{nullptr, false},
                 {"Angular Distance", true},
                 {"angular DISTANCE", true},
                 {"ANGULAR_DISTANCE", true},
                 {"Angular_distance in degrees", true},
                 {longKind.c_str(), true},
                 {"Angular Distanc", false},
                 {" Angular Distance", false},
                 {"Angular-Distance", false},
                 {"Distance", false}};
    const struct {
        PRef projection;
        int code; // -1: decided by the unit kind
    } projections[] = {{PRef(), -1},
                       {PRef(new NamedProjection("Latitude/Longitude")), -1},
                       {PRef(new GxFlatEarthProjection()), 0},
                       {PRef(new GxTrapezoidalProjection()), 1},
                       {PRef(new GxLCCProjection()), 3},
                       {PRef(new GxUTMProjection()), 4},
                       {PRef(new GxACEAProjection()), 5},
                       {PRef(new GxStereographicProjection()), 5},
                       {PRef(new NamedProjection("latitude/longitude")), 5},
                       {PRef(new NamedProjection("Mercator")), 5},
                       {PRef(new NamedProjection(nullptr)), 5}};
    for (const auto& p : projections)
        for (const auto& k : kinds) {
            const int want = p.code >= 0 ? p.code : k.angular ? 5 : 6;
            EXPECT_EQ(System(p.projection, k.kind, "Meters")->GetScnProjection(), want)
                << (p.projection ? p.projection->GetProjectionName() : "none") << " / "
                << (k.kind ? k.kind : "null");
        }

    const struct {
        const char* name;
        int code;
    } units[] = {
        {"Meters", 0},  {"Kilometers", 1}, {"Feet", 4},     {"Inches", 5}, {"Nautical Miles", 8},
        {"meters", -1}, {"Meters ", -1},   {"Degrees", -1}, {"", -1},      {nullptr, -1}};
    for (const auto& u : units)
        EXPECT_EQ(System(PRef(), "Distance", u.name)->GetScnUnits(), u.code)
            << (u.name ? u.name : "null");
}

TEST(CoordSys, UnitTextsAndBufferSizes) {
    GxCoordSys cs;
    char kind[32] = "x", name[32] = "y";
    EXPECT_FALSE(cs.GetUnits(kind, name) || cs.GetUnits(kind, 32, name, 32));
    cs.SetUnits("Distance", nullptr); // one text is not enough
    EXPECT_FALSE(cs.GetUnits(kind, name));
    cs.SetUnits(nullptr, "Feet");
    ASSERT_TRUE(cs.GetUnits(kind, name));
    EXPECT_STREQ(kind, "Distance");
    EXPECT_STREQ(name, "Feet");
    EXPECT_FALSE(cs.GetUnits(nullptr, name) || cs.GetUnits(kind, nullptr));

    // Sizes: a text fits with its terminator or nothing at all is written.
    const struct {
        std::size_t kindSize, nameSize;
        bool fits;
    } sizes[] = {{9, 5, true}, {8, 5, false}, {9, 4, false}, {0, 0, false}, {32, 32, true}};
    for (const auto& s : sizes) {
        char k[32], n[32];
        std::memset(k, '#', sizeof k);
        std::memset(n, '#', sizeof n);
        EXPECT_EQ(cs.GetUnits(k, s.kindSize, n, s.nameSize), s.fits) << s.kindSize << s.nameSize;
        if (s.fits) {
            EXPECT_STREQ(k, "Distance");
            EXPECT_STREQ(n, "Feet");
            EXPECT_EQ(k[9], '#');
        } else {
            EXPECT_TRUE(k[0] == '#' && n[0] == '#');
        }
    }

    GxCoordSysBase::VerticalDatumType datum = GxCoordSysBase::VERTICAL_DATUM_ELLIPSOID;
    EXPECT_TRUE(cs.GetVerticalDatum(datum));
    EXPECT_EQ(datum, GxCoordSysBase::VERTICAL_DATUM_UNSPECIFIED);
    // Nothing is written or read.
    EXPECT_FALSE(cs.Save(stdout) || cs.Load(stdin) || cs.Save(nullptr) || cs.Load(nullptr));
}

TEST(CoordSys, ProjectionAndEllipsoidAreShared) {
    const ERef wgs84(new GxEllipsoid("WGS84")), clarke(new GxEllipsoid("clrk66"));
    const PRef utm(new GxUTMProjection(wgs84, 33, 0));
    GxCoordSys cs;
    ERef e;
    PRef p;
    cs.SetProjection(utm);
    EXPECT_TRUE(cs.GetEllipsoid(e) && cs.GetProjection(p));
    EXPECT_TRUE(e.Get() == wgs84.Get() && p.Get() == utm.Get());
    // The new ellipsoid reaches the projection, which rebuilds its description.
    cs.SetEllipsoid(clarke);
    EXPECT_EQ(utm->GetEllipsoid().Get(), clarke.Get());
    EXPECT_NE(std::string(utm->GetProjectionInstanceDesc()).find("Datum: clrk66"),
              std::string::npos);
    // An empty projection drops the projection and keeps the ellipsoid.
    EXPECT_TRUE(cs.SetProjection(PRef()));
    EXPECT_TRUE(cs.GetProjection(p) && cs.GetEllipsoid(e));
    EXPECT_TRUE(!p && e.Get() == clarke.Get());
    EXPECT_EQ(cs.GetScnProjection(), 6);

    // Held as passed: the reported ellipsoid is the projection's, not the one given.
    const GxCoordSys asPassed(utm, wgs84);
    asPassed.GetEllipsoid(e);
    EXPECT_EQ(e.Get(), clarke.Get());

    // A clone holds a clone of the projection and the same ellipsoid; assignment
    // changes nothing.
    GxCoordSys source(utm, clarke);
    source.SetUnits("Distance", "Meters");
    source.SetVerticalDatum(GxCoordSysBase::VERTICAL_DATUM_GEOID);
    const GxSmartRef<GxCoordSysBase> clone = source.Clone();
    EXPECT_TRUE(*clone == source && source == *clone);
    clone->GetProjection(p);
    clone->GetEllipsoid(e);
    EXPECT_TRUE(p.Get() != utm.Get() && e.Get() == clarke.Get());
    static_cast<GxUTMProjection&>(*p).SetZone(34);
    int zone;
    static_cast<GxUTMProjection&>(*utm).GetZone(zone);
    EXPECT_EQ(zone, 33);
    EXPECT_TRUE(*clone != source);
    GxCoordSys assigned;
    assigned = source;
    assigned = assigned;
    EXPECT_EQ(assigned.GetScnUnits(), -1);
    EXPECT_TRUE(assigned.GetProjection(p) && !p);
}

TEST(CoordSys, Equality) {
    const ERef wgs84(new GxEllipsoid("WGS84")), clarke(new GxEllipsoid("clrk66"));
    const auto utm = [&](int zone) { return PRef(new GxUTMProjection(wgs84, zone, 0)); };
    using Make = std::function<CRef()>;
    const Make base = [&] { return System(utm(33), "Distance", "Meters"); };
    const struct {
        const char* what;
        Make other;
        bool equal;
    } cases[] = {
        {"same settings, own objects", base, true},
        {"other zone", [&] { return System(utm(32), "Distance", "Meters"); }, false},
        {"no projection", [&] { return System(PRef(), "Distance", "Meters"); }, false},
        {"unit kind in other case", [&] { return System(utm(33), "distance", "Meters"); }, false},
        {"unit name in other case", [&] { return System(utm(33), "Distance", "meters"); }, false},
        {"no unit name", [&] { return System(utm(33), "Distance", nullptr); }, false},
        {"longer unit name", [&] { return System(utm(33), "Distance", "Meters2"); }, false},
        {"vertical datum",
         [&] {
             CRef cs = base();
             cs->SetVerticalDatum(GxCoordSysBase::VERTICAL_DATUM_GEOID);
             return cs;
         },
         false},
        {"ellipsoid radius 1e-9 m off: within tolerance",
         [&] {
             CRef cs = base();
             cs->SetEllipsoid(
                 ERef(new GxEllipsoid(6378137.000000001, 6356752.314245179, 0, 0, 0, "near")));
             return cs;
         },
         true},
        {"other ellipsoid",
         [&] {
             CRef cs = base();
             cs->SetEllipsoid(clarke);
             return cs;
         },
         false},
    };
    for (const auto& c : cases) {
        const CRef a = base(), b = c.other();
        EXPECT_EQ(*a == *b, c.equal) << c.what;
        EXPECT_EQ(*b == *a, c.equal) << c.what;
        EXPECT_EQ(*a != *b, !c.equal) << c.what;
    }
    // Without both unit texts a system equals only itself.
    const CRef bare(new GxCoordSys()), bare2(new GxCoordSys());
    EXPECT_TRUE(*bare == *bare);
    EXPECT_FALSE(*bare == *bare2);
    // Latitude/longitude systems: an ellipsoid on one side only makes them unequal.
    const CRef none = System(PRef(), "Angular Distance", "Degrees");
    const CRef held = System(PRef(), "Angular Distance", "Degrees");
    EXPECT_TRUE(*none == *System(PRef(), "Angular Distance", "Degrees"));
    held->SetEllipsoid(wgs84);
    EXPECT_FALSE(*none == *held || *held == *none);
}

} // namespace
