"""Conversions over arrays: agreement with pyproj and the library's own numbers,
shapes and broadcasting, NaN for points that cannot be converted, and threads."""

import math
import os
import subprocess
import threading

import numpy as np
import pytest

import geoframe as gf

RNG = np.random.default_rng(7)

# Each projection with the same projection in PROJ's own terms and a region to
# draw points from: (lat, lat), (lon, lon).
PROJ_CASES = [
    (lambda: gf.UTM(33, south=True), "+proj=utm +zone=33 +south", (-80, 0), (12, 18)),
    (lambda: gf.LambertConformalConic(23, -96, 45, 33), "+proj=lcc +lat_0=23 +lon_0=-96 "
     "+lat_1=33 +lat_2=45", (20, 55), (-125, -65)),
    (lambda: gf.AlbersEqualArea(-10, 130, -20, -35), "+proj=aea +lat_0=-10 +lon_0=130 "
     "+lat_1=-35 +lat_2=-20", (-45, -10), (110, 155)),
    (lambda: gf.Stereographic(90, -45, k0=0.994), "+proj=stere +lat_0=90 +lon_0=-45 +k=0.994",
     (60, 90), (-180, 180)),
]


def points(shape, lats, lons):
    return RNG.uniform(*lats, size=shape), RNG.uniform(*lons, size=shape)


@pytest.mark.parametrize("make, proj, lats, lons", PROJ_CASES)
@pytest.mark.parametrize("shape", [(2000,), (40, 50), (5, 1, 7)])
def test_agrees_with_pyproj_both_ways(make, proj, lats, lons, shape):
    pyproj = pytest.importorskip("pyproj")
    reference = pyproj.Transformer.from_pipeline(
        "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step "
        + proj + " +ellps=WGS84")
    projection = make()
    lat, lon = points(shape, lats, lons)
    height = RNG.uniform(-100, 3000, size=shape)
    x, y, z = projection.forward(lat, lon, height)
    ref_x, ref_y = reference.transform(lon, lat)
    assert x.shape == y.shape == z.shape == shape
    np.testing.assert_allclose((x, y), (ref_x, ref_y), rtol=0, atol=1e-6)
    back_lat, back_lon, back_h = projection.inverse(x, y, z)
    np.testing.assert_allclose((back_lat, (back_lon - lon + 180) % 360 - 180), (lat, 0 * lon),
                               rtol=0, atol=1e-9)
    np.testing.assert_array_equal((z, back_h), (height, height))


def test_the_library_own_projections():
    # Figures of the library's flat-earth and trapezoidal arithmetic: 111120 m a
    # degree, cosines with pi as 3.1415927.
    cos45, cos60 = (math.cos(d * 3.1415927 / 180) for d in (45, 60))
    for projection, (lat, lon), (x, y) in [
            (gf.FlatEarth(0, 0), (1, 1), (111120, 111120)),
            (gf.FlatEarth(45, 179), (45, -179), (2 * 111120 * cos45, 0)),
            (gf.FlatEarth(45, 0), (10, 1), (78573.70461, -35 * 111120)),
            (gf.Trapezoidal(0, 0), (60, 1), (111120 * cos60, 60 * 111120))]:
        got = projection.forward(lat, lon)
        assert got[0] == pytest.approx(x, abs=1e-5) and got[1] == pytest.approx(y, abs=1e-6)
        assert projection.inverse(*got) == pytest.approx((lat, lon, 0), abs=1e-9)


def test_scalars_lists_and_broadcasting():
    utm = gf.UTM(56, south=True)
    x, y, z = utm.forward(-33.867778, 151.21, 10)
    assert all(type(v) is float for v in (x, y, z))
    assert (x, y) == pytest.approx((334431.4145, 6251062.8094), abs=1e-4)
    # A 0-d array is a scalar too; a one-point list is an array.
    assert type(utm.forward(np.float64(-33.9), np.array(151.2))[0]) is float
    assert utm.forward([-33.867778], [151.21])[0].shape == (1,)

    lat = np.linspace(-40, -30, 6).reshape(6, 1)
    lon = np.linspace(148, 154, 4)
    x, y, z = utm.forward(lat, lon, 5.0)
    assert x.shape == (6, 4) and x.dtype == np.float64
    for i, j in [(0, 0), (5, 3), (2, 1)]:
        assert (x[i, j], y[i, j], z[i, j]) == utm.forward(float(lat[i, 0]), float(lon[j]), 5.0)
    empty = utm.forward(np.zeros((0, 3)), 151.0)
    assert all(v.shape == (0, 3) for v in empty)


