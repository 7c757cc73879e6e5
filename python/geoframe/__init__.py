# The package `geoframe`: the library's classes and functions from the extension
# module _geoframe, made to take dask and xarray arrays too (see _containers).
from ._geoframe import *  # noqa: F401,F403
from ._geoframe import __version__  # noqa: F401
from . import _containers, _geoframe

__doc__ = _geoframe.__doc__
_containers.install(globals())
del _containers
