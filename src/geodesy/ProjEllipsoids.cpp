#include "geodesy/ProjEllipsoids.h"

#include "foundation/Text.h"

#include <proj.h>

#include <cmath>
#include <cstring>
#include <string_view>

namespace geoframe::detail {

namespace {

bool StartsWith(const char* text, std::string_view prefix) {
    return text && std::strncmp(text, prefix.data(), prefix.size()) == 0;
}

} // namespace

int ProjEllipsoidNames(char**& ids, char**& names) {
    const PJ_ELLPS* table = proj_list_ellps();
    int count = 0;
    while (table && table[count].id)
        ++count;
    ids = new char*[count];
    names = new char*[count];
    for (int i = 0; i < count; ++i) {
        ids[i] = NewText(table[i].id);
        names[i] = NewText(table[i].name ? table[i].name : "");
    }
    return count;
}

bool ProjEllipsoid(const char* name, double& a, double& b, double& e, double& es) {
    if (!name)
        return false;
    const PJ_ELLPS* found = nullptr;
    for (const PJ_ELLPS* r = proj_list_ellps(); r && r->id; ++r) {
        if (std::strcmp(r->id, name) == 0 || (r->name && std::strcmp(r->name, name) == 0))
            found = r;
    }
    if (!found || !StartsWith(found->major, "a="))
        return false;

    const double major = ReadLeadingDouble(found->major + 2);
    double minor = major;
    double eccSq = 0.0;
    if (StartsWith(found->ell, "rf=")) {
        const double rf = ReadLeadingDouble(found->ell + 3);
        if (rf > 0.0 && std::isfinite(rf)) {
            eccSq = (1.0 / rf) * (2.0 - 1.0 / rf);
            minor = std::sqrt(major * major * (1.0 - eccSq));
        }
    } else if (StartsWith(found->ell, "b=")) {
        minor = ReadLeadingDouble(found->ell + 2);
        eccSq = (major * major - minor * minor) / (major * major);
    }
    a = major;
    b = minor;
    es = eccSq;
    e = std::sqrt(eccSq);
    return true;
}

} // namespace geoframe::detail
