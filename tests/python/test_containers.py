"""Dask and xarray inputs give lazy dask and labelled xarray results equal to the
eager ones; ellipsoids and projections pickle and copy."""

import copy
import pickle

import numpy as np
import pytest

import geoframe as gf

da = pytest.importorskip("dask.array")


def test_dask_in_gives_dask_out_block_for_block():
    utm = gf.UTM(33, south=True, ellipsoid="clrk66")
    utm.local_origin = (100.0, 200.0, 5.0)
    lat = np.linspace(-60.0, -1.0, 1000).reshape(40, 25)
    lon = np.linspace(10.0, 20.0, 25)
    lazy_lat = da.from_array(lat, chunks=(7, 10))
    x, y, z = utm.forward(lazy_lat, lon, 10.0)
    assert isinstance(x, da.Array) and x.chunks == lazy_lat.chunks
    with_dask = da.compute(x, y, z, scheduler="threads")
    np.testing.assert_array_equal(with_dask, utm.forward(lat, lon, 10.0))
    np.testing.assert_array_equal(da.compute(*utm.inverse(x, y, z)), utm.inverse(*with_dask))
    # The other conversions, with NaN kept where a point fails.
    wgs84 = gf.Ellipsoid()
    xyz = wgs84.to_geocentric(da.from_array(np.array([45.0, np.nan, np.inf]), chunks=2), 9.0)
    np.testing.assert_array_equal(np.isnan(xyz[0].compute()), [False, True, True])
    zones = gf.utm_zone(da.from_array(np.array([-179.5, 9.0, 179.5]), chunks=1))
    assert zones.compute().tolist() == [1, 32, 60]
    # Outputs of several dtypes: the UTM/UPS zones and utm_auto, with a fixed keyword.
    lat = np.array([60.39, 78.0, -85.0, 95.0])
    zone, south = gf.utm_zone(da.from_array(lat, chunks=3), 5.32)
    assert zone.compute().tolist() == [32, 31, 0, -1] and south.dtype == np.bool_
    lazy = gf.utm_auto(da.from_array(lat, chunks=2), 5.32, height=da.ones(4, chunks=2),
                       ellipsoid="intl")
    for got, want in zip(da.compute(*lazy), gf.utm_auto(lat, 5.32, 1.0, ellipsoid="intl")):
        np.testing.assert_array_equal(got, want)
        assert got.dtype == want.dtype


def test_xarray_in_keeps_coordinates():
    xr = pytest.importorskip("xarray")
    lat = xr.DataArray(np.array([[45.0, 46.0], [47.0, 48.0]]), dims=("row", "col"),
                       coords={"row": [10, 20], "col": ["a", "b"]})
    x, y, _ = gf.UTM(32).forward(lat, 9.0)
    assert isinstance(x, xr.DataArray) and x.dims == ("row", "col")
    assert x.coords["col"].values.tolist() == ["a", "b"]
    np.testing.assert_array_equal(x.values, gf.UTM(32).forward(lat.values, 9.0)[0])
    lazy = gf.UTM(32).forward(lat.chunk({"row": 1}), 9.0)[1]
    assert isinstance(lazy.data, da.Array)
    np.testing.assert_array_equal(lazy.values, y.values)


@pytest.mark.parametrize("make", [
    lambda: gf.UTM(56, south=True, ellipsoid=gf.Ellipsoid(a=6378137.0, b=6356752.0, shift=(1, 2, 3))),
    lambda: gf.LambertConformalConic(40, -100, 50, 30, ellipsoid="GRS80"),
    lambda: gf.AlbersEqualArea(-30, 135, -20, -40),
    lambda: gf.Stereographic(-90, 0, k0=0.97),
    lambda: gf.Stereographic(90, -45, scale_lat=60),
    lambda: gf.FlatEarth(45, 179),
    lambda: gf.Trapezoidal(-33, 151),
])
def test_projections_pickle_and_copy(make):
    p = make()
    p.local_origin = (1.5, -2.5, 3.0)
    for q in (pickle.loads(pickle.dumps(p)), copy.copy(p), copy.deepcopy(p)):
        assert q == p and type(q) is type(p) and repr(q) == repr(p)
        assert q.ellipsoid == p.ellipsoid and q.ellipsoid.name == p.ellipsoid.name
        assert q.forward(-40.0, 140.0) == p.forward(-40.0, 140.0) or \
            np.isnan(p.forward(-40.0, 140.0)[0])
