#include <geoframe/projection/GxProj4Projection.h>

#include "foundation/Text.h"
#include "projection/ProjectionOverloads.h"

#include <geoframe/projection/GxProj4Interface.h>

#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

using geoframe::detail::FixedText;
using geoframe::detail::ShortestText;

namespace {

/// The number written in `text` after its first `skip` characters ("a=").
bool ReadNumber(const std::string& text, std::size_t skip, double& value) {
    const char* end = text.data() + text.size();
    return std::from_chars(text.data() + skip, end, value).ptr == end;
}

} // namespace

GxProj4Projection::GxProj4Projection(const char* projParameter)
    : GxProjectionOverloads(), m_projParameter(projParameter), m_latitudeLimit(INFINITY),
      m_refusedPole(NAN), m_fullPrecision(false), m_adapter(new GxProj4Interface),
      m_configureHasRun(false), m_configured(false), m_configuredA(0.0), m_configuredB(0.0) {}

GxProj4Projection::GxProj4Projection(const char* projParameter,
                                     GxSmartRef<GxEllipsoidBase> ellipsoid)
    : GxProjectionOverloads(std::move(ellipsoid)), m_projParameter(projParameter),
      m_latitudeLimit(INFINITY), m_refusedPole(NAN), m_fullPrecision(false),
      m_adapter(new GxProj4Interface), m_configureHasRun(false), m_configured(false),
      m_configuredA(0.0), m_configuredB(0.0) {}

GxProj4Projection::GxProj4Projection(const GxProj4Projection& other)
    : GxProjectionOverloads(other), m_projParameter(other.m_projParameter),
      m_latitudeLimit(other.m_latitudeLimit), m_refusedPole(other.m_refusedPole),
      m_fullPrecision(other.m_fullPrecision), m_adapter(new GxProj4Interface),
      m_configureHasRun(false), m_configured(false), m_configuredA(0.0), m_configuredB(0.0) {}

GxProj4Projection::~GxProj4Projection() = default;

// The adapter is called directly, not through its virtual table: it is always a
// GxProj4Interface of the projection's own making.

bool GxProj4Projection::LatLong2Proj(GxGeoAngle lat, GxGeoAngle lon, double& x, double& y) const {
    Refresh();
    const double latitude = lat.GetDecimalDegrees();
    if (!std::isfinite(latitude) || !std::isfinite(lon.GetDecimalDegrees()) ||
        latitude == m_refusedPole)
        return false;
    if (latitude > m_latitudeLimit)
        lat = GxGeoAngle(m_latitudeLimit);
    else if (latitude < -m_latitudeLimit)
        lat = GxGeoAngle(-m_latitudeLimit);
    double px, py;
    if (!m_adapter->GxProj4Interface::LatLong2Proj(lat, lon, px, py))
        return false;
    // A non-finite local origin leaves nothing to report.
    const double mx = px - LocalX();
    const double my = py - LocalY();
    if (!std::isfinite(mx) || !std::isfinite(my))
        return false;
    x = mx;
    y = my;
    return true;
}

bool GxProj4Projection::Proj2LatLong(double x, double y, GxGeoAngle& lat, GxGeoAngle& lon) const {
    if (!std::isfinite(x) || !std::isfinite(y))
        return false;
    Refresh();
    return m_adapter->GxProj4Interface::Proj2LatLong(x + LocalX(), y + LocalY(), lat, lon);
}

std::vector<std::string> GxProj4Projection::GetParameterList() const {
    Refresh();
    return m_adapter->GetParameterList();
}

int GxProj4Projection::GetParameters(char**& list) const {
    Refresh();
    return m_adapter->GetParameters(list);
}

bool GxProj4Projection::IsConfigured() const {
    Refresh();
    return m_adapter->IsConfigured();
}

const char* GxProj4Projection::GetConfigureError() const {
    Refresh();
    if (!m_configureHasRun)
        return "not configured yet";
    if (!Ellipsoid())
        return "no ellipsoid";
    return m_adapter->GetError();
}

bool GxProj4Projection::ConfiguredRadii(double& a, double& b) const {
    if (!m_configured)
        return false;
    a = m_configuredA;
    b = m_configuredB;
    return true;
}

bool GxProj4Projection::Configure(std::initializer_list<std::string> parameters) {
    m_configureHasRun = true;
    m_configured = false;
    const GxEllipsoidBase* ellipsoid = Ellipsoid();
    if (!ellipsoid) {
        // Nothing sound to hand PROJ: drop the projector so that no point converts
        // with the parameters of before.
        m_adapter.reset(new GxProj4Interface);
        return false;
    }
    const std::string a = Parameter("a=", ellipsoid->GetSemiMajorRadius());
    const std::string b = Parameter("b=", ellipsoid->GetSemiMinorRadius());

    std::vector<const char*> list = {m_projParameter};
    for (const std::string& parameter : parameters)
        list.push_back(parameter.c_str());
    list.push_back(a.c_str());
    list.push_back(b.c_str());
    if (!m_adapter->SetParameterList(static_cast<int>(list.size()), list.data()))
        return false;
    // PROJ reads the texts with a correctly rounded strtod; from_chars reads them
    // to the same doubles.
    m_configured = ReadNumber(a, 2, m_configuredA) && ReadNumber(b, 2, m_configuredB);
    return true;
}

bool GxProj4Projection::SetFullPrecision(bool fullPrecision) {
    m_fullPrecision = fullPrecision;
    return Changed();
}

std::string GxProj4Projection::Number(double value) const {
    return m_fullPrecision ? ShortestText(value) : FixedText(value);
}

std::string GxProj4Projection::Parameter(const char* key, double value) const {
    return key + Number(value);
}

bool GxProj4Projection::HasEqualFrame(const GxProj4Projection& other) const {
    return GxProjection::HasEqualFrame(other) && m_fullPrecision == other.m_fullPrecision;
}

void GxProj4Projection::SetInstanceDesc(std::string_view lines) {
    if (!m_fullPrecision) {
        GxProjection::SetInstanceDesc(lines);
        return;
    }
    std::string text(lines);
    if (!text.empty())
        text += '\n';
    text += "Parameters: full precision";
    GxProjection::SetInstanceDesc(text);
}

std::string GxProj4Projection::Parameter(const char* key, int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return key + std::string(buffer, result.ptr);
}

template class geoframe::detail::GxProjectionOverloads<GxProj4Projection>;
