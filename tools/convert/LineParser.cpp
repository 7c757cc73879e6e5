#include "LineParser.h"

#include <geoframe/geodesy/GxGeoAngle.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace geoframe::convert {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

/// Walks the fields of a line: white space or one comma (with white space around
/// it) between fields.
class FieldCursor {
public:
    explicit FieldCursor(std::string_view line) : m_line(line), m_at(0) { SkipBlanks(); }

    bool AtEnd() const { return m_at >= m_line.size(); }
    std::size_t Offset() const { return m_at; }

    /// The next field; false at the end of the line. An empty field (two commas,
    /// or a comma at the end) is returned as empty.
    bool Next(std::string_view& field) {
        if (AtEnd() && !m_pendingComma)
            return false;
        const std::size_t start = m_at;
        while (m_at < m_line.size() && !IsBlank(m_line[m_at]) && m_line[m_at] != ',')
            ++m_at;
        field = m_line.substr(start, m_at - start);
        SkipBlanks();
        m_pendingComma = false;
        if (m_at < m_line.size() && m_line[m_at] == ',') {
            ++m_at;
            SkipBlanks();
            m_pendingComma = true; // a field follows, possibly an empty one
        }
        return true;
    }

private:
    void SkipBlanks() {
        while (m_at < m_line.size() && IsBlank(m_line[m_at]))
            ++m_at;
    }

    std::string_view m_line;
    std::size_t m_at;
    bool m_pendingComma = false;
};

bool Fail(ParsedLine& out, const char* error, std::string_view field = {}) {
    out.error = error;
    out.errorField = field;
    return false;
}

constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

/// Reads the common number from `p` on: digits with an optional '-' and an
/// optional point between digits, whose digits make an integer below 2^53, so
/// that the integer divided by an exact power of ten is the correctly rounded
/// value, the one std::from_chars gives. Returns where the number ends (at
/// `end` or the first character that cannot go on with it), or null, with
/// `value` untouched, when what is there is not such a number.
const char* ScanPlainDecimal(const char* p, const char* end, double& value) {
    const bool negative = p != end && *p == '-';
    p += negative;
    std::uint64_t digits = 0;
    const char* const first = p;
    while (p != end && static_cast<unsigned>(*p - '0') < 10) {
        digits = digits * 10 + static_cast<unsigned>(*p - '0');
        ++p;
    }
    std::ptrdiff_t count = p - first;
    if (count == 0)
        return nullptr;
    std::ptrdiff_t fraction = 0;
    if (p != end && *p == '.') {
        const char* const afterPoint = ++p;
        while (p != end && static_cast<unsigned>(*p - '0') < 10) {
            digits = digits * 10 + static_cast<unsigned>(*p - '0');
            ++p;
        }
        fraction = p - afterPoint;
        if (fraction == 0)
            return nullptr;
        count += fraction;
    }
    // 19 digits cannot wrap; the wrapped larger ones are refused by their count.
    if (count > 19 || fraction > 22 || digits > (std::uint64_t(1) << 53))
        return nullptr;
    const double magnitude = static_cast<double>(digits) / kExactPow10[fraction];
    value = negative ? -magnitude : magnitude;
    return p;
}

/// ScanPlainDecimal over the whole of `field`.
bool ReadPlainDecimal(std::string_view field, double& value) {
    const char* const end = field.data() + field.size();
    double read = 0.0;
    if (ScanPlainDecimal(field.data(), end, read) != end)
        return false;
    value = read;
    return true;
}

} // namespace

bool IsPassThrough(std::string_view line) {
    for (const char c : line) {
        if (!IsBlank(c))
            return c == '#';
    }
    return true;
}

bool ParseNumber(std::string_view field, double& value) {
    // std::from_chars takes a minus sign only; a plus sign is read here.
    if (!field.empty() && field[0] == '+') {
        field.remove_prefix(1);
        if (field.empty() || field[0] == '+' || field[0] == '-')
            return false;
    }
    if (ReadPlainDecimal(field, value))
        return true;
    const char* end = field.data() + field.size();
    double number = 0.0;
    const auto result = std::from_chars(field.data(), end, number);
    if (result.ec != std::errc() || result.ptr != end)
        return false;
    value = number;
    return true;
}

bool ParseAngle(std::string_view field, double& degrees, AngleAxis axis) {
    if (ParseNumber(field, degrees))
        return true;
    // On the latitude axis from the start, so that a latitude beyond 90 degrees is
    // refused rather than wrapped, letter or not.
    GxGeoAngle angle(0.0, axis == AngleAxis::Latitude ? "N" : nullptr);
    GeoHemiType hemisphere = HEMI_NONE;
    if (!angle.SetAngleText(field))
        return false;
    // A letter of the other axis (151E for a latitude) is a field out of place.
    angle.GetHemisphere(hemisphere);
    const bool latitude = hemisphere == HEMI_NORTH || hemisphere == HEMI_SOUTH;
    if (axis != AngleAxis::Any && hemisphere != HEMI_NONE &&
        latitude != (axis == AngleAxis::Latitude))
        return false;
    degrees = angle.GetDecimalDegrees();
    return true;
}

bool ParseZone(std::string_view field, int& zone, bool& south, bool zoneField) {
    bool isSouth = false;
    bool letter = false;
    if (!field.empty()) {
        const char last = field.back();
        if (last == 's' || last == 'S' || last == 'n' || last == 'N') {
            isSouth = last == 's' || last == 'S';
            letter = true;
            field.remove_suffix(1);
        }
    }
    if (zoneField && !letter)
        return false;
    if (zoneField && field.empty()) {
        zone = 0;
        south = isSouth;
        return true;
    }
    int value = 0;
    const char* end = field.data() + field.size();
    const auto result = std::from_chars(field.data(), end, value);
    if (field.empty() || result.ec != std::errc() || result.ptr != end || value < 1 || value > 60)
        return false;
    zone = value;
    south = isSouth;
    return true;
}

