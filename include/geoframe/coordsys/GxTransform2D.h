#ifndef GEOFRAME_COORDSYS_GXTRANSFORM2D_H
#define GEOFRAME_COORDSYS_GXTRANSFORM2D_H

#include <geoframe/geoframe_export.h>

#include <string>

/// A map between two planes: TransformTo takes a point (x, y) of the first plane
/// to the second, TransformFrom takes it back. Not reference-counted: a transform
/// is a plain object owned by whoever created it and deleted through
/// GxTransform2D*.
///
/// A map that cannot be inverted (a zero scale, collinear point pairs, non-finite
/// values) says so: Set returns false and TransformFrom returns false without
/// writing its outputs.
class GEOFRAME_EXPORT GxTransform2D {
public:
    /// Keeps a copy of `name`, the kind of transform (null: no name).
    explicit GxTransform2D(const char* name);
    virtual ~GxTransform2D();

    /// A new transform of the same kind with the same values, owned by the caller.
    virtual GxTransform2D* Clone() const = 0;
    /// Places the second plane: origin, scales and a counter-clockwise rotation in
    /// degrees. False when the resulting map cannot be inverted; the values are
    /// taken all the same.
    virtual bool Set(double originX, double originY, double scaleX, double scaleY,
                     double rotation) = 0;
    /// Maps (x, y) forward; false, outputs untouched, when the result is not finite
    /// (a non-finite point, or a map of non-finite or overflowing values).
    virtual bool TransformTo(double x, double y, double& outX, double& outY) const = 0;
    /// Maps (x, y) back; false, outputs untouched, when the map has no inverse or
    /// the result is not finite.
    virtual bool TransformFrom(double x, double y, double& outX, double& outY) const = 0;

    /// The kind of transform: "Affine Trans 2D" or "Scale Offset Trans 2D".
    const char* GetName() const { return m_name.c_str(); }

protected:
    /// Writes (x, y) to the outputs when both are finite; false, outputs untouched,
    /// otherwise. What every transform returns from its mapping.
    static bool StoreFinite(double x, double y, double& outX, double& outY);

    // Copying goes through the concrete classes, so that a transform of one kind is
    // never given the name of another.
    GxTransform2D(const GxTransform2D&) = default;
    GxTransform2D& operator=(const GxTransform2D&) = default;

private:
    std::string m_name;
};

#endif
