#include <geoframe/coordsys/GxCoverageBase.h>

GxCoverageBase::GxCoverageBase() = default;

GxCoverageBase::~GxCoverageBase() = default;
