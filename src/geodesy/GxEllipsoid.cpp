#include <geoframe/geodesy/GxEllipsoid.h>

#include <geoframe/geodesy/GxDatum.h>
#include <geoframe/geodesy/GxGeoAngle.h>

#include "foundation/Finite.h"
#include "foundation/Text.h"
#include "geodesy/DegreesPerRadian.h"
#include "geodesy/ProjEllipsoids.h"
#include "geodesy/detail/BatchKernels.h"

#include <cmath>
#include <cstring>

using geoframe::detail::AllFinite;
using geoframe::detail::DeleteTextList;
using geoframe::detail::kDegPerRadHi;
using geoframe::detail::kDegPerRadLo;
using geoframe::detail::NewText;

namespace {

constexpr double kTolerance = 1e-8;
/// Convergence limit of the Newton iteration: 2^-23.
constexpr double kConvergence = 1.1920928955078125e-07;
/// Beyond 2^26 m (about 6.7e7 m) the height step is tested against |h| * 2^-49,
/// a few units in the last place of the height, instead of 2^-23 m.
constexpr double kRelativeConvergence = 1.7763568394002505e-15;
constexpr int kMaxSteps = 5;
/// rad + step radians in degrees, rounded once (the sum is never formed in
/// radians).
double RadiansToDegrees(double rad, double step = 0.0) {
    return std::fma(rad, kDegPerRadHi, std::fma(step, kDegPerRadHi, rad * kDegPerRadLo));
}

/// A semi-major radius below this counts as no figure at all.
constexpr double kZeroRadius = 1e-5;

struct BuiltInSphere {
    const char* id;
    const char* description;
    double radius;
};

/// In the order the name list gives them.
const BuiltInSphere kSpheres[] = {
    {"gxFlatEarthSphere", "Quorin FlatEarth Sphere (R=111120*180/PI)",
     gxDoubleTrait::radToDeg(111120.0)},
    {"Sphere", "Sphere", GxEllipsoidBase::kDefaultRadius},
    {"gx14Sphere", "Quorin v14 Sphere", 6378000.0},
};

const BuiltInSphere* FindSphere(const char* name) {
    for (const BuiltInSphere& sphere : kSpheres) {
        if (std::strcmp(sphere.id, name) == 0)
            return &sphere;
    }
    return nullptr;
}

} // namespace

GxEllipsoid::GxEllipsoid() : GxEllipsoidBase() {}

GxEllipsoid::GxEllipsoid(const GxEllipsoid& other) : GxEllipsoidBase(other) {}

GxEllipsoid::GxEllipsoid(const char* name) : GxEllipsoidBase(nullptr) {
    SetFigure(0.0, 0.0, 0.0, 0.0);
    SetEllipsoid(name, 0.0, 0.0, 0.0);
}

GxEllipsoid::GxEllipsoid(double a, double b, double dx, double dy, double dz, const char* name)
    : GxEllipsoidBase(name) {
    const double es = (a * a - b * b) / (a * a);
    SetFigure(a, b, std::sqrt(es), es);
    SetDatumShift(dx, dy, dz);
}

GxEllipsoid::~GxEllipsoid() = default;

GxSmartRef<GxEllipsoidBase> GxEllipsoid::Clone() const {
    return GxSmartRef<GxEllipsoidBase>(new GxEllipsoid(*this));
}

int GxEllipsoid::GetEllipsoidNames(char**& ids, char**& descriptions) const {
    char** projIds = nullptr;
    char** projNames = nullptr;
    const int projCount = geoframe::detail::ProjEllipsoidNames(projIds, projNames);
    char** datumNames = nullptr;
    char** datumDescriptions = nullptr;
    const int datumCount = GxDatum::GetDatumNames(datumNames, datumDescriptions);
    constexpr int sphereCount = sizeof(kSpheres) / sizeof(kSpheres[0]);

    const int count = projCount + datumCount + sphereCount;
    ids = new char*[count];
    descriptions = new char*[count];
    // The texts themselves change hands; only the intermediate arrays are released.
    int n = 0;
    for (int i = 0; i < projCount; ++i, ++n) {
        ids[n] = projIds[i];
        descriptions[n] = projNames[i];
    }
    for (int i = 0; i < datumCount; ++i, ++n) {
        ids[n] = datumNames[i];
        descriptions[n] = datumDescriptions[i];
    }
    for (const BuiltInSphere& sphere : kSpheres) {
        ids[n] = NewText(sphere.id);
        descriptions[n] = NewText(sphere.description);
        ++n;
    }
    delete[] projIds;
    delete[] projNames;
    delete[] datumNames;
    delete[] datumDescriptions;
    return count;
}

