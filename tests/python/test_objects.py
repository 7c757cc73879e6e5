"""The objects: ellipsoids and datums, refused arguments, descriptions and
parameters, equality, scene-database codes, frames, coverages and angle texts."""

import math

import numpy as np
import pytest

import geoframe as gf


@pytest.fixture(scope="module")
def datums():
    # The datum file next to the module (the build tree mirrors the installed
    # layout).
    return gf.load_datums()


def test_ellipsoids_by_name_radii_and_datum(datums):
    assert datums == 27
    wgs84, nad27 = gf.Ellipsoid(), gf.Ellipsoid("NAS-C")
    assert (wgs84.name, wgs84.a, wgs84.b, wgs84.e, wgs84.shift) == (
        "WGS84", 6378137.0, pytest.approx(6356752.314245), pytest.approx(0.0818191908426),
        (0, 0, 0))
    assert gf.Ellipsoid("gxFlatEarthSphere").a == pytest.approx(111120 * 180 / math.pi)
    assert (nad27.a, nad27.shift) == (6378206.4, (-8.0, 160.0, 176.0))
    assert gf.Ellipsoid("NAS-C", shift=(1, 2, 3)).shift == (1.0, 2.0, 3.0)
    assert gf.Ellipsoid(a=6378137.0, b=6356752.0, shift=(1, 2, 3)).shift == (1.0, 2.0, 3.0)
    # Equality allows 1e-8 m and ignores names.
    assert gf.Ellipsoid(a=1e6 + 5e-9, b=1e6, name="x") == gf.Ellipsoid(a=1e6, b=1e6)
    assert gf.Ellipsoid(a=1e6 + 2e-8, b=1e6) != gf.Ellipsoid(a=1e6, b=1e6)

    names = gf.ellipsoid_names()
    assert names[-3:] == [("gxFlatEarthSphere", "Quorin FlatEarth Sphere (R=111120*180/PI)"),
                          ("Sphere", "Sphere"), ("gx14Sphere", "Quorin v14 Sphere")]
    assert "NAS-C" in dict(names) and "WGS84" in dict(names)


def test_a_datum_file_that_cannot_be_read_keeps_the_table(datums, tmp_path):
    with pytest.raises(FileNotFoundError):
        gf.load_datums(tmp_path / "missing.txt")
    assert gf.Ellipsoid("NAS-C").shift == (-8.0, 160.0, 176.0)
    own = tmp_path / "own.txt"
    own.write_text("\tMine,Test,x,\nMINE, WE, 1, 2, 3, 0, 0, 0,\n")
    assert gf.load_datums(own) == 1
    assert gf.Ellipsoid("MINE").shift == (1.0, 2.0, 3.0)
    with pytest.raises(ValueError):
        gf.Ellipsoid("NAS-C")
    assert gf.load_datums() == 27


@pytest.mark.parametrize("call, message", [
    (lambda: gf.Ellipsoid("Atlantis"), "unknown ellipsoid name 'Atlantis'"),
    (lambda: gf.Ellipsoid(a=6378137.0), "give both radii"),
    (lambda: gf.Ellipsoid(a=6356752.0, b=6378137.0), "0 < b <= a"),
    (lambda: gf.Ellipsoid(a=math.inf, b=1.0), "a: inf is not a finite number"),
    (lambda: gf.Ellipsoid(shift=(1, 2)), "shift: expected (dx, dy, dz)"),
    (lambda: gf.UTM(0), "zone: 0 is not a UTM zone"),
    (lambda: gf.UTM(61), "zone: 61"),
    (lambda: gf.UTM(33, ellipsoid="Atlantis"), "unknown ellipsoid name"),
    (lambda: gf.LambertConformalConic(0, 0, 30, -30),
     "+b=6356752.314245: lcc: Invalid value for lat_1 and lat_2: |lat_1 + lat_2| should be > 0"),
    (lambda: gf.AlbersEqualArea(math.nan, 0, 30, 40), "lat0: nan is not a finite number"),
    (lambda: gf.Stereographic(90, 0, scale_lat=60, k0=0.99), "give one or neither"),
    (lambda: gf.Stereographic(90, 0, k0=-1), "k0: the scale factor"),
    (lambda: gf.FlatEarth("north", 0), "lat0: expected a number"),
    (lambda: setattr(gf.UTM(32), "local_origin", (0, 0)), "local_origin: expected (x, y, z)"),
    (lambda: gf.CoordSys(units="Meters"), "units: expected (kind, name)"),
    (lambda: gf.CoordFrame((0, 0), (-1, -2)), "scale: both scales"),
    (lambda: gf.CoordFrame((0, 0), (0, 2)), "scale: both scales"),
    (lambda: gf.CoordFrame((0, math.nan), 1), "origin: nan"),
    (lambda: gf.Coverage((0, 0, 0), (1, 1)), "origin: expected (x, y)"),
    (lambda: gf.format_angle(1.0, axis="up"), "axis: expected 'lat', 'lon' or None"),
    (lambda: gf.parse_angle(["12", 12]), "text: expected a text"),
])
def test_bad_arguments_raise_value_error(call, message):
    with pytest.raises(ValueError) as error:
        call()
    assert message in str(error.value) and "\n" not in str(error.value)


