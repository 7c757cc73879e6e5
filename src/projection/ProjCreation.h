#ifndef GEOFRAME_SRC_PROJECTION_PROJCREATION_H
#define GEOFRAME_SRC_PROJECTION_PROJCREATION_H

#include <mutex>

namespace geoframe::detail {

/// PROJ 9 races inside itself when objects are made on several threads at once,
/// even with one context per thread (seen with lists it refuses). Everything in
/// the library that makes PROJ objects (projectors, CRSs, operations) holds this
/// process-wide lock while it does; converting points never takes it.
std::mutex& ProjCreationMutex();

} // namespace geoframe::detail

#endif
