// geoframe against its peers, operation by operation: bare proj_trans with the
// very parameter list each projection makes, GeographicLib for geocentric
// conversion and degree-minute-second text, Eigen for the 4x4 math. Each
// benchmark is named "<operation>/<implementation>"; scripts/bench turns the
// pairs into a table of ratios.

#include <geoframe/geoframe.h>

#include "../BenchSupport.h"

#include <Eigen/Dense>
#include <Eigen/Geometry>
#include <GeographicLib/DMS.hpp>
#include <GeographicLib/Geocentric.hpp>
#include <benchmark/benchmark.h>
#include <proj.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kCount = 4096; // a power of two: points are picked by masking

struct LatLon {
    double lat, lon;
};

std::vector<LatLon> Points(double lat0, double lon0, double halfWidth) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> lat(lat0 - halfWidth, lat0 + halfWidth);
    std::uniform_real_distribution<double> lon(lon0 - halfWidth, lon0 + halfWidth);
    std::vector<LatLon> points(kCount);
    for (LatLon& p : points)
        p = {lat(random), lon(random)};
    return points;
}

GxSmartRef<GxEllipsoidBase> Wgs84() {
    return GxSmartRef<GxEllipsoidBase>(new GxEllipsoid("WGS84"));
}

/// One PROJ-backed projection, the bare PROJ projector made from its parameter
/// list, and points in its region with their map coordinates.
struct ProjCase {
    GxSmartRef<GxProjection> projection;
    PJ_CONTEXT* context = proj_context_create();
    PJ* bare = nullptr;
    std::vector<GxGeoAngle> lat, lon;
    std::vector<double> x, y;

    ProjCase(GxProj4Projection* made, double lat0, double lon0, double width) : projection(made) {
        proj_log_level(context, PJ_LOG_NONE);
        std::vector<std::string> texts = made->GetParameterList();
        std::vector<char*> argv;
        for (std::string& text : texts)
            argv.push_back(text.data());
        bare = proj_create_argv(context, static_cast<int>(argv.size()), argv.data());
        for (const LatLon& p : Points(lat0, lon0, width)) {
            lat.emplace_back(p.lat, "N");
            lon.emplace_back(p.lon, "E");
            double px = 0, py = 0;
            projection->LatLong2Proj(lat.back(), lon.back(), px, py);
            x.push_back(px);
            y.push_back(py);
        }
    }
    ~ProjCase() {
        proj_destroy(bare);
        proj_context_destroy(context);
    }
};

using geoframe::bench::Coord;
using geoframe::bench::SomeTransform;

void Forward(benchmark::State& state, ProjCase& c) {
    std::size_t i = 0;
    double x, y;
    for (auto _ : state) {
        const std::size_t k = i++ & (kCount - 1);
        benchmark::DoNotOptimize(c.projection->LatLong2Proj(c.lat[k], c.lon[k], x, y));
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    }
}

void ForwardBare(benchmark::State& state, ProjCase& c) {
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t k = i++ & (kCount - 1);
        const PJ_COORD out =
            proj_trans(c.bare, PJ_FWD, Coord(c.lon[k].GetRadians(), c.lat[k].GetRadians()));
        benchmark::DoNotOptimize(out);
    }
}

void Inverse(benchmark::State& state, ProjCase& c) {
    std::size_t i = 0;
    GxGeoAngle lat(0.0, "N"), lon(0.0, "E");
    for (auto _ : state) {
        const std::size_t k = i++ & (kCount - 1);
        benchmark::DoNotOptimize(c.projection->Proj2LatLong(c.x[k], c.y[k], lat, lon));
        benchmark::DoNotOptimize(lat);
        benchmark::DoNotOptimize(lon);
    }
}

void InverseBare(benchmark::State& state, ProjCase& c) {
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t k = i++ & (kCount - 1);
        const PJ_COORD out = proj_trans(c.bare, PJ_INV, Coord(c.x[k], c.y[k]));
        benchmark::DoNotOptimize(out);
    }
}

ProjCase& Utm() {
    static ProjCase c(new GxUTMProjection(Wgs84(), 32, 0), 45, 9, 3);
    return c;
}
ProjCase& Lcc() {
    static ProjCase c(new GxLCCProjection(Wgs84(), 23, -96, 45, 33), 39, -96, 10);
    return c;
}
ProjCase& Aea() {
    static ProjCase c(new GxACEAProjection(Wgs84(), 23, -96, 45, 33), 39, -96, 10);
    return c;
}
ProjCase& Stere() {
    static ProjCase c(new GxStereographicProjection(Wgs84(), 90, 0, 0.994), 75, 0, 10);
    return c;
}

