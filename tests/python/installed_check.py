"""Imports geoframe from an installed prefix (given as the argument, with
PYTHONPATH set to its Python folder) and checks that the module, the library it
loads and the datum file all come from that prefix."""

import os
import sys

prefix = os.path.realpath(sys.argv[1])
sys.path = [p for p in sys.path if p and os.path.realpath(p) != os.getcwd()]
os.chdir("/")

import geoframe as gf  # noqa: E402

assert os.path.realpath(gf.__file__).startswith(prefix + os.sep), gf.__file__
with open("/proc/self/maps") as maps:
    libraries = {line.split()[-1] for line in maps if "libgeoframe" in line}
assert libraries and all(os.path.realpath(p).startswith(prefix) for p in libraries), libraries

assert gf.load_datums() == 27
x, y, _ = gf.UTM(14, ellipsoid="NAS-C").forward(39.224, -98.542)
assert abs(x - 539115) < 1000 and abs(y - 4341556) < 1000, (x, y)
print("geoframe installed ok")
