#ifndef GEOFRAME_PROJECTION_DETAIL_GXPROJECTIONOVERLOADS_H
#define GEOFRAME_PROJECTION_DETAIL_GXPROJECTIONOVERLOADS_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxProjection.h>

namespace geoframe::detail {

/// The seven conversion overloads that every projection derives from its two angle
/// conversions, written once for the whole family. `Family` is the class that
/// defines the two angle conversions (final there); the overloads call them
/// directly rather than through the virtual table, and are compiled together with
/// them (the library instantiates the template for its two families), so a gxVec3
/// or GxGeoCoord conversion costs what the angle conversion costs and no more.
///
/// Every overload writes its outputs only when the angle conversion succeeded and
/// the elevation it would write is finite (false otherwise, as for any other
/// non-finite input or result). The
/// local origin's x and y are the angle conversions' business; its z is subtracted
/// from elevations on the way to map coordinates and added back on the way from them.
template <class Family>
class GEOFRAME_EXPORT GxProjectionOverloads : public GxProjection {
public:
    using GxProjection::LatLong2Proj;
    using GxProjection::Proj2LatLong;

    bool LatLong2Proj(const gxVec3& in, gxVec3& out) const override;
    bool GeoCoord2Proj(const GxGeoCoord& in, double& x, double& y) const override;
    bool GeoCoord2Proj(const GxGeoCoord& in, gxVec3& out) const override;
    bool Proj2LatLong(double x, double y, double& lat, double& lon) const override;
    bool Proj2LatLong(const gxVec3& in, gxVec3& out) const override;
    /// Elevation 0.
    bool Proj2GeoCoord(double x, double y, GxGeoCoord& out) const override;
    /// Elevation in.z + local origin z.
    bool Proj2GeoCoord(const gxVec3& in, GxGeoCoord& out) const override;

protected:
    using GxProjection::GxProjection;

private:
    const Family& Self() const { return static_cast<const Family&>(*this); }
};

} // namespace geoframe::detail

#endif