void GxEllipsoid::FreeEllipsoidNames(int count, char** ids, char** descriptions) const {
    DeleteTextList(count, ids);
    DeleteTextList(count, descriptions);
}

bool GxEllipsoid::operator==(const GxEllipsoidBase& other) const {
    return std::fabs(GetSemiMajorRadius() - other.GetSemiMajorRadius()) < kTolerance &&
           std::fabs(GetSemiMinorRadius() - other.GetSemiMinorRadius()) < kTolerance &&
           std::fabs(GetDatumShiftX() - other.GetDatumShiftX()) < kTolerance &&
           std::fabs(GetDatumShiftY() - other.GetDatumShiftY()) < kTolerance &&
           std::fabs(GetDatumShiftZ() - other.GetDatumShiftZ()) < kTolerance;
}

bool GxEllipsoid::operator!=(const GxEllipsoidBase& other) const {
    return !(*this == other);
}

bool GxEllipsoid::LatLongToGeocentric(double lat, double lon, double height, double& x, double& y,
                                      double& z) const {
    return LatLongToGeocentric(GxGeoAngle(lat), GxGeoAngle(lon), height, x, y, z);
}

bool GxEllipsoid::LatLongToGeocentric(const GxGeoAngle& lat, const GxGeoAngle& lon, double height,
                                      double& x, double& y, double& z) const {
    if (!AllFinite(lat.GetDecimalDegrees(), lon.GetDecimalDegrees(), height))
        return false;
    const double a = GetSemiMajorRadius();
    const double e2 = GetEccentricitySq();
    const double phi = lat.GetRadians();
    const double lambda = lon.GetRadians();
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double n = a / std::sqrt(1.0 - e2 * sinPhi * sinPhi);
    x = (n + height) * cosPhi * std::cos(lambda);
    y = (n + height) * cosPhi * std::sin(lambda);
    z = ((1.0 - e2) * n + height) * sinPhi;
    return true;
}

bool GxEllipsoid::GeocentricToLatLong(double x, double y, double z, double& lat, double& lon,
                                      double& height, bool wantHeight) const {
    if (!AllFinite(x, y, z))
        return false;
    const double a = GetSemiMajorRadius();
    const double e2 = GetEccentricitySq();
    const double p = std::sqrt(x * x + y * y);

    if (p == 0.0) {
        lon = 0.0;
        lat = z < 0.0 ? -90.0 : (z > 0.0 ? 90.0 : 0.0);
        height = wantHeight ? std::fabs(z) - GetSemiMinorRadius() : 0.0;
        return true;
    }

    const double lambda = std::atan2(y, x);
    double phi = std::atan(z / (1.0 - e2) / p);
    double sl, cl, w, n;
    // Sine, cosine, the radius-of-curvature term and N at the current latitude.
    const auto atLatitude = [&] {
        sl = std::sin(phi);
        cl = std::cos(phi);
        w = std::sqrt(1.0 - e2 * sl * sl);
        n = a / w;
    };
    atLatitude();
    double h = std::sqrt(x * x + y * y + z * z) - n;

    bool converged = false;
    double phiBefore = phi, lastStep = 0.0;
    for (int step = 1;; ++step) {
        const double fp = (n + h) * cl - p;
        const double fz = (n * (1.0 - e2) + h) * sl - z;
        const double w3 = w * w * w;
        const double dp = -sl * ((n + h) - a * e2 * cl * cl / w3);
        const double dz = cl * ((n * (1.0 - e2) + h) + a * e2 * (1.0 - e2) * sl * sl / w3);
        const double d = 1.0 / (sl * dp - cl * dz);
        const double dh = (dz * fp - dp * fz) * d;
        const double dl = (cl * fz - sl * fp) * d;
        h += dh;
        phiBefore = phi;
        lastStep = dl;
        phi += dl;
        // Far out the height is coarser than 2^-23 m; there the step is measured
        // against the height's own rounding.
        const double hLimit = std::fmax(kConvergence, std::fabs(h) * kRelativeConvergence);
        if (std::fabs(dh) < hLimit && std::fabs(dl) < kConvergence) {
            converged = true;
            break;
        }
        if (step == kMaxSteps)
            break;
        atLatitude();
    }

    if (converged) {
        // The height as the distance to the foot of the normal at the solved
        // latitude: free of the rounding the steps have gathered in it.
        atLatitude();
        const double dpf = p - n * cl;
        const double dzf = z - n * (1.0 - e2) * sl;
        h = std::copysign(std::hypot(dpf, dzf), dpf * cl + dzf * sl);
    }
    lat = RadiansToDegrees(phiBefore, lastStep);
    // The iteration sees the latitude only through its sine and cosine, so one
    // that has run whole turns (points deep inside the Earth) stands for the same
    // latitude wrapped by those turns: the same point. One that still lies beyond
    // +-90 has a negative cosine and so a height below -N: not a solution.
    if (!(std::fabs(lat) <= 90.0)) {
        lat = GxGeoAngle(lat).GetDecimalDegrees();
        converged = converged && std::fabs(lat) <= 90.0;
    }
    lon = RadiansToDegrees(lambda);
    height = wantHeight ? h : 0.0;
    return converged;
}

