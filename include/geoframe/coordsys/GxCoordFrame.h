#ifndef GEOFRAME_COORDSYS_GXCOORDFRAME_H
#define GEOFRAME_COORDSYS_GXCOORDFRAME_H

#include <geoframe/coordsys/GxCoordSys.h>
#include <geoframe/coordsys/GxTransform2D.h>
#include <geoframe/foundation/GxRefBase.h>
#include <geoframe/foundation/GxSmartRef.h>
#include <geoframe/geoframe_export.h>

#include <memory>

/// Places a coordinate system relative to local database coordinates by an
/// origin, a scale per axis and a counter-clockwise rotation in degrees, and
/// carries the 2-D transform built from them: TransformTo maps a local point
/// (u, v) into the placed system, TransformFrom maps it back. Held through
/// GxSmartRef<GxCoordFrame>.
///
/// The setters only store values; Update rebuilds the transform from them.
class GEOFRAME_EXPORT GxCoordFrame : public GxRefBase {
public:
    /// Origin, scales and rotation 0; no coordinate system, no transform.
    GxCoordFrame();
    /// Stores the values, holds a copy of `coordSys` (when given) and builds the
    /// transform. When neither scale is greater than zero the frame stays as the
    /// default constructor leaves it.
    GxCoordFrame(double originX, double originY, double scaleX, double scaleY,
                 GxSmartRef<GxCoordSys> coordSys, double rotation);
    /// Copies the values, holds a copy of the coordinate system and a copy of the
    /// transform.
    GxCoordFrame(const GxCoordFrame& other);
    /// Copies the values and a copy of the transform, and shares the other frame's
    /// coordinate system object.
    GxCoordFrame& operator=(const GxCoordFrame& other);
    ~GxCoordFrame() override;

    bool SetOrigin(double x, double y);
    /// Stored as given, zero and negative scales too.
    bool SetScale(double x, double y);
    bool SetRotation(double degrees);
    /// Holds a copy of `coordSys`; an empty reference keeps the held one.
    bool SetCoordSystem(GxSmartRef<GxCoordSys> coordSys);
    bool GetOrigin(double& x, double& y) const;
    bool GetScale(double& x, double& y) const;
    bool GetRotation(double& degrees) const;
    /// The held coordinate system itself (not a copy), or empty.
    bool GetCoordSystem(GxSmartRef<GxCoordSys>& coordSys) const;

    /// Rebuilds the transform: a GxScaleOffsetTrans2D when |rotation| < 1e-10,
    /// otherwise a GxAffineTransform2D from the placement. True.
    bool Update();
    /// The transform built by the last Update (null before the first), owned by the
    /// frame and valid until the next Update or the frame's destruction.
    const GxTransform2D* GetTransform() const { return m_transform.get(); }

private:
    double m_originY;
    double m_originX;
    double m_scaleX;
    double m_scaleY;
    double m_rotation;
    GxSmartRef<GxCoordSys> m_coordSys;
    std::unique_ptr<GxTransform2D> m_transform;
};

#endif
