"""Dask and xarray inputs for the conversions, and pickling of ellipsoids and
projections (so that dask can ship them to the workers of a cluster).

A conversion given a dask array returns dask arrays, lazily, block for block:
each block converts with its own copy of the projection, so blocks convert on
many threads at once. A conversion given an xarray.DataArray returns DataArrays
with the broadcast input's dimensions and coordinates. Neither library is
imported unless such an input arrives.
"""

import copy
import functools

import numpy as np

from . import _geoframe as _gf

# Conversions: class -> {method name: number of outputs}, all float64.
_METHODS = {
    "Ellipsoid": {"to_geocentric": 3, "from_geocentric": 3},
    "Projection": {"forward": 3, "inverse": 3},
    "CoordFrame": {"to_placed": 2, "from_placed": 2},
}
# Functions: name -> the dtypes of the outputs, for the number of array arguments.
_FUNCTIONS = {
    "utm_zone": lambda n: (np.int64,) if n == 1 else (np.int64, np.bool_),
    "utm_auto": lambda n: (np.float64,) * 3 + (np.int64, np.bool_),
}
# Keyword arguments of the functions that are not arrays.
_FIXED_KEYWORDS = ("ellipsoid",)


def _kind(value):
    module = type(value).__module__ or ""
    if module.startswith("dask.") and hasattr(value, "chunks"):
        return "dask"
    if module.startswith("xarray.") and hasattr(value, "dims"):
        return "xarray"
    return None


def _container(args):
    kinds = {_kind(a) for a in args}
    return "xarray" if "xarray" in kinds else "dask" if "dask" in kinds else None


def _dask_call(convert, outputs, dtype, args):
    import dask.array as da  # type: ignore[import]

    # Outputs of several dtypes travel stacked in one that holds them all.
    dtypes = dtype if isinstance(dtype, tuple) else (dtype,) * outputs
    dtype = np.result_type(*dtypes)

    arrays = da.broadcast_arrays(*[a if _kind(a) else np.asarray(a, dtype=float) for a in args])
    # Block for block as the (first) dask input is chunked.
    chunks = next(b for a, b in zip(args, arrays) if _kind(a)).chunks
    arrays = [a.rechunk(chunks) for a in arrays]

    def block(*blocks):
        result = convert(*blocks)
        return np.stack(result) if outputs > 1 else np.asarray(result)

    if outputs == 1:
        return da.map_blocks(block, *arrays, dtype=dtype, chunks=chunks)
    stacked = da.map_blocks(block, *arrays, dtype=dtype, new_axis=0, chunks=((outputs,),) + chunks)
    return tuple(stacked[i].astype(t, copy=False) for i, t in enumerate(dtypes))


def _xarray_call(convert, outputs, dtype, args):
    import xarray as xr  # type: ignore[import]

    arrays = [a for a in args if _kind(a) == "xarray"]
    template = xr.broadcast(*arrays)[0]
    values = [xr.broadcast(a, template)[0].data if _kind(a) == "xarray" else a for a in args]
    result = _call(convert, outputs, dtype, values)
    wrap = lambda data: xr.DataArray(data, coords=template.coords, dims=template.dims)  # noqa: E731
    return tuple(wrap(r) for r in result) if outputs > 1 else wrap(result)


def _call(convert, outputs, dtype, args):
    container = _container(args)
    if container == "xarray":
        return _xarray_call(convert, outputs, dtype, args)
    if container == "dask":
        return _dask_call(convert, outputs, dtype, args)
    return convert(*args)


def _method(function, outputs):
    @functools.wraps(function)
    def call(self, *args, **kwargs):
        if _container(list(args) + list(kwargs.values())) is None:
            return function(self, *args, **kwargs)
        if kwargs.get("out") is not None:
            raise ValueError("out: numpy arrays to write into; not with dask or xarray inputs")
        kwargs.pop("out", None)
        names = list(kwargs)
        values = list(args) + [kwargs[n] for n in names]

        def convert(*arrays):
            # A copy of a projection per block: blocks convert on many threads.
            owner = copy.copy(self) if isinstance(self, _gf.Projection) else self
            keywords = dict(zip(names, arrays[len(args):]))
            return function(owner, *arrays[:len(args)], **keywords)

        return _call(convert, outputs, np.float64, values)

    return call


def _function(function, dtypes):
    @functools.wraps(function)
    def call(*args, **kwargs):
        fixed = {k: v for k, v in kwargs.items() if k in _FIXED_KEYWORDS}
        names = [k for k in kwargs if k not in fixed]
        values = list(args) + [kwargs[n] for n in names]
        if _container(values) is None:
            return function(*args, **kwargs)

        def convert(*arrays):
            return function(*arrays[:len(args)], **dict(zip(names, arrays[len(args):])), **fixed)

        types = dtypes(len(values))
        return _call(convert, len(types), types if len(types) > 1 else types[0], values)

    return call


# Pickling: each object is made again from what its properties say.

def _ellipsoid_state(e):
    return (e.name, e.a, e.b, e.shift)


def _make_ellipsoid(name, a, b, shift):
    return _gf.Ellipsoid(name, a=a, b=b, shift=shift)


def _make_projection(kind, arguments, keywords, ellipsoid, origin, full_precision=False):
    projection = getattr(_gf, kind)(*arguments, ellipsoid=_make_ellipsoid(*ellipsoid), **keywords)
    projection.local_origin = origin
    if full_precision:
        projection.full_precision = True
    return projection


def _projection_arguments(p):
    kind = type(p).__name__
    if kind == "UTM":
        return (p.zone,), {"south": p.south}
    if kind in ("LambertConformalConic", "AlbersEqualArea"):
        return (p.lat0, p.lon0, p.upper, p.lower), {}
    if kind == "Stereographic":
        scale = {"k0": p.k0} if p.k0 is not None else {"scale_lat": p.scale_lat}
        return (p.lat0, p.lon0), scale
    return (p.lat0, p.lon0), {}


def _reduce_ellipsoid(e):
    return _make_ellipsoid, _ellipsoid_state(e)


def _reduce_projection(p):
    arguments, keywords = _projection_arguments(p)
    return _make_projection, (type(p).__name__, arguments, keywords,
                              _ellipsoid_state(p.ellipsoid), p.local_origin, p.full_precision)


def install(namespace):
    """Wraps the conversions of the classes and functions in `namespace`."""
    for cls, methods in _METHODS.items():
        for name, outputs in methods.items():
            setattr(namespace[cls], name, _method(getattr(namespace[cls], name), outputs))
    for name, dtypes in _FUNCTIONS.items():
        namespace[name] = _function(namespace[name], dtypes)
    namespace["Ellipsoid"].__reduce__ = _reduce_ellipsoid
    namespace["Projection"].__reduce__ = _reduce_projection
