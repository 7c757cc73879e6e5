#include <geoframe/geodesy/GxDatum.h>

#include "foundation/Text.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

using geoframe::detail::DeleteTextList;
using geoframe::detail::NewText;
using geoframe::detail::ReadLeadingDouble;

namespace {

/// One datum of the table.
struct DatumRecord {
    std::string title1;
    std::string title2;
    std::string description; // title1, one space, title2
    std::string thirdField;  // kept with the record, used by nothing
    std::string name;
    std::string ellipsoid; // PROJ ellipsoid id, or "Unknown"
    double shift[3] = {0.0, 0.0, 0.0};
    double sigma[3] = {0.0, 0.0, 0.0};
};

/// std::string compares byte-wise (as unsigned char), which is the table's order.
using DatumMap = std::map<std::string, DatumRecord>;

struct DatumTable {
    bool initialised = false;
    DatumMap records;
};

/// The one table of the process: empty when the library is loaded, destroyed when
/// it is unloaded.
DatumTable g_table;

/// Lines longer than this are malformed.
constexpr std::size_t kMaxLineLength = 199;

const char* EllipsoidIdOfCode(std::string_view code) {
    static const struct {
        const char* code;
        const char* id;
    } kCodes[] = {
        {"AA", "airy"},     {"AM", "mod_airy"}, {"AN", "aust_SA"}, {"BN", "bess_nam"},
        {"BR", "bessel"},   {"CC", "clrk66"},   {"CD", "clrk80"},  {"EA", "evrst30"},
        {"EB", "evrstSS"},  {"EC", "evrst56"},  {"ED", "evrst69"}, {"EE", "evrst48"},
        {"EF", "evrstPak"}, {"FA", "fschr60m"}, {"FB", "fschr60"}, {"FI", "fschr68"},
        {"HA", "intl"},     {"HE", "helmert"},  {"HO", "hough"},   {"ID", "indon"},
        {"IN", "intl"},     {"KA", "krass"},    {"RF", "GRS80"},   {"SA", "aust_SA"},
        {"WA", "WGS60"},    {"WB", "WGS66"},    {"WD", "WGS72"},   {"WE", "WGS84"},
    };
    for (const auto& entry : kCodes) {
        if (code == entry.code)
            return entry.id;
    }
    return "Unknown";
}

/// Splits off the text up to the next comma; false when there is no comma.
bool NextField(std::string_view& rest, std::string_view& field) {
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos)
        return false;
    field = rest.substr(0, comma);
    rest.remove_prefix(comma + 1);
    return true;
}

std::string_view SkipLeading(std::string_view text, char c) {
    while (!text.empty() && text.front() == c)
        text.remove_prefix(1);
    return text;
}

/// A shift or sigma: leading white space allowed, anything that is not a finite
/// number reads as 0.
double ReadMetres(std::string_view field) {
    const double value = ReadLeadingDouble(field);
    return std::isfinite(value) ? value : 0.0;
}

bool ParseHeader(std::string_view line, DatumRecord& record) {
    std::string_view rest = SkipLeading(line, '\t');
    std::string_view title1, title2, third;
    if (!NextField(rest, title1) || !NextField(rest, title2) || !NextField(rest, third))
        return false;
    record.title1 = title1;
    record.title2 = title2;
    record.thirdField = third;
    record.description = record.title1 + ' ' + record.title2;
    return true;
}

bool ParseData(std::string_view line, DatumRecord& record) {
    std::string_view rest = SkipLeading(line, '\t');
    std::string_view name, code;
    if (!NextField(rest, name) || !NextField(rest, code) || name.empty())
        return false;
    std::string_view numbers[6];
    for (std::string_view& number : numbers) {
        if (!NextField(rest, number))
            return false;
    }
    record.name = name;
    record.ellipsoid = EllipsoidIdOfCode(SkipLeading(code, ' '));
    for (int i = 0; i < 3; ++i) {
        record.shift[i] = ReadMetres(numbers[i]);
        record.sigma[i] = ReadMetres(numbers[3 + i]);
    }
    return true;
}

/// Reads one line without its "\n" or "\r\n"; false at the end of the file. A
/// line ends at a zero byte too, as a C text does: nothing after it could be
/// named through the table's char* interface.
bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line))
        return false;
    const std::size_t zero = line.find('\0');
    if (zero != std::string::npos)
        line.erase(zero);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

/// Reads every record of the file into `records`; false on a read error.
bool ReadDatumFile(std::istream& in, DatumMap& records) {
    std::string header, data;
    while (ReadLine(in, header)) {
        if (header.empty() || header.front() != '\t')
            continue;
        if (!ReadLine(in, data))
            break; // a header with no data line after it
        if (header.size() > kMaxLineLength || data.size() > kMaxLineLength)
            continue;
        DatumRecord record;
        if (!ParseHeader(header, record) || !ParseData(data, record))
            continue;
        std::string key = record.name;
        records[std::move(key)] = std::move(record);
    }
    return !in.bad();
}

bool CopyOut(const double (&values)[3], double& x, double& y, double& z) {
    x = values[0];
    y = values[1];
    z = values[2];
    return true;
}

const DatumRecord* Find(const char* name) {
    if (!name)
        return nullptr;
    const auto it = g_table.records.find(name);
    return it == g_table.records.end() ? nullptr : &it->second;
}

} // namespace

GxDatum::GxDatum(const char*) {}

GxDatum::GxDatum(const GxDatum&) {}

GxDatum::~GxDatum() = default;

bool GxDatum::InitDatum(const char* path) {
    if (g_table.initialised)
        return true;
    if (!path)
        return false;
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in.is_open())
        return false;
    DatumMap records;
    if (!ReadDatumFile(in, records))
        return false;
    g_table.records.swap(records);
    g_table.initialised = true;
    return true;
}

bool GxDatum::IsInitialized() {
    return g_table.initialised;
}

void GxDatum::CleanupDatum() {
    if (!g_table.initialised)
        return;
    g_table.records.clear();
    g_table.initialised = false;
}

int GxDatum::GetDatumNames(char**& names, char**& descriptions) {
    const int count = static_cast<int>(g_table.records.size());
    names = new char*[count];
    descriptions = new char*[count];
    int i = 0;
    for (const auto& entry : g_table.records) {
        names[i] = NewText(std::string_view(entry.second.name));
        descriptions[i] = NewText(std::string_view(entry.second.description));
        ++i;
    }
    return count;
}

void GxDatum::FreeDatumNames(int count, char** names, char** descriptions) {
    DeleteTextList(count, names);
    DeleteTextList(count, descriptions);
}

const char* GxDatum::GetEllipsoid(const char* name) {
    const DatumRecord* record = Find(name);
    return record ? record->ellipsoid.c_str() : nullptr;
}

bool GxDatum::GetDatumShift(const char* name, double& dx, double& dy, double& dz) {
    const DatumRecord* record = Find(name);
    return record && CopyOut(record->shift, dx, dy, dz);
}

bool GxDatum::GetDatumSigma(const char* name, double& sx, double& sy, double& sz) {
    const DatumRecord* record = Find(name);
    return record && CopyOut(record->sigma, sx, sy, sz);
}
