// Coordinate systems, frames and coverages.

#include "Arrays.h"
#include "Objects.h"

#include <string>

namespace geoframe::python {

namespace {

/// Unit texts are kept to this length, so that they can always be read back.
constexpr std::size_t kUnitsSize = 256;

CoordSys MakeCoordSys(const Projection* projection, py::object ellipsoid, py::object units) {
    GxSmartRef<GxCoordSys> system(new GxCoordSys());
    if (!units.is_none()) {
        if (!py::isinstance<py::sequence>(units) || py::isinstance<py::str>(units) ||
            py::len(units) != 2)
            Refuse("units: expected (kind, name), such as ('Distance', 'Meters')");
        const py::sequence texts = py::reinterpret_borrow<py::sequence>(units);
        const std::string kind = Text("units", texts[0]), name = Text("units", texts[1]);
        if (kind.size() >= kUnitsSize || name.size() >= kUnitsSize)
            Refuse("units: texts are limited to " + std::to_string(kUnitsSize - 1) + " characters");
        system->SetUnits(kind.c_str(), name.c_str());
    }
    // A copy of the projection, so that giving an ellipsoid here leaves the
    // caller's projection as it was.
    if (projection)
        system->SetProjection(projection->ref->Clone());
    if (!ellipsoid.is_none())
        system->SetEllipsoid(EllipsoidOr(ellipsoid, nullptr));
    return CoordSys{system};
}

py::object Units(const CoordSys& c) {
    char kind[kUnitsSize], name[kUnitsSize];
    if (!c.ref->GetUnits(kind, sizeof kind, name, sizeof name))
        return py::none();
    return py::make_tuple(kind, name);
}

py::object EllipsoidOf(const GxCoordSysBase& system) {
    GxSmartRef<GxEllipsoidBase> ellipsoid;
    system.GetEllipsoid(ellipsoid);
    return ellipsoid.IsNull() ? py::object(py::none()) : py::cast(Ellipsoid{ellipsoid});
}

py::object CoordSysOr(GxSmartRef<GxCoordSysBase> system) {
    auto* coordSys = dynamic_cast<GxCoordSys*>(system.Get());
    return coordSys ? py::cast(CoordSys{coordSys}) : py::object(py::none());
}

std::string Pair(double a, double b) {
    return "(" + py::repr(py::float_(a)).cast<std::string>() + ", " +
           py::repr(py::float_(b)).cast<std::string>() + ")";
}

CoordFrame MakeCoordFrame(py::object origin, py::object scale, py::object rotation,
                          const CoordSys* coordSys) {
    const auto xy = FiniteNumbers<2>("origin", origin, "(x, y)");
    const auto s =
        py::isinstance<py::sequence>(scale)
            ? FiniteNumbers<2>("scale", scale, "a number or (x, y)")
            : std::array<double, 2>{FiniteNumber("scale", scale), FiniteNumber("scale", scale)};
    const double degrees = FiniteNumber("rotation", rotation);
    // Without a scale above 0 the library keeps a frame of zeros; a zero scale
    // has no inverse.
    if (!(s[0] > 0.0 || s[1] > 0.0) || s[0] == 0.0 || s[1] == 0.0)
        Refuse("scale: both scales must be non-zero and one greater than 0");
    return CoordFrame{new GxCoordFrame(
        xy[0], xy[1], s[0], s[1], coordSys ? coordSys->ref : GxSmartRef<GxCoordSys>(), degrees)};
}

} // namespace

void BindCoordSystems(py::module_& m) {
    py::class_<CoordSys> coordSys(m, "CoordSys", R"(The coordinate system of a terrain database.

CoordSys(projection=None, ellipsoid=None, units=None): a copy of the
projection, an ellipsoid (an Ellipsoid or a name; given with a projection it
becomes the copy's), and the unit kind and name, such as ("Distance", "Meters") or ("Angular Distance", "Degrees").
== is the library's equality: systems without units equal only themselves.)");
    coordSys
        .def(py::init(&MakeCoordSys), py::arg("projection") = nullptr,
             py::arg("ellipsoid") = py::none(), py::arg("units") = py::none())
        .def_property_readonly(
            "scene_projection_code", [](const CoordSys& c) { return c.ref->GetScnProjection(); },
            R"(Scene-database projection code: 0 flat earth, 1 trapezoidal, 3 Lambert,
4 UTM, 5 other projections and latitude/longitude systems in angular units,
6 no projection otherwise.)")
        .def_property_readonly(
            "scene_units_code", [](const CoordSys& c) { return c.ref->GetScnUnits(); },
            R"(Scene-database units code of the unit name: 0 Meters, 1 Kilometers,
4 Feet, 5 Inches, 8 Nautical Miles, -1 otherwise.)")
        .def_property_readonly("units", &Units, "(kind, name), or None without units.")
        .def_property_readonly(
            "ellipsoid", [](const CoordSys& c) { return EllipsoidOf(*c.ref); },
            "The ellipsoid (the projection's when there is one), or None.")
        .def_static(
            "from_crs",
            [](py::handle crs) {
                const std::string text = CrsInput(crs);
                GxCrsDefinition definition;
                if (!definition.Read(text.c_str()))
                    Refuse(definition.GetMessage());
                return CoordSys{definition.GetCoordSys(), definition.GetUnitScale()};
            },
            py::arg("crs"),
            R"(The coordinate system a CRS means: crs is any text PROJ reads as a CRS
('EPSG:32633', a URN, WKT, PROJJSON, a PROJ string) or an object with a to_wkt()
method (a pyproj CRS). ValueError with the reason when PROJ refuses the text or
the CRS has no geoframe equivalent (other transverse Mercators, Mercator,
oblique stereographic, compound CRSs, ...). Projections made so hand PROJ their
parameters at full precision.)")
        .def_property_readonly(
            "projection",
            [](const CoordSys& c) {
                GxSmartRef<GxProjection> projection;
                c.ref->GetProjection(projection);
                return projection ? WrapProjection(projection->Clone()) : py::object(py::none());
            },
            "A copy of the projection, ready to convert, or None without one.")
        .def_property_readonly(
            "unit_scale",
            [](const CoordSys& c) {
                return c.unitScale > 0.0 ? py::object(py::float_(c.unitScale))
                                         : py::object(py::none());
            },
            R"(Metres per map unit of a system from from_crs (0.3048006096012192 for US
survey feet), None for others (their unit name decides when they are written).
Projections work in metres: map coordinates in the CRS's units are the
projection's divided by it.)")
        .def(
            "__eq__", [](const CoordSys& a, const CoordSys& b) { return *a.ref == *b.ref; },
            py::is_operator())
        .def("__repr__", [](const CoordSys& c) {
            GxSmartRef<GxProjection> projection;
            c.ref->GetProjection(projection);
            return "<CoordSys " +
                   std::string(projection.IsNull() ? "without projection"
                                                   : projection->GetProjectionName()) +
                   ", units " + py::repr(Units(c)).cast<std::string>() + ">";
        });
    DefCrsWriters(coordSys, "The system", [](const CoordSys& c, GxCrsDefinition::Format format) {
        return WriteCrs(c.ref.Get(), c.unitScale, nullptr, format);
    });

    py::class_<CoordFrame>(m, "CoordFrame",
                           R"(Places local database coordinates in a coordinate system.

CoordFrame(origin, scale, rotation=0.0, coord_sys=None): the placed position
(x, y) of the local origin, the scale per axis (a number or (x, y); both
non-zero, one above 0), a counter-clockwise rotation in degrees, and a copy
of the coordinate system.)")
        .def(py::init(&MakeCoordFrame), py::arg("origin"), py::arg("scale"),
             py::arg("rotation") = 0.0, py::arg("coord_sys") = nullptr)
        .def(
            "to_placed",
            [](const CoordFrame& f, py::object x, py::object y, py::object into) {
                const GxTransform2D* transform = f.ref->GetTransform();
                return MapPoints<2>(
                    {{"x", x}, {"y", y}},
                    [transform](const double* in, double* out) {
                        return transform && transform->TransformTo(in[0], in[1], out[0], out[1]);
                    },
                    nullptr, std::numeric_limits<double>::quiet_NaN(), into);
            },
            py::arg("x"), py::arg("y"), py::kw_only(), py::arg("out") = py::none(),
            R"(Local (x, y) to the placed coordinate system: scaled, rotated, then
moved to the origin. Arrays broadcast; NaN where a point cannot be mapped.)")
        .def(
            "from_placed",
            [](const CoordFrame& f, py::object x, py::object y, py::object into) {
                const GxTransform2D* transform = f.ref->GetTransform();
                return MapPoints<2>(
                    {{"x", x}, {"y", y}},
                    [transform](const double* in, double* out) {
                        return transform && transform->TransformFrom(in[0], in[1], out[0], out[1]);
                    },
                    nullptr, std::numeric_limits<double>::quiet_NaN(), into);
            },
            py::arg("x"), py::arg("y"), py::kw_only(), py::arg("out") = py::none(),
            "Placed (x, y) back to local coordinates; the inverse of to_placed.")
        .def_property_readonly(
            "origin",
            [](const CoordFrame& f) {
                double x, y;
                f.ref->GetOrigin(x, y);
                return py::make_tuple(x, y);
            },
            "The placed position (x, y) of the local origin.")
        .def_property_readonly(
            "scale",
            [](const CoordFrame& f) {
                double x, y;
                f.ref->GetScale(x, y);
                return py::make_tuple(x, y);
            },
            "Scale (x, y) from local to placed units.")
        .def_property_readonly(
            "rotation",
            [](const CoordFrame& f) {
                double degrees;
                f.ref->GetRotation(degrees);
                return degrees;
            },
            "Counter-clockwise rotation in degrees.")
        .def_property_readonly(
            "coord_sys",
            [](const CoordFrame& f) {
                GxSmartRef<GxCoordSys> system;
                f.ref->GetCoordSystem(system);
                return CoordSysOr(system);
            },
            "The frame's coordinate system, or None.");

    py::class_<Coverage>(m, "Coverage", R"(The rectangle a database covers.

Coverage(origin, extent, coord_sys=None): origin (x, y) and extent (x, y) in
the units of the coordinate system, stored as given; without one, a
latitude/longitude system on WGS 84 in degrees.)")
        .def(py::init([](py::object origin, py::object extent, const CoordSys* coordSys) {
                 const auto o = FiniteNumbers<2>("origin", origin, "(x, y)");
                 const auto e = FiniteNumbers<2>("extent", extent, "(x, y)");
                 return Coverage{new GxCoverage(o[0], o[1], e[0], e[1],
                                                coordSys ? GxSmartRef<GxCoordSysBase>(coordSys->ref)
                                                         : GxSmartRef<GxCoordSysBase>())};
             }),
             py::arg("origin"), py::arg("extent"), py::arg("coord_sys") = nullptr)
        .def_property_readonly(
            "origin",
            [](const Coverage& c) {
                return py::make_tuple(c.ref->GetOriginX(), c.ref->GetOriginY());
            },
            "Origin (x, y).")
        .def_property_readonly(
            "extent",
            [](const Coverage& c) {
                return py::make_tuple(c.ref->GetExtentX(), c.ref->GetExtentY());
            },
            "Extent (x, y).")
        .def_property_readonly(
            "coord_sys",
            [](const Coverage& c) {
                GxSmartRef<GxCoordSysBase> system;
                c.ref->GetCoordSystem(system);
                return CoordSysOr(system);
            },
            "The coverage's coordinate system.")
        .def(
            "__eq__", [](const Coverage& a, const Coverage& b) { return *a.ref == *b.ref; },
            py::is_operator())
        .def("__repr__", [](const Coverage& c) {
            return "Coverage(origin=" + Pair(c.ref->GetOriginX(), c.ref->GetOriginY()) +
                   ", extent=" + Pair(c.ref->GetExtentX(), c.ref->GetExtentY()) + ")";
        });
}

} // namespace geoframe::python
