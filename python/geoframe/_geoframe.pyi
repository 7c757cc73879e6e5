"""geoframe._geoframe, the extension module of geoframe: geodesy, map projections and coordinate frames for numpy arrays.

Angles are degrees, lengths and heights metres. Conversions take floats,
sequences or numpy arrays of any shape (also dask arrays and xarray DataArrays),
broadcast together, and return float64 arrays of the broadcast shape (floats for
scalar input). A point that cannot be converted gives NaN in all its outputs;
bad arguments raise ValueError.
"""

from typing import Any, Optional, Sequence, SupportsFloat, Tuple, Union, overload

import numpy
import numpy.typing

__version__: str

_Array = numpy.typing.NDArray[numpy.float64]
#: A float, a sequence of floats or an array of any shape (dask and xarray too).
_ArrayLike = numpy.typing.ArrayLike
_EllipsoidArg = Union["Ellipsoid", str, None]
#: A number taken as a float (Python and numpy floats and ints).
_Number = SupportsFloat

class Ellipsoid:
    """The figure of the Earth and a datum shift to WGS 84 (metres)."""

    def __init__(
        self,
        name: Optional[str] = None,
        *,
        a: Optional[float] = None,
        b: Optional[float] = None,
        shift: Optional[Tuple[_Number, _Number, _Number]] = None,
    ) -> None: ...
    @property
    def name(self) -> Optional[str]: ...
    @property
    def a(self) -> float: ...
    @property
    def b(self) -> float: ...
    @property
    def e(self) -> float: ...
    @property
    def shift(self) -> Tuple[float, float, float]: ...
    @overload
    def to_geocentric(self, lat: float, lon: float, height: float = 0.0, *, out: None = None) -> Tuple[float, float, float]:  # type: ignore[misc]
        """(lat, lon) degrees and height metres to geocentric (x, y, z) metres."""
    @overload
    def to_geocentric(self, lat: _ArrayLike, lon: _ArrayLike, height: _ArrayLike = 0.0, *, out: Optional[Tuple[_Array, _Array, _Array]] = None) -> Tuple[_Array, _Array, _Array]: ...
    @overload
    def from_geocentric(self, x: float, y: float, z: float, *, out: None = None) -> Tuple[float, float, float]:  # type: ignore[misc]
        """Geocentric (x, y, z) metres to (lat, lon) degrees and height metres."""
    @overload
    def from_geocentric(self, x: _ArrayLike, y: _ArrayLike, z: _ArrayLike, *, out: Optional[Tuple[_Array, _Array, _Array]] = None) -> Tuple[_Array, _Array, _Array]: ...
    def __eq__(self, other: object) -> bool: ...

class Projection:
    """Base of the six map projections; x, y metres from the local origin."""

    @overload
    def forward(self, lat: float, lon: float, height: float = 0.0, *, out: None = None) -> Tuple[float, float, float]:  # type: ignore[misc]
        """Latitude, longitude (degrees), height (metres) to map (x, y, z) metres."""
    @overload
    def forward(self, lat: _ArrayLike, lon: _ArrayLike, height: _ArrayLike = 0.0, *, out: Optional[Tuple[_Array, _Array, _Array]] = None) -> Tuple[_Array, _Array, _Array]: ...
    @overload
    def inverse(self, x: float, y: float, z: float = 0.0, *, out: None = None) -> Tuple[float, float, float]:  # type: ignore[misc]
        """Map (x, y, z) metres to (lat, lon) degrees and height metres."""
    @overload
    def inverse(self, x: _ArrayLike, y: _ArrayLike, z: _ArrayLike = 0.0, *, out: Optional[Tuple[_Array, _Array, _Array]] = None) -> Tuple[_Array, _Array, _Array]: ...
    @property
    def local_origin(self) -> Tuple[float, float, float]: ...
    @local_origin.setter
    def local_origin(self, origin: Tuple[_Number, _Number, _Number]) -> None: ...
    @property
    def description(self) -> str: ...
    @property
    def name(self) -> str: ...
    @property
    def ellipsoid(self) -> Ellipsoid: ...
    @property
    def full_precision(self) -> bool: ...
    @full_precision.setter
    def full_precision(self, full: bool) -> None: ...
    def to_wkt(self) -> str:
        """The projection on its ellipsoid as WKT2:2019, in metres."""
    def to_proj(self) -> str:
        """The projection on its ellipsoid as a PROJ string."""
    def to_json(self) -> str:
        """The projection on its ellipsoid as PROJJSON."""
    def __eq__(self, other: object) -> bool: ...