#define GEOFRAME_PROJ_PAIR(name, Case)                                                             \
    BENCHMARK_CAPTURE(Forward, name forward / geoframe, Case());                                   \
    BENCHMARK_CAPTURE(ForwardBare, name forward / proj_trans, Case());                             \
    BENCHMARK_CAPTURE(Inverse, name inverse / geoframe, Case());                                   \
    BENCHMARK_CAPTURE(InverseBare, name inverse / proj_trans, Case());

GEOFRAME_PROJ_PAIR(UTM, Utm)
GEOFRAME_PROJ_PAIR(Lambert, Lcc)
GEOFRAME_PROJ_PAIR(Albers, Aea)
GEOFRAME_PROJ_PAIR(stereographic, Stere)

// Geocentric conversion on WGS 84.
const std::vector<LatLon>& WorldPoints() {
    static const std::vector<LatLon> points = Points(0, 0, 80);
    return points;
}

void GeocentricForward(benchmark::State& state, bool peer) {
    const GxEllipsoid wgs84("WGS84");
    const GeographicLib::Geocentric& earth = GeographicLib::Geocentric::WGS84();
    std::size_t i = 0;
    double x, y, z;
    for (auto _ : state) {
        const LatLon& p = WorldPoints()[i++ & (kCount - 1)];
        if (peer)
            earth.Forward(p.lat, p.lon, 100.0, x, y, z);
        else
            wgs84.LatLongToGeocentric(p.lat, p.lon, 100.0, x, y, z);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(z);
    }
}
BENCHMARK_CAPTURE(GeocentricForward, geocentric forward / geoframe, false);
BENCHMARK_CAPTURE(GeocentricForward, geocentric forward / GeographicLib, true);

void GeocentricReverse(benchmark::State& state, bool peer) {
    const GxEllipsoid wgs84("WGS84");
    const GeographicLib::Geocentric& earth = GeographicLib::Geocentric::WGS84();
    std::vector<double> x(kCount), y(kCount), z(kCount);
    for (std::size_t k = 0; k < kCount; ++k)
        earth.Forward(WorldPoints()[k].lat, WorldPoints()[k].lon, 100.0, x[k], y[k], z[k]);
    std::size_t i = 0;
    double lat, lon, h;
    for (auto _ : state) {
        const std::size_t k = i++ & (kCount - 1);
        if (peer)
            earth.Reverse(x[k], y[k], z[k], lat, lon, h);
        else
            wgs84.GeocentricToLatLong(x[k], y[k], z[k], lat, lon, h, true);
        benchmark::DoNotOptimize(lat);
        benchmark::DoNotOptimize(lon);
        benchmark::DoNotOptimize(h);
    }
}
BENCHMARK_CAPTURE(GeocentricReverse, geocentric reverse / geoframe, false);
BENCHMARK_CAPTURE(GeocentricReverse, geocentric reverse / GeographicLib, true);

// Degree-minute-second text: the same angle in each library's own notation.
void DmsParse(benchmark::State& state, bool peer) {
    GxGeoAngle angle;
    GeographicLib::DMS::flag flag;
    for (auto _ : state) {
        if (peer) {
            benchmark::DoNotOptimize(GeographicLib::DMS::Decode("33d52'4.56\"S", flag));
        } else {
            benchmark::DoNotOptimize(angle.SetDMSString("33~52'4.56\" S"));
            benchmark::DoNotOptimize(angle);
        }
    }
}
BENCHMARK_CAPTURE(DmsParse, DMS parse / geoframe, false);
BENCHMARK_CAPTURE(DmsParse, DMS parse / GeographicLib, true);

void DmsFormat(benchmark::State& state, bool peer) {
    const GxGeoAngle angle(-33.867933, "S");
    for (auto _ : state) {
        if (peer) {
            benchmark::DoNotOptimize(GeographicLib::DMS::Encode(
                -33.867933, GeographicLib::DMS::SECOND, 2, GeographicLib::DMS::LATITUDE));
        } else {
            char* text = angle.GetDMSString(2);
            benchmark::DoNotOptimize(text);
            angle.FreeString(text);
        }
    }
}
BENCHMARK_CAPTURE(DmsFormat, DMS format / geoframe, false);
BENCHMARK_CAPTURE(DmsFormat, DMS format / GeographicLib, true);

