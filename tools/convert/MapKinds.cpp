#include "MapKinds.h"

#include "Options.h"

#include <geoframe/geodesy/GxGeoAngle.h>
#include <geoframe/projection/GxACEAProjection.h>
#include <geoframe/projection/GxFlatEarthProjection.h>
#include <geoframe/projection/GxLCCProjection.h>
#include <geoframe/projection/GxStereographicProjection.h>
#include <geoframe/projection/GxTrapezoidalProjection.h>

#include <iterator>

namespace geoframe::convert {
namespace {

using Ellipsoid = GxSmartRef<GxEllipsoidBase>;
using Made = GxSmartRef<GxProjection>;

// The conics' LAT1 and LAT2 go to PROJ's lat_1 (lower) and lat_2 (upper).
const MapKind kMapKinds[] = {
    {"lcc", 4, false, "lcc:LAT0,LON0,LAT1,LAT2",
     "    lcc:LAT0,LON0,LAT1,LAT2  Lambert conformal conic: origin, standard parallels\n",
     [](const Ellipsoid& e, const CoordArg& c) -> Made {
         return new GxLCCProjection(e, c.angles[0], c.angles[1], c.angles[3], c.angles[2]);
     }},
    {"aea", 4, false, "aea:LAT0,LON0,LAT1,LAT2",
     "    aea:LAT0,LON0,LAT1,LAT2  Albers conic equal-area: origin, standard parallels\n",
     [](const Ellipsoid& e, const CoordArg& c) -> Made {
         return new GxACEAProjection(e, c.angles[0], c.angles[1], c.angles[3], c.angles[2]);
     }},
    {"stere", 3, true, "stere:LAT0,LON0,SCALELAT or stere:LAT0,LON0,k=K0",
     "    stere:LAT0,LON0,SCALELAT stereographic with a scale latitude; it reaches PROJ\n"
     "                             as lat_1, which the stereographic projection does\n"
     "                             not read, so the scale stays true at the origin\n"
     "                             (databases were made so); use k= to scale\n"
     "    stere:LAT0,LON0,k=K0     stereographic with a scale factor at the origin\n",
     [](const Ellipsoid& e, const CoordArg& c) -> Made {
         if (c.useK0)
             return new GxStereographicProjection(e, c.angles[0], c.angles[1], c.k0);
         return new GxStereographicProjection(e, c.angles[0], c.angles[1], GxGeoAngle(c.angles[2]));
     }},
    {"flat", 2, false, "flat:LAT0,LON0",
     "    flat:LAT0,LON0           flat earth, 111120 m per degree, scaled at LAT0\n",
     [](const Ellipsoid& e, const CoordArg& c) -> Made {
         return new GxFlatEarthProjection(e, c.angles[0], c.angles[1]);
     }},
    {"trap", 2, false, "trap:LAT0,LON0",
     "    trap:LAT0,LON0           trapezoidal, 111120 m per degree, scaled per point\n",
     [](const Ellipsoid& e, const CoordArg& c) -> Made {
         return new GxTrapezoidalProjection(e, c.angles[0], c.angles[1]);
     }},
};

} // namespace

const MapKind* FindMapKind(std::string_view name) {
    for (const MapKind& kind : MapKinds())
        if (name == kind.name)
            return &kind;
    return nullptr;
}

MapKindRange MapKinds() {
    return {std::begin(kMapKinds), std::end(kMapKinds)};
}

} // namespace geoframe::convert
