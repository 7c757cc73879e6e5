#include <geoframe/projection/GxProj4Interface.h>

#include <geoframe/geodesy/GxGeoAngle.h>

#include "foundation/Text.h"
#include "geodesy/ProjEllipsoids.h"
#include "projection/ProjCreation.h"

#include <proj.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>

using geoframe::detail::DeleteTextList;
using geoframe::detail::NewText;

namespace {

/// SetParameters takes the first string and at most this many in all.
constexpr int kMaxVariadicParameters = 20;

/// One point through the projector. PROJ signals a point it cannot convert with
/// HUGE_VAL components; then nothing is written and PROJ's error state is cleared
/// so that the next point converts normally.
bool Transform(PJ* projector, PJ_DIRECTION direction, double a, double b, double& outA,
               double& outB) {
    PJ_COORD in;
    in.v[0] = a;
    in.v[1] = b;
    in.v[2] = 0.0;
    in.v[3] = 0.0;
    const PJ_COORD out = proj_trans(projector, direction, in);
    if (!std::isfinite(out.v[0]) || !std::isfinite(out.v[1])) {
        proj_errno_reset(projector);
        return false;
    }
    outA = out.v[0];
    outB = out.v[1];
    return true;
}

} // namespace

void geoframe::detail::KeepFirstMessage(void* target, int, const char* message) {
    auto* first = static_cast<std::string*>(target);
    if (first->empty() && message)
        *first = ProjMessageReason(message);
}

std::string_view geoframe::detail::ProjMessageReason(std::string_view text) {
    // "proj_create: ", "pj_init_ctx: ": a function name ends at the first ": ".
    const std::size_t colon = text.find(": ");
    if (colon != std::string_view::npos &&
        text.substr(0, colon).find(' ') == std::string_view::npos &&
        (text.substr(0, 5) == "proj_" || text.substr(0, 3) == "pj_"))
        text.remove_prefix(colon + 2);
    constexpr std::string_view error = "Error ";
    if (text.substr(0, error.size()) == error) {
        const std::size_t end = text.find("): ");
        if (end != std::string_view::npos)
            text.remove_prefix(end + 3);
    }
    return text;
}

std::mutex& geoframe::detail::ProjCreationMutex() {
    static std::mutex mutex;
    return mutex;
}

GxProj4Interface::GxProj4Interface()
    : m_projector(nullptr), m_count(0), m_parameters(nullptr), m_context(nullptr) {}

GxProj4Interface::~GxProj4Interface() {
    ReleaseList();
    ReleaseProjector();
    if (m_context)
        proj_context_destroy(m_context);
}

void GxProj4Interface::ReleaseList() {
    DeleteTextList(m_count, m_parameters);
    m_parameters = nullptr;
    m_count = 0;
}

void GxProj4Interface::ReleaseProjector() {
    if (m_projector) {
        proj_destroy(m_projector);
        m_projector = nullptr;
    }
}

int GxProj4Interface::GetParameters(char**& list) {
    if (m_count < 1) {
        list = nullptr;
        return 0;
    }
    list = new char*[m_count];
    for (int i = 0; i < m_count; ++i)
        list[i] = NewText(m_parameters[i]);
    return m_count;
}

int GxProj4Interface::GetSupportedEllipsoids(char**& ids, char**& names) {
    return geoframe::detail::ProjEllipsoidNames(ids, names);
}

bool GxProj4Interface::GetEllipsoid(const char* name, double& a, double& b, double& e, double& es) {
    return geoframe::detail::ProjEllipsoid(name, a, b, e, es);
}

bool GxProj4Interface::SetParameters(const char* first, ...) {
    if (!first)
        return false;
    const char* list[kMaxVariadicParameters] = {first};
    int count = 1;
    va_list args;
    va_start(args, first);
    while (count < kMaxVariadicParameters) {
        const char* next = va_arg(args, const char*);
        if (!next)
            break;
        list[count++] = next;
    }
    va_end(args);
    return SetParameterList(count, list);
}

std::vector<std::string> GxProj4Interface::GetParameterList() const {
    return std::vector<std::string>(m_parameters, m_parameters + m_count);
}

bool GxProj4Interface::SetParameterList(int count, const char* const* list) {
    if (count < 1 || !list || std::find(list, list + count, nullptr) != list + count)
        return false;
    ReleaseList();
    ReleaseProjector();

    m_parameters = new char*[count];
    for (int i = 0; i < count; ++i)
        m_parameters[i] = NewText(list[i]);
    m_count = count;

    m_error.clear();
    const std::lock_guard<std::mutex> lock(geoframe::detail::ProjCreationMutex());
    if (!m_context) {
        m_context = proj_context_create();
        if (!m_context) {
            m_error = "PROJ could not make a context";
            return false;
        }
        proj_log_func(m_context, &m_error, geoframe::detail::KeepFirstMessage);
        proj_log_level(m_context, PJ_LOG_NONE);
    }
    // PROJ says why it refuses a list only through its log: listen while the
    // projector is made, and never while points convert.
    proj_log_level(m_context, PJ_LOG_ERROR);
    PJ* projector = proj_create_argv(m_context, m_count, m_parameters);
    proj_log_level(m_context, PJ_LOG_NONE);
    if (!projector) {
        if (m_error.empty())
            m_error = proj_context_errno_string(m_context, proj_context_errno(m_context));
        return false;
    }
    // Only an operation that takes longitude and latitude in radians can serve the
    // conversions; coordinate reference systems and pipelines with other inputs
    // would turn every point into an error or a wrong answer.
    if (proj_is_crs(projector) || !proj_angular_input(projector, PJ_FWD)) {
        proj_destroy(projector);
        m_error = "not a conversion from longitude and latitude";
        return false;
    }
    m_error.clear();
    m_projector = projector;
    return true;
}

bool GxProj4Interface::LatLong2Proj(const GxGeoAngle& lat, const GxGeoAngle& lon, double& x,
                                    double& y) {
    return m_projector && Transform(m_projector, PJ_FWD, lon.GetRadians(), lat.GetRadians(), x, y);
}

bool GxProj4Interface::Proj2LatLong(double x, double y, GxGeoAngle& lat, GxGeoAngle& lon) {
    double lonRadians, latRadians;
    if (!m_projector || !Transform(m_projector, PJ_INV, x, y, lonRadians, latRadians))
        return false;
    lon.SetRadians(lonRadians);
    lat.SetRadians(latRadians);
    return true;
}
