#ifndef GEOFRAME_PYTHON_OBJECTS_H
#define GEOFRAME_PYTHON_OBJECTS_H

// The Python objects: each holds one reference to a library object. Ellipsoids,
// coordinate systems, frames and coverages cannot be changed from Python once
// made, so several Python threads may use them at once. A projection can (its
// local origin) and converts through a PROJ context of its own, so its conversions
// and changes take the projection's lock.

#include <geoframe/geoframe.h>

#include <pybind11/pybind11.h>

#include <mutex>
#include <string>

namespace geoframe::python {

namespace py = pybind11;

struct Ellipsoid {
    GxSmartRef<GxEllipsoidBase> ref;
};

struct Projection {
    GxSmartRef<GxProjection> ref;
    /// Taken, without the GIL, by every conversion and every change.
    std::mutex mutex;
};

struct CoordSys {
    GxSmartRef<GxCoordSys> ref;
    /// Metres per map unit of a system read from a CRS; 0: as the unit name says.
    double unitScale = 0.0;
};

struct CoordFrame {
    GxSmartRef<GxCoordFrame> ref;
};

struct Coverage {
    GxSmartRef<GxCoverage> ref;
};

/// The object of an Ellipsoid, a new ellipsoid for a name (ValueError when
/// unknown), or a new GxEllipsoid(`fallback`) for None.
GxSmartRef<GxEllipsoidBase> EllipsoidOr(py::handle ellipsoid, const char* fallback);

/// A new Python projection of the class that fits `projection` (UTM, ...).
py::object WrapProjection(GxSmartRef<GxProjection> projection);

/// The CRS text of `crs`: a str, or what its to_wkt() returns (a pyproj CRS).
std::string CrsInput(py::handle crs);
/// The coordinate system (with `unitScale`) or else the projection written by
/// PROJ in `format`; ValueError with the reason when it cannot be written.
std::string WriteCrs(const GxCoordSysBase* system, double unitScale, const GxProjection* projection,
                     GxCrsDefinition::Format format);

/// Binds to_wkt, to_proj and to_json on `c`: `write(object, format)` gives the
/// object's text in that format (through WriteCrs); `what` opens each docstring.
template <class Class, class Write>
void DefCrsWriters(Class& c, const std::string& what, Write write) {
    struct Writer {
        const char* name;
        GxCrsDefinition::Format format;
        const char* as;
    };
    for (const Writer& w : {Writer{"to_wkt", GxCrsDefinition::FORMAT_WKT2_2019, "WKT2:2019"},
                            Writer{"to_proj", GxCrsDefinition::FORMAT_PROJ_STRING, "a PROJ string"},
                            Writer{"to_json", GxCrsDefinition::FORMAT_PROJJSON, "PROJJSON"}}) {
        const GxCrsDefinition::Format format = w.format;
        c.def(
            w.name, [write, format](typename Class::type& object) { return write(object, format); },
            (what + " as " + w.as + ", written by PROJ.").c_str());
    }
}

void BindGeodesy(py::module_& module);
void BindProjections(py::module_& module);
void BindCoordSystems(py::module_& module);

} // namespace geoframe::python

#endif
