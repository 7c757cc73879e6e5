#ifndef GEOFRAME_COORDSYS_GXCOVERAGE_H
#define GEOFRAME_COORDSYS_GXCOVERAGE_H

#include <geoframe/coordsys/GxCoverageBase.h>
#include <geoframe/geoframe_export.h>

/// A coverage rectangle. By default origin (-180, -90) and extent (180, 90) in a
/// latitude/longitude system: a GxCoordSys without projection on a WGS84
/// ellipsoid with the units "Angular Distance" and "Degrees". Origin and extent
/// are stored and compared as given; nothing is converted, also not when the
/// coordinate system is replaced.
///
/// The copy constructor and Clone hold a clone of the coordinate system;
/// assignment shares the other coverage's coordinate system object. Every setter
/// stores its values unchecked and returns true; the getters return true.
class GEOFRAME_EXPORT GxCoverage : public GxCoverageBase {
public:
    GxCoverage();
    /// An empty `coordSys` gives the default coordinate system.
    GxCoverage(double originX, double originY, double extentX, double extentY,
               GxSmartRef<GxCoordSysBase> coordSys);
    GxCoverage(const GxCoverage& other);
    GxCoverage& operator=(const GxCoverage& other);
    ~GxCoverage() override;

    GxSmartRef<GxCoverageBase> Clone() const override;
    bool SetOrigin(double x, double y) override;
    bool SetOriginX(double x) override;
    bool SetOriginY(double y) override;
    bool SetExtent(double x, double y) override;
    bool SetExtentX(double x) override;
    bool SetExtentY(double y) override;
    /// Holds `coordSys` itself. An empty reference holds a new GxCoordSys on a
    /// WGS84 ellipsoid without unit texts (unlike the constructors' default).
    bool SetCoordSystem(GxSmartRef<GxCoordSysBase> coordSys) override;
    bool GetOrigin(double& x, double& y) const override;
    double GetOriginX() const override;
    double GetOriginY() const override;
    bool GetExtent(double& x, double& y) const override;
    double GetExtentX() const override;
    double GetExtentY() const override;
    /// The held coordinate system itself; false when none is held.
    bool GetCoordSystem(GxSmartRef<GxCoordSysBase>& coordSys) const override;
    /// Equal when `other` is this object, or has exactly the same origin and
    /// extent and an equal coordinate system (GxCoordSys equality, or both none).
    bool operator==(const GxCoverageBase& other) const override;
    bool operator!=(const GxCoverageBase& other) const override;

private:
    double m_originY;
    double m_originX;
    double m_extentY;
    double m_extentX;
    GxSmartRef<GxCoordSysBase> m_coordSys;
};

#endif
