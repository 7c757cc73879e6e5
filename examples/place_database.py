#!/usr/bin/env python3
"""Places a terrain database near Denver, stored in UTM zone 13 north on the
North American Datum 1927: a frame puts the database's local grid (units of
30 m, turned 10 degrees) in UTM, numpy carries a grid of local points to
latitude and longitude, and the coverage is printed.

    /usr/bin/python3 examples/place_database.py   (with geoframe on PYTHONPATH)
"""

import numpy as np

import geoframe as gf

gf.load_datums()  # the installed datums.txt: datum names work as ellipsoids
nad27 = gf.Ellipsoid("NAS-C")
utm = gf.UTM(gf.utm_zone(-104.99), ellipsoid=nad27)
system = gf.CoordSys(utm, units=("Distance", "Meters"))
print(utm.description)
print(f"scene codes: projection {system.scene_projection_code}, "
      f"units {system.scene_units_code}\n")

# The database's south-west corner in UTM, 30 m local units, rotated 10 degrees.
corner_x, corner_y, _ = utm.forward(39.70, -105.05)
frame = gf.CoordFrame((corner_x, corner_y), 30.0, rotation=10.0, coord_sys=system)

# A 5 x 5 grid over the 300 x 300 local units the database spans.
u, v = np.meshgrid(np.linspace(0, 300, 5), np.linspace(0, 300, 5))
x, y = frame.to_placed(u, v)
lat, lon, _height = utm.inverse(x, y)
print("local grid corners in latitude/longitude (NAD 27):")
for i, j in [(0, 0), (0, -1), (-1, 0), (-1, -1)]:
    print(f"  ({u[i, j]:5.0f}, {v[i, j]:5.0f})  "
          f"{gf.format_angle(lat[i, j], 2, 'lat')}  {gf.format_angle(lon[i, j], 2, 'lon')}")

# The same corners on WGS 84: through geocentric coordinates and the datum shift.
gx, gy, gz = nad27.to_geocentric(lat, lon)
dx, dy, dz = nad27.shift
wlat, wlon, _wgs84_height = gf.Ellipsoid("WGS84").from_geocentric(gx + dx, gy + dy, gz + dz)
print(f"NAD 27 to WGS 84 moves the grid by {np.mean(wlat - lat) * 3600:.2f}\" in latitude, "
      f"{np.mean(wlon - lon) * 3600:.2f}\" in longitude")

# The rectangle the database covers, in UTM metres.
coverage = gf.Coverage((x.min(), y.min()), (np.ptp(x), np.ptp(y)), system)
print(f"\n{coverage}")
print(f"  in {coverage.coord_sys}")