class UTM(Projection):
    def __init__(self, zone: int, south: bool = False, ellipsoid: _EllipsoidArg = None) -> None: ...
    @property
    def zone(self) -> int: ...
    @property
    def south(self) -> bool: ...

class LambertConformalConic(Projection):
    def __init__(
        self, lat0: _Number, lon0: _Number, upper: _Number, lower: _Number, ellipsoid: _EllipsoidArg = None
    ) -> None: ...
    @property
    def lat0(self) -> float: ...
    @property
    def lon0(self) -> float: ...
    @property
    def upper(self) -> float: ...
    @property
    def lower(self) -> float: ...

class AlbersEqualArea(Projection):
    def __init__(
        self, lat0: _Number, lon0: _Number, upper: _Number, lower: _Number, ellipsoid: _EllipsoidArg = None
    ) -> None: ...
    @property
    def lat0(self) -> float: ...
    @property
    def lon0(self) -> float: ...
    @property
    def upper(self) -> float: ...
    @property
    def lower(self) -> float: ...

class Stereographic(Projection):
    def __init__(
        self,
        lat0: _Number,
        lon0: _Number,
        scale_lat: Optional[float] = None,
        k0: Optional[float] = None,
        ellipsoid: _EllipsoidArg = None,
    ) -> None: ...
    @property
    def lat0(self) -> float: ...
    @property
    def lon0(self) -> float: ...
    @property
    def scale_lat(self) -> Optional[float]: ...
    @property
    def k0(self) -> Optional[float]: ...

class FlatEarth(Projection):
    def __init__(self, lat0: _Number, lon0: _Number, ellipsoid: _EllipsoidArg = None) -> None: ...
    @property
    def lat0(self) -> float: ...
    @property
    def lon0(self) -> float: ...

class Trapezoidal(Projection):
    def __init__(self, lat0: _Number, lon0: _Number, ellipsoid: _EllipsoidArg = None) -> None: ...
    @property
    def lat0(self) -> float: ...
    @property
    def lon0(self) -> float: ...

class CoordSys:
    """A terrain database's coordinate system with the scene-database codes."""

    def __init__(
        self,
        projection: Optional[Projection] = None,
        ellipsoid: _EllipsoidArg = None,
        units: Optional[Tuple[str, str]] = None,
    ) -> None: ...
    @property
    def ellipsoid(self) -> Optional[Ellipsoid]: ...
    @property
    def units(self) -> Optional[Tuple[str, str]]: ...
    @property
    def scene_projection_code(self) -> int: ...
    @property
    def scene_units_code(self) -> int: ...
    @staticmethod
    def from_crs(crs: Any) -> CoordSys:
        """The system a CRS means: a CRS text or an object with to_wkt()."""
    @property
    def projection(self) -> Optional[Projection]: ...
    @property
    def unit_scale(self) -> Optional[float]: ...
    def to_wkt(self) -> str:
        """The system as WKT2:2019."""
    def to_proj(self) -> str:
        """The system as a PROJ string."""
    def to_json(self) -> str:
        """The system as PROJJSON."""
    def __eq__(self, other: object) -> bool: ...

