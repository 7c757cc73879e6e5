#include <geoframe/coordsys/GxCrsDefinition.h>

#include <geoframe/geodesy/GxEllipsoid.h>
#include <geoframe/projection/GxACEAProjection.h>
#include <geoframe/projection/GxFlatEarthProjection.h>
#include <geoframe/projection/GxLCCProjection.h>
#include <geoframe/projection/GxStereographicProjection.h>
#include <geoframe/projection/GxTrapezoidalProjection.h>
#include <geoframe/projection/GxUPSProjection.h>
#include <geoframe/projection/GxUTMProjection.h>

#include "foundation/Text.h"
#include "projection/ProjCreation.h"

#include <proj.h>
#include <proj_experimental.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

using geoframe::detail::FixedText;
using geoframe::detail::ShortestText;

namespace {

constexpr double kPi = 3.14159265358979323846;
/// Radians per degree, as PROJ reckons it.
constexpr double kDegree = kPi / 180.0;
/// The sphere of the flat-earth and trapezoidal projections: 111120 m per degree.
constexpr double kGridRadius = 111120.0 * 180.0 / kPi;

struct PjDeleter {
    void operator()(PJ* object) const { proj_destroy(object); }
};
using Pj = std::unique_ptr<PJ, PjDeleter>;

// EPSG codes of the conversion methods and parameters read here.
constexpr int kTransverseMercator = 9807, kLcc1SP = 9801, kLcc2SP = 9802, kAlbers = 9822,
              kPolarA = 9810, kPolarB = 9829;
constexpr int kLatOrigin = 8801, kLonOrigin = 8802, kScale = 8805, kFalseEasting = 8806,
              kFalseNorthing = 8807, kLatFalseOrigin = 8821, kLonFalseOrigin = 8822, kLat1 = 8823,
              kLat2 = 8824, kEastingFalseOrigin = 8826, kNorthingFalseOrigin = 8827,
              kLatStdParallel = 8832, kLonOfOrigin = 8833;

/// A conversion's parameters by EPSG code: angles in degrees, lengths in metres,
/// scale factors as numbers.
class Parameters {
public:
    Parameters(PJ_CONTEXT* context, PJ* conversion) {
        const int count = proj_coordoperation_get_param_count(context, conversion);
        for (int i = 0; i < count; ++i) {
            const char *name, *auth, *code, *valueText, *unitName, *unitAuth, *unitCode, *category;
            double value, factor;
            if (!proj_coordoperation_get_param(context, conversion, i, &name, &auth, &code, &value,
                                               &valueText, &factor, &unitName, &unitAuth, &unitCode,
                                               &category) ||
                !code)
                continue;
            // Degrees stay as written, so that 27.833333333333332 reaches the
            // projection as it is; other angular units go through radians.
            const bool angular = category && std::strcmp(category, "angular") == 0;
            if (angular && std::fabs(factor - kDegree) > 1e-15)
                value = value * factor / kDegree;
            else if (!angular && factor > 0.0)
                value *= factor;
            m_values[std::atoi(code)] = value;
        }
    }
    bool Has(int code) const { return m_values.count(code) != 0; }
    double operator[](int code) const {
        const auto found = m_values.find(code);
        return found == m_values.end() ? 0.0 : found->second;
    }

private:
    std::map<int, double> m_values;
};

bool Near(double a, double b, double tolerance) {
    return std::fabs(a - b) <= tolerance;
}

/// EPSG's isometric-latitude helpers on an ellipsoid of eccentricity e.
double M(double phi, double e) {
    const double s = std::sin(phi);
    return std::cos(phi) / std::sqrt(1.0 - e * e * s * s);
}
double T(double phi, double e) {
    const double s = std::sin(phi);
    return std::tan(kPi / 4.0 - phi / 2.0) / std::pow((1.0 - e * s) / (1.0 + e * s), e / 2.0);
}

/// The scale factor at the pole of a polar stereographic projection whose
/// latitude of true scale is `latTs` degrees (EPSG variant B to variant A).
double PolarK0(double latTs, double e) {
    const double phi = std::fabs(latTs) * kDegree;
    if (Near(phi, kPi / 2.0, 1e-15))
        return 1.0;
    return M(phi, e) * std::sqrt(std::pow(1.0 + e, 1.0 + e) * std::pow(1.0 - e, 1.0 - e)) /
           (2.0 * T(phi, e));
}

/// The latitude between `from` and `to` (radians) where the 1SP Lambert scale
/// k0 * m0 / m * (t / t0)^n is 1; it lies there when the scale at `to` exceeds 1.
bool ScaleOneLatitude(double phi0, double k0, double e, double from, double to, double& phi) {
    const double n = std::sin(phi0), m0 = M(phi0, e), t0 = T(phi0, e);
    const auto scale = [&](double p) { return k0 * m0 / M(p, e) * std::pow(T(p, e) / t0, n); };
    if (!(scale(to) > 1.0))
        return false;
    for (int i = 0; i < 200; ++i) {
        const double middle = 0.5 * (from + to);
        (scale(middle) < 1.0 ? from : to) = middle;
    }
    phi = 0.5 * (from + to);
    return true;
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    return text;
}

/// The input as it may appear in a reason: one line, at most 60 characters.
std::string Quoted(std::string_view text) {
    std::string shown = OneLine(std::string(text.substr(0, 60)));
    if (text.size() > 60)
        shown += "...";
    return "'" + shown + "'";
}

const char* TypeName(PJ_TYPE type) {
    switch (type) {
    case PJ_TYPE_GEOGRAPHIC_2D_CRS:
    case PJ_TYPE_GEOGRAPHIC_3D_CRS:
        return "geographic CRS";
    case PJ_TYPE_GEOCENTRIC_CRS:
        return "geocentric CRS";
    case PJ_TYPE_PROJECTED_CRS:
        return "projected CRS";
    case PJ_TYPE_COMPOUND_CRS:
        return "compound CRS (horizontal and vertical)";
    case PJ_TYPE_VERTICAL_CRS:
        return "vertical CRS";
    case PJ_TYPE_ENGINEERING_CRS:
        return "engineering CRS";
    case PJ_TYPE_TEMPORAL_CRS:
        return "temporal CRS";
    case PJ_TYPE_CONVERSION:
    case PJ_TYPE_TRANSFORMATION:
    case PJ_TYPE_CONCATENATED_OPERATION:
    case PJ_TYPE_OTHER_COORDINATE_OPERATION:
        return "coordinate operation";
    default:
        return "object";
    }
}

/// The scene-database names of linear units and their metres; the first of a
/// name is the one a name reads as.
struct Unit {
    double factor;
    const char* name;
};
constexpr Unit kUnits[] = {{1.0, "Meters"},    {1000.0, "Kilometers"},
                           {0.3048, "Feet"},   {1200.0 / 3937.0, "Feet"},
                           {0.0254, "Inches"}, {1852.0, "Nautical Miles"}};

/// Units texts of a linear unit of `factor` metres, by the scene-database names.
const char* UnitName(double factor, const char* projName) {
    for (const Unit& unit : kUnits)
        if (Near(factor, unit.factor, unit.factor * 1e-12))
            return unit.name;
    return projName && *projName ? projName : "Unknown";
}

/// Metres per unit of a scene-database unit name; 0 for a name it does not know.
double UnitFactor(std::string_view name) {
    for (const Unit& unit : kUnits)
        if (name == unit.name)
            return unit.factor;
    return 0.0;
}

/// What a CRS read from PROJ becomes, gathered while PROJ's lock is held; the
/// library's objects are made from it afterwards (making a projection takes the
/// lock itself).
struct Found {
    enum Projection { kNone, kUtm, kLcc, kAlbers, kStereographic };
    Projection projection = kNone;
    int zone = 0;
    bool south = false;
    double lat0 = 0, lon0 = 0, upper = 0, lower = 0, k0 = 1, falseEasting = 0, falseNorthing = 0;
    std::string method;
    double a = 0, b = 0, shift[3] = {0, 0, 0};
    std::string ellipsoidName, unitName, name, note;
    double unitScale = 1.0;
    bool threeDimensional = false;
};

} // namespace

