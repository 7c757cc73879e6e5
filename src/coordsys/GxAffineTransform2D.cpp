#include <geoframe/coordsys/GxAffineTransform2D.h>

#include <geoframe/math/gxMatrix4.h>
#include <geoframe/math/gxVec2.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kName = "Affine Trans 2D";

/// Below this magnitude (degrees) a placement has no rotation terms.
constexpr double kNoRotation = 1e-9;
/// Pi as the placement's degree-to-radian conversion has always used it.
constexpr double kPlacementPi = 3.1415926535;

/// A 2x2 linear part counts as singular when its determinant vanishes against the
/// size of its two products, i.e. within rounding of zero: exact inversion would
/// then give coefficients made of rounding noise. NaN and infinity are singular.
constexpr double kSingularRatio = 1e-13;

bool IsRegular(double m00, double m01, double m10, double m11) {
    const double p = m00 * m11, q = m01 * m10;
    const double det = p - q;
    return std::isfinite(det) && std::fabs(det) > kSingularRatio * (std::fabs(p) + std::fabs(q));
}

} // namespace

GxAffineTransform2D::GxAffineTransform2D() : GxTransform2D(kName) {
    SetIdentity();
}

GxAffineTransform2D::GxAffineTransform2D(double a11, double a12, double a13, double a21, double a22,
                                         double a23)
    : GxTransform2D(kName), m_forward{a11, a12, a13, a21, a22, a23}, m_inverse{1, 0, 0, 0, 1, 0},
      m_hasForward(true), m_hasInverse(false) {
    DeriveInverse();
}

GxAffineTransform2D::GxAffineTransform2D(double originX, double originY, double scaleX,
                                         double scaleY, double rotation)
    : GxTransform2D(kName) {
    SetIdentity();
    Set(originX, originY, scaleX, scaleY, rotation);
}

GxAffineTransform2D::GxAffineTransform2D(int n, const gxVec2* from, const gxVec2* to)
    : GxTransform2D(kName) {
    SetIdentity();
    if (n < 3 || !from || !to)
        return;
    const double x0 = from[0][0], y0 = from[0][1], x1 = from[1][0], y1 = from[1][1];
    const double x2 = from[2][0], y2 = from[2][1];
    // The system is solved about the source points' centroid, scaled to their
    // spread, and for targets about their own centroid: at map-coordinate
    // magnitudes (1e5 to 1e7 m) the raw [x y 1] system would lose the points'
    // small differences to rounding.
    const double cx = (x0 + x1 + x2) / 3, cy = (y0 + y1 + y2) / 3;
    const double spread = std::max({std::fabs(x0 - cx), std::fabs(x1 - cx), std::fabs(x2 - cx),
                                    std::fabs(y0 - cy), std::fabs(y1 - cy), std::fabs(y2 - cy)});
    const auto u = [&](double x) { return (x - cx) / spread; };
    const auto v = [&](double y) { return (y - cy) / spread; };
    // The map that takes each (ui, vi, 1) to Xi, and to Yi, solves a 3x3 system whose
    // matrix holds the source points as rows; collinear points leave no solution.
    gxMatrix4 e(u(x0), v(y0), 1, 0, u(x1), v(y1), 1, 0, u(x2), v(y2), 1, 0, 0, 0, 0, 1);
    if (!IsRegular(x1 - x0, y1 - y0, x2 - x0, y2 - y0) || !e.invert()) {
        m_hasForward = false;
        m_hasInverse = false;
        return;
    }
    for (int row = 0; row < 2; ++row) {
        const double tc = (to[0][row] + to[1][row] + to[2][row]) / 3;
        const double t0 = to[0][row] - tc, t1 = to[1][row] - tc, t2 = to[2][row] - tc;
        double k[3];
        for (int i = 0; i < 3; ++i)
            k[i] = e[i][0] * t0 + e[i][1] * t1 + e[i][2] * t2;
        // X = k0 (x - cx) / spread + k1 (y - cy) / spread + k2 + tc.
        m_forward[3 * row] = k[0] / spread;
        m_forward[3 * row + 1] = k[1] / spread;
        m_forward[3 * row + 2] = tc + k[2] - (k[0] * (cx / spread) + k[1] * (cy / spread));
    }
    DeriveInverse();
}

GxAffineTransform2D::GxAffineTransform2D(const gxMatrix4& m) : GxTransform2D(kName) {
    SetIdentity();
    const double forward[6] = {m[0][0], m[0][1], m[0][3], m[1][0], m[1][1], m[1][3]};
    std::copy(forward, forward + 6, m_forward);
    gxMatrix4 inverse(m);
    m_hasInverse = inverse.invert();
    if (m_hasInverse) {
        const double b[6] = {inverse[0][0], inverse[0][1], inverse[0][3],
                             inverse[1][0], inverse[1][1], inverse[1][3]};
        std::copy(b, b + 6, m_inverse);
    }
}

GxAffineTransform2D::GxAffineTransform2D(const GxAffineTransform2D& other) = default;
GxAffineTransform2D& GxAffineTransform2D::operator=(const GxAffineTransform2D& other) = default;
GxAffineTransform2D::~GxAffineTransform2D() = default;

GxTransform2D* GxAffineTransform2D::Clone() const {
    return new GxAffineTransform2D(*this);
}

bool GxAffineTransform2D::Set(double originX, double originY, double scaleX, double scaleY,
                              double rotation) {
    if (std::fabs(rotation) < kNoRotation) {
        const double forward[6] = {scaleX, 0, originX, 0, scaleY, originY};
        std::copy(forward, forward + 6, m_forward);
    } else {
        const double theta = rotation * kPlacementPi / 180;
        const double c = std::cos(theta), s = std::sin(theta);
        const double forward[6] = {scaleX * c, -s * scaleY, originX,
                                   scaleX * s, scaleY * c,  originY};
        std::copy(forward, forward + 6, m_forward);
    }
    m_hasForward = true;
    return DeriveInverse();
}

bool GxAffineTransform2D::TransformTo(double x, double y, double& outX, double& outY) const {
    return m_hasForward && Map(m_forward, x, y, outX, outY);
}

bool GxAffineTransform2D::TransformFrom(double x, double y, double& outX, double& outY) const {
    return m_hasInverse && Map(m_inverse, x, y, outX, outY);
}

bool GxAffineTransform2D::Map(const double (&c)[6], double x, double y, double& outX,
                              double& outY) {
    return StoreFinite((x * c[0] + y * c[1]) + c[2], (x * c[3] + y * c[4]) + c[5], outX, outY);
}

void GxAffineTransform2D::SetIdentity() {
    const double identity[6] = {1, 0, 0, 0, 1, 0};
    std::copy(identity, identity + 6, m_forward);
    std::copy(identity, identity + 6, m_inverse);
    m_hasForward = true;
    m_hasInverse = true;
}

bool GxAffineTransform2D::DeriveInverse() {
    const double* a = m_forward;
    // The map as a 4x4 matrix acting on the row vector (x, y, 0, 1).
    gxMatrix4 m(a[0], a[3], 0, 0, a[1], a[4], 0, 0, 0, 0, 1, 0, a[2], a[5], 0, 1);
    m_hasInverse = IsRegular(a[0], a[1], a[3], a[4]) && m.invert();
    if (m_hasInverse) {
        const double b[6] = {m[0][0], m[1][0], m[3][0], m[0][1], m[1][1], m[3][1]};
        std::copy(b, b + 6, m_inverse);
    }
    return m_hasInverse;
}
