#ifndef GEOFRAME_COORDSYS_GXCOVERAGEBASE_H
#define GEOFRAME_COORDSYS_GXCOVERAGEBASE_H

#include <geoframe/coordsys/GxCoordSysBase.h>
#include <geoframe/foundation/GxRefBase.h>
#include <geoframe/foundation/GxSmartRef.h>
#include <geoframe/geoframe_export.h>

/// The rectangle a database covers: an origin and an extent, both in the units
/// of a coordinate system. Reference-counted, held through
/// GxSmartRef<GxCoverageBase>.
class GEOFRAME_EXPORT GxCoverageBase : public GxRefBase {
public:
    GxCoverageBase();
    ~GxCoverageBase() override;

    /// A new coverage of the same class and values, returned with one reference.
    virtual GxSmartRef<GxCoverageBase> Clone() const = 0;
    /// The corner the rectangle starts from (for a latitude/longitude system: x is
    /// the longitude, y the latitude), in the coordinate system's units. Any value
    /// is stored as given.
    virtual bool SetOrigin(double x, double y) = 0;
    virtual bool SetOriginX(double x) = 0;
    virtual bool SetOriginY(double y) = 0;
    /// The size of the rectangle along x and y, in the coordinate system's units.
    /// Any value is stored as given, zero and negative ones too.
    virtual bool SetExtent(double x, double y) = 0;
    virtual bool SetExtentX(double x) = 0;
    virtual bool SetExtentY(double y) = 0;
    /// The coordinate system whose units origin and extent are in; the coverage
    /// holds a reference to it (see the derived class for an empty reference).
    virtual bool SetCoordSystem(GxSmartRef<GxCoordSysBase> coordSys) = 0;
    virtual bool GetOrigin(double& x, double& y) const = 0;
    virtual double GetOriginX() const = 0;
    virtual double GetOriginY() const = 0;
    virtual bool GetExtent(double& x, double& y) const = 0;
    virtual double GetExtentX() const = 0;
    virtual double GetExtentY() const = 0;
    /// A further reference to the held coordinate system; false when none is held.
    virtual bool GetCoordSystem(GxSmartRef<GxCoordSysBase>& coordSys) const = 0;
    virtual bool operator==(const GxCoverageBase& other) const = 0;
    virtual bool operator!=(const GxCoverageBase& other) const = 0;

private:
    GxCoverageBase(const GxCoverageBase&) = delete;
    GxCoverageBase& operator=(const GxCoverageBase&) { return *this; }
};

#endif
