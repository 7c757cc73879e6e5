#include <geoframe/coordsys/GxScaleOffsetTrans2D.h>

#include <cmath>

namespace {

constexpr const char* kName = "Scale Offset Trans 2D";

} // namespace

GxScaleOffsetTrans2D::GxScaleOffsetTrans2D() : GxScaleOffsetTrans2D(0, 0, 1, 1) {}

GxScaleOffsetTrans2D::GxScaleOffsetTrans2D(double offsetX, double offsetY, double scaleX,
                                           double scaleY)
    : GxTransform2D(kName), m_offsetX(offsetX), m_offsetY(offsetY), m_scaleX(scaleX),
      m_scaleY(scaleY) {}

GxScaleOffsetTrans2D::GxScaleOffsetTrans2D(const GxScaleOffsetTrans2D& other) = default;
GxScaleOffsetTrans2D& GxScaleOffsetTrans2D::operator=(const GxScaleOffsetTrans2D& other) = default;
GxScaleOffsetTrans2D::~GxScaleOffsetTrans2D() = default;

GxTransform2D* GxScaleOffsetTrans2D::Clone() const {
    return new GxScaleOffsetTrans2D(*this);
}

bool GxScaleOffsetTrans2D::Set(double originX, double originY, double scaleX, double scaleY,
                               double /*rotation*/) {
    m_offsetX = originX;
    m_offsetY = originY;
    m_scaleX = scaleX;
    m_scaleY = scaleY;
    return HasInverse();
}

bool GxScaleOffsetTrans2D::TransformTo(double x, double y, double& outX, double& outY) const {
    return StoreFinite(x * m_scaleX + m_offsetX, y * m_scaleY + m_offsetY, outX, outY);
}

bool GxScaleOffsetTrans2D::TransformFrom(double x, double y, double& outX, double& outY) const {
    if (!HasInverse())
        return false;
    return StoreFinite((x - m_offsetX) / m_scaleX, (y - m_offsetY) / m_scaleY, outX, outY);
}

bool GxScaleOffsetTrans2D::HasInverse() const {
    return m_scaleX != 0 && m_scaleY != 0 && std::isfinite(m_scaleX) && std::isfinite(m_scaleY) &&
           std::isfinite(m_offsetX) && std::isfinite(m_offsetY);
}
