#ifndef GEOFRAME_GEOFRAME_H
#define GEOFRAME_GEOFRAME_H

// Every public header of the library.

// Foundation
#include <geoframe/foundation/GxRefBase.h>
#include <geoframe/foundation/GxSmartRef.h>
#include <geoframe/foundation/gxDoubleTrait.h>

// Math
#include <geoframe/math/gxMatStack.h>
#include <geoframe/math/gxMatrix4.h>
#include <geoframe/math/gxQuat.h>
#include <geoframe/math/gxVec2.h>
#include <geoframe/math/gxVec3.h>
#include <geoframe/math/gxVec4.h>

// Geodesy
#include <geoframe/geodesy/GxDatum.h>
#include <geoframe/geodesy/GxEllipsoid.h>
#include <geoframe/geodesy/GxEllipsoidBase.h>
#include <geoframe/geodesy/GxGeoAngle.h>
#include <geoframe/geodesy/GxGeoCoord.h>

// Projections
#include <geoframe/projection/GxACEAProjection.h>
#include <geoframe/projection/GxConicProjection.h>
#include <geoframe/projection/GxDegreeGridProjection.h>
#include <geoframe/projection/GxFlatEarthProjection.h>
#include <geoframe/projection/GxLCCProjection.h>
#include <geoframe/projection/GxProj4Interface.h>
#include <geoframe/projection/GxProj4Projection.h>
#include <geoframe/projection/GxProjection.h>
#include <geoframe/projection/GxProjectionStrategy.h>
#include <geoframe/projection/GxStereographicProjection.h>
#include <geoframe/projection/GxTrapezoidalProjection.h>
#include <geoframe/projection/GxUPSProjection.h>
#include <geoframe/projection/GxUTMProjection.h>

// Coordinate systems and frames
#include <geoframe/coordsys/GxAffineTransform2D.h>
#include <geoframe/coordsys/GxCoordFrame.h>
#include <geoframe/coordsys/GxCoordSys.h>
#include <geoframe/coordsys/GxCoordSysBase.h>
#include <geoframe/coordsys/GxCoverage.h>
#include <geoframe/coordsys/GxCoverageBase.h>
#include <geoframe/coordsys/GxCrsDefinition.h>
#include <geoframe/coordsys/GxScaleOffsetTrans2D.h>
#include <geoframe/coordsys/GxTransform2D.h>

#endif
