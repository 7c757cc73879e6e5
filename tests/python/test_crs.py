"""CRS texts in and out: EPSG systems convert as pyproj does, refusals give the
reason, and what the module writes converts the same points in pyproj."""

import pickle

import numpy as np
import pytest

import geoframe as gf

pyproj = pytest.importorskip("pyproj")

LAT, LON = np.meshgrid(np.linspace(0, 1, 5), np.linspace(0, 1, 5))

# code: latitude and longitude ranges of a grid of points
CODES = {
    "EPSG:32633": ((40, 60), (10, 20)),
    "EPSG:32733": ((-40, -5), (12, 18)),
    "EPSG:2154": ((42, 51), (-4, 8)),
    "EPSG:27572": ((42, 51), (-4, 8)),
    "EPSG:5070": ((25, 49), (-124, -67)),
    "EPSG:3031": ((-89, -60), (-179, 179)),
    "EPSG:3413": ((60, 89), (-179, 179)),
    "EPSG:2227": ((36, 38.5), (-123, -120)),
}


def grid(ranges):
    (la0, la1), (lo0, lo1) = ranges
    return la0 + (la1 - la0) * LAT, lo0 + (lo1 - lo0) * LON


def mapping(crs):
    """pyproj's mapping from longitude/latitude from Greenwich in degrees, without
    a datum change (from a datum PROJ does not know: a null ballpark shift)."""
    crs = pyproj.CRS(crs)
    base = crs.source_crs if crs.is_bound else crs
    unknown = pyproj.CRS("+proj=longlat +a=6378137 +b=6356752 +type=crs")
    return pyproj.Transformer.from_crs(unknown, base, always_xy=True)


@pytest.mark.parametrize("code", CODES)
def test_codes_convert_as_pyproj_and_write_themselves_back(code):
    system = gf.CoordSys.from_crs(code)
    projection = system.projection
    assert projection.full_precision
    lat, lon = grid(CODES[code])
    x, y, _ = projection.forward(lat, lon)
    scale = system.unit_scale
    for crs in (code, system.to_wkt(), system.to_proj(), system.to_json()):
        ex, ey = mapping(crs).transform(lon, lat)
        assert np.max(np.hypot(x / scale - ex, y / scale - ey)) * scale < 1e-3, crs
    # A pyproj CRS is taken through its to_wkt() (WKT numbers have 15 digits).
    again = gf.CoordSys.from_crs(pyproj.CRS(code)).projection.forward(lat, lon)
    assert np.max(np.hypot(again[0] - x, again[1] - y)) < 1e-3


def test_refusals_and_kinds():
    for text, reason in [("EPSG:27700", "Transverse Mercator other than a UTM zone"),
                         ("EPSG:28992", "Oblique Stereographic"),
                         ("EPSG:3395", "Mercator (variant A)"),
                         ("EPSG:99999", "crs not found"),
                         ("+proj=pipeline +step +proj=utm +zone=32", "coordinate operation")]:
        with pytest.raises(ValueError, match=reason.replace("(", r"\(").replace(")", r"\)")):
            gf.CoordSys.from_crs(text)
    with pytest.raises(ValueError):
        gf.CoordSys.from_crs(4326)
    kinds = {"EPSG:32633": "UTM", "EPSG:2154": "LambertConformalConic",
             "EPSG:5070": "AlbersEqualArea", "EPSG:3031": "Stereographic"}
    assert {code: type(gf.CoordSys.from_crs(code).projection).__name__ for code in kinds} == kinds
    geographic = gf.CoordSys.from_crs("EPSG:4326")
    assert (geographic.projection, geographic.units) == (None, ("Angular Distance", "Degrees"))
    assert pyproj.CRS(geographic.to_wkt()).is_geographic
    # (The foot's scale is used by the EPSG:2227 comparison above.)
    assert gf.CoordSys.from_crs("EPSG:2227").units == ("Distance", "Feet")


def test_library_projections_written_as_proj_computes_them():
    intl = gf.Ellipsoid("intl")
    cases = [(gf.FlatEarth(47.3, 8.5, ellipsoid=intl), (46, 48.5), (6, 11)),
             (gf.Trapezoidal(-33, 151, ellipsoid=intl), (-34, -32), (150, 152)),
             (gf.Stereographic(90, -45, scale_lat=70), (60, 89), (-179, 179)),
             (gf.UTM(56, south=True, ellipsoid=intl), (-40, -20), (150, 156))]
    for projection, *ranges in cases:
        projection.local_origin = (-250000.0, 1000.0, 0.0)
        lat, lon = grid(ranges)
        x, y, _ = projection.forward(lat, lon)
        for text in (projection.to_wkt(), projection.to_proj(), projection.to_json()):
            ex, ey = mapping(text).transform(lon, lat)
            assert np.max(np.hypot(x - ex, y - ey)) < 1e-3, text
        assert not projection.full_precision
    # Pickling keeps the full-precision setting.
    polar = gf.CoordSys.from_crs("EPSG:3031").projection
    assert pickle.loads(pickle.dumps(polar)) == polar