struct GxCrsDefinition::State {
    PJ_CONTEXT* context = nullptr;
    std::string log; ///< the first error PROJ reported since it was cleared
    std::string message, name, text;
    GxSmartRef<GxCoordSys> system;
    Kind kind = KIND_NONE;
    double unitScale = 1.0;

    ~State() {
        if (context)
            proj_context_destroy(context);
    }

    /// The context, made on first use, with PROJ's messages kept here instead of
    /// printed.
    PJ_CONTEXT* Context() {
        if (!context) {
            context = proj_context_create();
            if (context) {
                proj_log_func(context, &log, geoframe::detail::KeepFirstMessage);
                proj_log_level(context, PJ_LOG_ERROR);
            }
        }
        return context;
    }

    /// PROJ's reason for the failure of the last call, or `fallback`.
    std::string ProjReason(const char* fallback) {
        std::string reason = log.empty() ? fallback : log;
        log.clear();
        return OneLine(reason);
    }

    bool Fail(std::string reason) {
        message = OneLine(std::move(reason));
        return false;
    }

    bool ReadLocked(const char* input, Kind& kind, Found& found);
    bool Shift(PJ* geodetic, PJ* bound, double shift[3], std::string& note);
    /// The seven Helmert values of a transformation to WGS 84; false for any other.
    bool Helmert(PJ* operation, double values[7]);
    bool Projection(PJ* crs, double e, Found& found, std::string& reason);
    /// Has PROJ write `definition` as a CRS named `crsName` (a bound CRS keeps
    /// the name on the CRS it describes).
    bool Emit(const std::string& definition, const std::string& crsName, Format format);
};

