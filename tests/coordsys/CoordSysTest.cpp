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
    const char* const angular[] = {"Angular Distance", "angular DISTANCE", "ANGULAR_DISTANCE",
                                   "Angular_distance in degrees", longKind.c_str()};
    const char* const linear[] = {nullptr, "Angular Distanc", " Angular Distance",
                                  "Angular-Distance", "Distance"};
    const PRef projections[] = {PRef(),
                                new NamedProjection("Latitude/Longitude"),
                                new GxFlatEarthProjection(),
                                new GxTrapezoidalProjection(),
                                new GxLCCProjection(),
                                new GxUTMProjection(),
                                new GxACEAProjection(),
                                new GxStereographicProjection(),
                                new NamedProjection("latitude/longitude"),
                                new NamedProjection("Mercator"),
                                new NamedProjection(nullptr)};
    const int codes[] = {-1, -1, 0, 1, 3, 4, 5, 5, 5, 5, 5}; // -1: by the unit kind
    for (int i = 0; i < 11; ++i)
        for (int a = 0; a < 2; ++a)
            for (const char* kind : a ? angular : linear)
                EXPECT_EQ(System(projections[i], kind, "Meters")->GetScnProjection(), codes[i] >= 0
                                                                                          ? codes[i]
                                                                                      : a ? 5
                                                                                          : 6)
                    << i << " " << (kind ? kind : "null");

    const char* const units[] = {"Meters", "Kilometers", "Feet",    "Inches", "Nautical Miles",
                                 "meters", "Meters ",    "Degrees", "",       nullptr};
    const int unitCodes[] = {0, 1, 4, 5, 8, -1, -1, -1, -1, -1};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(System(PRef(), "Distance", units[i])->GetScnUnits(), unitCodes[i]) << i;
}

TEST(CoordSys, UnitTextsAndBufferSizes) {
    GxCoordSys cs;
    char k[16], n[16];
    cs.SetUnits("Distance", nullptr); // one text is not enough
    EXPECT_FALSE(cs.GetUnits(k, n) || cs.GetUnits(k, 16, n, 16));
    cs.SetUnits(nullptr, "Feet");
    EXPECT_FALSE(cs.GetUnits(nullptr, n) || cs.GetUnits(k, nullptr));
    // A text fits with its terminator, or nothing at all is written.
    const std::size_t sizes[][3] = {{9, 5, true}, {8, 5, false}, {9, 4, false}, {0, 0, false}};
    for (const auto& s : sizes) {
        std::memset(k, '#', sizeof k);
        std::memset(n, '#', sizeof n);
        EXPECT_EQ(cs.GetUnits(k, s[0], n, s[1]), s[2] != 0) << s[0] << " " << s[1];
        EXPECT_EQ(std::string(k, 10) + std::string(n, 6),
                  s[2] ? std::string("Distance\0#Feet\0#", 16) : std::string(16, '#'));
    }
    ASSERT_TRUE(cs.GetUnits(k, n));
    EXPECT_EQ(std::string(k) + "/" + n, "Distance/Feet");
    GxCoordSysBase::VerticalDatumType datum = GxCoordSysBase::VERTICAL_DATUM_GEOID;
    EXPECT_TRUE(cs.GetVerticalDatum(datum) && datum == 0);
    EXPECT_FALSE(cs.Save(stdout) || cs.Load(stdin) || cs.Save(nullptr) || cs.Load(nullptr));
}

