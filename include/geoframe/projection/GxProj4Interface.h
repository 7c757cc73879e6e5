#ifndef GEOFRAME_PROJECTION_GXPROJ4INTERFACE_H
#define GEOFRAME_PROJECTION_GXPROJ4INTERFACE_H

#include <geoframe/geoframe_export.h>
#include <geoframe/projection/GxProjectionStrategy.h>

#include <string>
#include <vector>

// PROJ's own types behind its PJ and PJ_CONTEXT handles; the PROJ headers stay
// private to the library.
struct PJconsts;
struct pj_ctx;

/// The projection strategy backed by the PROJ library.
///
/// Parameters are PROJ's, without a leading plus sign ("proj=utm", "zone=32",
/// "a=6378137", "south"). Geographic values go to PROJ in radians, longitude first;
/// map coordinates come back in the units of the "a=" radius.
///
/// The adapter owns a PROJ context of its own, created the first time a projector
/// is made and destroyed with the adapter, with PROJ's logging switched off. So two
/// adapters may convert on two threads at the same time, and an adapter that only
/// reads PROJ's ellipsoid table never pays for a context. Making a projector (in
/// SetParameters) is serialised process-wide, because PROJ itself is not safe
/// there on several threads at once; conversions take no lock.
///
/// States: empty (no list, no projector), configured (list and projector) or
/// failed (list, no projector). Conversions work only when configured.
class GEOFRAME_EXPORT GxProj4Interface : public GxProjectionStrategy {
public:
    GxProj4Interface();
    ~GxProj4Interface() override;

    /// Copies of the parameter strings the current (or last refused) projector was
    /// made from, in order. The caller releases each string with delete[], then the
    /// array with delete[]. Null and 0 when no list has been set.
    int GetParameters(char**& list) override;

    /// Ids and full names of PROJ's built-in ellipsoids in PROJ's order. The caller
    /// releases each string with delete[], then each array with delete[].
    int GetSupportedEllipsoids(char**& ids, char**& names) override;

    /// Looks `name` up among the ids and full names of PROJ's ellipsoids (exact,
    /// case-sensitive; the last matching record wins) and derives a, b, e and es
    /// from its "a=" and its "rf=" or "b=" text (anything else gives a sphere).
    /// False, outputs untouched, for a null or unknown name.
    bool GetEllipsoid(const char* name, double& a, double& b, double& e, double& es) override;

    /// Takes `first` and at most 19 further strings, up to a null pointer, as the
    /// new list and makes a projector from it. False when `first` is null (list and
    /// projector stay as they were) or when PROJ refuses the list (the adapter keeps
    /// the list and has no projector). A list that PROJ accepts but that does not
    /// convert from longitude and latitude in radians (a coordinate reference system
    /// such as "type=crs", or a pipeline taking degrees or map coordinates) is
    /// refused too: the conversions below could not use it.
    [[gnu::sentinel]] bool SetParameters(const char* first, ...) override;
    /// The same from an array of `count` strings, of any length: the entry that
    /// does the work (SetParameters forwards to it). False, list and projector as
    /// they were, for no strings or a null one.
    bool SetParameterList(int count, const char* const* list);
    /// The parameter strings the current (or last refused) projector was made
    /// from, in order; empty when no list has been set.
    std::vector<std::string> GetParameterList() const;

    /// PROJ's forward conversion of (lon, lat) in radians. False, x and y untouched,
    /// without a projector or when PROJ cannot convert the point; PROJ's error state
    /// is then cleared so that the next point converts normally.
    bool LatLong2Proj(const GxGeoAngle& lat, const GxGeoAngle& lon, double& x, double& y) override;

    /// PROJ's inverse conversion of (x, y); the angles are set in radians (their
    /// axes kept). False, angles untouched, without a projector or when PROJ cannot
    /// convert the point (the error state is cleared as above).
    bool Proj2LatLong(double x, double y, GxGeoAngle& lat, GxGeoAngle& lon) override;

    /// True when a projector is made: the conversions can work.
    bool IsConfigured() const { return m_projector != nullptr; }
    /// Why the last list was refused: PROJ's own message (such as "lcc: Invalid
    /// value for lat_1 and lat_2: |lat_1 + lat_2| should be > 0"), or the
    /// adapter's when PROJ accepted a list the conversions cannot use. Empty
    /// when configured or when no list has been set. Owned by the adapter, valid
    /// until the next SetParameters. PROJ's messages are caught, never printed.
    const char* GetError() const { return m_error.c_str(); }

private:
    GxProj4Interface(const GxProj4Interface&) = delete;
    GxProj4Interface& operator=(const GxProj4Interface&) = delete;

    void ReleaseList();
    void ReleaseProjector();

    PJconsts* m_projector;
    int m_count;
    char** m_parameters;
    pj_ctx* m_context;
    std::string m_error;
};

#endif