GxCrsDefinition::GxCrsDefinition() : m_state(new State) {}

GxCrsDefinition::~GxCrsDefinition() = default;

GxSmartRef<GxCoordSys> GxCrsDefinition::GetCoordSys() const {
    return m_state->system;
}

GxCrsDefinition::Kind GxCrsDefinition::GetKind() const {
    return m_state->kind;
}

double GxCrsDefinition::GetUnitScale() const {
    return m_state->unitScale;
}

const char* GxCrsDefinition::GetName() const {
    return m_state->name.c_str();
}

const char* GxCrsDefinition::GetText() const {
    return m_state->text.c_str();
}

const char* GxCrsDefinition::GetMessage() const {
    return m_state->message.c_str();
}

bool GxCrsDefinition::Read(const char* text) {
    if (!text)
        return m_state->Fail("no CRS text");
    Kind kind = KIND_NONE;
    Found found;
    {
        const std::lock_guard<std::mutex> lock(geoframe::detail::ProjCreationMutex());
        if (!m_state->Context())
            return m_state->Fail("PROJ could not make a context");
        if (!m_state->ReadLocked(text, kind, found))
            return false;
    }
    const GxSmartRef<GxEllipsoidBase> ellipsoid(new GxEllipsoid(found.a, found.b, found.shift[0],
                                                                found.shift[1], found.shift[2],
                                                                found.ellipsoidName.c_str()));
    const GxSmartRef<GxCoordSys> system(new GxCoordSys);
    if (kind == KIND_PROJECTED) {
        GxSmartRef<GxProjection> projection;
        switch (found.projection) {
        case Found::kUtm:
            projection = new GxUTMProjection(ellipsoid, found.zone, found.south ? 1 : 0);
            break;
        case Found::kLcc:
            projection =
                new GxLCCProjection(ellipsoid, found.lat0, found.lon0, found.upper, found.lower);
            break;
        case Found::kAlbers:
            projection =
                new GxACEAProjection(ellipsoid, found.lat0, found.lon0, found.upper, found.lower);
            break;
        default:
            // Polar stereographic with UPS's parameters is UPS, whose pole converts.
            if (std::fabs(found.lat0) == 90.0 && found.lon0 == 0.0 &&
                found.k0 == GxUPSProjection::kScaleK0)
                projection = new GxUPSProjection(ellipsoid, found.lat0 < 0.0 ? 1 : 0);
            else
                projection =
                    new GxStereographicProjection(ellipsoid, found.lat0, found.lon0, found.k0);
            break;
        }
        auto& proj4 = dynamic_cast<GxProj4Projection&>(*projection);
        if (!proj4.SetFullPrecision(true) ||
            !projection->SetLocalOrigin(0.0 - found.falseEasting, 0.0 - found.falseNorthing, 0.0))
            return m_state->Fail(found.name + ": PROJ refuses the " + found.method + " parameters");
        system->SetProjection(projection);
        system->SetUnits("Distance", found.unitName.c_str());
    } else {
        system->SetEllipsoid(ellipsoid);
        if (kind == KIND_GEOGRAPHIC)
            system->SetUnits("Angular Distance", "Degrees");
        else
            system->SetUnits("Distance", "Meters");
        if (found.threeDimensional)
            system->SetVerticalDatum(GxCoordSysBase::VERTICAL_DATUM_ELLIPSOID);
    }
    m_state->system = system;
    m_state->kind = kind;
    m_state->unitScale = found.unitScale;
    m_state->name = found.name;
    m_state->message = OneLine(found.note);
    return true;
}

