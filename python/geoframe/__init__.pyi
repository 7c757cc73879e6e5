# The package re-exports the extension module; its stub has the types.
from ._geoframe import *  # noqa: F401,F403
from ._geoframe import __version__ as __version__
