#ifndef GEOFRAME_COORDSYS_GXSCALEOFFSETTRANS2D_H
#define GEOFRAME_COORDSYS_GXSCALEOFFSETTRANS2D_H

#include <geoframe/coordsys/GxTransform2D.h>
#include <geoframe/geoframe_export.h>

/// The map x' = x * scaleX + offsetX, y' = y * scaleY + offsetY, without
/// rotation. Named "Scale Offset Trans 2D". A default-constructed transform is the
/// identity. With a zero or non-finite scale or a non-finite offset it has no
/// inverse: TransformFrom returns false.
class GEOFRAME_EXPORT GxScaleOffsetTrans2D : public GxTransform2D {
public:
    /// The identity.
    GxScaleOffsetTrans2D();
    GxScaleOffsetTrans2D(double offsetX, double offsetY, double scaleX, double scaleY);
    GxScaleOffsetTrans2D(const GxScaleOffsetTrans2D& other);
    GxScaleOffsetTrans2D& operator=(const GxScaleOffsetTrans2D& other);
    ~GxScaleOffsetTrans2D() override;

    GxTransform2D* Clone() const override;
    /// The origin becomes the offset; the rotation is ignored.
    bool Set(double originX, double originY, double scaleX, double scaleY,
             double rotation) override;
    bool TransformTo(double x, double y, double& outX, double& outY) const override;
    bool TransformFrom(double x, double y, double& outX, double& outY) const override;

private:
    bool HasInverse() const;

    double m_offsetX;
    double m_offsetY;
    double m_scaleX;
    double m_scaleY;
};

#endif
