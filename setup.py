"""Builds the Python module `geoframe` with the project's CMake for pip.

The wheel holds the package geoframe/ (the extension module, its Python layer
and type stubs) and the shared library it loads (geoframe.libs/, found through
the module's $ORIGIN run path) with the datum file beside it. Only the library and the module are built:
no tests, examples, tools or benchmarks.
"""

import os
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

SOURCE = Path(__file__).parent.resolve()
LIBS = "geoframe.libs"


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        temp = Path(self.build_temp).resolve()
        build, stage = temp / "cmake", temp / "stage"
        shutil.rmtree(stage, ignore_errors=True)
        subprocess.check_call([
            "cmake", "-S", str(SOURCE), "-B", str(build),
            "-DCMAKE_BUILD_TYPE=Release",
            f"-DCMAKE_INSTALL_PREFIX={stage}",
            f"-DPython3_EXECUTABLE={sys.executable}",
            "-DGEOFRAME_BUILD_PYTHON=ON", "-DGEOFRAME_BUILD_TESTS=OFF",
            "-DGEOFRAME_BUILD_EXAMPLES=OFF", "-DGEOFRAME_BUILD_TOOLS=OFF",
            "-DGEOFRAME_BUILD_BENCH=OFF", "-DGEOFRAME_PACKAGE_TESTS=OFF",
            # Everything beside the module, in the wheel's own layout.
            "-DGEOFRAME_PYTHON_INSTALL_DIR=.",
            f"-DCMAKE_INSTALL_LIBDIR={LIBS}", f"-DCMAKE_INSTALL_DATADIR={LIBS}",
        ])
        subprocess.check_call(["cmake", "--build", str(build), "--parallel", str(os.cpu_count() or 1)])
        subprocess.check_call(["cmake", "--install", str(build)])

        # The package as installed, the library under its soname (the name the
        # module asks for) and the datum file beside it.
        out = Path(self.get_ext_fullpath(ext.name)).parent.parent
        shutil.rmtree(out / "geoframe", ignore_errors=True)
        shutil.copytree(stage / "geoframe", out / "geoframe")
        (out / LIBS / "geoframe").mkdir(parents=True, exist_ok=True)
        for library in (stage / LIBS).glob("libgeoframe.so.*.*.*"):
            soname = ".".join(library.name.split(".")[:4])
            shutil.copy2(library, out / LIBS / soname)
        shutil.copy2(stage / LIBS / "geoframe" / "datums.txt", out / LIBS / "geoframe" / "datums.txt")


setup(
    ext_modules=[Extension("geoframe._geoframe", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    # The package comes from CMake: nothing for setuptools to discover (it would
    # take src/ for a source folder).
    packages=[],
    # setuptools' own folders, away from the sources and the presets' build/<preset>.
    options={"build": {"build_base": "build/python-wheel"},
             "egg_info": {"egg_base": "build/python-wheel"}},
)
