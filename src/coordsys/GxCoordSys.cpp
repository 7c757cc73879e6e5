#include <geoframe/coordsys/GxCoordSys.h>

#include <cstring>
#include <string_view>

namespace {

struct NamedCode {
    std::string_view name;
    int code;
};

/// Stands for the code that the unit kind decides (5 angular, otherwise 6).
constexpr int kByUnitKind = -2;

/// Scene-database projection codes by projection name; any other name gives 5.
constexpr NamedCode kProjectionCodes[] = {
    {"FlatEarth_PROJ", 0},
    {"Trapezoidal_PROJ", 1},
    {"LCC_PROJ", 3},
    {"UTM_PROJ", 4},
    {"ACEA_PROJ", 5},
    {"Stereog_PROJ", 5},
    {"Latitude/Longitude", kByUnitKind},
};
constexpr int kOtherProjection = 5;

/// Scene-database units codes by unit name; any other name, or none, gives -1.
constexpr NamedCode kUnitCodes[] = {
    {"Meters", 0}, {"Kilometers", 1}, {"Feet", 4}, {"Inches", 5}, {"Nautical Miles", 8},
};
constexpr int kOtherUnits = -1;

/// Unit kinds that mark a latitude/longitude system, compared with the beginning
/// of the upper-cased unit kind.
constexpr std::string_view kAngularKinds[] = {"ANGULAR DISTANCE", "ANGULAR_DISTANCE"};
constexpr int kAngularCode = 5;
constexpr int kLinearCode = 6;

template <std::size_t N>
int CodeOf(const NamedCode (&table)[N], std::string_view name, int otherwise) {
    for (const NamedCode& entry : table)
        if (entry.name == name)
            return entry.code;
    return otherwise;
}

bool IsAngular(const std::optional<std::string>& unitKind) {
    if (!unitKind)
        return false;
    for (std::string_view keyword : kAngularKinds) {
        if (unitKind->size() < keyword.size())
            continue;
        // Upper case by ASCII rules, whatever the process locale.
        bool match = true;
        for (std::size_t i = 0; match && i < keyword.size(); ++i) {
            const char c = (*unitKind)[i];
            match = ((c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c) == keyword[i];
        }
        if (match)
            return true;
    }
    return false;
}

/// True when `text` is set and fits with its terminator into `buffer` of `size`
/// characters (of unknown size when `size` is null).
bool Fits(const std::optional<std::string>& text, const char* buffer, const std::size_t* size) {
    return text && buffer && (!size || text->size() < *size);
}

void CopyOut(const std::string& text, char* buffer) {
    std::memcpy(buffer, text.c_str(), text.size() + 1);
}

} // namespace

GxCoordSys::GxCoordSys() : m_verticalDatum(VERTICAL_DATUM_UNSPECIFIED) {}

GxCoordSys::GxCoordSys(GxSmartRef<GxProjection> projection, GxSmartRef<GxEllipsoidBase> ellipsoid)
    : m_projection(std::move(projection)), m_ellipsoid(std::move(ellipsoid)),
      m_verticalDatum(VERTICAL_DATUM_UNSPECIFIED) {}

GxCoordSys::GxCoordSys(const GxCoordSys& other)
    : GxCoordSysBase(other),
      m_projection(other.m_projection ? other.m_projection->Clone() : GxSmartRef<GxProjection>()),
      m_ellipsoid(other.m_ellipsoid), m_unitKind(other.m_unitKind), m_unitName(other.m_unitName),
      m_verticalDatum(other.m_verticalDatum) {}

GxCoordSys::~GxCoordSys() = default;

GxSmartRef<GxCoordSysBase> GxCoordSys::Clone() const {
    return GxSmartRef<GxCoordSysBase>(new GxCoordSys(*this));
}

bool GxCoordSys::SetProjection(GxSmartRef<GxProjection> projection) {
    m_projection = std::move(projection);
    if (m_projection)
        m_ellipsoid = m_projection->GetEllipsoid();
    return true;
}

bool GxCoordSys::SetEllipsoid(GxSmartRef<GxEllipsoidBase> ellipsoid) {
    m_ellipsoid = std::move(ellipsoid);
    if (m_projection)
        m_projection->SetEllipsoid(m_ellipsoid);
    return true;
}

bool GxCoordSys::SetUnits(const char* unitKind, const char* unitName) {
    if (unitKind)
        m_unitKind = unitKind;
    if (unitName)
        m_unitName = unitName;
    return true;
}

bool GxCoordSys::SetVerticalDatum(VerticalDatumType datum) {
    m_verticalDatum = datum;
    return true;
}

bool GxCoordSys::GetProjection(GxSmartRef<GxProjection>& projection) const {
    projection = m_projection;
    return true;
}

bool GxCoordSys::GetEllipsoid(GxSmartRef<GxEllipsoidBase>& ellipsoid) const {
    ellipsoid = m_projection ? m_projection->GetEllipsoid() : m_ellipsoid;
    return true;
}

bool GxCoordSys::GetUnits(char* unitKind, char* unitName) const {
    if (!Fits(m_unitKind, unitKind, nullptr) || !Fits(m_unitName, unitName, nullptr))
        return false;
    CopyOut(*m_unitKind, unitKind);
    CopyOut(*m_unitName, unitName);
    return true;
}

bool GxCoordSys::GetUnits(char* unitKind, std::size_t kindSize, char* unitName,
                          std::size_t nameSize) const {
    if (!Fits(m_unitKind, unitKind, &kindSize) || !Fits(m_unitName, unitName, &nameSize))
        return false;
    CopyOut(*m_unitKind, unitKind);
    CopyOut(*m_unitName, unitName);
    return true;
}

bool GxCoordSys::GetVerticalDatum(VerticalDatumType& datum) const {
    datum = m_verticalDatum;
    return true;
}

int GxCoordSys::GetScnProjection() {
    if (m_projection) {
        const char* name = m_projection->GetProjectionName();
        const int code = name ? CodeOf(kProjectionCodes, name, kOtherProjection) : kOtherProjection;
        if (code != kByUnitKind)
            return code;
    }
    return IsAngular(m_unitKind) ? kAngularCode : kLinearCode;
}

int GxCoordSys::GetScnUnits() {
    return m_unitName ? CodeOf(kUnitCodes, *m_unitName, kOtherUnits) : kOtherUnits;
}

bool GxCoordSys::Save(FILE*) {
    return false;
}

bool GxCoordSys::Load(FILE*) {
    return false;
}

bool GxCoordSys::operator==(const GxCoordSysBase& other) const {
    if (&other == this)
        return true;
    VerticalDatumType datum;
    if (!other.GetVerticalDatum(datum) || datum != m_verticalDatum)
        return false;

    // The other side's texts must equal ours, so buffers one longer than ours tell
    // them apart: a longer text does not fit and fails like a missing one.
    if (!m_unitKind || !m_unitName)
        return false;
    std::string kind(m_unitKind->size() + 1, '\0'), name(m_unitName->size() + 1, '\0');
    if (!other.GetUnits(kind.data(), kind.size(), name.data(), name.size()) ||
        std::strcmp(kind.c_str(), m_unitKind->c_str()) != 0 ||
        std::strcmp(name.c_str(), m_unitName->c_str()) != 0)
        return false;

    // Both sides compare the ellipsoid each reports (the projection's when there
    // is one), so that equality is symmetric and a clone equals its original even
    // when the system was made with a projection on another ellipsoid.
    GxSmartRef<GxEllipsoidBase> mine, ellipsoid;
    GetEllipsoid(mine);
    if (!other.GetEllipsoid(ellipsoid) || !ellipsoid) {
        if (mine)
            return false;
    } else if (!mine || !(*mine == *ellipsoid)) {
        return false;
    }

    GxSmartRef<GxProjection> projection;
    if (!other.GetProjection(projection) || !projection)
        return !m_projection;
    return m_projection && m_projection->IsEqual(projection);
}

bool GxCoordSys::operator!=(const GxCoordSysBase& other) const {
    return !operator==(other);
}