class CoordFrame:
    """Places local (x, y) by an origin, scales and a rotation (degrees)."""

    def __init__(
        self,
        origin: Tuple[_Number, _Number],
        scale: Union[float, Tuple[_Number, _Number]],
        rotation: _Number = 0.0,
        coord_sys: Optional[CoordSys] = None,
    ) -> None: ...
    @property
    def origin(self) -> Tuple[float, float]: ...
    @property
    def scale(self) -> Tuple[float, float]: ...
    @property
    def rotation(self) -> float: ...
    @property
    def coord_sys(self) -> Optional[CoordSys]: ...
    @overload
    def to_placed(self, x: float, y: float, *, out: None = None) -> Tuple[float, float]:  # type: ignore[misc]
        """Local (x, y) to placed coordinates."""
    @overload
    def to_placed(self, x: _ArrayLike, y: _ArrayLike, *, out: Optional[Tuple[_Array, _Array]] = None) -> Tuple[_Array, _Array]: ...
    @overload
    def from_placed(self, x: float, y: float, *, out: None = None) -> Tuple[float, float]:  # type: ignore[misc]
        """Placed (x, y) back to local coordinates."""
    @overload
    def from_placed(self, x: _ArrayLike, y: _ArrayLike, *, out: Optional[Tuple[_Array, _Array]] = None) -> Tuple[_Array, _Array]: ...


class Coverage:
    """The rectangle a database covers."""

    def __init__(
        self,
        origin: Tuple[_Number, _Number],
        extent: Tuple[_Number, _Number],
        coord_sys: Optional[CoordSys] = None,
    ) -> None: ...
    @property
    def origin(self) -> Tuple[float, float]: ...
    @property
    def extent(self) -> Tuple[float, float]: ...
    @property
    def coord_sys(self) -> Optional[CoordSys]: ...
    def __eq__(self, other: object) -> bool: ...

def ellipsoid_names() -> list[Tuple[str, str]]:
    """(id, description) of every known ellipsoid and loaded datum."""

def load_datums(path: Optional[str] = None) -> int:
    """Loads a datum file (the installed datums.txt by default); the count."""

@overload
def parse_angle(text: str) -> float:  # type: ignore[misc]
    """Degree-minute-second or decimal text to degrees (strict; NaN if refused)."""
@overload
def parse_angle(text: Union[Sequence[str], numpy.typing.NDArray[Any]]) -> _Array: ...

@overload
def format_angle(degrees: float, precision: int = 2, axis: Optional[str] = None) -> str:  # type: ignore[misc]
    """Degrees to degree-minute-second text; axis 'lat', 'lon' or None."""
@overload
def format_angle(
    degrees: _ArrayLike, precision: int = 2, axis: Optional[str] = None
) -> numpy.typing.NDArray[numpy.str_]: ...

@overload
def utm_zone(lon: float) -> int:  # type: ignore[misc]
    """The plain 6-degree UTM zone (1 to 60) of a longitude; 0 if not finite."""
@overload
def utm_zone(lon: _ArrayLike) -> numpy.typing.NDArray[numpy.int64]: ...
@overload
def utm_zone(lat: float, lon: float) -> Tuple[int, bool]:  # type: ignore[misc]
    """The UTM/UPS zone (0 for UPS, -1 for none) and whether it is south."""
@overload
def utm_zone(
    lat: _ArrayLike, lon: _ArrayLike
) -> Tuple[numpy.typing.NDArray[numpy.int64], numpy.typing.NDArray[numpy.bool_]]: ...

@overload
def utm_auto(  # type: ignore[misc]
    lat: float, lon: float, height: float = 0.0, ellipsoid: _EllipsoidArg = None
) -> Tuple[float, float, float, int, bool]:
    """Each point in its UTM/UPS zone: x, y, z (metres), zone and south."""
@overload
def utm_auto(
    lat: _ArrayLike, lon: _ArrayLike, height: _ArrayLike = 0.0, ellipsoid: _EllipsoidArg = None
) -> Tuple[
    _Array, _Array, _Array, numpy.typing.NDArray[numpy.int64], numpy.typing.NDArray[numpy.bool_]
]: ...