bool GxCrsDefinition::State::ReadLocked(const char* input, Kind& kind, Found& found) {
    std::string text = input;
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    // A PROJ string names a CRS only with "+type=crs"; one without it (and not a
    // pipeline, which stays an operation) is taken to mean the CRS, as GIS tools do.
    if (first != std::string::npos && text[first] == '+' &&
        text.find("type=crs") == std::string::npos &&
        text.find("proj=pipeline") == std::string::npos)
        text += " +type=crs";
    log.clear();
    Pj crs(proj_create(context, text.c_str()));
    if (!crs) {
        std::string reason = ProjReason("PROJ refuses it");
        if (!proj_context_get_database_path(context))
            reason = "PROJ's database proj.db cannot be found (" + reason + ")";
        return Fail("cannot read " + Quoted(input) + " as a CRS: " + reason);
    }
    const PJ_TYPE type = proj_get_type(crs.get());
    if (!proj_is_crs(crs.get()))
        return Fail(Quoted(input) + " is a " + TypeName(type) +
                    ", not a coordinate reference system");
    const char* crsName = proj_get_name(crs.get());
    const std::string shownName = crsName ? crsName : "unnamed";

    // A bound CRS (WKT1 TOWGS84, "+towgs84=") carries its own transformation to
    // WGS 84 around the CRS it describes.
    Pj bound, base;
    PJ* described = crs.get();
    if (type == PJ_TYPE_BOUND_CRS) {
        base.reset(proj_get_source_crs(context, crs.get()));
        bound.reset(proj_crs_get_coordoperation(context, crs.get()));
        if (!base)
            return Fail(shownName + ": " + ProjReason("bound CRS without a base CRS"));
        described = base.get();
    }
    const PJ_TYPE kindType = proj_get_type(described);
    Kind newKind;
    if (kindType == PJ_TYPE_GEOGRAPHIC_2D_CRS || kindType == PJ_TYPE_GEOGRAPHIC_3D_CRS)
        newKind = KIND_GEOGRAPHIC;
    else if (kindType == PJ_TYPE_GEOCENTRIC_CRS)
        newKind = KIND_GEOCENTRIC;
    else if (kindType == PJ_TYPE_PROJECTED_CRS)
        newKind = KIND_PROJECTED;
    else
        return Fail(shownName + " is a " + TypeName(kindType) + ": it has no geoframe equivalent");

    // The ellipsoid, named after the CRS's, with the datum's shift.
    Pj ellipsoidObject(proj_get_ellipsoid(context, described));
    double a = 0, b = 0, inverseFlattening = 0;
    int computed = 0;
    if (!ellipsoidObject || !proj_ellipsoid_get_parameters(context, ellipsoidObject.get(), &a, &b,
                                                           &computed, &inverseFlattening))
        return Fail(shownName + ": " + ProjReason("no ellipsoid"));
    const char* ellipsoidName = proj_get_name(ellipsoidObject.get());
    Pj geodetic(proj_crs_get_geodetic_crs(context, described));

    // A prime meridian other than Greenwich: projected CRSs move their central
    // meridian; geographic longitudes would need a shift the library does not make.
    double primeMeridian = 0.0;
    if (Pj meridian{proj_get_prime_meridian(context, described)}) {
        double longitude = 0, factor = 0;
        const char* unit = nullptr;
        if (proj_prime_meridian_get_parameters(context, meridian.get(), &longitude, &factor, &unit))
            primeMeridian = std::fabs(factor - kDegree) > 1e-15 && factor > 0.0
                                ? longitude * factor / kDegree
                                : longitude;
        if (primeMeridian != 0.0 && newKind != KIND_PROJECTED) {
            const char* pmName = proj_get_name(meridian.get());
            return Fail(shownName + ": longitudes from the " + (pmName ? pmName : "unnamed") +
                        " meridian have no geoframe equivalent");
        }
    }

    Shift(geodetic ? geodetic.get() : described, bound.get(), found.shift, found.note);
    found.a = a;
    found.b = b;
    found.ellipsoidName = ellipsoidName ? ellipsoidName : "";
    found.name = shownName;

    if (newKind == KIND_PROJECTED) {
        Pj cs(proj_crs_get_coordinate_system(context, described));
        const char *axisName, *abbreviation, *direction0 = nullptr, *direction1 = nullptr,
                                             *unitName = nullptr, *unitAuth, *unitCode;
        double factor0 = 0;
        if (!cs || proj_cs_get_axis_count(context, cs.get()) != 2 ||
            !proj_cs_get_axis_info(context, cs.get(), 0, &axisName, &abbreviation, &direction0,
                                   &factor0, &unitName, &unitAuth, &unitCode) ||
            !proj_cs_get_axis_info(context, cs.get(), 1, &axisName, &abbreviation, &direction1,
                                   nullptr, nullptr, nullptr, nullptr))
            return Fail(shownName + ": " + ProjReason("no two-axis coordinate system"));
        const std::string d0 = direction0 ? direction0 : "", d1 = direction1 ? direction1 : "";
        // Easting and northing in either order; polar systems name theirs by the
        // meridians they run along ("south along 90 E" for a north polar easting).
        const auto polar = [](const std::string& d) { return d == "north" || d == "south"; };
        if (!((d0 == "east" && d1 == "north") || (d0 == "north" && d1 == "east") ||
              (polar(d0) && polar(d1))))
            return Fail(shownName + ": axes pointing " + d0 + " and " + d1 +
                        " have no geoframe equivalent");
        if (!(factor0 > 0.0) || !std::isfinite(factor0))
            return Fail(shownName + ": unusable linear unit");

        std::string reason;
        const double e2 = a > 0.0 ? 1.0 - (b * b) / (a * a) : 0.0;
        if (!Projection(described, std::sqrt(std::max(e2, 0.0)), found, reason))
            return Fail(shownName + ": " + reason);
        if (primeMeridian != 0.0) {
            // Central meridians count from the CRS's prime meridian.
            if (found.projection == Found::kUtm)
                return Fail(shownName + ": a UTM zone from a prime meridian other than Greenwich");
            found.lon0 += primeMeridian;
        }
        found.unitName = UnitName(factor0, unitName);
        found.unitScale = factor0;
    } else if (newKind == KIND_GEOGRAPHIC) {
        Pj cs(proj_crs_get_coordinate_system(context, described));
        double factor = 0;
        if (!cs ||
            !proj_cs_get_axis_info(context, cs.get(), 0, nullptr, nullptr, nullptr, &factor,
                                   nullptr, nullptr, nullptr) ||
            !Near(factor, kDegree, 1e-15))
            return Fail(shownName + ": angles in a unit other than the degree");
        found.threeDimensional = kindType == PJ_TYPE_GEOGRAPHIC_3D_CRS;
    }
    kind = newKind;
    return true;
}

