// The six map projections, the UTM zone of a longitude and the UTM/UPS system.

#include "Arrays.h"
#include "Objects.h"

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace geoframe::python {

namespace {

double LocalZ(const GxProjection& projection) {
    double x, y, z;
    projection.GetLocalOrigin(x, y, z);
    return z;
}

/// The third output of an array conversion: input k plus `shift`. A point that
/// did not convert (NaN in the first output) or whose height is not finite gets
/// NaN in all three, as the per-point conversions give it.
void Heights(const Layout& layout, std::size_t k, const std::array<double*, 3>& out, double shift) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const double* h = Values(layout, k, out[2]);
    for (py::ssize_t i = 0; i < layout.count; ++i) {
        const double z = h[i] + shift;
        const bool ok = !std::isnan(out[0][i]) && std::isfinite(z);
        out[0][i] = ok ? out[0][i] : nan;
        out[1][i] = ok ? out[1][i] : nan;
        out[2][i] = ok ? z : nan;
    }
}

struct UTM : Projection {};
struct LambertConformalConic : Projection {};
struct AlbersEqualArea : Projection {};
struct Stereographic : Projection {};
struct FlatEarth : Projection {};
struct Trapezoidal : Projection {};

template <class Gx>
Gx& As(const Projection& projection) {
    return static_cast<Gx&>(*projection.ref);
}

/// A new Python projection of class W holding `projection`. For a PROJ-backed
/// one, ValueError naming PROJ's parameter list and PROJ's reason when PROJ
/// refused it.
template <class W>
std::unique_ptr<W> Wrap(GxProjection* projection) {
    auto wrapper = std::make_unique<W>();
    wrapper->ref = projection;
    auto* proj = dynamic_cast<GxProj4Projection*>(projection);
    if (proj && !proj->IsConfigured()) {
        std::string parameters;
        for (const std::string& parameter : proj->GetParameterList())
            parameters += (parameters.empty() ? "+" : " +") + parameter;
        Refuse("PROJ refused the projection " + parameters + ": " + proj->GetConfigureError());
    }
    return wrapper;
}

/// How WrapProjection finds the Python class of a library projection: each
/// projection's binding adds its row.
struct Wrapper {
    bool (*is)(const GxProjection*);
    py::object (*wrap)(GxProjection*);
};

std::vector<Wrapper>& Wrappers() {
    static std::vector<Wrapper> rows;
    return rows;
}

template <class W, class Gx>
void AddWrapper() {
    Wrappers().push_back(
        {[](const GxProjection* p) { return dynamic_cast<const Gx*>(p) != nullptr; },
         [](GxProjection* p) { return py::cast(Wrap<W>(p)); }});
}

GxGeoAngle Angle(const char* name, py::handle degrees) {
    return GxGeoAngle(FiniteNumber(name, degrees));
}

std::string Number(double value) {
    return py::repr(py::float_(value)).cast<std::string>();
}

std::unique_ptr<UTM> MakeUTM(int zone, bool south, py::object ellipsoid) {
    if (zone < 1 || zone > 60)
        Refuse("zone: " + std::to_string(zone) + " is not a UTM zone (1 to 60)");
    return Wrap<UTM>(new GxUTMProjection(EllipsoidOr(ellipsoid, "WGS84"), zone, south ? 1 : 0));
}

template <class W, class Gx>
std::unique_ptr<W> MakeConic(py::object lat0, py::object lon0, py::object upper, py::object lower,
                             py::object ellipsoid) {
    return Wrap<W>(new Gx(EllipsoidOr(ellipsoid, "WGS84"), Angle("lat0", lat0), Angle("lon0", lon0),
                          Angle("upper", upper), Angle("lower", lower)));
}

std::unique_ptr<Stereographic> MakeStereographic(py::object lat0, py::object lon0,
                                                 py::object scaleLat, py::object k0,
                                                 py::object ellipsoid) {
    const GxGeoAngle originLat = Angle("lat0", lat0), originLon = Angle("lon0", lon0);
    if (!scaleLat.is_none() && !k0.is_none())
        Refuse("scale_lat and k0: give one or neither");
    if (!k0.is_none()) {
        const double factor = FiniteNumber("k0", k0);
        if (!(factor > 0.0))
            Refuse("k0: the scale factor must be greater than 0");
        return Wrap<Stereographic>(new GxStereographicProjection(EllipsoidOr(ellipsoid, "WGS84"),
                                                                 originLat, originLon, factor));
    }
    const GxGeoAngle scale = scaleLat.is_none() ? GxGeoAngle(90.0) : Angle("scale_lat", scaleLat);
    return Wrap<Stereographic>(new GxStereographicProjection(EllipsoidOr(ellipsoid, "WGS84"),
                                                             originLat, originLon, scale));
}

template <class W, class Gx>
std::unique_ptr<W> MakeDegreeGrid(py::object lat0, py::object lon0, py::object ellipsoid,
                                  const char* fallback) {
    return Wrap<W>(
        new Gx(EllipsoidOr(ellipsoid, fallback), Angle("lat0", lat0), Angle("lon0", lon0)));
}

using Conic = GxConicProjection;
using DegreeGrid = GxDegreeGridProjection;

/// Origin latitude and longitude in degrees. The flat-earth and trapezoidal
/// projections rederive their cosine when asked, so they take the lock against
/// conversions.
template <class Gx>
std::pair<double, double> Origin(Projection& p) {
    double lat = 0.0, lon = 0.0;
    if constexpr (std::is_base_of_v<DegreeGrid, Gx>) {
        const std::lock_guard<std::mutex> lock(p.mutex);
        As<Gx>(p).GetOrigin(lat, lon);
    } else {
        As<Gx>(p).GetOriginLatLong(lat, lon);
    }
    return {lat, lon};
}

/// The properties lat0 and lon0.
template <class Gx, class W>
py::class_<W, Projection>& WithOrigin(py::class_<W, Projection>& c) {
    return c
        .def_property_readonly(
            "lat0", [](W& p) { return Origin<Gx>(p).first; }, "Origin latitude in degrees.")
        .def_property_readonly(
            "lon0", [](W& p) { return Origin<Gx>(p).second; }, "Origin longitude in degrees.");
}

/// A standard parallel of a conic projection in degrees.
template <bool (Conic::*Get)(double&) const>
double Parallel(const Projection& p) {
    double lat = 0.0;
    (As<Conic>(p).*Get)(lat);
    return lat;
}

/// The scale latitude and the scale factor of a stereographic projection; the one
/// that does not fix the scale is None.
std::pair<py::object, py::object> StereographicScale(const Projection& p) {
    const auto& stereographic = As<GxStereographicProjection>(p);
    bool useK0 = false;
    double lat = 0.0, k0 = 0.0;
    stereographic.GetUseScaleK0(useK0);
    stereographic.GetScaleLat(lat);
    stereographic.GetScaleK0(k0);
    if (useK0)
        return {py::none(), py::float_(k0)};
    return {py::float_(lat), py::none()};
}

template <class W, class Gx>
void BindConic(py::module_& m, const char* name, const char* doc) {
    AddWrapper<W, Gx>();
    py::class_<W, Projection> c(m, name, doc);
    WithOrigin<Gx>(c)
        .def(py::init(&MakeConic<W, Gx>), py::arg("lat0"), py::arg("lon0"), py::arg("upper"),
             py::arg("lower"), py::arg("ellipsoid") = py::none())
        .def_property_readonly("upper", &Parallel<&Conic::GetUpperLat>,
                               "Upper standard parallel (PROJ's lat_2) in degrees.")
        .def_property_readonly("lower", &Parallel<&Conic::GetLowerLat>,
                               "Lower standard parallel (PROJ's lat_1) in degrees.")
        .def("__repr__", [name](W& p) {
            const auto origin = Origin<Gx>(p);
            return std::string(name) + "(" + Number(origin.first) + ", " + Number(origin.second) +
                   ", " + Number(Parallel<&Conic::GetUpperLat>(p)) + ", " +
                   Number(Parallel<&Conic::GetLowerLat>(p)) + ")";
        });
}

template <class W, class Gx>
void BindDegreeGrid(py::module_& m, const char* name, const char* fallback, const char* doc) {
    AddWrapper<W, Gx>();
    py::class_<W, Projection> c(m, name, doc);
    WithOrigin<Gx>(c)
        .def(py::init([fallback](py::object lat0, py::object lon0, py::object ellipsoid) {
                 return MakeDegreeGrid<W, Gx>(lat0, lon0, ellipsoid, fallback);
             }),
             py::arg("lat0"), py::arg("lon0"), py::arg("ellipsoid") = py::none())
        .def("__repr__", [name](W& p) {
            const auto origin = Origin<Gx>(p);
            return std::string(name) + "(" + Number(origin.first) + ", " + Number(origin.second) +
                   ")";
        });
}

py::object UtmZone(py::object lon) {
    // ZoneOfLong reads nothing of the projection; one shared for the process,
    // never destroyed, so that it outlives every caller.
    static const GxUTMProjection* const utm = new GxUTMProjection();
    return MapPoints<1, long long>(
        {{"lon", lon}},
        [](const double* in, long long* out) {
            int zone = 0;
            if (!utm->ZoneOfLong(in[0], zone))
                return false;
            *out = zone;
            return true;
        },
        nullptr, 0);
}

/// The zone (-1 where StandardZone refuses the point) and the hemisphere (1 south,
/// 0 north, -1 refused) of each point.
py::object StandardZoneCodes(py::object lat, py::object lon) {
    return MapPoints<2, long long>(
        {{"lat", lat}, {"lon", lon}},
        [](const double* in, long long* out) {
            int zone = 0, hemisphere = 0;
            if (!GxUTMProjection::StandardZone(in[0], in[1], zone, hemisphere))
                return false;
            out[0] = zone;
            out[1] = hemisphere;
            return true;
        },
        nullptr, -1);
}

/// (zone, south) from StandardZoneCodes: south is true only for a hemisphere of 1.
py::tuple ZoneAndSouth(py::object codes) {
    const py::tuple pair = codes;
    if (py::isinstance<py::int_>(pair[0]))
        return py::make_tuple(pair[0], py::bool_(pair[1].cast<long long>() == 1));
    return py::make_tuple(pair[0], py::module_::import("numpy").attr("equal")(pair[1], 1));
}

py::object StandardZones(py::object lat, py::object lon) {
    return ZoneAndSouth(StandardZoneCodes(lat, lon));
}

py::object UtmAuto(py::object lat, py::object lon, py::object height, py::object ellipsoid) {
    // The projections of the zones the points fall in, made as they are first
    // needed (zone 0 is UPS), for this call only.
    GxSmartRef<GxEllipsoidBase> figure = EllipsoidOr(ellipsoid, "WGS84");
    std::vector<GxSmartRef<GxProjection>> zones(2 * 61);
    py::object xyz =
        MapPoints<3>({{"lat", lat}, {"lon", lon}, {"height", height}},
                     [&figure, &zones](const double* in, double* out) {
                         int zone = 0, hemisphere = 0;
                         if (!GxUTMProjection::StandardZone(in[0], in[1], zone, hemisphere))
                             return false;
                         GxSmartRef<GxProjection>& projection = zones[hemisphere * 61 + zone];
                         if (!projection)
                             projection =
                                 GxUTMProjection::NewStandardZone(figure, zone, hemisphere);
                         gxVec3 map(gxVec3::INIT_NONE);
                         if (!projection->LatLong2Proj(gxVec3(in[1], in[0], in[2]), map))
                             return false;
                         out[0] = map[0];
                         out[1] = map[1];
                         out[2] = map[2];
                         return true;
                     });
    return xyz + ZoneAndSouth(StandardZoneCodes(lat, lon));
}

} // namespace