bool ReadPlainLine(std::string_view line, FieldKind kind, ParsedLine& out) {
    if (kind == FieldKind::ProjectedZone)
        return false;
    const char* p = line.data();
    const char* const end = p + line.size();
    auto skipBlanks = [&] {
        while (p != end && IsBlank(*p))
            ++p;
    };
    double values[3] = {0.0, 0.0, 0.0};
    skipBlanks();
    for (int i = 0; i < 2; ++i) {
        const char* const after = ScanPlainDecimal(p, end, values[i]);
        if (!after || (after != end && !IsBlank(*after)))
            return false;
        p = after;
        skipBlanks();
    }
    if (kind == FieldKind::Geographic && std::fabs(values[0]) > 90.0)
        return false;
    bool hasHeight = false;
    std::string_view rest;
    if (p != end) {
        if (*p == ',')
            return false; // an empty third field
        const char* const restStart = p;
        const char* fieldEnd = p;
        while (fieldEnd != end && !IsBlank(*fieldEnd) && *fieldEnd != ',')
            ++fieldEnd;
        double height = 0.0;
        if (ParseNumber(std::string_view(p, static_cast<std::size_t>(fieldEnd - p)), height)) {
            if (!std::isfinite(height))
                return false;
            values[2] = height;
            hasHeight = true;
            p = fieldEnd;
            skipBlanks();
            if (p != end && *p == ',')
                return false;
        } else if (kind == FieldKind::Cartesian) {
            return false;
        } else {
            p = restStart; // a label: carried from the third field on
        }
        const char* restEnd = end;
        while (restEnd != p && IsBlank(restEnd[-1]))
            --restEnd;
        rest = std::string_view(p, static_cast<std::size_t>(restEnd - p));
    } else if (kind == FieldKind::Cartesian) {
        return false;
    }
    for (int i = 0; i < 3; ++i)
        out.values[i] = values[i];
    out.hasHeight = hasHeight;
    out.zone = 0;
    out.south = false;
    out.rest = rest;
    out.error = nullptr;
    out.errorField = {};
    return true;
}

bool ParseLine(std::string_view line, FieldKind kind, ParsedLine& out) {
    out = ParsedLine();
    const bool angles = kind == FieldKind::Geographic;

    // The zone is the last field; the fields before it are read as a line of their
    // own, also when the zone is bad, so that a bad line keeps its carried fields.
    if (kind == FieldKind::ProjectedZone) {
        std::size_t end = line.size();
        while (end > 0 && IsBlank(line[end - 1]))
            --end;
        std::size_t start = end;
        while (start > 0 && !IsBlank(line[start - 1]) && line[start - 1] != ',')
            --start;
        const std::string_view zoneField = line.substr(start, end - start);
        std::size_t before = start;
        while (before > 0 && IsBlank(line[before - 1]))
            --before;
        if (before > 0 && line[before - 1] == ',')
            --before;
        int zone = 0;
        bool south = false;
        const char* zoneError = zoneField.empty() ? "no UTM zone in the last field"
                                : !ParseZone(zoneField, zone, south, true)
                                    ? "not a UTM or UPS zone (such as 32n, 56s or n)"
                                    : nullptr;
        const bool read = ParseLine(line.substr(0, before), FieldKind::Projected, out);
        if (zoneError)
            return Fail(out, zoneError, zoneField);
        if (!read)
            return false;
        out.zone = zone;
        out.south = south;
        return true;
    }

    // The fields by position first: two coordinates, then a third that is the
    // height when it is a number (for geocentric coordinates, Z in any case); the
    // fields after the height, or from the third on, are carried through.
    FieldCursor cursor(line);
    std::string_view coords[2];
    int count = 0;
    while (count < 2 && cursor.Next(coords[count]))
        ++count;
    const std::size_t restStart = cursor.Offset();
    std::string_view third;
    const bool hasThird = count == 2 && cursor.Next(third);
    double height = 0.0;
    const bool isHeight = hasThird && ParseNumber(third, height);
    if (hasThird)
        out.rest =
            line.substr(isHeight || kind == FieldKind::Cartesian ? cursor.Offset() : restStart);
    while (!out.rest.empty() && IsBlank(out.rest.back()))
        out.rest.remove_suffix(1);

    for (int i = 0; i < 2; ++i) {
        if (i >= count)
            return Fail(out, "too few fields");
        const std::string_view field = coords[i];
        if (field.empty())
            return Fail(out, "empty field");
        const AngleAxis axis = i == 0 ? AngleAxis::Latitude : AngleAxis::Longitude;
        const bool ok =
            angles ? ParseAngle(field, out.values[i], axis) : ParseNumber(field, out.values[i]);
        if (!ok)
            return Fail(out, angles ? "not a number or an angle" : "not a number", field);
        if (!std::isfinite(out.values[i]))
            return Fail(out, "not a finite number", field);
    }
    if (hasThird) {
        if (third.empty())
            return Fail(out, "empty field");
        if (isHeight) {
            if (!std::isfinite(height))
                return Fail(out, "not a finite number", third);
            out.values[2] = height;
            out.hasHeight = true;
        } else if (kind == FieldKind::Cartesian) {
            return Fail(out, "not a number", third);
        }
    } else if (kind == FieldKind::Cartesian) {
        return Fail(out, "too few fields");
    }

    if (angles && std::fabs(out.values[0]) > 90.0)
        return Fail(out, "latitude outside -90 to 90 degrees");
    return true;
}

} // namespace geoframe::convert