def test_strided_and_other_typed_inputs_are_read_in_place():
    utm = gf.UTM(32)
    lat = RNG.uniform(40, 50, size=(30, 20))
    lon = RNG.uniform(6, 12, size=(30, 20))
    sub_lat, sub_lon = np.ascontiguousarray(lat[::3, ::2]), np.ascontiguousarray(lon[::3, ::2])
    expected = utm.forward(sub_lat, sub_lon)
    unaligned = np.frombuffer(b"\0" + sub_lat.tobytes(), np.float64, offset=1).reshape(10, 10)
    assert not unaligned.flags.aligned
    for a, b, flip in [(lat[::3, ::2], lon[::3, ::2], False), (unaligned, sub_lon, False),
                       (np.asfortranarray(sub_lat), sub_lon.tolist(), False),
                       (sub_lat[::-1, ::-1], sub_lon[::-1, ::-1], True)]:
        for got, want in zip(utm.forward(a, b), expected):
            np.testing.assert_array_equal(got[::-1, ::-1] if flip else got, want)
    np.testing.assert_array_equal(utm.forward(np.array([45, 46], dtype=np.int32),
                                              np.array([9.5, 9.5], dtype=np.float32)),
                                  utm.forward([45.0, 46.0], [9.5, 9.5]))


def test_points_that_fail_give_nan_in_every_output_and_nothing_stale():
    utm = gf.UTM(32)
    utm.local_origin = (1000.0, 2000.0, 50.0)
    lat, lon = np.array([45.0, 95.0, np.nan, 46.0, np.inf, 47.0]), np.full(6, 9.0)
    x, y, z = utm.forward(lat, lon, 100.0)
    bad = [False, True, True, False, True, False]
    np.testing.assert_array_equal(np.isnan([x, y, z]), [bad] * 3)
    for i in np.flatnonzero(np.logical_not(bad)):
        assert (x[i], y[i], z[i]) == utm.forward(lat[i], lon[i], 100.0)
    assert math.isnan(utm.forward(95.0, 9.0)[2])
    # A NaN elevation fails the whole point; so does an inverse off the Earth.
    assert all(math.isnan(v) for v in gf.UTM(32).forward(45.0, 9.0, math.nan))
    assert all(math.isnan(v) for v in gf.FlatEarth(0, 0).inverse(0.0, 15e6))

    np.testing.assert_array_equal(np.isnan(utm.inverse([5e5, 1e30, np.nan], [5e6, 1e30, 5e6], 1.0)),
                                  [[False, True, True]] * 3)

    # The library's own projections and the ellipsoid refuse what is not finite.
    assert np.isnan(gf.FlatEarth(0, 0).forward([1.0, np.inf], 1.0)[0][1])
    wgs84 = gf.Ellipsoid()
    assert np.isnan(wgs84.to_geocentric([0.0, np.nan], 0.0)[2]).tolist() == [False, True]
    assert all(math.isnan(v) for v in wgs84.from_geocentric(np.inf, 0.0, 0.0))


def test_bad_arrays_raise_value_error():
    utm = gf.UTM(32)
    for call, message in [
        (lambda: utm.forward([1, 2], [1, 2, 3]), "lat and lon: shapes (2,) and (3,)"),
        (lambda: utm.forward(np.zeros((2, 3)), 9, np.zeros((3, 1))), "lat and height"),
        (lambda: utm.inverse("east", 5e6), "x: could not convert"),
        (lambda: gf.Ellipsoid().to_geocentric(45, [object()]), "lon:"),
        (lambda: utm.forward([45.0], [9.0], out=(np.empty(1), np.empty(1))), "out: expected 3"),
        (lambda: utm.forward([45.0], 9.0, out=(np.empty(2),) * 3), "of shape (2,)"),
        (lambda: utm.inverse([1.0], 1.0, out=[np.empty(1, "f4"), np.empty(1), np.empty(1)]),
         "float32 array"),
        (lambda: utm.inverse([1.0, 2.0], 1.0, out=(np.empty((2, 2))[:, 0], np.empty(2),
                                                   np.empty(2))), "non-contiguous"),
        (lambda: utm.forward([1.0], 1.0, out=(np.empty(1),) * 3), "arrays overlap"),
        (lambda: gf.CoordFrame((0, 0), 1).to_placed(1.0, 2.0, out=(1.0, 2.0)), "numpy arrays"),
    ]:
        with pytest.raises(ValueError) as error:
            call()
        assert message in str(error.value)
    with pytest.raises(TypeError):
        utm.forward(None, 9)


