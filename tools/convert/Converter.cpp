#include "Converter.h"
#include "FixedWriter.h"
#include "MapKinds.h"

#include <geoframe/coordsys/GxCoordSys.h>
#include <geoframe/coordsys/GxCrsDefinition.h>
#include <geoframe/geodesy/GxEllipsoid.h>
#include <geoframe/geodesy/GxGeoAngle.h>
#include <geoframe/math/gxVec3.h>
#include <geoframe/projection/GxProj4Projection.h>
#include <geoframe/projection/GxUPSProjection.h>
#include <geoframe/projection/GxUTMProjection.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

namespace geoframe::convert {
namespace {

using Kind = CoordArg::Kind;

/// Degree-minute-second text of an angle, without the space before its letter so
/// that it stays one field, with `mark` for the degree mark.
void AppendDms(std::string& out, double degrees, const char* axis, int precision,
               const std::string& mark) {
    const GxGeoAngle angle(degrees, axis);
    char* text = angle.GetDMSString(precision);
    for (const char* c = text; *c; ++c) {
        if (*c == '~')
            out += mark;
        else if (*c != ' ')
            out += *c;
    }
    angle.FreeString(text);
}

FieldKind FieldKindOf(const CoordArg& coords) {
    switch (coords.kind) {
    case Kind::Geo:
        return FieldKind::Geographic;
    case Kind::Ecef:
        return FieldKind::Cartesian;
    case Kind::UtmAuto:
        return FieldKind::ProjectedZone;
    default:
        return FieldKind::Projected;
    }
}

GxSmartRef<GxEllipsoidBase> MakeEllipsoid(const std::string& name) {
    GxEllipsoid* ellipsoid = new GxEllipsoid();
    GxSmartRef<GxEllipsoidBase> held(ellipsoid);
    if (!ellipsoid->SetEllipsoid(name.c_str(), 0.0, 0.0, 0.0))
        return GxSmartRef<GxEllipsoidBase>();
    return held;
}

GxSmartRef<GxProjection> MakeProjection(const CoordArg& coords,
                                        const GxSmartRef<GxEllipsoidBase>& ellipsoid, int zone,
                                        bool south) {
    switch (coords.kind) {
    case Kind::Utm:
        return new GxUTMProjection(ellipsoid, zone, south ? 1 : 0);
    case Kind::UtmAuto:
        return GxUTMProjection::NewStandardZone(ellipsoid, zone, south ? 1 : 0);
    case Kind::Ups:
        return new GxUPSProjection(ellipsoid, south ? 1 : 0);
    case Kind::Map:
        return coords.map->make(ellipsoid, coords);
    default:
        return GxSmartRef<GxProjection>();
    }
}

/// Shifts `projection` by the --origin `o` beyond the local origin it was made with
/// (a UPS projection's false easting and northing).
void ShiftOrigin(GxProjection& projection, const double* o) {
    double x = 0, y = 0, z = 0;
    projection.GetLocalOrigin(x, y, z);
    projection.SetLocalOrigin(x + o[0], y + o[1], z + o[2]);
}

} // namespace

Converter::Converter(const Options& options) : m_options(options) {}

std::unique_ptr<Converter> Converter::Create(const Options& options, std::string& error) {
    std::unique_ptr<Converter> converter(new Converter(options));
    Side& from = converter->m_from;
    Side& to = converter->m_to;
    from.coords = options.from;
    to.coords = options.to;
    if ((from.coords.kind == Kind::Crs && !ReadCrs(from, "FROM", error)) ||
        (to.coords.kind == Kind::Crs && !ReadCrs(to, "TO", error)))
        return nullptr;

    // The ellipsoid options name the sides that are not CRSs.
    const GxSmartRef<GxEllipsoidBase> named = MakeEllipsoid(options.ellipsoid);
    if (!named) {
        error = "unknown ellipsoid or datum '" + options.ellipsoid + "'";
        return nullptr;
    }
    const GxSmartRef<GxEllipsoidBase> toNamed =
        options.toEllipsoid.empty() ? named : MakeEllipsoid(options.toEllipsoid);
    if (!toNamed) {
        error = "unknown ellipsoid or datum '" + options.toEllipsoid + "'";
        return nullptr;
    }
    if (!from.crs)
        from.ellipsoid = named;
    if (!to.crs)
        to.ellipsoid = toNamed;
    converter->m_datumChange = *from.ellipsoid != *to.ellipsoid;
    if (!converter->BuildSide(from, error) || !converter->BuildSide(to, error))
        return nullptr;
    converter->m_fieldKind = FieldKindOf(from.coords);
    converter->m_batches = !converter->m_datumChange && from.coords.kind != Kind::UtmAuto &&
                           to.coords.kind != Kind::UtmAuto;
    if (converter->m_batches) {
        for (int i = 0; i < 3; ++i) {
            converter->m_in[i].resize(kBatchLines);
            converter->m_out[i].resize(kBatchLines);
        }
        converter->m_rest.resize(kBatchLines);
    }
    return converter;
}

bool Converter::ReadCrs(Side& side, const char* name, std::string& error) {
    std::string text = side.coords.text;
    if (!text.empty() && text[0] == '@') {
        std::ifstream file(text.substr(1));
        std::ostringstream content;
        content << file.rdbuf();
        if (!file) {
            error = std::string(name) + " " + text + ": cannot read " + text.substr(1);
            return false;
        }
        text = content.str();
    }
    GxCrsDefinition crs;
    if (!crs.Read(text.c_str())) {
        error = std::string(name) + " " + side.coords.text + ": " + crs.GetMessage();
        return false;
    }
    const GxSmartRef<GxCoordSys> system = crs.GetCoordSys();
    system->GetEllipsoid(side.ellipsoid);
    system->GetProjection(side.projection);
    side.crs = true;
    side.unitScale = crs.GetUnitScale();
    if (crs.GetKind() == GxCrsDefinition::KIND_GEOGRAPHIC)
        side.coords.kind = Kind::Geo;
    else if (crs.GetKind() == GxCrsDefinition::KIND_GEOCENTRIC)
        side.coords.kind = Kind::Ecef;
    if (crs.Write(*system, GxCrsDefinition::FORMAT_WKT2_2019, side.unitScale))
        side.wkt = crs.GetText();
    return true;
}

std::unique_ptr<Converter> Converter::Clone() const {
    std::unique_ptr<Converter> copy(new Converter(*this));
    for (Side* side : {&copy->m_from, &copy->m_to}) {
        if (side->projection)
            side->projection = side->projection->Clone();
        for (auto& hemisphere : side->zones)
            for (GxSmartRef<GxProjection>& zone : hemisphere)
                zone = GxSmartRef<GxProjection>();
    }
    return copy;
}

bool Converter::BuildSide(Side& side, std::string& error) {
    if (!side.coords.IsProjected() || side.coords.kind == Kind::UtmAuto || side.crs)
        return true;
    side.projection =
        MakeProjection(side.coords, side.ellipsoid, side.coords.zone, side.coords.south);
    ShiftOrigin(*side.projection, m_options.origin);
    const auto* proj4 = dynamic_cast<const GxProj4Projection*>(side.projection.Get());
    if (proj4 && !proj4->IsConfigured()) {
        error =
            "PROJ refuses the projection " + side.coords.text + ": " + proj4->GetConfigureError();
        return false;
    }
    return true;
}

GxProjection* Converter::Projection(Side& side, int zone, bool south) {
    if (side.coords.kind != Kind::UtmAuto)
        return side.projection.Get();
    GxSmartRef<GxProjection>& slot = side.zones[south ? 1 : 0][zone];
    if (!slot) {
        slot = MakeProjection(side.coords, side.ellipsoid, zone, south);
        ShiftOrigin(*slot, m_options.origin);
    }
    return slot.Get();
}

bool Converter::Fail(const char* error, std::string_view field, std::string& out,
                     std::string& reason) {
    out += "nan nan nan";
    if (!m_parsed.rest.empty()) {
        out += ' ';
        out += m_parsed.rest;
    }
    reason = error;
    if (!field.empty()) {
        reason += ": '";
        reason += field;
        reason += '\'';
    }
    return false;
}

bool Converter::ConvertLine(std::string_view line, std::string& out, std::string& reason) {
    ParsedLine& p = m_parsed;
    if (!ParseLine(line, m_fieldKind, p))
        return Fail(p.error, p.errorField, out, reason);

    // Geodetic latitude, longitude and height on the FROM ellipsoid, or geocentric
    // X, Y, Z; whichever the way needs.
    double lat = 0, lon = 0, h = 0, x = 0, y = 0, z = 0;
    bool geodetic = true;
    switch (m_from.coords.kind) {
    case Kind::Geo:
        lat = p.values[0];
        lon = p.values[1];
        h = p.values[2];
        break;
    case Kind::Ecef:
        x = p.values[0];
        y = p.values[1];
        z = p.values[2];
        geodetic = false;
        break;
    default: {
        const GxProjection* projection = Projection(m_from, p.zone, p.south);
        gxVec3 geo;
        const double scale = m_from.unitScale;
        if (!projection->Proj2LatLong(gxVec3(p.values[0] * scale, p.values[1] * scale, p.values[2]),
                                      geo))
            return Fail("cannot be converted", {}, out, reason);
        lon = geo[0];
        lat = geo[1];
        h = geo[2];
    }
    }

    if (m_datumChange) {
        if (geodetic)
            m_from.ellipsoid->LatLongToGeocentric(lat, lon, h, x, y, z);
        m_from.ellipsoid->GeocentricToWGS84(x, y, z, x, y, z);
        m_to.ellipsoid->WGS84ToGeocentric(x, y, z, x, y, z);
        geodetic = false;
    }

    double result[3];
    int zone = 0;
    bool south = false;
    if (m_to.coords.kind == Kind::Ecef) {
        if (geodetic)
            m_to.ellipsoid->LatLongToGeocentric(lat, lon, h, x, y, z);
        result[0] = x;
        result[1] = y;
        result[2] = z;
    } else {
        if (!geodetic && !m_to.ellipsoid->GeocentricToLatLong(x, y, z, lat, lon, h, true))
            return Fail("geocentric coordinates do not converge", {}, out, reason);
        if (m_to.coords.kind == Kind::Geo) {
            result[0] = lat;
            result[1] = lon;
            result[2] = h;
        } else {
            int hemisphere = 0;
            if (m_to.coords.kind == Kind::UtmAuto) {
                if (!GxUTMProjection::StandardZone(lat, lon, zone, hemisphere))
                    return Fail("cannot be converted", {}, out, reason);
                south = hemisphere != 0;
            }
            gxVec3 map;
            if (!Projection(m_to, zone, south)->LatLong2Proj(gxVec3(lon, lat, h), map))
                return Fail("cannot be converted", {}, out, reason);
            result[0] = map[0] / m_to.unitScale;
            result[1] = map[1] / m_to.unitScale;
            result[2] = map[2];
        }
    }
    if (!std::isfinite(result[0]) || !std::isfinite(result[1]) || !std::isfinite(result[2]))
        return Fail("cannot be converted", {}, out, reason);
    AppendResult(result, p.rest, zone, south, out);
    return true;
}

void Converter::AppendResult(const double* result, std::string_view rest, int zone, bool south,
                             std::string& out) const {
    const int metres = m_options.precision;
    const int angles = m_to.coords.kind == Kind::Geo ? metres + 5 : metres;
    // Most lines: three numbers written at once.
    char text[2 * 22 + kFixedRoom];
    char* end = nullptr;
    if (!m_options.dms && (end = WriteFixed(text, result[0], angles)) != nullptr) {
        *end++ = ' ';
        end = WriteFixed(end, result[1], angles);
        if (end) {
            *end++ = ' ';
            end = WriteFixed(end, result[2], metres);
        }
    }
    if (end) {
        out.append(text, static_cast<std::size_t>(end - text));
    } else {
        if (m_options.dms && m_to.coords.kind == Kind::Geo) {
            AppendDms(out, result[0], "N", m_options.dmsPrecision, m_options.dmsMark);
            out += ' ';
            AppendDms(out, result[1], "E", m_options.dmsPrecision, m_options.dmsMark);
        } else {
            AppendFixed(out, result[0], angles);
            out += ' ';
            AppendFixed(out, result[1], angles);
        }
        out += ' ';
        AppendFixed(out, result[2], metres);
    }
    if (!rest.empty()) {
        out += ' ';
        out += rest;
    }
    if (m_to.coords.kind == Kind::UtmAuto) {
        out += ' ';
        if (zone != 0) // UPS: the letter alone
            out += std::to_string(zone);
        out += south ? 's' : 'n';
    }
}

bool Converter::AddToBatch(std::string_view line) {
    if (m_batchSize == kBatchLines ||
        (!ReadPlainLine(line, m_fieldKind, m_parsed) && !ParseLine(line, m_fieldKind, m_parsed)))
        return false;
    const std::size_t i = m_batchSize++;
    for (int k = 0; k < 3; ++k)
        m_in[k][i] = m_parsed.values[k];
    m_rest[i] = m_parsed.rest;
    return true;
}

void Converter::ConvertBatch() {
    // The steps of ConvertLine, each over the whole batch: to latitude, longitude
    // and height on the FROM side (or geocentric X, Y, Z), then to the TO side.
    // Non-finite values mark the points that failed; ConvertLine retakes them.
    const std::size_t n = m_batchSize;
    if (n == 0)
        return;
    double* const v[3] = {m_in[0].data(), m_in[1].data(), m_in[2].data()};
    double* const r[3] = {m_out[0].data(), m_out[1].data(), m_out[2].data()};
    double origin[3];
    bool geodetic = m_from.coords.kind != Kind::Ecef;
    if (m_from.coords.IsProjected()) {
        const GxProjection& projection = *m_from.projection;
        projection.GetLocalOrigin(origin[0], origin[1], origin[2]);
        const double scale = m_from.unitScale;
        if (scale != 1.0) {
            for (std::size_t i = 0; i < n; ++i) {
                v[0][i] *= scale;
                v[1][i] *= scale;
            }
        }
        // Latitude and longitude in place of x and y; the height as the gxVec3
        // overload makes it.
        projection.Proj2LatLongArray(n, v[0], v[1], v[0], v[1]);
        for (std::size_t i = 0; i < n; ++i)
            v[2][i] += origin[2];
    }

    const Kind to = m_to.coords.kind;
    if (to == Kind::Ecef) {
        if (geodetic) {
            m_to.ellipsoid->LatLongToGeocentricArray(n, v[0], v[1], v[2], r[0], r[1], r[2]);
        } else {
            for (int k = 0; k < 3; ++k)
                std::copy(v[k], v[k] + n, r[k]);
        }
        return;
    }
    if (!geodetic) {
        // The array call agrees with the per-point iteration from 5,000 km below
        // the surface to 10,000 km above it; other points go to ConvertLine, which
        // converts them or says that they do not converge, as before.
        const GxEllipsoidBase& ellipsoid = *m_to.ellipsoid;
        const double inner = std::max(ellipsoid.GetSemiMinorRadius() - 5e6, 0.0);
        const double outer = ellipsoid.GetSemiMajorRadius() + 1e7;
        for (std::size_t i = 0; i < n; ++i) {
            const double r2 = v[0][i] * v[0][i] + v[1][i] * v[1][i] + v[2][i] * v[2][i];
            if (!(r2 >= inner * inner && r2 <= outer * outer))
                v[0][i] = std::numeric_limits<double>::quiet_NaN();
        }
        ellipsoid.GeocentricToLatLongArray(n, v[0], v[1], v[2], v[0], v[1], v[2]);
    }
    if (to == Kind::Geo) {
        for (int k = 0; k < 3; ++k)
            std::copy(v[k], v[k] + n, r[k]);
        return;
    }
    const GxProjection& projection = *m_to.projection;
    projection.GetLocalOrigin(origin[0], origin[1], origin[2]);
    projection.LatLong2ProjArray(n, v[0], v[1], r[0], r[1]);
    const double scale = m_to.unitScale;
    for (std::size_t i = 0; i < n; ++i) {
        r[0][i] /= scale;
        r[1][i] /= scale;
        r[2][i] = v[2][i] - origin[2];
    }
}

bool Converter::AppendBatched(std::size_t i, std::string& out) const {
    const double result[3] = {m_out[0][i], m_out[1][i], m_out[2][i]};
    if (!std::isfinite(result[0]) || !std::isfinite(result[1]) || !std::isfinite(result[2]))
        return false;
    AppendResult(result, m_rest[i], 0, false, out);
    return true;
}

bool Converter::PassesThrough(std::uint64_t lineNumber, std::string_view line) const {
    return lineNumber <= m_options.skip || IsPassThrough(line);
}

std::string Converter::Describe() const {
    std::string text;
    const Side* sides[] = {&m_from, &m_to};
    for (const Side* side : sides) {
        if (!text.empty())
            text += '\n';
        text += side == &m_from ? "FROM " : "TO ";
        text += side->coords.text;
        text += '\n';
        if (side->coords.kind == Kind::UtmAuto) {
            text += "UTM (Universal Transverse Mercator) and UPS (Universal Polar Stereographic)\n"
                    "Zone: the standard zone of each point (Norway and Svalbard exceptions; UPS "
                    "from 84 N and south of 80 S), hemisphere of its latitude\n";
            continue;
        }
        const char* description =
            side->projection ? side->projection->GetProjectionInstanceDesc() : nullptr;
        if (description) {
            text += description;
            text += '\n';
        }
        // The side as a GIS reads it: the CRS it came from as it became, or the
        // projection (geographic or geocentric coordinates) on its ellipsoid.
        std::string wkt = side->wkt;
        GxCrsDefinition crs;
        if (!side->crs && side->projection) {
            if (crs.Write(*side->projection, GxCrsDefinition::FORMAT_WKT2_2019))
                wkt = crs.GetText();
        } else if (!side->crs && side->ellipsoid) {
            GxCoordSys system;
            system.SetEllipsoid(side->ellipsoid);
            if (side->coords.kind == Kind::Geo)
                system.SetUnits("Angular Distance", "Degrees");
            else
                system.SetUnits("Distance", "Meters");
            if (crs.Write(system, GxCrsDefinition::FORMAT_WKT2_2019))
                wkt = crs.GetText();
        }
        if (!wkt.empty()) {
            text += wkt;
            text += '\n';
        }
    }
    return text;
}

} // namespace geoframe::convert
