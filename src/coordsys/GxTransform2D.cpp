#include <geoframe/coordsys/GxTransform2D.h>

GxTransform2D::GxTransform2D(const char* name) : m_name(name ? name : "") {}

GxTransform2D::~GxTransform2D() = default;
