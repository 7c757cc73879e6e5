#include <geoframe/coordsys/GxCoordSysBase.h>

GxCoordSysBase::GxCoordSysBase() = default;

GxCoordSysBase::GxCoordSysBase(const GxCoordSysBase&) : GxRefBase() {}

GxCoordSysBase::~GxCoordSysBase() = default;
