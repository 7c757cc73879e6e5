#ifndef GEOFRAME_PROJECTION_DETAIL_PROJECTIONORIGIN_H
#define GEOFRAME_PROJECTION_DETAIL_PROJECTIONORIGIN_H

#include <geoframe/geodesy/GxGeoAngle.h>

namespace geoframe::detail {

/// The origin latitude and longitude of the projections that have one (conic,
/// stereographic, degree grids), and how they hand it out.
struct ProjectionOrigin {
    GxGeoAngle lat;
    GxGeoAngle lon;

    void Get(GxGeoAngle& outLat, GxGeoAngle& outLon) const {
        outLat = lat;
        outLon = lon;
    }
    /// In decimal degrees.
    void Get(double& outLat, double& outLon) const {
        outLat = lat;
        outLon = lon;
    }
    /// Exact GxGeoAngle equality of both angles.
    bool operator==(const ProjectionOrigin& other) const {
        return lat == other.lat && lon == other.lon;
    }
};

} // namespace geoframe::detail

#endif