def test_descriptions_parameters_and_repr():
    grs80 = gf.Ellipsoid("GRS 1980(IUGG, 1980)")
    nameless = gf.Ellipsoid(a=6378137.0, b=6356752.0)
    cases = [
        (gf.UTM(56, south=True, ellipsoid=grs80), "UTM(56, south=True)"),
        (gf.FlatEarth(0, 0), "FlatEarth(0.0, 0.0)"),
        (gf.Trapezoidal(-33.8675, -70.5, nameless), "Trapezoidal(-33.8675, -70.5)"),
        (gf.LambertConformalConic(-33.5, 151.25, -30, -36.75, grs80),
         "LambertConformalConic(-33.5, 151.25, -30.0, -36.75)"),
        (gf.AlbersEqualArea(0, 0, 1, 0), "AlbersEqualArea(0.0, 0.0, 1.0, 0.0)"),
        (gf.Stereographic(0, 0), "Stereographic(0.0, 0.0, scale_lat=90.0)"),
        (gf.Stereographic(90, -45, k0=0.9999, ellipsoid=nameless),
         "Stereographic(90.0, -45.0, k0=0.9999)"),
    ]
    assert [repr(p) for p, _ in cases] == [text for _, text in cases]
    # The library's descriptions (tested there), with the ellipsoid given or defaulted.
    assert cases[0][0].description == ("UTM (Universal Transverse Mercator)\nZone: 56, SOUTH\n"
                                       "Datum: GRS 1980(I")
    assert cases[2][0].description.endswith("\nDatum: Unknown")
    assert cases[1][0].ellipsoid.name == "gxFlatEarthSphere"
    utm, lcc, stere = cases[0][0], cases[3][0], cases[6][0]
    assert (utm.name, utm.zone, utm.south, utm.ellipsoid.name) == ("UTM_PROJ", 56, True,
                                                                   "GRS 1980(IUGG, 1980)")
    assert (lcc.lat0, lcc.lon0, lcc.upper, lcc.lower) == (-33.5, 151.25, -30.0, -36.75)
    assert (stere.scale_lat, stere.k0) == (None, 0.9999)


def test_local_origin_and_equality():
    utm = gf.UTM(32)
    x, y, z = utm.forward(45.0, 9.0, 100.0)
    utm.local_origin = (1000, 2000, 50)
    assert utm.forward(45.0, 9.0, 100.0) == (x - 1000, y - 2000, 50.0)
    assert utm.inverse(x - 1000, y - 2000, 50.0) == pytest.approx((45.0, 9.0, 100.0), abs=1e-9)

    assert gf.UTM(32) == gf.UTM(32, ellipsoid="WGS84") and utm == utm
    assert utm != gf.UTM(32) and gf.UTM(32) != gf.UTM(32, south=True)
    assert gf.UTM(32) != gf.UTM(32, ellipsoid="GRS80")  # b differs by 0.1 mm
    assert gf.FlatEarth(1, 2) != gf.Trapezoidal(1, 2) and gf.FlatEarth(1, 2) != "FlatEarth"
    assert gf.Stereographic(90, 0, k0=0.99) == gf.Stereographic(90, 0, k0=0.99)