bool GxCrsDefinition::State::Helmert(PJ* operation, double values[7]) {
    if (proj_coordoperation_get_towgs84_values(context, operation, values, 7, 0))
        return true;
    // A concatenation counts when its one transformation is a Helmert shift and
    // its other steps only turn longitudes to another prime meridian or change
    // units (as NTF (Paris) to WGS 84 does).
    if (proj_get_type(operation) != PJ_TYPE_CONCATENATED_OPERATION)
        return false;
    const int steps = proj_concatoperation_get_step_count(context, operation);
    int shifts = 0;
    for (int i = 0; i < steps; ++i) {
        Pj step(proj_concatoperation_get_step(context, operation, i));
        const char *method = nullptr, *auth = nullptr, *code = nullptr;
        if (!step)
            return false;
        if (proj_get_type(step.get()) == PJ_TYPE_CONVERSION)
            continue;
        if (proj_coordoperation_get_method_info(context, step.get(), &method, &auth, &code) &&
            method && std::strcmp(method, "Longitude rotation") == 0)
            continue;
        if (!proj_coordoperation_get_towgs84_values(context, step.get(), values, 7, 0))
            return false;
        ++shifts;
    }
    return shifts == 1;
}

bool GxCrsDefinition::State::Shift(PJ* geodetic, PJ* bound, double shift[3], std::string& note) {
    double values[7] = {0, 0, 0, 0, 0, 0, 0};
    if (bound) {
        if (!proj_coordoperation_get_towgs84_values(context, bound, values, 7, 0)) {
            note = "the CRS's own transformation to WGS 84 is not a Helmert shift: no datum shift";
            return false;
        }
        if (values[3] != 0 || values[4] != 0 || values[5] != 0 || values[6] != 0) {
            note = "the CRS's own shift to WGS 84 has 7 parameters: no datum shift";
            return false;
        }
        std::copy(values, values + 3, shift);
        return true;
    }
    Pj datum(proj_crs_get_datum_forced(context, geodetic));
    const char* datumName = datum ? proj_get_name(datum.get()) : nullptr;
    const std::string shownDatum = datumName ? datumName : "the datum";
    if (datumName && std::strstr(datumName, "World Geodetic System 1984"))
        return true;

    Pj wgs84(proj_create(context, "EPSG:4326"));
    PJ_OPERATION_FACTORY_CONTEXT* factory =
        wgs84 ? proj_create_operation_factory_context(context, nullptr) : nullptr;
    PJ_OBJ_LIST* operations = nullptr;
    if (factory) {
        // Sorted as PROJ sorts the candidates of a CRS-to-CRS transformation.
        proj_operation_factory_context_set_spatial_criterion(
            context, factory, PROJ_SPATIAL_CRITERION_PARTIAL_INTERSECTION);
        proj_operation_factory_context_set_grid_availability_use(
            context, factory, PROJ_GRID_AVAILABILITY_DISCARD_OPERATION_IF_MISSING_GRID);
        operations = proj_create_operations(context, geodetic, wgs84.get(), factory);
    }
    // The first 3-parameter (or null) shift among PROJ's candidates; the note
    // names a better one PROJ prefers that the library cannot apply.
    std::string preferred;
    const int count = operations ? proj_list_get_count(operations) : 0;
    bool found = false;
    for (int i = 0; i < count && !found; ++i) {
        Pj operation(proj_list_get(context, operations, i));
        if (!operation || proj_coordoperation_has_ballpark_transformation(context, operation.get()))
            continue;
        if (Helmert(operation.get(), values) && values[3] == 0 && values[4] == 0 &&
            values[5] == 0 && values[6] == 0) {
            std::copy(values, values + 3, shift);
            found = true;
            if (!preferred.empty()) {
                const char* used = proj_get_name(operation.get());
                note = std::string("3-parameter shift of '") + (used ? used : "unnamed") +
                       "' used; PROJ prefers '" + preferred +
                       "' (7-parameter or grid), which geoframe does not apply";
            }
        } else if (preferred.empty()) {
            const char* name = proj_get_name(operation.get());
            preferred = name ? name : "unnamed";
        }
    }
    const bool other = !preferred.empty();
    if (operations)
        proj_list_destroy(operations);
    if (factory)
        proj_operation_factory_context_destroy(factory);
    log.clear();
    if (!found)
        note = other ? "PROJ offers only 7-parameter or grid transformations from " + shownDatum +
                           " to WGS 84: no datum shift"
                     : "PROJ knows no transformation from " + shownDatum +
                           " to WGS 84: no datum shift";
    return found;
}

