#include <geoframe/coordsys/GxTransform2D.h>

#include <cmath>

GxTransform2D::GxTransform2D(const char* name) : m_name(name ? name : "") {}

GxTransform2D::~GxTransform2D() = default;

bool GxTransform2D::StoreFinite(double x, double y, double& outX, double& outY) {
    if (!std::isfinite(x) || !std::isfinite(y))
        return false;
    outX = x;
    outY = y;
    return true;
}
