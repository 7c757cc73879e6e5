#ifndef GEOFRAME_PROJECTION_GXPROJECTIONSTRATEGY_H
#define GEOFRAME_PROJECTION_GXPROJECTIONSTRATEGY_H

#include <geoframe/geoframe_export.h>

class GxGeoAngle;

/// Interface of the engine behind a projection: it is configured with a parameter
/// list, converts latitude/longitude to map coordinates and back, and answers
/// questions about the engine's table of named ellipsoids.
///
/// A strategy belongs to one owner (a projection or an ellipsoid) and is used from
/// one thread at a time. It is neither copied nor assigned.
class GEOFRAME_EXPORT GxProjectionStrategy {
public:
    GxProjectionStrategy() = default;
    virtual ~GxProjectionStrategy();

    /// Copies of the current parameter strings in `list` and their number; null and
    /// 0 when there are none. The caller releases each string with delete[], then
    /// the array with delete[].
    virtual int GetParameters(char**& list) = 0;

    /// The ids and full names of the engine's named ellipsoids, in the engine's
    /// order, and their number. The caller releases each string with delete[], then
    /// each array with delete[].
    virtual int GetSupportedEllipsoids(char**& ids, char**& names) = 0;

    /// The semi-major radius a, semi-minor radius b, first eccentricity e and its
    /// square es of the ellipsoid whose id or full name is `name`. False, outputs
    /// untouched, when no ellipsoid has that name.
    virtual bool GetEllipsoid(const char* name, double& a, double& b, double& e, double& es) = 0;

    /// Replaces the parameter list by `first` and the strings that follow it, ended
    /// by a null pointer, and configures the engine from it. False when `first` is
    /// null (nothing changes) or when the engine refuses the list.
    [[gnu::sentinel]] virtual bool SetParameters(const char* first, ...) = 0;

    /// Forward conversion to map coordinates. False, outputs untouched, when the
    /// strategy is not configured or the point cannot be converted.
    virtual bool LatLong2Proj(const GxGeoAngle& lat, const GxGeoAngle& lon, double& x,
                              double& y) = 0;

    /// Inverse conversion from map coordinates. False, outputs untouched, when the
    /// strategy is not configured or the point cannot be converted.
    virtual bool Proj2LatLong(double x, double y, GxGeoAngle& lat, GxGeoAngle& lon) = 0;

private:
    GxProjectionStrategy(const GxProjectionStrategy&) = delete;
    GxProjectionStrategy& operator=(const GxProjectionStrategy&) = delete;
};

#endif