bool GxCrsDefinition::State::Projection(PJ* crs, double e, Found& found, std::string& reason) {
    Pj conversion(proj_crs_get_coordoperation(context, crs));
    const char *methodName = nullptr, *methodAuth = nullptr, *methodCode = nullptr;
    if (!conversion || !proj_coordoperation_get_method_info(context, conversion.get(), &methodName,
                                                            &methodAuth, &methodCode)) {
        reason = ProjReason("no conversion method");
        return false;
    }
    const std::string method = methodName ? methodName : "unnamed method";
    found.method = method;
    const int code = methodAuth && std::strcmp(methodAuth, "EPSG") == 0 && methodCode
                         ? std::atoi(methodCode)
                         : 0;
    const Parameters p(context, conversion.get());
    found.falseEasting = p[kFalseEasting];
    found.falseNorthing = p[kFalseNorthing];
    found.lat0 = p[kLatOrigin];
    found.lon0 = p[kLonOrigin];
    if (code == kTransverseMercator) {
        if (!std::isfinite(found.lon0)) {
            reason = "a Transverse Mercator with a central meridian that is not a number";
            return false;
        }
        const int zone = static_cast<int>(std::lround((found.lon0 + 183.0) / 6.0));
        const bool south = Near(found.falseNorthing, 10000000.0, 1e-6);
        if (!(p[kScale] == 0.9996 && found.lat0 == 0.0 && zone >= 1 && zone <= 60 &&
              Near(found.lon0, 6.0 * zone - 183.0, 1e-9) &&
              Near(found.falseEasting, 500000.0, 1e-6) &&
              (south || Near(found.falseNorthing, 0.0, 1e-6)))) {
            reason = "a Transverse Mercator other than a UTM zone has no geoframe equivalent";
            return false;
        }
        found.projection = Found::kUtm;
        found.zone = zone;
        found.south = south;
        found.falseEasting = found.falseNorthing = 0.0; // the zone's own
    } else if (code == kLcc2SP || code == kAlbers) {
        found.projection = code == kLcc2SP ? Found::kLcc : Found::kAlbers;
        found.lat0 = p[kLatFalseOrigin];
        found.lon0 = p[kLonFalseOrigin];
        found.lower = p[kLat1];
        found.upper = p[kLat2];
        found.falseEasting = p[kEastingFalseOrigin];
        found.falseNorthing = p[kNorthingFalseOrigin];
    } else if (code == kLcc1SP) {
        const double lat0 = found.lat0, k0 = p[kScale];
        found.projection = Found::kLcc;
        found.lower = found.upper = lat0;
        if (k0 != 1.0) {
            // Same cone (n = sin lat0) and scale: the two parallels where the 1SP
            // scale is 1, one on each side of the origin latitude.
            const double phi0 = lat0 * kDegree, pole = std::copysign(kPi / 2.0 - 1e-9, phi0);
            double phi1, phi2;
            if (!(k0 < 1.0) || lat0 == 0.0 || !ScaleOneLatitude(phi0, k0, e, phi0, pole, phi1) ||
                !ScaleOneLatitude(phi0, k0, e, phi0, -pole, phi2)) {
                reason = "a Lambert Conic Conformal (1SP) with scale factor " + ShortestText(k0) +
                         " has no standard parallels (scale 1 nowhere)";
                return false;
            }
            found.lower = phi2 / kDegree;
            found.upper = phi1 / kDegree;
            found.note += std::string(found.note.empty() ? "" : "; ") +
                          "Lambert Conic Conformal (1SP) with scale factor " + ShortestText(k0) +
                          ": standard parallels computed as " + ShortestText(found.lower) +
                          " and " + ShortestText(found.upper);
        }
    } else if (code == kPolarA || (code == 0 && method == "Stereographic")) {
        if (code == kPolarA && std::fabs(found.lat0) != 90.0) {
            reason = "a Polar Stereographic (variant A) with its origin off the pole";
            return false;
        }
        found.projection = Found::kStereographic;
        found.k0 = p.Has(kScale) ? p[kScale] : 1.0;
    } else if (code == kPolarB) {
        const double latTs = p[kLatStdParallel];
        if (latTs == 0.0 || !(std::fabs(latTs) <= 90.0)) {
            reason =
                "a Polar Stereographic (variant B) with its standard parallel on the equator or "
                "beyond a pole";
            return false;
        }
        found.projection = Found::kStereographic;
        found.lat0 = latTs > 0 ? 90.0 : -90.0;
        found.lon0 = p[kLonOfOrigin];
        found.k0 = PolarK0(latTs, e);
    } else {
        reason = "the " + method + " projection has no geoframe equivalent";
        return false;
    }
    for (const double value : {found.lat0, found.lon0, found.upper, found.lower, found.k0,
                               found.falseEasting, found.falseNorthing}) {
        if (!std::isfinite(value)) {
            reason = "the " + method + " parameters are not all finite numbers";
            return false;
        }
    }
    return true;
}