bool GxEllipsoid::GeocentricToLatLong(double x, double y, double z, GxGeoAngle& lat,
                                      GxGeoAngle& lon, double& height, bool wantHeight) const {
    double latDegrees = 0.0;
    double lonDegrees = 0.0;
    if (!GeocentricToLatLong(x, y, z, latDegrees, lonDegrees, height, wantHeight))
        return false;
    lat.SetDecimalDegrees(latDegrees);
    lon.SetDecimalDegrees(lonDegrees);
    return true;
}

bool GxEllipsoid::SetEllipsoid(const char* name, double dx, double dy, double dz) {
    if (name) {
        const char* current = GetEllipsoid();
        if (current && std::strcmp(current, name) == 0)
            return true;

        if (const BuiltInSphere* sphere = FindSphere(name)) {
            SetFigure(sphere->radius, sphere->radius, 0.0, 0.0);
            GxEllipsoidBase::SetEllipsoid(sphere->id, dx, dy, dz);
            return true;
        }

        double a, b, e, es;
        if (geoframe::detail::ProjEllipsoid(name, a, b, e, es)) {
            SetFigure(a, b, e, es);
            GxEllipsoidBase::SetEllipsoid(name, 0.0, 0.0, 0.0);
            return true;
        }

        const char* datumEllipsoid = GxDatum::GetEllipsoid(name);
        double sx, sy, sz;
        if (datumEllipsoid && geoframe::detail::ProjEllipsoid(datumEllipsoid, a, b, e, es) &&
            GxDatum::GetDatumShift(name, sx, sy, sz)) {
            SetFigure(a, b, e, es);
            GxEllipsoidBase::SetEllipsoid(name, sx, sy, sz);
            return true;
        }
    }

    if (GetSemiMajorRadius() < kZeroRadius)
        SetFigure(kDefaultRadius, kDefaultRadius, 0.0, 0.0);
    GxEllipsoidBase::SetEllipsoid("Sphere", dx, dy, dz);
    return false;
}

namespace {

/// The figure the array kernels take.
geoframe::detail::GeocentricFigure FigureOf(const GxEllipsoidBase& e) {
    return {e.GetSemiMajorRadius(), e.GetEccentricitySq(), e.GetSemiMinorRadius()};
}

} // namespace

std::size_t GxEllipsoid::LatLongToGeocentricArray(std::size_t n, const double* lat,
                                                  const double* lon, const double* h, double* x,
                                                  double* y, double* z) const {
    return geoframe::detail::GeocentricForwardArray(FigureOf(*this), n, lat, lon, h, x, y, z);
}

std::size_t GxEllipsoid::GeocentricToLatLongArray(std::size_t n, const double* x, const double* y,
                                                  const double* z, double* lat, double* lon,
                                                  double* h) const {
    return geoframe::detail::GeocentricReverseArray(FigureOf(*this), n, x, y, z, lat, lon, h);
}
