#include <geoframe/coordsys/GxCoordFrame.h>

#include <geoframe/coordsys/GxAffineTransform2D.h>
#include <geoframe/coordsys/GxScaleOffsetTrans2D.h>

namespace {

/// Below this magnitude (degrees) a frame has no rotation and takes the
/// scale-and-offset transform.
constexpr double kNoRotation = 1e-10;

GxSmartRef<GxCoordSys> CopyOf(const GxSmartRef<GxCoordSys>& coordSys) {
    return coordSys ? GxSmartRef<GxCoordSys>(new GxCoordSys(*coordSys)) : GxSmartRef<GxCoordSys>();
}

std::unique_ptr<GxTransform2D> CopyOf(const std::unique_ptr<GxTransform2D>& transform) {
    return std::unique_ptr<GxTransform2D>(transform ? transform->Clone() : nullptr);
}

} // namespace

GxCoordFrame::GxCoordFrame()
    : m_originY(0), m_originX(0), m_scaleX(0), m_scaleY(0), m_rotation(0) {}

GxCoordFrame::GxCoordFrame(double originX, double originY, double scaleX, double scaleY,
                           GxSmartRef<GxCoordSys> coordSys, double rotation)
    : GxCoordFrame() {
    if (!(scaleX > 0) && !(scaleY > 0))
        return;
    m_originX = originX;
    m_originY = originY;
    m_scaleX = scaleX;
    m_scaleY = scaleY;
    m_rotation = rotation;
    m_coordSys = CopyOf(coordSys);
    Update();
}

GxCoordFrame::GxCoordFrame(const GxCoordFrame& other)
    : GxRefBase(), m_originY(other.m_originY), m_originX(other.m_originX), m_scaleX(other.m_scaleX),
      m_scaleY(other.m_scaleY), m_rotation(other.m_rotation), m_coordSys(CopyOf(other.m_coordSys)),
      m_transform(CopyOf(other.m_transform)) {}

GxCoordFrame& GxCoordFrame::operator=(const GxCoordFrame& other) {
    // The copy is made before the old transform goes, so assigning a frame to
    // itself keeps it intact.
    std::unique_ptr<GxTransform2D> transform = CopyOf(other.m_transform);
    m_originY = other.m_originY;
    m_originX = other.m_originX;
    m_scaleX = other.m_scaleX;
    m_scaleY = other.m_scaleY;
    m_rotation = other.m_rotation;
    m_coordSys = other.m_coordSys;
    m_transform = std::move(transform);
    return *this;
}

GxCoordFrame::~GxCoordFrame() = default;

bool GxCoordFrame::SetOrigin(double x, double y) {
    m_originX = x;
    m_originY = y;
    return true;
}

bool GxCoordFrame::SetScale(double x, double y) {
    m_scaleX = x;
    m_scaleY = y;
    return true;
}

bool GxCoordFrame::SetRotation(double degrees) {
    m_rotation = degrees;
    return true;
}

bool GxCoordFrame::SetCoordSystem(GxSmartRef<GxCoordSys> coordSys) {
    if (coordSys)
        m_coordSys = CopyOf(coordSys);
    return true;
}

bool GxCoordFrame::GetOrigin(double& x, double& y) const {
    x = m_originX;
    y = m_originY;
    return true;
}

bool GxCoordFrame::GetScale(double& x, double& y) const {
    x = m_scaleX;
    y = m_scaleY;
    return true;
}

bool GxCoordFrame::GetRotation(double& degrees) const {
    degrees = m_rotation;
    return true;
}

bool GxCoordFrame::GetCoordSystem(GxSmartRef<GxCoordSys>& coordSys) const {
    coordSys = m_coordSys;
    return true;
}

bool GxCoordFrame::Update() {
    m_transform.reset();
    if (-kNoRotation < m_rotation && m_rotation < kNoRotation)
        m_transform.reset(new GxScaleOffsetTrans2D(m_originX, m_originY, m_scaleX, m_scaleY));
    else
        m_transform.reset(
            new GxAffineTransform2D(m_originX, m_originY, m_scaleX, m_scaleY, m_rotation));
    return true;
}
