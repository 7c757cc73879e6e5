#ifndef GEOFRAME_SRC_GEODESY_PROJELLIPSOIDS_H
#define GEOFRAME_SRC_GEODESY_PROJELLIPSOIDS_H

// PROJ's built-in ellipsoid table, read for the ellipsoids (by name) and for the
// PROJ adapter's lists. The table needs no PROJ context.

namespace geoframe::detail {

/// Ids and full names of PROJ's ellipsoids in PROJ's order, as two new arrays of
/// new texts (released string by string, then as arrays, with delete[]).
int ProjEllipsoidNames(char**& ids, char**& names);

/// Looks `name` up among the ids and full names (exact, case-sensitive; the last
/// matching record wins) and derives a, b, e and es from its "a=" and its "rf=" or
/// "b=" text (anything else gives a sphere). False, outputs untouched, for a null
/// or unknown name.
bool ProjEllipsoid(const char* name, double& a, double& b, double& e, double& es);

} // namespace geoframe::detail

#endif
