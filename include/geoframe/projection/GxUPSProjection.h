#ifndef GEOFRAME_PROJECTION_GXUPSPROJECTION_H
#define GEOFRAME_PROJECTION_GXUPSPROJECTION_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxStereographicProjection.h>

/// Universal Polar Stereographic, the polar half of the UTM/UPS system (from 84
/// degrees north, south of 80 degrees south; see GxUTMProjection::StandardZone):
/// a GxStereographicProjection with its origin at the pole (latitude 90 or -90,
/// longitude 0) and the scale factor 0.994 there ("k=0.994000"), whose false
/// easting and northing of 2,000,000 m are held in the local origin. A new one
/// has the local origin (-2000000, -2000000, 0); to shift its coordinates by a
/// further (x, y, z), set the local origin to (x - 2000000, y - 2000000, z). The
/// base class's setters still change the parameters as they do for any
/// stereographic projection, and then it is UPS no more.
///
/// Forward conversions take latitudes as they are, up to the pole: the base class
/// moves latitudes beyond +-89.99999 degrees to +-89.99999, which would put the
/// pole 1.1 m from (2000000, 2000000) and every point within 1.1 m of the pole
/// onto that circle. Here the pole converts to (2000000, 2000000) exactly. The
/// other pole lies at infinity (PROJ would give a finite 4e23 m) and does not
/// convert: false, outputs untouched.
///
/// Description:
///   UPS (Universal Polar Stereographic)
///   Origin: 90~0'0.00" N, 0~0'0.00" E
///   K0: 0.994000
///   Datum: WGS84
class GEOFRAME_EXPORT GxUPSProjection : public GxStereographicProjection {
public:
    /// The north polar aspect for hemisphere 0, the south polar aspect for any
    /// other value, on `ellipsoid`; configured.
    GxUPSProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, int hemisphere);
    /// Same parameters, ellipsoid object and local origin; configured.
    GxUPSProjection(const GxUPSProjection& other);
    ~GxUPSProjection() override;

    GxSmartRef<GxProjection> Clone() const override;
    /// "UPS (Universal Polar Stereographic)"; GetProjectionName stays
    /// "Stereog_PROJ", so coordinate systems code it as a stereographic projection.
    const char* GetProjectionDesc() const override;
    /// 1 when the origin latitude is south of the equator, else 0.
    bool GetHemisphere(int& hemisphere) const;

    /// The false easting and northing, in metres.
    static constexpr double kFalseOrigin = 2000000.0;
    /// The scale factor at the pole.
    static constexpr double kScaleK0 = 0.994;

private:
    GxUPSProjection& operator=(const GxUPSProjection&) { return *this; }
};

#endif
