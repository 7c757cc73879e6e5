#include <geoframe/projection/GxProjectionStrategy.h>

GxProjectionStrategy::~GxProjectionStrategy() = default;
