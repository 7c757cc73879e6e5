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
    // The map that takes each (xi, yi, 1) to Xi, and to Yi, solves a 3x3 system whose
    // matrix holds the source points as rows; collinear points leave no solution.
    gxMatrix4 e(x0, y0, 1, 0, x1, y1, 1, 0, x2, y2, 1, 0, 0, 0, 0, 1);
    if (!IsRegular(x1 - x0, y1 - y0, x2 - x0, y2 - y0) || !e.invert()) {
        m_hasForward = false;
        m_hasInverse = false;
        return;
    }
    for (int row = 0; row < 2; ++row) {
        const double t0 = to[0][row], t1 = to[1][row], t2 = to[2][row];
        for (int k = 0; k < 3; ++k)
            m_forward[3 * row + k] = e[k][0] * t0 + e[k][1] * t1 + e[k][2] * t2;
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