namespace {

/// The PROJ definition of a projection on its ellipsoid ("+proj=... +a= +b="),
/// in metres; empty for a projection the library does not know.
std::string ProjectionDefinition(const GxProjection& projection) {
    const auto* proj4 = dynamic_cast<const GxProj4Projection*>(&projection);
    // Numbers PROJ sees: the projection's own texts. The local origin is applied
    // by the library itself, exactly.
    const auto number = [proj4](double value) {
        return proj4 && !proj4->GetFullPrecision() ? FixedText(value) : ShortestText(value);
    };
    double localX, localY, localZ;
    projection.GetLocalOrigin(localX, localY, localZ);
    const auto offsets = [&](double x0, double y0) {
        return " +x_0=" + ShortestText(x0 - localX) + " +y_0=" + ShortestText(y0 - localY);
    };
    double lat, lon;
    std::string text;
    if (const auto* utm = dynamic_cast<const GxUTMProjection*>(&projection)) {
        int zone, hemisphere;
        utm->GetZone(zone);
        utm->GetHemisphere(hemisphere);
        // PROJ's "utm" fixes its false easting and northing, so a local origin
        // needs the zone written out as the transverse Mercator it is.
        if (localX == 0.0 && localY == 0.0)
            text = "+proj=utm +zone=" + std::to_string(zone) + (hemisphere ? " +south" : "");
        else
            text = "+proj=tmerc +lat_0=0 +lon_0=" + std::to_string(6 * zone - 183) + " +k=0.9996" +
                   offsets(500000.0, hemisphere ? 10000000.0 : 0.0);
    } else if (const auto* conic = dynamic_cast<const GxConicProjection*>(&projection)) {
        double upper, lower;
        conic->GetOriginLatLong(lat, lon);
        conic->GetUpperLat(upper);
        conic->GetLowerLat(lower);
        text =
            std::string(dynamic_cast<const GxLCCProjection*>(conic) ? "+proj=lcc" : "+proj=aea") +
            " +lat_0=" + number(lat) + " +lon_0=" + number(lon) + " +lat_1=" + number(lower) +
            " +lat_2=" + number(upper) + offsets(0.0, 0.0);
    } else if (const auto* stere = dynamic_cast<const GxStereographicProjection*>(&projection)) {
        double k0;
        bool useK0;
        stere->GetOriginLatLong(lat, lon);
        stere->GetScaleK0(k0);
        stere->GetUseScaleK0(useK0);
        // A scale latitude reaches PROJ as "lat_1", which "stere" ignores: k0 = 1.
        text = "+proj=stere +lat_0=" + number(lat) + " +lon_0=" + number(lon) +
               " +k=" + (useK0 ? number(k0) : std::string("1")) + offsets(0.0, 0.0);
    } else if (const auto* grid = dynamic_cast<const GxDegreeGridProjection*>(&projection)) {
        const_cast<GxDegreeGridProjection*>(grid)->GetOrigin(lat, lon);
        const std::string radius = " +R=" + ShortestText(kGridRadius);
        using Grid = GxDegreeGridProjection;
        if (dynamic_cast<const GxFlatEarthProjection*>(grid))
            // The cosine of the origin latitude with 3.1415927 for pi, as PROJ
            // computes it from the latitude of true scale.
            text = "+proj=eqc +lat_ts=" + ShortestText(lat * Grid::kPi / kPi) +
                   " +lat_0=" + ShortestText(lat) + " +lon_0=" + ShortestText(lon) + radius +
                   offsets(0.0, 0.0);
        else
            text = "+proj=sinu +lon_0=" + ShortestText(lon) + radius +
                   offsets(0.0, -lat * Grid::kMetresPerDegree);
        return text; // a sphere of its own
    } else {
        return std::string();
    }
    const GxSmartRef<GxEllipsoidBase> ellipsoid = projection.GetEllipsoid();
    if (!ellipsoid)
        return std::string();
    return text + " +a=" + number(ellipsoid->GetSemiMajorRadius()) +
           " +b=" + number(ellipsoid->GetSemiMinorRadius());
}

/// "UTM (Universal Transverse Mercator) on WGS84": what the projection's
/// description starts with and the ellipsoid's name.
std::string CrsName(const char* what, const GxEllipsoidBase* ellipsoid) {
    const char* name = ellipsoid ? ellipsoid->GetEllipsoid() : nullptr;
    return std::string(what ? what : "geoframe") + " on " + (name ? name : "unnamed ellipsoid");
}

std::string ShiftDefinition(const GxEllipsoidBase& ellipsoid) {
    const double dx = ellipsoid.GetDatumShiftX(), dy = ellipsoid.GetDatumShiftY(),
                 dz = ellipsoid.GetDatumShiftZ();
    if (dx == 0.0 && dy == 0.0 && dz == 0.0)
        return std::string();
    return " +towgs84=" + ShortestText(dx) + "," + ShortestText(dy) + "," + ShortestText(dz);
}

} // namespace

