// CRS texts in and out, shared by coordinate systems and projections.

#include "Arrays.h"
#include "Objects.h"

namespace geoframe::python {

std::string CrsInput(py::handle crs) {
    if (py::isinstance<py::str>(crs))
        return Text("crs", crs);
    if (py::hasattr(crs, "to_wkt"))
        return Text("crs.to_wkt()", crs.attr("to_wkt")());
    Refuse("crs: expected a CRS text (such as 'EPSG:32633') or an object with to_wkt()");
}

std::string WriteCrs(const GxCoordSysBase* system, double unitScale, const GxProjection* projection,
                     GxCrsDefinition::Format format) {
    GxCrsDefinition crs;
    const bool written =
        system ? crs.Write(*system, format, unitScale) : crs.Write(*projection, format);
    if (!written)
        Refuse(crs.GetMessage());
    return crs.GetText();
}

} // namespace geoframe::python