def test_out_arrays_are_written_and_returned_also_in_place():
    utm, wgs84 = gf.UTM(32), gf.Ellipsoid()
    lat, lon = np.linspace(40, 60, 12).reshape(3, 4), np.linspace(5, 13, 4)
    want = utm.forward(lat, lon, 7.0)
    out = tuple(np.full((3, 4), -1.0) for _ in range(3))
    assert all(g is o for g, o in zip(utm.forward(lat, lon, 7.0, out=out), out))
    # Into the inputs themselves, in any order: as if written apart.
    a, b, h = lat.copy(), np.broadcast_to(lon, lat.shape).copy(), np.full(lat.shape, 7.0)
    utm.forward(a, b, h, out=(b, h, a))
    for written in (out, (b, h, a)):
        np.testing.assert_array_equal(written, want)
    xyz = wgs84.to_geocentric(lat, lon, out=tuple(np.empty((3, 4)) for _ in range(3)))
    back = wgs84.from_geocentric(*xyz, out=xyz)
    np.testing.assert_allclose(back[0], lat, atol=1e-12)


def test_geocentric_round_trip_on_arrays():
    nad27 = gf.Ellipsoid(a=6378206.4, b=6356583.8, shift=(-8, 160, 176))
    lat, lon = points((50, 3), (-89, 89), (-180, 180))
    height = RNG.uniform(-500, 9000, size=(50, 3))
    back = nad27.from_geocentric(*nad27.to_geocentric(lat, lon, height))
    np.testing.assert_allclose(back[:2], (lat, lon), atol=1e-9)
    np.testing.assert_allclose(back[2], height, atol=1e-6)
    assert gf.Ellipsoid("Sphere").to_geocentric(0, 90) == pytest.approx((0, 6378245.0, 0), abs=1e-6)


def test_two_threads_convert_at_once():
    lat, lon = points(200_000, (40, 50), (6, 12))
    shared, results = gf.UTM(32), []
    # Two projections convert in parallel; two threads on one projection take turns.
    threads = [threading.Thread(target=lambda p=p: results.append(p.forward(lat, lon)))
               for p in (gf.UTM(32), gf.UTM(32), shared, shared)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    np.testing.assert_array_equal(results, [gf.UTM(32).forward(lat, lon)] * 4)


def test_utm_zone_of_points_and_utm_auto_agree_with_the_converter():
    # utm_zone(lat, lon): the standard zones, UPS as 0, refused points as -1.
    cases = [((60.39, 5.32), 32, False), ((78, 10), 33, False), ((84, 0), 0, False),
             ((-80, 0), 31, True), ((-80.5, 0), 0, True), ((0, 180), 1, False),
             ((91, 0), -1, False), ((0, math.nan), -1, False)]
    zone, south = gf.utm_zone([c[0][0] for c in cases], [c[0][1] for c in cases])
    assert zone.tolist() == [c[1] for c in cases] and south.tolist() == [c[2] for c in cases]
    assert zone.dtype == np.int64 and south.dtype == np.bool_
    assert gf.utm_zone(60.39, 5.32) == (32, False) and type(gf.utm_zone(-85, 0)[1]) is bool

    # A grid over both caps and the exception areas, converted in one call, as the
    # converter converts it (the same zone, x, y within its printed millimetres).
    lat, lon = np.meshgrid(np.r_[-90:91:2.5, 55.9, 56, 63.9, 64, 71.9, 72, 83.9, 84, -80],
                           np.r_[-180:180:7.5, 2.9, 3, 8.9, 9, 20.9, 21, 32.9, 33, 41.9, 42])
    x, y, z, zone, south = gf.utm_auto(lat, lon, 7.0)
    assert (zone >= 0).all() and (z == 7.0).all()
    assert np.isnan(gf.utm_auto(95.0, 0.0)[0]) and gf.utm_auto(95.0, 0.0)[3:] == (-1, False)
    i = np.argmax(zone.ravel())
    # utm_auto converts point by point through PROJ, forward through the array
    # kernels: within 10 nm.
    assert gf.utm_auto(lat.flat[i], lon.flat[i])[:3] == pytest.approx(
        gf.UTM(int(zone.flat[i]), south=bool(south.flat[i])).forward(lat.flat[i], lon.flat[i]),
        rel=0, abs=1e-8)
    converter = os.environ.get("GEOFRAME_CONVERT")
    if not converter:
        pytest.skip("GEOFRAME_CONVERT names no converter")
    lines = "".join(f"{a!r} {o!r} 7\n" for a, o in zip(lat.ravel(), lon.ravel()))
    run = subprocess.run([converter, "geo", "utm:auto"], input=lines, capture_output=True,
                         text=True, check=True)
    fields = [line.split() for line in run.stdout.splitlines()]
    np.testing.assert_allclose((x.ravel(), y.ravel()), np.array([f[:2] for f in fields], float).T,
                               atol=6e-4, rtol=0)
    assert [f[3] for f in fields] == [("" if z == 0 else str(z)) + ("s" if s else "n")
                                      for z, s in zip(zone.ravel(), south.ravel())]
