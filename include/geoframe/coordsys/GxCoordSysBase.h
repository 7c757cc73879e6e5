#ifndef GEOFRAME_COORDSYS_GXCOORDSYSBASE_H
#define GEOFRAME_COORDSYS_GXCOORDSYSBASE_H

#include <geoframe/foundation/GxRefBase.h>
#include <geoframe/foundation/GxSmartRef.h>
#include <geoframe/geodesy/GxEllipsoidBase.h>
#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxProjection.h>

#include <cstddef>
#include <cstdio>

/// What a terrain database says about the coordinates it stores: a projection,
/// the ellipsoid under it, a unit kind and a unit name, and a vertical datum, with
/// the projection and units codes that the scene-database format records.
/// Reference-counted, held through GxSmartRef<GxCoordSysBase>; copied with Clone
/// (assignment does nothing).
class GEOFRAME_EXPORT GxCoordSysBase : public GxRefBase {
public:
    /// The reference surface of heights. The library only stores, returns and
    /// compares it; any value of the underlying int may be stored.
    enum VerticalDatumType : int {
        VERTICAL_DATUM_UNSPECIFIED = 0,
        VERTICAL_DATUM_ELLIPSOID = 1,
        VERTICAL_DATUM_GEOID = 2
    };

    GxCoordSysBase();
    ~GxCoordSysBase() override;

    virtual GxSmartRef<GxCoordSysBase> Clone() const = 0;

    virtual bool SetProjection(GxSmartRef<GxProjection> projection) = 0;
    virtual bool SetEllipsoid(GxSmartRef<GxEllipsoidBase> ellipsoid) = 0;
    virtual bool SetUnits(const char* unitKind, const char* unitName) = 0;
    virtual bool SetVerticalDatum(VerticalDatumType datum) = 0;
    virtual bool GetProjection(GxSmartRef<GxProjection>& projection) const = 0;
    virtual bool GetEllipsoid(GxSmartRef<GxEllipsoidBase>& ellipsoid) const = 0;
    /// Copies both unit texts with their terminators into buffers the caller makes
    /// large enough. Prefer the overload with buffer sizes.
    virtual bool GetUnits(char* unitKind, char* unitName) const = 0;
    virtual bool GetVerticalDatum(VerticalDatumType& datum) const = 0;
    virtual int GetScnProjection() = 0;
    virtual int GetScnUnits() = 0;
    virtual bool Save(FILE* file) = 0;
    virtual bool Load(FILE* file) = 0;
    virtual bool operator==(const GxCoordSysBase& other) const = 0;
    virtual bool operator!=(const GxCoordSysBase& other) const = 0;

    /// Copies both unit texts with their terminators into buffers of `kindSize`
    /// and `nameSize` characters. False, and nothing written, when a buffer is null,
    /// a text is missing or a text does not fit.
    virtual bool GetUnits(char* unitKind, std::size_t kindSize, char* unitName,
                          std::size_t nameSize) const = 0;

protected:
    GxCoordSysBase(const GxCoordSysBase& other);

private:
    GxCoordSysBase& operator=(const GxCoordSysBase&) { return *this; }
};

#endif
