#ifndef GEOFRAME_COORDSYS_GXCOORDSYS_H
#define GEOFRAME_COORDSYS_GXCOORDSYS_H

#include <geoframe/coordsys/GxCoordSysBase.h>
#include <geoframe/geoframe_export.h>

#include <optional>
#include <string>

/// The coordinate system of a terrain database. Holds a projection and an
/// ellipsoid (both shared, either may be empty), two optional unit texts, such as
/// "Angular Distance" and "Degrees" or "Distance" and "Meters", and a vertical
/// datum (0 unless set). The setters keep the held ellipsoid the projection's.
///
/// Copies (copy constructor, Clone) hold a clone of the projection, the same
/// ellipsoid object and copies of the texts. Assignment changes nothing.
class GEOFRAME_EXPORT GxCoordSys : public GxCoordSysBase {
public:
    /// No projection, no ellipsoid, no unit texts, vertical datum 0.
    GxCoordSys();
    /// Holds both as passed, without making the ellipsoid the projection's.
    GxCoordSys(GxSmartRef<GxProjection> projection, GxSmartRef<GxEllipsoidBase> ellipsoid);
    GxCoordSys(const GxCoordSys& other);
    /// Leaves this system as it is.
    GxCoordSys& operator=(const GxCoordSys&) { return *this; }
    ~GxCoordSys() override;

    GxSmartRef<GxCoordSysBase> Clone() const override;

    /// Holds `projection` and its ellipsoid. An empty reference drops the
    /// projection and keeps the ellipsoid held. True.
    bool SetProjection(GxSmartRef<GxProjection> projection) override;
    /// Holds `ellipsoid` and gives it to the held projection too, which rebuilds
    /// itself (its result is not reported). True.
    bool SetEllipsoid(GxSmartRef<GxEllipsoidBase> ellipsoid) override;
    /// Copies each text that is not null; a null one stays as it was. True.
    bool SetUnits(const char* unitKind, const char* unitName) override;
    bool SetVerticalDatum(VerticalDatumType datum) override;
    bool GetProjection(GxSmartRef<GxProjection>& projection) const override;
    /// The projection's ellipsoid when a projection is held, else the held one.
    bool GetEllipsoid(GxSmartRef<GxEllipsoidBase>& ellipsoid) const override;
    /// False when a buffer is null or a text is missing; then nothing is written.
    bool GetUnits(char* unitKind, char* unitName) const override;
    bool GetUnits(char* unitKind, std::size_t kindSize, char* unitName,
                  std::size_t nameSize) const override;
    bool GetVerticalDatum(VerticalDatumType& datum) const override;

    /// The scene-database projection code: by projection name 0 "FlatEarth_PROJ",
    /// 1 "Trapezoidal_PROJ", 3 "LCC_PROJ", 4 "UTM_PROJ", 5 "ACEA_PROJ",
    /// "Stereog_PROJ" and any other name. For "Latitude/Longitude" or no
    /// projection: 5 when the unit kind, in upper case, begins with
    /// "ANGULAR DISTANCE" or "ANGULAR_DISTANCE", otherwise 6.
    int GetScnProjection() override;
    /// The scene-database units code of the unit name: 0 "Meters",
    /// 1 "Kilometers", 4 "Feet", 5 "Inches", 8 "Nautical Miles"; -1 otherwise.
    int GetScnUnits() override;

    /// A coordinate system is neither written nor read: both do nothing and
    /// return false.
    bool Save(FILE* file) override;
    bool Load(FILE* file) override;

    /// Equal when `other` is this object, or has the same vertical datum, both unit
    /// texts equal to this system's (case-sensitive; a missing text on either side
    /// makes them unequal), equal ellipsoids as each system reports it through
    /// GetEllipsoid (or both none) and an IsEqual projection (or both none).
    /// Symmetric, and every clone equals its original.
    bool operator==(const GxCoordSysBase& other) const override;
    bool operator!=(const GxCoordSysBase& other) const override;

private:
    GxSmartRef<GxProjection> m_projection;
    GxSmartRef<GxEllipsoidBase> m_ellipsoid;
    std::optional<std::string> m_unitKind;
    std::optional<std::string> m_unitName;
    VerticalDatumType m_verticalDatum;
};

#endif