bool GxCrsDefinition::Write(const GxProjection& projection, Format format) {
    const std::string definition = ProjectionDefinition(projection);
    if (definition.empty())
        return m_state->Fail(
            std::string(projection.GetProjectionName()) +
            (projection.GetEllipsoid() ? " has no PROJ equivalent" : " has no ellipsoid"));
    const GxSmartRef<GxEllipsoidBase> ellipsoid = projection.GetEllipsoid();
    return m_state->Emit(definition + (ellipsoid ? ShiftDefinition(*ellipsoid) : std::string()) +
                             " +units=m",
                         CrsName(projection.GetProjectionDesc(), ellipsoid.Get()), format);
}

bool GxCrsDefinition::Write(const GxCoordSysBase& system, Format format, double unitScale) {
    GxSmartRef<GxProjection> projection;
    GxSmartRef<GxEllipsoidBase> ellipsoid;
    system.GetProjection(projection);
    system.GetEllipsoid(ellipsoid);
    char kind[64] = "", unitName[64] = "";
    system.GetUnits(kind, sizeof kind, unitName, sizeof unitName);
    if (!(unitScale > 0.0) || !std::isfinite(unitScale))
        unitScale = UnitFactor(unitName);
    if (!ellipsoid)
        return m_state->Fail("a coordinate system without an ellipsoid has no CRS");

    std::string definition;
    if (projection) {
        definition = ProjectionDefinition(*projection);
        if (definition.empty())
            return m_state->Fail(std::string(projection->GetProjectionName()) +
                                 " has no PROJ equivalent");
        if (!(unitScale > 0.0))
            return m_state->Fail(std::string("map units '") + unitName + "' of unknown length");
        definition += unitScale == 1.0 ? " +units=m" : " +to_meter=" + ShortestText(unitScale);
    } else {
        std::string upper = kind;
        for (char& c : upper)
            c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        const bool angular = upper.rfind("ANGULAR", 0) == 0;
        definition = std::string(angular ? "+proj=longlat" : "+proj=geocent +units=m") +
                     " +a=" + ShortestText(ellipsoid->GetSemiMajorRadius()) +
                     " +b=" + ShortestText(ellipsoid->GetSemiMinorRadius());
    }
    const char* what = projection                                  ? projection->GetProjectionDesc()
                       : definition.rfind("+proj=longlat", 0) == 0 ? "Latitude/longitude"
                                                                   : "Geocentric";
    return m_state->Emit(definition + ShiftDefinition(*ellipsoid), CrsName(what, ellipsoid.Get()),
                         format);
}

bool GxCrsDefinition::State::Emit(const std::string& definition, const std::string& crsName,
                                  Format format) {
    const std::lock_guard<std::mutex> lock(geoframe::detail::ProjCreationMutex());
    if (!Context())
        return Fail("PROJ could not make a context");
    log.clear();
    Pj crs(proj_create(context, (definition + " +no_defs +type=crs").c_str()));
    if (!crs)
        return Fail("PROJ refuses '" + definition + "': " + ProjReason("no reason given"));
    if (proj_get_type(crs.get()) == PJ_TYPE_BOUND_CRS) {
        Pj base(proj_get_source_crs(context, crs.get()));
        Pj target(proj_get_target_crs(context, crs.get()));
        Pj transformation(proj_crs_get_coordoperation(context, crs.get()));
        Pj named(base ? proj_alter_name(context, base.get(), crsName.c_str()) : nullptr);
        if (named && target && transformation)
            if (PJ* bound = proj_crs_create_bound_crs(context, named.get(), target.get(),
                                                      transformation.get()))
                crs.reset(bound);
    } else if (PJ* named = proj_alter_name(context, crs.get(), crsName.c_str())) {
        crs.reset(named);
    }
    const char* written = nullptr;
    if (format == FORMAT_WKT2_2019)
        written = proj_as_wkt(context, crs.get(), PJ_WKT2_2019, nullptr);
    else if (format == FORMAT_PROJJSON)
        written = proj_as_projjson(context, crs.get(), nullptr);
    else if (format == FORMAT_PROJ_STRING)
        written = proj_as_proj_string(context, crs.get(), PJ_PROJ_5, nullptr);
    if (!written)
        return Fail("PROJ cannot write '" + definition + "': " + ProjReason("no reason given"));
    text = written;
    message.clear();
    return true;
}
