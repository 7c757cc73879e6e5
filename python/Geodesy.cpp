// Ellipsoids, the datum table and angle texts.

#include "Arrays.h"
#include "Objects.h"

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace geoframe::python {

namespace {

GxSmartRef<GxEllipsoidBase> NamedEllipsoid(const std::string& name) {
    // The lookup that GxEllipsoid(name) makes, with its result: false for a name
    // it does not know.
    GxSmartRef<GxEllipsoidBase> ellipsoid(new GxEllipsoid());
    if (!ellipsoid->SetEllipsoid(name.c_str(), 0.0, 0.0, 0.0))
        Refuse("unknown ellipsoid name '" + name + "' (see geoframe.ellipsoid_names())");
    return ellipsoid;
}

Ellipsoid MakeEllipsoid(py::object name, py::object a, py::object b, py::object shift) {
    const std::array<double, 3> dxyz =
        shift.is_none() ? std::array<double, 3>{}
                        : FiniteNumbers<3>("shift", shift, "(dx, dy, dz) in metres");
    const std::string text = name.is_none() ? std::string() : Text("name", name);
    if (a.is_none() && b.is_none()) {
        GxSmartRef<GxEllipsoidBase> ellipsoid = NamedEllipsoid(name.is_none() ? "WGS84" : text);
        if (!shift.is_none())
            ellipsoid->SetDatumShift(dxyz[0], dxyz[1], dxyz[2]);
        return Ellipsoid{ellipsoid};
    }
    if (a.is_none() || b.is_none())
        Refuse("a and b: give both radii or neither");
    const double major = FiniteNumber("a", a), minor = FiniteNumber("b", b);
    if (!(minor > 0.0 && minor <= major))
        Refuse("a and b: the radii must satisfy 0 < b <= a");
    return Ellipsoid{new GxEllipsoid(major, minor, dxyz[0], dxyz[1], dxyz[2],
                                     name.is_none() ? nullptr : text.c_str())};
}

py::object NameOrNone(const char* name) {
    return name ? py::object(py::str(name)) : py::object(py::none());
}

py::list EllipsoidNames() {
    const GxEllipsoid ellipsoid;
    char** ids = nullptr;
    char** descriptions = nullptr;
    const int count = ellipsoid.GetEllipsoidNames(ids, descriptions);
    py::list names;
    for (int i = 0; i < count; ++i)
        names.append(py::make_tuple(ids[i], descriptions[i]));
    ellipsoid.FreeEllipsoidNames(count, ids, descriptions);
    return names;
}

std::string InstalledDatumFile() {
    const py::module_ os = py::module_::import("os");
    const py::object here = py::module_::import("geoframe._geoframe").attr("__file__");
    return py::str(os.attr("path").attr("normpath")(os.attr("path").attr("join")(
                       os.attr("path").attr("dirname")(here), GEOFRAME_DATUM_RELPATH)))
        .cast<std::string>();
}

int LoadDatums(py::object path) {
    const std::string file = path.is_none()
                                 ? InstalledDatumFile()
                                 : Text("path", py::module_::import("os").attr("fspath")(path));
    // The table is replaced only by a file that opens, so a wrong path keeps the
    // datums loaded before.
    if (!std::ifstream(file)) {
        PyErr_SetString(PyExc_FileNotFoundError, ("cannot read the datum file " + file).c_str());
        throw py::error_already_set();
    }
    GxDatum::CleanupDatum();
    if (!GxDatum::InitDatum(file.c_str())) {
        PyErr_SetString(PyExc_OSError, ("cannot read the datum file " + file).c_str());
        throw py::error_already_set();
    }
    char** names = nullptr;
    char** descriptions = nullptr;
    const int count = GxDatum::GetDatumNames(names, descriptions);
    GxDatum::FreeDatumNames(count, names, descriptions);
    return count;
}

/// An ellipsoid's array conversion `Convert` (to or from geocentric) over three
/// broadcast inputs, into `into` when given.
template <std::size_t (GxEllipsoidBase::*Convert)(std::size_t, const double*, const double*,
                                                  const double*, double*, double*, double*) const>
py::object Geocentric(const Ellipsoid& e, const Input (&inputs)[3], py::handle into) {
    const GxEllipsoidBase* ellipsoid = e.ref.Get();
    return MapArrays<3>(
        inputs,
        [ellipsoid](const Layout& layout, const std::array<double*, 3>& out) {
            (ellipsoid->*Convert)(layout.count, Values(layout, 0, out[0]),
                                  Values(layout, 1, out[1]), Values(layout, 2, out[2]), out[0],
                                  out[1], out[2]);
        },
        nullptr, into);
}

/// The strict reader's angle; NaN for a text it refuses (one holding a zero byte too).
double ParseAngle(const std::string& text) {
    GxGeoAngle angle;
    return angle.SetAngleText(text) ? angle.GetDecimalDegrees()
                                    : std::numeric_limits<double>::quiet_NaN();
}

py::object ParseAngles(py::object texts) {
    if (py::isinstance<py::str>(texts))
        return py::float_(ParseAngle(Text("text", texts)));
    const py::module_ numpy = py::module_::import("numpy");
    const py::array items = numpy.attr("asarray")(texts, "object");
    std::vector<std::string> all;
    for (py::handle item : items.attr("ravel")().attr("tolist")())
        all.push_back(Text("text", item));
    py::array_t<double> degrees(all.size());
    double* out = degrees.mutable_data();
    {
        py::gil_scoped_release release;
        for (std::size_t i = 0; i < all.size(); ++i)
            out[i] = ParseAngle(all[i]);
    }
    return degrees.attr("reshape")(items.attr("shape"));
}

py::object FormatAngles(py::object degrees, int precision, py::object axis) {
    const char* hemisphere = nullptr;
    if (!axis.is_none()) {
        const std::string text = Text("axis", axis);
        if (text != "lat" && text != "lon")
            Refuse("axis: expected 'lat', 'lon' or None, got '" + text + "'");
        hemisphere = text == "lat" ? "N" : "E";
    }
    const Input inputs[] = {{"degrees", degrees}};
    const Layout layout = Broadcast(inputs, 1);
    std::vector<std::string> texts(layout.count);
    {
        py::gil_scoped_release release;
        ForEachPoint<1>(layout, [&](const double(&in)[1], py::ssize_t i) {
            if (!std::isfinite(in[0])) {
                texts[i] = "nan";
                return;
            }
            const GxGeoAngle angle(in[0], hemisphere);
            char* text = angle.GetDMSString(precision);
            texts[i] = text;
            angle.FreeString(text);
        });
    }
    if (layout.scalar)
        return py::str(texts[0]);
    py::list all;
    for (const std::string& text : texts)
        all.append(py::str(text));
    const py::module_ numpy = py::module_::import("numpy");
    py::tuple shape(layout.shape.size());
    for (std::size_t d = 0; d < layout.shape.size(); ++d)
        shape[d] = layout.shape[d];
    return numpy.attr("array")(all, "str").attr("reshape")(shape);
}

} // namespace

GxSmartRef<GxEllipsoidBase> EllipsoidOr(py::handle ellipsoid, const char* fallback) {
    if (ellipsoid.is_none())
        return GxSmartRef<GxEllipsoidBase>(new GxEllipsoid(fallback));
    if (py::isinstance<py::str>(ellipsoid))
        return NamedEllipsoid(Text("ellipsoid", ellipsoid));
    if (!py::isinstance<Ellipsoid>(ellipsoid))
        throw py::type_error("ellipsoid: expected an Ellipsoid, an ellipsoid name or None");
    return ellipsoid.cast<const Ellipsoid&>().ref;
}

void BindGeodesy(py::module_& m) {
    py::class_<Ellipsoid>(m, "Ellipsoid", R"(The figure of the Earth and a datum shift to WGS 84.

Ellipsoid(name="WGS84") looks the name up among the built-in spheres ("Sphere",
"gx14Sphere", "gxFlatEarthSphere"), PROJ's ellipsoids ("WGS84", "GRS80",
"clrk66", ...) and the datums loaded by load_datums ("NAS-C", ...), which bring
their own shift; shift=(dx, dy, dz) in metres replaces it.
Ellipsoid(a=..., b=..., shift=(dx, dy, dz), name=None) takes the semi-major and
semi-minor radii in metres. Raises ValueError for an unknown name or bad radii.
Ellipsoids cannot be changed once made; == allows 1e-8 m in radii and shifts.)")
        .def(py::init(&MakeEllipsoid), py::arg("name") = py::none(), py::kw_only(),
             py::arg("a") = py::none(), py::arg("b") = py::none(), py::arg("shift") = py::none())
        .def_property_readonly(
            "name", [](const Ellipsoid& e) { return NameOrNone(e.ref->GetEllipsoid()); },
            "The name it was made from (ellipsoid or datum), or None.")
        .def_property_readonly(
            "a", [](const Ellipsoid& e) { return e.ref->GetSemiMajorRadius(); },
            "Semi-major radius in metres.")
        .def_property_readonly(
            "b", [](const Ellipsoid& e) { return e.ref->GetSemiMinorRadius(); },
            "Semi-minor radius in metres.")
        .def_property_readonly(
            "e", [](const Ellipsoid& e) { return e.ref->GetEccentricity(); }, "First eccentricity.")
        .def_property_readonly(
            "shift",
            [](const Ellipsoid& e) {
                return py::make_tuple(e.ref->GetDatumShiftX(), e.ref->GetDatumShiftY(),
                                      e.ref->GetDatumShiftZ());
            },
            "Datum shift (dx, dy, dz) in metres, added to geocentric X, Y, Z to reach WGS 84.")
        .def(
            "to_geocentric",
            [](const Ellipsoid& e, py::object lat, py::object lon, py::object height,
               py::object into) {
                return Geocentric<&GxEllipsoidBase::LatLongToGeocentricArray>(
                    e, {{"lat", lat}, {"lon", lon}, {"height", height}}, into);
            },
            py::arg("lat"), py::arg("lon"), py::arg("height") = 0.0, py::kw_only(),
            py::arg("out") = py::none(),
            R"(Geodetic latitude and longitude (degrees) and height (metres) to
geocentric (x, y, z) in metres on this ellipsoid's datum. Arrays broadcast;
a point that cannot be converted gives NaN. out=(x, y, z): float64 arrays of
the broadcast shape to write into, as for Projection.forward.)")
        .def(
            "from_geocentric",
            [](const Ellipsoid& e, py::object x, py::object y, py::object z, py::object into) {
                return Geocentric<&GxEllipsoidBase::GeocentricToLatLongArray>(
                    e, {{"x", x}, {"y", y}, {"z", z}}, into);
            },
            py::arg("x"), py::arg("y"), py::arg("z"), py::kw_only(), py::arg("out") = py::none(),
            R"(Geocentric x, y, z (metres) to (lat, lon, height) in degrees and
metres. Arrays broadcast; a point that cannot be converted (non-finite, or
the iteration does not converge) gives NaN. out= as for to_geocentric.)")
        .def(
            "__eq__", [](const Ellipsoid& a, const Ellipsoid& b) { return *a.ref == *b.ref; },
            py::is_operator())
        .def("__repr__", [](const Ellipsoid& e) {
            return "Ellipsoid(" + py::repr(NameOrNone(e.ref->GetEllipsoid())).cast<std::string>() +
                   ", a=" + py::repr(py::float_(e.ref->GetSemiMajorRadius())).cast<std::string>() +
                   ", b=" + py::repr(py::float_(e.ref->GetSemiMinorRadius())).cast<std::string>() +
                   ")";
        });

    m.def("ellipsoid_names", &EllipsoidNames,
          R"(The names Ellipsoid(name) knows, as (name, description) pairs: PROJ's
ellipsoids, the loaded datums, then the built-in spheres.)");
    m.def("load_datums", &LoadDatums, py::arg("path") = py::none(),
          R"(Loads the datum table from a datum file, replacing the table loaded
before; datum names then work as ellipsoid names. path=None reads the
datums.txt installed with geoframe. Returns the number of datums. Raises
FileNotFoundError (the old table stays) for a file that cannot be read.)");
    m.def("parse_angle", &ParseAngles, py::arg("text"),
          R"(Degrees from angle text, read strictly (GxGeoAngle::SetAngleText):
"45.5", "45.5S", "N51.5", "12 30.5", "12:30:15.5", "12~30'15\" N",
"12d30m15sN", "51°30'26\"N" (S and W negate; decimal degrees wrap into one
turn). A sequence or array of texts gives a float array of its shape. A text
that is not wholly an angle ("45..5", "--45", "12'30", no digits, two
hemisphere letters, minutes or seconds of 60 or more, a latitude beyond 90)
gives NaN.)");
    m.def("format_angle", &FormatAngles, py::arg("degrees"), py::arg("precision") = 2,
          py::arg("axis") = py::none(),
          R"(Degree-minute-second text of an angle in degrees: 33~52'4.56" S with
`precision` decimals of seconds, rounded once and carried (never 60 seconds
or minutes: 46.633333 gives 46~38'0.00"). axis="lat" writes N or S,
axis="lon" E or W, None a sign. An array gives an array of texts of its
shape; "nan" for degrees that are not finite. parse_angle reads every text
written back, but for latitudes beyond 90.)");
}

} // namespace geoframe::python