def test_scene_codes():
    for projection, units, codes in [
            (None, None, (6, -1)),
            (None, ("Angular Distance", "Degrees"), (5, -1)),
            (None, ("angular_distance and more", "Feet"), (5, 4)),
            (gf.FlatEarth(0, 0), ("Distance", "Kilometers"), (0, 1)),
            (gf.Trapezoidal(0, 0), ("Distance", "Inches"), (1, 5)),
            (gf.LambertConformalConic(23, -96, 45, 33), ("Distance", "Nautical Miles"), (3, 8)),
            (gf.UTM(32), ("Distance", "Meters"), (4, 0)),
            (gf.AlbersEqualArea(23, -96, 45, 33), ("Distance", "meters"), (5, -1)),
            (gf.Stereographic(90, 0), None, (5, -1))]:
        system = gf.CoordSys(projection, units=units)
        assert (system.scene_projection_code, system.scene_units_code) == codes, units


def test_coordinate_systems_copy_the_projection_and_compare():
    utm = gf.UTM(32)
    grs80 = gf.Ellipsoid("GRS 1980(IUGG, 1980)")
    system = gf.CoordSys(utm, grs80, ("Distance", "Meters"))
    assert system.ellipsoid.name == "GRS 1980(IUGG, 1980)" and utm.ellipsoid.name == "WGS84"
    assert system == gf.CoordSys(gf.UTM(32, ellipsoid=grs80), units=("Distance", "Meters"))
    assert system != gf.CoordSys(gf.UTM(33), units=("Distance", "Meters"))
    assert system != gf.CoordSys(utm, grs80, ("Distance", "METERS"))
    no_units = gf.CoordSys(utm)
    assert no_units == no_units and no_units != gf.CoordSys(utm)


def test_frames_place_local_points():
    system = gf.CoordSys(gf.UTM(32), units=("Distance", "Meters"))
    frame = gf.CoordFrame((100, 200), (2, 3), coord_sys=system)
    assert frame.to_placed(1, 1) == (102.0, 203.0)
    turned = gf.CoordFrame((500000, 5000000), 0.5, 90)
    assert turned.to_placed(10, 0) == pytest.approx((500000, 5000005))
    u, v = np.meshgrid(np.arange(-3, 4.0), np.arange(0, 50.0, 10))
    np.testing.assert_allclose(turned.from_placed(*turned.to_placed(u, v)), (u, v), atol=1e-9)


def test_coverages():
    world = gf.Coverage((-180, -90), (180, 90))
    assert world.coord_sys.units == ("Angular Distance", "Degrees")
    assert world == gf.Coverage((-180, -90), (180, 90))
    assert world != gf.Coverage((-180, -90), (180, 90 + 1e-12))
    system = gf.CoordSys(gf.UTM(32), units=("Distance", "Meters"))
    tile = gf.Coverage((500000, 5000000), (10000, 10000), system)
    assert repr(tile) == "Coverage(origin=(500000.0, 5000000.0), extent=(10000.0, 10000.0))"


def test_angle_texts_and_zones():
    texts = np.array([["33~52'4.56\" S", "12d30m15sN"], ["45.5W", "12 30.5"]])
    np.testing.assert_allclose(gf.parse_angle(texts),
                               [[-33.867933333, 12.504166667], [-45.5, 12.508333333]])
    np.testing.assert_allclose(gf.parse_angle(["N51.5", "51\u00b030'26\"N", "45..5", "abc"]),
                               [51.5, 51.507222222, math.nan, math.nan])
    assert np.isnan(gf.parse_angle(["north", "12~30'15\" X", "", "--45", "12'30", "4-5"])).all()
    assert gf.parse_angle([]).shape == (0,)

    assert gf.format_angle(-33.867933333, axis="lat") == "33~52'4.56\" S"
    assert gf.format_angle(151.2, 3, "lon") == "151~12'0.000\" E"
    assert gf.format_angle(-0.5) == "-0~30'0.00\""
    assert gf.format_angle(46.633333) == "46~38'0.00\""  # 60 seconds carry
    np.testing.assert_array_equal(gf.format_angle([[10.5], [math.nan]], 0, "lon"),
                                  [["10~30'0\" E"], ["nan"]])

    assert gf.utm_zone(9.0) == 32 and type(gf.utm_zone(9.0)) is int
    np.testing.assert_array_equal(gf.utm_zone([-180, 6, 179.5, 190, -190, math.nan]),
                                  [1, 32, 60, 2, 59, 0])