py::object WrapProjection(GxSmartRef<GxProjection> projection) {
    for (const Wrapper& row : Wrappers())
        if (row.is(projection.Get()))
            return row.wrap(projection.Get());
    return py::none();
}

void BindProjections(py::module_& m) {
    py::class_<Projection> projection(m, "Projection", R"(Base of the six map projections.

Map coordinates x (easting) and y (northing) are metres measured from the
local origin; latitudes and longitudes are degrees, heights metres. Each
projection converts through its own PROJ context: distinct projections
convert on distinct threads at once, one projection serves one call at a
time. The ellipsoid argument of each projection takes an Ellipsoid or an
ellipsoid name. == is the library's exact equality (class, ellipsoid, local
origin and parameters).)");
    projection
        .def(
            "forward",
            [](Projection& p, py::object lat, py::object lon, py::object height, py::object out) {
                const GxProjection* projection = p.ref.Get();
                return MapArrays<3>(
                    {{"lat", lat}, {"lon", lon}, {"height", height}},
                    [projection](const Layout& layout, const std::array<double*, 3>& out) {
                        // Latitudes and longitudes may be gathered into x and y,
                        // converted there in place.
                        const std::size_t n = layout.count;
                        projection->LatLong2ProjArray(n, Values(layout, 0, out[0]),
                                                      Values(layout, 1, out[1]), out[0], out[1]);
                        Heights(layout, 2, out, -LocalZ(*projection));
                    },
                    &p.mutex, out);
            },
            py::arg("lat"), py::arg("lon"), py::arg("height") = 0.0, py::kw_only(),
            py::arg("out") = py::none(),
            R"(Latitude, longitude (degrees) and height (metres) to (x, y, z) in
metres, less the local origin. Floats, sequences or arrays of any shape,
broadcast together; floats in give floats out. A point that cannot be
converted gives NaN in x, y and z. out=(x, y, z): three writable C-contiguous
float64 arrays of the broadcast shape to write into and return (ValueError
otherwise).)")
        .def(
            "inverse",
            [](Projection& p, py::object x, py::object y, py::object z, py::object out) {
                const GxProjection* projection = p.ref.Get();
                return MapArrays<3>(
                    {{"x", x}, {"y", y}, {"z", z}},
                    [projection](const Layout& layout, const std::array<double*, 3>& out) {
                        const std::size_t n = layout.count;
                        projection->Proj2LatLongArray(n, Values(layout, 0, out[0]),
                                                      Values(layout, 1, out[1]), out[0], out[1]);
                        Heights(layout, 2, out, LocalZ(*projection));
                    },
                    &p.mutex, out);
            },
            py::arg("x"), py::arg("y"), py::arg("z") = 0.0, py::kw_only(),
            py::arg("out") = py::none(),
            R"(Map x, y, z (metres, from the local origin) to (lat, lon, height) in
degrees and metres. Arrays broadcast as for forward; a point that cannot be
converted gives NaN in all three. out= as for forward.)")
        .def_property(
            "local_origin",
            [](const Projection& p) {
                double x, y, z;
                p.ref->GetLocalOrigin(x, y, z);
                return py::make_tuple(x, y, z);
            },
            [](Projection& p, py::object origin) {
                const auto xyz = FiniteNumbers<3>("local_origin", origin, "(x, y, z) in metres");
                const std::lock_guard<std::mutex> lock(p.mutex);
                p.ref->SetLocalOrigin(xyz[0], xyz[1], xyz[2]);
            },
            "Local origin (x, y, z) in metres, subtracted from every forward result.")
        .def_property_readonly(
            "description", [](const Projection& p) { return p.ref->GetProjectionInstanceDesc(); },
            "The library's description of the configured projection, several lines.")
        .def_property_readonly(
            "name", [](const Projection& p) { return p.ref->GetProjectionName(); },
            "The projection's name, such as 'UTM_PROJ'.")
        .def_property_readonly(
            "ellipsoid", [](const Projection& p) { return Ellipsoid{p.ref->GetEllipsoid()}; },
            "The ellipsoid the projection works on.")
        .def_property(
            "full_precision",
            [](const Projection& p) {
                const auto* proj = dynamic_cast<const GxProj4Projection*>(p.ref.Get());
                return proj && proj->GetFullPrecision();
            },
            [](Projection& p, bool full) {
                auto* proj = dynamic_cast<GxProj4Projection*>(p.ref.Get());
                if (!proj) {
                    if (full)
                        Refuse("full_precision: the library computes this projection itself");
                    return;
                }
                const std::lock_guard<std::mutex> lock(p.mutex);
                proj->SetFullPrecision(full);
            },
            R"(True when PROJ gets the parameters at full precision (projections from a
CRS), False for the six-decimal texts stored databases were made with.)")
        .def(
            "__eq__",
            [](const Projection& a, const Projection& b) { return a.ref->IsEqual(b.ref); },
            py::is_operator());
    DefCrsWriters(projection, "The projection on its ellipsoid, in metres,",
                  [](Projection& p, GxCrsDefinition::Format format) {
                      const std::lock_guard<std::mutex> lock(p.mutex);
                      return WriteCrs(nullptr, 0.0, p.ref.Get(), format);
                  });

    AddWrapper<UTM, GxUTMProjection>();
    py::class_<UTM, Projection>(m, "UTM", R"(Universal Transverse Mercator, computed by PROJ.

UTM(zone, south=False, ellipsoid=None): zone 1 to 60 (see utm_zone), the
southern hemisphere's false northing when south is true; WGS 84 by default.)")
        .def(py::init(&MakeUTM), py::arg("zone"), py::arg("south") = false,
             py::arg("ellipsoid") = py::none())
        .def_property_readonly(
            "zone",
            [](const UTM& p) {
                int zone;
                As<GxUTMProjection>(p).GetZone(zone);
                return zone;
            },
            "The zone, 1 to 60.")
        .def_property_readonly(
            "south",
            [](const UTM& p) {
                int hemisphere;
                As<GxUTMProjection>(p).GetHemisphere(hemisphere);
                return hemisphere != 0;
            },
            "True for the southern hemisphere.")
        .def("__repr__", [](const UTM& p) {
            int zone, hemisphere;
            As<GxUTMProjection>(p).GetZone(zone);
            As<GxUTMProjection>(p).GetHemisphere(hemisphere);
            return "UTM(" + std::to_string(zone) + (hemisphere ? ", south=True)" : ")");
        });

    BindConic<LambertConformalConic, GxLCCProjection>(
        m, "LambertConformalConic",
        R"(Lambert conformal conic projection with two standard parallels, by PROJ.

LambertConformalConic(lat0, lon0, upper, lower, ellipsoid=None): origin and
standard parallels in degrees; WGS 84 by default. ValueError when PROJ refuses
the parameters (such as upper == -lower).)");
    BindConic<AlbersEqualArea, GxACEAProjection>(
        m, "AlbersEqualArea",
        R"(Albers conic equal-area projection with two standard parallels, by PROJ.

AlbersEqualArea(lat0, lon0, upper, lower, ellipsoid=None): origin and standard
parallels in degrees; WGS 84 by default. ValueError when PROJ refuses the
parameters.)");

    AddWrapper<Stereographic, GxStereographicProjection>();
    py::class_<Stereographic, Projection> stereographic(
        m, "Stereographic",
        R"(Stereographic projection, computed by PROJ.

Stereographic(lat0, lon0, scale_lat=None, k0=None, ellipsoid=None): origin in
degrees; the scale fixed by the factor k0 or else by the scale latitude in
degrees (90 by default), as the library hands them to PROJ; WGS 84 by default.)");
    WithOrigin<GxStereographicProjection>(stereographic)
        .def(py::init(&MakeStereographic), py::arg("lat0"), py::arg("lon0"),
             py::arg("scale_lat") = py::none(), py::arg("k0") = py::none(),
             py::arg("ellipsoid") = py::none())
        .def_property_readonly(
            "scale_lat", [](const Stereographic& p) { return StereographicScale(p).first; },
            "The scale latitude in degrees, or None when k0 fixes the scale.")
        .def_property_readonly(
            "k0", [](const Stereographic& p) { return StereographicScale(p).second; },
            "The scale factor, or None when the scale latitude fixes the scale.")
        .def("__repr__", [](Stereographic& p) {
            const auto origin = Origin<GxStereographicProjection>(p);
            const auto scale = StereographicScale(p);
            return "Stereographic(" + Number(origin.first) + ", " + Number(origin.second) +
                   (scale.second.is_none()
                        ? ", scale_lat=" + py::repr(scale.first).cast<std::string>()
                        : ", k0=" + py::repr(scale.second).cast<std::string>()) +
                   ")";
        });

    BindDegreeGrid<FlatEarth, GxFlatEarthProjection>(
        m, "FlatEarth", "gxFlatEarthSphere",
        R"(Flat-earth projection, computed by the library: 111120 m per degree of
latitude and 111120 m times the cosine of the origin latitude per degree of
longitude.

FlatEarth(lat0, lon0, ellipsoid=None): origin in degrees; the ellipsoid only
names the datum, the flat-earth sphere "gxFlatEarthSphere" by default.)");
    BindDegreeGrid<Trapezoidal, GxTrapezoidalProjection>(
        m, "Trapezoidal", "WGS84",
        R"(Trapezoidal projection, computed by the library: 111120 m per degree of
latitude and 111120 m times the cosine of the point's own latitude per degree
of longitude.

Trapezoidal(lat0, lon0, ellipsoid=None): origin in degrees; the ellipsoid only
names the datum, WGS 84 by default.)");

    m.def("utm_zone", &UtmZone, py::arg("lon"),
          R"(The UTM zone (1 to 60) of a longitude in degrees: 6-degree bands eastward
from 180 W, a boundary belonging to the zone east of it. An int for a float,
an int array of the shape for arrays; 0 for a longitude that is not finite.

utm_zone(lat, lon): the zone of the UTM/UPS system instead, as MGRS and
GeoConvert choose it, with its hemisphere: a tuple (zone, south) of an int64
array and a bool array of the broadcast shape (an int and a bool for floats).
The zone is 1 to 60 with the Norway (56 to 64 N, 3 to 6 E: 32) and Svalbard
(72 to 84 N, 0 to 42 E: 31, 33, 35, 37) exceptions, or 0 for UPS from 84 N and
south of 80 S; south is true south of the equator. A latitude outside -90 to 90
or a longitude that is not finite gives zone -1 and south False.)");
    m.def("utm_zone", &StandardZones, py::arg("lat"), py::arg("lon"));
    m.def("utm_auto", &UtmAuto, py::arg("lat"), py::arg("lon"), py::arg("height") = 0.0,
          py::arg("ellipsoid") = py::none(),
          R"(Latitude, longitude (degrees) and height (metres) to the UTM/UPS system,
each point in its own zone, as geoframe-convert's utm:auto converts them:
(x, y, z, zone, south) with x, y, z in metres (float64), the zone and south as
utm_zone(lat, lon) gives them (int64, bool). UPS points (zone 0) have the false
easting and northing 2,000,000 m, and a pole maps to exactly that. Arrays
broadcast as for Projection.forward; floats in give floats, an int and a bool
out. A point that cannot be converted gives NaN in x, y and z (and zone -1 when
its latitude or longitude is not valid). WGS 84 unless ellipsoid names another
figure (an Ellipsoid or a name).)");
}

} // namespace geoframe::python
