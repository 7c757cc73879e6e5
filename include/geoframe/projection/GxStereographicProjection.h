#ifndef GEOFRAME_PROJECTION_GXSTEREOGRAPHICPROJECTION_H
#define GEOFRAME_PROJECTION_GXSTEREOGRAPHICPROJECTION_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxProj4Projection.h>
#include <geoframe/projection/detail/ProjectionOrigin.h>

/// The stereographic projection about an origin latitude and longitude, computed
/// by PROJ ("proj=stere", "lat_0=", "lon_0=", then the scale, then "a=" and "b=").
///
/// The scale is fixed either by a scale factor K0 or by a scale latitude; a switch
/// chooses which one reaches PROJ, the description and IsEqual. Both are always
/// stored: SetScaleK0 turns the switch on, SetScaleLat turns it off, and neither
/// clears the other value. With the switch on the list holds "k=" and the factor;
/// with it off it holds "lat_1=" and the scale latitude. Databases were made with
/// exactly these lists, so they stay as they are, with one consequence to know:
/// PROJ's "stere" takes its latitude of true scale from "lat_ts", not from
/// "lat_1", so with the switch off the scale latitude does not change the mapping
/// (a polar projection then has true scale at its pole, k0 = 1).
///
/// Forward conversions move latitudes beyond +-89.99999 degrees to +-89.99999
/// before PROJ sees them, so the poles convert (to a point 1.1 m from where the
/// pole itself maps; GxUPSProjection converts the pole exactly); inverse
/// conversions are not limited.
///
/// Accuracy: a polar aspect with K0 agrees with GeographicLib's
/// PolarStereographic on the same radii within 5e-9 m from the pole to 40
/// degrees from it (outside the 1.1 m circle above).
///
/// Description:
///   Stereographic
///   Origin: [latitude], [longitude]
///   Scale Lat: [scale latitude]        (switch off)
///   K0: 0.994000                       (switch on; the factor as PROJ gets it)
///   Datum: [first 10 characters of the ellipsoid's name]
class GEOFRAME_EXPORT GxStereographicProjection : public GxProj4Projection {
public:
    /// Origin 0, 0, scale latitude 90, scale factor 0.994, switch off, a new
    /// "WGS84" ellipsoid. Not configured: conversions fail until a setter,
    /// SetLocalOrigin or SetEllipsoid runs.
    GxStereographicProjection();
    /// The same defaults on `ellipsoid`; not configured either.
    explicit GxStereographicProjection(GxSmartRef<GxEllipsoidBase> ellipsoid);
    /// Scale fixed by the scale latitude (factor 0.994, switch off); configured.
    /// Pass the scale latitude as a GxGeoAngle: a plain number selects the next
    /// constructor and becomes the scale factor.
    GxStereographicProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                              GxGeoAngle originLon, GxGeoAngle scaleLat);
    /// Scale fixed by the factor (scale latitude 90, switch on); configured.
    GxStereographicProjection(GxSmartRef<GxEllipsoidBase> ellipsoid, GxGeoAngle originLat,
                              GxGeoAngle originLon, double scaleK0);
    /// Same parameters, switch, ellipsoid object and local origin; a PROJ adapter
    /// of its own, configured.
    GxStereographicProjection(const GxStereographicProjection& other);
    ~GxStereographicProjection() override;

    GxSmartRef<GxProjection> Clone() const override;
    /// "Stereog_PROJ"
    const char* GetProjectionName() const override;
    /// "Stereographic"
    const char* GetProjectionDesc() const override;
    /// Same class (a GxUPSProjection is not equal to a plain stereographic
    /// projection), name, ellipsoid and local origin, equal origin angles and switches,
    /// then the scale the switch selects (the factor exactly, or the scale
    /// latitude); the inactive scale value is not compared.
    bool IsEqual(GxSmartRef<GxProjection> other) const override;

    /// The setters store their value, reconfigure PROJ, rebuild the description
    /// and return true even when PROJ refuses the new list.
    bool SetOriginLatLong(GxGeoAngle lat, GxGeoAngle lon);
    /// Stores the scale latitude and turns the switch off.
    bool SetScaleLat(GxGeoAngle lat);
    /// Stores the scale factor and turns the switch on.
    bool SetScaleK0(double k0);

    bool GetOriginLatLong(GxGeoAngle& lat, GxGeoAngle& lon) const;
    /// In decimal degrees.
    bool GetOriginLatLong(double& lat, double& lon) const;
    /// The stored scale latitude, whatever the switch.
    bool GetScaleLat(GxGeoAngle& lat) const;
    bool GetScaleLat(double& lat) const;
    /// The stored scale factor, whatever the switch.
    bool GetScaleK0(double& k0) const;
    /// True in `useK0` when the scale factor fixes the scale.
    bool GetUseScaleK0(bool& useK0) const;

protected:
    /// The description under GetProjectionDesc's title (GxUPSProjection rebuilds
    /// it under its own).
    bool UpdateInstanceDesc() override;

private:
    GxStereographicProjection& operator=(const GxStereographicProjection&) { return *this; }

    bool SetProjection() override;

    geoframe::detail::ProjectionOrigin m_origin;
    GxGeoAngle m_scaleLat;
    double m_scaleK0;
    bool m_useScaleK0;
};

#endif
