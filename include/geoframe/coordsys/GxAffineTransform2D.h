#ifndef GEOFRAME_COORDSYS_GXAFFINETRANSFORM2D_H
#define GEOFRAME_COORDSYS_GXAFFINETRANSFORM2D_H

#include <geoframe/coordsys/GxTransform2D.h>
#include <geoframe/geoframe_export.h>

class gxMatrix4;
class gxVec2;

/// The affine map x' = a11 x + a12 y + a13, y' = a21 x + a22 y + a23 with its
/// inverse, derived whenever the forward coefficients are set. Named
/// "Affine Trans 2D".
///
/// A default-constructed transform, and one built from fewer than three point
/// pairs or a missing array, is the identity both ways. When the forward map is
/// singular, TransformTo still maps forward and TransformFrom returns false. When
/// the three source points of a point-pair transform are collinear there is no map
/// at all and both directions return false.
class GEOFRAME_EXPORT GxAffineTransform2D : public GxTransform2D {
public:
    /// The identity.
    GxAffineTransform2D();
    /// The forward coefficients as given.
    GxAffineTransform2D(double a11, double a12, double a13, double a21, double a22, double a23);
    /// As Set.
    GxAffineTransform2D(double originX, double originY, double scaleX, double scaleY,
                        double rotation);
    /// The exact map taking from[0..2] to to[0..2]; further pairs are ignored.
    GxAffineTransform2D(int n, const gxVec2* from, const gxVec2* to);
    /// Reads m as acting on column vectors, translation in the last column:
    /// a11 = m[0][0], a12 = m[0][1], a13 = m[0][3], a21 = m[1][0], a22 = m[1][1],
    /// a23 = m[1][3]. The inverse comes from the same positions of the inverse of
    /// the whole matrix. This is the transpose of gxMatrix4's row-vector layout: a
    /// makeTrans matrix keeps its translation in row 3, which is not read here.
    explicit GxAffineTransform2D(const gxMatrix4& m);
    GxAffineTransform2D(const GxAffineTransform2D& other);
    GxAffineTransform2D& operator=(const GxAffineTransform2D& other);
    ~GxAffineTransform2D() override;

    GxTransform2D* Clone() const override;
    /// Scales first, then rotates counter-clockwise by `rotation` degrees (no
    /// rotation below 1e-9 in magnitude), then moves by the origin: (1, 0) goes to
    /// (originX + scaleX cos r, originY + scaleX sin r).
    bool Set(double originX, double originY, double scaleX, double scaleY,
             double rotation) override;
    bool TransformTo(double x, double y, double& outX, double& outY) const override;
    bool TransformFrom(double x, double y, double& outX, double& outY) const override;

private:
    void SetIdentity();
    /// Derives the inverse coefficients from the forward ones.
    bool DeriveInverse();
    /// (x, y) through the coefficients c into the outputs, when the result is finite.
    static bool Map(const double (&c)[6], double x, double y, double& outX, double& outY);

    double m_forward[6]; // a11, a12, a13, a21, a22, a23
    double m_inverse[6]; // b11, b12, b13, b21, b22, b23
    bool m_hasForward;
    bool m_hasInverse;
};

#endif