// 4x4 math: the same transform in both libraries.
gxMatrix4 Transform() {
    return SomeTransform();
}

/// The same matrix for column vectors: geoframe's row-vector matrix transposed.
Eigen::Matrix4d EigenTransform() {
    const gxMatrix4 m = Transform();
    Eigen::Matrix4d e;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            e(c, r) = m[r][c];
    return e;
}

void Multiply(benchmark::State& state, bool peer) {
    const gxMatrix4 a = Transform();
    gxMatrix4 b = Transform();
    const Eigen::Matrix4d ea = EigenTransform();
    Eigen::Matrix4d eb = EigenTransform();
    for (auto _ : state) {
        if (peer) {
            benchmark::DoNotOptimize(eb);
            Eigen::Matrix4d c = eb * ea;
            benchmark::DoNotOptimize(c);
        } else {
            benchmark::DoNotOptimize(b);
            gxMatrix4 c = a * b;
            benchmark::DoNotOptimize(c);
        }
    }
}
BENCHMARK_CAPTURE(Multiply, 4x4 multiply / geoframe, false);
BENCHMARK_CAPTURE(Multiply, 4x4 multiply / Eigen, true);

void Invert(benchmark::State& state, bool peer) {
    const gxMatrix4 a = Transform();
    const Eigen::Matrix4d ea = EigenTransform();
    for (auto _ : state) {
        if (peer) {
            Eigen::Matrix4d m = ea;
            benchmark::DoNotOptimize(m);
            Eigen::Matrix4d inverse = m.inverse();
            benchmark::DoNotOptimize(inverse);
        } else {
            gxMatrix4 m = a;
            benchmark::DoNotOptimize(m);
            benchmark::DoNotOptimize(m.invert());
        }
    }
}
BENCHMARK_CAPTURE(Invert, 4x4 inverse / geoframe, false);
BENCHMARK_CAPTURE(Invert, 4x4 inverse / Eigen, true);

// A block of 1024 vertices through one transform; the time is per block.
void PointTransform(benchmark::State& state, bool peer) {
    const gxMatrix4 m = Transform();
    const Eigen::Affine3d e(EigenTransform());
    std::vector<gxVec3> in(1024), out(1024);
    std::vector<Eigen::Vector3d> ein(1024), eout(1024);
    for (std::size_t i = 0; i < in.size(); ++i) {
        in[i].set(i * 0.5, i * -0.25, 100.0 - i);
        ein[i] = Eigen::Vector3d(i * 0.5, i * -0.25, 100.0 - i);
    }
    for (auto _ : state) {
        if (peer) {
            for (std::size_t i = 0; i < ein.size(); ++i)
                eout[i] = e * ein[i];
            benchmark::DoNotOptimize(eout.data());
        } else {
            for (std::size_t i = 0; i < in.size(); ++i)
                out[i].xformPt(in[i], m);
            benchmark::DoNotOptimize(out.data());
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(PointTransform, point transform x1024 / geoframe, false);
BENCHMARK_CAPTURE(PointTransform, point transform x1024 / Eigen, true);

void Slerp(benchmark::State& state, bool peer) {
    gxQuat a, b, r;
    a.makeRot(20, 0, 0, 1);
    b.makeRot(130, 0.6, 0.8, 0);
    const Eigen::Quaterniond ea(Eigen::AngleAxisd(20 * M_PI / 180, Eigen::Vector3d::UnitZ()));
    const Eigen::Quaterniond eb(
        Eigen::AngleAxisd(130 * M_PI / 180, Eigen::Vector3d(0.6, 0.8, 0).normalized()));
    double t = 0;
    for (auto _ : state) {
        if (peer) {
            Eigen::Quaterniond er = ea.slerp(t, eb);
            benchmark::DoNotOptimize(er);
        } else {
            r.slerp(t, a, b);
            benchmark::DoNotOptimize(r);
        }
        t = t > 1 ? 0 : t + 1e-3;
    }
}
BENCHMARK_CAPTURE(Slerp, slerp / geoframe, false);
BENCHMARK_CAPTURE(Slerp, slerp / Eigen, true);

} // namespace
