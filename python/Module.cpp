// The extension module geoframe._geoframe; the package geoframe/ re-exports it.

#include "Objects.h"

PYBIND11_MODULE(_geoframe, m) {
    m.doc() = R"(geoframe: geodesy, map projections and coordinate frames for numpy arrays.

Angles are degrees, lengths and heights metres. Conversions take floats,
sequences or numpy arrays of any shape, broadcast together, and return
float64 arrays of the broadcast shape (floats for scalar input). A point
that cannot be converted gives NaN in all its outputs; bad arguments raise
ValueError. The loops run in C++ without the GIL.)";
    m.attr("__version__") = GEOFRAME_VERSION_TEXT;
    geoframe::python::BindGeodesy(m);
    geoframe::python::BindProjections(m);
    geoframe::python::BindCoordSystems(m);
}