TEST(CoordSys, SharingAndCopies) {
    const ERef wgs84(new GxEllipsoid("WGS84")), clarke(new GxEllipsoid("clrk66"));
    const PRef utm(new GxUTMProjection(wgs84, 33, 0));
    GxCoordSys cs;
    ERef e;
    PRef p;
    cs.SetProjection(utm);
    EXPECT_TRUE(cs.GetEllipsoid(e) && e.Get() == wgs84.Get());
    // The ellipsoid reaches the shared projection, which rebuilds its description.
    cs.SetEllipsoid(clarke);
    EXPECT_EQ(utm->GetEllipsoid().Get(), clarke.Get());
    EXPECT_NE(std::string(utm->GetProjectionInstanceDesc()).find("Datum: clrk66"),
              std::string::npos);
    // An empty projection drops the projection and keeps the ellipsoid.
    EXPECT_TRUE(cs.SetProjection(PRef()) && cs.GetProjection(p) && cs.GetEllipsoid(e));
    EXPECT_TRUE(!p && e.Get() == clarke.Get());
    // Held as passed; the ellipsoid reported is the projection's.
    const GxCoordSys asPassed(utm, wgs84);
    asPassed.GetEllipsoid(e);
    EXPECT_EQ(e.Get(), clarke.Get());

    // A clone holds a clone of the projection and the same ellipsoid.
    const CRef source = System(utm, "Distance", "Meters");
    const GxSmartRef<GxCoordSysBase> clone = source->Clone();
    EXPECT_TRUE(*clone == *source && *source == *clone);
    clone->GetProjection(p);
    clone->GetEllipsoid(e);
    EXPECT_TRUE(p.Get() != utm.Get() && e.Get() == clarke.Get());
    static_cast<GxUTMProjection&>(*p).SetZone(34);
    EXPECT_TRUE(*clone != *source);
    // Assignment changes nothing, also onto itself.
    GxCoordSys assigned;
    assigned = *source;
    assigned = assigned;
    char k[16], n[16];
    EXPECT_TRUE(assigned.GetProjection(p) && !p && !assigned.GetUnits(k, n));
}

TEST(CoordSys, Equality) {
    const ERef wgs84(new GxEllipsoid("WGS84")), clarke(new GxEllipsoid("clrk66"));
    const ERef near(new GxEllipsoid(6378137.000000001, 6356752.314245179, 0, 0, 0, "near"));
    const auto make = [&](int zone, const char* kind, const char* name, int datum, ERef e) {
        const CRef cs =
            System(zone ? PRef(new GxUTMProjection(wgs84, zone, 0)) : PRef(), kind, name);
        cs->SetVerticalDatum(static_cast<GxCoordSysBase::VerticalDatumType>(datum));
        if (e)
            cs->SetEllipsoid(e);
        return cs;
    };
    // Each against UTM zone 33 on WGS84, "Distance", "Meters", datum 0.
    const struct {
        int zone;
        const char *kind, *name;
        int datum;
        ERef ellipsoid;
        bool equal;
    } cases[] = {{33, "Distance", "Meters", 0, ERef(), true},
                 {33, "Distance", "Meters", 0, near, true}, // within 1e-8 m
                 {33, "Distance", "Meters", 0, clarke, false},
                 {32, "Distance", "Meters", 0, ERef(), false},
                 {0, "Distance", "Meters", 0, wgs84, false},
                 {33, "distance", "Meters", 0, ERef(), false},
                 {33, "Distance", "meters", 0, ERef(), false},
                 {33, "Distance", nullptr, 0, ERef(), false},
                 {33, nullptr, "Meters", 0, ERef(), false},
                 {33, "Distance", "Meters2", 0, ERef(), false},
                 {33, "Distance", "Meters", 2, ERef(), false}};
    for (const auto& c : cases) {
        const CRef a = make(33, "Distance", "Meters", 0, ERef());
        const CRef b = make(c.zone, c.kind, c.name, c.datum, c.ellipsoid);
        EXPECT_TRUE((*a == *b) == c.equal && (*b == *a) == c.equal && (*a != *b) != c.equal)
            << c.zone << " " << (c.kind ? c.kind : "-") << " " << (c.name ? c.name : "-") << " "
            << c.datum;
    }
    // Without both unit texts a system equals only itself.
    const CRef bare(new GxCoordSys());
    EXPECT_TRUE(*bare == *bare && *bare != GxCoordSys());
    // Without projection: an ellipsoid on one side only makes them unequal.
    const CRef none = make(0, "Angular Distance", "Degrees", 0, ERef());
    const CRef held = make(0, "Angular Distance", "Degrees", 0, wgs84);
    EXPECT_TRUE(*none == *make(0, "Angular Distance", "Degrees", 0, ERef()));
    EXPECT_TRUE(*none != *held && *held != *none);
}

} // namespace
